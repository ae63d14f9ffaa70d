#pragma once
// Everything the program holds: the model and the unsaved state beside it.

#include <vector>

#include "edit/EditState.h"
#include "model/Model.h"
#include "view/DisplaySettings.h"
#include "view/Scene.h"
#include "view/ViewTransform.h"

struct AppState {
  Model model;
  ViewTransform view;
  DisplaySettings display;
  EditState edit;
  bool meshShown = true;  // the "Siatka MES" tick item
  // Drawn over the last full picture until the next one: the polyline
  // tool's new node and element.
  std::vector<Primitive> transients;
};
