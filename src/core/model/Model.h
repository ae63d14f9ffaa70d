#pragma once
// The project in memory: fixed-capacity tables numbered from 1, each with a
// counter, and a few scalars. One instance lives for the whole run; every
// command reads and writes it in place.

#include <array>
#include <cstdint>
#include <memory>
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

struct MeshNode {
  float x = 0.0f;
  float y = 0.0f;
};

struct MeshTriangle {
  int32_t corner1 = 0;
  int32_t corner2 = 0;
  int32_t corner3 = 0;
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
// still describes the mesh it writes: the boundary edges and the rows that
// name them (elements, conditions, boundaries from 1, as vectors from 0).
struct MeshTags {
  std::vector<MeshEdge> edges;
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
inline constexpr int32_t kMaxMeshNodes = 999;
inline constexpr int32_t kMaxMeshTriangles = 1999;

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
  FixedTable<MeshNode, kMaxMeshNodes> MeshNodeTable;
  int32_t meshNodeCount = 0;
  FixedTable<MeshTriangle, kMaxMeshTriangles> MeshTriangleTable;
  int32_t meshTriangleCount = 0;

  int32_t ProblemKind = 0;
  float Conductivity = 0.0f;
  float SecondProperty = 0.0f;
  int32_t CurrentBoundary = 0;
  int32_t CurrentBc = 0;
  int32_t SelectedNumber = 0;
  int32_t MeshFailureFlag = 0;
  std::string CaptionText = " ";
  // Set with every mesh made, shared between copies (it never changes once
  // made); read only while there is a mesh.
  std::shared_ptr<const MeshTags> meshTags;
};

// The model's start-up values (problem kind 10, nothing selected).
void InitModelData(Model& model);

// Empties the model and restores the defaults of a new project (note: the
// problem kind becomes 1, not the start-up 10). CaptionText is left to the
// caller. Rows past the counters keep stale values; nothing reads them.
void ResetModelData(Model& model);

// The tables that grow by one row at a time.
enum class ModelTable { Nodes, Elements, Boundaries, Conditions, InternalNodes };

// Free rows left in a table.
int32_t FreeRows(const Model& model, ModelTable table);

// The checked append path: each returns the new row's number, or 0 when the
// table is full, in which case the table and its counter are unchanged.
[[nodiscard]] int32_t AppendNode(Model& model, const Node& row);
[[nodiscard]] int32_t AppendElement(Model& model, const Element& row);
[[nodiscard]] int32_t AppendBoundary(Model& model, const Boundary& row);
[[nodiscard]] int32_t AppendCondition(Model& model, const BoundaryCondition& row);
[[nodiscard]] int32_t AppendInternalNode(Model& model, const InternalNode& row);

// Deletes row k (1 … count) of a table: later rows move down by one and the
// count drops. References to the rows are the caller's to renumber.
template <typename Row, int32_t Capacity>
void RemoveRow(FixedTable<Row, Capacity>& table, int32_t& count, int32_t k) {
  for (int32_t i = k; i < count; ++i) table[i] = table[i + 1];
  --count;
}

// A short Polish sentence for a message box telling that a table is full.
std::string CapacityMessage(ModelTable table);
