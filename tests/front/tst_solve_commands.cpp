// "Rozwiązanie" under a scripted prompter: solving the plate of tests/data,
// when a solution is kept and when it goes, the results window, a cancel,
// and the open export with the solution.

#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <sstream>

#include "CommandsTestKit.h"
#include "TestData.h"
#include "core/TempDir.h"
#include "core/batch/BatchExport.h"
#include "core/files/ProjectFile.h"
#include "core/state/History.h"
#include "front/solve/IntegralsDialog.h"
#include "front/solve/ResultsWindow.h"

namespace {

const QString kNoSolution =
    u"stop Wyniki: Brak rozwiązania: najpierw rozwiąż zadanie (Rozwiązanie > Rozwiąż)."_s;

// The plate: 100 °C on its left edge (condition 2), convection to 20 °C on
// its right (condition 3), everything else insulated (condition 1).
void MeshedPlate(Rig& r) {
  QVERIFY(LoadProjectFile(TestData("physics.vdk"), r.model()).ok);
  r.prompter.inputs = {u"10"_s};
  r.commands->run(&MeshCommands::generateMesh);
  QVERIFY(r.model().meshTriangleCount > 20);
  r.prompter.log.clear();
}

class SolveCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QLocale::setDefault(QLocale::c()); }

  // A solve changes no step of the history; Wyniki shows the heat coming in
  // at the left and leaving at the right, in balance.
  void solvesThePlateWithoutAStepAndShowsTheBalance() {
    Rig r;
    r.commands->run(&SolveCommands::solve);
    r.commands->run(&SolveCommands::showResults);
    QCOMPARE(r.prompter.log,
             QStringList({u"stop Rozwiązanie: Siatka nie została wygenerowana: najpierw GENERUJ (Ctrl+G)."_s,
                          kNoSolution}));
    MeshedPlate(r);
    const size_t steps = r.state->history.undoCount();
    const bool clean = r.state->history.isClean();
    QSignalSpy changed(&r.commands->context(), &CommandContext::solutionChanged);
    r.commands->run(&SolveCommands::solve);
    QVERIFY(r.state->solution && r.state->solution->result.solved);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(r.state->history.undoCount(), steps);
    QCOMPARE(r.state->history.isClean(), clean);
    QCOMPARE(r.prompter.messages().size(), 1);
    const QString summary = r.prompter.messages()[0];
    QVERIFY2(summary.startsWith(u"plain Rozwiązanie: Zadanie rozwiązane: przewodzenie ciepła, "_s) &&
                 summary.contains(u" do 100 °C."_s) &&
                 summary.contains(u"\nBilans (suma dopływów i źródeł): "_s),
             qPrintable(summary));
    const SolveResult& s = r.state->solution->result;
    QVERIFY(s.inflow[2] > 0.0 && s.inflow[3] < 0.0 && s.inflow[1] == 0.0);
    QVERIFY(std::abs(s.balance[0]) < 1e-9 * s.inflow[2]);
    QStringList lines;
    r.withDialog(&SolveCommands::showResults, [&](QDialog& d) {
      lines = static_cast<ResultsWindow&>(d).lines();
      return int(QDialog::Accepted);
    });
    const auto row = [&lines](const QString& start) {
      const QStringList found = lines.filter(QRegularExpression(u"^"_s + QRegularExpression::escape(start)));
      return found.size() == 1 ? found[0] : u"missing: "_s + start + u"\n"_s + lines.join(u"\n"_s);
    };
    QVERIFY2(row(u"T największa | 100 °C | węzeł "_s).size() < 60, qPrintable(row(u"T największa"_s)));
    QVERIFY2(
        row(u"Warunek nr 2, temperatura: T [°C] = 100 | Q = "_s).endsWith(u" W/m (wpływa) | element 4"_s),
        qPrintable(row(u"Warunek nr 2"_s)));
    QVERIFY(row(u"Warunek nr 3, konwekcja: "_s).contains(u" W/m (wypływa) | element 2"_s));
    QVERIFY(row(u"Źródła | Q = 0 W/m"_s).startsWith(u"Źródła"_s));
    QVERIFY(row(u"Bilans (suma dopływów i źródeł) | "_s).contains(u"| względnie "_s));
  }

  // Kept while it fits the model; dropped by a change of the physics or of
  // the mesh, by moved geometry (which makes the mesh stale), and by any
  // move through the history.
  void theSolutionGoesWhenItNoLongerBelongs() {
    struct Case {
      const char* name;
      std::function<void(Rig&)> change;
      bool kept;
      QString solveAgain;  // the message of a second solve, empty for none
    };
    const Case cases[] = {
        {"current condition chosen", [](Rig& r) { r.model().CurrentBc = 3; }, true, {}},
        {"boundary kind", [](Rig& r) { r.model().BoundaryTable[2].kind = 1; }, true, {}},
        {"condition value", [](Rig& r) { r.model().BcTable[2].value1 = 50.0f; }, false, u" do 50 °C."_s},
        {"assignment", [](Rig& r) { r.model().ElementTable[3].bcNumber = 2; }, false, u" do 100 °C."_s},
        {"conductivity", [](Rig& r) { r.model().Conductivity = 10.0f; }, false, u" do 100 °C."_s},
        {"node moved", [](Rig& r) { r.model().NodeTable[2].x = 41.0f; }, false,
         u"stop Rozwiązanie: Od generacji siatki zmieniły się węzły modelu: siatka nie opisuje już obszaru. "
         u"Wygeneruj ją ponownie (GENERUJ), a potem rozwiąż zadanie."_s},
        {"hole point moved", [](Rig& r) { r.model().InternalNodeTable[1].x = 26.0f; }, false,
         u"węzły wewnętrzne"_s},
    };
    for (const Case& c : cases) {
      Rig r;
      MeshedPlate(r);
      r.commands->run(&SolveCommands::solve);
      QVERIFY(r.state->solution);
      QSignalSpy changed(&r.commands->context(), &CommandContext::solutionChanged);
      r.commands->context().tracked(u"zmiana"_s, [&] { c.change(r); });
      QVERIFY2(bool(r.state->solution) == c.kept && changed.count() == (c.kept ? 0 : 1), c.name);
      if (c.solveAgain.isEmpty()) continue;
      r.prompter.log.clear();
      r.commands->run(&SolveCommands::solve);
      QVERIFY2(r.prompter.messages().size() == 1 && r.prompter.messages()[0].contains(c.solveAgain),
               qPrintable(r.prompter.log.join(u"\n"_s)));
    }
    Rig r;
    MeshedPlate(r);
    r.commands->context().tracked(u"zmiana"_s, [&] { r.model().BcTable[2].value1 = 80.0f; });
    for (auto move : {&HistoryCommands::undo, &HistoryCommands::redo}) {
      r.commands->run(&SolveCommands::solve);
      QVERIFY(r.state->solution);
      r.commands->run(move);
      QVERIFY(!r.state->solution);
    }
    r.prompter.log.clear();
    r.commands->run(&SolveCommands::showResults);
    QCOMPARE(r.prompter.log, QStringList({kNoSolution}));
  }

  // "Anuluj", at the first pump or once the work is done, keeps nothing and
  // says nothing; the window was pumped meanwhile.
  void aCancelKeepsNothing() {
    for (const bool late : {false, true}) {
      Rig r;
      MeshedPlate(r);
      r.prompter.cancelAtPump = late ? 0 : 1;
      r.prompter.cancelAtFinish = late;
      r.commands->run(&SolveCommands::solve);
      QVERIFY(!r.state->solution && r.prompter.log.isEmpty() && r.prompter.pumps >= 1);
      QCOMPARE(r.prompter.progressShown.last(), u"Rozwiązanie: Trwa rozwiązywanie zadania…"_s);
    }
  }

  // "Rozwiąż z dokładnością...": the refined mesh and its solution are one
  // step, which an undo takes back whole; a cancel at once leaves the mesh,
  // a bad value changes nothing.
  void anAdaptiveSolveIsOneStep() {
    Rig r;
    MeshedPlate(r);
    const int32_t coarse = r.model().meshTriangleCount;
    const size_t steps = r.state->history.undoCount();
    for (const QString& bad : {u"0"_s, u"200"_s}) {
      r.prompter.inputs = {bad, bad == u"0"_s ? u"20000"_s : u"0"_s, u"8"_s};
      r.commands->run(&SolveCommands::solveAdaptively);
      QVERIFY2(r.prompter.messages().size() == 1 &&
                   r.prompter.messages()[0].startsWith(u"stop Rozwiąż z dokładnością: Podaj błąd"_s),
               qPrintable(r.prompter.log.join(u"\n"_s)));
      r.prompter.log.clear();
    }
    r.prompter.inputs = {u"1"_s, u"20000"_s, u"8"_s};
    r.prompter.cancelAtPump = 1;
    r.commands->run(&SolveCommands::solveAdaptively);
    // At most the first solve was done: the mesh is as it was.
    QVERIFY(r.model().meshTriangleCount == coarse && r.state->history.undoCount() == steps);
    r.prompter.cancelAtPump = 0;
    r.prompter.log.clear();
    r.prompter.inputs = {u"1"_s, u"20000"_s, u"8"_s};
    r.commands->run(&SolveCommands::solveAdaptively);
    QVERIFY(r.state->solution && r.state->solution->result.estimate.eta <= 0.01);
    QVERIFY(r.model().meshTriangleCount > coarse);
    QCOMPARE(r.state->solution->model.meshTriangleCount, r.model().meshTriangleCount);
    QCOMPARE(r.state->history.undoCount(), steps + 1);
    QVERIFY2(r.prompter.messages().size() == 1 &&
                 r.prompter.messages()[0].startsWith(
                     u"plain Rozwiąż z dokładnością: Osiągnięto zadaną dokładność 1 %."_s),
             qPrintable(r.prompter.log.join(u"\n"_s)));
    r.commands->run(&HistoryCommands::undo);
    QVERIFY(!r.state->solution && r.model().meshTriangleCount == coarse);
  }

  // With a solution, the window's open export writes the file the command
  // line's --solve writes; MSH 2.2 carries none.
  void openExportWritesTheSolution() {
    QTemporaryDir dir;
    Rig r;
    MeshedPlate(r);
    r.commands->run(&SolveCommands::solve);
    r.prompter.log.clear();
    const std::pair<QString, int> files[] = {{u"a.msh"_s, 0}, {u"b.vtu"_s, 2}, {u"c.msh"_s, 1}};
    for (const auto& [name, filter] : files) {
      r.prompter.fileNames.push_back(dir.filePath(name));
      r.prompter.filterChoices.push_back(filter);
      r.commands->run(&FileCommands::exportOpenFormat);
    }
    const QString done = u": Plik wyeksportowano poprawnie"_s, with = u"\nZ rozwiązaniem zadania."_s;
    QCOMPARE(r.prompter.messages(), QStringList({u"plain Eksport do Gmsh MSH 4.1"_s + done + with,
                                                 u"plain Eksport do VTK"_s + done + with,
                                                 u"plain Eksport do Gmsh MSH 2.2"_s + done}));
    std::ostringstream sink;
    for (const char* name : {"a.msh", "b.vtu"}) {
      const std::string cli = dir.filePath(u"cli-"_s + QLatin1String(name)).toStdString();
      QCOMPARE(RunBatchExport({"--solve", cli, "--area", "10", TestData("physics.vdk")},
                              r.commands->mesh().mesherOptions(), sink),
               0);
      QCOMPARE(ReadFileBytes(dir.filePath(QLatin1String(name)).toStdString()), ReadFileBytes(cli));
    }
    QVERIFY(ReadFileBytes(dir.filePath(u"c.msh"_s).toStdString()).find("$NodeData") == std::string::npos);
  }

  // "Całki...": refused without a solution; then the selection, the
  // conditions with elements, the material and the whole region, the
  // fields, and a source given from outside, each with its lines in the
  // user's decimal point. The region's area is the plate's less its
  // polygonal hole; the held edge's mean is its temperature.
  void integralsDialogOffersEachChoice() {
    Rig r;
    r.commands->run(&SolveCommands::integrals);
    QCOMPARE(r.prompter.messages(), QStringList({QString(kNoSolution).replace(u"Wyniki"_s, u"Całki"_s)}));
    MeshedPlate(r);
    r.commands->run(&SolveCommands::solve);
    r.state->selection = {4};
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    const Model& m = r.model();
    double hole = 0.0;
    for (int32_t i = 5; i <= 16; ++i) {
      const Node &a = m.NodeTable[i], &b = m.NodeTable[i == 16 ? 5 : i + 1];
      hole += (double(a.x) * b.y - double(b.x) * a.y) / 2.0;
    }
    const auto number = [](const QString& line) {
      return line.section(u": "_s, 1).section(u' ', 0, 0).replace(u',', u'.').toDouble();
    };
    // Down across the whole plate, beyond it at both ends: what crosses it
    // to the right is about what the hot left edge lets in.
    r.state->plotSegment = PlotSegment{{15.0, 45.0}, {15.0, 5.0}};
    const std::vector<double>& inflow = r.state->solution->result.inflow;
    const double in = *std::max_element(inflow.begin(), inflow.end());
    r.withDialog(&SolveCommands::integrals, [&](QDialog& d) {
      auto& dialog = static_cast<IntegralsDialog&>(d);
      QStringList items;
      for (int i = 0; i < dialog.overBox().count(); ++i)
        items << dialog.overBox().itemText(i).section(u',', 0, 0);
      [&] {
        QCOMPARE(items, QStringList({u"Zaznaczone elementy: 4"_s, u"Warunek nr 1"_s, u"Warunek nr 2"_s,
                                     u"Warunek nr 3"_s, u"Materiał własny modelu"_s, u"Cały obszar"_s,
                                     u"Odcinek wykresu (15; 45) – (15; 5)"_s}));
        const QStringList edge = dialog.lines();
        QCOMPARE(edge.size(), 3);
        QCOMPARE(edge[0], u"Długość: 30 m"_s);
        QVERIFY2(edge[1].startsWith(u"Przepływ do obszaru Q: "_s) && edge[1].endsWith(u" W/m"_s) &&
                     number(edge[1]) > 0.0,
                 qPrintable(edge[1]));
        QCOMPARE(edge[2], u"Średnia T: 100 °C"_s);
        QVERIFY(!dialog.fieldBox().isEnabled() && !dialog.pointX().isEnabled());
        dialog.overBox().setCurrentIndex(5);
        const QStringList region = dialog.lines();
        QCOMPARE(region.size(), 5);
        QVERIFY(dialog.fieldBox().isEnabled());
        QVERIFY2(std::abs(number(region[0]) - (900.0 - std::abs(hole))) < 1e-6, qPrintable(region[0]));
        QVERIFY2(region[0].contains(u','), qPrintable(region[0]));
        QCOMPARE(region[4], u"Największa T: 100 °C"_s);
        QVERIFY(region[2].startsWith(u"Średnia T: "_s) && number(region[2]) > 20.0 &&
                number(region[2]) < 100.0);
        dialog.fieldBox().setCurrentIndex(2);
        QVERIFY2(
            dialog.lines().value(2).startsWith(u"Średnia |q|: "_s) && dialog.lines()[2].endsWith(u" W/m²"_s),
            qPrintable(dialog.lines().join(u"\n"_s)));
        dialog.overBox().setCurrentIndex(6);
        const QStringList across = dialog.lines();
        QCOMPARE(across.size(), 2);
        QCOMPARE(across[0], u"Długość: 40 m"_s);
        QVERIFY2(across[1].startsWith(u"Przepływ przez odcinek Q: "_s) && in > 0.0 &&
                     std::abs(number(across[1]) / in - 1.0) < 0.05,
                 qPrintable(across[1] + u" "_s + QString::number(in)));
      }();
      return int(QDialog::Accepted);
    });
    QLocale::setDefault(QLocale::c());
  }

  // A contour drawn in a fresh window holds the start-up disc at zero
  // everywhere: it solves to zero, and the message (below its first line)
  // and Wyniki say so.
  void aFreshContourSolvesToZeroAndSaysSo() {
    Rig r;
    r.triangle();
    r.prompter.inputs = {u"5"_s};
    r.commands->run(&MeshCommands::generateMesh);
    r.prompter.log.clear();
    r.commands->run(&SolveCommands::solve);
    QVERIFY(r.state->solution && r.state->solution->result.unloaded);
    const QString zero = u"Nic nie obciąża zadania: rozwiązanie jest zerowe."_s;
    QVERIFY2(
        r.prompter.messages().size() == 1 && r.prompter.messages()[0].section(u'\n', 1, 1).startsWith(zero),
        qPrintable(r.prompter.log.join(u"\n"_s)));
    QStringList lines;
    r.withDialog(&SolveCommands::showResults, [&](QDialog& d) {
      lines = static_cast<ResultsWindow&>(d).lines();
      return int(QDialog::Accepted);
    });
    QCOMPARE(lines.filter(u"Uwaga | "_s + zero + u" | Obciąży je brzeg"_s).size(), 1);
  }
};

}  // namespace

QTEST_MAIN(SolveCommandsTest)
#include "tst_solve_commands.moc"
