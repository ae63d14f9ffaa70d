#pragma once
// Everything the program holds: the model and the unsaved state beside it,
// with the start-up values and the reset of all four parts.

#include <memory>
#include <optional>
#include <vector>

#include "core/edit/EditState.h"
#include "core/field/FieldValues.h"
#include "core/field/LineSample.h"
#include "core/model/Model.h"
#include "core/results/Solution.h"
#include "core/state/History.h"
#include "core/view/DisplaySettings.h"
#include "core/view/Scene.h"
#include "core/view/ViewTransform.h"

struct AppState {
  Model model;
  ViewTransform view;
  DisplaySettings display;
  EditState edit;
  bool meshShown = true;  // the "Siatka MES" tick item
  // Drawn over the last full picture until the next one: the polyline
  // tool's new node and element.
  std::vector<Primitive> transients;
  // The steps that changed the model, to take back and to do again.
  History history;
  // Rows a model check pointed out, shown until the model next changes.
  Highlights highlights;
  // Elements chosen with the selection tool, in order; kept while the
  // elements keep their ends.
  std::vector<int32_t> selection;
  // The last solve's result, beside the mesh rather than in the history:
  // kept while it fits the model, dropped by any move through the history.
  std::shared_ptr<const Solution> solution;
  // How the solution is shown: "Mapa", "Izolinie", "Odkształcenie", the field.
  SolutionDisplay solutionDisplay;
  // The segment of the last plot along a segment, which the integrals over
  // a segment start from too; none before the first plot.
  std::optional<PlotSegment> plotSegment;
};

// Start-up values of the model, the view, the display switches and the
// editing state. Run once, when the main window is created.
void ModelInit(AppState& state);

// A new project: the model emptied to its defaults (problem kind 1), and
// the view, the display switches and the editing state back to theirs.
void ModelReset(AppState& state);
