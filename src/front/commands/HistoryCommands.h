#pragma once
// "Edycja": undo and redo of model changes. Moving through the history is
// no step of it.

#include <functional>

class CommandContext;
struct Model;

class HistoryCommands {
 public:
  explicit HistoryCommands(CommandContext& context) : c_(context) {}

  void undo();
  void redo();

 private:
  void move(const std::function<bool(Model&)>& step);
  void afterMove();

  CommandContext& c_;
};
