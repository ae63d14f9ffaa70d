#include "front/commands/CommandContext.h"

#include <QFile>

#include "core/mesh/ModelCheck.h"
#include "front/edit/EditDialogs.h"
#include "front/ui/Prompter.h"
#include "front/ui/UiText.h"

CommandContext::CommandContext(AppState& s, Prompter& p)
    : state(s), prompter(p), numberPrompt_([&s, &p] { return std::make_shared<NumberPrompt>(s, p); }) {}

CommandContext::~CommandContext() = default;

void CommandContext::setCaption(const QString& caption) {
  state.model.CaptionText = caption.toStdString();
  emit captionChanged(caption);
}

void CommandContext::tracked(const QString& name, const std::function<void()>& change) {
  const auto before = std::make_unique<Model>(state.model);
  const int highlightsSet = highlightsSet_;
  before_ = before.get();
  step_ = name;
  captionStep_ = false;
  cleanAfterStep_ = false;
  {
    // Whatever way the change ends, the snapshot it could see goes with it.
    struct Forget {
      const Model*& before;
      ~Forget() { before = nullptr; }
    } forget{before_};
    change();
  }
  const bool clean = std::exchange(cleanAfterStep_, false);
  const bool changed = !SameProject(*before, state.model);
  if (changed) {
    state.history.record(step_.toStdString(), *before, captionStep_);
    // A selection names elements by number: it goes when they move.
    if (!SameElementEnds(*before, state.model)) state.selection.clear();
    dropSolution();
    // Findings pointed out before this change may name other rows now.
    if (highlightsSet == highlightsSet_ && !state.highlights.empty()) {
      state.highlights = {};
      emit repaintRequested();
    }
  }
  if (clean) state.history.markClean();
  if (changed || clean) emit historyChanged();
}

void CommandContext::nameStep(const QString& name, bool captionToo) {
  step_ = name;
  captionStep_ = captionToo;
}

void CommandContext::markClean() {
  state.history.markClean();
  emit historyChanged();
}

void CommandContext::gridLimitReached() {
  // A message box now would open an event loop inside the work under way.
  if (busy_) {
    gridLimitPending_ = true;
    return;
  }
  prompter.message(Ui("CommandContext", "Błędne ustawienia siatki !"),
                   Ui("CommandContext", "Bład przy odświeżaniu ekranu..."), MessageIcon::None);
  emit repaintRequested();
}

void CommandContext::showHeldGridMessage() {
  if (std::exchange(gridLimitPending_, false)) gridLimitReached();
}

bool CommandContext::full(ModelTable table, const QString& title) {
  if (FreeRows(state.model, table) > 0) return false;
  prompter.message(QString::fromStdString(CapacityMessage(table)), title, MessageIcon::Stop);
  return true;
}

bool CommandContext::noMesh(const QString& title, const QString& message) {
  if (state.model.meshNodeCount >= 1) return false;
  prompter.message(message.isEmpty() ? Ui("CommandContext", "Siatka nie została wygenerowana") : message,
                   title, MessageIcon::Stop);
  return true;
}

void CommandContext::fillNewRow(int32_t row, int32_t& count, QDialog& dialog) {
  state.model.SelectedNumber = row;
  if (prompter.showDialog(dialog) != QDialog::Accepted) --count;
}

std::optional<int32_t> CommandContext::askNumber(NumberUse use) {
  state.model.SelectedNumber = static_cast<int32_t>(use);
  if (prompter.showDialog(*numberPrompt_) != QDialog::Accepted) return std::nullopt;
  return state.model.SelectedNumber;
}

void CommandContext::pointOut(const std::vector<const Finding*>& findings) {
  Highlights shown;
  for (const Finding* f : findings) {
    shown.nodes.insert(shown.nodes.end(), f->nodes.begin(), f->nodes.end());
    shown.elements.insert(shown.elements.end(), f->elements.begin(), f->elements.end());
    shown.internalNodes.insert(shown.internalNodes.end(), f->internalNodes.begin(), f->internalNodes.end());
    shown.regionPoints.insert(shown.regionPoints.end(), f->regionPoints.begin(), f->regionPoints.end());
  }
  state.highlights = std::move(shown);
  ++highlightsSet_;
}

void CommandContext::dropSolution(bool always) {
  if (state.solution && (always || !SolutionFits(*state.solution, state.model))) {
    state.solution.reset();
    emit solutionChanged();
  }
}
