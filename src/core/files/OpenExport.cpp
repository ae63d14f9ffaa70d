#include "core/files/OpenExport.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <set>
#include <vector>

#include "core/boundary/Physics.h"
#include "core/files/ExportFile.h"
#include "core/files/OpenExportParts.h"
#include "core/files/SafeFile.h"
#include "core/files/WriteCause.h"
#include "core/lists/NumberList.h"
#include "core/simd/VectorState.h"
#include "core/solve/Solver.h"
#include "core/text/NumberText.h"
#include "core/text/Tr.h"

namespace {

// Gmsh reads a name up to the next double quote, and a line break would
// end it; neither ever belongs to a name made here, but a name stays one
// line and one quoted string whatever it holds.
std::string Quotable(std::string name) {
  for (char& c : name) {
    if (c == '"') c = '\'';
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  }
  return name;
}

// Nodes on a point another node has already taken: a table of node
// numbers addressed by a hash of the coordinates, in one pass.
int32_t RepeatedNodes(const Model& m) {
  const int32_t n = std::max(m.meshNodeCount, 0);
  const auto rows = m.MeshNodeTable.rows(n);
  size_t size = 1;
  while (size < 2 * size_t(n)) size <<= 1;
  std::vector<int32_t> slots(size, -1);
  int32_t repeated = 0;
  for (int32_t k = 1; k <= n; ++k) {
    const double x = rows[k].x + 0.0, y = rows[k].y + 0.0;  // -0 and 0 are one point
    uint64_t h = std::bit_cast<uint64_t>(x) * 0x9E3779B97F4A7C15ull ^
                 std::bit_cast<uint64_t>(y) * 0xC2B2AE3D27D4EB4Full;
    h ^= h >> 29;
    for (size_t i = h & (size - 1);; i = (i + 1) & (size - 1)) {
      if (slots[i] < 0) {
        slots[i] = k;
        break;
      }
      if (rows[slots[i]].x == x && rows[slots[i]].y == y) {
        ++repeated;
        break;
      }
    }
  }
  return repeated;
}

}  // namespace

namespace openexport {

namespace {

// The surfaces of a mesh with materials, one per material that has
// triangles, named with the materials as they were meshed (the model's
// own when the mesh came without tags).
void MaterialSurfaces(const Model& m, TaggedMesh& mesh) {
  const MeshTags* tags = m.meshTags.get();
  std::vector<Material> materials;
  if (tags != nullptr) {
    materials = tags->materials;
  } else if (m.materialCount > 0) {
    materials.push_back({{}, m.Conductivity, m.SecondProperty});
    for (int32_t i = 1; i <= m.materialCount; ++i) materials.push_back(m.MaterialTable[i]);
  }
  std::set<int32_t> used;
  for (int32_t k = 1; k <= m.meshTriangleCount; ++k) used.insert(m.MeshTriangleTable[k].material);
  // A mesh without triangles keeps its one surface, which the formats need.
  mesh.materials = !used.empty() && (!materials.empty() || used.size() > 1 || !used.contains(0));
  if (!mesh.materials) return;
  // Triangles of other materials with no table beside them (tags made
  // without one): material 0 is still the model's own pair.
  if (materials.empty()) materials.push_back({{}, m.Conductivity, m.SecondProperty});
  mesh.groups.clear();
  mesh.surfaces.clear();
  const int32_t kind = tags != nullptr ? tags->problemKind : m.ProblemKind;
  for (const int32_t material : used) {
    const int32_t tag = kMaterialTagBase + material;
    mesh.surfaces.push_back(tag);
    const bool known = material >= 0 && size_t(material) < materials.size();
    mesh.groups.push_back({2, tag,
                           known ? Quotable(MaterialGroupName(material, materials[size_t(material)], kind))
                                 : "materiał " + std::to_string(material)});
  }
}

}  // namespace

TaggedMesh Gather(const Model& m) {
  TaggedMesh mesh;
  mesh.groups.push_back({2, kRegionTag, "obszar"});
  MaterialSurfaces(m, mesh);
  const MeshTags* tags = m.meshTags.get();
  if (tags == nullptr) return mesh;
  const auto conditions = static_cast<int32_t>(tags->conditions.size());
  const auto boundaries = static_cast<int32_t>(tags->boundaries.size());
  for (int32_t k = 1; k <= conditions; ++k) {
    mesh.groups.push_back(
        {1, k, Quotable(ConditionGroupName(k, tags->conditions[size_t(k - 1)], tags->problemKind))});
  }
  for (int32_t b = 1; b <= boundaries; ++b) {
    mesh.groups.push_back(
        {1, kBoundaryTagBase + b, Quotable(BoundaryGroupName(b, tags->boundaries[size_t(b - 1)]))});
  }
  const auto inMesh = [&m](int32_t node) { return node >= 1 && node <= m.meshNodeCount; };
  bool unnamed = false;
  for (const MeshEdge& e : tags->edges) {
    if (!inMesh(e.node1) || !inMesh(e.node2) || e.element < 1 ||
        e.element > static_cast<int32_t>(tags->elements.size())) {
      continue;
    }
    const Element& row = tags->elements[size_t(e.element - 1)];
    mesh.edges.push_back(
        {e.node1, e.node2, e.element, row.bcNumber >= 1 && row.bcNumber <= conditions ? row.bcNumber : 0,
         row.boundaryNumber >= 1 && row.boundaryNumber <= boundaries ? row.boundaryNumber : 0});
    unnamed = unnamed || (mesh.edges.back().condition == 0 && mesh.edges.back().boundary == 0);
  }
  // Readers that keep one physical tag per block of edges (meshio) refuse
  // a file where some edges have one and others none, and Gmsh leaves
  // edges without one out of what it writes: such edges get a group too.
  if (unnamed) mesh.groups.push_back({1, kUnnamedTag, std::string(kUnnamedGroupName)});
  // The pieces of one element all run its way, so their order along it is
  // the order of their starts projected on any one piece's direction.
  std::map<int32_t, std::pair<double, double>> direction;
  for (const TaggedEdge& e : mesh.edges) {
    const MeshNode& a = m.MeshNodeTable[e.node1];
    const MeshNode& b = m.MeshNodeTable[e.node2];
    direction.try_emplace(e.element, b.x - a.x, b.y - a.y);
  }
  for (TaggedEdge& e : mesh.edges) {
    const auto [dx, dy] = direction[e.element];
    const MeshNode& a = m.MeshNodeTable[e.node1];
    e.along = a.x * dx + a.y * dy;
  }
  std::stable_sort(mesh.edges.begin(), mesh.edges.end(), [](const TaggedEdge& p, const TaggedEdge& q) {
    return p.element != q.element ? p.element < q.element : p.along < q.along;
  });
  return mesh;
}

std::vector<SolutionArray> NodeArrays(const SolveResult& s) {
  // The recovered flux (qx, qy, 0) or stresses (σx, σy, τxy) of each node's
  // lowest material; NaN at a node no triangle uses.
  const auto recovered = [&s](int32_t k, int32_t c) {
    const double* v = size_t(k) < s.recovered.nodeSlot.size() ? s.recovered.node(k) : nullptr;
    if (v == nullptr) return std::numeric_limits<double>::quiet_NaN();
    return c < s.recovered.components ? v[c] : 0.0;
  };
  if (!s.disc) {
    return {{"u", 1, [&s](int32_t k, int32_t) { return s.u[size_t(k)]; }}, {"flux_recovered", 3, recovered}};
  }
  return {{"ux", 1, [&s](int32_t k, int32_t) { return s.ux[size_t(k)]; }},
          {"uy", 1, [&s](int32_t k, int32_t) { return s.uy[size_t(k)]; }},
          {"sigma_recovered", 3, recovered}};
}

std::vector<SolutionArray> TriangleArrays(const SolveResult& s) {
  if (!s.disc) {
    return {{"flux", 3, [&s](int32_t k, int32_t c) { return c < 2 ? s.flux[size_t(k)][size_t(c)] : 0.0; }}};
  }
  return {{"sigma_x", 1, [&s](int32_t k, int32_t) { return s.stress[size_t(k)].sx; }},
          {"sigma_y", 1, [&s](int32_t k, int32_t) { return s.stress[size_t(k)].sy; }},
          {"tau_xy", 1, [&s](int32_t k, int32_t) { return s.stress[size_t(k)].txy; }},
          {"von_mises", 1, [&s](int32_t k, int32_t) { return s.stress[size_t(k)].vonMises; }}};
}

}  // namespace openexport

using namespace openexport;

std::optional<OpenFormat> OpenFormatForName(std::string_view name, bool msh22) {
  if (HasExtension(name, ".msh")) return msh22 ? OpenFormat::Msh22 : OpenFormat::Msh41;
  if (HasExtension(name, ".vtu")) return OpenFormat::Vtu;
  return std::nullopt;
}

namespace openexport {

namespace {

// Room for the text: enough for nearly every mesh, so that it is seldom
// moved while it grows. The solution's arrays take at most 25 characters
// per value (the longest double) and a number for MSH's rows.
size_t Room(const Model& m, OpenFormat format, bool solution, size_t edges) {
  const size_t nodes = size_t(std::max(m.meshNodeCount, 0));
  const size_t triangles = size_t(std::max(m.meshTriangleCount, 0));
  switch (format) {
    case OpenFormat::Msh22: return 128 + 48 * nodes + 40 * triangles + 64 * edges;
    case OpenFormat::Msh41:
    case OpenFormat::Vtu: break;
  }
  const size_t mesh = 1024 + 64 * nodes + 64 * triangles + 64 * edges;
  return mesh + (solution ? 64 * nodes + 120 * (triangles + edges) : 0);
}

}  // namespace

BegunExport::BegunExport(const Model& model, OpenFormat f, bool solution)
    : m(model), format(f), mesh(Gather(model)), text(Room(model, f, solution, mesh.edges.size())) {
  switch (format) {
    case OpenFormat::Msh41: Msh41(*this); break;
    case OpenFormat::Msh22: Msh22(*this); break;
    case OpenFormat::Vtu: Vtu(*this); break;
  }
}

}  // namespace openexport

OpenExportText::OpenExportText(const Model& model, OpenFormat format, bool solution) {
  ClearUpperVectorState();
  begun_ = std::make_unique<BegunExport>(model, format, solution);
}
OpenExportText::OpenExportText(OpenExportText&&) noexcept = default;
OpenExportText& OpenExportText::operator=(OpenExportText&&) noexcept = default;
OpenExportText::~OpenExportText() = default;

std::string OpenExportText::finish(const SolveResult* solution) {
  if (!begun_) return {};
  ClearUpperVectorState();
  BegunExport& d = *begun_;
  switch (d.format) {
    case OpenFormat::Msh41: Msh41Solution(d, solution); break;
    case OpenFormat::Msh22: break;
    case OpenFormat::Vtu: VtuEnd(d, solution); break;
  }
  std::string text = d.text.take();
  begun_.reset();
  return text;
}

std::string EncodeOpenExport(const Model& model, OpenFormat format, const SolveResult* solution) {
  return OpenExportText(model, format, solution != nullptr).finish(solution);
}

std::vector<int32_t> DanglingElements(const Model& model) {
  std::vector<int32_t> dangling;
  const MeshTags* tags = model.meshTags.get();
  if (tags == nullptr) return dangling;
  const auto conditions = static_cast<int32_t>(tags->conditions.size());
  const auto boundaries = static_cast<int32_t>(tags->boundaries.size());
  for (size_t i = 0; i < tags->elements.size(); ++i) {
    const Element& e = tags->elements[i];
    if (e.bcNumber < 1 || e.bcNumber > conditions || e.boundaryNumber < 1 || e.boundaryNumber > boundaries) {
      dangling.push_back(static_cast<int32_t>(i + 1));
    }
  }
  return dangling;
}

std::string DanglingElementsNote(const Model& model) {
  const std::vector<int32_t> dangling = DanglingElements(model);
  if (dangling.empty()) return {};
  return Tr("OpenExport", "Elementy wskazujące nieistniejący warunek lub brzeg: %1.")
      .with(NumberList(dangling));
}

MeshDegeneracy FindMeshDegeneracy(const Model& m) {
  MeshDegeneracy d;
  // The written coordinates read back as exactly these doubles, so what
  // is found here is what a reader finds in the file.
  d.repeatedNodes = RepeatedNodes(m);
  // Straight over the rows; a corner past the nodes reads as a zero row.
  const int32_t n = m.meshNodeCount;
  const auto node = m.MeshNodeTable.rows(n);
  const auto triangles = m.MeshTriangleTable.rows(m.meshTriangleCount);
  for (int32_t k = 1; k <= m.meshTriangleCount; ++k) {
    const MeshTriangle& t = triangles[k];
    const MeshNode &a = node[t.corner1], &b = node[t.corner2], &c = node[t.corner3];
    const double twiceArea = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
    d.flatTriangles += twiceArea > 0.0 ? 0 : 1;
  }
  return d;
}

std::optional<std::string> OpenExportRefusal(const Model& model) {
  const MeshDegeneracy d = FindMeshDegeneracy(model);
  if (d.repeatedNodes == 0 && d.flatTriangles == 0) return std::nullopt;
  const std::string nodes = Thousands(d.repeatedNodes), triangles = Thousands(d.flatTriangles);
  if (d.flatTriangles == 0) {
    return Tr("OpenExport",
              "Nie zapisano pliku: w siatce są węzły o tych samych współrzędnych (%1). Zmień największe pole "
              "trójkąta albo przesuń model bliżej początku układu.")
        .with(nodes);
  }
  if (d.repeatedNodes == 0) {
    return Tr("OpenExport",
              "Nie zapisano pliku: w siatce są trójkąty o zerowym lub ujemnym polu (%1). Zmień największe "
              "pole trójkąta albo przesuń model bliżej początku układu.")
        .with(triangles);
  }
  return Tr("OpenExport",
            "Nie zapisano pliku: w siatce są węzły o tych samych współrzędnych (%1) i trójkąty o zerowym lub "
            "ujemnym polu (%2). Zmień największe pole trójkąta albo przesuń model bliżej początku układu.")
      .with(nodes, triangles);
}

namespace {

FileResult WriteOpenExport(const Model& model, const std::string& path,
                           const std::function<std::string()>& encode) {
  int error = ENOMEM;
  try {
    if (std::optional<std::string> refusal = OpenExportRefusal(model)) return {false, std::move(*refusal)};
    const WriteResult written = WriteFileAtomically(path, encode());
    if (written) return {true, {}};
    error = written.error;
  } catch (const std::bad_alloc&) {
    // No memory for the text: the target is left as it was.
  }
  return {false, WithWriteCause(SaveFailedMessage(), error)};
}

}  // namespace

FileResult WriteOpenExport(const Model& model, OpenFormat format, const std::string& path,
                           const SolveResult* solution) {
  return WriteOpenExport(model, path, [&] { return EncodeOpenExport(model, format, solution); });
}

FileResult WriteOpenExport(const Model& model, std::future<OpenExportText>& meshPart, const std::string& path,
                           const SolveResult* solution) {
  return WriteOpenExport(model, path, [&] { return meshPart.get().finish(solution); });
}
