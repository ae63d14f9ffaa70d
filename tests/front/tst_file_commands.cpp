// "Plik" and "Edycja" under a scripted prompter: new, open, save and the
// exports, and undo and redo of every change.

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <sstream>

#include "CommandsTestKit.h"
#include "TestData.h"
#include "core/TempDir.h"
#include "core/batch/BatchExport.h"
#include "core/files/OpenExport.h"
#include "core/files/ProjectFile.h"
#include "core/state/History.h"

namespace {

class FileCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QLocale::setDefault(QLocale::c()); }

  void newProjectAsksAndResetsOnlyOnYes() {
    Rig r;
    r.triangle();
    r.prompter.answers = {false, true};
    r.commands->files().newProject();
    QCOMPARE(r.model().nodeCount, 3);
    QCOMPARE(r.repaints->count(), 0);
    r.view().gridDx = 5;
    r.commands->contours().startPolyline();
    r.commands->files().newProject();
    QCOMPARE(r.statusText(3), u" "_s);
    QCOMPARE(r.prompter.log,
             QStringList(2, u"ask Nowy projekt: Tworząc nowy projekt utracisz wszystkie dane..."_s));
    QCOMPARE(std::pair(r.model().nodeCount, r.view().gridDx), std::pair(0, 2.0f));
    QCOMPARE(r.lastCaption(), u"Vendrel Korbel v1.0"_s);
    QCOMPARE(QString::fromStdString(r.model().CaptionText), u"Vendrel Korbel v1.0"_s);
    QCOMPARE(r.repaints->count(), 1);
  }

  void openYesThenCancelLeavesAnEmptyModelAndTheOldCaption() {
    Rig r;
    r.commands->setCaption(u"Vendrel korbel v1.0 /old.vdk"_s);
    r.triangle();
    r.commands->contours().startPolyline();
    r.prompter.answers = {true, false};
    r.prompter.fileNames = {std::nullopt};
    r.commands->files().openProject();
    QCOMPARE(r.statusText(3), u" "_s);
    QCOMPARE(std::pair(r.model().nodeCount, r.state->edit.editMode), std::pair(0, EditMode::Idle));
    QCOMPARE(r.lastCaption(), u"Vendrel korbel v1.0 /old.vdk"_s);
    QCOMPARE(r.prompter.fileDialogs[0].filters,
             QStringList({u"Pliki Vendrela Korbel (*.vdk)"_s, u"Wszystkie pliki (*.*)"_s}));
    QCOMPARE(r.prompter.fileDialogs[0].defaultSuffix, u"vdk"_s);
    r.triangle();
    r.commands->files().openProject();
    QCOMPARE(r.model().nodeCount, 3);
    QCOMPARE(r.prompter.log, QStringList({u"ask Otwórz plik: Czy chcesz utracić aktualne dane ?"_s,
                                          u"open Otwarcie pliku: "_s,
                                          u"ask Otwórz plik: Czy chcesz utracić aktualne dane ?"_s}));
  }

  void saveAndOpenRoundTripAndFilesThatCannotBeReadOrWritten() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"trójkąt.vdk"_s);
    Rig r;
    r.commands->files().saveProject();
    r.triangle();
    (void)AppendInternalNode(r.model(), InternalNode{0.1f, 0.1f});
    r.prompter.fileNames = {path, dir.filePath(u"no/such/folder.vdk"_s)};
    r.commands->files().saveProject();
    QCOMPARE(r.lastCaption(), "Vendrel korbel v1.0 "_L1 + path);
    r.commands->files().saveProject();
    QVERIFY(r.prompter.fileDialogs[0].confirmOverwrite);
    QCOMPARE(r.prompter.log,
             QStringList({u"stop Błąd zapisu: Ilość węzłów równa 0"_s, u"save Zapis pliku: "_s,
                          "note Zapis do pliku: Zapisano dane do pliku "_L1 + path, u"save Zapis pliku: "_s,
                          u"stop Błąd operacji dyskowej: Nie można zapisać do pliku"_s}));
    QCOMPARE(r.lastCaption(), "Vendrel korbel v1.0 "_L1 + path);  // a failed save keeps the caption

    Rig o;
    o.prompter.answers = {true, true, true};
    o.prompter.fileNames = {path, QString::fromStdString(TestData("bad/too-many-nodes.vdk")),
                            dir.filePath(u"missing.vdk"_s)};
    o.commands->files().openProject();
    QVERIFY(o.model().internalNodeCount == 1 && o.repaints->count() >= 1);
    o.commands->files().openProject();
    o.commands->files().openProject();
    QCOMPARE(o.model().nodeCount, 0);
    QCOMPARE(o.lastCaption(), "Vendrel korbel v1.0 "_L1 + path);
    QCOMPARE(o.prompter.messages(),
             QStringList(
                 {"note Odczyt z pliku: Odczytano dane z pliku "_L1 + path,
                  u"stop Odczyt z pliku: Plik zawiera błędną liczbę węzłów: 300 (dopuszczalna od 0 do 299)"_s,
                  u"stop Odczyt z pliku: Nie można odczytać pliku"_s}));

    // A project named at start by a relative name is named by its full path.
    Rig a;
    const QString folder = QDir::currentPath();
    QDir::setCurrent(dir.path());
    a.commands->files().openProjectFile(u"trójkąt.vdk"_s);
    QDir::setCurrent(folder);
    QCOMPARE(a.lastCaption(), "Vendrel korbel v1.0 "_L1 + path);
    QCOMPARE(a.prompter.log, QStringList("note Odczyt z pliku: Odczytano dane z pliku "_L1 + path));
  }

  // Every command that changes the model is one step of its history:
  // undone, the model is its old self bit for bit; redone, its new self.
  // The menu names the step; undo ends a polyline under way.
  void everyChangeIsUndoneAndRedoneExactly() {
    Rig r;
    r.triangle();
    (void)AppendNode(r.model(), Node{0, 0});  // a double of node 1
    (void)AppendInternalNode(r.model(), InternalNode{1, 1});
    ComputeScale(r.view(), 640, 400);
    r.state->edit.PopupClickPoint = {120, 300};
    r.state->edit.popupClientHeight = 400;
    const auto run = [&](auto c) { return [&r, c] { r.commands->run(c); }; };
    const auto clicks = [&](int n) {
      return [&r, n] {
        r.commands->contours().startPolyline();
        for (int i = 0; i < n; ++i)
          r.commands->contours().mouseDown(Qt::LeftButton, 100 + 90 * (i % 2), 100 + 60 * i, 400);
      };
    };
    const auto dialog = [&](std::function<int(QDialog&)> script) {
      r.prompter.dialogs = {std::move(script)};
    };
    const auto number = [&](const char* n) { dialog(Type("OK", {{"Edit1", QLatin1String(n)}})); };
    const struct {
      const char* name;
      std::function<void()> prepare, act;
    } steps[] = {
        {"usunięcie podwójnych węzłów", [&] { r.prompter.answers = {true}; },
         run(&NodeElementCommands::removeDuplicateNodes)},
        {"dodanie elipsy", [&] { dialog(PressButton(u"OK"_s)); }, run(&ContourCommands::ellipse)},
        {"dodanie węzła 22",
         [&] {
           dialog(Type("OK", {{"xx", u"3"_s}, {"yy", u"4"_s}}));
         },
         run(&NodeElementCommands::addNode)},
        {"zmiana współrzędnych węzła 2",
         [&] {
           dialog(Type("OK", {{"Edit1", u"2"_s}, {"xx", u"7"_s}}));
         },
         run(&NodeElementCommands::changeNodeCoordinates)},
        {"dodanie elementu 22",
         [&] {
           dialog(Type("OK", {{"poczatek", u"3"_s}, {"koniec", u"22"_s}}));
         },
         run(&NodeElementCommands::addElement)},
        {"zmiana elementu 1",
         [&] {
           dialog(Type("OK", {{"numer", u"1"_s}, {"koniec", u"3"_s}}));
         },
         run(&NodeElementCommands::changeElement)},
        {"usunięcie elementu 22", [&] { number("22"); }, run(&NodeElementCommands::deleteElement)},
        {"usunięcie węzła 22", [&] { number("22"); }, run(&NodeElementCommands::deleteNode)},
        {"dodanie węzła wewnętrznego 2",
         [&] {
           dialog(Type("OK", {{"xx", u"2"_s}, {"yy", u"2"_s}}));
         },
         run(&InternalNodeCommands::addInternalNode)},
        {"zmiana węzła wewnętrznego 1",
         [&] {
           dialog(Type("OK", {{"numer", u"1"_s}, {"xx", u"3"_s}}));
         },
         run(&InternalNodeCommands::changeInternalNode)},
        {"usunięcie węzła wewnętrznego 2", [&] { number("2"); },
         run(&InternalNodeCommands::deleteInternalNode)},
        {"dodanie węzła wewnętrznego 2", [&] { r.prompter.answers = {true}; },
         run(&InternalNodeCommands::insertInternalNodeAtClick)},
        {"usunięcie węzłów wewnętrznych", [&] { r.prompter.answers = {true}; },
         run(&InternalNodeCommands::removeInternalNodesAtClick)},
        {"usunięcie wszystkich węzłów wewnętrznych", [&] { r.prompter.answers = {true}; },
         run(&InternalNodeCommands::deleteAllInternalNodes)},
        {"generacja siatki", [&] { r.prompter.inputs = {u"10"_s}; }, run(&MeshCommands::generateMesh)},
        {"dodanie punktu linii łamanej", [] {}, clicks(1)},
        {"usunięcie ostatniego elementu", clicks(2), run(&ContourCommands::removeLastPoint)},
        {"zamknięcie linii łamanej", [&] { clicks(3)(), r.prompter.answers = {true}; },
         run(&ContourCommands::closePolyline)},
        {"nowy projekt", [&] { r.prompter.answers = {true}; }, run(&FileCommands::newProject)},
        {"otwarcie pliku",
         [&] {
           r.prompter.answers = {true},
           r.prompter.fileNames = {QString::fromStdString(TestData("plate.vdk"))};
         },
         run(&FileCommands::openProject)},
    };
    QSignalSpy history(r.commands.get(), &Commands::historyChanged);
    for (const auto& step : steps) {
      step.prepare();
      const auto before = std::make_unique<Model>(r.model());
      step.act();
      const auto after = std::make_unique<Model>(r.model());
      QVERIFY2(!SameProject(*before, *after), step.name);
      QCOMPARE(QString::fromStdString(r.state->history.undoName()), QString::fromUtf8(step.name));
      r.commands->run(&HistoryCommands::undo);
      QVERIFY2(SameModel(r.model(), *before), step.name);
      QCOMPARE(r.state->edit.editMode, EditMode::Idle);
      QCOMPARE(r.lastCaption(), QString::fromStdString(before->CaptionText));
      r.commands->run(&HistoryCommands::redo);
      QVERIFY2(SameModel(r.model(), *after), step.name);
      QVERIFY(!r.state->history.canRedo());
    }
    QCOMPARE(history.count(), int(std::size(steps)) * 3 + 5);  // and the clicks that prepared
    // Commands that leave the project as it was are no steps.
    const size_t steps0 = r.state->history.undoCount();
    r.commands->run(&ViewCommands::zoomIn);
    dialog([](QDialog&) { return int(QDialog::Rejected); });
    r.commands->run(&ListCommands::listNodes);
    dialog(PressButton(u"Anuluj"_s));  // the row it wrote lies past the counter again
    r.commands->run(&NodeElementCommands::addNode);
    r.commands->run(&MeshCommands::checkModel);
    QCOMPARE(r.state->history.undoCount(), steps0);
    // Nor is a failed generation with no mesh to lose, and what could be
    // redone stays.
    number("1");
    r.commands->run(&NodeElementCommands::deleteElement);
    r.commands->run(&HistoryCommands::undo);
    r.commands->mesh().mesherOptions().helperPath = FAKE_MESHER_PATH;
    r.commands->mesh().mesherOptions().extraArgs = {"exit"};
    r.prompter.inputs = {u"1"_s};
    r.commands->run(&MeshCommands::generateMesh);
    QCOMPARE(std::pair(r.model().MeshFailureFlag, r.state->history.undoCount()), std::pair(1, steps0));
    QCOMPARE(QString::fromStdString(r.state->history.redoName()), u"usunięcie elementu 1"_s);
  }

  void exportWritesTheLayoutOfTheNameWithItsMessage() {
    QTemporaryDir dir;
    Rig r;
    r.commands->files().exportMesh();
    QCOMPARE(r.prompter.log, QStringList({u"stop Eksport do...: Siatka nie została wygenerowana"_s}));
    r.triangle();
    r.prompter.inputs = {u"10"_s};
    r.commands->mesh().generateMesh();
    r.prompter.log.clear();
    const QStringList names = {u"a.m2d"_s, u"a.N2D"_s, u"a.ulx"_s, u"a.Ulx"_s};
    for (const QString& name : names) r.prompter.fileNames.push_back(dir.filePath(name));
    r.prompter.fileNames.insert(r.prompter.fileNames.end(), {std::nullopt, dir.filePath(u"x/y.m2d"_s)});
    for (int i = 0; i < 6; ++i) r.commands->files().exportMesh();
    const QString korbel = u"plain Eksport do MES 2D KORBELA: Plik wyeksportowano poprawnie"_s;
    QCOMPARE(
        r.prompter.messages(),
        QStringList({korbel, u"plain Eksport do MES 2D KORBELA NIELINIOWA: Plik wyeksportowano poprawnie"_s,
                     korbel, u"note Błąd operacji dyskowej: Nie można zapisać do pliku"_s}));
    for (const QString& name : names) QVERIFY(QFileInfo::exists(dir.filePath(name)));
    const FileDialogOptions& options = r.prompter.fileDialogs[0];
    QCOMPARE(options.title, u"Eksport siatki"_s);
    QCOMPARE(options.defaultSuffix, u"m2d"_s);
    QVERIFY(!options.confirmOverwrite);
    QCOMPARE(options.filters,
             QStringList({u"Pliki DEV2O Korbela (*.m2d)"_s, u"Pliki ULMEX (*.ulx)"_s,
                          u"Pliki Korbela nieliniowa  (*.n2d)"_s, u"Wszystkie pliki (*.*)"_s}));
  }

  // The name's extension picks MSH or VTU, the filter picks the MSH version
  // and any other extension; the files are those the command line makes.
  void openExportMatchesTheCommandLine() {
    QTemporaryDir dir;
    Rig r;
    r.commands->files().exportOpenFormat();
    QCOMPARE(r.prompter.log, QStringList({u"stop Eksport do...: Siatka nie została wygenerowana"_s}));
    const std::string project = TestData("physics.vdk");
    QVERIFY(LoadProjectFile(project, r.model()).ok);
    r.prompter.inputs = {u"10"_s};
    r.commands->mesh().generateMesh();
    r.prompter.log.clear();
    const std::tuple<QString, int, const char*> cases[] = {{u"a.msh"_s, 0, "4.1"},
                                                           {u"b.msh"_s, 1, "2.2"},
                                                           {u"c.vtu"_s, 1, "vtu"},
                                                           {u"d.dat"_s, 2, "vtu"},
                                                           {u"e.MSH"_s, 1, "2.2"}};
    for (const auto& [name, filter, format] : cases) {
      r.prompter.fileNames.push_back(dir.filePath(name));
      r.prompter.filterChoices.push_back(filter);
    }
    r.prompter.fileNames.insert(r.prompter.fileNames.end(), {std::nullopt, dir.filePath(u"x/y.msh"_s)});
    for (size_t i = 0; i < std::size(cases) + 2; ++i) r.commands->files().exportOpenFormat();
    const QString done = u": Plik wyeksportowano poprawnie"_s;
    QCOMPARE(r.prompter.messages(),
             QStringList({u"plain Eksport do Gmsh MSH 4.1"_s + done,
                          u"plain Eksport do Gmsh MSH 2.2"_s + done, u"plain Eksport do VTK"_s + done,
                          u"plain Eksport do VTK"_s + done, u"plain Eksport do Gmsh MSH 2.2"_s + done,
                          u"note Błąd operacji dyskowej: Nie można zapisać do pliku"_s}));
    std::ostringstream sink;
    for (const auto& [name, filter, format] : cases) {
      const std::string cli =
          dir.filePath(u"cli"_s).toStdString() + (format == std::string("vtu") ? ".vtu" : ".msh");
      std::vector<std::string> args = {"--export", cli, "--area", "10", project};
      if (format == std::string("2.2")) args.insert(args.begin(), {"--msh-version", "2.2"});
      QCOMPARE(RunBatchExport(args, r.commands->mesh().mesherOptions(), sink), 0);
      QCOMPARE(ReadFileBytes(dir.filePath(name).toStdString()), ReadFileBytes(cli));
    }
    const FileDialogOptions& options = r.prompter.fileDialogs[0];
    QCOMPARE(options.title, u"Eksport siatki do formatu otwartego"_s);
    QVERIFY(options.confirmOverwrite && options.chosenFilter != nullptr);
    QCOMPARE(options.filters,
             QStringList({u"Gmsh MSH 4.1 (*.msh)"_s, u"Gmsh MSH 2.2 (*.msh)"_s, u"VTK XML (*.vtu)"_s}));

    // Elements naming what does not exist are named after the success; a
    // degenerate mesh is refused before a file is asked for.
    r.model().ElementTable[2].bcNumber = 9;
    r.model().ElementTable[7].boundaryNumber = 0;
    r.prompter.inputs = {u"10"_s};
    r.commands->mesh().generateMesh();
    r.prompter.log.clear();
    r.prompter.fileNames = {dir.filePath(u"f.msh"_s)};
    r.commands->files().exportOpenFormat();
    r.model().MeshNodeTable[2] = r.model().MeshNodeTable[1];
    const std::optional<std::string> refusal = OpenExportRefusal(r.model());
    QVERIFY(refusal.has_value());
    r.commands->files().exportOpenFormat();
    QCOMPARE(r.prompter.messages(),
             QStringList({u"plain Eksport do Gmsh MSH 4.1: Plik wyeksportowano poprawnie\n"
                          u"Elementy wskazujące nieistniejący warunek lub brzeg: 2, 7."_s,
                          u"stop Eksport do...: "_s + QString::fromStdString(*refusal)}));
    QCOMPARE(r.prompter.fileDialogs.size(), std::size(cases) + 3);
  }
};

}  // namespace

QTEST_MAIN(FileCommandsTest)
#include "tst_file_commands.moc"
