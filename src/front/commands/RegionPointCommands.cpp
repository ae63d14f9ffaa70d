#include "front/commands/RegionPointCommands.h"

#include <cmath>

#include "front/boundary/MaterialDialogs.h"
#include "front/commands/CommandContext.h"
#include "front/commands/InternalNodeCommands.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/Prompter.h"
#include "front/ui/UiText.h"

namespace {
QString RemovalTitle() {
  return Ui("RegionPointCommands", "Usuwanie punktu obszaru");
}

}  // namespace

RegionPointCommands::RegionPointCommands(CommandContext& c)
    : c_(c),
      materials_([&c] { return std::make_shared<MaterialsDialog>(c.state, c.prompter); }),
      dialog_([&c] { return std::make_shared<RegionPointDialog>(c.state, c.prompter); }) {}

RegionPointCommands::~RegionPointCommands() = default;

void RegionPointCommands::editMaterials() {
  c_.nameStep(Ui("RegionPointCommands", "zmiana materiałów"));
  c_.prompter.showDialog(*materials_);
  emit c_.repaintRequested();
}

void RegionPointCommands::addAt(float x, float y) {
  Model& m = c_.state.model;
  if (c_.full(ModelTable::RegionPoints, dialog_->windowTitle())) return;
  c_.nameStep(Ui("RegionPointCommands", "dodanie punktu obszaru %1").arg(m.regionPointCount + 1));
  c_.fillNewRow(AppendRegionPoint(m, RegionPoint{x, y, 0, 0.0f}), m.regionPointCount, *dialog_);
}

void RegionPointCommands::addRegionPoint() {
  addAt(0.0f, 0.0f);
  emit c_.repaintRequested();
}

void RegionPointCommands::changeRegionPoint() {
  c_.state.model.SelectedNumber = 0;
  c_.nameStep(Ui("RegionPointCommands", "zmiana punktu obszaru"));
  c_.prompter.showDialog(*dialog_);
  emit c_.repaintRequested();
}

void RegionPointCommands::deleteRegionPoint() {
  Model& m = c_.state.model;
  const std::optional<QString> typed =
      c_.prompter.input(RemovalTitle(), Ui("RegionPointCommands", "Nr punktu obszaru"), QStringLiteral("0"));
  if (!typed) return;
  const std::optional<int32_t> k = ParseInteger(*typed);
  if (k && *k >= 1 && *k <= m.regionPointCount) {
    c_.nameStep(Ui("RegionPointCommands", "usunięcie punktu obszaru %1").arg(*k));
    RemoveRow(m.RegionPointTable, m.regionPointCount, *k);
  }
  emit c_.repaintRequested();
}

void RegionPointCommands::insertRegionPointAtClick() {
  if (c_.state.model.nodeCount == 0) return;
  // A surface with no room to draw maps every pixel to infinity or nonsense.
  const ModelPoint p = PopupModelPoint(c_.state, false);
  const float x = static_cast<float>(p.x);
  const float y = static_cast<float>(p.y);
  if (!HasDrawingArea(c_.state.view) || !std::isfinite(x) || !std::isfinite(y)) return;
  addAt(x, y);
  emit c_.repaintRequested();
}

void RegionPointCommands::removeRegionPointsAtClick() {
  Model& m = c_.state.model;
  if (m.nodeCount == 0) return;
  c_.nameStep(Ui("RegionPointCommands", "usunięcie punktów obszaru"));
  const bool picked = RemovePickedRows(
      c_, m.regionPointCount, PopupModelPoint(c_.state, true),
      [&m](int32_t i) {
        return ModelPoint{m.RegionPointTable[i].x, m.RegionPointTable[i].y};
      },
      Ui("RegionPointCommands", "Usunąć punkt obszaru %1 ?"), RemovalTitle(),
      [&m](int32_t i) { RemoveRow(m.RegionPointTable, m.regionPointCount, i); });
  if (!picked)
    c_.prompter.message(Ui("RegionPointCommands", "Nie wybrałeś żadnego punktu obszaru."), RemovalTitle(),
                        MessageIcon::None);
  emit c_.repaintRequested();
}
