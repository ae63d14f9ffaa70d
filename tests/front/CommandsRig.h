#pragma once
// The program's state and commands under a scripted prompter, with the
// window's signals counted.

#include <QSignalSpy>
#include <memory>

#include "ScriptedPrompter.h"
#include "state/AppState.h"
#include "app/Commands.h"

struct CommandsRig {
  std::unique_ptr<AppState> state = std::make_unique<AppState>();
  ScriptedPrompter prompter;
  std::unique_ptr<Commands> commands;
  std::unique_ptr<QSignalSpy> repaints;
  std::unique_ptr<QSignalSpy> captions;

  CommandsRig() {
    ModelInit(*state);
    commands = std::make_unique<Commands>(*state, prompter);
    commands->mesherOptions().helperPath = QStringLiteral(MESHER_PATH).toStdString();
    repaints = std::make_unique<QSignalSpy>(commands.get(), &Commands::repaintRequested);
    captions = std::make_unique<QSignalSpy>(commands.get(), &Commands::captionChanged);
  }

  Model& model() { return state->model; }

  // A closed triangle of three nodes and three elements.
  void triangle() {
    (void)AppendNode(model(), Node{0, 0});
    (void)AppendNode(model(), Node{10, 0});
    (void)AppendNode(model(), Node{0, 10});
    (void)AppendElement(model(), Element{1, 2, 1, 1});
    (void)AppendElement(model(), Element{2, 3, 1, 1});
    (void)AppendElement(model(), Element{3, 1, 1, 1});
  }

  QString lastCaption() const { return captions->isEmpty() ? QString() : captions->last().at(0).toString(); }
};
