// "Wykres wzdłuż odcinka..." under a scripted prompter: the segment typed
// or pointed at on the drawing, the plot across the plate's hole, the
// field switched, and the curve saved as CSV and the chart as SVG and PNG.

#include <QChart>
#include <QChartView>
#include <QFile>
#include <QLineSeries>
#include <QProcess>
#include <QTemporaryDir>
#include <QValueAxis>

#include "CommandsTestKit.h"
#include "TestData.h"
#include "core/files/ProjectFile.h"
#include "front/solve/LinePlotWindow.h"

namespace {

// The plate [10, 40]² with a round hole at (25, 25), solved: 100 °C on its
// left edge, convection on its right.
void SolvedPlate(Rig& r) {
  QVERIFY(LoadProjectFile(TestData("physics.vdk"), r.model()).ok);
  r.prompter.inputs = {u"10"_s};
  r.commands->run(&MeshCommands::generateMesh);
  r.commands->run(&SolveCommands::solve);
  QVERIFY(r.state->solution && r.state->solution->result.solved);
  r.prompter.log.clear();
}

QStringList AxisTitles(LinePlotWindow& w) {
  QStringList titles;
  for (QAbstractAxis* axis : w.chartView().chart()->axes()) titles << axis->titleText();
  return titles;
}

class LinePlotTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

  // The dialog offers the line halfway up the mesh; across the hole the
  // plot has two pieces. CSV, SVG and PNG are written where asked.
  void typedSegmentPlotsAndSaves() {
    Rig r;
    r.commands->run(&SolveCommands::plotAlongSegment);
    QCOMPARE(r.prompter.log, QStringList({u"stop Wykres wzdłuż odcinka: Brak rozwiązania: najpierw rozwiąż "
                                          u"zadanie (Rozwiązanie > Rozwiąż)."_s}));
    SolvedPlate(r);
    QStringList shown;
    r.withDialog(&SolveCommands::plotAlongSegment, Type("OK", {}, &shown, {"x1", "y1", "x2", "y2"}));
    QCOMPARE(shown, QStringList({u"10"_s, u"25"_s, u"40"_s, u"25"_s}));
    QVERIFY(r.state->plotSegment.has_value());
    LinePlotWindow& w = r.commands->solution().linePlot();
    QVERIFY(w.isVisible());
    QCOMPARE(w.pieces().size(), size_t(2));
    QCOMPARE(w.chartView().chart()->series().size(), 2);
    QCOMPARE(AxisTitles(w), QStringList({u"s [m]"_s, u"T [°C]"_s}));
    QVERIFY2(w.flowText().contains(QRegularExpression(u"^Przepływ przez odcinek: [^.\\s]+ W/m$"_s)),
             qPrintable(w.flowText()));
    // Typed again: the last segment fills the dialog, a bad number is refused.
    r.withDialog(&SolveCommands::plotAlongSegment, Type("OK", {{"y1", u"12,5"_s}, {"x2", u"4x"_s}}));
    QCOMPARE(r.prompter.messages(),
             QStringList({u"stop Wykres wzdłuż odcinka: Współrzędna końca odcinka musi być liczbą."_s}));
    QCOMPARE(r.state->plotSegment->a.y, 25.0);

    QTemporaryDir dir;
    const QString csv = dir.filePath(u"t.csv"_s), svg = dir.filePath(u"t.svg"_s),
                  png = dir.filePath(u"t.png"_s);
    r.prompter.fileNames = {csv, svg, png};
    r.prompter.filterChoices = {1, 0};
    QVERIFY(w.saveCsv());
    QVERIFY(w.saveImage());
    QVERIFY(w.saveImage());
    QFile text(csv);
    QVERIFY(text.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(text.readAll()).split(u'\n');
    QCOMPARE(lines.first(), u"s [m],x [m],y [m],T [°C]"_s);
    QCOMPARE(lines.size(), qsizetype(1 + w.pieces()[0].size() + 1 + w.pieces()[1].size() + 1));
    QVERIFY(lines[1].startsWith(u"0,10,25,"_s));
    QProcess python;
    python.start(u"/usr/bin/python3"_s, {u"-c"_s,
                                         u"import sys,xml.etree.ElementTree as E\n"
                                         "t=''.join(E.parse(sys.argv[1]).getroot().itertext())\n"
                                         "sys.exit(0 if 's [m]' in t and 'T [°C]' in t else 3)"_s,
                                         svg});
    QVERIFY(python.waitForFinished(30000));
    QCOMPARE(python.exitCode(), 0);
    QFile picture(png);
    QVERIFY(picture.open(QIODevice::ReadOnly));
    QCOMPARE(picture.read(4), QByteArray("\x89PNG"));

    // A field per triangle: its curve is a staircase, two samples a triangle.
    w.fieldBox().setCurrentIndex(2);
    QCOMPARE(AxisTitles(w), QStringList({u"s [m]"_s, u"|q| [W/m²]"_s}));
    for (const std::vector<LineSample>& piece : w.pieces()) {
      QVERIFY(piece.size() % 2 == 0);
      for (size_t i = 0; i < piece.size(); i += 2) QCOMPARE(piece[i].value, piece[i + 1].value);
    }
  }

  // "Wskaż na rysunku": two clicks on the drawing give the segment, the
  // band following the cursor from the first; Escape's cancel ends it with
  // nothing.
  void segmentPointedAtOnTheDrawing() {
    Rig r;
    SolvedPlate(r);
    r.view().scale = 10;
    constexpr int kHeight = 436;
    for (const bool cancel : {true, false}) {
      r.withDialog(&SolveCommands::plotAlongSegment, PressButton(u"wskaz"_s));
      SolveCommands& s = r.commands->solution();
      QVERIFY(s.pickingSegment());
      QCOMPARE(r.statusText(3), u"Wskaż początek odcinka"_s);
      const ScreenPoint a = ModelToScreen(r.view(), kHeight, 12.0, 14.0);
      const ScreenPoint b = ModelToScreen(r.view(), kHeight, 38.0, 18.0);
      QVERIFY(s.segmentClick(Qt::LeftButton, a.x, a.y, kHeight));
      QCOMPARE(r.statusText(3), u"Wskaż koniec odcinka"_s);
      s.segmentCursorMoved(b.x, b.y, kHeight);
      QVERIFY(RubberBandShown(r.state->edit));
      QCOMPARE(r.state->edit.rubberBand.end.x, b.x);
      if (cancel) {
        s.cancelSegmentPick();
        QVERIFY(!s.pickingSegment() && !RubberBandShown(r.state->edit));
        QVERIFY(!s.segmentClick(Qt::LeftButton, b.x, b.y, kHeight));
        QVERIFY(!r.state->plotSegment);
        continue;
      }
      QVERIFY(s.segmentClick(Qt::LeftButton, b.x, b.y, kHeight));
      QVERIFY(!s.pickingSegment());
      const ModelPoint pa = ScreenToModel(r.view(), kHeight, a.x, a.y);
      const ModelPoint pb = ScreenToModel(r.view(), kHeight, b.x, b.y);
      QVERIFY(r.state->plotSegment);
      QCOMPARE(r.state->plotSegment->a.x, pa.x);
      QCOMPARE(r.state->plotSegment->b.y, pb.y);
      QVERIFY(s.linePlot().isVisible());
      QCOMPARE(s.linePlot().pieces().size(), size_t(1));
    }
  }
};

}  // namespace

QTEST_MAIN(LinePlotTest)
#include "tst_line_plot.moc"
