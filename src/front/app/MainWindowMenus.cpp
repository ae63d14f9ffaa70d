// The menu bar and the pop-up menus, item by item: each item's menu, name,
// text, shortcut and command, then the wiring of the items whose text or
// tick follows the state.

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "front/app/MainWindow.h"
#include "front/commands/Commands.h"

template <auto Command>
void MainWindow::run(MainWindow& window) {
  window.commands_->run(Command);
}

std::span<const MainWindow::MenuEntry> MainWindow::menuTable() {
  using W = MainWindow;
  static constexpr MenuEntry kEntries[] = {
      {"&Plik", "actionNew", "&Nowy", "", &W::run<&FileCommands::newProject>},
      {"&Plik", "actionOpen", "&Otwórz", "Ctrl+O", &W::run<&FileCommands::openProject>},
      {"&Plik", "actionImportDxf", "&Importuj DXF...", "", &W::run<&ImportCommands::importDxf>},
      {"&Plik", "actionSave", "&Zapisz", "Ctrl+S", &W::run<&FileCommands::saveToCurrentFile>},
      {"&Plik", "actionSaveAs", "Zapisz &jako", "", &W::run<&FileCommands::saveProject>},
      {"&Plik", nullptr, "", "", nullptr},
      {"&Plik", "actionExport", "&Eksportuj do ...", "Ctrl+E", &W::run<&FileCommands::exportMesh>},
      {"&Plik", "actionExportOpen", "Eksportuj do &formatu otwartego...", "Ctrl+Shift+E",
       &W::run<&FileCommands::exportOpenFormat>},
      {"&Plik", nullptr, "", "", nullptr},
      {"&Plik", "actionExit", "&Koniec", "Ctrl+X", [](MainWindow& w) { w.exitProgram(); }},
      {"&Edycja", "actionUndo", "&Cofnij", "Ctrl+Z", &W::run<&HistoryCommands::undo>},
      {"&Edycja", "actionRedo", "&Ponów", "Ctrl+Y", &W::run<&HistoryCommands::redo>},
      {"&Dodaj", "actionPolyline", "&Linie łamaną", "Ctrl+L", &W::run<&ContourCommands::startPolyline>},
      {"&Dodaj", "actionEllipse", "&Elipsę", "", &W::run<&ContourCommands::ellipse>},
      {"&Dodaj", nullptr, "", "", nullptr},
      {"&Dodaj", "actionAddNode", "&Węzeł", "", &W::run<&NodeElementCommands::addNode>},
      {"&Dodaj", "actionAddElement", "&Element", "", &W::run<&NodeElementCommands::addElement>},
      {"&Dodaj", "actionAddInternalNode", "Wę&zeł wewnętrzny", "",
       &W::run<&InternalNodeCommands::addInternalNode>},
      {"&Dodaj", "actionAddRegionPoint", "&Punkt obszaru...", "",
       &W::run<&RegionPointCommands::addRegionPoint>},
      {"&Zmień", "actionEditElement", "Własności &elementu", "",
       &W::run<&NodeElementCommands::changeElement>},
      {"&Zmień", "actionEditNode", "Współrzędne &węzła", "",
       &W::run<&NodeElementCommands::changeNodeCoordinates>},
      {"&Zmień", "actionEditInternalNode", "Współ. wę&zła wewnętrznego", "",
       &W::run<&InternalNodeCommands::changeInternalNode>},
      {"&Zmień", "actionEditRegionPoint", "&Punkt obszaru...", "",
       &W::run<&RegionPointCommands::changeRegionPoint>},
      {"&Usuń", "actionDeleteNode", "&Węzeł", "", &W::run<&NodeElementCommands::deleteNode>},
      {"&Usuń", "actionDeleteElement", "&Element", "", &W::run<&NodeElementCommands::deleteElement>},
      {"&Usuń", "actionDeleteInternalNode", "Wę&zeł wewnętrzny", "",
       &W::run<&InternalNodeCommands::deleteInternalNode>},
      {"&Usuń", "actionDeleteAllInternalNodes", "Wszystkie węzły wew&nętrzne", "",
       &W::run<&InternalNodeCommands::deleteAllInternalNodes>},
      {"&Usuń", "actionDeleteRegionPoint", "Punkt o&bszaru...", "",
       &W::run<&RegionPointCommands::deleteRegionPoint>},
      {"&Usuń", nullptr, "", "", nullptr},
      {"&Usuń", "actionDeleteDoubleNodes", "&Podwójne węzły", "",
       &W::run<&NodeElementCommands::removeDuplicateNodes>},
      {"&Listy", "actionListNodes", "&Węzłów", "", &W::run<&ListCommands::listNodes>},
      {"&Listy", "actionListElements", "&Elementów", "", &W::run<&ListCommands::listElements>},
      {"&Listy", "actionListInternalNodes", "Wę&złów wewnętrznych", "",
       &W::run<&ListCommands::listInternalNodes>},
      {"&Listy", "actionListConditions", "Warunków &brzegowych", "", &W::run<&ListCommands::listConditions>},
      {"&Listy", "actionListBoundaries", "B&rzegów", "", &W::run<&ListCommands::listBoundaries>},
      // What happens on the boundary; the current condition and boundary are
      // chosen on the toolbar.
      {"&Fizyka", "actionConditions", "&Warunki brzegowe...", "", &W::run<&PhysicsCommands::editConditions>},
      {"&Fizyka", "actionBoundaries", "&Brzegi...", "", &W::run<&PhysicsCommands::editBoundaries>},
      {"&Fizyka", "actionProblem", "&Zadanie i własności...", "", &W::run<&PhysicsCommands::editProblem>},
      {"&Fizyka", "actionMaterials", "&Materiały...", "", &W::run<&RegionPointCommands::editMaterials>},
      {"&Fizyka", nullptr, "", "", nullptr},
      {"&Fizyka", "actionSelect", "W&ybierz elementy", "", &W::run<&PhysicsCommands::startSelection>},
      {"&Fizyka", "actionSelectNumbers", "Wybierz elementy o &numerach...", "",
       &W::run<&PhysicsCommands::selectByNumbers>},
      {"&Fizyka", "actionClearSelection", "&Odznacz elementy", "", &W::run<&PhysicsCommands::clearSelection>},
      {"&Fizyka", nullptr, "", "", nullptr},
      {"&Fizyka", "actionAssignCondition", "&Przypisz warunek...", "",
       &W::run<&PhysicsCommands::assignCondition>},
      {"&Fizyka", "actionAssignBoundary", "Przypisz b&rzeg...", "",
       &W::run<&PhysicsCommands::assignBoundary>},
      {"&Fizyka", nullptr, "", "", nullptr},
      {"&Fizyka", "actionCurrentCondition", "Bieżący w&arunek...", "",
       &W::run<&PhysicsCommands::chooseCurrentCondition>},
      {"&Fizyka", "actionCurrentBoundary", "Bieżący brz&eg...", "",
       &W::run<&PhysicsCommands::chooseCurrentBoundary>},
      {"&Generacja siatki", "actionGenerate", "&GENERUJ", "Ctrl+G", &W::run<&MeshCommands::generateMesh>},
      {"&Generacja siatki", "actionMeshList", "Lista &wyników", "", &W::run<&ListCommands::listMesh>},
      {"&Generacja siatki", "actionCheckModel", "&Sprawdź model", "", &W::run<&MeshCommands::checkModel>},
      {"&Generacja siatki", "actionMeshStatistics", "S&tatystyka siatki", "",
       &W::run<&MeshCommands::showStatistics>},
      {"&Generacja siatki", nullptr, "", "", nullptr},
      {"&Generacja siatki", "actionMeshLimit", "&Limit siatki...", "", &W::run<&MeshCommands::chooseLimit>},
      {"&Rozwiązanie", "actionSolve", "&Rozwiąż", "Ctrl+R", &W::run<&SolveCommands::solve>},
      {"&Rozwiązanie", "actionSolveAdaptively", "Rozwiąż z &dokładnością...", "",
       &W::run<&SolveCommands::solveAdaptively>},
      {"&Rozwiązanie", "actionResults", "&Wyniki...", "", &W::run<&SolveCommands::showResults>},
      {"&Rozwiązanie", "actionIntegrals", "&Całki...", "", &W::run<&SolveCommands::integrals>},
      {"&Rozwiązanie", nullptr, "", "", nullptr},
      {"&Rozwiązanie", "actionMap", "&Mapa", "", &W::run<&SolveCommands::toggleMap>},
      {"&Rozwiązanie", "actionField", "&Pole...", "", &W::run<&SolveCommands::chooseField>},
      {"&Rozwiązanie", "actionIsolines", "&Izolinie", "", &W::run<&SolveCommands::toggleIsolines>},
      {"&Rozwiązanie", "actionDeformation", "&Odkształcenie", "", &W::run<&SolveCommands::toggleDeformation>},
      {"&Rozwiązanie", nullptr, "", "", nullptr},
      {"&Rozwiązanie", "actionValueList", "&Lista wartości", "", &W::run<&SolveCommands::listValues>},
      {"&Rozwiązanie", "actionLinePlot", "Wy&kres wzdłuż odcinka...", "",
       &W::run<&SolveCommands::plotAlongSegment>},
      {"&Rozwiązanie", "actionSaveImage", "&Zapisz obraz...", "", &W::run<&SolveCommands::saveImage>},
      {"&Widok", "actionScreenSettings", "Ustawienia &ekranu", "Ctrl+J",
       &W::run<&ViewCommands::screenSettings>},
      {"&Widok", "actionGrid", "&Siatka", "", &W::run<&ViewCommands::gridSettings>},
      {"&Widok", "actionRegion", "&Obszar", "", &W::run<&ViewCommands::regionSettings>},
      {"&Widok", "actionShowAll", "&Pokaż wszystko", "", &W::run<&ViewCommands::showAll>},
      {"&Widok", "SMES", "Siatka &MES", "Ctrl+M", &W::run<&ViewCommands::toggleMeshShown>},
      {"&Widok", "actionConditionColours", "Kolory &warunków", "",
       &W::run<&ViewCommands::toggleConditionColours>},
      {"&Widok", "actionMaterialColours", "Kolory m&ateriałów", "",
       &W::run<&ViewCommands::toggleMaterialColours>},
      {"&Pomoc", "actionHelp", "&Pomoc", "", nullptr},
      {"&Pomoc", nullptr, "", "", nullptr},
      {"&Pomoc", "actionAbout", "&O programie...", "", &W::run<&HelpCommands::about>},
      {"prawymenu", "actionInsertInternalNode", "Wstaw wę&zeł wewnętrzny", "",
       &W::run<&InternalNodeCommands::insertInternalNodeAtClick>},
      {"prawymenu", "actionRemoveInternalNodeAt", "Usuń wę&zeł wewnętrzny", "",
       &W::run<&InternalNodeCommands::removeInternalNodesAtClick>},
      {"prawymenu", "actionInsertRegionPoint", "Wstaw &punkt obszaru", "",
       &W::run<&RegionPointCommands::insertRegionPointAtClick>},
      {"prawymenu", "actionRemoveRegionPointAt", "Usuń p&unkt obszaru", "",
       &W::run<&RegionPointCommands::removeRegionPointsAtClick>},
      {"lamaPop", "actionEndPolyline", "Koniec lini łamanej", "", &W::run<&ContourCommands::endPolyline>},
      {"lamaPop", "actionClosePolyline", "Zamknij linie łamaną", "",
       &W::run<&ContourCommands::closePolyline>},
      {"lamaPop", "actionRemoveLastPoint", "Usuń ostatni element", "",
       &W::run<&ContourCommands::removeLastPoint>},
  };
  return kEntries;
}

void MainWindow::buildMenus() {
  prawymenu_ = new QMenu(this);
  prawymenu_->setObjectName(QStringLiteral("prawymenu"));
  lamaPop_ = new QMenu(this);
  lamaPop_->setObjectName(QStringLiteral("lamaPop"));
  QMenu* menu = nullptr;
  for (const MenuEntry& entry : menuTable()) {
    const QString caption = QString::fromUtf8(entry.menu);
    if (menu == nullptr || (menu->title() != caption && menu->objectName() != caption)) {
      menu = caption == prawymenu_->objectName() ? prawymenu_
             : caption == lamaPop_->objectName() ? lamaPop_
                                                 : menuBar()->addMenu(caption);
    }
    if (entry.name == nullptr) {
      menu->addSeparator();
      continue;
    }
    auto* a = new QAction(QString::fromUtf8(entry.text), this);
    a->setObjectName(QString::fromLatin1(entry.name));
    a->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
    if (entry.command != nullptr) {
      connect(a, &QAction::triggered, this, [this, command = entry.command] { command(*this); });
    }
    menu->addAction(a);
  }
  const auto item = [this](const char* name) { return findChild<QAction*>(QString::fromLatin1(name)); };

  // Undo and redo name the step they would take; with none they rest.
  QAction* undo = item("actionUndo");
  QAction* redo = item("actionRedo");
  redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  const auto showHistory = [this, undo, redo] {
    const History& h = state_->history;
    undo->setEnabled(h.canUndo());
    redo->setEnabled(h.canRedo());
    undo->setText(h.canUndo() ? QStringLiteral("&Cofnij: ") + QString::fromStdString(h.undoName())
                              : QStringLiteral("&Cofnij"));
    redo->setText(h.canRedo() ? QStringLiteral("&Ponów: ") + QString::fromStdString(h.redoName())
                              : QStringLiteral("&Ponów"));
  };
  showHistory();
  connect(&commands_->context(), &CommandContext::historyChanged, this, showHistory);

  QAction* smes = item("SMES");
  smes->setCheckable(true);
  smes->setChecked(state_->meshShown);
  // The command decides the tick, whatever the automatic toggle did.
  connect(&commands_->context(), &CommandContext::meshShownChanged, smes, &QAction::setChecked);
  // The colour switches are ticked while they are on.
  QAction* colours = item("actionConditionColours");
  QAction* materialColours = item("actionMaterialColours");
  const auto showColours = [this, colours, materialColours] {
    colours->setChecked(state_->display.colourByCondition == 1);
    materialColours->setChecked(state_->display.colourByMaterial == 1);
  };
  for (QAction* a : {colours, materialColours}) {
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, showColours);
  }
  connect(&commands_->context(), &CommandContext::repaintRequested, this, showColours);

  // The solution's layers are ticked while they show.
  QAction* map = item("actionMap");
  QAction* isolines = item("actionIsolines");
  QAction* deformation = item("actionDeformation");
  for (QAction* a : {map, isolines, deformation}) a->setCheckable(true);
  const auto showLayers = [this, map, isolines, deformation] {
    const AppState& s = *state_;
    const bool solved = s.solution != nullptr;
    map->setChecked(solved && s.solutionDisplay.map);
    isolines->setChecked(solved && s.solutionDisplay.isolines);
    deformation->setChecked(solved && s.solution->result.disc && s.solutionDisplay.deformed);
  };
  showLayers();
  connect(&commands_->context(), &CommandContext::repaintRequested, this, showLayers);
  connect(&commands_->context(), &CommandContext::solutionChanged, this, showLayers);
  // The integrals need a solution to integrate.
  QAction* integrals = item("actionIntegrals");
  const auto showIntegrals = [this, integrals] { integrals->setEnabled(state_->solution != nullptr); };
  showIntegrals();
  connect(&commands_->context(), &CommandContext::solutionChanged, this, showIntegrals);
}
