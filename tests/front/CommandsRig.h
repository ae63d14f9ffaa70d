#pragma once
// The program's state and commands under a scripted prompter, with the
// window's signals counted.

#include <QSignalSpy>
#include <memory>

#include "ScriptedPrompter.h"
#include "core/state/AppState.h"
#include "front/commands/Commands.h"

struct CommandsRig {
  std::unique_ptr<AppState> state = std::make_unique<AppState>();
  ScriptedPrompter prompter;
  std::unique_ptr<Commands> commands;
  std::unique_ptr<QSignalSpy> repaints, captions, status;

  CommandsRig() {
    ModelInit(*state);
    commands = std::make_unique<Commands>(*state, prompter);
    commands->mesh().mesherOptions().helperPath = MESHER_PATH;
    commands->imports().readerOptions().helperPath = READER_PATH;
    repaints = std::make_unique<QSignalSpy>(&commands->context(), &CommandContext::repaintRequested);
    captions = std::make_unique<QSignalSpy>(&commands->context(), &CommandContext::captionChanged);
    status = std::make_unique<QSignalSpy>(&commands->context(), &CommandContext::statusTextChanged);
  }

  Model& model() { return state->model; }
  ViewTransform& view() { return state->view; }

  // A closed triangle of three nodes and three elements.
  void triangle() {
    for (const Node& n : {Node{0, 0}, Node{10, 0}, Node{0, 10}}) (void)AppendNode(model(), n);
    for (int32_t i = 1; i <= 3; ++i) (void)AppendElement(model(), Element{i, i % 3 + 1, 1, 1});
  }
  // A command of one of the sets, called directly.
  template <typename Set>
  std::function<void()> call(void (Set::*command)()) {
    return [this, command] { (commands->set<Set>().*command)(); };
  }
  // Shows a dialog through its command with one script.
  void withDialog(const std::function<void()>& command, std::function<int(QDialog&)> script) {
    prompter.dialogs = {std::move(script)};
    command();
  }
  template <typename Set>
  void withDialog(void (Set::*command)(), std::function<int(QDialog&)> script) {
    withDialog(call(command), std::move(script));
  }

  QString lastCaption() const { return captions->isEmpty() ? QString() : captions->last().at(0).toString(); }
  // The last text given to a status panel.
  QString statusText(int panel) const {
    for (qsizetype i = status->size() - 1; i >= 0; --i) {
      if (status->at(i).at(0).toInt() == panel) return status->at(i).at(1).toString();
    }
    return {};
  }
};
