#pragma once
// "Fizyka": the condition and boundary tables, the problem and its
// properties, the current condition and boundary new elements get, and
// the selection tool with the assignment of conditions and boundaries to
// the elements chosen.

#include <QString>
#include <Qt>
#include <memory>
#include <optional>

#include "front/ui/Lazy.h"

class CommandContext;
class ConditionsDialog;
class BoundariesDialog;
class ProblemDialog;

class PhysicsCommands {
 public:
  explicit PhysicsCommands(CommandContext& context);
  ~PhysicsCommands();

  ConditionsDialog& conditionsDialog() { return *conditions_; }
  BoundariesDialog& boundariesDialog() { return *boundaries_; }
  ProblemDialog& problemDialog() { return *problem_; }

  void editConditions();
  void editBoundaries();
  void editProblem();
  // The selection tool: a click picks the element nearest the cursor,
  // Ctrl+click adds or removes one, a dragged rectangle picks every element
  // inside it (Ctrl adds them).
  void startSelection();
  void selectByNumbers();
  void clearSelection();
  void assignCondition();
  void assignBoundary();
  // From the toolbar's selectors. The current condition and boundary say
  // only what new elements get: the file does not hold them, so choosing
  // one is no step of the history and leaves the project saved.
  void setCurrentCondition(int32_t condition);
  void setCurrentBoundary(int32_t boundary);
  // "Fizyka > Bieżący warunek..." and "Bieżący brzeg...": the same, chosen by
  // number from a prompt that says what each number means.
  void chooseCurrentCondition();
  void chooseCurrentBoundary();

  // The selection tool's mouse: true when the tool took the event.
  bool mousePressed(Qt::MouseButton button, int x, int y);
  bool mouseMoved(int x, int y);
  bool mouseReleased(Qt::MouseButton button, int x, int y, Qt::KeyboardModifiers modifiers, int clientHeight);

 private:
  // Asks for the number of a condition or a boundary row, offering the
  // current one and naming what each row is; `prompt` takes the row count
  // as %1.
  enum class Rows { Conditions, Boundaries };
  std::optional<int32_t> askRow(const QString& title, const QString& prompt, Rows rows);
  bool selectionEmpty(const QString& title);
  void showSelectionStatus();

  CommandContext& c_;
  Lazy<ConditionsDialog> conditions_;
  Lazy<BoundariesDialog> boundaries_;
  Lazy<ProblemDialog> problem_;
};
