#include "core/lists/ListLines.h"

#include "core/text/Tr.h"

namespace {

std::string Joined(int32_t number, std::initializer_list<int32_t> values) {
  std::string line = std::to_string(number) + " - ";
  const char* separator = "";
  for (int32_t v : values) {
    line += separator + std::to_string(v);
    separator = ", ";
  }
  return line;
}

}  // namespace

std::string ElementLine(int32_t number, const Element& e) {
  return Joined(number, {e.startNode, e.endNode, e.bcNumber, e.boundaryNumber});
}

std::string TriangleLine(int32_t number, const MeshTriangle& t) {
  std::string line = Joined(number, {t.corner1, t.corner2, t.corner3});
  if (t.material != 0) line += Tr("ListLines", " (materiał %1)").with(t.material);
  return line;
}
