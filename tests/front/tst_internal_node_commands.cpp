// Internal nodes under a scripted prompter: their dialog and the pop-up.

#include "CommandsTestKit.h"

namespace {

class InternalNodeCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QLocale::setDefault(QLocale::c()); }

  void internalNodeDialogAddsAndChangesOrRefusesAsCancelled() {
    Rig r;
    QStringList seen;
    r.withDialog(&InternalNodeCommands::addInternalNode,
                 Type("OK", {{"numer", u"7"_s}, {"xx", u"5"_s}, {"yy", u"2.5"_s}}, &seen, {"numer"}));
    r.withDialog(&InternalNodeCommands::addInternalNode, PressButton(u"Anuluj"_s));
    r.withDialog(&InternalNodeCommands::addInternalNode, Type("OK", {{"xx", u"x"_s}}));
    r.withDialog(&InternalNodeCommands::changeInternalNode,
                 Type("OK", {{"numer", u"1"_s}}, &seen, {"xx", "yy"}));
    r.withDialog(&InternalNodeCommands::changeInternalNode,
                 Type("OK", {{"numer", u"2"_s}}, &seen, {"numer"}));
    QCOMPARE(seen, QStringList({u"1"_s, u"5"_s, u"2.5"_s, u"0"_s}));
    QCOMPARE(std::pair(r.model().internalNodeCount, r.model().InternalNodeTable[1].y), std::pair(1, 2.5f));
    QCOMPARE(r.prompter.messages(), QStringList(2, u"stop Warunek brzegowy: Złe dane"_s));
    QCOMPARE(r.prompter.shownOver, QStringList(2, u"Węzeł wewnętrzny"_s));
    // Inside the only contour, the hole point leaves no mesh at all.
    r.triangle();
    r.prompter.inputs = {u"10"_s};
    r.commands->mesh().generateMesh();
    QCOMPARE(r.prompter.messages().size(), 4);
    QCOMPARE(r.prompter.messages()[2], kFailed);
    r.prompter.answers = {false, true};
    r.commands->internalNodes().deleteAllInternalNodes();
    QCOMPARE(r.model().internalNodeCount, 1);
    r.commands->internalNodes().deleteAllInternalNodes();
    QCOMPARE(r.model().internalNodeCount, 0);
    QCOMPARE(r.prompter.log.last(),
             u"ask Usuwanie węzłów wewnętrznych: Usunąć wszystkie węzły wewnętrzne ?"_s);
  }

  // The pop-up menu's commands work at its click, and only with a contour.
  void popUpAddsAndRemovesInternalNodesAtTheClick() {
    Rig r;
    r.view().scale = 10;
    const auto at = [&r](int x, int y) { r.commands->contours().mouseDown(Qt::RightButton, x, y, 436); };
    at(110, 296);  // the model point (10, 10)
    r.commands->internalNodes().insertInternalNodeAtClick();
    r.commands->internalNodes().removeInternalNodesAtClick();
    QVERIFY(r.prompter.log.empty());
    r.triangle();
    r.prompter.answers = {false, true};
    r.commands->internalNodes().insertInternalNodeAtClick();
    r.commands->internalNodes().insertInternalNodeAtClick();
    for (const InternalNode& n : {InternalNode{10.4f, 9.7f}, {10.45f, 10}, {10.3f, 10}, {10.6f, 10}}) {
      (void)AppendInternalNode(r.model(), n);
    }
    r.prompter.answers = {false, false,
                          true};  // 1 and 2 kept; 3 goes, and the node moving into row 3 is passed
    r.commands->internalNodes().removeInternalNodesAtClick();
    at(500, 10);
    r.prompter.answers = {false};
    r.commands->internalNodes().removeInternalNodesAtClick();
    const QString pick = u"ask Usuwanie węzła: Usunąć węzeł %1 ?"_s;
    QCOMPARE(
        r.prompter.log,
        QStringList(
            {u"ask Dodanie węzła wewnętrznego: Dodać punkt wewnętrzny o współrzędnych 10.000000,10.000000 ?"_s,
             u"ask Dodanie węzła wewnętrznego: Dodać punkt wewnętrzny o współrzędnych 10.000000,10.000000 ?"_s,
             pick.arg(1), pick.arg(2), pick.arg(3),
             u"plain Usuwanie węzła wewnętrznego: Nie wybrałeś żadnego węzła."_s}));
    QCOMPARE(r.model().internalNodeCount, 4);

    // Insertion snaps only while the grid is shown, removal always; with no
    // room to draw (a scale of 0) nothing is offered at all.
    r.prompter.log.clear();
    (void)AppendInternalNode(r.model(), InternalNode{14, 14});
    at(143, 263);  // the model point (13.3, 13.3), or (14, 14) on the grid
    for (int shown : {1, 0}) {
      r.view().gridShown = shown;
      r.prompter.answers = {false, false};
      r.commands->internalNodes().insertInternalNodeAtClick();
      r.commands->internalNodes().removeInternalNodesAtClick();
    }
    r.view().scale = 0;
    r.prompter.answers = {true};
    r.commands->internalNodes().insertInternalNodeAtClick();
    const QString add = u"ask Dodanie węzła wewnętrznego: Dodać punkt wewnętrzny o współrzędnych %1 ?"_s;
    QCOMPARE(r.prompter.log, QStringList({add.arg(u"14.000000,14.000000"_s), pick.arg(5),
                                          add.arg(u"13.300000,13.300000"_s), pick.arg(5)}));
    QCOMPARE(r.model().internalNodeCount, 5);
  }
};

}  // namespace

QTEST_MAIN(InternalNodeCommandsTest)
#include "tst_internal_node_commands.moc"
