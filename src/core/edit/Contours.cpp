#include "core/edit/Contours.h"

#include <cmath>

#include "core/boundary/Codes.h"

namespace {

std::optional<ModelTable> Room(const Model& m, int32_t nodes, int32_t elements) {
  if (FreeRows(m, ModelTable::Nodes) < nodes) return ModelTable::Nodes;
  if (FreeRows(m, ModelTable::Elements) < elements) return ModelTable::Elements;
  return std::nullopt;
}

Element NewElement(const Model& m, int32_t from, int32_t to) {
  return Element{from, to, m.CurrentBc, m.CurrentBoundary};
}

}  // namespace

ContourChange AddPolylinePoint(Model& m, EditState& edit, double x, double y) {
  const Node node{static_cast<float>(x), static_cast<float>(y)};
  if (!std::isfinite(node.x) || !std::isfinite(node.y)) return {};
  // A chain goes on from its own last point, while that node still exists.
  const int32_t from = PolylineLastNode(edit);
  const bool joins = from >= 1 && from <= m.nodeCount;
  if (const auto full = Room(m, 1, joins ? 1 : 0)) return {false, full};
  if (!joins) edit.polyline.clear();
  PolylineStep step{AppendNode(m, node), 0};
  if (joins) {
    step.element = AppendElement(m, NewElement(m, from, step.node));
    edit.rubberBand.drawn = 0;
  }
  edit.polyline.push_back(step);
  edit.PolylineStarted = 1;
  return {true, std::nullopt};
}

void EndPolyline(EditState& edit) {
  edit.editMode = EditMode::Idle;
  edit.PolylineStarted = 0;
  edit.polyline.clear();
}

int32_t ChainStart(const Model& m) {
  const int32_t last = m.nodeCount;
  int32_t cur = m.elementCount;
  if (cur < 1) return last;
  const Element& e = m.ElementTable[cur];
  int32_t p = e.startNode == last ? e.endNode : e.startNode;
  int32_t prev = p;
  for (int32_t step = 0; step < m.elementCount; ++step) {
    for (int32_t j = 1; j <= m.elementCount; ++j) {
      if (j == cur) continue;
      const Element& f = m.ElementTable[j];
      if (f.startNode == p) {
        p = f.endNode;
        cur = j;
        break;
      }
      if (f.endNode == p) {
        p = f.startNode;
        cur = j;
        break;
      }
    }
    if (p == prev) return p;  // no element led on: a free end
    prev = p;
  }
  return last;
}

CloseResult ClosePolyline(Model& m, EditState& edit) {
  const int32_t last = m.nodeCount;
  const int32_t start = ChainStart(m);
  if (start == last) return CloseResult::NoEnd;
  if (Room(m, 0, 1)) return CloseResult::Full;
  const bool forward = m.ElementTable[m.elementCount].startNode == start;
  (void)AppendElement(m, forward ? NewElement(m, start, last) : NewElement(m, last, start));
  EndPolyline(edit);
  return CloseResult::Closed;
}

bool RemoveLastPoint(Model& m, EditState& edit) {
  if (edit.PolylineStarted != 1 || edit.polyline.empty()) return false;
  const PolylineStep step = edit.polyline.back();
  // Only rows that are still the last of their tables, and a node that no
  // other element has come to use.
  if (step.node != m.nodeCount || (step.element != 0 && step.element != m.elementCount)) return false;
  const int32_t keptElements = m.elementCount - (step.element != 0 ? 1 : 0);
  for (int32_t i = 1; i <= keptElements; ++i) {
    const Element& e = m.ElementTable[i];
    if (e.startNode == step.node || e.endNode == step.node) return false;
  }
  m.elementCount = keptElements;
  --m.nodeCount;
  edit.polyline.pop_back();
  if (edit.polyline.empty()) edit.PolylineStarted = 0;  // the next click starts afresh
  edit.rubberBand.drawn = 0;
  return true;
}

ContourChange AddEllipse(Model& m, const EllipseParams& p) {
  if (!(p.rx > 0.0f) || p.n < 3 || !(p.ry > 0.0f)) return {};
  // The ring's extremes bound every node: all of it is finite, or none.
  for (const double v :
       {double(p.xc) - p.rx, double(p.xc) + p.rx, double(p.yc) - p.ry, double(p.yc) + p.ry}) {
    if (!std::isfinite(static_cast<float>(v))) return {};
  }
  if (const auto full = Room(m, p.n, p.n)) return {false, full};
  float d = 6.283f / static_cast<float>(p.n);
  if (m.BoundaryTable[m.CurrentBoundary].kind == kBoundaryInner) d = -d;
  const int32_t first = m.nodeCount + 1;
  for (int32_t i = 0; i < p.n; ++i) {
    const double angle = double(i) * double(d);
    (void)AppendNode(m, Node{static_cast<float>(p.xc + double(p.rx) * std::cos(angle)),
                             static_cast<float>(p.yc + double(p.ry) * std::sin(angle))});
  }
  for (int32_t i = 0; i < p.n; ++i) {
    (void)AppendElement(m, NewElement(m, first + i, i + 1 < p.n ? first + i + 1 : first));
  }
  return {true, std::nullopt};
}
