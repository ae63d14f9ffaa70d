#pragma once
// Boundary nodes and elements by number: "Dodaj", "Zmień" and "Usuń" of
// "Węzeł" and "Element", and "Usuń > Podwójne węzły".

#include <memory>

#include "front/ui/Lazy.h"

class CommandContext;
class NodeCoordinatesDialog;
class ElementDialog;

class NodeElementCommands {
 public:
  explicit NodeElementCommands(CommandContext& context);
  ~NodeElementCommands();

  NodeCoordinatesDialog& nodeDialog() { return *nodeDialog_; }
  ElementDialog& elementDialog() { return *elementDialog_; }

  void addNode();
  void changeNodeCoordinates();
  void addElement();
  void changeElement();
  void deleteNode();
  void deleteElement();
  void removeDuplicateNodes();

 private:
  CommandContext& c_;
  Lazy<NodeCoordinatesDialog> nodeDialog_;
  Lazy<ElementDialog> elementDialog_;
};
