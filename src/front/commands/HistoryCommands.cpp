#include "front/commands/HistoryCommands.h"

#include "core/edit/Contours.h"
#include "front/commands/CommandContext.h"

void HistoryCommands::undo() {
  if (c_.state.history.undo(c_.state.model)) afterMove();
}

void HistoryCommands::redo() {
  if (c_.state.history.redo(c_.state.model)) afterMove();
}

void HistoryCommands::afterMove() {
  // The polyline's remembered rows may be gone: the tool ends here.
  if (c_.state.edit.editMode == EditMode::Polyline) emit c_.statusTextChanged(3, QStringLiteral(" "));
  EndPolyline(c_.state.edit);
  c_.state.highlights = {};
  c_.state.selection.clear();
  emit c_.captionChanged(QString::fromStdString(c_.state.model.CaptionText));
  emit c_.repaintRequested();
  emit c_.historyChanged();
}
