#include "edit/Contours.h"

#include <cmath>

#include "boundary/Codes.h"

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
  // A chain goes on only from a node that still exists (commands elsewhere
  // may have emptied the table meanwhile).
  const bool joins = edit.PolylineStarted == 1 && m.nodeCount >= 1;
  if (const auto full = Room(m, 1, joins ? 1 : 0)) return {false, full};
  const int32_t node = AppendNode(m, Node{static_cast<float>(x), static_cast<float>(y)});
  if (joins) {
    (void)AppendElement(m, NewElement(m, node - 1, node));
    ++edit.polylineElements;
    edit.rubberBand.drawn = 0;
  } else {
    edit.polylineElements = 0;
  }
  edit.PolylineStarted = 1;
  return {true, std::nullopt};
}

void EndPolyline(EditState& edit) {
  edit.editMode = EditMode::Idle;
  edit.PolylineStarted = 0;
  edit.polylineElements = 0;
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
  if (edit.PolylineStarted != 1 || m.nodeCount <= 0) return false;
  if (edit.polylineElements >= 1 && m.elementCount >= 1) {
    --m.elementCount;
    --m.nodeCount;
    --edit.polylineElements;
  } else {
    --m.nodeCount;
    edit.PolylineStarted = 0;
  }
  edit.rubberBand.drawn = 0;
  return true;
}

ContourChange AddEllipse(Model& m, const EllipseParams& p) {
  if (!(p.rx > 0.0f) || p.n < 3 || !(p.ry > 0.0f)) return {};
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
