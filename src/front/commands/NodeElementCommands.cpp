#include "front/commands/NodeElementCommands.h"

#include "core/edit/NodeEditing.h"
#include "front/boundary/BoundaryDialogs.h"
#include "front/commands/CommandContext.h"
#include "front/edit/EditDialogs.h"
#include "front/ui/Prompter.h"
#include "front/ui/UiText.h"

NodeElementCommands::NodeElementCommands(CommandContext& context)
    : c_(context),
      nodeDialog_(
          [&context] { return std::make_shared<NodeCoordinatesDialog>(context.state, context.prompter); }),
      elementDialog_(
          [&context] { return std::make_shared<ElementDialog>(context.state, context.prompter); }) {}

NodeElementCommands::~NodeElementCommands() = default;

void NodeElementCommands::addNode() {
  Model& m = c_.state.model;
  if (!c_.full(ModelTable::Nodes, nodeDialog_->windowTitle())) {
    c_.nameStep(Ui("NodeElementCommands", "dodanie węzła %1").arg(m.nodeCount + 1));
    c_.fillNewRow(AppendNode(m, Node{0, 0}), m.nodeCount, *nodeDialog_);
  }
  emit c_.repaintRequested();
}

void NodeElementCommands::changeNodeCoordinates() {
  c_.state.model.SelectedNumber = 0;
  if (c_.state.model.nodeCount > 0) c_.prompter.showDialog(*nodeDialog_);
  c_.nameStep(
      Ui("NodeElementCommands", "zmiana współrzędnych węzła %1").arg(c_.firstChangedRow(&Model::NodeTable)));
  emit c_.repaintRequested();
}

void NodeElementCommands::addElement() {
  Model& m = c_.state.model;
  if (m.nodeCount <= 1) return;
  if (!c_.full(ModelTable::Elements, elementDialog_->windowTitle())) {
    c_.nameStep(Ui("NodeElementCommands", "dodanie elementu %1").arg(m.elementCount + 1));
    c_.fillNewRow(AppendElement(m, Element{1, 1, 1, 1}), m.elementCount, *elementDialog_);
  }
  emit c_.repaintRequested();
}

void NodeElementCommands::changeElement() {
  c_.state.model.SelectedNumber = 0;
  if (c_.state.model.elementCount >= 1) c_.prompter.showDialog(*elementDialog_);
  c_.nameStep(Ui("NodeElementCommands", "zmiana elementu %1").arg(c_.firstChangedRow(&Model::ElementTable)));
  emit c_.repaintRequested();
}

void NodeElementCommands::deleteNode() {
  if (const std::optional<int32_t> k = c_.askNumber(NumberUse::Node)) {
    c_.nameStep(Ui("NodeElementCommands", "usunięcie węzła %1").arg(*k));
    if (DeleteNode(c_.state.model, *k, &c_.state.edit) == NodeDeletion::InUse) {
      c_.prompter.message(Ui("NodeElementCommands", "Nie mogę usunąć węzła, który występuje w elemencie"),
                          Ui("NodeElementCommands", "Usuanie węzła"), MessageIcon::Stop);
    }
  }
  emit c_.repaintRequested();
}

void NodeElementCommands::deleteElement() {
  if (const std::optional<int32_t> k = c_.askNumber(NumberUse::Element)) {
    c_.nameStep(Ui("NodeElementCommands", "usunięcie elementu %1").arg(*k));
    DeleteElement(c_.state.model, *k, &c_.state.edit);
  }
  emit c_.repaintRequested();
}

void NodeElementCommands::removeDuplicateNodes() {
  const QString title = Ui("NodeElementCommands", "Usuwanie podwójnych węzłów");
  if (c_.prompter.ask(Ui("NodeElementCommands", "Usunąć podwójne węzły ?"), title)) {
    c_.nameStep(Ui("NodeElementCommands", "usunięcie podwójnych węzłów"));
    const int32_t removed = RemoveDuplicateNodes(c_.state.model, &c_.state.edit);
    if (removed > 0) {
      c_.prompter.message(Ui("NodeElementCommands", "Usunięto %1 węzłów.").arg(removed), title,
                          MessageIcon::None);
    }
  }
  emit c_.repaintRequested();
}
