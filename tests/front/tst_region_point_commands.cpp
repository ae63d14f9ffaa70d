// Materials and region points under a scripted prompter: the material
// table, the region point's dialog, the pop-up, the history and the picture.

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "CommandsTestKit.h"
#include "core/view/Scene.h"
#include "front/boundary/MaterialDialogs.h"

namespace {

void Press(QDialog& d, const char* button) {
  d.findChild<QPushButton*>(QLatin1String(button))->click();
}

// The texts of the dialog's labels, in the order made.
QStringList Labels(QDialog& d) {
  QStringList texts;
  for (const QLabel* l : d.findChildren<QLabel*>()) texts << l->text();
  return texts;
}

QString Step(Rig& r) {
  return QString::fromStdString(r.state->history.undoName());
}

class RegionPointCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QLocale::setDefault(QLocale::c()); }

  // The table's session is one step on "OK"; a refusal keeps the dialog up
  // and what was typed; "Anuluj" and Escape leave the table as it was.
  void materialsDialogAppliesDiscardsAndRefusesKeepingTheText() {
    Rig r;
    Model& m = r.model();
    m.ProblemKind = 1;
    m.Conductivity = 0.8f, m.SecondProperty = 2.0f;
    QStringList kept;
    r.prompter.dialogs = {[&](QDialog& d) {
      const QStringList labels = Labels(d);
      kept << QString::number(labels.contains(u"przewodność cieplna λ [W/(m·K)]"_s));
      kept << Text(d, "wlasnosc1") + u'/' + Text(d, "wlasnosc2");  // a new row starts as the project's pair
      const std::pair<QString, QString> refused[] = {
          {u""_s, u"1"_s}, {QString(33, u'ą'), u"1"_s}, {u"cegła"_s, u"abc"_s}, {u"cegła"_s, u"1e39"_s}};
      for (const auto& [name, value] : refused) {
        SetText(d, "nazwa", name), SetText(d, "wlasnosc1", value), Press(d, "dodaj");
        kept << Text(d, "nazwa") + u'/' + Text(d, "wlasnosc1");
      }
      SetText(d, "nazwa", QString(64, u'a')), SetText(d, "wlasnosc1", u"0.77"_s), Press(d, "dodaj");
      SetText(d, "nazwa", u"wełna"_s), SetText(d, "wlasnosc2", u"5"_s), Press(d, "dodaj");
      static_cast<TableDialog&>(d).selectRow(1);
      SetText(d, "nazwa", u"cegła"_s), Press(d, "zmien");
      Press(d, "OK");
      return d.result();
    }};
    const size_t steps = r.state->history.undoCount();
    r.commands->run(&RegionPointCommands::editMaterials);
    QCOMPARE(kept, QStringList({u"1"_s, u"0.8/2"_s, u"/1"_s, QString(33, u'ą') + u"/1"_s, u"cegła/abc"_s,
                                u"cegła/1e39"_s}));
    QCOMPARE(std::tuple(m.materialCount, QString::fromStdString(m.MaterialTable[1].name),
                        m.MaterialTable[1].property1, m.MaterialTable[2].property2),
             std::tuple(2, u"cegła"_s, 0.77f, 5.0f));
    QCOMPARE(std::pair(r.state->history.undoCount(), Step(r)), std::pair(steps + 1, u"zmiana materiałów"_s));
    QCOMPARE(
        r.prompter.messages(),
        QStringList(
            {u"stop Materiały: Podaj nazwę materiału."_s,
             u"stop Materiały: Nazwa materiału jest za długa (najwyżej 64 bajtów)."_s,
             u"stop Materiały: Zła wartość: przewodność cieplna λ [W/(m·K)]"_s,
             u"stop Materiały: Zła wartość: przewodność cieplna λ [W/(m·K)]\nLiczba 1e39 jest za duża (to "
             u"pole przyjmuje liczby od -3.4028235e+38 do 3.4028235e+38)."_s}));

    // Deleting a material, then "Anuluj" or Escape: nothing changes.
    const std::function<void(QDialog&)> closes[] = {[](QDialog& d) { Press(d, "Anuluj"); },
                                                    [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }};
    for (const auto& close : closes) {
      r.prompter.dialogs = {[&](QDialog& d) {
        static_cast<TableDialog&>(d).selectRow(1), Press(d, "usun");
        return close(d), d.result();
      }};
      r.commands->run(&RegionPointCommands::editMaterials);
      QCOMPARE(m.materialCount, 2);
    }
    QCOMPARE(r.state->history.undoCount(), steps + 1);

    // "OK" checks rows it did not edit too; a point of a deleted material
    // goes back to the project's own, a later one follows its material.
    m.MaterialTable[2].name.clear();
    (void)AppendRegionPoint(m, RegionPoint{1, 1, 1, 0});
    (void)AppendRegionPoint(m, RegionPoint{2, 2, 2, 0});
    r.prompter.dialogs = {[&](QDialog& d) {
      Press(d, "OK");
      const bool up = d.isVisible();
      SetText(d, "nazwa", u"wełna"_s), Press(d, "zmien");
      static_cast<TableDialog&>(d).selectRow(1), Press(d, "usun"), Press(d, "OK");
      return up ? d.result() : -1;
    }};
    r.commands->run(&RegionPointCommands::editMaterials);
    QCOMPARE(r.prompter.messages().last(), u"stop Materiały: Materiał 2: Podaj nazwę materiału."_s);
    QCOMPARE(std::tuple(m.materialCount, QString::fromStdString(m.MaterialTable[1].name),
                        m.RegionPointTable[1].material, m.RegionPointTable[2].material),
             std::tuple(1, u"wełna"_s, 0, 1));
    // A conductivity of 0 is refused at "OK", as the solver would refuse it.
    m.MaterialTable[1].property1 = 0.0f;
    r.prompter.dialogs = {[&](QDialog& d) { return Press(d, "OK"), Press(d, "Anuluj"), d.result(); }};
    r.commands->run(&RegionPointCommands::editMaterials);
    QCOMPARE(r.prompter.messages().last(),
             u"stop Materiały: Materiał 1: przewodność cieplna λ [W/(m·K)] musi być liczbą dodatnią."_s);
    // The disc's properties head the columns.
    m.ProblemKind = 10;
    r.prompter.dialogs = {[&](QDialog& d) { return kept = Labels(d), Press(d, "Anuluj"), d.result(); }};
    r.commands->run(&RegionPointCommands::editMaterials);
    QVERIFY(kept.contains(u"moduł Younga E [Pa]"_s) && kept.contains(u"liczba Poissona ν"_s));
  }

  // Inserted at the pop-up's click, changed through the dialog, deleted by
  // number or at the click: each one step, undone as one.
  void regionPointsAreInsertedMovedAndDeletedOneStepEach() {
    Rig r;
    Model& m = r.model();
    r.view().scale = 10;
    r.commands->contours().mouseDown(Qt::RightButton, 110, 296, 436);  // the model point (10, 10)
    r.commands->run(&RegionPointCommands::insertRegionPointAtClick);
    QCOMPARE(m.regionPointCount, 0);  // no contour, no point
    r.triangle();
    (void)AppendMaterial(m, Material{"cegła", 0.77f, 0});
    QStringList seen;
    const size_t steps = r.state->history.undoCount();
    r.withDialog(r.call(&RegionPointCommands::insertRegionPointAtClick), PressButton(u"Anuluj"_s));
    r.prompter.dialogs = {[&](QDialog& d) {
      Type("OK", {{"pole", u"-1"_s}}, &seen, {"numer", "xx", "yy", "material", "pole"})(d);
      seen << QString::number(d.isVisible()) << Text(d, "pole");
      return Type("OK", {{"material", u"2"_s}, {"pole", u"0.5"_s}})(d);
    }};
    r.commands->run(&RegionPointCommands::insertRegionPointAtClick);
    QCOMPARE(seen,
             QStringList({u"1"_s, u"10"_s, u"10"_s, u"0: materiał projektu"_s, u"-1"_s, u"1"_s, u"-1"_s}));
    QCOMPARE(
        r.prompter.messages(),
        QStringList(
            {u"stop Punkt obszaru: Największe pole trójkąta musi być liczbą większą od zera albo puste."_s}));
    const auto row = [&m](int32_t i) {
      const RegionPoint& p = m.RegionPointTable[i];
      return std::tuple(p.x, p.y, p.material, p.area);
    };
    QCOMPARE(std::pair(m.regionPointCount, row(1)), std::pair(1, std::tuple(10.0f, 10.0f, 1, 0.5f)));
    QCOMPARE(std::pair(r.state->history.undoCount(), Step(r)),
             std::pair(steps + 1, u"dodanie punktu obszaru 1"_s));

    // Moved through the dialog; an empty area is none.
    r.prompter.dialogs = {Type("OK", {{"xx", u"2"_s}, {"yy", u"3"_s}})};
    r.commands->run(&RegionPointCommands::addRegionPoint);
    r.prompter.dialogs = {
        Type("OK", {{"numer", u"1"_s}, {"xx", u"4"_s}, {"pole", u""_s}}, &seen, {"material"})};
    r.commands->run(&RegionPointCommands::changeRegionPoint);
    QCOMPARE(std::pair(row(1), seen.last()), std::pair(std::tuple(4.0f, 10.0f, 1, 0.0f), u"1: cegła"_s));
    QCOMPARE(m.regionPointCount, 2);
    QCOMPARE(r.state->history.undoCount(), steps + 3);
    QVERIFY(r.state->history.undo(m));
    QCOMPARE(row(1), std::tuple(10.0f, 10.0f, 1, 0.5f));

    // A point's numbers shown as short as they read back; Tab goes down
    // the form to the material's box.
    m.RegionPointTable[1].x = 0.1f, m.RegionPointTable[1].area = 0.3f;
    r.prompter.dialogs = {[&](QDialog& d) {
      Type("Anuluj", {{"numer", u"1"_s}}, &seen, {"xx", "pole"})(d);
      seen << QString::number(d.findChild<QWidget*>(u"yy"_s)->nextInFocusChain() ==
                              d.findChild<QWidget*>(u"material"_s));
      return d.result();
    }};
    r.commands->run(&RegionPointCommands::changeRegionPoint);
    QCOMPARE(seen.mid(seen.size() - 3), QStringList({u"0.1"_s, u"0.3"_s, u"1"_s}));
    m.RegionPointTable[1].x = 10.0f, m.RegionPointTable[1].area = 0.5f;

    // Deleted by number (a wrong one deletes nothing), then at the click.
    r.prompter.inputs = {u"7"_s, u"2"_s};
    r.commands->run(&RegionPointCommands::deleteRegionPoint);
    r.commands->run(&RegionPointCommands::deleteRegionPoint);
    QCOMPARE(std::pair(m.regionPointCount, Step(r)), std::pair(1, u"usunięcie punktu obszaru 2"_s));
    r.prompter.answers = {false, true};
    r.commands->run(&RegionPointCommands::removeRegionPointsAtClick);
    QCOMPARE(m.regionPointCount, 1);
    r.commands->run(&RegionPointCommands::removeRegionPointsAtClick);
    QCOMPARE(std::pair(m.regionPointCount, Step(r)), std::pair(0, u"usunięcie punktów obszaru"_s));
    r.commands->run(&RegionPointCommands::removeRegionPointsAtClick);
    QCOMPARE(r.prompter.log.mid(r.prompter.log.size() - 3),
             QStringList({u"ask Usuwanie punktu obszaru: Usunąć punkt obszaru 1 ?"_s,
                          u"ask Usuwanie punktu obszaru: Usunąć punkt obszaru 1 ?"_s,
                          u"plain Usuwanie punktu obszaru: Nie wybrałeś żadnego punktu obszaru."_s}));
    QVERIFY(r.state->history.undo(m));
    QCOMPARE(m.regionPointCount, 1);
  }

  // Each point a maroon diamond with a dot, its material's name beside it.
  void sceneMarksRegionPointsWithTheirMaterialNames() {
    Rig r;
    Model& m = r.model();
    (void)AppendMaterial(m, Material{"wełna", 0.04f, 0});
    const RegionPoint points[] = {{1, 1, 1, 0}, {2, 2, 0, 0}, {3, 3, 5, 0}};
    for (const RegionPoint& p : points) (void)AppendRegionPoint(m, p);
    (void)AppendInternalNode(m, InternalNode{4, 4});
    Scene scene;
    r.view().scale = 10;
    BuildScene(m, r.view(), r.state->display, false, 400, 400, scene);
    QStringList names;
    for (const SceneLabel& l : scene.labels) names << QString::fromStdString(l.text);
    QCOMPARE(names, QStringList({u"wełna"_s, u"materiał projektu"_s, u"materiał 5"_s}));
    int lines = 0, dots = 0, discs = 0;
    for (const Primitive& p : scene.items) {
      const bool maroon = p.pen == colors::kMaroon;
      lines += maroon && p.shape == Shape::Line;
      dots += maroon && p.shape == Shape::FillRect;
      discs += maroon && p.shape == Shape::Ellipse;
    }
    QCOMPARE(std::tuple(lines, dots, discs), std::tuple(12, 3, 0));
    // The name starts right of its point's marker.
    const ScreenPoint at = ModelToScreen(r.view(), 400, 1, 1);
    QVERIFY(scene.labels[0].x > at.x + 5);
  }
};

}  // namespace

QTEST_MAIN(RegionPointCommandsTest)
#include "tst_region_point_commands.moc"
