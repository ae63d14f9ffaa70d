#pragma once
// "Pomoc".

class CommandContext;

class HelpCommands {
 public:
  explicit HelpCommands(CommandContext& context) : c_(context) {}

  void about();

 private:
  CommandContext& c_;
};
