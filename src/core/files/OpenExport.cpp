#include "core/files/OpenExport.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "core/boundary/Physics.h"
#include "core/files/CNumbers.h"
#include "core/files/ExportFile.h"
#include "core/files/SafeFile.h"
#include "core/solve/Solver.h"

namespace {

// One boundary edge as written: its nodes and the groups it belongs to
// (0 where the element named no existing condition or boundary).
struct TaggedEdge {
  int32_t node1 = 0;
  int32_t node2 = 0;
  int32_t element = 0;
  int32_t condition = 0;
  int32_t boundary = 0;
  double along = 0.0;  // where it starts along its element
};

struct Group {
  int32_t dimension = 0;
  int32_t tag = 0;
  std::string name;
};

// The mesh with its tags, gathered once for every format.
struct TaggedMesh {
  std::vector<TaggedEdge> edges;  // by element, in order along each element
  std::vector<Group> groups;      // the region, then conditions, then boundaries
};

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

TaggedMesh Gather(const Model& m) {
  TaggedMesh mesh;
  mesh.groups.push_back({2, kRegionTag, "obszar"});
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
    direction.try_emplace(e.element, double(b.x) - a.x, double(b.y) - a.y);
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

// The file's text, built in one buffer and written at once.
class Text {
 public:
  explicit Text(size_t expected) { out_.reserve(expected); }
  Text& operator<<(std::string_view s) {
    out_.append(s);
    return *this;
  }
  Text& operator<<(char c) {
    out_.push_back(c);
    return *this;
  }
  Text& operator<<(int32_t v) { return number(v); }
  Text& operator<<(size_t v) { return number(v); }
  // The shortest decimal that reads back as exactly this value: readers
  // get the mesh's own doubles.
  Text& operator<<(double v) { return number(v); }
  std::string take() { return std::move(out_); }

 private:
  template <typename T>
  Text& number(T v) {
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
    out_.append(buffer, r.ptr);
    return *this;
  }
  std::string out_;
};

// One array of a solution: its name, components, and the value of a node
// or triangle (numbered from 1) in a component.
struct SolutionArray {
  std::string_view name;
  int32_t components = 1;
  std::function<double(int32_t, int32_t)> value;
};

std::vector<SolutionArray> NodeArrays(const SolveResult& s) {
  if (!s.disc) return {{"u", 1, [&s](int32_t k, int32_t) { return s.u[size_t(k)]; }}};
  return {{"ux", 1, [&s](int32_t k, int32_t) { return s.ux[size_t(k)]; }},
          {"uy", 1, [&s](int32_t k, int32_t) { return s.uy[size_t(k)]; }}};
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

void Point(Text& t, const MeshNode& n) {
  t << n.x << ' ' << n.y << " 0";
}

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
    for (int32_t k = 1; k <= count; ++k) {
      t << k;
      for (int32_t c = 0; c < a.components; ++c) t << ' ' << a.value(k, c);
      t << '\n';
    }
    for (size_t i = 1; i <= zeros; ++i) {
      t << size_t(count) + i;
      for (int32_t c = 0; c < a.components; ++c) t << " 0";
      t << '\n';
    }
    t << "$End" << section << '\n';
  }
}

std::string Msh41(const Model& m, const TaggedMesh& mesh, const SolveResult* solution) {
  const int32_t nodes = m.meshNodeCount, triangles = m.meshTriangleCount;
  Text t(128 + 64 * size_t(nodes) + 48 * size_t(triangles) + 32 * mesh.edges.size());
  t << "$MeshFormat\n4.1 0 8\n$EndMeshFormat\n";
  PhysicalNames(t, mesh);

  // One curve entity per element with edges: [first, last) edge indices.
  std::vector<std::pair<size_t, size_t>> curves;
  for (size_t i = 0; i < mesh.edges.size(); ++i) {
    if (curves.empty() || mesh.edges[curves.back().first].element != mesh.edges[i].element) {
      curves.push_back({i, i});
    }
    curves.back().second = i + 1;
  }
  t << "$Entities\n0 " << curves.size() << " 1 0\n";
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
  Box region;
  for (int32_t k = 1; k <= nodes; ++k) region.add(m.MeshNodeTable[k]);
  t << kRegionTag << ' ';
  WriteBox(t, region);
  t << " 1 " << kRegionTag << " 0\n$EndEntities\n";

  // Every node belongs to the surface's block.
  t << "$Nodes\n1 " << nodes << " 1 " << nodes << "\n2 " << kRegionTag << " 0 " << nodes << '\n';
  for (int32_t k = 1; k <= nodes; ++k) t << k << '\n';
  for (int32_t k = 1; k <= nodes; ++k) {
    Point(t, m.MeshNodeTable[k]);
    t << '\n';
  }
  t << "$EndNodes\n";

  const size_t elements = size_t(triangles) + mesh.edges.size();
  t << "$Elements\n" << curves.size() + 1 << ' ' << elements << " 1 " << elements << '\n';
  t << "2 " << kRegionTag << " 2 " << triangles << '\n';
  for (int32_t k = 1; k <= triangles; ++k) {
    const MeshTriangle& tri = m.MeshTriangleTable[k];
    t << k << ' ' << tri.corner1 << ' ' << tri.corner2 << ' ' << tri.corner3 << '\n';
  }
  size_t number = size_t(triangles);
  for (const auto& [first, last] : curves) {
    t << "1 " << mesh.edges[first].element << " 1 " << last - first << '\n';
    for (size_t i = first; i < last; ++i)
      t << ++number << ' ' << mesh.edges[i].node1 << ' ' << mesh.edges[i].node2 << '\n';
  }
  t << "$EndElements\n";
  if (solution != nullptr) {
    MshData(t, "NodeData", NodeArrays(*solution), nodes, 0);
    MshData(t, "ElementData", TriangleArrays(*solution), triangles, mesh.edges.size());
  }
  return t.take();
}

std::string Msh22(const Model& m, const TaggedMesh& mesh) {
  const int32_t nodes = m.meshNodeCount, triangles = m.meshTriangleCount;
  Text t(128 + 48 * size_t(nodes) + 40 * size_t(triangles) + 64 * mesh.edges.size());
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
    t << k << " 2 2 " << kRegionTag << ' ' << kRegionTag << ' ' << tri.corner1 << ' ' << tri.corner2 << ' '
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
  return t.take();
}

// The VTU cell-data array a group's edges or triangles are marked in, and
// their value there.
std::string_view CellDataArray(const Group& g) {
  return g.dimension == 2 ? "obszar" : g.tag > kBoundaryTagBase ? "brzeg" : "warunek";
}
int32_t CellDataValue(const Group& g) {
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

std::string Vtu(const Model& m, const TaggedMesh& mesh, const SolveResult* solution) {
  const int32_t nodes = m.meshNodeCount, triangles = m.meshTriangleCount;
  const size_t cells = size_t(triangles) + mesh.edges.size();
  Text t(1024 + 64 * size_t(nodes) + 64 * size_t(triangles) + 64 * mesh.edges.size());
  t << "<?xml version=\"1.0\"?>\n";
  // What the tags stand for, for a reader of the file; XML comments only
  // may not hold "--", and no name does.
  for (const Group& g : mesh.groups) {
    if (g.tag == kUnnamedTag) {
      t << "<!-- warunek 0, brzeg 0 = " << g.name << " -->\n";
      continue;
    }
    t << "<!-- " << CellDataArray(g) << ' ' << CellDataValue(g) << " = " << g.name << " -->\n";
  }
  t << "<VTKFile type=\"UnstructuredGrid\" version=\"1.0\" "
       "byte_order=\"LittleEndian\">\n<UnstructuredGrid>\n";
  // The same names where readers see them: one integer array per group,
  // named as the group and holding its value in the cell data.
  t << "<FieldData>\n";
  for (const Group& g : mesh.groups) {
    t << "<DataArray type=\"Int32\" Name=\"" << XmlAttribute(g.name)
      << "\" NumberOfTuples=\"1\" format=\"ascii\">" << CellDataValue(g) << "</DataArray>\n";
  }
  t << "</FieldData>\n"
    << "<Piece NumberOfPoints=\"" << nodes << "\" NumberOfCells=\"" << cells << "\">\n";
  const auto values = [&](const SolutionArray& a, int32_t count, size_t zeros) {
    t << "<DataArray type=\"Float64\" Name=\"" << a.name << "\" NumberOfComponents=\"" << a.components
      << "\" format=\"ascii\">\n";
    for (int32_t k = 1; k <= count; ++k) {
      for (int32_t c = 0; c < a.components; ++c) t << (c > 0 ? " " : "") << a.value(k, c);
      t << '\n';
    }
    for (size_t i = 0; i < zeros; ++i) {
      for (int32_t c = 0; c < a.components; ++c) t << (c > 0 ? " 0" : "0");
      t << '\n';
    }
    t << "</DataArray>\n";
  };
  if (solution != nullptr) {
    t << "<PointData>\n";
    for (const SolutionArray& a : NodeArrays(*solution)) values(a, nodes, 0);
    t << "</PointData>\n";
  }
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
  t << "</DataArray>\n</Cells>\n<CellData>\n";
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
  if (solution != nullptr) {
    for (const SolutionArray& a : TriangleArrays(*solution)) values(a, triangles, mesh.edges.size());
  }
  t << "</CellData>\n</Piece>\n</UnstructuredGrid>\n</VTKFile>\n";
  return t.take();
}

}  // namespace

std::optional<OpenFormat> OpenFormatForName(std::string_view name, bool msh22) {
  if (HasExtension(name, ".msh")) return msh22 ? OpenFormat::Msh22 : OpenFormat::Msh41;
  if (HasExtension(name, ".vtu")) return OpenFormat::Vtu;
  return std::nullopt;
}

std::string EncodeOpenExport(const Model& model, OpenFormat format, const SolveResult* solution) {
  const TaggedMesh mesh = Gather(model);
  switch (format) {
    case OpenFormat::Msh41: return Msh41(model, mesh, solution);
    case OpenFormat::Msh22: return Msh22(model, mesh);
    case OpenFormat::Vtu: return Vtu(model, mesh, solution);
  }
  return {};
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
  std::string note = "Elementy wskazujące nieistniejący warunek lub brzeg: ";
  for (size_t i = 0; i < dangling.size(); ++i) note += (i == 0 ? "" : ", ") + std::to_string(dangling[i]);
  return note + ".";
}

// Nodes on a point another node has already taken: a table of node
// numbers addressed by a hash of the coordinates, in one pass.
int32_t RepeatedNodes(const Model& m) {
  const int32_t n = std::max(m.meshNodeCount, 0);
  const MeshNode* rows = m.MeshNodeTable.rows(n);
  if (rows == nullptr) return 0;
  size_t size = 1;
  while (size < 2 * size_t(n)) size <<= 1;
  std::vector<int32_t> slots(size, -1);
  int32_t repeated = 0;
  for (int32_t k = 0; k < n; ++k) {
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

MeshDegeneracy FindMeshDegeneracy(const Model& m) {
  MeshDegeneracy d;
  // The written coordinates read back as exactly these doubles, so what
  // is found here is what a reader finds in the file.
  d.repeatedNodes = RepeatedNodes(m);
  // Straight over the rows; a corner past the nodes reads as a zero row.
  const int32_t n = m.meshNodeCount;
  const MeshNode* nodes = m.MeshNodeTable.rows(n);
  const MeshTriangle* triangles = m.MeshTriangleTable.rows(m.meshTriangleCount);
  static const MeshNode kZero{};
  const auto node = [&](int32_t k) -> const MeshNode& {
    return nodes != nullptr && k >= 1 && k <= n ? nodes[k - 1] : kZero;
  };
  for (int32_t k = 1; k <= m.meshTriangleCount; ++k) {
    const MeshTriangle& t = triangles != nullptr ? triangles[k - 1] : m.MeshTriangleTable[k];
    const MeshNode &a = node(t.corner1), &b = node(t.corner2), &c = node(t.corner3);
    const double twiceArea = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
    d.flatTriangles += twiceArea > 0.0 ? 0 : 1;
  }
  return d;
}

std::optional<std::string> OpenExportRefusal(const Model& model) {
  const MeshDegeneracy d = FindMeshDegeneracy(model);
  if (d.repeatedNodes == 0 && d.flatTriangles == 0) return std::nullopt;
  std::string what;
  if (d.repeatedNodes > 0) what = "węzły o tych samych współrzędnych (" + Thousands(d.repeatedNodes) + ")";
  if (d.flatTriangles > 0) {
    what += (what.empty() ? "" : " i ") + std::string("trójkąty o zerowym lub ujemnym polu (") +
            Thousands(d.flatTriangles) + ")";
  }
  return "Nie zapisano pliku: w siatce są " + what +
         ". Zmień największe pole trójkąta albo przesuń model bliżej początku układu.";
}

FileResult WriteOpenExport(const Model& model, OpenFormat format, const std::string& path,
                           const SolveResult* solution) {
  try {
    if (std::optional<std::string> refusal = OpenExportRefusal(model)) return {false, std::move(*refusal)};
    if (WriteFileAtomically(path, EncodeOpenExport(model, format, solution))) return {true, {}};
  } catch (const std::bad_alloc&) {
    // No memory for the text: the target is left as it was.
  }
  return {false, std::string(kSaveFailedMessage)};
}
