#pragma once
// Everything the program holds: the model and the unsaved state beside it.

#include "edit/EditState.h"
#include "model/Model.h"
#include "view/DisplaySettings.h"
#include "view/ViewTransform.h"

struct AppState {
  Model model;
  ViewTransform view;
  DisplaySettings display;
  EditState edit;
  bool meshShown = true;  // the "Siatka MES" tick item
};
