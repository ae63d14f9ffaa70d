#pragma once
// What every command set shares: the program's state, the prompter, the
// signals that tell the window what to update, the one path that records a
// change of the model as a step of its history, and the few dialogs and
// refusals that more than one set uses.

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/model/Model.h"
#include "core/state/AppState.h"
#include "front/ui/Lazy.h"
#include "front/ui/Prompter.h"
#include "front/ui/ShownNames.h"
#include "front/ui/UiText.h"

struct Finding;
class QDialog;
class NumberPrompt;

// The status bar's panels the commands write to, as the window numbers them.
enum class StatusPanel : int {
  X = 0,       // the cursor's or the last point's x
  Y = 1,       // its y
  Prompt = 3,  // what the tool under way waits for
  Detail = 4,  // the selection's count, the polyline's last point
};

// What the number prompt asks for.
enum class NumberUse : int32_t { Node = 1, Element = 2, InternalNode = 3 };

// The pop-up menus a click on the drawing opens.
enum class PopupMenu : int { General = 0, Polyline = 1 };

class CommandContext : public QObject {
  Q_OBJECT

 public:
  CommandContext(AppState& state, Prompter& prompter);
  ~CommandContext() override;

  AppState& state;
  Prompter& prompter;

  void setCaption(const QString& caption);
  // A mesh is being generated or a problem solved: the window paints, but
  // no command starts and no message box opens until the work has ended.
  bool busy() const { return busy_; }

  // Runs a change of the model and records it, under the name the change
  // gave itself (or `name`), when the project differs afterwards.
  void tracked(const QString& name, const std::function<void()>& change);
  // Names the step under way; `captionToo` for a new or opened project.
  void nameStep(const QString& name, bool captionToo = false);
  // The project the step under way leaves is the one on disk, or a new one.
  void cleanAfterStep() { cleanAfterStep_ = true; }
  // The project as it is now is the one on disk.
  void markClean();
  // The first row of a table that differs from the model before the step
  // under way; 0 when there is no such row or no step under way.
  template <typename Table>
  int32_t firstChangedRow(Table Model::*table) const;

  // Runs the long work (the mesher, the solver, the drawing reader) with
  // the context busy until it has ended.
  template <typename F>
  auto whileBusy(F&& work) {
    busy_ = true;
    struct Done {
      bool& flag;
      ~Done() { flag = false; }
    } done{busy_};
    return work();
  }
  // A helper program's options (the mesher's, the drawing reader's) tied
  // to a progress indicator: it is pumped while the helper works, and its
  // "Anuluj" (or a close of the window) ends the work. Where the options
  // ask once more at the end, a late "Anuluj" still counts.
  template <typename Options>
  Options watched(Options options, Progress& progress) const {
    options.whileWaiting = [&progress] { progress.pump(); };
    options.cancelled = [&progress, this] { return progress.cancelled() || cancelRequested_; };
    if constexpr (requires { options.stillWanted; })
      options.stillWanted = [&progress, this] { return !progress.finish() && !cancelRequested_; };
    return options;
  }
  // Once the watched work has ended: closes the indicator and tells whether
  // the user ended the work at any time up to now.
  bool cancelledAtEnd(Progress& progress) const { return progress.finish() || cancelRequested_; }
  // The window was asked to close while the context was busy: the work is
  // cancelled, and once the command has ended the window is asked again.
  void closeWhileBusy() { cancelRequested_ = closeRequested_ = true; }
  bool cancelRequested() const { return cancelRequested_; }
  // The selection's count on the status bar, and again after any command
  // that changed it (an undo, a deletion) once it has been shown.
  void showSelectionCount() {
    shownSelection_ = state.selection.size();
    showStatus(StatusPanel::Detail, Ui("CommandContext", "Wybrane elementy: %1").arg(shownSelection_));
  }
  void showStatus(StatusPanel panel, const QString& text) { emit statusTextChanged(int(panel), text); }
  // Empties the prompt panel once the tool that asked has ended.
  void clearPrompt() { showStatus(StatusPanel::Prompt, QStringLiteral(" ")); }
  void openPopup(PopupMenu menu, const QPoint& at) { emit popupRequested(int(menu), at); }
  // Called as every command ends.
  void commandEnded() {
    cancelRequested_ = false;
    if (shownSelection_ >= 0 && size_t(shownSelection_) != state.selection.size()) showSelectionCount();
    if (std::exchange(closeRequested_, false)) emit closeAskedAgain();
  }
  // After a repaint that had to switch the grid off. While the context is
  // busy the message waits until the work has ended.
  void gridLimitReached();
  // Shows the grid message held back while the context was busy.
  void showHeldGridMessage();

  // Refuses, with its message, an addition to a full table.
  bool full(ModelTable table, const QString& title);
  // Refuses a command that needs a mesh, with `message`, or with "Siatka
  // nie została wygenerowana" when none is given.
  bool noMesh(const QString& title, const QString& message = {});
  // Shows a dialog on the row just appended to a table; the row goes again
  // unless the dialog ends with OK.
  void fillNewRow(int32_t row, int32_t& count, QDialog& dialog);
  // Shows the number prompt for the given use; the typed number, or nothing
  // when it was cancelled.
  std::optional<int32_t> askNumber(NumberUse use);
  NumberPrompt& numberPrompt() { return *numberPrompt_; }

  // Draws the rows the findings name in red until the model next changes.
  void pointOut(const std::vector<const Finding*>& findings);

  // Keeps the solution while it still belongs to the model (`always`: drops
  // it whatever it fits, as a move through the history does).
  void dropSolution(bool always = false);

 signals:
  void repaintRequested();
  void captionChanged(const QString& caption);
  void meshShownChanged(bool shown);
  // `panel` is a StatusPanel.
  void statusTextChanged(int panel, const QString& text);
  // The transients or the rubber band changed within this client rectangle.
  void overlayChanged(const QRect& area);
  // Open the pop-up menu (a PopupMenu) with its corner at this client pixel.
  void popupRequested(int menu, const QPoint& at);
  // A step was recorded, undone or redone.
  void historyChanged();
  // The mesh limit in force, for the toolbar: empty for the basic one.
  void meshLimitChanged(const QString& text);
  // A close put off by a generation, to be asked again now.
  void closeAskedAgain();
  // The current condition or boundary was chosen (no step of the history).
  void currentPhysicsChanged();
  // A solution was stored or dropped.
  void solutionChanged();

 private:
  Lazy<NumberPrompt> numberPrompt_;
  bool busy_ = false;
  bool cancelRequested_ = false;
  qsizetype shownSelection_ = -1;  // the count on the status bar, -1 before the first
  bool closeRequested_ = false;
  bool gridLimitPending_ = false;
  // The step under way: the model before it, its name, and whether the
  // caption belongs to it.
  const Model* before_ = nullptr;
  QString step_;
  bool captionStep_ = false;
  bool cleanAfterStep_ = false;
  int highlightsSet_ = 0;  // counts the times findings were pointed out
};

template <typename Table>
int32_t CommandContext::firstChangedRow(Table Model::*table) const {
  const Table& after = state.model.*table;
  for (int32_t i = 1; before_ != nullptr && i <= Table::capacity; ++i) {
    if (std::memcmp(&(before_->*table)[i], &after[i], sizeof after[i]) != 0) return i;
  }
  return 0;
}
