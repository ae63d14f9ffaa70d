#pragma once
// Building contours: the polyline tool's steps and the ellipse.

#include <cstdint>
#include <optional>

#include "core/edit/EditState.h"
#include "core/model/Model.h"

// What an operation that appends rows did; `full` names the table that had
// no room when the operation was refused whole.
struct ContourChange {
  bool done = false;
  std::optional<ModelTable> full;
};

// A left click of the polyline tool at a model position: one node and, after
// the first point, the element from the polyline's previous point. Refused
// whole when either table has no room; refused silently (done and full both
// empty) when the position is not finite in single precision.
ContourChange AddPolylinePoint(Model& model, EditState& edit, double x, double y);

// Leaves the polyline open and the tool idle.
void EndPolyline(EditState& edit);

// The first node of the chain that ends at the model's last node, found by
// walking back from the last element; the last node itself when the walk
// finds no free end (a closed chain).
int32_t ChainStart(const Model& model);

enum class CloseResult { NoEnd, Closed, Full };

// Appends the element that closes the chain, continuing its direction, and
// ends the tool. Call only with at least two elements, after the user's Yes.
CloseResult ClosePolyline(Model& model, EditState& edit);

// Removes the polyline's last point and, when it made one, its last element,
// while both are still the last rows of their tables. With only the first
// point placed, that point goes and the next click starts afresh. Does
// nothing (false) unless a polyline is under way and its rows are last.
bool RemoveLastPoint(Model& model, EditState& edit);

struct EllipseParams {
  int32_t n = 18;
  float rx = 10.0f;
  float xc = 0.0f;
  float yc = 0.0f;
  float ry = 10.0f;
};

// A closed ring of n nodes and n elements, counter-clockwise on an outer
// current boundary and clockwise on an inner one. Nothing is created for
// n < 3, a radius not above zero or a ring that would reach past the single
// precision range (done stays false, full empty), or when
// the tables have no room for all of it.
ContourChange AddEllipse(Model& model, const EllipseParams& params);
