#include "front/commands/InternalNodeCommands.h"

#include <cmath>

#include "core/boundary/InternalNodes.h"
#include "front/boundary/BoundaryDialogs.h"
#include "front/commands/CommandContext.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/Prompter.h"
#include "front/ui/UiText.h"

InternalNodeCommands::InternalNodeCommands(CommandContext& context)
    : c_(context),
      dialog_([&context] { return std::make_shared<InternalNodeDialog>(context.state, context.prompter); }) {}

InternalNodeCommands::~InternalNodeCommands() = default;

ModelPoint PopupModelPoint(const AppState& state, bool alwaysSnap) {
  ViewTransform view = state.view;
  if (alwaysSnap) view.gridShown = 1;
  const PixelPoint at = state.edit.PopupClickPoint;
  return ScreenToModel(view, state.edit.popupClientHeight, at.x, at.y);
}

bool RemovePickedRows(CommandContext& c, const int32_t& count, const ModelPoint& click,
                      const std::function<ModelPoint(int32_t)>& at, const QString& question,
                      const QString& title, const std::function<void(int32_t)>& remove) {
  bool picked = false;
  for (int32_t i = 1; i <= count; ++i) {
    const ModelPoint p = at(i);
    if (!PickedByClick(float(p.x), float(p.y), click.x, click.y)) continue;
    picked = true;
    if (c.prompter.ask(question.arg(i), title)) remove(i);
  }
  return picked;
}

void InternalNodeCommands::addInternalNode() {
  Model& m = c_.state.model;
  if (!c_.full(ModelTable::InternalNodes, dialog_->windowTitle())) {
    c_.nameStep(Ui("InternalNodeCommands", "dodanie węzła wewnętrznego %1").arg(m.internalNodeCount + 1));
    c_.fillNewRow(AppendInternalNode(m, InternalNode{0, 0}), m.internalNodeCount, *dialog_);
  }
  emit c_.repaintRequested();
}

void InternalNodeCommands::changeInternalNode() {
  c_.state.model.SelectedNumber = 0;
  c_.prompter.showDialog(*dialog_);
  c_.nameStep(Ui("InternalNodeCommands", "zmiana węzła wewnętrznego %1")
                  .arg(c_.firstChangedRow(&Model::InternalNodeTable)));
  emit c_.repaintRequested();
}

void InternalNodeCommands::deleteInternalNode() {
  if (const std::optional<int32_t> k = c_.askNumber(NumberUse::InternalNode)) {
    c_.nameStep(Ui("InternalNodeCommands", "usunięcie węzła wewnętrznego %1").arg(*k));
    DeleteInternalNode(c_.state.model, *k);
  }
  emit c_.repaintRequested();
}

void InternalNodeCommands::deleteAllInternalNodes() {
  if (c_.prompter.ask(Ui("InternalNodeCommands", "Usunąć wszystkie węzły wewnętrzne ?"),
                      Ui("InternalNodeCommands", "Usuwanie węzłów wewnętrznych"))) {
    c_.nameStep(Ui("InternalNodeCommands", "usunięcie wszystkich węzłów wewnętrznych"));
    c_.state.model.internalNodeCount = 0;
  }
  emit c_.repaintRequested();
}

void InternalNodeCommands::insertInternalNodeAtClick() {
  Model& m = c_.state.model;
  if (m.nodeCount == 0) return;
  const QString title = Ui("InternalNodeCommands", "Dodanie węzła wewnętrznego");
  if (c_.full(ModelTable::InternalNodes, title)) return;
  // A surface with no room to draw maps every pixel to infinity or nonsense.
  const ModelPoint p = PopupModelPoint(c_.state, false);
  const InternalNode node{static_cast<float>(p.x), static_cast<float>(p.y)};
  if (!HasDrawingArea(c_.state.view) || !std::isfinite(node.x) || !std::isfinite(node.y)) return;
  const QString question = Ui("InternalNodeCommands", "Dodać punkt wewnętrzny o współrzędnych %1,%2 ?")
                               .arg(DecimalsText(p.x, 6), DecimalsText(p.y, 6));
  if (!c_.prompter.ask(question, title)) return;
  c_.nameStep(Ui("InternalNodeCommands", "dodanie węzła wewnętrznego %1").arg(m.internalNodeCount + 1));
  (void)AppendInternalNode(m, node);
  emit c_.repaintRequested();
}

void InternalNodeCommands::removeInternalNodesAtClick() {
  Model& m = c_.state.model;
  if (m.nodeCount == 0) return;
  c_.nameStep(Ui("InternalNodeCommands", "usunięcie węzłów wewnętrznych"));
  const bool picked = RemovePickedRows(
      c_, m.internalNodeCount, PopupModelPoint(c_.state, true),
      [&m](int32_t i) {
        return ModelPoint{m.InternalNodeTable[i].x, m.InternalNodeTable[i].y};
      },
      Ui("InternalNodeCommands", "Usunąć węzeł %1 ?"), Ui("InternalNodeCommands", "Usuwanie węzła"),
      [&m](int32_t i) { DeleteInternalNode(m, i); });
  if (!picked) {
    c_.prompter.message(Ui("InternalNodeCommands", "Nie wybrałeś żadnego węzła."),
                        Ui("InternalNodeCommands", "Usuwanie węzła wewnętrznego"), MessageIcon::None);
  }
  emit c_.repaintRequested();
}
