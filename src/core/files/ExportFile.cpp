#include "core/files/ExportFile.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "core/files/SafeFile.h"
#include "core/files/WriteCause.h"
#include "core/simd/VectorState.h"
#include "core/text/NumberText.h"
#include "core/text/Tr.h"

ExportLayout LayoutForName(std::string_view name) {
  const std::string_view tail = name.size() >= 3 ? name.substr(name.size() - 3) : name;
  if (tail == "ulx" || tail == "ULX") return ExportLayout::Ulx;
  if (tail == "n2d" || tail == "N2D") return ExportLayout::N2d;
  return ExportLayout::M2d;
}

bool HasExtension(std::string_view name, std::string_view extension) {
  if (name.size() < extension.size()) return false;
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  return std::equal(extension.begin(), extension.end(), name.end() - extension.size(),
                    [&](char e, char n) { return lower(e) == lower(n); });
}

namespace {

class WordWriter {
 public:
  explicit WordWriter(size_t words) { bytes_.reserve(words * 4); }
  void integer(int32_t v) { word(static_cast<uint32_t>(v)); }
  void real(float v) { word(std::bit_cast<uint32_t>(v)); }
  std::vector<uint8_t> take() { return std::move(bytes_); }

 private:
  void word(uint32_t w) {
    for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<uint8_t>(w >> shift));
  }
  std::vector<uint8_t> bytes_;
};

}  // namespace

std::vector<uint8_t> EncodeExport(const Model& m, ExportLayout layout) {
  ClearUpperVectorState();
  const int32_t t = m.meshTriangleCount;
  const int32_t n = m.meshNodeCount;
  const size_t header = layout == ExportLayout::Ulx ? 5 : layout == ExportLayout::M2d ? 6 : 7;
  WordWriter out(header + 4 * static_cast<size_t>(t) + 4 * static_cast<size_t>(n));

  out.integer(t);
  out.integer(n);
  out.integer(0);
  out.integer(0);
  out.integer(0);
  if (layout != ExportLayout::Ulx) out.real(1.0f);
  if (layout == ExportLayout::N2d) out.integer(0);

  for (int32_t i = 1; i <= t; ++i) {
    const MeshTriangle& tri = m.MeshTriangleTable[i];
    out.integer(tri.corner1);
    out.integer(tri.corner2);
    out.integer(tri.corner3);
  }
  for (int32_t i = 1; i <= t; ++i) out.integer(1);
  for (int32_t i = 1; i <= n; ++i) {
    out.real(SinglePrecision(m.MeshNodeTable[i].x));
    out.real(SinglePrecision(m.MeshNodeTable[i].y));
  }
  for (int32_t i = 1; i <= n; ++i) {
    out.integer(0);
    out.integer(0);
  }
  return out.take();
}

std::optional<std::string> LayoutRefusal(int32_t triangles, int32_t nodes, bool atLeast) {
  if (triangles <= kMaxMeshTriangles && nodes <= kMaxMeshNodes) return std::nullopt;
  if (atLeast) {
    return Tr("ExportFile",
              "Siatka miałaby co najmniej %1, a ten format przyjmuje najwyżej %2 trójkątów i %3 węzłów.")
        .with(Triangles(triangles), Thousands(kMaxMeshTriangles), Thousands(kMaxMeshNodes));
  }
  return Tr("ExportFile", "Siatka ma %1 i %2, a ten format przyjmuje najwyżej %3 trójkątów i %4 węzłów.")
      .with(Triangles(triangles), Nodes(nodes), Thousands(kMaxMeshTriangles), Thousands(kMaxMeshNodes));
}

std::optional<std::string> LayoutRefusal(const Model& m) {
  return LayoutRefusal(m.meshTriangleCount, m.meshNodeCount);
}

FileResult WriteExportFile(const Model& model, ExportLayout layout, const std::string& path) {
  if (std::optional<std::string> refusal = LayoutRefusal(model)) return {false, std::move(*refusal)};
  const std::vector<uint8_t> bytes = EncodeExport(model, layout);
  const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (const WriteResult written = WriteFileAtomically(path, view); !written)
    return {false, WithWriteCause(SaveFailedMessage(), written.error)};
  return {true, {}};
}
