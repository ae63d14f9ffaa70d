#include "core/state/AppState.h"

namespace {

void ResetAroundTheModel(AppState& s) {
  ResetViewDefaults(s.view);
  s.display = DisplaySettings{};
  ResetEditState(s.edit);
  s.selection.clear();
  s.solution.reset();
  s.solutionDisplay = SolutionDisplay{};
  s.plotSegment.reset();
}

}  // namespace

void ModelInit(AppState& s) {
  InitModelData(s.model);
  ResetAroundTheModel(s);
}

void ModelReset(AppState& s) {
  ResetModelData(s.model);
  ResetAroundTheModel(s);
}
