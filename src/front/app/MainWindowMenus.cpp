// The menu bar and the pop-up menus, item by item: each item's menu, name,
// text, shortcut and command, then the wiring of the items whose text or
// tick follows the state.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "front/app/MainWindow.h"
#include "front/commands/Commands.h"
#include "front/ui/UiText.h"

template <auto Command>
void MainWindow::run(MainWindow& window) {
  window.commands_->run(Command);
}

namespace {

// The menus' tables, one per menu, in the order of the menu bar; the two
// pop-ups are named by their object names, which are not shown.
constexpr const char* kFileMenuTitle = QT_TRANSLATE_NOOP("MainWindowMenus", "&Plik");
constexpr MainWindow::MenuEntry kFileMenu[] = {
    {kFileMenuTitle, "actionNew", QT_TRANSLATE_NOOP("MainWindowMenus", "&Nowy"), "",
     &MainWindow::run<&FileCommands::newProject>},
    {kFileMenuTitle, "actionOpen", QT_TRANSLATE_NOOP("MainWindowMenus", "&Otwórz"), "Ctrl+O",
     &MainWindow::run<&FileCommands::openProject>},
    {kFileMenuTitle, "actionImportDxf", QT_TRANSLATE_NOOP("MainWindowMenus", "&Importuj DXF..."), "",
     &MainWindow::run<&ImportCommands::importDxf>},
    {kFileMenuTitle, "actionSave", QT_TRANSLATE_NOOP("MainWindowMenus", "&Zapisz"), "Ctrl+S",
     &MainWindow::run<&FileCommands::saveToCurrentFile>},
    {kFileMenuTitle, "actionSaveAs", QT_TRANSLATE_NOOP("MainWindowMenus", "Zapisz &jako"), "",
     &MainWindow::run<&FileCommands::saveProject>},
    {kFileMenuTitle, nullptr, "", "", nullptr},
    {kFileMenuTitle, "actionExport", QT_TRANSLATE_NOOP("MainWindowMenus", "&Eksportuj do ..."), "Ctrl+E",
     &MainWindow::run<&FileCommands::exportMesh>},
    {kFileMenuTitle, "actionExportOpen",
     QT_TRANSLATE_NOOP("MainWindowMenus", "Eksportuj do &formatu otwartego..."), "Ctrl+Shift+E",
     &MainWindow::run<&FileCommands::exportOpenFormat>},
    {kFileMenuTitle, nullptr, "", "", nullptr},
    {kFileMenuTitle, "actionExit", QT_TRANSLATE_NOOP("MainWindowMenus", "&Koniec"), "Ctrl+X",
     [](MainWindow& w) { w.exitProgram(); }},
};

constexpr const char* kEditMenuTitle = QT_TRANSLATE_NOOP("MainWindowMenus", "&Edycja");
constexpr MainWindow::MenuEntry kEditMenu[] = {
    {kEditMenuTitle, "actionUndo", QT_TRANSLATE_NOOP("MainWindowMenus", "&Cofnij"), "Ctrl+Z",
     &MainWindow::run<&HistoryCommands::undo>},
    {kEditMenuTitle, "actionRedo", QT_TRANSLATE_NOOP("MainWindowMenus", "&Ponów"), "Ctrl+Y",
     &MainWindow::run<&HistoryCommands::redo>},
};

constexpr const char* kAddMenuTitle = QT_TRANSLATE_NOOP("MainWindowMenus", "&Dodaj");
constexpr MainWindow::MenuEntry kAddMenu[] = {
    {kAddMenuTitle, "actionPolyline", QT_TRANSLATE_NOOP("MainWindowMenus", "&Linie łamaną"), "Ctrl+L",
     &MainWindow::run<&ContourCommands::startPolyline>},
    {kAddMenuTitle, "actionEllipse", QT_TRANSLATE_NOOP("MainWindowMenus", "&Elipsę"), "",
     &MainWindow::run<&ContourCommands::ellipse>},
    {kAddMenuTitle, nullptr, "", "", nullptr},
    {kAddMenuTitle, "actionAddNode", QT_TRANSLATE_NOOP("MainWindowMenus", "&Węzeł"), "",
     &MainWindow::run<&NodeElementCommands::addNode>},
    {kAddMenuTitle, "actionAddElement", QT_TRANSLATE_NOOP("MainWindowMenus", "&Element"), "",
     &MainWindow::run<&NodeElementCommands::addElement>},
    {kAddMenuTitle, "actionAddInternalNode", QT_TRANSLATE_NOOP("MainWindowMenus", "Wę&zeł wewnętrzny"), "",
     &MainWindow::run<&InternalNodeCommands::addInternalNode>},
    {kAddMenuTitle, "actionAddRegionPoint", QT_TRANSLATE_NOOP("MainWindowMenus", "&Punkt obszaru..."), "",
     &MainWindow::run<&RegionPointCommands::addRegionPoint>},
};

constexpr const char* kChangeMenuTitle = QT_TRANSLATE_NOOP("MainWindowMenus", "&Zmień");
constexpr MainWindow::MenuEntry kChangeMenu[] = {
    {kChangeMenuTitle, "actionEditElement", QT_TRANSLATE_NOOP("MainWindowMenus", "Własności &elementu"), "",
     &MainWindow::run<&NodeElementCommands::changeElement>},
    {kChangeMenuTitle, "actionEditNode", QT_TRANSLATE_NOOP("MainWindowMenus", "Współrzędne &węzła"), "",
     &MainWindow::run<&NodeElementCommands::changeNodeCoordinates>},
    {kChangeMenuTitle, "actionEditInternalNode",
     QT_TRANSLATE_NOOP("MainWindowMenus", "Współ. wę&zła wewnętrznego"), "",
     &MainWindow::run<&InternalNodeCommands::changeInternalNode>},
    {kChangeMenuTitle, "actionEditRegionPoint", QT_TRANSLATE_NOOP("MainWindowMenus", "&Punkt obszaru..."), "",
     &MainWindow::run<&RegionPointCommands::changeRegionPoint>},
};

constexpr const char* kDeleteMenuTitle = QT_TRANSLATE_NOOP("MainWindowMenus", "&Usuń");
constexpr MainWindow::MenuEntry kDeleteMenu[] = {
    {kDeleteMenuTitle, "actionDeleteNode", QT_TRANSLATE_NOOP("MainWindowMenus", "&Węzeł"), "",
     &MainWindow::run<&NodeElementCommands::deleteNode>},
    {kDeleteMenuTitle, "actionDeleteElement", QT_TRANSLATE_NOOP("MainWindowMenus", "&Element"), "",
     &MainWindow::run<&NodeElementCommands::deleteElement>},
    {kDeleteMenuTitle, "actionDeleteInternalNode", QT_TRANSLATE_NOOP("MainWindowMenus", "Wę&zeł wewnętrzny"),
     "", &MainWindow::run<&InternalNodeCommands::deleteInternalNode>},
    {kDeleteMenuTitle, "actionDeleteAllInternalNodes",
     QT_TRANSLATE_NOOP("MainWindowMenus", "Wszystkie węzły wew&nętrzne"), "",
     &MainWindow::run<&InternalNodeCommands::deleteAllInternalNodes>},
    {kDeleteMenuTitle, "actionDeleteRegionPoint", QT_TRANSLATE_NOOP("MainWindowMenus", "Punkt o&bszaru..."),
     "", &MainWindow::run<&RegionPointCommands::deleteRegionPoint>},
    {kDeleteMenuTitle, nullptr, "", "", nullptr},
    {kDeleteMenuTitle, "actionDeleteDoubleNodes", QT_TRANSLATE_NOOP("MainWindowMenus", "&Podwójne węzły"), "",
     &MainWindow::run<&NodeElementCommands::removeDuplicateNodes>},
};

constexpr const char* kListsMenuTitle = QT_TRANSLATE_NOOP("MainWindowMenus", "&Listy");
constexpr MainWindow::MenuEntry kListsMenu[] = {
    {kListsMenuTitle, "actionListNodes", QT_TRANSLATE_NOOP("MainWindowMenus", "&Węzłów"), "",
     &MainWindow::run<&ListCommands::listNodes>},
    {kListsMenuTitle, "actionListElements", QT_TRANSLATE_NOOP("MainWindowMenus", "&Elementów"), "",
     &MainWindow::run<&ListCommands::listElements>},
    {kListsMenuTitle, "actionListInternalNodes", QT_TRANSLATE_NOOP("MainWindowMenus", "Wę&złów wewnętrznych"),
     "", &MainWindow::run<&ListCommands::listInternalNodes>},
    {kListsMenuTitle, "actionListConditions", QT_TRANSLATE_NOOP("MainWindowMenus", "Warunków &brzegowych"),
     "", &MainWindow::run<&ListCommands::listConditions>},
    {kListsMenuTitle, "actionListBoundaries", QT_TRANSLATE_NOOP("MainWindowMenus", "B&rzegów"), "",
     &MainWindow::run<&ListCommands::listBoundaries>},
};

// What happens on the boundary; the current condition and boundary are
// chosen on the toolbar.
constexpr const char* kPhysicsMenuTitle = QT_TRANSLATE_NOOP("MainWindowMenus", "&Fizyka");
constexpr MainWindow::MenuEntry kPhysicsMenu[] = {
    {kPhysicsMenuTitle, "actionConditions", QT_TRANSLATE_NOOP("MainWindowMenus", "&Warunki brzegowe..."), "",
     &MainWindow::run<&PhysicsCommands::editConditions>},
    {kPhysicsMenuTitle, "actionBoundaries", QT_TRANSLATE_NOOP("MainWindowMenus", "&Brzegi..."), "",
     &MainWindow::run<&PhysicsCommands::editBoundaries>},
    {kPhysicsMenuTitle, "actionProblem", QT_TRANSLATE_NOOP("MainWindowMenus", "&Zadanie i własności..."), "",
     &MainWindow::run<&PhysicsCommands::editProblem>},
    {kPhysicsMenuTitle, "actionMaterials", QT_TRANSLATE_NOOP("MainWindowMenus", "&Materiały..."), "",
     &MainWindow::run<&RegionPointCommands::editMaterials>},
    {kPhysicsMenuTitle, nullptr, "", "", nullptr},
    {kPhysicsMenuTitle, "actionSelect", QT_TRANSLATE_NOOP("MainWindowMenus", "W&ybierz elementy"), "",
     &MainWindow::run<&PhysicsCommands::startSelection>},
    {kPhysicsMenuTitle, "actionSelectNumbers",
     QT_TRANSLATE_NOOP("MainWindowMenus", "Wybierz elementy o &numerach..."), "",
     &MainWindow::run<&PhysicsCommands::selectByNumbers>},
    {kPhysicsMenuTitle, "actionClearSelection", QT_TRANSLATE_NOOP("MainWindowMenus", "&Odznacz elementy"), "",
     &MainWindow::run<&PhysicsCommands::clearSelection>},
    {kPhysicsMenuTitle, nullptr, "", "", nullptr},
    {kPhysicsMenuTitle, "actionAssignCondition", QT_TRANSLATE_NOOP("MainWindowMenus", "&Przypisz warunek..."),
     "", &MainWindow::run<&PhysicsCommands::assignCondition>},
    {kPhysicsMenuTitle, "actionAssignBoundary", QT_TRANSLATE_NOOP("MainWindowMenus", "Przypisz b&rzeg..."),
     "", &MainWindow::run<&PhysicsCommands::assignBoundary>},
    {kPhysicsMenuTitle, nullptr, "", "", nullptr},
    {kPhysicsMenuTitle, "actionCurrentCondition", QT_TRANSLATE_NOOP("MainWindowMenus", "Bieżący w&arunek..."),
     "", &MainWindow::run<&PhysicsCommands::chooseCurrentCondition>},
    {kPhysicsMenuTitle, "actionCurrentBoundary", QT_TRANSLATE_NOOP("MainWindowMenus", "Bieżący brz&eg..."),
     "", &MainWindow::run<&PhysicsCommands::chooseCurrentBoundary>},
};

constexpr const char* kMeshMenuTitle = QT_TRANSLATE_NOOP("MainWindowMenus", "&Generacja siatki");
constexpr MainWindow::MenuEntry kMeshMenu[] = {
    {kMeshMenuTitle, "actionGenerate", QT_TRANSLATE_NOOP("MainWindowMenus", "&GENERUJ"), "Ctrl+G",
     &MainWindow::run<&MeshCommands::generateMesh>},
    {kMeshMenuTitle, "actionMeshList", QT_TRANSLATE_NOOP("MainWindowMenus", "Lista &wyników"), "",
     &MainWindow::run<&ListCommands::listMesh>},
    {kMeshMenuTitle, "actionCheckModel", QT_TRANSLATE_NOOP("MainWindowMenus", "&Sprawdź model"), "",
     &MainWindow::run<&MeshCommands::checkModel>},
    {kMeshMenuTitle, "actionMeshStatistics", QT_TRANSLATE_NOOP("MainWindowMenus", "S&tatystyka siatki"), "",
     &MainWindow::run<&MeshCommands::showStatistics>},
    {kMeshMenuTitle, nullptr, "", "", nullptr},
    {kMeshMenuTitle, "actionMeshLimit", QT_TRANSLATE_NOOP("MainWindowMenus", "&Limit siatki..."), "",
     &MainWindow::run<&MeshCommands::chooseLimit>},
};

constexpr const char* kSolutionMenuTitle = QT_TRANSLATE_NOOP("MainWindowMenus", "&Rozwiązanie");
constexpr MainWindow::MenuEntry kSolutionMenu[] = {
    {kSolutionMenuTitle, "actionSolve", QT_TRANSLATE_NOOP("MainWindowMenus", "&Rozwiąż"), "Ctrl+R",
     &MainWindow::run<&SolveCommands::solve>},
    {kSolutionMenuTitle, "actionSolveAdaptively",
     QT_TRANSLATE_NOOP("MainWindowMenus", "Rozwiąż z &dokładnością..."), "",
     &MainWindow::run<&SolveCommands::solveAdaptively>},
    {kSolutionMenuTitle, "actionResults", QT_TRANSLATE_NOOP("MainWindowMenus", "&Wyniki..."), "",
     &MainWindow::run<&SolveCommands::showResults>},
    {kSolutionMenuTitle, "actionIntegrals", QT_TRANSLATE_NOOP("MainWindowMenus", "&Całki..."), "",
     &MainWindow::run<&SolveCommands::integrals>},
    {kSolutionMenuTitle, nullptr, "", "", nullptr},
    {kSolutionMenuTitle, "actionMap", QT_TRANSLATE_NOOP("MainWindowMenus", "&Mapa"), "",
     &MainWindow::run<&SolveCommands::toggleMap>},
    {kSolutionMenuTitle, "actionField", QT_TRANSLATE_NOOP("MainWindowMenus", "&Pole..."), "",
     &MainWindow::run<&SolveCommands::chooseField>},
    {kSolutionMenuTitle, "actionIsolines", QT_TRANSLATE_NOOP("MainWindowMenus", "&Izolinie"), "",
     &MainWindow::run<&SolveCommands::toggleIsolines>},
    {kSolutionMenuTitle, "actionDeformation", QT_TRANSLATE_NOOP("MainWindowMenus", "&Odkształcenie"), "",
     &MainWindow::run<&SolveCommands::toggleDeformation>},
    {kSolutionMenuTitle, nullptr, "", "", nullptr},
    {kSolutionMenuTitle, "actionValueList", QT_TRANSLATE_NOOP("MainWindowMenus", "&Lista wartości"), "",
     &MainWindow::run<&SolveCommands::listValues>},
    {kSolutionMenuTitle, "actionLinePlot", QT_TRANSLATE_NOOP("MainWindowMenus", "Wy&kres wzdłuż odcinka..."),
     "", &MainWindow::run<&SolveCommands::plotAlongSegment>},
    {kSolutionMenuTitle, "actionSaveImage", QT_TRANSLATE_NOOP("MainWindowMenus", "&Zapisz obraz..."), "",
     &MainWindow::run<&SolveCommands::saveImage>},
};

constexpr const char* kViewMenuTitle = QT_TRANSLATE_NOOP("MainWindowMenus", "&Widok");
constexpr MainWindow::MenuEntry kViewMenu[] = {
    {kViewMenuTitle, "actionScreenSettings", QT_TRANSLATE_NOOP("MainWindowMenus", "Ustawienia &ekranu"),
     "Ctrl+J", &MainWindow::run<&ViewCommands::screenSettings>},
    {kViewMenuTitle, "actionGrid", QT_TRANSLATE_NOOP("MainWindowMenus", "&Siatka"), "",
     &MainWindow::run<&ViewCommands::gridSettings>},
    {kViewMenuTitle, "actionRegion", QT_TRANSLATE_NOOP("MainWindowMenus", "&Obszar"), "",
     &MainWindow::run<&ViewCommands::regionSettings>},
    {kViewMenuTitle, "actionShowAll", QT_TRANSLATE_NOOP("MainWindowMenus", "&Pokaż wszystko"), "",
     &MainWindow::run<&ViewCommands::showAll>},
    {kViewMenuTitle, "SMES", QT_TRANSLATE_NOOP("MainWindowMenus", "Siatka &MES"), "Ctrl+M",
     &MainWindow::run<&ViewCommands::toggleMeshShown>},
    {kViewMenuTitle, "actionConditionColours", QT_TRANSLATE_NOOP("MainWindowMenus", "Kolory &warunków"), "",
     &MainWindow::run<&ViewCommands::toggleConditionColours>},
    {kViewMenuTitle, "actionMaterialColours", QT_TRANSLATE_NOOP("MainWindowMenus", "Kolory m&ateriałów"), "",
     &MainWindow::run<&ViewCommands::toggleMaterialColours>},
};

constexpr const char* kHelpMenuTitle = QT_TRANSLATE_NOOP("MainWindowMenus", "&Pomoc");
constexpr MainWindow::MenuEntry kHelpMenu[] = {
    {kHelpMenuTitle, "actionHelp", QT_TRANSLATE_NOOP("MainWindowMenus", "&Pomoc"), "", nullptr},
    {kHelpMenuTitle, nullptr, "", "", nullptr},
    {kHelpMenuTitle, "actionAbout", QT_TRANSLATE_NOOP("MainWindowMenus", "&O programie..."), "",
     &MainWindow::run<&HelpCommands::about>},
};

constexpr const char* kPointPopupTitle = "prawymenu";
constexpr MainWindow::MenuEntry kPointPopup[] = {
    {kPointPopupTitle, "actionInsertInternalNode",
     QT_TRANSLATE_NOOP("MainWindowMenus", "Wstaw wę&zeł wewnętrzny"), "",
     &MainWindow::run<&InternalNodeCommands::insertInternalNodeAtClick>},
    {kPointPopupTitle, "actionRemoveInternalNodeAt",
     QT_TRANSLATE_NOOP("MainWindowMenus", "Usuń wę&zeł wewnętrzny"), "",
     &MainWindow::run<&InternalNodeCommands::removeInternalNodesAtClick>},
    {kPointPopupTitle, "actionInsertRegionPoint",
     QT_TRANSLATE_NOOP("MainWindowMenus", "Wstaw &punkt obszaru"), "",
     &MainWindow::run<&RegionPointCommands::insertRegionPointAtClick>},
    {kPointPopupTitle, "actionRemoveRegionPointAt",
     QT_TRANSLATE_NOOP("MainWindowMenus", "Usuń p&unkt obszaru"), "",
     &MainWindow::run<&RegionPointCommands::removeRegionPointsAtClick>},
};

constexpr const char* kPolylinePopupTitle = "lamaPop";
constexpr MainWindow::MenuEntry kPolylinePopup[] = {
    {kPolylinePopupTitle, "actionEndPolyline", QT_TRANSLATE_NOOP("MainWindowMenus", "Koniec lini łamanej"),
     "", &MainWindow::run<&ContourCommands::endPolyline>},
    {kPolylinePopupTitle, "actionClosePolyline", QT_TRANSLATE_NOOP("MainWindowMenus", "Zamknij linie łamaną"),
     "", &MainWindow::run<&ContourCommands::closePolyline>},
    {kPolylinePopupTitle, "actionRemoveLastPoint",
     QT_TRANSLATE_NOOP("MainWindowMenus", "Usuń ostatni element"), "",
     &MainWindow::run<&ContourCommands::removeLastPoint>},
};
}  // namespace

std::span<const MainWindow::MenuEntry> MainWindow::menuTable() {
  static const std::vector<MenuEntry> entries = [] {
    std::vector<MenuEntry> all;
    for (std::span<const MenuEntry> menu : std::initializer_list<std::span<const MenuEntry>>{
             kFileMenu, kEditMenu, kAddMenu, kChangeMenu, kDeleteMenu, kListsMenu, kPhysicsMenu, kMeshMenu,
             kSolutionMenu, kViewMenu, kHelpMenu, kPointPopup, kPolylinePopup}) {
      all.insert(all.end(), menu.begin(), menu.end());
    }
    return all;
  }();
  return entries;
}

void MainWindow::buildMenus() {
  prawymenu_ = new QMenu(this);
  prawymenu_->setObjectName(QStringLiteral("prawymenu"));
  lamaPop_ = new QMenu(this);
  lamaPop_->setObjectName(QStringLiteral("lamaPop"));
  QMenu* menu = nullptr;
  const char* menuKey = nullptr;
  for (const MenuEntry& entry : menuTable()) {
    if (menuKey == nullptr || std::strcmp(menuKey, entry.menu) != 0) {
      menuKey = entry.menu;
      const QString key = QString::fromUtf8(entry.menu);
      menu = key == prawymenu_->objectName() ? prawymenu_
             : key == lamaPop_->objectName() ? lamaPop_
                                             : menuBar()->addMenu(Ui("MainWindowMenus", entry.menu));
    }
    if (entry.name == nullptr) {
      menu->addSeparator();
      continue;
    }
    auto* a = new QAction(Ui("MainWindowMenus", entry.text), this);
    a->setObjectName(QString::fromLatin1(entry.name));
    a->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
    if (entry.command != nullptr) {
      connect(a, &QAction::triggered, this, [this, command = entry.command] { command(*this); });
    }
    menu->addAction(a);
  }
  wireHistoryItems();
  wireViewTicks();
  wireSolutionItems();
}

QAction* MainWindow::menuItem(const char* name) const {
  return findChild<QAction*>(QString::fromLatin1(name));
}

// Undo and redo name the step they would take; with none they rest.
void MainWindow::wireHistoryItems() {
  QAction* undo = menuItem("actionUndo");
  QAction* redo = menuItem("actionRedo");
  redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  const auto showHistory = [this, undo, redo] {
    const History& h = state_->history;
    undo->setEnabled(h.canUndo());
    redo->setEnabled(h.canRedo());
    undo->setText(h.canUndo() ? Ui("MainWindowMenus", "&Cofnij: %1").arg(QString::fromStdString(h.undoName()))
                              : Ui("MainWindowMenus", "&Cofnij"));
    redo->setText(h.canRedo() ? Ui("MainWindowMenus", "&Ponów: %1").arg(QString::fromStdString(h.redoName()))
                              : Ui("MainWindowMenus", "&Ponów"));
  };
  showHistory();
  connect(&commands_->context(), &CommandContext::historyChanged, this, showHistory);
}

void MainWindow::wireViewTicks() {
  QAction* smes = menuItem("SMES");
  smes->setCheckable(true);
  smes->setChecked(state_->meshShown);
  // The command decides the tick, whatever the automatic toggle did.
  connect(&commands_->context(), &CommandContext::meshShownChanged, smes, &QAction::setChecked);
  // The colour switches are ticked while they are on.
  QAction* colours = menuItem("actionConditionColours");
  QAction* materialColours = menuItem("actionMaterialColours");
  const auto showColours = [this, colours, materialColours] {
    colours->setChecked(state_->display.colourByCondition == 1);
    materialColours->setChecked(state_->display.colourByMaterial == 1);
  };
  for (QAction* a : {colours, materialColours}) {
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, showColours);
  }
  connect(&commands_->context(), &CommandContext::repaintRequested, this, showColours);
}

void MainWindow::wireSolutionItems() {
  // The solution's layers are ticked while they show.
  QAction* map = menuItem("actionMap");
  QAction* isolines = menuItem("actionIsolines");
  QAction* deformation = menuItem("actionDeformation");
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
  QAction* integrals = menuItem("actionIntegrals");
  const auto showIntegrals = [this, integrals] { integrals->setEnabled(state_->solution != nullptr); };
  showIntegrals();
  connect(&commands_->context(), &CommandContext::solutionChanged, this, showIntegrals);
}
