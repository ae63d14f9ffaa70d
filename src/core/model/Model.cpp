#include "core/model/Model.h"

#include <algorithm>
#include <cstring>

#include "core/text/Tr.h"

namespace {

// Shared by init and reset; they differ only in the problem kind.
void SetDefaults(Model& m, int32_t problemKind) {
  m.meshTriangleCount = 0;
  m.meshNodeCount = 0;
  m.meshTags.reset();
  m.MeshNodeTable.clear();
  m.MeshTriangleTable.clear();
  m.MeshFailureFlag = 0;
  m.Conductivity = 1.0f;
  m.ProblemKind = problemKind;
  m.BcTable[1] = BoundaryCondition{2.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
  m.BoundaryTable[1] = Boundary{1};
  m.bcCount = 1;
  m.CurrentBoundary = 1;
  m.CurrentBc = 1;
  m.nodeCount = 0;
  m.elementCount = 0;
  m.boundaryCount = 1;
  m.internalNodeCount = 0;
  m.SecondProperty = 0.0f;
  m.materialCount = 0;
  m.regionPointCount = 0;
}

template <typename Row, int32_t Capacity>
int32_t AppendRow(FixedTable<Row, Capacity>& table, int32_t& count, const Row& row) {
  if (count < 0 || count >= Capacity) {
    return 0;
  }
  table[count + 1] = row;
  return ++count;
}

// Row by row, bit by bit, as the history compares tables.
template <typename Row>
bool SameBits(const std::vector<Row>& a, const std::vector<Row>& b) {
  return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(Row)) == 0);
}

}  // namespace

bool operator==(const MeshTags& a, const MeshTags& b) {
  const auto sameMaterial = [](const Material& p, const Material& q) {
    return p.name == q.name && std::memcmp(&p.property1, &q.property1, sizeof p.property1) == 0 &&
           std::memcmp(&p.property2, &q.property2, sizeof p.property2) == 0;
  };
  return std::equal(a.materials.begin(), a.materials.end(), b.materials.begin(), b.materials.end(),
                    sameMaterial) &&
         a.problemKind == b.problemKind && a.edges == b.edges && SameBits(a.nodes, b.nodes) &&
         SameBits(a.internalNodes, b.internalNodes) && SameBits(a.regionPoints, b.regionPoints) &&
         SameBits(a.elements, b.elements) && SameBits(a.conditions, b.conditions) &&
         SameBits(a.boundaries, b.boundaries);
}

void InitModelData(Model& model) {
  SetDefaults(model, 10);
  model.SelectedNumber = 0;
}

void ResetModelData(Model& model) {
  SetDefaults(model, 1);
}

int32_t FreeRows(const Model& m, ModelTable table) {
  switch (table) {
    case ModelTable::Nodes: return kMaxNodes - m.nodeCount;
    case ModelTable::Elements: return kMaxElements - m.elementCount;
    case ModelTable::Boundaries: return kMaxBoundaries - m.boundaryCount;
    case ModelTable::Conditions: return kMaxConditions - m.bcCount;
    case ModelTable::InternalNodes: return kMaxInternalNodes - m.internalNodeCount;
    case ModelTable::Materials: return kMaxMaterials - m.materialCount;
    case ModelTable::RegionPoints: return kMaxRegionPoints - m.regionPointCount;
  }
  return 0;
}

int32_t AppendNode(Model& m, const Node& row) {
  return AppendRow(m.NodeTable, m.nodeCount, row);
}
int32_t AppendElement(Model& m, const Element& row) {
  return AppendRow(m.ElementTable, m.elementCount, row);
}
int32_t AppendBoundary(Model& m, const Boundary& row) {
  return AppendRow(m.BoundaryTable, m.boundaryCount, row);
}
int32_t AppendCondition(Model& m, const BoundaryCondition& row) {
  return AppendRow(m.BcTable, m.bcCount, row);
}
int32_t AppendInternalNode(Model& m, const InternalNode& row) {
  return AppendRow(m.InternalNodeTable, m.internalNodeCount, row);
}

int32_t AppendMaterial(Model& m, const Material& row) {
  return AppendRow(m.MaterialTable, m.materialCount, row);
}
int32_t AppendRegionPoint(Model& m, const RegionPoint& row) {
  return AppendRow(m.RegionPointTable, m.regionPointCount, row);
}

std::optional<MaterialProperties> PropertiesOf(const Model& m, int32_t material) {
  if (material == 0) return MaterialProperties{m.Conductivity, m.SecondProperty};
  if (material < 1 || material > m.materialCount) return std::nullopt;
  return MaterialProperties{m.MaterialTable[material].property1, m.MaterialTable[material].property2};
}

void RemoveMaterial(Model& m, int32_t k) {
  if (k < 1 || k > m.materialCount) return;
  RemoveRow(m.MaterialTable, m.materialCount, k);
  for (int32_t i = 1; i <= m.regionPointCount; ++i) {
    int32_t& material = m.RegionPointTable[i].material;
    if (material == k) {
      material = 0;
    } else if (material > k) {
      --material;
    }
  }
}

std::string CapacityMessage(ModelTable table) {
  switch (table) {
    case ModelTable::Nodes: return Tr("Model", "Osiągnięto największą liczbę węzłów (299)");
    case ModelTable::Elements: return Tr("Model", "Osiągnięto największą liczbę elementów (499)");
    case ModelTable::Boundaries: return Tr("Model", "Osiągnięto największą liczbę brzegów (19)");
    case ModelTable::Conditions: return Tr("Model", "Osiągnięto największą liczbę warunków brzegowych (99)");
    case ModelTable::InternalNodes:
      return Tr("Model", "Osiągnięto największą liczbę węzłów wewnętrznych (99)");
    case ModelTable::Materials: return Tr("Model", "Osiągnięto największą liczbę materiałów (99)");
    case ModelTable::RegionPoints: return Tr("Model", "Osiągnięto największą liczbę punktów obszarów (99)");
  }
  return {};
}
