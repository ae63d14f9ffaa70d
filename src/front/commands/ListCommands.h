#pragma once
// "Listy" and "Generacja siatki > Lista wyników": the list windows.

#include <memory>

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
  std::unique_ptr<NodeListWindow> nodeList_;
  std::unique_ptr<NodeListWindow> internalNodeList_;
  std::unique_ptr<LineListWindow> elementList_;
  std::unique_ptr<LineListWindow> meshList_;
  std::unique_ptr<LineListWindow> conditionList_;
  std::unique_ptr<LineListWindow> boundaryList_;
};
