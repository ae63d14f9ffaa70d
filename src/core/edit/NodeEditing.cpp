#include "core/edit/NodeEditing.h"

#include <vector>

namespace {

// Removes node row k; element ends past it follow the moved rows, and so
// does the polyline, which finds a merged node at `into`.
void RemoveNodeRow(Model& m, int32_t k, EditState* edit, int32_t into = 0) {
  if (edit != nullptr) FollowNodeRemoval(*edit, k, into);
  RemoveRow(m.NodeTable, m.nodeCount, k);
  for (int32_t i = 1; i <= m.elementCount; ++i) {
    Element& e = m.ElementTable[i];
    if (e.startNode > k) --e.startNode;
    if (e.endNode > k) --e.endNode;
  }
}

}  // namespace

NodeDeletion DeleteNode(Model& m, int32_t k, EditState* edit) {
  if (k < 1 || k > m.nodeCount) return NodeDeletion::NoSuchNode;
  for (int32_t i = 1; i <= m.elementCount; ++i) {
    const Element& e = m.ElementTable[i];
    if (e.startNode == k || e.endNode == k) return NodeDeletion::InUse;
  }
  RemoveNodeRow(m, k, edit);
  return NodeDeletion::Deleted;
}

bool DeleteElement(Model& m, int32_t k, EditState* edit) {
  if (k < 1 || k > m.elementCount) return false;
  if (edit != nullptr) FollowElementRemoval(*edit, k);
  RemoveRow(m.ElementTable, m.elementCount, k);
  return true;
}

int32_t RemoveDuplicateNodes(Model& m, EditState* edit) {
  int32_t removed = 0;
  for (int32_t i = 1; i <= m.nodeCount; ++i) {
    for (int32_t j = i + 1; j <= m.nodeCount;) {
      const Node &a = m.NodeTable[i], &b = m.NodeTable[j];
      if (a.x != b.x || a.y != b.y) {
        ++j;
        continue;
      }
      for (int32_t e = 1; e <= m.elementCount; ++e) {
        Element& el = m.ElementTable[e];
        if (el.startNode == j) el.startNode = i;
        if (el.endNode == j) el.endNode = i;
      }
      // The node that moves into row j is compared with node i too.
      RemoveNodeRow(m, j, edit, i);
      ++removed;
    }
  }
  return removed;
}

void FollowNodeRemoval(EditState& edit, int32_t removed, int32_t into) {
  std::vector<PolylineStep>& steps = edit.polyline;
  for (PolylineStep& step : steps) {
    if (step.node == removed) step.node = into;
    if (step.node > removed) --step.node;
  }
  std::erase_if(steps, [](const PolylineStep& step) { return step.node == 0; });
}

void FollowElementRemoval(EditState& edit, int32_t removed) {
  for (PolylineStep& step : edit.polyline) {
    if (step.element == removed) step.element = 0;
    if (step.element > removed) --step.element;
  }
}
