#include "front/commands/HistoryCommands.h"

#include "core/edit/Contours.h"
#include "core/model/Model.h"
#include "front/commands/CommandContext.h"

void HistoryCommands::undo() {
  move([this](Model& m) { return c_.state.history.undo(m); });
}

void HistoryCommands::redo() {
  move([this](Model& m) { return c_.state.history.redo(m); });
}

void HistoryCommands::move(const std::function<bool(Model&)>& step) {
  // The current condition and boundary are no part of a step: they stay as
  // chosen wherever the rows they name are still there.
  Model& m = c_.state.model;
  const int32_t condition = m.CurrentBc, boundary = m.CurrentBoundary;
  if (!step(m)) return;
  if (condition <= m.bcCount) m.CurrentBc = condition;
  if (boundary <= m.boundaryCount) m.CurrentBoundary = boundary;
  afterMove();
}

void HistoryCommands::afterMove() {
  // The polyline's remembered rows may be gone: the tool ends here.
  if (c_.state.edit.editMode == EditMode::Polyline) c_.clearPrompt();
  EndPolyline(c_.state.edit);
  c_.state.highlights = {};
  c_.state.selection.clear();
  c_.dropSolution(true);
  emit c_.captionChanged(QString::fromStdString(c_.state.model.CaptionText));
  emit c_.repaintRequested();
  emit c_.historyChanged();
}
