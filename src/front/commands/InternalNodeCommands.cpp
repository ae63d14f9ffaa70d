#include "front/commands/InternalNodeCommands.h"

#include <cmath>

#include "core/boundary/InternalNodes.h"
#include "front/boundary/BoundaryDialogs.h"
#include "front/commands/CommandContext.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/Prompter.h"

InternalNodeCommands::InternalNodeCommands(CommandContext& context)
    : c_(context),
      dialog_([&context] { return std::make_shared<InternalNodeDialog>(context.state, context.prompter); }) {}

InternalNodeCommands::~InternalNodeCommands() = default;

ModelPoint InternalNodeCommands::popupPoint(bool alwaysSnap) const {
  ViewTransform view = c_.state.view;
  if (alwaysSnap) view.gridShown = 1;
  const PixelPoint at = c_.state.edit.PopupClickPoint;
  return ScreenToModel(view, c_.state.edit.popupClientHeight, at.x, at.y);
}

void InternalNodeCommands::addInternalNode() {
  Model& m = c_.state.model;
  if (!c_.full(ModelTable::InternalNodes, dialog_->windowTitle())) {
    c_.nameStep(QStringLiteral("dodanie węzła wewnętrznego %1").arg(m.internalNodeCount + 1));
    c_.fillNewRow(AppendInternalNode(m, InternalNode{0, 0}), m.internalNodeCount, *dialog_);
  }
  emit c_.repaintRequested();
}

void InternalNodeCommands::changeInternalNode() {
  c_.state.model.SelectedNumber = 0;
  c_.prompter.showDialog(*dialog_);
  c_.nameStep(
      QStringLiteral("zmiana węzła wewnętrznego %1").arg(c_.firstChangedRow(&Model::InternalNodeTable)));
  emit c_.repaintRequested();
}

void InternalNodeCommands::deleteInternalNode() {
  if (const std::optional<int32_t> k = c_.askNumber(3)) {
    c_.nameStep(QStringLiteral("usunięcie węzła wewnętrznego %1").arg(*k));
    DeleteInternalNode(c_.state.model, *k);
  }
  emit c_.repaintRequested();
}

void InternalNodeCommands::deleteAllInternalNodes() {
  if (c_.prompter.ask(QStringLiteral("Usunąć wszystkie węzły wewnętrzne ?"),
                      QStringLiteral("Usuwanie węzłów wewnętrznych"))) {
    c_.nameStep(QStringLiteral("usunięcie wszystkich węzłów wewnętrznych"));
    c_.state.model.internalNodeCount = 0;
  }
  emit c_.repaintRequested();
}

void InternalNodeCommands::insertInternalNodeAtClick() {
  Model& m = c_.state.model;
  if (m.nodeCount == 0) return;
  const QString title = QStringLiteral("Dodanie węzła wewnętrznego");
  if (c_.full(ModelTable::InternalNodes, title)) return;
  // A surface with no room to draw maps every pixel to infinity or nonsense.
  const ModelPoint p = popupPoint(false);
  const InternalNode node{static_cast<float>(p.x), static_cast<float>(p.y)};
  if (!HasDrawingArea(c_.state.view) || !std::isfinite(node.x) || !std::isfinite(node.y)) return;
  const QString question = QStringLiteral("Dodać punkt wewnętrzny o współrzędnych %1,%2 ?")
                               .arg(DecimalsText(p.x, 6), DecimalsText(p.y, 6));
  if (!c_.prompter.ask(question, title)) return;
  c_.nameStep(QStringLiteral("dodanie węzła wewnętrznego %1").arg(m.internalNodeCount + 1));
  (void)AppendInternalNode(m, node);
  emit c_.repaintRequested();
}

void InternalNodeCommands::removeInternalNodesAtClick() {
  Model& m = c_.state.model;
  if (m.nodeCount == 0) return;
  const ModelPoint p = popupPoint(true);
  c_.nameStep(QStringLiteral("usunięcie węzłów wewnętrznych"));
  bool picked = false;
  // After a deletion the next node has moved into row i; the walk goes on
  // past it, as it always has.
  for (int32_t i = 1; i <= m.internalNodeCount; ++i) {
    if (!PickedByClick(m.InternalNodeTable[i].x, m.InternalNodeTable[i].y, p.x, p.y)) continue;
    picked = true;
    if (c_.prompter.ask(QStringLiteral("Usunąć węzeł %1 ?").arg(i), QStringLiteral("Usuwanie węzła"))) {
      DeleteInternalNode(m, i);
    }
  }
  if (!picked) {
    c_.prompter.message(QStringLiteral("Nie wybrałeś żadnego węzła."),
                        QStringLiteral("Usuwanie węzła wewnętrznego"), MessageIcon::None);
  }
  emit c_.repaintRequested();
}
