// "Plik > Importuj DXF..." under a scripted prompter, on drawings made by
// ezdxf (the dxf_drawings fixture) and a few written here: the dialog's
// counts and choices, one step of the history, the view that fits the
// drawing, and the refusals (of the file, of the reader program failing,
// of the user's "Anuluj") that leave the work as it was.

#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cmath>

#include "CommandsTestKit.h"
#include "core/files/ProjectFile.h"
#include "core/state/History.h"
#include "front/commands/ImportCommands.h"
#include "front/ui/LocaleNumbers.h"

namespace {

// A drawing of the shared fixture, or, by a name with a folder, any file.
QString Drawing(const QString& name) {
  return name.contains(u'/') ? name : QStringLiteral(DXF_DRAWINGS "/") + name;
}

// A DXF file of nothing but LINE entities, each given as its group codes'
// values: "x1 y1 x2 y2" as the file has them, then its layer if not "0".
QByteArray Lines(const QStringList& lines) {
  QByteArray text = "0\nSECTION\n2\nENTITIES\n";
  for (const QString& l : lines) {
    const QStringList v = l.split(u' ');
    text += "0\nLINE\n8\n" + v.value(4, u"0"_s).toUtf8() + "\n10\n" + v[0].toUtf8() + "\n20\n" +
            v[1].toUtf8() + "\n11\n" + v[2].toUtf8() + "\n21\n" + v[3].toUtf8() + "\n";
  }
  return text + "0\nENDSEC\n0\nEOF\n";
}

QString Label(QDialog& d, const char* name) {
  return d.findChild<QLabel*>(QLatin1String(name))->text();
}

// The row of the layer named so in the dialog's table, from 1.
int LayerRow(QDialog& d, const QString& name) {
  for (int r = 1;; ++r) {
    auto* box = d.findChild<QCheckBox*>(u"warstwa%1"_s.arg(r));
    if (box == nullptr) return 0;
    if (box->text().startsWith(name + u" ("_s)) return r;
  }
}

class ImportCommandsTest : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;

  QString write(const QString& name, const QByteArray& text) {
    QFile f(dir_.filePath(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size())
      qFatal("cannot write %s", qPrintable(name));
    return f.fileName();
  }

 private slots:
  void initTestCase() {
    // Files the stand-in reader misbehaves on by their names.
    for (const char* name : {"crash", "hang", "slow", "memory", "garbage"})
      write(QLatin1String(name) + u".dxf"_s, "0\nEOF\n");
    // A number the reader must not take for 0.
    write(u"litery.dxf"_s, Lines({u"0 0 zzz 10"_s}));
    // A square whose last side stops 0,05 short of its first corner.
    write(u"szczelina.dxf"_s, Lines({u"0 0 10 0"_s, u"10 0 10 10"_s, u"10 10 0 10"_s, u"0 10 0 0.05"_s}));
    // Squares in each other: 0–100 on layer A, 20–80 on B, 40–60 on C.
    QStringList squares;
    for (const auto& [lo, hi, layer] : {std::tuple{0, 100, 'A'}, {20, 80, 'B'}, {40, 60, 'C'}}) {
      for (const QString& side : {u"%1 %1 %2 %1"_s, u"%2 %1 %2 %2"_s, u"%2 %2 %1 %2"_s, u"%1 %2 %1 %1"_s})
        squares << side.arg(lo).arg(hi) + u' ' + QLatin1Char(layer);
    }
    write(u"kwadraty.dxf"_s, Lines(squares));
  }
  void init() { QLocale::setDefault(QLocale::c()); }

  // The plate comes in beside the model's triangle, its hot edge on the
  // condition chosen for its layer, as one step that one undo takes back;
  // the current condition and boundary stay and the view shows it all.
  void importIsOneStepAndKeepsTheRest() {
    Rig r;
    r.triangle();
    Model& m = r.model();
    (void)AppendCondition(m, BoundaryCondition{1.0f, 100.0f});
    const std::string before = FormatProjectFile(m);
    const size_t steps = r.state->history.undoCount();
    r.prompter.fileNames = {Drawing(u"plyta.dxf"_s)};
    QStringList seen;
    r.prompter.dialogs = {[&](QDialog& d) {
      seen << Label(d, "zakres") << Label(d, "jednostki") << Label(d, "liczby");
      const std::string hot = "warunek" + std::to_string(LayerRow(d, u"GORACA"_s));
      SetText(d, hot.c_str(), u"2"_s);
      d.findChild<QPushButton*>(u"OK"_s)->click();
      return d.result();
    }};
    r.commands->run(&ImportCommands::importDxf);
    QVERIFY2(seen.value(0).contains(u"100 × 60"_s), qPrintable(seen.value(0)));
    QVERIFY(seen.value(1).contains(u"milimetry"_s));
    QVERIFY2(seen.value(2).startsWith(u"Węzły: 3 + "_s), qPrintable(seen.value(2)));
    QVERIFY2(r.prompter.log.last().startsWith(u"note Importuj DXF: Zaimportowano"_s),
             qPrintable(r.prompter.log.last()));
    QVERIFY(r.prompter.log.last().contains(u"Otwory:"_s));
    QCOMPARE(r.state->history.undoCount(), steps + 1);
    QCOMPARE(QString::fromStdString(r.state->history.undoName()), u"import rysunku DXF"_s);
    QCOMPARE(m.CurrentBc, 1);
    QCOMPARE(m.CurrentBoundary, 1);
    QCOMPARE(m.internalNodeCount, 1);
    QCOMPARE(m.NodeTable[2].x, 10.0f);  // the triangle as it was
    int hot = 0;
    for (int32_t i = 4; i <= m.elementCount; ++i) {
      const Element& e = m.ElementTable[i];
      const bool onHotEdge = m.NodeTable[e.startNode].x == 100.0f && m.NodeTable[e.endNode].x == 100.0f;
      hot += onHotEdge;
      QCOMPARE(e.bcNumber, onHotEdge ? 2 : 1);
    }
    QCOMPARE(hot, 1);
    r.commands->run(&HistoryCommands::undo);
    QCOMPARE(FormatProjectFile(m), before);
  }

  // A drawing past the tables is refused with its counts over the dialog,
  // which keeps what was typed; "Anuluj" then leaves no step behind.
  void refusalKeepsTheDialogAndTheModel() {
    Rig r;
    r.triangle();
    const std::string before = FormatProjectFile(r.model());
    const size_t steps = r.state->history.undoCount();
    r.prompter.fileNames = {Drawing(u"wspornik.dxf"_s)};
    QString kept, counts;
    r.prompter.dialogs = {[&](QDialog& d) {
      d.findChild<QRadioButton*>(u"wgLiczby"_s)->setChecked(true);
      SetText(d, "naOkrag", u"5000"_s);
      counts = Label(d, "liczby");
      d.findChild<QPushButton*>(u"OK"_s)->click();
      kept = Text(d, "naOkrag");
      const bool open = d.isVisible();
      d.findChild<QPushButton*>(u"Anuluj"_s)->click();
      return open ? d.result() : -1;
    }};
    r.commands->run(&ImportCommands::importDxf);
    QVERIFY2(counts.contains(u"za dużo"_s), qPrintable(counts));
    QCOMPARE(kept, u"5000"_s);
    QVERIFY2(
        r.prompter.log.last().startsWith(u"stop Importuj DXF: Rysunek nie mieści się w modelu: węzłów"_s),
        qPrintable(r.prompter.log.last()));
    QCOMPARE(r.prompter.shownOver.last(), u"Importuj DXF"_s);
    QCOMPARE(FormatProjectFile(r.model()), before);
    QCOMPARE(r.state->history.undoCount(), steps);
  }

  // A nested chain marked a region is meshed: what lies in it becomes a
  // nested chain of its own, a hole until it is marked too; the counts
  // follow before "OK".
  void nestedChainsAsRegions() {
    Rig r;
    r.prompter.fileNames = {Drawing(u"bloki.dxf"_s)};
    QStringList seen;
    r.prompter.dialogs = {[&](QDialog& d) {
      auto* chains = d.findChild<QListWidget*>(u"kontury"_s);
      const auto look = [&] {
        QCoreApplication::processEvents();
        seen << QString::number(chains->count()) << Label(d, "liczby").section(u'\n', 2, 2);
      };
      look();
      chains->item(0)->setCheckState(Qt::Checked);
      look();
      // The chain just marked, by its number, holds the island.
      const QString in = u"w konturze %1:"_s.arg(chains->item(0)->text().section(u' ', 1, 1));
      for (int i = 0; i < chains->count(); ++i) {
        if (chains->item(i)->text().contains(in)) chains->item(i)->setCheckState(Qt::Checked);
      }
      look();
      d.findChild<QPushButton*>(u"OK"_s)->click();
      return d.result();
    }};
    r.commands->run(&ImportCommands::importDxf);
    const QString holes = u"Węzły wewnętrzne (otwory): 0 + %1 = %1 z 99"_s;
    QCOMPARE(seen, (QStringList{u"2"_s, holes.arg(2), u"3"_s, holes.arg(2), u"3"_s, holes.arg(1)}));
    QCOMPARE(r.model().internalNodeCount, 1);
  }

  // A material chosen for a layer makes its nested square a region: the
  // list shows it marked for good, the counts and the summary name its
  // region point, which lands in the square and off the one inside it; the
  // project's material on the outer layer leaves B a hole. One step.
  void layerMaterialPlacesRegionPoints_data() {
    QTest::addColumn<QString>("layer");
    QTest::addColumn<int>("choice");         // in the layer's "Materiał" selector
    QTest::addColumn<int>("lo");             // the square the point lies in, by its corner
    QTest::addColumn<QStringList>("shown");  // the choice, the nested chains (mark, enabled), the last count
    const QString count = u"Punkty obszarów: 0 + 1 = 1 z 99"_s;
    QTest::newRow("steel on B") << u"B"_s << 2 << 20
                                << QStringList{u"stal"_s, u"(warstwa B) 2 0"_s, u"(warstwa C) 0 1"_s, count};
    QTest::newRow("project's on A") << u"A"_s << 1 << 0
                                    << QStringList{u"materiał projektu"_s, u"(warstwa B) 0 1"_s, count};
  }
  void layerMaterialPlacesRegionPoints() {
    QFETCH(QString, layer);
    QFETCH(int, choice);
    QFETCH(int, lo);
    QFETCH(QStringList, shown);
    Rig r;
    Model& m = r.model();
    (void)AppendMaterial(m, Material{"stal", 50.0f, 0.0f});
    const std::string before = FormatProjectFile(m);
    const size_t steps = r.state->history.undoCount();
    r.prompter.fileNames = {dir_.filePath(u"kwadraty.dxf"_s)};
    QStringList seen;
    r.prompter.dialogs = {[&](QDialog& d) {
      auto* material = d.findChild<QComboBox*>(u"material%1"_s.arg(LayerRow(d, layer)));
      seen << material->itemText(0) << material->itemText(choice);
      material->setCurrentIndex(choice);
      auto* chains = d.findChild<QListWidget*>(u"kontury"_s);
      for (int i = 0; i < chains->count(); ++i) {
        const QListWidgetItem* item = chains->item(i);
        seen << u"%1 %2 %3"_s.arg(item->text().section(u' ', 2, 3))
                    .arg(item->checkState())
                    .arg(int(item->flags().testFlag(Qt::ItemIsEnabled)));
      }
      seen << Label(d, "liczby").section(u'\n', -1);
      d.findChild<QPushButton*>(u"OK"_s)->click();
      return d.result();
    }};
    r.commands->run(&ImportCommands::importDxf);
    QCOMPARE(seen, QStringList{u"otwór"_s} + shown);
    QVERIFY2(r.prompter.log.last().contains(u"Dodano 1 punkt obszaru:"_s), qPrintable(r.prompter.log.last()));
    QCOMPARE(m.internalNodeCount, 1);  // C's or B's hole point
    QCOMPARE(m.regionPointCount, 1);
    const RegionPoint p = m.RegionPointTable[1];
    QCOMPARE(p.material, choice - 1);
    const auto in = [&](float from) {
      return p.x > from && p.x < 100 - from && p.y > from && p.y < 100 - from;
    };
    QVERIFY2(in(float(lo)) && !in(float(lo + 20)), qPrintable(u"%1, %2"_s.arg(p.x).arg(p.y)));
    QCOMPARE(r.state->history.undoCount(), steps + 1);
    r.commands->run(&HistoryCommands::undo);
    QCOMPARE(FormatProjectFile(m), before);
  }

  // Whatever stops a reading (a file refused, the reader program crashing,
  // running out of memory or answering nonsense, the user's "Anuluj" during
  // a slow or endless reading or after it) leaves the work as it was: the
  // model with its unsaved contour, the history, the caption's "*" and the
  // view. A refusal says why with a stop icon, before any dialog; the
  // reader's own account stands as it is. Nothing runs meanwhile.
  void readingThatEndsBadlyLeavesTheWorkAlone_data() {
    QTest::addColumn<bool>("fake");  // the stand-in reader rather than the real one
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("cancelAtPump");
    QTest::addColumn<bool>("lateCancel");
    QTest::addColumn<QString>("said");  // the message's start; empty for none
    QTest::addColumn<QString>("words");
    const QString refused = u"Nie zaimportowano rysunku "_s, failed = u"Nie udało się odczytać rysunku "_s;
    const QString temp = dir_.path() + u'/';
    QTest::newRow("missing") << false << u"brak.dxf"_s << 0 << false << refused
                             << u"Nie można otworzyć pliku"_s;
    QTest::newRow("binary") << false << u"binarny.dxf"_s << 0 << false << refused << u"binarny plik DXF"_s;
    QTest::newRow("cut short") << false << u"obciety.dxf"_s << 0 << false << refused << u"znacznikiem EOF"_s;
    QTest::newRow("huge number") << false << u"ogromny.dxf"_s << 0 << false << refused << u"1 000 000 000"_s;
    QTest::newRow("letters") << false << temp + u"litery.dxf"_s << 0 << false << refused << u"zzz"_s;
    QTest::newRow("crash") << true << temp + u"crash.dxf"_s << 0 << false << failed << u"awari"_s;
    QTest::newRow("memory") << true << temp + u"memory.dxf"_s << 0 << false << failed << u"pamięci"_s;
    QTest::newRow("garbage") << true << temp + u"garbage.dxf"_s << 0 << false << failed << u"odpowied"_s;
    QTest::newRow("hang, cancelled") << true << temp + u"hang.dxf"_s << 3 << false << QString() << QString();
    QTest::newRow("slow, cancelled") << true << temp + u"slow.dxf"_s << 3 << false << QString() << QString();
    QTest::newRow("cancelled late") << false << u"plyta.dxf"_s << 0 << true << QString() << QString();
  }
  void readingThatEndsBadlyLeavesTheWorkAlone() {
    QFETCH(bool, fake);
    QFETCH(QString, file);
    QFETCH(int, cancelAtPump);
    QFETCH(bool, lateCancel);
    QFETCH(QString, said);
    QFETCH(QString, words);
    Rig r;
    r.prompter.dialogs = {PressButton(u"OK"_s)};
    r.commands->run(&ContourCommands::ellipse);  // drawn, not saved
    QCOMPARE(r.model().nodeCount, 18);
    const std::string before = FormatProjectFile(r.model());
    const size_t undoable = r.state->history.undoCount();
    const ViewTransform view = r.view();
    QVERIFY(!r.state->history.isClean());
    if (fake) r.commands->imports().readerOptions().helperPath = FAKE_READER_PATH;
    r.prompter.fileNames = {Drawing(file)};
    r.prompter.cancelAtPump = cancelAtPump;
    r.prompter.cancelAtFinish = lateCancel;
    r.prompter.onPump = [&](int) { r.commands->run(&HistoryCommands::undo); };
    r.prompter.log.clear();
    r.commands->run(&ImportCommands::importDxf);
    QCOMPARE(r.prompter.progressShown, QStringList{u"Importuj DXF: Trwa odczyt rysunku…"_s});
    if (said.isEmpty()) {
      QCOMPARE(r.prompter.log, QStringList{u"open Importuj DXF: "_s});
    } else {
      QCOMPARE(r.prompter.log.size(), 2);
      const QString shown = r.prompter.log.last();
      QVERIFY2(shown.startsWith(u"stop Importuj DXF: "_s + said) && shown.contains(words), qPrintable(shown));
    }
    QCOMPARE(FormatProjectFile(r.model()), before);
    QCOMPARE(r.state->history.undoCount(), undoable);
    QCOMPARE(QString::fromStdString(r.state->history.undoName()), u"dodanie elipsy"_s);
    QVERIFY(!r.state->history.isClean());
    QVERIFY(r.view() == view);
  }

  // The dialog's second showing holds the second drawing's layers alone:
  // none of the first drawing's widgets is left in the table, drawn or not.
  // Direction marks and broken bytes in the names are shown written out.
  void secondDrawingShowsItsOwnLayersOnly() {
    Rig r;
    const QByteArray layer = "8\nG\xe2\x80\x8f\xff\n";
    r.prompter.fileNames = {
        Drawing(u"plyta.dxf"_s),
        write(u"x\u202Ey.dxf"_s, Lines({u"0 0 1 0"_s, u"1 0 0 1"_s, u"0 1 0 0"_s}).replace("8\n0\n", layer))};
    QStringList first, second;
    const auto layers = [](QDialog& d, QStringList& names) {
      const auto boxes = d.findChild<QTableWidget*>(u"warstwy"_s)->findChildren<QCheckBox*>();
      for (QCheckBox* box : boxes) names << box->objectName() + u' ' + box->text();
    };
    r.prompter.dialogs = {PressButton(u"Anuluj"_s, [&](QDialog& d) { layers(d, first); }),
                          PressButton(u"OK"_s, [&](QDialog& d) { layers(d, second << Label(d, "zakres")); })};
    r.commands->run(&ImportCommands::importDxf);
    r.commands->run(&ImportCommands::importDxf);
    QVERIFY2(first.size() >= 3 && first.filter(u"KONTUR ("_s).size() == 1, qPrintable(first.join(u", "_s)));
    QVERIFY2(second.size() == 2 && second[0].startsWith(u"Rysunek x\\u{202E}y.dxf: "_s) &&
                 second[1].startsWith(u"warstwa1 G\\u{200F}\\x{FF} ("_s),
             qPrintable(second.join(u", "_s)));
    QVERIFY(r.model().elementCount > 0);
  }

  // Ends closer than the join distance become one node; it is typed in the
  // user's locale, and a value that is not a number from 0 up is refused
  // over the dialog, which keeps it.
  void joinDistanceClosesGaps() {
    QLocale::setDefault(QLocale(QLocale::Polish));
    Rig r;
    r.prompter.fileNames = {Drawing(dir_.filePath(u"szczelina.dxf"_s))};
    QStringList seen;
    r.prompter.dialogs = {[&](QDialog& d) {
      const auto nodes = [&] { seen << Label(d, "liczby").section(u'\n', 0, 0); };
      nodes();
      for (const QString& bad : {u"-0,01"_s, u"0.1x"_s}) {
        SetText(d, "laczenie", bad);
        nodes();
        d.findChild<QPushButton*>(u"OK"_s)->click();
        seen << Text(d, "laczenie") + (d.isVisible() ? u" open"_s : u" closed"_s);
      }
      SetText(d, "laczenie", u"0,1"_s);
      nodes();
      d.findChild<QPushButton*>(u"OK"_s)->click();
      return d.result();
    }};
    r.commands->run(&ImportCommands::importDxf);
    const QString refusal = u"stop Importuj DXF: Zła wartość: odległość łączenia końców"_s;
    QCOMPARE(r.prompter.messages().mid(0, 2), (QStringList{refusal, refusal}));
    QCOMPARE(seen, (QStringList{u"Węzły: 0 + 5 = 5 z 299"_s,
                                u"Zła wartość: liczby pokażą się po jej poprawieniu."_s, u"-0,01 open"_s,
                                u"Zła wartość: liczby pokażą się po jej poprawieniu."_s, u"0.1x open"_s,
                                u"Węzły: 0 + 4 = 4 z 299"_s}));
    QCOMPARE(std::pair(r.model().nodeCount, r.model().elementCount), std::pair(4, 4));
  }

  // After an import the grid has about 25 spacings across the drawing as the
  // model has it (1, 2 or 5 times a power of ten), and the view shows it
  // all: a part drawn in millimetres and taken in metres fills the window
  // and can be zoomed into.
  void viewFitsTheImportedDrawing_data() {
    QTest::addColumn<bool>("toMetres");
    QTest::addColumn<double>("side");  // the plate's width in the model (its height is 0,6 of it)
    QTest::newRow("millimetres") << false << 100.0;
    QTest::newRow("metres") << true << 0.1;
  }
  void viewFitsTheImportedDrawing() {
    QFETCH(bool, toMetres);
    QFETCH(double, side);
    Rig r;
    r.prompter.fileNames = {Drawing(u"plyta.dxf"_s)};
    r.prompter.dialogs = {PressButton(u"OK"_s, [&](QDialog& d) {
      if (toMetres) d.findChild<QPushButton*>(u"naMetry"_s)->click();
    })};
    r.commands->run(&ImportCommands::importDxf);
    ViewTransform& v = r.view();
    QCOMPARE(v.gridDx, v.gridDy);
    const double spacing = v.gridDx,
                 mantissa = spacing / std::pow(10.0, std::floor(std::log10(spacing) + 1e-6));
    QVERIFY2(
        std::fabs(mantissa - 1) < 1e-5 || std::fabs(mantissa - 2) < 1e-5 || std::fabs(mantissa - 5) < 1e-5,
        qPrintable(QString::number(spacing)));
    // Within the square root of 2.5 (the widest gap of the series) of a 25th.
    QVERIFY2(std::fabs(std::log(spacing * 25 / side)) <= std::log(std::sqrt(2.5)) + 1e-6,
             qPrintable(QString::number(spacing)));
    // The plate from its corner at 0 with a step of grid round it, so that
    // no edge lies on the view's edge.
    for (const auto& [low, high, size] :
         {std::tuple{v.viewXMin, v.viewXMax, side}, {v.viewYMin, v.viewYMax, side * 0.6}}) {
      QVERIFY2(low <= -0.99 * spacing && low >= -1.01 * spacing && high >= size + 0.99 * spacing &&
                   high <= size + 1.01 * spacing,
               qPrintable(u"%1..%2 for 0..%3"_s.arg(low).arg(high).arg(size)));
    }
    ViewTransform shown = v;
    ComputeScale(shown, 640, 480);
    const double wide = side * shown.scale, high = side * 0.6 * shown.scale;
    QVERIFY2(wide >= 0.85 * 620 || high >= 0.85 * 420, qPrintable(u"%1 × %2 px"_s.arg(wide).arg(high)));
    // Zooming in lands on the plate's corner at 0: the picture stays the
    // right way round.
    QVERIFY(ZoomIn(shown) && shown.viewXMin == 0.0f);
    ComputeScale(shown, 640, 480);
    QVERIFY2(HasDrawingArea(shown), qPrintable(QString::number(shown.scale)));
  }
};

}  // namespace

QTEST_MAIN(ImportCommandsTest)
#include "tst_import_commands.moc"
