// "Plik > Importuj DXF..." under a scripted prompter, on drawings made by
// ezdxf (the dxf_drawings fixture): the dialog's counts and choices, one
// step of the history, the refusals that leave the model and the dialog as
// they were.

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "CommandsTestKit.h"
#include "core/files/ProjectFile.h"
#include "front/commands/ImportCommands.h"

namespace {

QString Drawing(const char* name) {
  return QStringLiteral(DXF_DRAWINGS "/") + QLatin1String(name);
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

 private slots:
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
    r.prompter.fileNames = {Drawing("plyta.dxf")};
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
    ViewTransform shown = r.view();
    QVERIFY(ShowAll(shown, m));
    QVERIFY(shown == r.view());
    QVERIFY(r.view().viewXMax >= 100.0f);
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
    r.prompter.fileNames = {Drawing("wspornik.dxf")};
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
    r.prompter.fileNames = {Drawing("bloki.dxf")};
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

  // Files that cannot be imported say why, before any dialog.
  void badFilesAreRefusedBeforeTheDialog() {
    const std::pair<const char*, QString> cases[] = {
        {"brak.dxf", u"Nie można otworzyć pliku"_s},
        {"binarny.dxf", u"binarny plik DXF"_s},
        {"obciety.dxf", u"znacznikiem EOF"_s},
        {"ogromny.dxf", u"1 000 000 000"_s},
    };
    for (const auto& [file, words] : cases) {
      Rig r;
      r.prompter.fileNames = {Drawing(file)};
      r.commands->run(&ImportCommands::importDxf);
      QCOMPARE(r.prompter.log.size(), 2);
      QVERIFY2(r.prompter.log.last().startsWith(u"stop Importuj DXF: Nie zaimportowano rysunku"_s), file);
      QVERIFY2(r.prompter.log.last().contains(words), qPrintable(r.prompter.log.last()));
      QCOMPARE(r.model().nodeCount, 0);
    }
  }
};

}  // namespace

QTEST_MAIN(ImportCommandsTest)
#include "tst_import_commands.moc"
