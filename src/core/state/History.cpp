#include "core/state/History.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// Every bit of the whole table, rows past the counter too.
template <typename Table>
bool SameRows(const Table& a, const Table& b) {
  return std::memcmp(&a, &b, sizeof(Table)) == 0;
}

// The counter and the rows it covers: a cancelled addition leaves its row
// written past the counter, and that is no change of the project.
template <typename Table>
bool SameLiveRows(const Table& a, int32_t countA, const Table& b, int32_t countB) {
  return countA == countB && (countA <= 0 || std::memcmp(&a[1], &b[1], sizeof a[1] * size_t(countA)) == 0);
}

// Every row either table holds, past the counter too.
template <typename Row>
bool SameStoredRows(const MeshTable<Row>& a, const MeshTable<Row>& b) {
  return a.sameRows(b, std::max(a.storedRows(), b.storedRows()));
}

bool SameFloat(float a, float b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

bool SameMaterial(const Material& a, const Material& b) {
  return a.name == b.name && SameFloat(a.property1, b.property1) && SameFloat(a.property2, b.property2);
}

// Materials 1 … count (a name is no plain bytes to compare).
bool SameMaterials(const Model& a, const Model& b, int32_t count) {
  for (int32_t i = 1; i <= count; ++i) {
    if (!SameMaterial(a.MaterialTable[i], b.MaterialTable[i])) return false;
  }
  return true;
}

// The tags count only beside a mesh.
bool SameMeshTags(const Model& a, const Model& b) {
  if (a.meshTriangleCount < 1 || a.meshTags == b.meshTags) return true;
  return a.meshTags && b.meshTags && *a.meshTags == *b.meshTags;
}

}  // namespace

bool SameProject(const Model& a, const Model& b) {
  return SameLiveRows(a.NodeTable, a.nodeCount, b.NodeTable, b.nodeCount) &&
         SameLiveRows(a.ElementTable, a.elementCount, b.ElementTable, b.elementCount) &&
         SameLiveRows(a.BoundaryTable, a.boundaryCount, b.BoundaryTable, b.boundaryCount) &&
         SameLiveRows(a.BcTable, a.bcCount, b.BcTable, b.bcCount) &&
         SameLiveRows(a.InternalNodeTable, a.internalNodeCount, b.InternalNodeTable, b.internalNodeCount) &&
         a.materialCount == b.materialCount && SameMaterials(a, b, a.materialCount) &&
         SameLiveRows(a.RegionPointTable, a.regionPointCount, b.RegionPointTable, b.regionPointCount) &&
         a.meshNodeCount == b.meshNodeCount && a.MeshNodeTable.sameRows(b.MeshNodeTable, a.meshNodeCount) &&
         a.meshTriangleCount == b.meshTriangleCount &&
         a.MeshTriangleTable.sameRows(b.MeshTriangleTable, a.meshTriangleCount) && SameMeshTags(a, b) &&
         a.ProblemKind == b.ProblemKind && SameFloat(a.Conductivity, b.Conductivity) &&
         SameFloat(a.SecondProperty, b.SecondProperty);
}

bool SameElementEnds(const Model& a, const Model& b) {
  if (a.elementCount != b.elementCount) return false;
  for (int32_t e = 1; e <= a.elementCount; ++e) {
    if (a.ElementTable[e].startNode != b.ElementTable[e].startNode ||
        a.ElementTable[e].endNode != b.ElementTable[e].endNode)
      return false;
  }
  return true;
}

bool SameModel(const Model& a, const Model& b) {
  return SameProject(a, b) && SameRows(a.NodeTable, b.NodeTable) &&
         SameRows(a.ElementTable, b.ElementTable) && SameRows(a.BoundaryTable, b.BoundaryTable) &&
         SameRows(a.BcTable, b.BcTable) && SameRows(a.InternalNodeTable, b.InternalNodeTable) &&
         SameMaterials(a, b, kMaxMaterials) && SameRows(a.RegionPointTable, b.RegionPointTable) &&
         SameStoredRows(a.MeshNodeTable, b.MeshNodeTable) &&
         SameStoredRows(a.MeshTriangleTable, b.MeshTriangleTable) && a.SelectedNumber == b.SelectedNumber &&
         a.CurrentBoundary == b.CurrentBoundary && a.CurrentBc == b.CurrentBc &&
         a.MeshFailureFlag == b.MeshFailureFlag && a.CaptionText == b.CaptionText;
}

void History::record(std::string name, const Model& before, bool captionToo) {
  // A clean state among the steps undone can no longer be reached.
  if (cleanAt_ > static_cast<long>(undo_.size())) cleanAt_ = kNowhere;
  undo_.push_back({std::move(name), std::make_unique<Model>(before), captionToo});
  if (undo_.size() > kSteps) {
    undo_.pop_front();
    if (cleanAt_ != kNowhere) --cleanAt_;  // below 0: dropped with the oldest step
  }
  redo_.clear();
}

void History::markClean() {
  cleanAt_ = static_cast<long>(undo_.size());
}

bool History::isClean() const {
  return cleanAt_ == static_cast<long>(undo_.size());
}

void History::Swap(Step& step, Model& model) {
  std::string caption = model.CaptionText;
  std::swap(*step.model, model);
  if (!step.captionToo) model.CaptionText = std::move(caption);
}

bool History::Move(std::deque<Step>& from, std::deque<Step>& to, Model& model) {
  if (from.empty()) return false;
  Step step = std::move(from.back());
  from.pop_back();
  Swap(step, model);
  to.push_back(std::move(step));
  return true;
}

bool History::undo(Model& model) {
  return Move(undo_, redo_, model);
}

bool History::redo(Model& model) {
  return Move(redo_, undo_, model);
}
