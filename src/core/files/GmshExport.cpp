// Gmsh's MSH formats: 4.1, with one curve entity per model element, and
// 2.2, with an edge once per physical group.

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "core/files/OpenExportParts.h"
#include "core/solve/Solver.h"

namespace openexport {

namespace {

void PhysicalNames(Text& t, const TaggedMesh& mesh) {
  t << "$PhysicalNames\n" << mesh.groups.size() << '\n';
  for (const Group& g : mesh.groups) t << g.dimension << ' ' << g.tag << " \"" << g.name << "\"\n";
  t << "$EndPhysicalNames\n";
}

// The smallest box around the nodes added to it.
struct Box {
  MeshNode low, high;
  bool empty = true;
  void add(const MeshNode& n) {
    low = empty ? n : MeshNode{std::min(low.x, n.x), std::min(low.y, n.y)};
    high = empty ? n : MeshNode{std::max(high.x, n.x), std::max(high.y, n.y)};
    empty = false;
  }
};

void WriteBox(Text& t, const Box& b) {
  Point(t, b.low);
  t << ' ';
  Point(t, b.high);
}

// The physical tags of one edge: its condition's and its boundary's, or
// the group of edges with neither.
std::vector<int32_t> PhysicalTags(const TaggedEdge& e) {
  std::vector<int32_t> tags;
  if (e.condition > 0) tags.push_back(e.condition);
  if (e.boundary > 0) tags.push_back(kBoundaryTagBase + e.boundary);
  if (tags.empty()) tags.push_back(kUnnamedTag);
  return tags;
}

// Gmsh's views: one section per array, at time 0, over the first `count`
// nodes or elements, then `zeros` more elements holding zeros.
void MshData(Text& t, std::string_view section, const std::vector<SolutionArray>& arrays, int32_t count,
             size_t zeros) {
  for (const SolutionArray& a : arrays) {
    t << '$' << section << "\n1\n\"" << a.name << "\"\n1\n0\n3\n0\n"
      << a.components << '\n'
      << size_t(count) + zeros << '\n';
    t.rows(1, count, [&a](Text& row, int32_t k) {
      row << k;
      for (int32_t c = 0; c < a.components; ++c) row << ' ' << a.value(k, c);
      row << '\n';
    });
    for (size_t i = 1; i <= zeros; ++i) {
      t << size_t(count) + i;
      for (int32_t c = 0; c < a.components; ++c) t << " 0";
      t << '\n';
    }
    t << "$End" << section << '\n';
  }
}

// The edges of one model element, [first, last) in the mesh's edges: a
// curve entity of MSH 4.1.
using Curve = std::pair<size_t, size_t>;

// One curve per element with edges, in the edges' order.
std::vector<Curve> Curves(const TaggedMesh& mesh) {
  std::vector<Curve> curves;
  for (size_t i = 0; i < mesh.edges.size(); ++i) {
    if (curves.empty() || mesh.edges[curves.back().first].element != mesh.edges[i].element) {
      curves.push_back({i, i});
    }
    curves.back().second = i + 1;
  }
  return curves;
}

// The curve entities: each around its edges' nodes, with its edges'
// physical tags.
void CurveEntities(Text& t, const Model& m, const TaggedMesh& mesh, const std::vector<Curve>& curves) {
  for (const auto& curve : curves) {
    const TaggedEdge& e = mesh.edges[curve.first];
    Box box;
    for (size_t i = curve.first; i < curve.second; ++i) {
      box.add(m.MeshNodeTable[mesh.edges[i].node1]);
      box.add(m.MeshNodeTable[mesh.edges[i].node2]);
    }
    t << e.element << ' ';
    WriteBox(t, box);
    const std::vector<int32_t> tags = PhysicalTags(e);
    t << ' ' << tags.size();
    for (int32_t tag : tags) t << ' ' << tag;
    t << " 0\n";
  }
}

// One surface entity per physical surface, around its triangles' nodes
// (the whole mesh's when there is one).
void SurfaceEntities(Text& t, const Model& m, const TaggedMesh& mesh) {
  std::map<int32_t, Box> surfaces;
  for (int32_t tag : mesh.surfaces) surfaces[tag];
  if (mesh.materials) {
    for (int32_t k = 1; k <= m.meshTriangleCount; ++k) {
      const MeshTriangle& tri = m.MeshTriangleTable[k];
      Box& box = surfaces[mesh.surface(tri)];
      for (int32_t corner : {tri.corner1, tri.corner2, tri.corner3}) box.add(m.MeshNodeTable[corner]);
    }
  } else {
    for (int32_t k = 1; k <= m.meshNodeCount; ++k) surfaces[kRegionTag].add(m.MeshNodeTable[k]);
  }
  for (const auto& [tag, box] : surfaces) {
    t << tag << ' ';
    WriteBox(t, box);
    t << " 1 " << tag << " 0\n";
  }
}

// Every node belongs to the first surface's block; elements name nodes
// by number, whichever entity holds them.
void Msh41Nodes(Text& t, const Model& m, const TaggedMesh& mesh) {
  const int32_t nodes = m.meshNodeCount;
  t << "$Nodes\n1 " << nodes << " 1 " << nodes << "\n2 " << mesh.surfaces.front() << " 0 " << nodes << '\n';
  for (int32_t k = 1; k <= nodes; ++k) t << k << '\n';
  for (int32_t k = 1; k <= nodes; ++k) {
    Point(t, m.MeshNodeTable[k]);
    t << '\n';
  }
  t << "$EndNodes\n";
}

// The triangles, one block per surface, keeping their numbers; then the
// edges, one block per curve, numbered on from them.
void Msh41Elements(Text& t, const Model& m, const TaggedMesh& mesh, const std::vector<Curve>& curves) {
  const int32_t triangles = m.meshTriangleCount;
  const size_t elements = size_t(triangles) + mesh.edges.size();
  t << "$Elements\n" << curves.size() + mesh.surfaces.size() << ' ' << elements << " 1 " << elements << '\n';
  std::map<int32_t, std::vector<int32_t>> blocks;
  if (mesh.materials) {
    for (int32_t k = 1; k <= triangles; ++k) blocks[mesh.surface(m.MeshTriangleTable[k])].push_back(k);
  }
  for (int32_t tag : mesh.surfaces) {
    const std::vector<int32_t>& block = blocks[tag];
    t << "2 " << tag << " 2 " << (mesh.materials ? block.size() : size_t(triangles)) << '\n';
    const auto row = [&](int32_t k) {
      const MeshTriangle& tri = m.MeshTriangleTable[k];
      t << k << ' ' << tri.corner1 << ' ' << tri.corner2 << ' ' << tri.corner3 << '\n';
    };
    if (!mesh.materials) {
      for (int32_t k = 1; k <= triangles; ++k) row(k);
    }
    for (int32_t k : block) row(k);
  }
  size_t number = size_t(triangles);
  for (const auto& [first, last] : curves) {
    t << "1 " << mesh.edges[first].element << " 1 " << last - first << '\n';
    for (size_t i = first; i < last; ++i)
      t << ++number << ' ' << mesh.edges[i].node1 << ' ' << mesh.edges[i].node2 << '\n';
  }
  t << "$EndElements\n";
}

}  // namespace

void Msh41(BegunExport& d) {
  const TaggedMesh& mesh = d.mesh;
  Text& t = d.text;
  t << "$MeshFormat\n4.1 0 8\n$EndMeshFormat\n";
  PhysicalNames(t, mesh);
  const std::vector<Curve> curves = Curves(mesh);
  t << "$Entities\n0 " << curves.size() << ' ' << mesh.surfaces.size() << " 0\n";
  CurveEntities(t, d.m, mesh, curves);
  SurfaceEntities(t, d.m, mesh);
  t << "$EndEntities\n";
  Msh41Nodes(t, d.m, mesh);
  Msh41Elements(t, d.m, mesh, curves);
}

void Msh41Solution(BegunExport& d, const SolveResult* solution) {
  if (solution == nullptr) return;
  MshData(d.text, "NodeData", NodeArrays(*solution), d.m.meshNodeCount, 0);
  MshData(d.text, "ElementData", TriangleArrays(*solution), d.m.meshTriangleCount, d.mesh.edges.size());
}

void Msh22(BegunExport& d) {
  const Model& m = d.m;
  const TaggedMesh& mesh = d.mesh;
  Text& t = d.text;
  const int32_t nodes = m.meshNodeCount, triangles = m.meshTriangleCount;
  t << "$MeshFormat\n2.2 0 8\n$EndMeshFormat\n";
  PhysicalNames(t, mesh);
  t << "$Nodes\n" << nodes << '\n';
  for (int32_t k = 1; k <= nodes; ++k) {
    t << k << ' ';
    Point(t, m.MeshNodeTable[k]);
    t << '\n';
  }
  t << "$EndNodes\n";
  // An edge goes once per group it belongs to, as Gmsh itself writes it,
  // each copy with its own elementary tag: the element's number in its
  // condition's group, kBoundaryCopyTagBase more in its boundary's. Copies
  // sharing a tag would be duplicate elements of one curve, and every
  // group of that curve would hold each edge twice.
  size_t lines = 0;
  for (const TaggedEdge& e : mesh.edges) lines += PhysicalTags(e).size();
  t << "$Elements\n" << size_t(triangles) + lines << '\n';
  for (int32_t k = 1; k <= triangles; ++k) {
    const MeshTriangle& tri = m.MeshTriangleTable[k];
    const int32_t surface = mesh.surface(tri);
    t << k << " 2 2 " << surface << ' ' << surface << ' ' << tri.corner1 << ' ' << tri.corner2 << ' '
      << tri.corner3 << '\n';
  }
  size_t number = size_t(triangles);
  for (const TaggedEdge& e : mesh.edges) {
    for (int32_t tag : PhysicalTags(e)) {
      const int32_t elementary = tag > kBoundaryTagBase ? kBoundaryCopyTagBase + e.element : e.element;
      t << ++number << " 1 2 " << tag << ' ' << elementary << ' ' << e.node1 << ' ' << e.node2 << '\n';
    }
  }
  t << "$EndElements\n";
}

}  // namespace openexport
