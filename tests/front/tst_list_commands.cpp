// "Listy" under a scripted prompter: the tables as listed, and every
// dialog and list window as shown.

#include <QGroupBox>
#include <QPushButton>

#include "CommandsTestKit.h"
#include "TestData.h"
#include "front/boundary/BoundaryDialogs.h"
#include "front/boundary/PhysicsDialogs.h"
#include "front/edit/EditDialogs.h"
#include "front/edit/EllipseDialog.h"
#include "front/lists/ListWindows.h"
#include "front/view/ViewDialogs.h"

namespace {

class ListCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QLocale::setDefault(QLocale::c()); }

  // The lists: their preconditions, their lines and cells in the user's
  // locale, and a refill on every activation that never doubles a line.
  void listsShowTheTablesAsTheyStand() {
    Rig r;
    r.model().SelectedNumber = 5;
    for (auto command : {&ListCommands::listNodes, &ListCommands::listElements,
                         &ListCommands::listInternalNodes, &ListCommands::listMesh}) {
      r.call(command)();
    }
    QCOMPARE(r.prompter.log, QStringList({u"note Lista węzłów: Brak węzłów..."_s,
                                          u"note Lista elementów: Brak elementów..."_s,
                                          u"stop Lista wyników: Siatka nie została wygenerowana"_s}));
    QCOMPARE(r.model().SelectedNumber, 1);
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    r.triangle();
    r.model().ElementTable[3] = Element{3, 1, 4, 2};
    (void)AppendInternalNode(r.model(), InternalNode{0.1f, -2});
    r.model().meshNodeCount = 3;
    r.model().MeshNodeTable[3] = MeshNode{0.5f, 12345678901.0f};
    r.model().meshTriangleCount = 1;
    r.model().MeshTriangleTable[1] = MeshTriangle{1, 3, 2};
    QStringList seen;
    const auto read = [&seen](QDialog& d) {
      seen << ListText(d);  // shown, then activated again: nothing shows twice
      d.findChild<QPushButton*>(u"OK"_s)->click();
      return d.result();
    };
    r.prompter.dialogs = {read, read, read, read};
    for (auto command : {&ListCommands::listNodes, &ListCommands::listElements,
                         &ListCommands::listInternalNodes, &ListCommands::listMesh}) {
      r.call(command)();
    }
    QCOMPARE(seen,
             QStringList({u"Nr/20|x/90|y/90|1 0 0|2 10 0|3 0 10"_s,
                          u"1 - 1, 2, 1, 1|2 - 2, 3, 1, 1|3 - 3, 1, 4, 2"_s,
                          u"Nr/20|x/90|y/90|1 0,100000001490116 -2"_s,
                          u"Nr węzła, współrzędna x, współrzędna y|1 - 0,00000, 0,00000|2 - 0,00000, 0,00000|"
                          u"3 - 0,50000, 1,234567885E+10|Nr elementu, węzeł 1,2,3|1 - 1, 3, 2"_s}));
    QVERIFY(r.commands->lists().meshList().lines().isEmpty() &&
            r.commands->lists().elementList().lines().isEmpty());
  }

  // Every dialog and list window, as shown: its name, caption, and what is
  // visible in it, labels by their text and controls by their names.
  void dialogsShowTheirCaptionsLabelsAndControls() {
    Rig r;
    Commands& c = *r.commands;
    QStringList shown;
    for (QDialog* d : std::initializer_list<QDialog*>{
             &c.view().screenSettingsDialog(), &c.view().gridDialog(), &c.view().regionDialog(),
             &c.contours().ellipseDialog(), &c.nodes().nodeDialog(), &c.nodes().elementDialog(),
             &c.internalNodes().internalNodeDialog(), &c.lists().nodeList(), &c.lists().internalNodeList(),
             &c.lists().elementList(), &c.lists().meshList(), &c.lists().conditionList(),
             &c.lists().boundaryList(), &c.physics().conditionsDialog(), &c.physics().boundariesDialog(),
             &c.physics().problemDialog()}) {
      d->show();
      QStringList visible;
      for (QWidget* w : d->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(d) || w->objectName().startsWith("qt_"_L1)) continue;
        if (auto* label = qobject_cast<QLabel*>(w))
          visible << u'"' + label->text() + u'"';
        else if (auto* group = qobject_cast<QGroupBox*>(w))
          visible << u'[' + group->title() + u']';
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
          visible << w->objectName() + "=\""_L1 + button->text() + u'"';
        else if (!w->objectName().isEmpty())
          visible << w->objectName();
      }
      d->hide();
      shown << d->objectName() + u'\t' + d->windowTitle() + u'\t' + visible.join(u' ');
    }
    QStringList expected;
    for (const std::string& line : DataLines("dialogs.txt")) expected << QString::fromStdString(line);
    QCOMPARE(shown, expected);
  }
};

}  // namespace

QTEST_MAIN(ListCommandsTest)
#include "tst_list_commands.moc"
