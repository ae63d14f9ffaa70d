#include "front/commands/ListCommands.h"

#include "front/commands/CommandContext.h"
#include "front/lists/ListWindows.h"
#include "front/ui/Prompter.h"
#include "front/ui/UiText.h"

ListCommands::ListCommands(CommandContext& c)
    : c_(c),
      nodeList_([&c] {
        return std::make_shared<NodeListWindow>(NodeListWindow::Nodes::Boundary, c.state, c.prompter);
      }),
      internalNodeList_([&c] {
        return std::make_shared<NodeListWindow>(NodeListWindow::Nodes::Internal, c.state, c.prompter);
      }),
      elementList_([&c] {
        return std::make_shared<LineListWindow>(LineListWindow::Lines::Elements, c.state, c.prompter);
      }),
      meshList_([&c] {
        return std::make_shared<LineListWindow>(LineListWindow::Lines::Mesh, c.state, c.prompter);
      }),
      conditionList_([&c] {
        return std::make_shared<LineListWindow>(LineListWindow::Lines::Conditions, c.state, c.prompter);
      }),
      boundaryList_([&c] {
        return std::make_shared<LineListWindow>(LineListWindow::Lines::Boundaries, c.state, c.prompter);
      }) {}

ListCommands::~ListCommands() = default;

void ListCommands::listNodes() {
  c_.state.model.SelectedNumber = 1;
  if (c_.state.model.nodeCount < 1) {
    c_.prompter.message(Ui("ListCommands", "Brak węzłów..."), Ui("ListCommands", "Lista węzłów"),
                        MessageIcon::Exclamation);
    return;
  }
  c_.prompter.showDialog(*nodeList_);
}

void ListCommands::listElements() {
  if (c_.state.model.elementCount < 1) {
    c_.prompter.message(Ui("ListCommands", "Brak elementów..."), Ui("ListCommands", "Lista elementów"),
                        MessageIcon::Exclamation);
    return;
  }
  c_.prompter.showDialog(*elementList_);
}

void ListCommands::listInternalNodes() {
  if (c_.state.model.internalNodeCount >= 1) c_.prompter.showDialog(*internalNodeList_);
}

void ListCommands::listMesh() {
  if (c_.noMesh(Ui("ListCommands", "Lista wyników"))) return;
  c_.prompter.showDialog(*meshList_);
}

// Every project has a condition and a boundary, so these lists always open.
void ListCommands::listConditions() {
  c_.prompter.showDialog(*conditionList_);
}

void ListCommands::listBoundaries() {
  c_.prompter.showDialog(*boundaryList_);
}
