#include "front/app/Commands.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QRect>
#include <algorithm>
#include <cstring>
#include <utility>

#include "front/boundary/BoundaryDialogs.h"
#include "core/boundary/InternalNodes.h"
#include "core/edit/Contours.h"
#include "front/edit/EditDialogs.h"
#include "front/edit/EllipseDialog.h"
#include "core/edit/NodeEditing.h"
#include "core/files/ExportFile.h"
#include "core/files/ProjectFile.h"
#include "front/lists/ListWindows.h"
#include "core/mesh/ModelCheck.h"
#include "core/state/AppState.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/Prompter.h"
#include "front/view/ViewDialogs.h"

namespace {

const QString kAppTitle = QStringLiteral("Vendrel Korbel");
const QString kMeshTitle = QStringLiteral("Generacja siatki");
const QString kDiskErrorTitle = QStringLiteral("Błąd operacji dyskowej");
const QString kPolylineTitle = QStringLiteral("Linia łamana");

// The pixels a line of up to two pixels' width can touch. Ends far off the
// surface are pulled in first, so the arithmetic stays within int.
QRect LineArea(PixelPoint a, PixelPoint b) {
  const auto in = [](int32_t v) { return std::clamp(v, -kPixelLimit, kPixelLimit); };
  return QRect(QPoint(in(a.x), in(a.y)), QPoint(in(b.x), in(b.y))).normalized().adjusted(-3, -3, 3, 3);
}

FileDialogSpec ProjectDialog(const QString& title, bool confirmOverwrite) {
  return {title,
          {QStringLiteral("Pliki Vendrela Korbel (*.vdk)"), QStringLiteral("Wszystkie pliki (*.*)")},
          QStringLiteral("vdk"),
          confirmOverwrite};
}

QString FileCaption(const QString& path) {
  return QStringLiteral("Vendrel korbel v1.0 %1").arg(path);
}

std::string Local(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

QString Text(const std::string& s) {
  return QString::fromStdString(s);
}

char DecimalPoint() {
  const QString point = QLocale().decimalPoint();
  return point.size() == 1 && point[0].unicode() < 128 ? char(point[0].unicode()) : '.';
}

// The first row of a table that differs from the model before the step,
// for the step's name; 0 when there is no such row or no step under way.
template <typename Table>
int32_t FirstChanged(const Model* before, Table Model::*table, const Model& after) {
  for (int32_t i = 1; before != nullptr && i <= Table::capacity; ++i) {
    if (std::memcmp(&(before->*table)[i], &(after.*table)[i], sizeof(after.*table)[i]) != 0) return i;
  }
  return 0;
}

}  // namespace

Commands::Commands(AppState& state, Prompter& prompter)
    : state_(state),
      prompter_(prompter),
      screenDialog_(std::make_unique<ScreenSettingsDialog>(state, prompter)),
      gridDialog_(std::make_unique<GridDialog>(state, prompter)),
      regionDialog_(std::make_unique<RegionDialog>(state, prompter)),
      ellipseDialog_(std::make_unique<EllipseDialog>(state, prompter)),
      nodeDialog_(std::make_unique<NodeCoordinatesDialog>(state, prompter)),
      numberPrompt_(std::make_unique<NumberPrompt>(state, prompter)),
      elementDialog_(std::make_unique<ElementDialog>(state, prompter)),
      internalNodeDialog_(std::make_unique<InternalNodeDialog>(state, prompter)),
      nodeList_(std::make_unique<NodeListWindow>(NodeListWindow::Nodes::Boundary, state, prompter)),
      internalNodeList_(std::make_unique<NodeListWindow>(NodeListWindow::Nodes::Internal, state, prompter)),
      elementList_(std::make_unique<LineListWindow>(LineListWindow::Lines::Elements, state, prompter)),
      meshList_(std::make_unique<LineListWindow>(LineListWindow::Lines::Mesh, state, prompter)) {
  mesher_.helperPath = DefaultMesherPath();
  // Keep the window painted while the helper works, but take no input.
  mesher_.whileWaiting = [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
}

Commands::~Commands() = default;

void Commands::setCaption(const QString& caption) {
  state_.model.CaptionText = caption.toStdString();
  emit captionChanged(caption);
}

void Commands::newProject() {
  if (!prompter_.ask(QStringLiteral("Tworząc nowy projekt utracisz wszystkie dane..."),
                     QStringLiteral("Nowy projekt"))) {
    return;
  }
  nameStep(QStringLiteral("nowy projekt"), true);
  ModelReset(state_);
  emit statusTextChanged(3, QStringLiteral(" "));
  setCaption(QStringLiteral("Vendrel Korbel v1.0"));
  emit repaintRequested();
}

void Commands::openProject() {
  if (!prompter_.ask(QStringLiteral("Czy chcesz utracić aktualne dane ?"), QStringLiteral("Otwórz plik"))) {
    return;
  }
  nameStep(QStringLiteral("otwarcie pliku"), true);
  ModelReset(state_);
  emit statusTextChanged(3, QStringLiteral(" "));
  // The old model is gone from here on; the picture must not keep showing it.
  emit repaintRequested();
  const std::optional<QString> path =
      prompter_.openFileName(ProjectDialog(QStringLiteral("Otwarcie pliku"), false));
  if (path) loadProject(*path);
}

void Commands::openProjectFile(const QString& path) {
  ModelReset(state_);
  loadProject(path);
}

void Commands::loadProject(const QString& path) {
  const FileResult r = LoadProjectFile(Local(path), state_.model);
  if (!r.ok) {
    emit repaintRequested();
    prompter_.message(Text(r.message), QStringLiteral("Odczyt z pliku"), MessageIcon::Stop);
    return;
  }
  setCaption(FileCaption(path));
  emit repaintRequested();
  prompter_.message(QStringLiteral("Odczytano dane z pliku %1").arg(path), QStringLiteral("Odczyt z pliku"),
                    MessageIcon::Exclamation);
}

void Commands::saveProject() {
  if (state_.model.nodeCount == 0) {
    prompter_.message(QStringLiteral("Ilość węzłów równa 0"), QStringLiteral("Błąd zapisu"),
                      MessageIcon::Stop);
    return;
  }
  const std::optional<QString> path =
      prompter_.saveFileName(ProjectDialog(QStringLiteral("Zapis pliku"), true));
  if (!path) return;
  const FileResult r = SaveProjectFile(state_.model, Local(*path));
  if (!r.ok) {
    prompter_.message(Text(r.message), kDiskErrorTitle, MessageIcon::Stop);
    return;
  }
  setCaption(FileCaption(*path));
  prompter_.message(QStringLiteral("Zapisano dane do pliku %1").arg(*path), QStringLiteral("Zapis do pliku"),
                    MessageIcon::Exclamation);
}

void Commands::exportMesh() {
  if (state_.model.meshNodeCount < 1) {
    prompter_.message(QStringLiteral("Siatka nie została wygenerowana"), QStringLiteral("Eksport do..."),
                      MessageIcon::Stop);
    return;
  }
  const FileDialogSpec options{
      QStringLiteral("Eksport siatki"),
      {QStringLiteral("Pliki DEV2O Korbela (*.m2d)"), QStringLiteral("Pliki ULMEX (*.ulx)"),
       QStringLiteral("Pliki Korbela nieliniowa  (*.n2d)"), QStringLiteral("Wszystkie pliki (*.*)")},
      QStringLiteral("m2d"),
      false};
  const std::optional<QString> path = prompter_.saveFileName(options);
  if (!path) return;
  const ExportLayout layout = LayoutForName(path->toStdString());
  const FileResult r = WriteExportFile(state_.model, layout, Local(*path));
  if (!r.ok) {
    prompter_.message(Text(r.message), kDiskErrorTitle, MessageIcon::Exclamation);
    return;
  }
  if (layout == ExportLayout::N2d) {
    prompter_.message(QStringLiteral("Plik wyeksportowano poprawnie"),
                      QStringLiteral("Eksport do MES 2D KORBELA NIELINIOWA"), MessageIcon::None);
  } else if (layout == ExportLayout::M2d) {
    prompter_.message(QStringLiteral("Plik wyeksportowano poprawnie"),
                      QStringLiteral("Eksport do MES 2D KORBELA"), MessageIcon::None);
  }
}

void Commands::generateMesh() {
  const std::optional<QString> text =
      prompter_.input(kMeshTitle, QStringLiteral("Podaj maksymalne pole trójkąta :"), GeneralText(10));
  if (!text) return;
  const std::optional<double> area = ParseNumber(*text);
  if (!area || !(*area > 0.0)) return;
  lastArea_ = *area;
  if (state_.model.elementCount < 3) return;
  nameStep(QStringLiteral("generacja siatki"));
  generating_ = true;
  const MeshOutcome outcome = GenerateMesh(state_.model, *area, mesher_);
  generating_ = false;
  if (outcome == MeshOutcome::Overflow) {
    prompter_.message(QStringLiteral("Zbyt duża liczba elementów lub węzłów"), kMeshTitle, MessageIcon::Stop);
  }
  if (outcome == MeshOutcome::Success) {
    prompter_.message(QStringLiteral("Generacja siatki powiodła się"), kMeshTitle, MessageIcon::Exclamation);
  } else {
    prompter_.message(QStringLiteral("Generacja siatki nie powiodła się"), kMeshTitle, MessageIcon::Stop);
    const std::vector<Finding> findings = CheckModel(state_.model, *area, DecimalPoint());
    if (!showFindings(findings, kMeshTitle, QStringLiteral("Możliwe przyczyny:"))) {
      prompter_.message(QStringLiteral("Sprawdzenie modelu nie znalazło znanej sobie przyczyny."), kMeshTitle,
                        MessageIcon::None);
    }
  }
  emit repaintRequested();
  if (std::exchange(gridLimitPending_, false)) gridLimitReached();
}

void Commands::checkModel() {
  const QString title = QStringLiteral("Sprawdź model");
  if (!showFindings(CheckModel(state_.model, lastArea_, DecimalPoint()), title,
                    QStringLiteral("Znalezione błędy:"))) {
    prompter_.message(QStringLiteral("Nie znaleziono błędów"), title, MessageIcon::None);
  }
  emit repaintRequested();
}

bool Commands::showFindings(const std::vector<Finding>& findings, const QString& title, const QString& lead) {
  Highlights shown;
  for (const Finding& f : findings) {
    shown.nodes.insert(shown.nodes.end(), f.nodes.begin(), f.nodes.end());
    shown.elements.insert(shown.elements.end(), f.elements.begin(), f.elements.end());
    shown.internalNodes.insert(shown.internalNodes.end(), f.internalNodes.begin(), f.internalNodes.end());
  }
  state_.highlights = std::move(shown);
  ++highlightsSet_;
  if (findings.empty()) return false;
  constexpr size_t kListed = 6;
  QString text = lead;
  for (size_t i = 0; i < findings.size() && i < kListed; ++i) text += u'\n' + Text(findings[i].text);
  if (findings.size() > kListed) text += QStringLiteral("\n… i %1 innych.").arg(findings.size() - kListed);
  prompter_.message(text, title, MessageIcon::Exclamation);
  return true;
}

void Commands::toggleMeshShown() {
  if (state_.model.meshTriangleCount >= 1) {
    state_.meshShown = !state_.meshShown;
    emit meshShownChanged(state_.meshShown);
    emit repaintRequested();
  } else {
    state_.meshShown = false;
    emit meshShownChanged(false);
  }
}

void Commands::zoomIn() {
  if (!ZoomIn(state_.view)) {
    prompter_.message(QStringLiteral("Zmień gęstość siatki aby powiększyć bardziej..."), kAppTitle,
                      MessageIcon::None);
  }
  emit repaintRequested();
}

void Commands::zoomOut() {
  ZoomOut(state_.view);
  emit repaintRequested();
}

void Commands::panLeft() {
  PanLeft(state_.view);
  emit repaintRequested();
}

void Commands::panRight() {
  PanRight(state_.view);
  emit repaintRequested();
}

void Commands::panUp() {
  PanUp(state_.view);
  emit repaintRequested();
}

void Commands::panDown() {
  PanDown(state_.view);
  emit repaintRequested();
}

void Commands::showAll() {
  if (ShowAll(state_.view, state_.model)) emit repaintRequested();
}

void Commands::screenSettings() {
  const DisplaySettings display = state_.display;
  const ViewTransform view = state_.view;
  if (prompter_.showDialog(*screenDialog_) != QDialog::Accepted) {
    state_.display = display;
    state_.view.gridShown = view.gridShown;
    state_.view.gridDx = view.gridDx;
    state_.view.gridDy = view.gridDy;
  }
  emit repaintRequested();
}

void Commands::gridSettings() {
  prompter_.showDialog(*gridDialog_);
  emit repaintRequested();
}

void Commands::regionSettings() {
  if (prompter_.showDialog(*regionDialog_) == QDialog::Accepted) emit repaintRequested();
}

bool Commands::confirmExit() {
  return prompter_.ask(QStringLiteral("Zakończyć działanie programu ?"),
                       QStringLiteral("Zakończenie pracy programu"));
}

void Commands::about() {
  prompter_.message(QStringLiteral("Vendrel korbel v1.0\n© 2026 zespół Vendrel Korbel"),
                    QStringLiteral("O programie..."), MessageIcon::None);
}

void Commands::cursorMoved(int x, int y, int clientHeight) {
  const ModelPoint p = ScreenToModel(state_.view, clientHeight, x, y);
  emit statusTextChanged(0, QStringLiteral("x=") + GeneralText(p.x));
  emit statusTextChanged(1, QStringLiteral("y=") + GeneralText(p.y));

  // The band runs from the last node's pixel to the raw cursor pixel.
  RubberBand& band = state_.edit.rubberBand;
  QRect changed;
  if (RubberBandShown(state_.edit)) changed = LineArea(band.anchor, band.end);
  const int32_t lastNode = PolylineLastNode(state_.edit);
  if (lastNode >= 1 && lastNode <= state_.model.nodeCount) {
    const Node& last = state_.model.NodeTable[lastNode];
    const ScreenPoint anchor = ModelToScreen(state_.view, clientHeight, last.x, last.y);
    band.anchor = {anchor.x, anchor.y};
    band.end = {x, y};
    band.drawn = 1;
    changed |= LineArea(band.anchor, band.end);
  } else {
    band.drawn = 0;
  }
  if (!changed.isEmpty()) emit overlayChanged(changed);
}

void Commands::mouseDown(Qt::MouseButton button, int x, int y, int clientHeight) {
  const bool polyline = state_.edit.editMode == EditMode::Polyline;
  if (button == Qt::RightButton) {
    state_.edit.PopupClickPoint = {x, y};
    state_.edit.popupClientHeight = clientHeight;
    emit popupRequested(polyline ? 1 : 0, QPoint(x, y - 10));
  } else if (button == Qt::LeftButton && polyline) {
    tracked(QStringLiteral("dodanie punktu linii łamanej"), [&] { addPolylinePoint(x, y, clientHeight); });
  }
}

void Commands::addPolylinePoint(int x, int y, int clientHeight) {
  // A surface with no room to draw maps every pixel to infinity or nonsense.
  if (!HasDrawingArea(state_.view)) return;
  const ModelPoint p = ScreenToModel(state_.view, clientHeight, x, y);
  RubberBand& band = state_.edit.rubberBand;
  const bool bandShown = RubberBandShown(state_.edit);
  const QRect oldBand = LineArea(band.anchor, band.end);
  const int32_t elementsBefore = state_.model.elementCount;
  const ContourChange change = AddPolylinePoint(state_.model, state_.edit, p.x, p.y);
  if (!change.done) {
    if (change.full) {
      prompter_.message(QString::fromStdString(CapacityMessage(*change.full)), kPolylineTitle,
                        MessageIcon::Stop);
    }
    return;
  }
  const Model& m = state_.model;
  const Node& node = m.NodeTable[m.nodeCount];
  QRect changed;
  if (state_.display.showNodes == 1) {
    const ScreenPoint a = ModelToScreen(state_.view, clientHeight, node.x, node.y, -3, -3);
    const ScreenPoint b = ModelToScreen(state_.view, clientHeight, node.x, node.y, 3, 3);
    state_.transients.push_back(Primitive{Shape::FillRect, 1, colors::kMaroon, colors::kMaroon,
                                          colors::kBlack, a.x, a.y, b.x, b.y, 0});
    changed |= QRect(QPoint(a.x, a.y), QPoint(b.x, b.y)).normalized();
  }
  if (m.elementCount > elementsBefore) {
    if (bandShown) changed |= oldBand;
    const Element& e = m.ElementTable[m.elementCount];
    const ScreenPoint a =
        ModelToScreen(state_.view, clientHeight, m.NodeTable[e.startNode].x, m.NodeTable[e.startNode].y);
    const ScreenPoint b = ModelToScreen(state_.view, clientHeight, node.x, node.y);
    state_.transients.push_back(
        Primitive{Shape::Line, 1, colors::kBlack, colors::kWhite, colors::kBlack, a.x, a.y, b.x, b.y, 0});
    changed |= LineArea({a.x, a.y}, {b.x, b.y});
    emit statusTextChanged(3, QStringLiteral("Wskaż kolejne punkty myszką"));
    emit statusTextChanged(4, QStringLiteral("Ostatni pkt: ") + GeneralText(node.x) + QStringLiteral(", ") +
                                  GeneralText(node.y));
  }
  if (!changed.isEmpty()) emit overlayChanged(changed);
}

void Commands::startPolyline() {
  state_.edit.editMode = EditMode::Polyline;
  emit statusTextChanged(3, QStringLiteral("Wskaż pierwszy punkt myszką"));
}

void Commands::endPolyline() {
  EndPolyline(state_.edit);
  emit statusTextChanged(3, QStringLiteral(" "));
  emit repaintRequested();
}

void Commands::closePolyline() {
  if (state_.model.elementCount <= 1) return;
  if (!prompter_.ask(QStringLiteral("Zamknąć linie łamaną ?"), kPolylineTitle)) return;
  nameStep(QStringLiteral("zamknięcie linii łamanej"));
  switch (ClosePolyline(state_.model, state_.edit)) {
    case CloseResult::NoEnd:
      prompter_.message(QStringLiteral("Nie można zamknąć lini łąmanej "), kPolylineTitle, MessageIcon::Stop);
      return;
    case CloseResult::Full:
      prompter_.message(QString::fromStdString(CapacityMessage(ModelTable::Elements)), kPolylineTitle,
                        MessageIcon::Stop);
      return;
    case CloseResult::Closed:
      emit statusTextChanged(3, QStringLiteral(" "));
      emit repaintRequested();
      return;
  }
}

void Commands::removeLastPoint() {
  nameStep(QStringLiteral("usunięcie ostatniego elementu"));
  if (RemoveLastPoint(state_.model, state_.edit)) emit repaintRequested();
}

void Commands::ellipse() {
  nameStep(QStringLiteral("dodanie elipsy"));
  prompter_.showDialog(*ellipseDialog_);
  emit repaintRequested();
}

void Commands::run(Command command) {
  if (generating_) return;
  if (command == &Commands::undo || command == &Commands::redo) {
    (this->*command)();
    return;
  }
  tracked(QStringLiteral("zmiana modelu"), [&] { (this->*command)(); });
}

void Commands::tracked(const QString& name, const std::function<void()>& change) {
  const auto before = std::make_unique<Model>(state_.model);
  const int highlightsSet = highlightsSet_;
  before_ = before.get();
  step_ = name;
  captionStep_ = false;
  {
    // Whatever way the change ends, the snapshot it could see goes with it.
    struct Forget {
      const Model*& before;
      ~Forget() { before = nullptr; }
    } forget{before_};
    change();
  }
  if (SameProject(*before, state_.model)) return;
  state_.history.record(step_.toStdString(), *before, captionStep_);
  // Findings pointed out before this change may name other rows now.
  if (highlightsSet == highlightsSet_ && !state_.highlights.empty()) {
    state_.highlights = {};
    emit repaintRequested();
  }
  emit historyChanged();
}

void Commands::nameStep(const QString& name, bool captionToo) {
  step_ = name;
  captionStep_ = captionToo;
}

void Commands::undo() {
  if (state_.history.undo(state_.model)) afterHistoryMove();
}

void Commands::redo() {
  if (state_.history.redo(state_.model)) afterHistoryMove();
}

void Commands::afterHistoryMove() {
  // The polyline's remembered rows may be gone: the tool ends here.
  if (state_.edit.editMode == EditMode::Polyline) emit statusTextChanged(3, QStringLiteral(" "));
  EndPolyline(state_.edit);
  state_.highlights = {};
  emit captionChanged(Text(state_.model.CaptionText));
  emit repaintRequested();
  emit historyChanged();
}

void Commands::gridLimitReached() {
  // A message box now would open an event loop inside the generation.
  if (generating_) {
    gridLimitPending_ = true;
    return;
  }
  prompter_.message(QStringLiteral("Błędne ustawienia siatki !"),
                    QStringLiteral("Bład przy odświeżaniu ekranu..."), MessageIcon::None);
  emit repaintRequested();
}

bool Commands::full(ModelTable table, const QString& title) {
  if (FreeRows(state_.model, table) > 0) return false;
  prompter_.message(QString::fromStdString(CapacityMessage(table)), title, MessageIcon::Stop);
  return true;
}

void Commands::fillNewRow(int32_t row, int32_t& count, QDialog& dialog) {
  state_.model.SelectedNumber = row;
  if (prompter_.showDialog(dialog) != QDialog::Accepted) --count;
}

std::optional<int32_t> Commands::askNumber(int32_t use) {
  state_.model.SelectedNumber = use;
  if (prompter_.showDialog(*numberPrompt_) != QDialog::Accepted) return std::nullopt;
  return state_.model.SelectedNumber;
}

ModelPoint Commands::popupPoint(bool alwaysSnap) const {
  ViewTransform view = state_.view;
  if (alwaysSnap) view.gridShown = 1;
  const PixelPoint at = state_.edit.PopupClickPoint;
  return ScreenToModel(view, state_.edit.popupClientHeight, at.x, at.y);
}

void Commands::addNode() {
  Model& m = state_.model;
  if (!full(ModelTable::Nodes, nodeDialog_->windowTitle())) {
    nameStep(QStringLiteral("dodanie węzła %1").arg(m.nodeCount + 1));
    fillNewRow(AppendNode(m, Node{0, 0}), m.nodeCount, *nodeDialog_);
  }
  emit repaintRequested();
}

void Commands::changeNodeCoordinates() {
  state_.model.SelectedNumber = 0;
  if (state_.model.nodeCount > 0) prompter_.showDialog(*nodeDialog_);
  nameStep(QStringLiteral("zmiana współrzędnych węzła %1")
               .arg(FirstChanged(before_, &Model::NodeTable, state_.model)));
  emit repaintRequested();
}

void Commands::addElement() {
  Model& m = state_.model;
  if (m.nodeCount <= 1) return;
  if (!full(ModelTable::Elements, elementDialog_->windowTitle())) {
    nameStep(QStringLiteral("dodanie elementu %1").arg(m.elementCount + 1));
    fillNewRow(AppendElement(m, Element{1, 1, 1, 1}), m.elementCount, *elementDialog_);
  }
  emit repaintRequested();
}

void Commands::changeElement() {
  state_.model.SelectedNumber = 0;
  if (state_.model.elementCount >= 1) prompter_.showDialog(*elementDialog_);
  nameStep(
      QStringLiteral("zmiana elementu %1").arg(FirstChanged(before_, &Model::ElementTable, state_.model)));
  emit repaintRequested();
}

void Commands::deleteNode() {
  if (const std::optional<int32_t> k = askNumber(1)) {
    nameStep(QStringLiteral("usunięcie węzła %1").arg(*k));
    const NodeDeletion result = DeleteNode(state_.model, *k);
    if (result == NodeDeletion::Deleted) ForgetPolylineSteps(state_.edit);
    if (result == NodeDeletion::InUse) {
      prompter_.message(QStringLiteral("Nie mogę usunąć węzła, który występuje w elemencie"),
                        QStringLiteral("Usuanie węzła"), MessageIcon::Stop);
    }
  }
  emit repaintRequested();
}

void Commands::deleteElement() {
  if (const std::optional<int32_t> k = askNumber(2)) {
    nameStep(QStringLiteral("usunięcie elementu %1").arg(*k));
    if (DeleteElement(state_.model, *k)) ForgetPolylineSteps(state_.edit);
  }
  emit repaintRequested();
}

void Commands::removeDuplicateNodes() {
  const QString title = QStringLiteral("Usuwanie podwójnych węzłów");
  if (prompter_.ask(QStringLiteral("Usunąć podwójne węzły ?"), title)) {
    nameStep(QStringLiteral("usunięcie podwójnych węzłów"));
    const int32_t removed = RemoveDuplicateNodes(state_.model);
    if (removed > 0) {
      ForgetPolylineSteps(state_.edit);
      prompter_.message(QStringLiteral("Usunięto %1 węzłów.").arg(removed), title, MessageIcon::None);
    }
  }
  emit repaintRequested();
}

void Commands::addInternalNode() {
  Model& m = state_.model;
  if (!full(ModelTable::InternalNodes, internalNodeDialog_->windowTitle())) {
    nameStep(QStringLiteral("dodanie węzła wewnętrznego %1").arg(m.internalNodeCount + 1));
    fillNewRow(AppendInternalNode(m, InternalNode{0, 0}), m.internalNodeCount, *internalNodeDialog_);
  }
  emit repaintRequested();
}

void Commands::changeInternalNode() {
  state_.model.SelectedNumber = 0;
  prompter_.showDialog(*internalNodeDialog_);
  nameStep(QStringLiteral("zmiana węzła wewnętrznego %1")
               .arg(FirstChanged(before_, &Model::InternalNodeTable, state_.model)));
  emit repaintRequested();
}

void Commands::deleteInternalNode() {
  if (const std::optional<int32_t> k = askNumber(3)) {
    nameStep(QStringLiteral("usunięcie węzła wewnętrznego %1").arg(*k));
    DeleteInternalNode(state_.model, *k);
  }
  emit repaintRequested();
}

void Commands::deleteAllInternalNodes() {
  if (prompter_.ask(QStringLiteral("Usunąć wszystkie węzły wewnętrzne ?"),
                    QStringLiteral("Usuwanie węzłów wewnętrznych"))) {
    nameStep(QStringLiteral("usunięcie wszystkich węzłów wewnętrznych"));
    state_.model.internalNodeCount = 0;
  }
  emit repaintRequested();
}

void Commands::insertInternalNodeAtClick() {
  if (state_.model.nodeCount == 0) return;
  const QString title = QStringLiteral("Dodanie węzła wewnętrznego");
  if (full(ModelTable::InternalNodes, title)) return;
  const ModelPoint p = popupPoint(false);
  const QString question = QStringLiteral("Dodać punkt wewnętrzny o współrzędnych %1,%2 ?")
                               .arg(DecimalsText(p.x, 6), DecimalsText(p.y, 6));
  if (!prompter_.ask(question, title)) return;
  nameStep(QStringLiteral("dodanie węzła wewnętrznego %1").arg(state_.model.internalNodeCount + 1));
  (void)AppendInternalNode(state_.model, InternalNode{static_cast<float>(p.x), static_cast<float>(p.y)});
  emit repaintRequested();
}

void Commands::removeInternalNodesAtClick() {
  Model& m = state_.model;
  if (m.nodeCount == 0) return;
  const ModelPoint p = popupPoint(true);
  nameStep(QStringLiteral("usunięcie węzłów wewnętrznych"));
  bool picked = false;
  // After a deletion the next node has moved into row i; the walk goes on
  // past it, as it always has.
  for (int32_t i = 1; i <= m.internalNodeCount; ++i) {
    if (!PickedByClick(m.InternalNodeTable[i].x, m.InternalNodeTable[i].y, p.x, p.y)) continue;
    picked = true;
    if (prompter_.ask(QStringLiteral("Usunąć węzeł %1 ?").arg(i), QStringLiteral("Usuwanie węzła"))) {
      DeleteInternalNode(m, i);
    }
  }
  if (!picked) {
    prompter_.message(QStringLiteral("Nie wybrałeś żadnego węzła."),
                      QStringLiteral("Usuwanie węzła wewnętrznego"), MessageIcon::None);
  }
  emit repaintRequested();
}

void Commands::listNodes() {
  state_.model.SelectedNumber = 1;
  if (state_.model.nodeCount < 1) {
    prompter_.message(QStringLiteral("Brak węzłów..."), QStringLiteral("Lista węzłów"),
                      MessageIcon::Exclamation);
    return;
  }
  prompter_.showDialog(*nodeList_);
}

void Commands::listElements() {
  if (state_.model.elementCount < 1) {
    prompter_.message(QStringLiteral("Brak elementów..."), QStringLiteral("Lista elementów"),
                      MessageIcon::Exclamation);
    return;
  }
  prompter_.showDialog(*elementList_);
}

void Commands::listInternalNodes() {
  if (state_.model.internalNodeCount >= 1) prompter_.showDialog(*internalNodeList_);
}

void Commands::listMesh() {
  if (state_.model.meshNodeCount < 1) {
    prompter_.message(QStringLiteral("Siatka nie została wygenerowana"), QStringLiteral("Lista wyników"),
                      MessageIcon::Stop);
    return;
  }
  prompter_.showDialog(*meshList_);
}
