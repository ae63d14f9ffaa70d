#pragma once
// The project in memory: fixed-capacity tables numbered from 1, each with a
// counter, and a few scalars. One instance lives for the whole run; every
// command reads and writes it in place.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct Node {
  float x = 0.0f;
  float y = 0.0f;
};

struct Element {
  int32_t startNode = 0;
  int32_t endNode = 0;
  int32_t bcNumber = 0;
  int32_t boundaryNumber = 0;
};

struct Boundary {
  int32_t kind = 0;
};

struct BoundaryCondition {
  float kind = 0.0f;
  float value1 = 0.0f;
  float value2 = 0.0f;
  float value3 = 0.0f;
  float value4 = 0.0f;
  float value5 = 0.0f;
  float value6 = 0.0f;
};

struct InternalNode {
  float x = 0.0f;
  float y = 0.0f;
};

// A material of the region: a name and the two properties of the problem's
// family, in the order of the model's own pair (Conductivity,
// SecondProperty): λ and the heat source, σ and the current source, μ and
// the current density, E and ν. Material 0 is that pair itself.
struct Material {
  std::string name;
  float property1 = 0.0f;
  float property2 = 0.0f;
};

// A point that marks the region around it, up to the enclosing contours,
// as made of `material` (1 … materialCount), with triangles of at most
// `area` there (0: the area of the whole mesh). Hole points win over it.
struct RegionPoint {
  float x = 0.0f;
  float y = 0.0f;
  int32_t material = 0;
  float area = 0.0f;
};

// Triangle's own double-precision point. The solver layouts, the mesh list
// and the picture hold it in single precision (SinglePrecision below); the
// open formats and everything that computes on the mesh use the doubles.
struct MeshNode {
  double x = 0.0;
  double y = 0.0;
};

// A mesh coordinate as the single-precision layouts, the list and the
// picture hold it.
inline float SinglePrecision(double v) {
  return static_cast<float>(v);
}

struct MeshTriangle {
  int32_t corner1 = 0;
  int32_t corner2 = 0;
  int32_t corner3 = 0;
  // The material the triangle is made of; 0 for the model's own properties.
  int32_t material = 0;
};

// A mesh edge that lies on a model element: its two mesh nodes, in the
// element's direction, and the element's number as it was meshed.
struct MeshEdge {
  int32_t node1 = 0;
  int32_t node2 = 0;
  int32_t element = 0;
  bool operator==(const MeshEdge&) const = default;
};

// What the mesh was made from, kept with it so that an export after an edit
// still describes the mesh it writes, and a solve can tell whether the
// geometry has moved since: the boundary edges, the rows that name them
// (elements, conditions, boundaries from 1, as vectors from 0), and the
// nodes, hole points and region points the boundary was made of.
struct MeshTags {
  std::vector<MeshEdge> edges;
  std::vector<Node> nodes;
  std::vector<InternalNode> internalNodes;
  std::vector<RegionPoint> regionPoints;
  // The materials the triangles were meshed with, from 0 (the model's own
  // pair, unnamed) up; empty when the mesh was made without any.
  std::vector<Material> materials;
  std::vector<Element> elements;
  std::vector<BoundaryCondition> conditions;
  std::vector<Boundary> boundaries;
  int32_t problemKind = 0;
};

bool operator==(const MeshTags& a, const MeshTags& b);

// Rows 1..Capacity; slot 0 exists but never holds a row. Indexing outside the
// slots throws instead of touching memory that is not the table's.
template <typename Row, int32_t Capacity>
class FixedTable {
 public:
  static constexpr int32_t capacity = Capacity;

  Row& operator[](int32_t number) { return rows_[checked(number)]; }
  const Row& operator[](int32_t number) const { return rows_[checked(number)]; }

 private:
  static size_t checked(int32_t number) {
    if (number < 0 || number > Capacity) {
      throw std::out_of_range("row number outside the table");
    }
    return static_cast<size_t>(number);
  }
  std::array<Row, static_cast<size_t>(Capacity) + 1> rows_{};
};

inline constexpr int32_t kMaxNodes = 299;
inline constexpr int32_t kMaxElements = 499;
inline constexpr int32_t kMaxBoundaries = 19;
inline constexpr int32_t kMaxConditions = 99;
inline constexpr int32_t kMaxInternalNodes = 99;
inline constexpr int32_t kMaxMaterials = 99;
inline constexpr int32_t kMaxRegionPoints = 99;
inline constexpr int32_t kMaxMeshNodes = 999;
inline constexpr int32_t kMaxMeshTriangles = 1999;
// The largest mesh the program takes at all, with the large limit switched
// on: about 1 KB of memory per triangle through generation, so a few GB.
inline constexpr int32_t kLargestMeshTriangles = 5'000'000;
// Mesh rows a table may be asked for: the nodes of the largest mesh, plus
// points Triangle keeps that no triangle uses.
inline constexpr int32_t kLargestMeshRows = kLargestMeshTriangles + kMaxNodes + 2;

// Mesh rows numbered from 1, as many as the mesh has. Copies of a model share
// the rows until one of them writes (copy on write), so an undo step holds a
// large mesh without copying it. A row past the stored ones reads as a zero
// row; writing one grows the table. Numbers outside 0 … kLargestMeshRows
// throw. Read through a const table: the non-const [] makes the rows this
// model's own first.
template <typename Row>
class MeshTable {
 public:
  const Row& operator[](int32_t number) const {
    checked(number);
    return rows_ && size_t(number) < rows_->size() ? (*rows_)[size_t(number)] : kZero;
  }
  Row& operator[](int32_t number) {
    std::vector<Row>& rows = own();
    if (size_t(checked(number)) >= rows.size()) rows.resize(size_t(number) + 1);
    return rows[size_t(number)];
  }
  // Rows 1 … rows.size(), replacing all there were.
  void assign(std::vector<Row> rows) {
    rows.insert(rows.begin(), Row{});
    adopt(std::move(rows));
  }
  // The same from rows already numbered: numbered[0] is the unused slot 0.
  void adopt(std::vector<Row> numbered) {
    if (numbered.empty()) numbered.resize(1);
    rows_ = std::make_shared<std::vector<Row>>(std::move(numbered));
  }
  void clear() { rows_.reset(); }
  // Rows 1 … count read straight from their storage, without the checks of
  // operator[]: view[k] is row k, a zero row where none is stored (k
  // outside 1 … count included). Valid while the table is unchanged.
  class View {
   public:
    const Row& operator[](int32_t number) const {
      const size_t at = size_t(number) - 1;  // 0 and below wrap past the end
      return at < stored_.size() ? stored_[at] : kZero;
    }
    int32_t count() const { return count_; }
    // The stored rows among them, from row 1 on, contiguous.
    std::span<const Row> stored() const { return stored_; }

   private:
    friend class MeshTable;
    View(std::span<const Row> stored, int32_t count) : stored_(stored), count_(count) {}
    std::span<const Row> stored_;
    int32_t count_;
  };
  View rows(int32_t count) const {
    count = std::clamp(count, 0, kLargestMeshRows);
    const size_t stored = rows_ ? std::min(rows_->size() - 1, size_t(count)) : 0;
    return View(std::span<const Row>(rows_ ? rows_->data() + 1 : nullptr, stored), count);
  }
  bool sharesRowsWith(const MeshTable& other) const { return rows_ == other.rows_; }
  // The rows themselves, kept alive by whoever holds this: a cache keyed by
  // it can never mistake new rows for the ones it was made from.
  std::shared_ptr<const void> identity() const { return rows_; }
  // Rows 1 … count equal bit for bit (unstored rows are zero rows).
  bool sameRows(const MeshTable& other, int32_t count) const {
    if (rows_ == other.rows_) return true;
    for (int32_t i = 1; i <= count; ++i) {
      if (std::memcmp(&(*this)[i], &other[i], sizeof(Row)) != 0) return false;
    }
    return true;
  }
  int32_t storedRows() const { return rows_ ? static_cast<int32_t>(rows_->size()) - 1 : 0; }

 private:
  static int32_t checked(int32_t number) {
    if (number < 0 || number > kLargestMeshRows) throw std::out_of_range("row number outside the mesh table");
    return number;
  }
  std::vector<Row>& own() {
    if (!rows_) {
      rows_ = std::make_shared<std::vector<Row>>(1);
    } else if (rows_.use_count() > 1) {
      rows_ = std::make_shared<std::vector<Row>>(*rows_);
    }
    return *rows_;
  }
  static inline const Row kZero{};
  std::shared_ptr<std::vector<Row>> rows_;
};

inline constexpr std::string_view kProgramCaption = "Vendrel Korbel v1.0";

struct Model {
  FixedTable<Node, kMaxNodes> NodeTable;
  int32_t nodeCount = 0;
  FixedTable<Element, kMaxElements> ElementTable;
  int32_t elementCount = 0;
  FixedTable<Boundary, kMaxBoundaries> BoundaryTable;
  int32_t boundaryCount = 0;
  FixedTable<BoundaryCondition, kMaxConditions> BcTable;
  int32_t bcCount = 0;
  FixedTable<InternalNode, kMaxInternalNodes> InternalNodeTable;
  int32_t internalNodeCount = 0;
  // The points that mark where the materials (below) are; empty in a
  // project of one material.
  FixedTable<RegionPoint, kMaxRegionPoints> RegionPointTable;
  int32_t regionPointCount = 0;
  int32_t meshNodeCount = 0;
  int32_t meshTriangleCount = 0;

  int32_t ProblemKind = 0;
  float Conductivity = 0.0f;
  float SecondProperty = 0.0f;
  int32_t CurrentBoundary = 0;
  int32_t CurrentBc = 0;
  int32_t SelectedNumber = 0;
  int32_t MeshFailureFlag = 0;
  std::string CaptionText = " ";
  // The materials, after the caption with the other members that own
  // memory elsewhere; empty in a project of one material.
  FixedTable<Material, kMaxMaterials> MaterialTable;
  int32_t materialCount = 0;
  // Set with every mesh made, shared between copies (it never changes once
  // made); read only while there is a mesh.
  std::shared_ptr<const MeshTags> meshTags;
  // The mesh's rows (their counters are above), shared with copies.
  MeshTable<MeshNode> MeshNodeTable;
  MeshTable<MeshTriangle> MeshTriangleTable;
};

// Which mesh something was computed from, for a cache of what depends on
// it alone: the same rows (held weakly, so an old mesh is not kept alive and
// new rows where old ones were are never taken for them) and counts.
class MeshIdentity {
 public:
  // True, and from now on this mesh is the one remembered, when the model
  // holds another mesh than the one last remembered.
  bool changedTo(const Model& m) {
    const auto same = [](const std::weak_ptr<const void>& kept, const std::shared_ptr<const void>& now) {
      return !kept.expired() && kept.lock() == now;
    };
    if (same(nodes_, m.MeshNodeTable.identity()) && same(triangles_, m.MeshTriangleTable.identity()) &&
        nodeCount_ == m.meshNodeCount && triangleCount_ == m.meshTriangleCount) {
      return false;
    }
    nodes_ = m.MeshNodeTable.identity();
    triangles_ = m.MeshTriangleTable.identity();
    nodeCount_ = m.meshNodeCount;
    triangleCount_ = m.meshTriangleCount;
    return true;
  }
  void forget() { *this = MeshIdentity{}; }

 private:
  std::weak_ptr<const void> nodes_, triangles_;
  int32_t nodeCount_ = -1, triangleCount_ = -1;
};

// The model's start-up values (problem kind 10, nothing selected).
void InitModelData(Model& model);

// Empties the model and restores the defaults of a new project (note: the
// problem kind becomes 1, not the start-up 10). CaptionText is left to the
// caller. Rows past the counters keep stale values; nothing reads them.
void ResetModelData(Model& model);

// The tables that grow by one row at a time.
enum class ModelTable { Nodes, Elements, Boundaries, Conditions, InternalNodes, Materials, RegionPoints };

// Free rows left in a table.
int32_t FreeRows(const Model& model, ModelTable table);

// A model's mesh as it stands, to stand again later (a cancelled
// generation, a cancelled adaptive step). The rows are shared, so taking
// one copies nothing.
struct MeshSnapshot {
  explicit MeshSnapshot(const Model& m)
      : nodes(m.MeshNodeTable),
        triangles(m.MeshTriangleTable),
        tags(m.meshTags),
        nodeCount(m.meshNodeCount),
        triangleCount(m.meshTriangleCount),
        failureFlag(m.MeshFailureFlag) {}
  void restore(Model& m) const {
    m.MeshNodeTable = nodes;
    m.MeshTriangleTable = triangles;
    m.meshTags = tags;
    m.meshNodeCount = nodeCount;
    m.meshTriangleCount = triangleCount;
    m.MeshFailureFlag = failureFlag;
  }
  MeshTable<MeshNode> nodes;
  MeshTable<MeshTriangle> triangles;
  std::shared_ptr<const MeshTags> tags;
  int32_t nodeCount, triangleCount, failureFlag;
};

// The checked append path: each returns the new row's number, or 0 when the
// table is full, in which case the table and its counter are unchanged.
[[nodiscard]] int32_t AppendNode(Model& model, const Node& row);
[[nodiscard]] int32_t AppendElement(Model& model, const Element& row);
[[nodiscard]] int32_t AppendBoundary(Model& model, const Boundary& row);
[[nodiscard]] int32_t AppendCondition(Model& model, const BoundaryCondition& row);
[[nodiscard]] int32_t AppendInternalNode(Model& model, const InternalNode& row);
[[nodiscard]] int32_t AppendMaterial(Model& model, const Material& row);
[[nodiscard]] int32_t AppendRegionPoint(Model& model, const RegionPoint& row);

// The two properties a triangle of `material` takes: the model's own pair
// for 0, the material's for 1 … materialCount; nothing for any other number.
struct MaterialProperties {
  float property1 = 0.0f;
  float property2 = 0.0f;
};
std::optional<MaterialProperties> PropertiesOf(const Model& model, int32_t material);

// Deletes material k: region points of it lose their material (0, the
// model's own), those of later materials follow the renumbering.
void RemoveMaterial(Model& model, int32_t k);

// Deletes row k (1 … count) of a table: later rows move down by one and the
// count drops. References to the rows are the caller's to renumber.
template <typename Row, int32_t Capacity>
void RemoveRow(FixedTable<Row, Capacity>& table, int32_t& count, int32_t k) {
  for (int32_t i = k; i < count; ++i) table[i] = table[i + 1];
  --count;
}

// A short Polish sentence for a message box telling that a table is full.
std::string CapacityMessage(ModelTable table);
