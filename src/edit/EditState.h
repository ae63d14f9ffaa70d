#pragma once
// The state of the mouse tools. Not saved; reset with the model.

#include <cstdint>

enum class EditMode : int32_t { Idle = 0, Polyline = 2 };

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

struct EditState {
  EditMode editMode = EditMode::Idle;
  int32_t PolylineStarted = 0;
  // Elements the polyline under way has made itself, so that removing its
  // last point never reaches into an earlier contour.
  int32_t polylineElements = 0;
  RubberBand rubberBand;
  PixelPoint PopupClickPoint;
};

// The rubber band is on the surface only while a polyline is under way.
inline bool RubberBandShown(const EditState& edit) {
  return edit.rubberBand.drawn == 1 && edit.PolylineStarted == 1;
}

inline void ResetEditState(EditState& edit) {
  edit.editMode = EditMode::Idle;
  edit.PolylineStarted = 0;
  edit.polylineElements = 0;
  edit.rubberBand = RubberBand{};
}
