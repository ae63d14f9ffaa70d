// Polylines and ellipses under a scripted prompter: the rubber band's
// area and the ellipse dialog.

#include <QSignalSpy>

#include "CommandsTestKit.h"
#include "front/edit/EllipseDialog.h"

namespace {

class ContourCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QLocale::setDefault(QLocale::c()); }

  // A band from a node far off the surface: its area still covers the cursor.
  void overlayAreaOfAFarBandCoversTheCursor() {
    Rig r;
    QSignalSpy areas(&r.commands->context(), &CommandContext::overlayChanged);
    r.view().scale = 10;
    r.commands->contours().startPolyline();
    r.commands->contours().mouseDown(Qt::LeftButton, 50, 50, 436);
    r.model().NodeTable[1] = Node{3e38f, 3e38f};
    for (const QPoint cursor : {QPoint(100, 100), QPoint(200, 300)}) {
      r.commands->contours().cursorMoved(cursor.x(), cursor.y(), 436);
      QVERIFY(areas.last().at(0).toRect().contains(cursor));
    }
  }

  // The ellipse dialog reads its fields in order and quietly creates
  // nothing from a field that is not a number; the fields keep their text.
  void ellipseDialogAddsARingOrNothing() {
    Rig r;
    r.withDialog(&ContourCommands::ellipse, PressButton(u"OK"_s));
    QCOMPARE(r.prompter.log, QStringList({u"dialog Parametry elipsy: Tokrag_"_s}));
    QCOMPARE(std::pair(r.model().nodeCount, r.model().NodeTable[1].x), std::pair(18, 10.0f));
    for (const auto& [field, text] :
         {std::pair{"nnn", u"4"_s}, {"rr", u"0"_s}, {"rr", u"10"_s}, {"yy", u"a"_s}}) {
      r.withDialog(&ContourCommands::ellipse, Type("OK", {{field, text}}));
    }
    r.withDialog(&ContourCommands::ellipse, PressButton(u"Anuluj"_s));
    QCOMPARE(r.model().nodeCount, 18 + 4 + 4);  // n 4 made a ring, and again once rr was 10
    QVERIFY(r.prompter.messages().empty());
    QCOMPARE(Text(r.commands->contours().ellipseDialog(), "yy") +
                 Text(r.commands->contours().ellipseDialog(), "nnn"),
             u"a4"_s);
    while (AppendNode(r.model(), Node{}) != 0) {
    }
    r.withDialog(&ContourCommands::ellipse, Type("OK", {{"yy", u"0"_s}}));
    QCOMPARE(r.model().elementCount, 18 + 4 + 4);
    QCOMPARE(r.prompter.messages(),
             QStringList({u"stop Parametry elipsy: Osiągnięto największą liczbę węzłów (299)"_s}));
  }
};

}  // namespace

QTEST_MAIN(ContourCommandsTest)
#include "tst_contour_commands.moc"
