#include "front/commands/ContourCommands.h"

#include <algorithm>

#include "core/edit/Contours.h"
#include "front/commands/CommandContext.h"
#include "front/edit/EllipseDialog.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/Prompter.h"
#include "front/ui/UiText.h"

namespace {

QString PolylineTitle() {
  return Ui("ContourCommands", "Linia łamana");
}

// The pixels a line of up to two pixels' width can touch. Ends far off the
// surface are pulled in first, so the arithmetic stays within int.
QRect LineArea(PixelPoint a, PixelPoint b) {
  const auto in = [](int32_t v) { return std::clamp(v, -kPixelLimit, kPixelLimit); };
  return QRect(QPoint(in(a.x), in(a.y)), QPoint(in(b.x), in(b.y))).normalized().adjusted(-3, -3, 3, 3);
}

}  // namespace

ContourCommands::ContourCommands(CommandContext& context)
    : c_(context), ellipseDialog_([&context] {
        return std::make_shared<EllipseDialog>(context.state, context.prompter);
      }) {}

ContourCommands::~ContourCommands() = default;

void ContourCommands::cursorMoved(int x, int y, int clientHeight) {
  AppState& s = c_.state;
  const ModelPoint p = ScreenToModel(s.view, clientHeight, x, y);
  c_.showStatus(StatusPanel::X, QStringLiteral("x=") + GeneralText(p.x));
  c_.showStatus(StatusPanel::Y, QStringLiteral("y=") + GeneralText(p.y));

  // The band runs from the last node's pixel to the raw cursor pixel.
  RubberBand& band = s.edit.rubberBand;
  QRect changed;
  if (RubberBandShown(s.edit)) changed = LineArea(band.anchor, band.end);
  const int32_t lastNode = PolylineLastNode(s.edit);
  if (lastNode >= 1 && lastNode <= s.model.nodeCount) {
    const Node& last = s.model.NodeTable[lastNode];
    const ScreenPoint anchor = ModelToScreen(s.view, clientHeight, last.x, last.y);
    band.anchor = {anchor.x, anchor.y};
    band.end = {x, y};
    band.drawn = 1;
    changed |= LineArea(band.anchor, band.end);
  } else {
    band.drawn = 0;
  }
  if (!changed.isEmpty()) emit c_.overlayChanged(changed);
}

void ContourCommands::mouseDown(Qt::MouseButton button, int x, int y, int clientHeight) {
  const bool polyline = c_.state.edit.editMode == EditMode::Polyline;
  if (button == Qt::RightButton) {
    c_.state.edit.PopupClickPoint = {x, y};
    c_.state.edit.popupClientHeight = clientHeight;
    c_.openPopup(polyline ? PopupMenu::Polyline : PopupMenu::General, QPoint(x, y - 10));
  } else if (button == Qt::LeftButton && polyline) {
    c_.tracked(Ui("ContourCommands", "dodanie punktu linii łamanej"),
               [&] { addPolylinePoint(x, y, clientHeight); });
  }
}

void ContourCommands::addPolylinePoint(int x, int y, int clientHeight) {
  AppState& s = c_.state;
  // A surface with no room to draw maps every pixel to infinity or nonsense.
  if (!HasDrawingArea(s.view)) return;
  const ModelPoint p = ScreenToModel(s.view, clientHeight, x, y);
  RubberBand& band = s.edit.rubberBand;
  const bool bandShown = RubberBandShown(s.edit);
  const QRect oldBand = LineArea(band.anchor, band.end);
  const int32_t elementsBefore = s.model.elementCount;
  const ContourChange change = AddPolylinePoint(s.model, s.edit, p.x, p.y);
  if (!change.done) {
    if (change.full) {
      c_.prompter.message(QString::fromStdString(CapacityMessage(*change.full)), PolylineTitle(),
                          MessageIcon::Stop);
    }
    return;
  }
  const Model& m = s.model;
  const Node& node = m.NodeTable[m.nodeCount];
  QRect changed;
  if (s.display.showNodes == 1) {
    const ScreenPoint a = ModelToScreen(s.view, clientHeight, node.x, node.y, -3, -3);
    const ScreenPoint b = ModelToScreen(s.view, clientHeight, node.x, node.y, 3, 3);
    s.transients.push_back(Primitive{Shape::FillRect, 1, colors::kMaroon, colors::kMaroon, colors::kBlack,
                                     a.x, a.y, b.x, b.y, 0});
    changed |= QRect(QPoint(a.x, a.y), QPoint(b.x, b.y)).normalized();
  }
  if (m.elementCount > elementsBefore) {
    if (bandShown) changed |= oldBand;
    const Element& e = m.ElementTable[m.elementCount];
    const ScreenPoint a =
        ModelToScreen(s.view, clientHeight, m.NodeTable[e.startNode].x, m.NodeTable[e.startNode].y);
    const ScreenPoint b = ModelToScreen(s.view, clientHeight, node.x, node.y);
    s.transients.push_back(
        Primitive{Shape::Line, 1, colors::kBlack, colors::kWhite, colors::kBlack, a.x, a.y, b.x, b.y, 0});
    changed |= LineArea({a.x, a.y}, {b.x, b.y});
    c_.showStatus(StatusPanel::Prompt, Ui("ContourCommands", "Wskaż kolejne punkty myszką"));
    c_.showStatus(StatusPanel::Detail,
                  Ui("ContourCommands", "Ostatni pkt: %1, %2").arg(GeneralText(node.x), GeneralText(node.y)));
  }
  if (!changed.isEmpty()) emit c_.overlayChanged(changed);
}

void ContourCommands::startPolyline() {
  c_.state.edit.editMode = EditMode::Polyline;
  c_.showStatus(StatusPanel::Prompt, Ui("ContourCommands", "Wskaż pierwszy punkt myszką"));
}

void ContourCommands::endPolyline() {
  EndPolyline(c_.state.edit);
  c_.clearPrompt();
  emit c_.repaintRequested();
}

void ContourCommands::closePolyline() {
  if (c_.state.model.elementCount <= 1) return;
  if (!c_.prompter.ask(Ui("ContourCommands", "Zamknąć linie łamaną ?"), PolylineTitle())) return;
  c_.nameStep(Ui("ContourCommands", "zamknięcie linii łamanej"));
  switch (ClosePolyline(c_.state.model, c_.state.edit)) {
    case CloseResult::NoEnd:
      c_.prompter.message(Ui("ContourCommands", "Nie można zamknąć lini łąmanej "), PolylineTitle(),
                          MessageIcon::Stop);
      return;
    case CloseResult::Full:
      c_.prompter.message(QString::fromStdString(CapacityMessage(ModelTable::Elements)), PolylineTitle(),
                          MessageIcon::Stop);
      return;
    case CloseResult::Closed:
      c_.clearPrompt();
      emit c_.repaintRequested();
      return;
  }
}

void ContourCommands::removeLastPoint() {
  c_.nameStep(Ui("ContourCommands", "usunięcie ostatniego elementu"));
  if (RemoveLastPoint(c_.state.model, c_.state.edit)) emit c_.repaintRequested();
}

void ContourCommands::ellipse() {
  c_.nameStep(Ui("ContourCommands", "dodanie elipsy"));
  c_.prompter.showDialog(*ellipseDialog_);
  emit c_.repaintRequested();
}
