// VTK's XML unstructured grid (.vtu), with the tags as cell data and
// their names as field data; a mesh with materials adds each triangle's
// material (-1 on the edges, which have none).

#include "core/files/OpenExportParts.h"
#include "core/solve/Solver.h"

namespace openexport {

namespace {

// The VTU cell-data array a group's edges or triangles are marked in, and
// their value there.
std::string_view CellDataArray(const Group& g) {
  if (g.dimension == 2) return g.tag == kRegionTag ? "obszar" : "material";
  return g.tag > kBoundaryTagBase ? "brzeg" : "warunek";
}
int32_t CellDataValue(const Group& g) {
  if (g.dimension == 2) return g.tag == kRegionTag ? g.tag : g.tag - kMaterialTagBase;
  if (g.tag == kUnnamedTag) return 0;
  return g.tag > kBoundaryTagBase ? g.tag - kBoundaryTagBase : g.tag;
}

std::string XmlAttribute(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

// What the tags stand for, for a reader of the file, in comments; XML
// comments only may not hold "--", and no name does.
void TagComments(Text& t, const TaggedMesh& mesh) {
  for (const Group& g : mesh.groups) {
    if (g.tag == kUnnamedTag) {
      t << "<!-- warunek 0, brzeg 0 = " << g.name << " -->\n";
      continue;
    }
    t << "<!-- " << CellDataArray(g) << ' ' << CellDataValue(g) << " = " << g.name << " -->\n";
  }
}

// The same names where readers see them: one integer array per group,
// named as the group and holding its value in the cell data.
void TagFieldData(Text& t, const TaggedMesh& mesh) {
  t << "<FieldData>\n";
  for (const Group& g : mesh.groups) {
    t << "<DataArray type=\"Int32\" Name=\"" << XmlAttribute(g.name)
      << "\" NumberOfTuples=\"1\" format=\"ascii\">" << CellDataValue(g) << "</DataArray>\n";
  }
  t << "</FieldData>\n";
}

// The nodes, then the cells: the triangles and after them the edges.
void PointsAndCells(Text& t, const Model& m, const TaggedMesh& mesh) {
  const int32_t nodes = m.meshNodeCount, triangles = m.meshTriangleCount;
  t << "<Points>\n<DataArray type=\"Float64\" NumberOfComponents=\"3\" format=\"ascii\">\n";
  for (int32_t k = 1; k <= nodes; ++k) {
    Point(t, m.MeshNodeTable[k]);
    t << '\n';
  }
  t << "</DataArray>\n</Points>\n<Cells>\n<DataArray type=\"Int32\" Name=\"connectivity\" "
       "format=\"ascii\">\n";
  for (int32_t k = 1; k <= triangles; ++k) {
    const MeshTriangle& tri = m.MeshTriangleTable[k];
    t << tri.corner1 - 1 << ' ' << tri.corner2 - 1 << ' ' << tri.corner3 - 1 << '\n';
  }
  for (const TaggedEdge& e : mesh.edges) t << e.node1 - 1 << ' ' << e.node2 - 1 << '\n';
  t << "</DataArray>\n<DataArray type=\"Int32\" Name=\"offsets\" format=\"ascii\">\n";
  size_t offset = 0;
  for (int32_t k = 1; k <= triangles; ++k) t << (offset += 3) << '\n';
  for (size_t i = 0; i < mesh.edges.size(); ++i) t << (offset += 2) << '\n';
  t << "</DataArray>\n<DataArray type=\"UInt8\" Name=\"types\" format=\"ascii\">\n";
  for (int32_t k = 1; k <= triangles; ++k) t << "5\n";        // VTK_TRIANGLE
  for (size_t i = 0; i < mesh.edges.size(); ++i) t << "3\n";  // VTK_LINE
  t << "</DataArray>\n</Cells>\n";
}

// The tags' arrays in the cell data, which the solution's arrays follow.
void TagCellData(Text& t, const Model& m, const TaggedMesh& mesh) {
  const int32_t triangles = m.meshTriangleCount;
  t << "<CellData>\n";
  const auto array = [&](std::string_view name, int32_t onTriangles, int32_t TaggedEdge::*onEdges) {
    t << "<DataArray type=\"Int32\" Name=\"" << name << "\" format=\"ascii\">\n";
    for (int32_t k = 1; k <= triangles; ++k) t << onTriangles << '\n';
    for (const TaggedEdge& e : mesh.edges) t << (onEdges != nullptr ? e.*onEdges : 0) << '\n';
    t << "</DataArray>\n";
  };
  array("obszar", kRegionTag, nullptr);
  array("warunek", 0, &TaggedEdge::condition);
  array("brzeg", 0, &TaggedEdge::boundary);
  array("element", 0, &TaggedEdge::element);
  if (mesh.materials) {
    t << "<DataArray type=\"Int32\" Name=\"material\" format=\"ascii\">\n";
    for (int32_t k = 1; k <= triangles; ++k) t << m.MeshTriangleTable[k].material << '\n';
    for (size_t i = 0; i < mesh.edges.size(); ++i) t << "-1\n";
    t << "</DataArray>\n";
  }
}

}  // namespace

void Vtu(BegunExport& d) {
  const Model& m = d.m;
  Text& t = d.text;
  const size_t cells = size_t(m.meshTriangleCount) + d.mesh.edges.size();
  t << "<?xml version=\"1.0\"?>\n";
  TagComments(t, d.mesh);
  t << "<VTKFile type=\"UnstructuredGrid\" version=\"1.0\" "
       "byte_order=\"LittleEndian\">\n<UnstructuredGrid>\n";
  TagFieldData(t, d.mesh);
  t << "<Piece NumberOfPoints=\"" << m.meshNodeCount << "\" NumberOfCells=\"" << cells << "\">\n";
  PointsAndCells(t, m, d.mesh);
  TagCellData(t, m, d.mesh);
}

// The solution's arrays follow the tags' (readers take a piece's parts in
// any order), so that the mesh's part of the file is all written first.
void VtuEnd(BegunExport& d, const SolveResult* solution) {
  Text& t = d.text;
  const auto values = [&](const SolutionArray& a, int32_t count, size_t zeros) {
    t << "<DataArray type=\"Float64\" Name=\"" << a.name << "\" NumberOfComponents=\"" << a.components
      << "\" format=\"ascii\">\n";
    t.rows(1, count, [&a](Text& row, int32_t k) {
      for (int32_t c = 0; c < a.components; ++c) row << (c > 0 ? " " : "") << a.value(k, c);
      row << '\n';
    });
    for (size_t i = 0; i < zeros; ++i) {
      for (int32_t c = 0; c < a.components; ++c) t << (c > 0 ? " 0" : "0");
      t << '\n';
    }
    t << "</DataArray>\n";
  };
  if (solution != nullptr) {
    for (const SolutionArray& a : TriangleArrays(*solution))
      values(a, d.m.meshTriangleCount, d.mesh.edges.size());
  }
  t << "</CellData>\n";
  if (solution != nullptr) {
    t << "<PointData>\n";
    for (const SolutionArray& a : NodeArrays(*solution)) values(a, d.m.meshNodeCount, 0);
    t << "</PointData>\n";
  }
  t << "</Piece>\n</UnstructuredGrid>\n</VTKFile>\n";
}

}  // namespace openexport
