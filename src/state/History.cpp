#include "state/History.h"

#include <cstring>
#include <utility>

namespace {

template <typename Table>
bool SameRows(const Table& a, const Table& b) {
  return std::memcmp(&a, &b, sizeof(Table)) == 0;
}

}  // namespace

bool SameProject(const Model& a, const Model& b) {
  return SameRows(a.NodeTable, b.NodeTable) && a.nodeCount == b.nodeCount &&
         SameRows(a.ElementTable, b.ElementTable) && a.elementCount == b.elementCount &&
         SameRows(a.BoundaryTable, b.BoundaryTable) && a.boundaryCount == b.boundaryCount &&
         SameRows(a.BcTable, b.BcTable) && a.bcCount == b.bcCount &&
         SameRows(a.InternalNodeTable, b.InternalNodeTable) && a.internalNodeCount == b.internalNodeCount &&
         SameRows(a.MeshNodeTable, b.MeshNodeTable) && a.meshNodeCount == b.meshNodeCount &&
         SameRows(a.MeshTriangleTable, b.MeshTriangleTable) && a.meshTriangleCount == b.meshTriangleCount &&
         a.ProblemKind == b.ProblemKind && std::memcmp(&a.Conductivity, &b.Conductivity, sizeof(float)) == 0 &&
         std::memcmp(&a.SecondProperty, &b.SecondProperty, sizeof(float)) == 0 &&
         a.CurrentBoundary == b.CurrentBoundary && a.CurrentBc == b.CurrentBc &&
         a.MeshFailureFlag == b.MeshFailureFlag;
}

bool SameModel(const Model& a, const Model& b) {
  return SameProject(a, b) && a.SelectedNumber == b.SelectedNumber && a.CaptionText == b.CaptionText;
}

void History::record(std::string name, const Model& before, bool captionToo) {
  undo_.push_back({std::move(name), std::make_unique<Model>(before), captionToo});
  if (undo_.size() > kSteps) undo_.pop_front();
  redo_.clear();
}

void History::Swap(Step& step, Model& model) {
  std::string caption = model.CaptionText;
  std::swap(*step.model, model);
  if (!step.captionToo) model.CaptionText = std::move(caption);
}

bool History::undo(Model& model) {
  if (undo_.empty()) return false;
  Step step = std::move(undo_.back());
  undo_.pop_back();
  Swap(step, model);
  redo_.push_back(std::move(step));
  return true;
}

bool History::redo(Model& model) {
  if (redo_.empty()) return false;
  Step step = std::move(redo_.back());
  redo_.pop_back();
  Swap(step, model);
  undo_.push_back(std::move(step));
  return true;
}
