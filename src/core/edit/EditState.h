#pragma once
// The state of the mouse tools. Not saved; reset with the model.

#include <cstdint>
#include <vector>

// Segment: the two ends of a plot's segment are being pointed at.
enum class EditMode : int32_t { Idle = 0, Polyline = 2, Select = 3, Segment = 4 };

struct PixelPoint {
  int32_t x = 0;
  int32_t y = 0;
};

// The temporary line from the last polyline node to the cursor.
struct RubberBand {
  int32_t drawn = 0;
  PixelPoint anchor;
  PixelPoint end;
};

// One click of the polyline under way: the node it made and the element
// it made with it (0 for the chain's first point).
struct PolylineStep {
  int32_t node = 0;
  int32_t element = 0;
};

struct EditState {
  EditMode editMode = EditMode::Idle;
  int32_t PolylineStarted = 0;
  // What the polyline under way has made itself, oldest first. A click
  // continues from the last step's node, and removing takes back only these
  // rows, so rows that other commands add meanwhile are never touched.
  std::vector<PolylineStep> polyline;
  RubberBand rubberBand;
  // The selection tool's rectangle while the button is held.
  bool dragging = false;
  PixelPoint dragFrom;
  PixelPoint dragTo;
  // The segment's start, in model coordinates, once it has been pointed at.
  bool segmentStarted = false;
  double segmentX = 0.0;
  double segmentY = 0.0;
  PixelPoint PopupClickPoint;
  int32_t popupClientHeight = 0;  // the drawing surface's height at that click
};

// The polyline's own last node, or 0 when it has none.
inline int32_t PolylineLastNode(const EditState& edit) {
  return edit.PolylineStarted == 1 && !edit.polyline.empty() ? edit.polyline.back().node : 0;
}

// The rubber band is on the surface only while a polyline is under way, or
// a segment whose start has been pointed at.
inline bool RubberBandShown(const EditState& edit) {
  return edit.rubberBand.drawn == 1 &&
         (edit.PolylineStarted == 1 || (edit.editMode == EditMode::Segment && edit.segmentStarted));
}

// Node row `removed` was deleted and the rows after it moved down: the
// polyline's remembered nodes follow. One on the removed row becomes `into`
// when it was merged there, and otherwise goes with its step.
void FollowNodeRemoval(EditState& edit, int32_t removed, int32_t into = 0);
// Element row `removed` was deleted and the rows after it moved down; a
// step that made it keeps its node.
void FollowElementRemoval(EditState& edit, int32_t removed);

inline void ResetEditState(EditState& edit) {
  edit.editMode = EditMode::Idle;
  edit.PolylineStarted = 0;
  edit.polyline.clear();
  edit.rubberBand = RubberBand{};
  edit.dragging = false;
  edit.segmentStarted = false;
}
