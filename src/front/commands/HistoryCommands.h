#pragma once
// "Edycja": undo and redo of model changes. Moving through the history is
// no step of it.

class CommandContext;

class HistoryCommands {
 public:
  explicit HistoryCommands(CommandContext& context) : c_(context) {}

  void undo();
  void redo();

 private:
  void afterMove();

  CommandContext& c_;
};
