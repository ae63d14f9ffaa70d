// The polyline tool and the ellipse in the real window, with real mouse
// events sent to the drawing surface offscreen.

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "ScriptedPrompter.h"
#include "app/Commands.h"
#include "app/MainWindow.h"
#include "edit/EllipseDialog.h"
#include "view/Canvas.h"

namespace {

class PolylineTest : public QObject {
  Q_OBJECT

  ScriptedPrompter prompter;
  std::unique_ptr<MainWindow> window;

  Canvas& canvas() { return window->canvas(); }
  Model& model() { return window->state().model; }
  EditState& edit() { return window->state().edit; }
  void trigger(const char* name) { window->findChild<QAction*>(QString::fromLatin1(name))->trigger(); }
  QPoint pixel(double x, double y) {
    const ScreenPoint p = ModelToScreen(window->state().view, canvas().height(), x, y);
    return {p.x, p.y};
  }
  void click(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(&canvas(), button, {}, at);
  }
  void repaintNow() {
    canvas().invalidateScene();
    canvas().repaint();
  }

 private slots:
  void init() {
    QLocale::setDefault(QLocale::c());
    prompter = ScriptedPrompter();
    window = std::make_unique<MainWindow>(&prompter);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    repaintNow();
  }
  void cleanup() {
    prompter.answers = {true};
    window.reset();
  }

  // Clicks snap to the grid and drive the status panels; the pop-up's items
  // reach their commands (what they do to the model is tested in the core).
  void clicksSnapAndThePopUpItemsRemoveAndClose() {
    trigger("actionPolyline");
    QCOMPARE(edit().editMode, EditMode::Polyline);
    QCOMPARE(window->statusText(3), QStringLiteral("Wskaż pierwszy punkt myszką"));
    click(pixel(10, 10) + QPoint(2, -1));  // a pixel or two off the grid points
    QCOMPARE(window->statusText(3), QStringLiteral("Wskaż pierwszy punkt myszką"));
    click(pixel(30, 10) + QPoint(-2, 2));
    QCOMPARE(window->statusText(3), QStringLiteral("Wskaż kolejne punkty myszką"));
    QCOMPARE(window->statusText(4), QStringLiteral("Ostatni pkt: 30, 10"));
    click(pixel(20, 20));
    trigger("actionRemoveLastPoint");
    QCOMPARE(model().nodeCount, 2);
    click(pixel(10, 30));
    QCOMPARE(model().NodeTable[1].x, 10.0f);
    QCOMPARE(model().NodeTable[1].y, 10.0f);
    QCOMPARE(model().NodeTable[3].y, 30.0f);

    prompter.answers = {true};
    trigger("actionClosePolyline");
    QCOMPARE(prompter.shown.back().text, QStringLiteral("Zamknąć linie łamaną ?"));
    QCOMPARE(prompter.shown.back().title, QStringLiteral("Linia łamana"));
    QCOMPARE(model().elementCount, 3);
    QCOMPARE(edit().editMode, EditMode::Idle);
    QCOMPARE(window->statusText(3), QStringLiteral(" "));
    trigger("actionPolyline");
    prompter.answers = {true};
    trigger("actionClosePolyline");
    QCOMPARE(prompter.messages().back().text, QStringLiteral("Nie można zamknąć lini łąmanej "));
    QCOMPARE(int(prompter.messages().back().icon), int(MessageIcon::Stop));
  }

  // A surface no higher than its margins has no room to draw, and a click
  // there would map to infinity.
  void noClickIsStoredWithoutRoomToDraw() {
    window->resize(640, window->height() - canvas().height() + 60);
    QTRY_COMPARE(canvas().height(), 60);
    repaintNow();
    trigger("actionPolyline");
    click(QPoint(100, 30));
    QCOMPARE(model().nodeCount, 0);
  }

  void closeAnsweredNoKeepsTheToolAndOneElementAsksNothing() {
    window->findChild<QToolButton*>(QStringLiteral("SpeedButton1"))->click();
    click(pixel(10, 10));
    click(pixel(20, 10));
    trigger("actionClosePolyline");
    QVERIFY(prompter.shown.empty());
    click(pixel(20, 20));
    prompter.answers = {false};
    trigger("actionClosePolyline");
    QCOMPARE(model().elementCount, 2);
    QCOMPARE(edit().editMode, EditMode::Polyline);
    QTest::mouseMove(&canvas(), pixel(30, 30));
    QVERIFY(edit().rubberBand.drawn == 1);
  }

  void leftClickWhenIdleChangesNothing() {
    click(pixel(10, 10));
    QTest::mouseClick(&canvas(), Qt::MiddleButton, {}, pixel(10, 10));
    QCOMPARE(model().nodeCount, 0);
  }

  void rightClickOpensThePopUpOfTheModeAndRecordsThePoint() {
    const QPoint at(200, 150);
    click(at, Qt::RightButton);
    QTRY_VERIFY(window->popupMenu().isVisible());
    QVERIFY(!window->polylineMenu().isVisible());
    QCOMPARE(edit().PopupClickPoint.x, 200);
    QCOMPARE(edit().PopupClickPoint.y, 150);
    QCOMPARE(window->popupMenu().pos(), canvas().mapToGlobal(QPoint(200, 140)));
    window->popupMenu().close();

    trigger("actionPolyline");
    click(QPoint(120, 90), Qt::RightButton);
    QTRY_VERIFY(window->polylineMenu().isVisible());
    QVERIFY(!window->popupMenu().isVisible());
    QCOMPARE(edit().PopupClickPoint.x, 120);
    QCOMPARE(edit().PopupClickPoint.y, 90);
    window->polylineMenu().close();
    QCOMPARE(model().nodeCount, 0);
  }

  void rubberBandFollowsTheCursorAndEndsWithThePolyline() {
    trigger("actionPolyline");
    QTest::mouseMove(&canvas(), pixel(30, 30));
    QCOMPARE(edit().rubberBand.drawn, 0);  // no first point yet
    click(pixel(10, 10));
    const QPoint from = pixel(10, 10);
    QImage marked = canvas().shownImage();
    QCOMPARE(marked.pixelColor(from + QPoint(-3, -3)), QColor(128, 0, 0));  // the new node's square
    QCOMPARE(marked.pixelColor(from + QPoint(2, 2)), QColor(128, 0, 0));

    QTest::mouseMove(&canvas(), from + QPoint(120, 0));
    QCOMPARE(edit().rubberBand.drawn, 1);
    // The band is what the shown image has over the kept picture.
    const auto bandPixels = [this](QPoint a, QPoint step, int count) {
      const QImage shown = canvas().shownImage();
      int n = 0;
      for (int i = 0; i < count; ++i) {
        const QPoint p = a + step * i;
        if (shown.pixelColor(p) != canvas().picture().pixelColor(p)) {
          if (shown.pixelColor(p) != QColor(128, 128, 128)) return -1;
          ++n;
        }
      }
      return n;
    };
    const int dots = bandPixels(from + QPoint(10, 0), QPoint(1, 0), 100);
    QVERIFY2(dots > 20 && dots < 90, "a dotted grey line along the band");
    // Moving on leaves no trail.
    QTest::mouseMove(&canvas(), from + QPoint(0, -120));
    QCOMPARE(bandPixels(from + QPoint(10, 0), QPoint(1, 0), 100), 0);
    QVERIFY(bandPixels(from + QPoint(0, -10), QPoint(0, -1), 100) > 20);
    // A full repaint keeps the band where it was and drops the square.
    repaintNow();
    const QImage shown = canvas().shownImage();
    QCOMPARE(shown.pixelColor(from + QPoint(-3, -3)), QColor(255, 255, 255));
    QCOMPARE(shown.pixelColor(from + QPoint(0, 1)), QColor(128, 0, 0));  // the node's disc
    QVERIFY(bandPixels(from + QPoint(0, -10), QPoint(0, -1), 100) > 20);
    trigger("actionEndPolyline");
    QCOMPARE(edit().editMode, EditMode::Idle);
    repaintNow();
    QCOMPARE(bandPixels(from + QPoint(0, -10), QPoint(0, -1), 100), 0);
  }

  void newElementAppearsAtOnceAsABlackLine() {
    trigger("actionPolyline");
    click(pixel(10, 10));
    click(pixel(30, 10));
    const QPoint mid = (pixel(10, 10) + pixel(30, 10)) / 2;
    QCOMPARE(canvas().shownImage().pixelColor(mid), QColor(0, 0, 0));
    repaintNow();
    QCOMPARE(canvas().shownImage().pixelColor(mid), QColor(0, 0, 255));
  }

  void fullTablesRefuseAClickWithAMessage() {
    while (AppendNode(model(), Node{1, 1}) != 0) {
    }
    trigger("actionPolyline");
    click(pixel(10, 10));
    QCOMPARE(model().nodeCount, kMaxNodes);
    QCOMPARE(prompter.messages().size(), size_t(1));
    QCOMPARE(prompter.messages()[0].title, QStringLiteral("Linia łamana"));
    QCOMPARE(int(prompter.messages()[0].icon), int(MessageIcon::Stop));
  }

  void ellipseDialogAddsARingOrNothing() {
    EllipseDialog& dialog = window->commands().ellipseDialog();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Parametry elipsy"));
    prompter.dialogs = {PressButton(QStringLiteral("OK"))};
    trigger("actionEllipse");
    QCOMPARE(model().nodeCount, 18);
    QCOMPARE(model().elementCount, 18);
    QCOMPARE(model().NodeTable[1].x, 10.0f);
    QCOMPARE(model().ElementTable[18].endNode, 1);

    const auto typed = [](const char* field, const char* text) {
      return PressButton(QStringLiteral("OK"), [=](QDialog& d) {
        d.findChild<QLineEdit*>(QString::fromLatin1(field))->setText(QString::fromLatin1(text));
      });
    };
    prompter.dialogs = {typed("nnn", "2"), typed("nnn", "4"), typed("rr", "0"),
                        typed("rr", "10"), typed("yy", "a"),  PressButton(QStringLiteral("Anuluj"))};
    for (int i = 0; i < 6; ++i) trigger("actionEllipse");
    QCOMPARE(model().nodeCount, 18 + 4 + 4);  // n 4 made a ring, and again once rr was 10
    QVERIFY(prompter.messages().empty());
    // The fields keep what was typed last.
    QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("yy"))->text(), QStringLiteral("a"));
    QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("nnn"))->text(), QStringLiteral("4"));

    while (AppendNode(model(), Node{}) != 0) {
    }
    const int32_t elements = model().elementCount;
    prompter.dialogs = {typed("yy", "0")};
    trigger("actionEllipse");
    QCOMPARE(model().elementCount, elements);
    QCOMPARE(prompter.messages().size(), size_t(1));
    QCOMPARE(prompter.messages()[0].title, QStringLiteral("Parametry elipsy"));
  }
};

}  // namespace

QTEST_MAIN(PolylineTest)
#include "tst_polyline.moc"
