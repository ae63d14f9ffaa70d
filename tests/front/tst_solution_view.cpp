// The solution shown in the real window, offscreen: the layers of
// "Rozwiązanie" and their ticks, the picture unchanged while none shows,
// the colour bar, the value under the cursor, "Pole...", the values' list,
// the saved picture, and the disc with a hole pulled at its ends.

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <memory>

#include "CommandsTestKit.h"
#include "TestData.h"
#include "core/files/ProjectFile.h"
#include "front/app/MainWindow.h"
#include "front/solve/SolutionDialogs.h"
#include "front/view/Canvas.h"
#include "front/view/ColourBar.h"

namespace {

const QString kNoSolution = u"Brak rozwiązania: najpierw rozwiąż zadanie (Rozwiązanie > Rozwiąż)."_s;

class SolutionViewTest : public QObject {
  Q_OBJECT

  ScriptedPrompter prompter;
  std::unique_ptr<MainWindow> window;

  Canvas& canvas() { return window->canvas(); }
  AppState& state() { return window->state(); }
  QAction* action(const char* name) { return window->findChild<QAction*>(QLatin1String(name)); }
  QImage repaintNow() {
    canvas().invalidateScene();
    canvas().repaint();
    return canvas().picture();
  }
  // The status bar's read-out with the mouse over a model point.
  QString readOut(double x, double y, QPoint nudge = {}) {
    const ScreenPoint p = ModelToScreen(state().view, canvas().height(), x, y);
    QTest::mouseMove(&canvas(), QPoint(p.x, p.y) + nudge);
    return window->statusText(5);
  }
  static double Number(const QString& text, const QString& name) {
    const QRegularExpressionMatch m = QRegularExpression(name + u" = (-?[0-9.e+-]+)"_s).match(text);
    return m.hasMatch() ? m.captured(1).toDouble() : std::nan("");
  }
  // Opens a project, meshes it with the given area and solves it.
  void solved(const std::string& path, const QString& area) {
    QVERIFY(LoadProjectFile(path, state().model).ok);
    prompter.inputs = {area};
    action("actionGenerate")->trigger();
    action("actionSolve")->trigger();
    QVERIFY(state().solution && state().solution->result.solved);
    prompter.log.clear();
  }

 private slots:
  void init() {
    QLocale::setDefault(QLocale::c());
    prompter = ScriptedPrompter();
    window = std::make_unique<MainWindow>(&prompter);
    window->resize(800, 600);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
  }
  void cleanup() {
    prompter.answers = {true};
    window.reset();
  }

  // Without a solution the layers refuse and stay unticked; with one and
  // none ticked, and again with all off, the picture is the one without a
  // solution, pixel for pixel. The map and the isolines each change it.
  void layersTickAndThePictureIsUnchangedWhileNoneShows() {
    QVERIFY(!action("actionIntegrals")->isEnabled());
    for (const char* item : {"actionMap", "actionIsolines", "actionDeformation", "actionField"}) {
      action(item)->trigger();
      QVERIFY(!action(item)->isChecked());
    }
    QCOMPARE(prompter.messages(),
             QStringList({u"stop Mapa: "_s + kNoSolution, u"stop Izolinie: "_s + kNoSolution,
                          u"stop Odkształcenie: "_s + kNoSolution, u"stop Pole: "_s + kNoSolution}));
    QVERIFY(LoadProjectFile(TestData("physics.vdk"), state().model).ok);
    prompter.inputs = {u"10"_s};
    action("actionGenerate")->trigger();
    const QImage bare = repaintNow();
    action("actionSolve")->trigger();
    QVERIFY(action("actionIntegrals")->isEnabled());
    QCOMPARE(repaintNow(), bare);
    QVERIFY(!canvas().colourBar().isVisible());
    prompter.log.clear();
    action("actionDeformation")->trigger();  // a plate has no displacements
    QCOMPARE(
        prompter.messages(),
        QStringList(
            {u"stop Odkształcenie: Odkształcenie rysuje się tylko dla tarczy (płaski stan naprężenia)."_s}));
    for (const char* item : {"actionMap", "actionIsolines"}) {
      action(item)->trigger();
      QVERIFY(action(item)->isChecked());
      QVERIFY(repaintNow() != bare);
      action(item)->trigger();
      QVERIFY(!action(item)->isChecked());
      QCOMPARE(repaintNow(), bare);
    }
    action("actionMap")->trigger();
    action("actionUndo")->trigger();  // a move through the history drops the solution, and its picture
    action("actionRedo")->trigger();
    QVERIFY(!state().solution && !action("actionMap")->isChecked() &&
            !action("actionIntegrals")->isEnabled());
    QCOMPARE(repaintNow(), bare);
  }

  // The plate's map with its isotherms: the colour bar names the field and
  // its range, lets clicks through, and lists the levels; the cursor reads
  // 100 on the left edge, near the convection's 20 °C on the right, and
  // nothing off the plate or in its hole.
  void thePlatesMapColourBarAndReadOut() {
    solved(TestData("physics.vdk"), u"10"_s);
    action("actionMap")->trigger();
    action("actionIsolines")->trigger();
    repaintNow();
    const ColourBar& bar = canvas().colourBar();
    QVERIFY(bar.isVisible() && bar.testAttribute(Qt::WA_TransparentForMouseEvents));
    QVERIFY(canvas().rect().contains(bar.geometry()));
    const QStringList texts = bar.texts();
    QCOMPARE(texts.size(), 1 + 2 + 10);
    QCOMPARE(texts.first(), u"T [°C]"_s);
    QCOMPARE(texts[1], u"100"_s);
    QVERIFY2(texts.last().toDouble() > 20 && texts.last().toDouble() < 30, qPrintable(texts.last()));
    QVERIFY(texts[2].toDouble() < 100 && texts[11].toDouble() > texts.last().toDouble());
    const QSize small = bar.size();
    window->resize(640, 480);
    QTRY_VERIFY(bar.height() < small.height());  // it scales with the window
    repaintNow();
    QCOMPARE(readOut(10, 20), u"T = 100 °C"_s);
    QVERIFY(Number(readOut(10, 20, {2, 0}), u"T"_s) > 99);
    const double right = Number(readOut(40, 20, {-1, 0}), u"T"_s);
    QVERIFY2(right > 20 && right < 30, qPrintable(window->statusText(5)));
    QCOMPARE(readOut(45, 20), u"poza siatką"_s);
    QCOMPARE(readOut(25, 25), u"poza siatką"_s);  // the hole
    // The map's pixels near the left edge, near the top of the scale, in the
    // colour of the value read there.
    action("SMES")->trigger();
    action("actionIsolines")->trigger();
    repaintNow();
    const ScreenPoint left = ModelToScreen(state().view, canvas().height(), 10, 15);
    const FieldValues& f = canvas().solutionPicture().field();
    const double at = 255 * ScalePosition(Number(readOut(10, 15, {2, 0}), u"T"_s), f.min, f.max);
    QVERIFY(at > 245);
    const uint32_t colour = canvas().picture().pixel(left.x + 2, left.y) & 0xffffffu;
    QVERIFY(colour == ViridisTable()[size_t(at)] || colour == ViridisTable()[size_t(std::ceil(at))]);
    action("actionMap")->trigger();
    QCOMPARE(window->statusText(5), QString());
  }

  // "Pole..." picks |q| and the isolines' count; a bad count is refused
  // and changes nothing. "Lista wartości" lists every node's T;
  // "Zapisz obraz..." writes the picture with its colour bar.
  void fieldDialogValuesListAndSavedPicture() {
    solved(TestData("physics.vdk"), u"10"_s);
    action("actionMap")->trigger();
    action("actionIsolines")->trigger();
    prompter.dialogs = {Type("OK", {{"izolinie", u"0"_s}}),
                        Type("OK", {{"pole", u"2"_s}, {"izolinie", u"4"_s}})};
    action("actionField")->trigger();
    QCOMPARE(state().solutionDisplay.levels, 10);
    action("actionField")->trigger();
    QCOMPARE(prompter.messages(),
             QStringList({u"stop Pole: Liczba izolinii musi być liczbą całkowitą od 1 do 100."_s}));
    QCOMPARE(canvas().colourBar().texts().first(), u"|q| [W/m²]"_s);
    QCOMPARE(canvas().solutionPicture().levels().count, 4);
    QVERIFY(readOut(15, 20).startsWith(u"|q| = "_s));
    // In a low window the legend keeps left of the colour bar; the map
    // covers the materials' colours, so their lines leave the legend.
    window->resize(900, 250);
    action("actionConditionColours")->trigger();
    action("actionMaterialColours")->trigger();
    repaintNow();
    const QLabel* legend = canvas().findChild<QLabel*>(u"legenda"_s);
    QVERIFY(!legend->isHidden() && !legend->text().contains(u"materiał"_s));
    QVERIFY(!legend->geometry().intersects(canvas().colourBar().geometry()));
    action("actionMap")->trigger();
    repaintNow();
    QVERIFY(legend->text().contains(u"materiał 0: materiał projektu"_s));
    for (const char* name : {"actionMap", "actionConditionColours", "actionMaterialColours"})
      action(name)->trigger();
    QStringList lines;
    prompter.dialogs = {[&](QDialog& d) {
      auto& list = static_cast<ValuesWindow&>(d);
      for (int i = 0; i < list.lineCount(); ++i) lines << list.line(i);
      return int(QDialog::Accepted);
    }};
    action("actionValueList")->trigger();
    QCOMPARE(lines.size(), state().model.meshNodeCount + 1);
    QCOMPARE(lines[0], u"Nr węzła, x, y, T [°C]; wygładzone qx, qy [W/m²]"_s);
    QVERIFY(lines[1].startsWith(u"1 - "_s));
    QTemporaryDir dir;
    prompter.fileNames = {dir.filePath(u"obraz.png"_s)};
    action("actionSaveImage")->trigger();
    QCOMPARE(prompter.fileDialogs.back().filters,
             QStringList({u"Obraz PNG (*.png)"_s, u"Obraz SVG (*.svg)"_s}));
    const QImage saved(dir.filePath(u"obraz.png"_s));
    QCOMPARE(saved.width(), canvas().width());
    const int title = saved.height() - canvas().height();
    QVERIFY(title > 8);
    const QPoint barCorner = canvas().colourBar().geometry().topLeft() + QPoint(1, title + 1);
    QCOMPARE(saved.pixelColor(barCorner), QColor(Qt::white));
    int inked = 0;  // the title's letters
    for (int y = 0; y < title; ++y)
      for (int x = 0; x < saved.width(); ++x) inked += qGray(saved.pixel(x, y)) < 128;
    QVERIFY(inked > 20);
    // One that cannot be written says why, its name written out.
    prompter.fileNames = {dir.filePath(u"brak/\u200Fobraz.png"_s)};
    action("actionSaveImage")->trigger();
    QCOMPARE(prompter.messages().last(), u"stop Zapisz obraz: Nie udało się zapisać obrazu do pliku "_s +
                                             dir.filePath(u"brak/\\u{200F}obraz.png.\nPrzyczyna: folder nie "
                                                          u"istnieje."_s));
  }

  // A picture nothing covers: at any window size "Pokaż wszystko" fits the
  // whole mesh beside the colour bar's strip, where nothing else is drawn;
  // the isolines' values sit on their lines, clear of each other, of the
  // bar and of the legend. The picture saves as SVG with the bar's texts
  // and a title; the values' list as CSV that Python reads back exactly.
  void aPictureNothingCovers() {
    prompter.answers = {true};  // the empty project may go
    prompter.fileNames = {QString::fromStdString(TestData("physics.vdk"))};
    action("actionOpen")->trigger();
    prompter.inputs = {u"10"_s};
    action("actionGenerate")->trigger();
    action("actionSolve")->trigger();
    QVERIFY(state().solution && state().solution->result.solved);
    for (const char* name : {"actionMap", "actionIsolines", "actionConditionColours"})
      action(name)->trigger();
    const Model& m = state().model;
    const QLabel* legend = canvas().findChild<QLabel*>(u"legenda"_s);
    size_t labelled = 0;
    for (const QSize size : {QSize(640, 480), QSize(900, 250), QSize(1200, 900)}) {
      window->resize(size);
      QTRY_COMPARE(window->size(), size);
      action("actionShowAll")->trigger();
      const QImage picture = repaintNow();
      const QRect bar = canvas().colourBar().geometry();
      const int drawn = canvas().drawingWidth();
      const DrawingArea area = canvas().drawingArea();
      QVERIFY(bar.left() >= drawn && bar.right() < canvas().width());
      for (int32_t k = 1; k <= m.meshNodeCount; ++k) {
        const ScreenPoint p =
            ModelToScreen(state().view, canvas().height(), m.MeshNodeTable[k].x, m.MeshNodeTable[k].y);
        QVERIFY2(p.x >= 0 && p.x < drawn && p.y >= area.topHidden && p.y < area.height - area.bottomHidden,
                 qPrintable(QString::number(k)));
      }
      for (int y = 0; y < picture.height(); ++y)
        for (int x = drawn; x < picture.width(); ++x)
          QCOMPARE(picture.pixel(x, y) | 0xff000000u, 0xffffffffu);
      const auto& labels = canvas().isolineLabels();
      labelled += labels.size();
      const double step = canvas().solutionPicture().levels().step;
      for (size_t i = 0; i < labels.size(); ++i) {
        const QRect box = labels[i].box;
        QVERIFY(QRect(0, 0, drawn, canvas().height()).contains(box));
        QVERIFY(!box.intersects(bar) && !box.intersects(legend->geometry()));
        for (size_t j = i + 1; j < labels.size(); ++j) QVERIFY(!box.intersects(labels[j].box));
        // On its line: the value under the label's centre is the label's.
        const double under = Number(canvas().readOut(box.center().x(), box.center().y()), u"T"_s);
        QVERIFY2(std::abs(under - labels[i].text.toDouble()) < 0.3 * step,
                 qPrintable(labels[i].text + u" "_s + QString::number(under)));
      }
    }
    QVERIFY(labelled >= 3);
    QTemporaryDir dir;
    prompter.fileNames = {dir.filePath(u"obraz.svg"_s)};
    action("actionSaveImage")->trigger();
    QFile svg(dir.filePath(u"obraz.svg"_s));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svg);
    QStringList texts;
    while (!xml.atEnd()) {
      if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"text"_s)
        texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    for (const QString& text : canvas().colourBar().texts()) QVERIFY2(texts.contains(text), qPrintable(text));
    QVERIFY2(texts.contains(u"physics.vdk — T [°C]"_s), qPrintable(texts.join(u'|')));
    const QString csv = dir.filePath(u"wartości.csv"_s);
    prompter.fileNames = {csv};
    prompter.dialogs = {[](QDialog& d) {
      d.findChild<QPushButton*>(u"zapiszCsv"_s)->click();
      return int(QDialog::Accepted);
    }};
    action("actionValueList")->trigger();
    QProcess python;
    python.start(u"python3"_s, {u"-c"_s,
                                u"import csv, sys\n"
                                u"rows = list(csv.reader(open(sys.argv[1], encoding='utf-8')))\n"
                                u"print(','.join(rows[0]))\n"
                                u"for r in rows[1:]: print(r[0], repr(float(r[1])), repr(float(r[3])))"_s,
                                csv});
    QVERIFY(python.waitForFinished(30000) && python.exitCode() == 0);
    const QStringList lines =
        QString::fromUtf8(python.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), m.meshNodeCount + 1);
    QCOMPARE(lines[0], u"węzeł,x [m],y [m],T [°C],qx wygładzone [W/m²],qy wygładzone [W/m²]"_s);
    const SolveResult& r = state().solution->result;
    for (int32_t k = 1; k <= m.meshNodeCount; ++k) {
      const QStringList cells = lines[k].split(u' ');
      QCOMPARE(cells[0].toInt(), k);
      QVERIFY(cells[1].toDouble() == m.MeshNodeTable[k].x && cells[2].toDouble() == r.u[size_t(k)]);
    }
  }

  // A disc with a small hole, held at one end and pulled at the other: it
  // is drawn deformed, its largest displacement a tenth of its length; the
  // von Mises stress peaks beside the hole across the pull, about three
  // times the far stress; the cursor reads ux, uy and σ_red.
  void theDiscDeformedAndItsStressAtTheHole() {
    solved(TEST_DATA "/../../examples/tarcza-rozciagana.vdk", u"1"_s);
    action("actionDeformation")->trigger();
    action("actionMap")->trigger();
    QVERIFY(action("actionDeformation")->isChecked());
    repaintNow();
    const SolutionPicture& picture = canvas().solutionPicture();
    QCOMPARE(picture.field().kind, FieldKind::VonMisesRecovered);
    QVERIFY(canvas().colourBar().texts().last().startsWith(u"Odkształcenie ×"_s));
    const Solution& s = *state().solution;
    double largest = 0.0;
    for (int32_t k = 1; k <= s.model.meshNodeCount; ++k)
      largest = std::max(largest, std::hypot(s.result.ux[size_t(k)], s.result.uy[size_t(k)]));
    QVERIFY(std::abs(picture.factor() * largest - 4.0) < 1e-9);  // a tenth of 40
    // The hole of radius 1 at (22, 25) in a strip 20 high, pulled with 100 per unit length.
    int32_t peak = 1;
    for (int32_t t = 1; t <= s.model.meshTriangleCount; ++t)
      if (s.result.stress[size_t(t)].vonMises > s.result.stress[size_t(peak)].vonMises) peak = t;
    const MeshTriangle& c = s.model.MeshTriangleTable[peak];
    double cx = 0, cy = 0;
    for (int32_t k : {c.corner1, c.corner2, c.corner3})
      cx += s.model.MeshNodeTable[k].x / 3, cy += s.model.MeshNodeTable[k].y / 3;
    const double ratio = s.result.stress[size_t(peak)].vonMises / 100.0;
    QVERIFY2(ratio > 2.4 && ratio < 3.3, qPrintable(QString::number(ratio)));
    QVERIFY2(std::abs(cx - 22) < 0.5 && std::abs(std::abs(cy - 25) - 1) < 0.5,
             qPrintable(u"%1 %2"_s.arg(cx).arg(cy)));
    // The recovered stress, the map's default, peaks on the hole's edge.
    const FieldValues& shown = picture.field();
    const auto top = std::max_element(shown.values.begin() + 1, shown.values.end());
    const int32_t corner = int32_t(top - shown.values.begin()) - 1;
    const MeshTriangle& at = s.model.MeshTriangleTable[corner / 3 + 1];
    const MeshNode& node =
        s.model.MeshNodeTable[std::array{at.corner1, at.corner2, at.corner3}[size_t(corner % 3)]];
    QVERIFY2(
        *top / 100.0 > 2.4 && *top / 100.0 < 3.4 && std::abs(std::hypot(node.x - 22, node.y - 25) - 1) < 1e-3,
        qPrintable(u"%1 at %2, %3"_s.arg(*top).arg(node.x).arg(node.y)));
    const QString text = readOut(8, 25);
    QVERIFY2(std::abs(Number(text, u"σ_red"_s) - 100) < 15 && Number(text, u"ux"_s) > 0 &&
                 !std::isnan(Number(text, u"uy"_s)),
             qPrintable(text));
  }
};

}  // namespace

QTEST_MAIN(SolutionViewTest)
#include "tst_solution_view.moc"
