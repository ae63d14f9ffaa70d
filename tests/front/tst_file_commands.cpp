// "Plik" and "Edycja" under a scripted prompter: new, open, save and the
// exports, undo and redo of every change, and the recovery copy.

#include <utime.h>

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <iostream>
#include <sstream>

#include "CommandsTestKit.h"
#include "TestData.h"
#include "core/TempDir.h"
#include "core/batch/BatchExport.h"
#include "core/files/OpenExport.h"
#include "core/files/ProjectFile.h"
#include "core/files/Recovery.h"
#include "core/state/History.h"
#include "front/app/MainWindow.h"

namespace {

// The recovery copies in a folder: their project files' names.
QStringList Copies(const QString& folder) {
  return QDir(folder).entryList({u"*.vdk"_s}, QDir::Files);
}

// A change of the project, recorded as any command records it.
void Change(Rig& r) {
  r.commands->context().tracked(u"zmiana"_s, [&r] {
    (void)AppendInternalNode(r.model(), InternalNode{float(r.model().internalNodeCount), 0.5f});
  });
}

// The project this suite's crashing child leaves: plate.vdk with one
// internal node more.
std::string ChildsProject() {
  auto m = std::make_unique<Model>();
  (void)LoadProjectFile(TestData("plate.vdk"), *m);
  (void)AppendInternalNode(*m, InternalNode{float(m->internalNodeCount), 0.5f});
  return FormatProjectFile(*m);
}

// Run as a child of the suite: opens plate.vdk, changes it, tells the
// parent once its recovery copy is written, and waits to be killed.
int LeaveRecoveryCopyAndWait() {
  Rig r;
  const std::string folder = RecoveryFolder();
  r.commands->files().keepRecoveryCopies(folder, std::chrono::milliseconds(20));
  r.commands->files().openProjectFile(QString::fromStdString(TestData("plate.vdk")));
  Change(r);
  if (!QTest::qWaitFor([&] { return Copies(QString::fromStdString(folder)).size() == 1; }, 30000)) return 1;
  std::cout << "ready" << std::endl;
  for (;;) QTest::qWait(1000);
}

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
    r.commands->context().setCaption(u"Vendrel korbel v1.0 /old.vdk"_s);
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
    QCOMPARE(
        r.prompter.log,
        QStringList(
            {u"stop Błąd zapisu: Ilość węzłów równa 0"_s, u"save Zapis pliku: "_s,
             "note Zapis do pliku: Zapisano dane do pliku "_L1 + path, u"save Zapis pliku: "_s,
             u"stop Błąd operacji dyskowej: Nie można zapisać do pliku\nPrzyczyna: folder nie istnieje."_s}));
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
    QSignalSpy history(&r.commands->context(), &CommandContext::historyChanged);
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

  // "Zapisz" (Ctrl+S) writes the caption's file without a dialog; with no
  // file yet it is "Zapisz jako". "Zapisz jako" and the toolbar's button
  // still ask. No two items share a shortcut, no two in "Plik" a letter.
  void saveWritesTheCaptionsFileWithoutADialog() {
    QTemporaryDir dir;
    // A right-to-left override in the name is shown written out, and the
    // file saved to is still the one of that name.
    const QString path = dir.filePath(u"pły\u202Eta.vdk"_s), shown = dir.filePath(u"pły\\u{202E}ta.vdk"_s);
    ScriptedPrompter prompter;
    MainWindow window(&prompter);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Model& m = window.state().model;
    const auto ctrlS = [&] { QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier); };
    const auto change = [&](float x) {
      window.commands().context().tracked(u"zmiana"_s, [&] { (void)AppendNode(m, Node{x, 1}); });
    };
    ResetModelData(m);
    ctrlS();
    change(1);
    prompter.fileNames = {path};
    ctrlS();
    QCOMPARE(prompter.log, QStringList({u"stop Błąd zapisu: Ilość węzłów równa 0"_s, u"save Zapis pliku: "_s,
                                        "note Zapis do pliku: Zapisano dane do pliku "_L1 + shown}));
    QCOMPARE(window.windowTitle(), "Vendrel korbel v1.0 "_L1 + shown + u"[*]"_s);
    for (const float x : {2.0f, 3.0f}) {
      change(x);
      QVERIFY(window.isWindowModified());
      ctrlS();
      QVERIFY(!window.isWindowModified());
      QCOMPARE(ReadFileBytes(path.toStdString()), FormatProjectFile(m));
    }
    QCOMPARE(prompter.log.size(), 3);
    // A failed save says so and keeps the "*".
    QVERIFY(QDir(dir.path()).removeRecursively());
    change(4);
    ctrlS();
    QCOMPARE(prompter.log.last(),
             u"stop Błąd operacji dyskowej: Nie można zapisać do pliku\nPrzyczyna: folder nie istnieje."_s);
    QVERIFY(window.isWindowModified());
    prompter.fileNames = {std::nullopt, std::nullopt};
    window.findChild<QAction*>(u"actionSaveAs"_s)->trigger();
    window.findChild<QToolButton*>(u"ZapiszB"_s)->click();
    QCOMPARE(prompter.log.mid(4), QStringList(2, u"save Zapis pliku: "_s));

    QStringList shortcuts, letters;
    for (QAction* a : window.findChildren<QAction*>()) {
      if (!a->shortcut().isEmpty()) shortcuts << a->shortcut().toString();
    }
    for (QAction* a : window.menuBar()->actions().first()->menu()->actions()) {
      const qsizetype amp = a->text().indexOf(u'&');
      if (amp >= 0) letters << a->text().mid(amp + 1, 1).toLower();
    }
    QVERIFY(shortcuts.contains(u"Ctrl+S"_s) && letters.contains(u"z"_s));
    QCOMPARE(QSet(shortcuts.begin(), shortcuts.end()).size(), shortcuts.size());
    QCOMPARE(QSet(letters.begin(), letters.end()).size(), letters.size());
  }

  // While the project differs from its file a copy of it is kept, and it
  // goes whenever the project is its file again or a new one.
  void recoveryCopyFollowsUnsavedChanges() {
    QTemporaryDir dir, files;
    const QString path = files.filePath(u"p.vdk"_s);
    Rig r;
    r.triangle();
    r.commands->files().keepRecoveryCopies(dir.path().toStdString(), std::chrono::milliseconds(0));
    const auto run = [&r, &path](auto command, std::deque<bool> answers = {}) {
      return [&r, &path, command, answers] {
        r.prompter.answers = answers;
        r.prompter.fileNames = {path};
        r.commands->run(command);
      };
    };
    r.commands->context().setCaption("Vendrel korbel v1.0 "_L1 + path);
    const std::pair<const char*, std::function<void()>> backToAFile[] = {
        {"Zapisz", run(&FileCommands::saveToCurrentFile)},
        {"Cofnij", [undo = run(&HistoryCommands::undo)] { undo(), undo(); }},
        {"Zapisz jako", run(&FileCommands::saveProject)},
        {"Otwórz", run(&FileCommands::openProject, {true})},
        {"Nowy", run(&FileCommands::newProject, {true})},
    };
    for (const auto& [name, clean] : backToAFile) {
      Change(r);
      QTRY_COMPARE(Copies(dir.path()).size(), 1);
      const std::string copy = dir.filePath(Copies(dir.path())[0]).toStdString();
      QCOMPARE(ReadFileBytes(copy), FormatProjectFile(r.model()));
      Change(r);  // refreshed after each change
      QTRY_COMPARE(ReadFileBytes(copy), FormatProjectFile(r.model()));
      clean();
      QVERIFY2(r.state->history.isClean() && Copies(dir.path()).isEmpty(), name);
    }
  }

  // The end after the question writes the copy at once (or removes it
  // when nothing is unsaved); the next start offers each left copy, the
  // newest first: "Nie" deletes it, "Tak" restores it as unsaved work.
  void endingKeepsTheCopyAndTheNextStartOffersIt() {
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    const QDateTime times[] = {QDateTime(QDate(2026, 3, 5), QTime(14, 7)),
                               QDateTime(QDate(2026, 3, 4), QTime(9, 30))};
    const QString names[] = {u"/dom/ściana.vdk"_s, QString()};
    std::string projects[2];
    for (int i = 0; i < 2; ++i) {
      Rig r;
      r.commands->files().keepRecoveryCopies(folder, std::chrono::hours(1));
      if (!names[i].isEmpty()) r.commands->context().setCaption("Vendrel korbel v1.0 "_L1 + names[i]);
      Change(r);
      r.prompter.answers = {false, true};
      QVERIFY(!r.commands->files().confirmExit());
      const QStringList before = Copies(dir.path());
      QCOMPARE(before.size(), qsizetype(i));
      QVERIFY(r.commands->files().confirmExit());
      projects[i] = FormatProjectFile(r.model());
      QStringList now = Copies(dir.path());
      for (const QString& old : before) now.removeOne(old);
      QCOMPARE(now.size(), 1);
      const QString copy = dir.filePath(now[0]);
      QCOMPARE(ReadFileBytes(copy.toStdString()), projects[i]);
      const utimbuf stamp{time_t(times[i].toSecsSinceEpoch()), time_t(times[i].toSecsSinceEpoch())};
      QCOMPARE(::utime(QFile::encodeName(copy).constData(), &stamp), 0);
    }
    {
      Rig unchanged;  // ends with nothing unsaved: no copy
      unchanged.commands->files().keepRecoveryCopies(folder, std::chrono::hours(1));
      unchanged.prompter.answers = {true};
      QVERIFY(unchanged.commands->files().confirmExit());
    }
    QCOMPARE(Copies(dir.path()).size(), 2);

    Rig r;
    r.commands->files().keepRecoveryCopies(folder, std::chrono::hours(1));
    const auto start = std::make_unique<Model>(r.model());
    r.prompter.answers = {false, true};
    QVERIFY(r.commands->files().offerLeftCopies());
    const QString question =
        u"ask Przywrócenie projektu: Znaleziono niezapisany projekt %1 z %2. Przywrócić go?"_s;
    QCOMPARE(r.prompter.log, QStringList({question.arg(names[0], u"05.03.2026 14:07"_s),
                                          question.arg(u"bez nazwy"_s, u"04.03.2026 09:30"_s)}));
    QCOMPARE(FormatProjectFile(r.model()), projects[1]);
    QCOMPARE(r.lastCaption(), u"Vendrel Korbel v1.0"_s);
    QVERIFY(!r.state->history.isClean());
    // The only copy left is the program's own, of the restored work.
    QCOMPARE(Copies(dir.path()).size(), 1);
    QCOMPARE(ReadFileBytes(dir.filePath(Copies(dir.path())[0]).toStdString()), projects[1]);
    r.commands->run(&HistoryCommands::undo);
    QVERIFY(SameProject(r.model(), *start) && Copies(dir.path()).isEmpty());
  }

  // A program killed outright (SIGKILL) leaves the work of its last
  // refresh; the next start restores it byte for byte, under its file's
  // name, as unsaved. A program still running is not offered.
  void killedProgramsWorkComesBack() {
    QTemporaryDir dir;
    const QByteArray old = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path()));
    const auto restore =
        qScopeGuard([&] { old.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", old); });
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {u"--leave-recovery-copy"_s});
    QVERIFY(child.waitForReadyRead(60000));
    QCOMPARE(child.readAllStandardOutput(), QByteArray("ready\n"));
    const QString folder = QString::fromStdString(RecoveryFolder());
    QVERIFY(folder.startsWith(dir.path()));
    {
      Rig running;
      running.commands->files().keepRecoveryCopies(folder.toStdString());
      QVERIFY(!running.commands->files().offerLeftCopies());
      QVERIFY(running.prompter.log.isEmpty());
    }
    child.kill();
    QVERIFY(child.waitForFinished());
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    const QDateTime written = QFileInfo(folder + u"/"_s + Copies(folder).value(0)).lastModified();

    Rig r;
    r.commands->files().keepRecoveryCopies(folder.toStdString());
    r.prompter.answers = {true};
    QVERIFY(r.commands->files().offerLeftCopies());
    const QString plate = QString::fromStdString(TestData("plate.vdk"));
    QCOMPARE(r.prompter.log,
             QStringList(u"ask Przywrócenie projektu: Znaleziono niezapisany projekt %1 z %2. "
                         u"Przywrócić go?"_s.arg(plate, written.toString(u"dd.MM.yyyy HH:mm"_s))));
    QCOMPARE(FormatProjectFile(r.model()), ChildsProject());
    QCOMPARE(r.lastCaption(), "Vendrel korbel v1.0 "_L1 + plate);
    QVERIFY(!r.state->history.isClean());
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
        QStringList(
            {korbel, u"plain Eksport do MES 2D KORBELA NIELINIOWA: Plik wyeksportowano poprawnie"_s, korbel,
             u"note Błąd operacji dyskowej: Nie można zapisać do pliku\nPrzyczyna: folder nie istnieje."_s}));
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
    QCOMPARE(
        r.prompter.messages(),
        QStringList(
            {u"plain Eksport do Gmsh MSH 4.1"_s + done, u"plain Eksport do Gmsh MSH 2.2"_s + done,
             u"plain Eksport do VTK"_s + done, u"plain Eksport do VTK"_s + done,
             u"plain Eksport do Gmsh MSH 2.2"_s + done,
             u"note Błąd operacji dyskowej: Nie można zapisać do pliku\nPrzyczyna: folder nie istnieje."_s}));
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

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc == 2 && qstrcmp(argv[1], "--leave-recovery-copy") == 0) return LeaveRecoveryCopyAndWait();
  FileCommandsTest test;
  QTEST_SET_MAIN_SOURCE_PATH
  return QTest::qExec(&test, argc, argv);
}

#include "tst_file_commands.moc"
