#pragma once
// Undo and redo of model changes, as whole snapshots of the model: a full
// model is some tens of kilobytes, so a hundred steps cost a few megabytes,
// and taking a step back gives the model back bit for bit.

#include <cstddef>
#include <deque>
#include <memory>
#include <string>

#include "core/model/Model.h"

// Every byte of two models, stale rows past the counters included.
bool SameModel(const Model& a, const Model& b);
// The same elements from the same nodes to the same nodes.
bool SameElementEnds(const Model& a, const Model& b);
// The project alone: the counters and the rows they cover, and the
// scalars except the dialogs' selected number and the caption, which
// commands set without changing the project, the last generation's
// failure flag, which nothing shows or saves, and the current condition
// and boundary, which say only what new elements get and are not saved.
bool SameProject(const Model& a, const Model& b);

class History {
 public:
  static constexpr size_t kSteps = 100;

  // A change just made, with the model as it was before it. Clears what
  // could be redone; past kSteps the oldest step is dropped. A step that
  // changed the caption (a new or opened project) takes it back too;
  // otherwise the caption stays as it is now.
  void record(std::string name, const Model& before, bool captionToo = false);

  bool canUndo() const { return !undo_.empty(); }
  bool canRedo() const { return !redo_.empty(); }
  const std::string& undoName() const { return undo_.back().name; }
  const std::string& redoName() const { return redo_.back().name; }
  size_t undoCount() const { return undo_.size(); }

  // The project as it is now is the one on disk, or a new one: undoing or
  // redoing back to this point makes it clean again, and any other point
  // differs from it.
  void markClean();
  bool isClean() const;

  // Puts the model back to before the last step (or after the last undone
  // one); false when there is none.
  bool undo(Model& model);
  bool redo(Model& model);

 private:
  struct Step {
    std::string name;
    std::unique_ptr<Model> model;
    bool captionToo = false;
  };
  static void Swap(Step& step, Model& model);
  // Takes the last step of one list back into the model and onto the other.
  static bool Move(std::deque<Step>& from, std::deque<Step>& to, Model& model);

  static constexpr long kNowhere = -1;
  std::deque<Step> undo_;
  std::deque<Step> redo_;
  long cleanAt_ = 0;  // the number of steps behind the clean state, or kNowhere
};
