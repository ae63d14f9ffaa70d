#pragma once
// The window's commands: one set per menu or subject, all sharing one
// context, and the one path every menu item, toolbar button and pop-up
// entry runs through.

#include <QString>
#include <tuple>
#include <type_traits>

#include "front/commands/CommandContext.h"
#include "front/commands/ContourCommands.h"
#include "front/commands/FileCommands.h"
#include "front/commands/HelpCommands.h"
#include "front/commands/HistoryCommands.h"
#include "front/commands/ImportCommands.h"
#include "front/commands/InternalNodeCommands.h"
#include "front/commands/ListCommands.h"
#include "front/commands/MeshCommands.h"
#include "front/commands/NodeElementCommands.h"
#include "front/commands/PhysicsCommands.h"
#include "front/commands/RegionPointCommands.h"
#include "front/commands/SolveCommands.h"
#include "front/commands/ViewCommands.h"
#include "front/ui/UiText.h"

class Commands {
 public:
  // Every set, and so every dialog and list window, is made here, once.
  Commands(AppState& state, Prompter& prompter);
  ~Commands();
  Commands(const Commands&) = delete;
  Commands& operator=(const Commands&) = delete;

  // The state, the prompter and the signals the sets share.
  CommandContext& context() { return context_; }

  template <typename Set>
  Set& set() {
    return std::get<Set>(sets_);
  }
  FileCommands& files() { return set<FileCommands>(); }
  HistoryCommands& history() { return set<HistoryCommands>(); }
  ContourCommands& contours() { return set<ContourCommands>(); }
  NodeElementCommands& nodes() { return set<NodeElementCommands>(); }
  InternalNodeCommands& internalNodes() { return set<InternalNodeCommands>(); }
  ListCommands& lists() { return set<ListCommands>(); }
  MeshCommands& mesh() { return set<MeshCommands>(); }
  ViewCommands& view() { return set<ViewCommands>(); }
  PhysicsCommands& physics() { return set<PhysicsCommands>(); }
  RegionPointCommands& regions() { return set<RegionPointCommands>(); }
  SolveCommands& solution() { return set<SolveCommands>(); }
  HelpCommands& help() { return set<HelpCommands>(); }
  ImportCommands& imports() { return set<ImportCommands>(); }

  // Runs a command unless the context is busy: while a mesh is generated or
  // a problem solved the window still paints, and nothing may start inside
  // that wait. A
  // command that changes the project becomes a step of its history; a move
  // through the history itself does not.
  template <typename Set>
  void run(void (Set::*command)()) {
    if (context_.busy()) return;
    Set& s = set<Set>();
    if constexpr (std::is_same_v<Set, HistoryCommands>) {
      (s.*command)();
    } else {
      context_.tracked(Ui("Commands", "zmiana modelu"), [&] { (s.*command)(); });
    }
    context_.commandEnded();
  }

 private:
  CommandContext context_;
  std::tuple<FileCommands, HistoryCommands, ContourCommands, NodeElementCommands, InternalNodeCommands,
             ListCommands, MeshCommands, ViewCommands, PhysicsCommands, SolveCommands, HelpCommands,
             ImportCommands, RegionPointCommands>
      sets_;
};
