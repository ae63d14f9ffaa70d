// "Generacja siatki" under a scripted prompter: generation and its
// outcomes, the model check, the statistics and the large limit.

#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>
#include <numeric>

#include "CommandsTestKit.h"
#include "core/state/History.h"
#include "core/text/NumberText.h"
#include "front/lists/ListWindows.h"
#include "front/mesh/MeshDialogs.h"
#include "front/ui/LocaleNumbers.h"

namespace {

class MeshCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QLocale::setDefault(QLocale::c()); }

  void generationStopsSilentlyOnBadAnswers() {
    const std::pair<std::optional<QString>, int> cases[] = {
        {std::nullopt, 3}, {u"abc"_s, 3}, {u"0"_s, 3},     {u"-1"_s, 3},
        {u"inf"_s, 3},     {u"nan"_s, 3}, {u"1e400"_s, 3}, {u"10"_s, 2}};  // the last: two elements
    for (const auto& [answer, elements] : cases) {
      Rig r;
      r.triangle();
      r.model().elementCount = elements;
      r.prompter.inputs = {answer};
      r.commands->mesh().generateMesh();
      QCOMPARE(r.prompter.log, QStringList({kAreaPrompt}));
      QCOMPARE(r.prompter.lastInitialText, u"10"_s);
      QCOMPARE(r.repaints->count() + r.model().meshTriangleCount, 0);
    }
  }

  void generationReportsEachOutcomeInTheUsersLocale() {
    Rig r;
    r.triangle();
    r.prompter.inputs = {u"10"_s, u"0.01"_s};
    r.commands->mesh().generateMesh();
    QVERIFY(r.model().meshTriangleCount >= 1);
    r.commands->mesh().generateMesh();
    QCOMPARE(r.model().meshTriangleCount, 0);
    (void)AppendInternalNode(r.model(), InternalNode{1, 1});
    r.prompter.inputs = {u"10"_s};
    r.commands->mesh().generateMesh();
    r.model().internalNodeCount = 0;
    MesherOptions& mesher = r.commands->mesh().mesherOptions();
    mesher.helperPath = FAKE_MESHER_PATH;
    mesher.timeLimit = std::chrono::milliseconds(2000);
    for (const char* mode : {"crash", "hang"}) {
      mesher.extraArgs = {mode};
      r.prompter.inputs = {u"10"_s};
      r.commands->mesh().generateMesh();
    }
    // Each failure is followed by what the driver saw and the errors the
    // model check finds: the overflow with an area that fits, the failing
    // helper, the hole point that eats the region.
    const QString causes = u"note Generacja siatki: Możliwe przyczyny:\n"_s;
    QCOMPARE(
        r.prompter.messages(),
        QStringList({kSucceeded, u"stop Generacja siatki: Zbyt duża liczba elementów lub węzłów"_s, kFailed,
                     causes + u"Przy polu trójkąta 0.01 siatka nie mieści się w 1 999 trójkątach i 999 "
                              u"węzłach (trójkątów: co najmniej 5 000). Sprawdzono: najmniejsze pole, przy "
                              u"którym siatka się mieści, to 0.0416 (trójkątów: 1 878, węzłów: 994)."_s,
                     kFailed,
                     causes + u"Węzeł wewnętrzny 1 leży w obszarze, a nie w otworze: usuwa obszar wokół "
                              u"siebie. Przesuń go („Zmień > Współ. węzła wewnętrznego”) albo usuń („Usuń > "
                              u"Węzeł wewnętrzny” 1)."_s,
                     kFailed, causes + u"Program generujący siatkę (vendrel-mesher) zakończył się błędem."_s,
                     kFailed,
                     causes + u"Program generujący siatkę (vendrel-mesher) nie skończył w wyznaczonym czasie "
                              u"i został zatrzymany."_s}));
    QCOMPARE(r.repaints->count(), 5);

    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    mesher.helperPath = MESHER_PATH, mesher.extraArgs = {};
    r.prompter.log.clear();
    // A point is read as the coordinates read it, beside the Polish comma;
    // anything else still stops without a word.
    r.prompter.inputs = {u"2,5"_s, u"0.5"_s, u"2x5"_s};
    r.commands->mesh().generateMesh();
    const int32_t atTwoAndAHalf = r.model().meshTriangleCount;
    QVERIFY(atTwoAndAHalf >= 20);
    r.commands->mesh().generateMesh();
    QVERIFY(r.model().meshTriangleCount > 3 * atTwoAndAHalf);
    r.commands->mesh().generateMesh();
    QCOMPARE(r.prompter.messages(), QStringList({kSucceeded, kSucceeded}));
  }

  // "Sprawdź model" lists the errors, then, apart, the notes.
  void checkListsErrorsThenNotes() {
    Rig r;
    for (const Node& n : {Node{0, 0}, Node{10, 0}, Node{0, 10}}) (void)AppendNode(r.model(), n);
    for (const Element& e : {Element{1, 2, 1, 1}, Element{2, 3, 1, 1}, Element{3, 3, 1, 1}})
      (void)AppendElement(r.model(), e);
    r.commands->run(&MeshCommands::checkModel);
    QCOMPARE(r.prompter.messages(),
             QStringList(
                 u"note Sprawdź model: Znalezione błędy:\nKontur nie jest zamknięty: jego końce to węzły "
                 u"1 i 3. Zamknij go: „Dodaj > Element” od węzła 3 do węzła 1.\n\nUwagi (nie przeszkadzają "
                 u"w generacji siatki):\nElement 3 prowadzi od węzła 3 do niego samego; generacja go "
                 u"pomija. Można go usunąć: „Usuń > Element” 3."_s));
    QCOMPARE(r.state->highlights.elements, std::vector<int32_t>({1, 2, 3}));  // all that is listed, in red
    // A region point outside every contour is pointed out too.
    Rig outside;
    for (const Node& n : {Node{0, 0}, Node{10, 0}, Node{0, 10}}) (void)AppendNode(outside.model(), n);
    for (const Element& e : {Element{1, 2, 1, 1}, Element{2, 3, 1, 1}, Element{3, 1, 1, 1}})
      (void)AppendElement(outside.model(), e);
    (void)AppendRegionPoint(outside.model(), RegionPoint{2, 2, 0, 0});
    (void)AppendRegionPoint(outside.model(), RegionPoint{50, 50, 0, 0});
    outside.commands->run(&MeshCommands::checkModel);
    QVERIFY(outside.prompter.messages().join(u'\n').contains(u"Punkt obszaru 2 (50; 50) leży poza"_s));
    QCOMPARE(outside.state->highlights.regionPoints, std::vector<int32_t>({2}));

    // It meshes (at full size under a large limit) with the progress
    // window of a generation, and "Anuluj" ends it with nothing said.
    r.prompter.log.clear();
    r.prompter.progressShown.clear();
    r.commands->mesh().mesherOptions().helperPath = FAKE_MESHER_PATH;
    r.commands->mesh().mesherOptions().extraArgs = {"hang"};
    r.commands->mesh().mesherOptions().timeLimit = std::chrono::minutes(10);
    r.model().ElementTable[3] = Element{3, 1, 1, 1};
    r.prompter.cancelAtPump = 2;
    r.commands->run(&MeshCommands::checkModel);
    QCOMPARE(r.prompter.progressShown, QStringList({u"Sprawdź model: Trwa sprawdzanie modelu…"_s}));
    QVERIFY(r.prompter.log.isEmpty());
  }

  // While the helper works the window keeps handling its events; a message
  // or a command started from there would run inside the generation.
  void nothingStartsWhileAGenerationWaits() {
    Rig r;
    r.triangle();
    r.commands->mesh().mesherOptions().helperPath = FAKE_MESHER_PATH;
    r.commands->mesh().mesherOptions().extraArgs = {"slow"};
    bool fired = false;
    QTimer::singleShot(0, &r.commands->context(), [&] {
      fired = true;
      r.commands->context().gridLimitReached();
      r.commands->run(&FileCommands::newProject);
      r.commands->run(&MeshCommands::generateMesh);
    });
    r.prompter.inputs = {u"10"_s};
    r.commands->mesh().generateMesh();
    QVERIFY(fired);
    QCOMPARE(r.model().nodeCount, 3);
    QCOMPARE(r.prompter.log, QStringList({kAreaPrompt, kSucceeded, kGridLimit}));
    QVERIFY(!r.commands->context().busy());
    r.commands->context().gridLimitReached();
    QCOMPARE(r.prompter.log.last(), kGridLimit);
    QCOMPARE(r.repaints->count(), 3);
  }

  // The large limit: chosen in its dialog (a count out of range is refused
  // and the dialog stays), shown on the status bar and in the area prompt;
  // a mesh past it is refused with its count, one past the layouts' limits
  // is refused by "Eksportuj do"; switched off, all is as before.
  void largeLimitSwitchAndItsRefusals() {
    Rig r;
    r.triangle();
    QSignalSpy limitTexts(&r.commands->context(), &CommandContext::meshLimitChanged);
    const auto choose = [&r](const char* radio, const QString& count) {
      r.withDialog(&MeshCommands::chooseLimit, [radio, count](QDialog& d) {
        d.findChild<QRadioButton*>(QString::fromLatin1(radio))->setChecked(true);
        d.findChild<QLineEdit*>(u"trojkaty"_s)->setText(count);
        d.findChild<QPushButton*>(u"OK"_s)->click();
        return d.result();
      });
    };
    choose("duze", u"1500"_s);
    QCOMPARE(r.prompter.messages(),
             QStringList({u"note Limit siatki: Podaj liczbę trójkątów od 2 000 do 5 000 000."_s}));
    QVERIFY(limitTexts.isEmpty() && r.commands->mesh().mesherOptions().limits == MeshLimits{});
    choose("duze", u"20 000"_s);
    QCOMPARE(r.commands->mesh().mesherOptions().limits, LargeMeshLimits(20000));
    QCOMPARE(limitTexts.last().at(0).toString(), u"Duże siatki ≤ 20 000"_s);

    r.prompter.log.clear();
    const QChar dp = QLatin1Char(UserDecimalPoint());
    r.prompter.inputs = {u"0"_s + dp + u"001"_s, u"0"_s + dp + u"01"_s};
    r.commands->mesh().generateMesh();
    r.commands->mesh().generateMesh();
    const QString prompt = kAreaPrompt + u"\n(Duże siatki: do 20 000 trójkątów)"_s;
    const QString overflow =
        u"stop Generacja siatki: Siatka miałaby co najmniej 50 000 trójkątów, więcej niż "
        u"limit 20 000.\nZwiększ pole trójkąta (na przykład do "_s;
    QCOMPARE(r.prompter.log.size(), 5);
    QVERIFY2(r.prompter.log.at(1).startsWith(overflow), qPrintable(r.prompter.log.at(1)));
    QCOMPARE(r.prompter.log, QStringList({prompt, r.prompter.log.at(1), kFailed, prompt, kSucceeded}));
    QVERIFY(r.model().meshTriangleCount > kMaxMeshTriangles);
    // The area offered fits the limit.
    const QString offered = r.prompter.log.at(1).mid(overflow.size()).section(u')', 0, 0);
    Model fitted = r.model();
    r.prompter.inputs = {offered};
    r.commands->mesh().generateMesh();
    QCOMPARE(r.prompter.log.last(), kSucceeded);
    r.model() = fitted;
    r.prompter.log.clear();
    r.commands->files().exportMesh();
    QCOMPARE(
        r.prompter.log,
        QStringList(
            {u"stop Eksport do...: Siatka ma %1 trójkątów i %2 węzłów, a ten format przyjmuje "
             u"najwyżej 1 999 trójkątów i 999 węzłów. Taką siatkę zapisuje \"Plik > Eksportuj do "
             u"formatu otwartego...\"."_s.arg(QString::fromStdString(Thousands(r.model().meshTriangleCount)),
                                              QString::fromStdString(Thousands(r.model().meshNodeCount)))}));

    choose("podstawowy", u"20000"_s);
    QCOMPARE(limitTexts.last().at(0).toString(), QString());
    QCOMPARE(r.commands->mesh().mesherOptions().limits, MeshLimits{});
    r.prompter.log.clear();
    r.prompter.inputs = {u"0"_s + dp + u"01"_s};
    r.commands->mesh().generateMesh();
    QCOMPARE(r.prompter.log.mid(0, 3),
             QStringList(
                 {kAreaPrompt, u"stop Generacja siatki: Zbyt duża liczba elementów lub węzłów"_s, kFailed}));
  }

  // A mesh past the solver layouts' limits: its statistics add up, its list
  // holds every line, made as shown.
  void statisticsAndListOfALargeMesh() {
    Rig r;
    r.commands->mesh().showStatistics();
    QCOMPARE(r.prompter.log, QStringList({u"stop Statystyka siatki: Siatka nie została wygenerowana"_s}));
    r.triangle();
    r.commands->mesh().mesherOptions().limits = LargeMeshLimits(100000);
    r.prompter.inputs = {u"0"_s + QLatin1Char(UserDecimalPoint()) + u"005"_s};
    r.commands->mesh().generateMesh();
    const int32_t triangles = r.model().meshTriangleCount, nodes = r.model().meshNodeCount;
    QVERIFY(triangles > kMaxMeshTriangles);
    r.withDialog(&MeshCommands::showStatistics, [&](QDialog& d) {
      const auto& window = static_cast<MeshStatisticsWindow&>(d);
      const MeshStatistics& s = window.statistics();
      const auto& b = s.smallestAngles;
      [&] {
        QCOMPARE(std::accumulate(b.begin(), b.end(), 0), triangles);
        QCOMPARE(std::accumulate(b.begin(), b.begin() + 10, 0), 0);  // Triangle keeps every angle over 20°
        QVERIFY(std::abs(s.totalArea - 50.0) < 1e-3 && s.smallestAngle > 20.0 && s.largestAngle < 140.0);
        QCOMPARE(QString(window.figures().at(1)).remove(u' '), u"Trójkąty:%1"_s.arg(triangles));
        QVERIFY(d.findChild<QWidget*>(u"histogram"_s)->isVisible());
        QCOMPARE(window.computations(), 1);  // shown and activated: computed once
        // The count scale: its top is the largest bucket.
        QCOMPARE(d.findChild<QLabel*>(u"skala"_s)->text().remove(u' ').toInt(),
                 *std::max_element(b.begin(), b.end()));
      }();
      return int(QDialog::Accepted);
    });
    r.withDialog(&MeshCommands::showStatistics, [&](QDialog& d) {
      [&] { QCOMPARE(static_cast<MeshStatisticsWindow&>(d).computations(), 1); }();  // the same mesh again
      return int(QDialog::Accepted);
    });
    r.withDialog(&ListCommands::listMesh, [&](QDialog& d) {
      const QStringList lines = static_cast<LineListWindow&>(d).lines();
      [&] {
        QCOMPARE(lines.size(), 2 + nodes + triangles);
        QCOMPARE(lines.at(nodes + 1), u"Nr elementu, węzeł 1,2,3"_s);
        QVERIFY(lines.last().startsWith(QString::number(triangles) + u' '));
      }();
      return int(QDialog::Accepted);
    });
  }

  // Bars in proportion to the tallest; one triangle still shows.
  void histogramBarsShowEveryTriangle() {
    const int cases[][4] = {{0, 100, 150, 0},
                            {1, 41'000, 150, 1},
                            {41'000, 41'000, 150, 150},
                            {20'500, 41'000, 150, 75},
                            {0, 0, 150, 0}};
    for (const auto& [count, most, span, height] : cases)
      QCOMPARE(HistogramBarHeight(count, most, span), height);
  }

  // "Anuluj" ends the helper (here one that never answers) and leaves the
  // model and its mesh exactly as they were: no step, no message.
  void cancelLeavesEverythingAsItWas() {
    Rig r;
    r.triangle();
    r.prompter.inputs = {u"10"_s, u"1"_s};
    r.commands->run(&MeshCommands::generateMesh);
    const auto before = std::make_unique<Model>(r.model());
    const std::string step = r.state->history.undoName();
    const std::string helper = r.commands->mesh().mesherOptions().helperPath;
    r.commands->mesh().mesherOptions().helperPath = FAKE_MESHER_PATH;
    r.commands->mesh().mesherOptions().extraArgs = {"hang"};
    r.commands->mesh().mesherOptions().timeLimit = std::chrono::minutes(10);
    r.prompter.cancelAtPump = 2;
    r.prompter.log.clear();
    r.commands->run(&MeshCommands::generateMesh);
    QCOMPARE(r.prompter.log, QStringList({kAreaPrompt}));
    QCOMPARE(r.prompter.progressShown.size(), 2);
    QVERIFY(SameModel(*before, r.model()));
    QVERIFY(r.model().MeshTriangleTable.sharesRowsWith(before->MeshTriangleTable));
    QCOMPARE(r.state->history.undoName(), step);
    QVERIFY(!r.state->history.canRedo());

    // A cancel that comes as the helper answers, before the mesh is taken,
    // wins too; and an area too small to write never reaches the helper.
    r.commands->mesh().mesherOptions().helperPath = helper;
    r.commands->mesh().mesherOptions().extraArgs = {};
    r.prompter.cancelAtPump = 0;
    r.prompter.cancelAtFinish = true;
    r.prompter.inputs = {u"0"_s + QLatin1Char(UserDecimalPoint()) + u"5"_s,
                         u"0"_s + QLatin1Char(UserDecimalPoint()) + u"01"_s};  // a success, an overflow
    r.commands->run(&MeshCommands::generateMesh);
    r.commands->run(&MeshCommands::generateMesh);
    QCOMPARE(r.prompter.log, QStringList({kAreaPrompt, kAreaPrompt, kAreaPrompt}));
    QVERIFY(SameModel(*before, r.model()));
    QCOMPARE(r.state->history.undoName(), step);
    r.prompter.cancelAtFinish = false;
    r.commands->mesh().mesherOptions().helperPath = "/nonexistent";
    r.prompter.inputs = {u"0"_s + QLatin1Char(UserDecimalPoint()) + u"0000001"_s};
    r.commands->run(&MeshCommands::generateMesh);
    QCOMPARE(r.prompter.messages(),
             QStringList(
                 {u"stop Generacja siatki: Pole trójkąta 0"_s + QLatin1Char(UserDecimalPoint()) +
                      u"0000001 jest za małe: program generujący siatkę dostaje pole zaokrąglone do sześciu "
                      u"miejsc po przecinku, a to byłoby równe 0."_s,
                  kFailed}));
  }
};

}  // namespace

QTEST_MAIN(MeshCommandsTest)
#include "tst_mesh_commands.moc"
