#pragma once
// Internal nodes (the mesh's hole points): "Dodaj", "Zmień" and "Usuń" of
// "Węzeł wewnętrzny", "Usuń > Wszystkie węzły wewnętrzne", and the general
// pop-up menu's insertion and removal at the clicked point.

#include <functional>
#include <memory>

#include "core/view/ViewTransform.h"
#include "front/ui/Lazy.h"

struct AppState;
class CommandContext;
class InternalNodeDialog;
class QString;

// The general pop-up menu's click as a model point, snapped to the grid
// while it is shown, or always.
ModelPoint PopupModelPoint(const AppState& state, bool alwaysSnap);

// The walk of deletion at a click, shared by the tables of free points:
// rows 1 … count whose point (`at`) the click picks are asked about with
// `question` (its %1 the row) under `title` and deleted on Yes by `remove`. After a
// deletion the next row has moved into row i; the walk goes on past it.
// True when some row was picked, whatever the answers.
bool RemovePickedRows(CommandContext& c, const int32_t& count, const ModelPoint& click,
                      const std::function<ModelPoint(int32_t)>& at, const QString& question,
                      const QString& title, const std::function<void(int32_t)>& remove);

class InternalNodeCommands {
 public:
  explicit InternalNodeCommands(CommandContext& context);
  ~InternalNodeCommands();

  InternalNodeDialog& internalNodeDialog() { return *dialog_; }

  void addInternalNode();
  void changeInternalNode();
  void deleteInternalNode();
  void deleteAllInternalNodes();
  void insertInternalNodeAtClick();
  void removeInternalNodesAtClick();

 private:
  CommandContext& c_;
  Lazy<InternalNodeDialog> dialog_;
};
