// The main window's commands under a scripted prompter: model, view and the
// exact texts, titles and icons shown.

#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>
#include <memory>

#include "CommandsRig.h"
#include "state/AppState.h"
#include "app/Commands.h"
#include "files/ProjectFile.h"
#include "view/ViewDialogs.h"

namespace {

using Rig = CommandsRig;

void ExpectMessages(const ScriptedPrompter& p,
                    const std::vector<std::tuple<QString, QString, MessageIcon>>& want) {
  const std::vector<Shown> got = p.messages();
  QCOMPARE(got.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) {
    QCOMPARE(got[i].text, std::get<0>(want[i]));
    QCOMPARE(got[i].title, std::get<1>(want[i]));
    QCOMPARE(int(got[i].icon), int(std::get<2>(want[i])));
  }
}

class CommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QLocale::setDefault(QLocale::c()); }

  void newProjectAsksAndResetsOnlyOnYes() {
    Rig r;
    r.triangle();
    r.prompter.answers = {false};
    r.commands->newProject();
    QCOMPARE(r.model().nodeCount, 3);
    QCOMPARE(r.repaints->count(), 0);
    QCOMPARE(r.prompter.shown[0].text, QStringLiteral("Tworząc nowy projekt utracisz wszystkie dane..."));
    QCOMPARE(r.prompter.shown[0].title, QStringLiteral("Nowy projekt"));

    r.prompter.answers = {true};
    r.state->view.gridDx = 5;
    r.commands->newProject();
    QCOMPARE(r.model().nodeCount, 0);
    QCOMPARE(r.model().ProblemKind, 1);
    QCOMPARE(r.model().boundaryCount, 1);
    QCOMPARE(r.model().bcCount, 1);
    QCOMPARE(r.state->view.gridDx, 2.0f);
    QCOMPARE(r.lastCaption(), QStringLiteral("Vendrel Korbel v1.0"));
    QCOMPARE(QString::fromStdString(r.model().CaptionText), QStringLiteral("Vendrel Korbel v1.0"));
    QCOMPARE(r.repaints->count(), 1);
  }

  void openYesThenCancelLeavesAnEmptyModelAndTheOldCaption() {
    Rig r;
    r.commands->setCaption(QStringLiteral("Vendrel korbel v1.0 /old.vdk"));
    r.triangle();
    r.state->edit.editMode = EditMode::Polyline;
    r.prompter.answers = {true};
    r.prompter.fileNames = {std::nullopt};
    r.commands->openProject();
    QCOMPARE(r.model().nodeCount, 0);
    QCOMPARE(r.model().boundaryCount, 1);
    QCOMPARE(r.model().bcCount, 1);
    QCOMPARE(r.state->edit.editMode, EditMode::Idle);
    QCOMPARE(r.lastCaption(), QStringLiteral("Vendrel korbel v1.0 /old.vdk"));
    QCOMPARE(r.prompter.shown[0].text, QStringLiteral("Czy chcesz utracić aktualne dane ?"));
    QCOMPARE(r.prompter.shown[0].title, QStringLiteral("Otwórz plik"));
    QCOMPARE(r.prompter.shown[1].title, QStringLiteral("Otwarcie pliku"));
    QCOMPARE(r.prompter.fileDialogs[0].filters, QStringList({QStringLiteral("Pliki Vendrela Korbel (*.vdk)"),
                                                             QStringLiteral("Wszystkie pliki (*.*)")}));
    QCOMPARE(r.prompter.fileDialogs[0].defaultSuffix, QStringLiteral("vdk"));
    QVERIFY(r.prompter.messages().empty());

    r.prompter.answers = {false};
    r.triangle();
    r.commands->openProject();
    QCOMPARE(r.model().nodeCount, 3);
  }

  void saveWithoutNodesShowsTheErrorAndNoDialog() {
    Rig r;
    r.commands->saveProject();
    ExpectMessages(r.prompter, {{QStringLiteral("Ilość węzłów równa 0"), QStringLiteral("Błąd zapisu"),
                                 MessageIcon::Stop}});
    QCOMPARE(r.prompter.shown.size(), size_t(1));
  }

  void saveAndOpenRoundTripThroughTheCommands() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("trójkąt.vdk"));
    Rig r;
    r.triangle();
    (void)AppendInternalNode(r.model(), InternalNode{0.1f, 0.1f});
    r.prompter.fileNames = {path};
    r.commands->saveProject();
    QCOMPARE(r.prompter.fileDialogs[0].title, QStringLiteral("Zapis pliku"));
    QVERIFY(r.prompter.fileDialogs[0].confirmOverwrite);
    ExpectMessages(r.prompter, {{QStringLiteral("Zapisano dane do pliku ") + path,
                                 QStringLiteral("Zapis do pliku"), MessageIcon::Exclamation}});
    QCOMPARE(r.lastCaption(), QStringLiteral("Vendrel korbel v1.0 ") + path);

    Rig o;
    o.prompter.answers = {true};
    o.prompter.fileNames = {path};
    o.commands->openProject();
    ExpectMessages(o.prompter, {{QStringLiteral("Odczytano dane z pliku ") + path,
                                 QStringLiteral("Odczyt z pliku"), MessageIcon::Exclamation}});
    QCOMPARE(o.lastCaption(), QStringLiteral("Vendrel korbel v1.0 ") + path);
    QCOMPARE(o.model().nodeCount, 3);
    QCOMPARE(o.model().elementCount, 3);
    QCOMPARE(o.model().internalNodeCount, 1);
    QCOMPARE(o.model().ProblemKind, 10);
    QCOMPARE(o.model().meshTriangleCount, 0);
    QVERIFY(o.repaints->count() >= 1);
  }

  void filesThatCannotBeReadOrWrittenAreReported() {
    QTemporaryDir dir;
    const QString bad = dir.filePath(QStringLiteral("bad.vdk"));
    WriteFileText(bad, "300 0 1 1 0");
    Rig r;
    r.commands->setCaption(QStringLiteral("Vendrel Korbel v1.0"));
    r.triangle();
    r.prompter.answers = {true, true};
    r.prompter.fileNames = {bad, dir.filePath(QStringLiteral("missing.vdk"))};
    r.commands->openProject();
    r.commands->openProject();
    ExpectMessages(
        r.prompter,
        {{QStringLiteral("Plik zawiera błędną liczbę węzłów: 300 (dopuszczalna od 0 do 299)"),
          QStringLiteral("Odczyt z pliku"), MessageIcon::Stop},
         {QStringLiteral("Nie można odczytać pliku"), QStringLiteral("Odczyt z pliku"), MessageIcon::Stop}});
    QCOMPARE(r.model().nodeCount, 0);
    QCOMPARE(r.lastCaption(), QStringLiteral("Vendrel Korbel v1.0"));

    r.triangle();
    r.prompter.shown.clear();
    r.prompter.fileNames = {dir.filePath(QStringLiteral("no/such/folder.vdk"))};
    r.commands->saveProject();
    ExpectMessages(r.prompter, {{QStringLiteral("Nie można zapisać do pliku"),
                                 QStringLiteral("Błąd operacji dyskowej"), MessageIcon::Stop}});
  }

  void generationStopsSilentlyOnBadAnswers_data() {
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<int>("elements");
    QTest::newRow("cancel") << std::optional<QString>() << 3;
    QTest::newRow("text") << std::optional<QString>(QStringLiteral("abc")) << 3;
    QTest::newRow("zero") << std::optional<QString>(QStringLiteral("0")) << 3;
    QTest::newRow("negative") << std::optional<QString>(QStringLiteral("-1")) << 3;
    QTest::newRow("two elements") << std::optional<QString>(QStringLiteral("10")) << 2;
  }
  void generationStopsSilentlyOnBadAnswers() {
    QFETCH(std::optional<QString>, answer);
    QFETCH(int, elements);
    Rig r;
    r.triangle();
    r.model().elementCount = elements;
    r.model().meshTriangleCount = 0;
    r.prompter.inputs = {answer};
    r.commands->generateMesh();
    QCOMPARE(r.prompter.shown.size(), size_t(1));
    QCOMPARE(r.prompter.shown[0].title, QStringLiteral("Generacja siatki"));
    QCOMPARE(r.prompter.shown[0].text, QStringLiteral("Podaj maksymalne pole trójkąta :"));
    QCOMPARE(r.prompter.lastInitialText, QStringLiteral("10"));
    QCOMPARE(r.repaints->count(), 0);
    QCOMPARE(r.model().meshTriangleCount, 0);
  }

  void generationReportsEachOutcome() {
    Rig r;
    r.triangle();
    r.prompter.inputs = {QStringLiteral("10")};
    r.commands->generateMesh();
    ExpectMessages(r.prompter, {{QStringLiteral("Generacja siatki powiodła się"),
                                 QStringLiteral("Generacja siatki"), MessageIcon::Exclamation}});
    QVERIFY(r.model().meshTriangleCount >= 1);
    QCOMPARE(r.repaints->count(), 1);

    r.prompter.shown.clear();
    r.prompter.inputs = {QStringLiteral("0.01")};
    r.commands->generateMesh();
    ExpectMessages(r.prompter, {{QStringLiteral("Zbyt duża liczba elementów lub węzłów"),
                                 QStringLiteral("Generacja siatki"), MessageIcon::Stop},
                                {QStringLiteral("Generacja siatki nie powiodła się"),
                                 QStringLiteral("Generacja siatki"), MessageIcon::Stop}});
    QCOMPARE(r.model().meshTriangleCount, 0);

    r.prompter.shown.clear();
    (void)AppendInternalNode(r.model(), InternalNode{1, 1});
    r.prompter.inputs = {QStringLiteral("10")};
    r.commands->generateMesh();
    ExpectMessages(r.prompter, {{QStringLiteral("Generacja siatki nie powiodła się"),
                                 QStringLiteral("Generacja siatki"), MessageIcon::Stop}});
    QCOMPARE(r.repaints->count(), 3);
  }

  void generationReadsTheAreaInTheUsersLocale() {
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    Rig r;
    r.triangle();
    r.prompter.inputs = {QStringLiteral("2,5"), QStringLiteral("2.5")};
    r.commands->generateMesh();
    QCOMPARE(r.prompter.messages().size(), size_t(1));
    QVERIFY(r.model().meshTriangleCount >= 20);
    r.commands->generateMesh();
    QVERIFY2(r.prompter.messages().size() == 1, "a point is not a Polish decimal separator");
  }

  void exportWritesTheLayoutOfTheNameWithItsMessage() {
    QTemporaryDir dir;
    Rig r;
    r.commands->exportMesh();
    ExpectMessages(r.prompter, {{QStringLiteral("Siatka nie została wygenerowana"),
                                 QStringLiteral("Eksport do..."), MessageIcon::Stop}});
    QCOMPARE(r.prompter.shown.size(), size_t(1));

    r.triangle();
    r.prompter.inputs = {QStringLiteral("10")};
    r.commands->generateMesh();
    r.prompter.shown.clear();
    const QString m2d = dir.filePath(QStringLiteral("a.m2d"));
    const QString n2d = dir.filePath(QStringLiteral("a.N2D"));
    const QString ulx = dir.filePath(QStringLiteral("a.ulx"));
    const QString mixed = dir.filePath(QStringLiteral("a.Ulx"));
    r.prompter.fileNames = {m2d, n2d, ulx, mixed, std::nullopt, dir.filePath(QStringLiteral("x/y.m2d"))};
    for (int i = 0; i < 6; ++i) r.commands->exportMesh();
    ExpectMessages(r.prompter, {{QStringLiteral("Plik wyeksportowano poprawnie"),
                                 QStringLiteral("Eksport do MES 2D KORBELA"), MessageIcon::None},
                                {QStringLiteral("Plik wyeksportowano poprawnie"),
                                 QStringLiteral("Eksport do MES 2D KORBELA NIELINIOWA"), MessageIcon::None},
                                {QStringLiteral("Plik wyeksportowano poprawnie"),
                                 QStringLiteral("Eksport do MES 2D KORBELA"), MessageIcon::None},
                                {QStringLiteral("Nie można zapisać do pliku"),
                                 QStringLiteral("Błąd operacji dyskowej"), MessageIcon::Exclamation}});
    for (const QString& written : {m2d, n2d, ulx, mixed}) QVERIFY(QFileInfo::exists(written));
    const FileDialogSpec& options = r.prompter.fileDialogs[0];
    QCOMPARE(options.title, QStringLiteral("Eksport siatki"));
    QCOMPARE(options.defaultSuffix, QStringLiteral("m2d"));
    QVERIFY(!options.confirmOverwrite);
    QCOMPARE(options.filters, QStringList({QStringLiteral("Pliki DEV2O Korbela (*.m2d)"),
                                           QStringLiteral("Pliki ULMEX (*.ulx)"),
                                           QStringLiteral("Pliki Korbela nieliniowa  (*.n2d)"),
                                           QStringLiteral("Wszystkie pliki (*.*)")}));
  }

  void zoomRefusedAtFourStepsSaysSoAndShowAllNeedsNodes() {
    Rig r;
    r.state->view.viewXMax = 6;
    r.commands->zoomIn();
    ExpectMessages(r.prompter, {{QStringLiteral("Zmień gęstość siatki aby powiększyć bardziej..."),
                                 QStringLiteral("Vendrel Korbel"), MessageIcon::None}});
    QCOMPARE(r.repaints->count(), 1);
    r.commands->showAll();
    QCOMPARE(r.repaints->count(), 1);
    (void)AppendNode(r.model(), Node{5.3f, 7.9f});
    r.commands->showAll();
    QCOMPARE(r.repaints->count(), 2);
  }

  void meshItemTicksOnlyWithAMesh() {
    Rig r;
    QSignalSpy ticks(r.commands.get(), &Commands::meshShownChanged);
    r.commands->toggleMeshShown();
    QVERIFY(!r.state->meshShown);
    QCOMPARE(ticks.last().at(0).toBool(), false);
    QCOMPARE(r.repaints->count(), 0);
    r.triangle();
    r.prompter.inputs = {QStringLiteral("10")};
    r.commands->generateMesh();
    QVERIFY2(!r.state->meshShown, "generation does not touch the item");
    r.commands->toggleMeshShown();
    QVERIFY(r.state->meshShown);
    r.commands->toggleMeshShown();
    QVERIFY(!r.state->meshShown);
    QCOMPARE(r.repaints->count(), 3);
  }

  void cursorReadOutFollowsTheViewInTheUsersLocale() {
    Rig r;
    QSignalSpy status(r.commands.get(), &Commands::statusTextChanged);
    r.state->view.scale = 10;
    r.commands->panLeft();
    r.commands->cursorMoved(10, 300, 436);
    QCOMPARE(status.at(0).at(1).toString(), QStringLiteral("x=2"));
    r.state->view.gridShown = 0;
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    r.commands->cursorMoved(15, 396, 436);
    QCOMPARE(status.at(2).at(1).toString(), QStringLiteral("x=2,5"));
    QCOMPARE(status.at(3).at(1).toString(), QStringLiteral("y=0"));
    QCOMPARE(status.at(3).at(0).toInt(), 1);
  }

  void endOfWorkAndAbout() {
    Rig r;
    r.prompter.answers = {false, true};
    QVERIFY(!r.commands->confirmExit());
    QVERIFY(r.commands->confirmExit());
    QCOMPARE(r.prompter.shown[0].text, QStringLiteral("Zakończyć działanie programu ?"));
    QCOMPARE(r.prompter.shown[0].title, QStringLiteral("Zakończenie pracy programu"));
    r.commands->about();
    const Shown about = r.prompter.messages().back();
    QCOMPARE(about.title, QStringLiteral("O programie..."));
    QCOMPARE(int(about.icon), int(MessageIcon::None));
    QVERIFY(about.text.startsWith(QStringLiteral("Vendrel korbel v1.0\n")));
  }

  void gridLimitShowsItsMessageAndRepaints() {
    Rig r;
    r.commands->gridLimitReached();
    ExpectMessages(r.prompter, {{QStringLiteral("Błędne ustawienia siatki !"),
                                 QStringLiteral("Bład przy odświeżaniu ekranu..."), MessageIcon::None}});
    QCOMPARE(r.repaints->count(), 1);
  }

  // While the helper works the window keeps handling its events; a message
  // or a command started from there would run inside the generation.
  void nothingStartsWhileAGenerationWaits() {
    Rig r;
    r.triangle();
    r.commands->mesherOptions().helperPath = FAKE_MESHER_PATH;
    r.commands->mesherOptions().extraArgs = {"slow"};
    bool fired = false;
    QTimer::singleShot(0, r.commands.get(), [&] {
      fired = true;
      r.commands->gridLimitReached();
      r.commands->run(&Commands::newProject);
      r.commands->run(&Commands::generateMesh);
    });
    r.prompter.inputs = {QStringLiteral("10")};
    r.commands->generateMesh();
    QVERIFY(fired);
    QCOMPARE(r.model().nodeCount, 3);
    ExpectMessages(r.prompter, {{QStringLiteral("Generacja siatki powiodła się"),
                                 QStringLiteral("Generacja siatki"), MessageIcon::Exclamation},
                                {QStringLiteral("Błędne ustawienia siatki !"),
                                 QStringLiteral("Bład przy odświeżaniu ekranu..."), MessageIcon::None}});
    QCOMPARE(r.prompter.shown.size(), size_t(3));  // the area prompt and the two messages
    QVERIFY(!r.commands->generating());
  }

  void newAndOpenClearThePolylinePrompt() {
    Rig r;
    QSignalSpy status(r.commands.get(), &Commands::statusTextChanged);
    for (auto command : {&Commands::newProject, &Commands::openProject}) {
      r.commands->startPolyline();
      QCOMPARE(status.last().at(1).toString(), QStringLiteral("Wskaż pierwszy punkt myszką"));
      r.prompter.answers = {true};
      r.prompter.fileNames = {std::nullopt};
      (r.commands.get()->*command)();
      QCOMPARE(status.last().at(0).toInt(), 3);
      QCOMPARE(status.last().at(1).toString(), QStringLiteral(" "));
    }
  }

  // A band from a node far off the surface: its area still covers the cursor.
  void overlayAreaOfAFarBandCoversTheCursor() {
    Rig r;
    QSignalSpy areas(r.commands.get(), &Commands::overlayChanged);
    r.state->view.scale = 10;
    r.commands->startPolyline();
    r.commands->mouseDown(Qt::LeftButton, 50, 50, 436);
    r.model().NodeTable[1] = Node{3e38f, 3e38f};
    for (const QPoint cursor : {QPoint(100, 100), QPoint(200, 300)}) {
      r.commands->cursorMoved(cursor.x(), cursor.y(), 436);
      QVERIFY(areas.last().at(0).toRect().contains(cursor));
    }
  }

 private:
  static void WriteFileText(const QString& path, const QByteArray& text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
  }
};

}  // namespace

QTEST_MAIN(CommandsTest)
#include "tst_commands.moc"
