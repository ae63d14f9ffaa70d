#pragma once
// "Listy" and "Generacja siatki > Lista wyników": the list windows.

#include <memory>

#include "front/ui/Lazy.h"

class CommandContext;
class NodeListWindow;
class LineListWindow;

class ListCommands {
 public:
  explicit ListCommands(CommandContext& context);
  ~ListCommands();

  NodeListWindow& nodeList() { return *nodeList_; }
  NodeListWindow& internalNodeList() { return *internalNodeList_; }
  LineListWindow& elementList() { return *elementList_; }
  LineListWindow& meshList() { return *meshList_; }
  LineListWindow& conditionList() { return *conditionList_; }
  LineListWindow& boundaryList() { return *boundaryList_; }

  void listNodes();
  void listElements();
  void listInternalNodes();
  void listMesh();
  void listConditions();
  void listBoundaries();

 private:
  CommandContext& c_;
  Lazy<NodeListWindow> nodeList_;
  Lazy<NodeListWindow> internalNodeList_;
  Lazy<LineListWindow> elementList_;
  Lazy<LineListWindow> meshList_;
  Lazy<LineListWindow> conditionList_;
  Lazy<LineListWindow> boundaryList_;
};
