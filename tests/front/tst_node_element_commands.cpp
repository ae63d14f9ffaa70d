// Nodes and elements under a scripted prompter: their dialogs, deletion
// by number and the merging of duplicate nodes.

#include "CommandsTestKit.h"

namespace {

class NodeElementCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QLocale::setDefault(QLocale::c()); }

  void nodeDialogAddsAndChangesNodes() {
    Rig r;
    QStringList seen;
    r.withDialog(&NodeElementCommands::addNode, PressButton(u"Anuluj"_s));
    r.withDialog(&NodeElementCommands::addNode,
                 Type("OK", {{"Edit1", u"5"_s}, {"xx", u"2.5"_s}, {"yy", u"-1"_s}}, &seen, {"Edit1"}));
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    r.withDialog(&NodeElementCommands::addNode,
                 Type("OK", {{"xx", u"1,5"_s}, {"yy", u"abc"_s}}, &seen, {"Edit1", "xx"}));
    QCOMPARE(seen, QStringList({u"1"_s, u"2"_s, u"1,5"_s}));  // a number being added is fixed
    QCOMPARE(std::vector({r.model().NodeTable[1].x, r.model().NodeTable[1].y, r.model().NodeTable[2].x,
                          r.model().NodeTable[2].y}),
             std::vector({2.5f, -1.0f, 1.5f, 0.0f}));  // x is stored before y is read
    for (int i = 3; i <= 7; ++i) (void)AppendNode(r.model(), Node{float(i), 0.5f});
    seen.clear();
    r.withDialog(&NodeElementCommands::changeNodeCoordinates, Type("OK", {}, &seen, {"Edit1", "xx"}));
    r.withDialog(&NodeElementCommands::changeNodeCoordinates,
                 Type("OK", {{"Edit1", u"99"_s}, {"yy", u"0.25"_s}}, &seen, {"Edit1", "xx"}));
    r.withDialog(&NodeElementCommands::changeNodeCoordinates,
                 Type("OK", {{"Edit1", u"abc"_s}}, &seen, {"Edit1", "xx"}));
    QCOMPARE(seen, QStringList({u"1"_s, u"2,5"_s, u"7"_s, u"7"_s, u"abc"_s, u"2,5"_s}));
    QCOMPARE(r.model().NodeTable[7].y, 0.25f);
    QCOMPARE(r.prompter.messages(), QStringList({u"stop Współrzędne węzła: Zła wartość współrzędnej"_s,
                                                 u"stop Warunek brzegowy: Złe dane"_s}));
    QCOMPARE(r.prompter.shownOver, QStringList(2, u"Współrzędne węzła"_s));  // still up, then closed
    QCOMPARE(r.model().nodeCount, 7);
  }

  void numberPromptDeletesByNumber() {
    Rig r;
    r.triangle();  // then only its elements 1 -> 2 and 2 -> 3, and a fourth node
    r.model().elementCount = 2;
    (void)AppendNode(r.model(), Node{});
    QStringList labels;
    const auto number = [&labels](const QString& text) {
      return Type("OK", {{"Edit1", text}}, &labels, {"Label"});
    };
    (void)AppendInternalNode(r.model(), InternalNode{});
    // The field shows 0, so a bare OK deletes nothing.
    r.prompter.dialogs = {number(u"2"_s),
                          number(u"4"_s),
                          number(u"abc"_s),
                          number(u"0"_s),
                          number(u"1"_s),
                          PressButton(u"Anuluj"_s),
                          Type("OK", {}, &labels, {"Label", "Edit1"}),
                          number(u"1"_s)};
    const auto node = r.call(&NodeElementCommands::deleteNode);
    const auto element = r.call(&NodeElementCommands::deleteElement);
    for (const auto& command : {node, node, node, element, element, element, node,
                                r.call(&InternalNodeCommands::deleteInternalNode)})
      command();
    QCOMPARE(labels.join('|'),
             u"Numer węzła|Numer węzła|Numer węzła|Numer elementu|Numer elementu|Numer węzła|0|"
             u"Nr węz. wewnętrznego"_s);
    QCOMPARE(r.prompter.messages(),
             QStringList({u"stop Usuanie węzła: Nie mogę usunąć węzła, który występuje w elemencie"_s}));
    QCOMPARE(std::tuple(r.model().nodeCount, r.model().elementCount, r.model().internalNodeCount),
             std::tuple(3, 1, 0));
    QCOMPARE(r.repaints->count(), 8);
  }

  void elementDialogChangesNodesAndCarriesTheRest() {
    Rig r;
    r.triangle();
    r.model().ElementTable[2] = Element{2, 3, 3, 2};  // condition 3 and boundary 2, from a file
    r.model().ElementTable[3].bcNumber = 7;           // a condition past the table
    r.model().bcCount = 3;
    r.model().BcTable[3].kind = 2.0f;
    r.model().ProblemKind = 1;
    r.model().boundaryCount = 2;
    QStringList seen;
    const std::vector<const char*> shown = {"numer", "poczatek", "koniec"};
    r.withDialog(&NodeElementCommands::changeElement, Type("OK", {}, &seen, shown));
    r.withDialog(&NodeElementCommands::changeElement, Type("OK", {{"numer", u"0"_s}}, &seen, {"numer"}));
    r.withDialog(&NodeElementCommands::changeElement,
                 Type("OK", {{"numer", u"2"_s}, {"koniec", u"1"_s}}, &seen, {"warunek", "brzeg"}));
    r.withDialog(&NodeElementCommands::changeElement,
                 Type("OK", {{"numer", u"99"_s}, {"poczatek", u"2"_s}}, &seen, {"numer"}));
    r.withDialog(&NodeElementCommands::changeElement, Type("OK", {{"numer", u"abc"_s}}));
    QCOMPARE(seen, QStringList({u"1"_s, u"nr 1, x0.000, y0.000"_s, u"nr 2, x10.000, y0.000"_s, u"1"_s,
                                u"nr 3, strumień 0.000 0.000 0.000"_s, u"nr 2"_s, u"3"_s}));
    QCOMPARE(Elements(r.model()), u"1-2 1/1, 2-1 3/2, 2-1 7/1"_s);
    QCOMPARE(r.prompter.messages(), QStringList({u"stop Własności elementu: Błędne dane"_s}));
    QCOMPARE(r.prompter.shownOver, QStringList({u"Własności elementu"_s}));

    // Added: the number is fixed, the new element runs from node 1 to node 1.
    seen.clear();
    r.withDialog(&NodeElementCommands::addElement, Type("Anuluj", {{"numer", u"1"_s}}, &seen, shown));
    r.withDialog(&NodeElementCommands::addElement, Type("OK", {{"koniec", u"3"_s}}));
    QCOMPARE(seen, QStringList({u"4"_s, u"nr 1, x0.000, y0.000"_s, u"nr 1, x0.000, y0.000"_s}));
    QCOMPARE(Elements(r.model()), u"1-2 1/1, 2-1 3/2, 2-1 7/1, 1-3 1/1"_s);
    Rig empty;
    empty.commands->nodes().changeElement();
    (void)AppendNode(empty.model(), Node{});
    empty.commands->nodes().addElement();
    QCOMPARE(empty.prompter.log.size() + empty.repaints->count(), 1);  // no dialog, one repaint
  }

  void duplicatesMergeOnYesAndFullTablesRefuseAdditions() {
    Rig r;
    for (const Node& n : {Node{1, 1}, Node{2, 2}, Node{1, 1}, Node{1, 1}}) (void)AppendNode(r.model(), n);
    r.prompter.answers = {false, true, true};
    for (int i = 0; i < 3; ++i) r.commands->nodes().removeDuplicateNodes();
    const QString ask = u"ask Usuwanie podwójnych węzłów: Usunąć podwójne węzły ?"_s;
    QCOMPARE(r.prompter.log,
             QStringList({ask, ask, u"plain Usuwanie podwójnych węzłów: Usunięto 2 węzłów."_s, ask}));
    QCOMPARE(std::pair(r.model().nodeCount, int(r.repaints->count())), std::pair(2, 3));

    r.prompter.log.clear();
    while (AppendNode(r.model(), Node{}) + AppendElement(r.model(), Element{1, 2, 1, 1}) +
               AppendInternalNode(r.model(), InternalNode{}) !=
           0) {
    }
    for (const auto& command :
         {r.call(&NodeElementCommands::addNode), r.call(&NodeElementCommands::addElement),
          r.call(&InternalNodeCommands::addInternalNode)})
      command();
    r.commands->contours().mouseDown(Qt::RightButton, 100, 100, 436);
    r.commands->internalNodes().insertInternalNodeAtClick();
    QCOMPARE(
        r.prompter.log,
        QStringList(
            {u"stop Współrzędne węzła: Osiągnięto największą liczbę węzłów (299)"_s,
             u"stop Własności elementu: Osiągnięto największą liczbę elementów (499)"_s,
             u"stop Węzeł wewnętrzny: Osiągnięto największą liczbę węzłów wewnętrznych (99)"_s,
             u"stop Dodanie węzła wewnętrznego: Osiągnięto największą liczbę węzłów wewnętrznych (99)"_s}));
  }
};

}  // namespace

QTEST_MAIN(NodeElementCommandsTest)
#include "tst_node_element_commands.moc"
