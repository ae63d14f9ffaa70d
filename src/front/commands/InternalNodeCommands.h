#pragma once
// Internal nodes (the mesh's hole points): "Dodaj", "Zmień" and "Usuń" of
// "Węzeł wewnętrzny", "Usuń > Wszystkie węzły wewnętrzne", and the general
// pop-up menu's insertion and removal at the clicked point.

#include <memory>

#include "core/view/ViewTransform.h"
#include "front/ui/Lazy.h"

class CommandContext;
class InternalNodeDialog;

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
  // The pop-up menu's click as a model point, snapped to the grid while it
  // is shown, or always.
  ModelPoint popupPoint(bool alwaysSnap) const;

  CommandContext& c_;
  Lazy<InternalNodeDialog> dialog_;
};
