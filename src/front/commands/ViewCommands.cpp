#include "front/commands/ViewCommands.h"

#include "core/field/SolutionPicture.h"
#include "front/commands/CommandContext.h"
#include "front/ui/Prompter.h"
#include "front/ui/UiText.h"
#include "front/view/ViewDialogs.h"

ViewCommands::ViewCommands(CommandContext& c)
    : c_(c),
      screenDialog_([&c] { return std::make_shared<ScreenSettingsDialog>(c.state, c.prompter); }),
      gridDialog_([&c, dx = c.state.view.gridDx, dy = c.state.view.gridDy] {
        return std::make_shared<GridDialog>(c.state, c.prompter, dx, dy);
      }),
      regionDialog_([&c] { return std::make_shared<RegionDialog>(c.state, c.prompter); }) {}

ViewCommands::~ViewCommands() = default;

void ViewCommands::zoomIn() {
  if (!ZoomIn(c_.state.view)) {
    c_.prompter.message(Ui("ViewCommands", "Zmień gęstość siatki aby powiększyć bardziej..."),
                        QStringLiteral("Vendrel Korbel"), MessageIcon::None);
  }
  emit c_.repaintRequested();
}

void ViewCommands::zoomOut() {
  moved(ZoomOut);
}

void ViewCommands::panLeft() {
  moved(PanLeft);
}

void ViewCommands::panRight() {
  moved(PanRight);
}

void ViewCommands::panUp() {
  moved(PanUp);
}

void ViewCommands::panDown() {
  moved(PanDown);
}

void ViewCommands::moved(void (*move)(ViewTransform&)) {
  move(c_.state.view);
  emit c_.repaintRequested();
}

void ViewCommands::showAll() {
  AppState& s = c_.state;
  // With a solution shown, all of it fits beside the colour bar's strip.
  if (const std::optional<NodesBox> box = ShownSolutionBox(s.model, s.solution, s.solutionDisplay)) {
    ShowBox(s.view, *box, area_ ? area_() : DrawingArea{});
    emit c_.repaintRequested();
  } else if (ShowAll(s.view, s.model)) {
    emit c_.repaintRequested();
  }
}

void ViewCommands::screenSettings() {
  AppState& s = c_.state;
  const DisplaySettings display = s.display;
  const ViewTransform view = s.view;
  if (c_.prompter.showDialog(*screenDialog_) != QDialog::Accepted) {
    s.display = display;
    s.view.gridShown = view.gridShown;
    s.view.gridDx = view.gridDx;
    s.view.gridDy = view.gridDy;
  }
  emit c_.repaintRequested();
}

void ViewCommands::gridSettings() {
  c_.prompter.showDialog(*gridDialog_);
  emit c_.repaintRequested();
}

void ViewCommands::regionSettings() {
  if (c_.prompter.showDialog(*regionDialog_) == QDialog::Accepted) emit c_.repaintRequested();
}

void ViewCommands::toggleMeshShown() {
  AppState& s = c_.state;
  if (s.model.meshTriangleCount >= 1) {
    s.meshShown = !s.meshShown;
    emit c_.meshShownChanged(s.meshShown);
    emit c_.repaintRequested();
  } else {
    s.meshShown = false;
    emit c_.meshShownChanged(false);
  }
}

void ViewCommands::toggleConditionColours() {
  c_.state.display.colourByCondition = c_.state.display.colourByCondition == 1 ? 0 : 1;
  emit c_.repaintRequested();
}

void ViewCommands::toggleMaterialColours() {
  c_.state.display.colourByMaterial = c_.state.display.colourByMaterial == 1 ? 0 : 1;
  emit c_.repaintRequested();
}
