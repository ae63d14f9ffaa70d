// The real main window, offscreen: its frame, its wiring, its picture, and
// the polyline tool and the ellipse driven by real mouse events.

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTranslator>
#include <memory>

#include "ScriptedPrompter.h"
#include "TestData.h"
#include "core/TempDir.h"
#include "core/files/ExportFile.h"
#include "core/files/ProjectFile.h"
#include "core/files/SafeFile.h"
#include "core/view/Scene.h"
#include "front/app/MainWindow.h"
#include "front/app/PolishTranslation.h"
#include "front/app/QtPrompter.h"
#include "front/commands/Commands.h"
#include "front/lists/ListWindows.h"
#include "front/ui/FormDialog.h"
#include "front/view/Canvas.h"
#include "front/view/ScenePainter.h"

namespace {

class MainWindowTest : public QObject {
  Q_OBJECT

  ScriptedPrompter prompter;
  std::unique_ptr<MainWindow> window;

  Canvas& canvas() { return window->canvas(); }
  Model& model() { return window->state().model; }
  EditState& edit() { return window->state().edit; }
  QAction* action(const char* name) { return window->findChild<QAction*>(QLatin1String(name)); }
  void trigger(const char* name) { action(name)->trigger(); }
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

  void startsWithItsCaptionSizeAndPanels() {
    QCOMPARE(window->windowTitle(), u"Vendrel Korbel v1.0[*]"_s);  // "*" shows unsaved changes
    QVERIFY(!window->isWindowModified());
    QCOMPARE(window->size(), QSize(640, 480));
    QCOMPARE(window->statusText(0) + window->statusText(1), u"x=y="_s);
    const int widths[6] = {60, 60, 5, 150, 150, 150};
    for (int i = 0; i < 6; ++i) QCOMPARE(window->findChild<QLabel*>(u"panel%1"_s.arg(i))->width(), widths[i]);
    // The drawing surface is the whole client area under the menu bar.
    QCOMPARE(canvas().height(), window->height() - window->menuBar()->height());
    QCOMPARE(window->findChild<QWidget*>(u"toolbarPanel"_s)->height(), 26);
  }

  // Each menu, the two pop-ups and the toolbar as one line of
  // tests/data/menus.txt.
  void menusPopUpsAndToolbarCarryTheirTexts() {
    QStringList want;
    for (const std::string& line : DataLines("menus.txt")) want << QString::fromStdString(line);
    QStringList shown;
    const auto line = [&shown](const QString& caption, const QMenu* menu) {
      QString text = caption;
      for (QAction* item : menu->actions()) {
        text += u"|"_s + (item->isSeparator() ? u"-"_s : item->text());
        if (!item->shortcut().isEmpty()) text += u"\t"_s + item->shortcut().toString();
        QVERIFY(item->isSeparator() || !item->objectName().isEmpty());
      }
      shown << text;
    };
    for (QAction* menu : window->menuBar()->actions()) line(menu->text(), menu->menu());
    line(window->popupMenu().objectName(), &window->popupMenu());
    line(window->polylineMenu().objectName(), &window->polylineMenu());
    QList<QToolButton*> buttons =
        window->findChild<QWidget*>(u"toolbarPanel"_s)->findChildren<QToolButton*>();
    std::sort(buttons.begin(), buttons.end(), [](auto* a, auto* b) { return a->x() < b->x(); });
    shown << u"toolbar"_s;
    for (QToolButton* b : buttons) {
      shown.last() += u"|"_s + b->objectName() + u" "_s + b->toolTip();
      QVERIFY(b->size() == QSize(20, 20) && !b->icon().isNull());
    }
    QCOMPARE(shown, want);
    QVERIFY(action("SMES")->isCheckable() && action("SMES")->isChecked());
    QVERIFY(buttons[3]->x() - buttons[2]->x() > buttons[1]->x() - buttons[0]->x());  // a gap between groups
    buttons[6]->click();                                                             // ZoomPlB
    QCOMPARE(window->state().view.viewXMin, 2.0f);
  }

  // The program's own progress indicator: before it shows, Escape cancels
  // and other input is dropped, not left to act later; once shown, a click
  // on "Anuluj" still waiting in the queue when the work ends still cancels.
  void progressTakesEscapeDropsOtherInputAndALateCancel() {
    QtPrompter qt(window.get());
    std::unique_ptr<Progress> progress = qt.progress(u"Generacja siatki"_s, u"Trwa"_s);
    QTest::mouseClick(&canvas(), Qt::RightButton, {}, QPoint(50, 50));
    QTest::keyClick(window.get(), Qt::Key_Delete);
    progress->pump();
    QVERIFY(!window->popupMenu().isVisible() && prompter.log.isEmpty() && !progress->cancelled());
    QTest::keyClick(window.get(), Qt::Key_Escape);
    QVERIFY(progress->cancelled() && progress->finish());

    progress = qt.progress(u"Generacja siatki"_s, u"Trwa"_s);
    QTest::qWait(600);
    progress->pump();
    auto* dialog = window->findChild<QProgressDialog*>(u"postep"_s);
    QVERIFY(dialog != nullptr && dialog->isVisible());
    QPushButton* cancel = dialog->findChild<QPushButton*>();
    const QPoint at = cancel->rect().center();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QCoreApplication::postEvent(cancel, new QMouseEvent(type, at, cancel->mapToGlobal(at), Qt::LeftButton,
                                                          Qt::LeftButton, Qt::NoModifier));
    }
    QVERIFY(progress->finish());
    QVERIFY(window->findChild<QProgressDialog*>(u"postep"_s) == nullptr);
    // A click right after it closed (a double click's second) is dropped.
    QTest::mouseClick(&canvas(), Qt::RightButton, {}, QPoint(50, 50));
    QVERIFY(!window->popupMenu().isVisible());

    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(&canvas(), Qt::RightButton, {}, QPoint(200, 150));
    QTRY_VERIFY(window->popupMenu().isVisible());
    window->popupMenu().close();

    // While it shows, it blocks no window: a close of the main window from
    // the window manager still reaches the program.
    progress = qt.progress(u"Generacja siatki"_s, u"Trwa"_s);
    QTest::qWait(600);
    progress->pump();
    QVERIFY(window->findChild<QProgressDialog*>(u"postep"_s)->isVisible());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    // Enter and Space on its focused "Anuluj" do not cancel; Escape does.
    QPushButton* focused = window->findChild<QProgressDialog*>(u"postep"_s)->findChild<QPushButton*>();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) QTest::keyClick(focused, key);
    progress->pump();
    QVERIFY(!progress->cancelled());
    QTest::keyClick(focused, Qt::Key_Escape);
    QVERIFY(progress->cancelled());
    progress.reset();
    QTest::qWait(QApplication::doubleClickInterval() + 50);
  }

  void actionsRunTheRealCommandsAndTheEndAsksFirst() {
    prompter.answers = {true};
    trigger("actionNew");
    QCOMPARE(model().ProblemKind, 1);
    trigger("actionSaveAs");
    QCOMPARE(prompter.log.last(), u"stop Błąd zapisu: Ilość węzłów równa 0"_s);
    trigger("SMES");
    QVERIFY2(!action("SMES")->isChecked(), "no mesh: the item is unticked");

    // Closed while a generation runs: the generation ends at once, then the
    // question comes, and the window stays when it is answered No.
    MesherOptions& mesher = window->commands().mesh().mesherOptions();
    mesher.helperPath = FAKE_MESHER_PATH;
    mesher.extraArgs = {"hang"};
    mesher.timeLimit = std::chrono::minutes(10);
    prompter.log.clear();
    prompter.inputs = {u"10"_s};
    prompter.answers = {false};
    prompter.onPump = [this](int pump) {
      if (pump == 2) window->close();
    };
    for (const Node& n : {Node{0, 0}, Node{10, 0}, Node{0, 10}}) (void)AppendNode(model(), n);
    for (int32_t i = 1; i <= 3; ++i) (void)AppendElement(model(), Element{i, i % 3 + 1, 1, 1});
    trigger("actionGenerate");
    QCOMPARE(prompter.log.size(), 1);
    QTRY_COMPARE(prompter.log.size(), 2);
    QCOMPARE(prompter.log.last(), u"ask Zakończenie pracy programu: Zakończyć działanie programu ?"_s);
    QVERIFY(window->isVisible() && model().meshTriangleCount == 0);
    prompter.onPump = nullptr;

    prompter.answers = {false, false};
    trigger("actionExit");
    window->close();
    QVERIFY(window->isVisible());
    prompter.answers = {true};
    window->close();
    QVERIFY(!window->isVisible());
    QCOMPARE(prompter.log.last(), u"ask Zakończenie pracy programu: Zakończyć działanie programu ?"_s);
  }

  void pictureShowsNodesElementsAndGridAndTheReadOutFollowsTheMouse() {
    (void)AppendNode(model(), Node{10, 10});
    (void)AppendNode(model(), Node{30, 10});
    (void)AppendElement(model(), Element{1, 2, 1, 1});
    repaintNow();
    const QImage& image = canvas().picture();
    QCOMPARE(image.pixelColor(pixel(10, 10) - QPoint(2, 2)), QColor(128, 0, 0));  // the node disc
    QCOMPARE(image.pixelColor(pixel(20, 10)), QColor(0, 0, 255));
    QCOMPARE(image.pixelColor(pixel(40, 40) - QPoint(1, 1)), QColor(128, 128, 128));
    QCOMPARE(image.pixelColor(pixel(40, 40) + QPoint(3, 3)), QColor(255, 255, 255));
    QTest::mouseMove(&canvas(), pixel(0, 0));
    QTRY_COMPARE(window->statusText(0), u"x=0"_s);
    QCOMPARE(window->statusText(1), u"y=0"_s);
  }

  // The painter batches lines, drops repeated ones and stores boxes, dots
  // and numbers as pixels: the picture must be the one that drawing each
  // primitive with its own call gives, straight into an image or through
  // a clip (where nothing is stored directly).
  void batchedPaintingKeepsThePixelsOfOneCallAtATime() {
    Model& m = model();
    for (int i = 0; i < 12; ++i) (void)AppendNode(m, Node{float(i * 5 - 4), float(i % 2 ? 52 : 3)});
    for (int e = 1; e < 12; ++e) (void)AppendElement(m, Element{e, e + 1, 1, 1});
    (void)AppendInternalNode(m, InternalNode{20, 20});
    m.meshNodeCount = 12 * 9;  // a grid of 12 by 9 nodes running off the right edge
    for (int i = 0; i < m.meshNodeCount; ++i)
      m.MeshNodeTable[i + 1] = MeshNode{30.0f + i % 12 * 3.7f, i / 12 * 5.3f};
    for (int cell = 0; cell < 11 * 8; ++cell) {
      const int a = cell / 11 * 12 + cell % 11 + 1, b = a + 1, c = a + 12, d = c + 1;
      m.MeshTriangleTable[++m.meshTriangleCount] = MeshTriangle{a, b, d};
      m.MeshTriangleTable[++m.meshTriangleCount] = MeshTriangle{a, d, c};
    }
    DisplaySettings display;
    display.showNodeNumbers = display.showElementNumbers = 1;
    ViewTransform view;
    view.gridDx = view.gridDy = 1.3f;
    Scene scene;
    BuildScene(m, view, display, true, 400, 300, scene);
    // Qt draws this wide line through the edge differently each way.
    const Primitive line{Shape::Line, 2, colors::kBlue, colors::kBlack, colors::kBlack, -15, -31, 193,
                         357,         0};
    Primitive back = line;
    std::swap(back.x1, back.x2);
    std::swap(back.y1, back.y2);
    scene.items.insert(scene.items.end(), {back, line, back});
    QCOMPARE_GT(scene.gridDots, 1000);
    for (bool clipped : {false, true}) {
      QImage shown(400, 300, QImage::Format_RGB32), expected(400, 300, QImage::Format_RGB32);
      QPainter painter(&shown);
      if (clipped) painter.setClipRect(0, 0, 400, 300);
      PaintScene(painter, scene.items, ProgramFont());
      painter.end();
      painter.begin(&expected);
      painter.setFont(ProgramFont());
      painter.setRenderHint(QPainter::TextAntialiasing, false);
      const QFontMetrics metrics(ProgramFont());
      const auto colour = [](Rgb c) { return QColor(c.r, c.g, c.b); };
      for (const Primitive& p : scene.items) {
        painter.setPen(QPen(colour(p.pen), p.penWidth));
        painter.setBrush(colour(p.brush));
        const QRect box(QPoint(p.x1, p.y1), QPoint(p.x2 - 1, p.y2 - 1));
        if (p.shape == Shape::Text) {
          const QString text = QString::number(p.number);
          painter.fillRect(QRect(p.x1, p.y1, metrics.horizontalAdvance(text), metrics.height()),
                           colour(p.brush));
          painter.setPen(colour(p.text));
          painter.drawText(p.x1, p.y1 + metrics.ascent(), text);
        } else if (p.shape == Shape::Line) {
          painter.drawLine(p.x1, p.y1, p.x2, p.y2);
        } else if (p.shape == Shape::FillRect || box.width() <= 2) {
          painter.fillRect(p.shape == Shape::FillRect ? box : QRect(p.x1, p.y1, 2, 2), colour(p.brush));
        } else {
          painter.drawEllipse(QRect(p.x1, p.y1, p.x2 - p.x1 - 1, p.y2 - p.y1 - 1));
        }
      }
      painter.end();
      int differing = 0;
      for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) differing += shown.pixel(x, y) != expected.pixel(x, y);
      QCOMPARE(differing, 0);
    }
  }

  // Ctrl+Z and Ctrl+Shift+Z (or Ctrl+Y) walk the history from the
  // keyboard; the items name their step and rest when there is none. A
  // model check draws what it found in red until the model next changes.
  void undoFromTheKeyboardAndFindingsInRed() {
    QCOMPARE(std::pair(action("actionUndo")->isEnabled(), action("actionRedo")->text()),
             std::pair(false, u"&Ponów"_s));
    // The caption's marker follows the history: "-" saved or new, "*" changed.
    QString marks;
    const auto mark = [&] { marks += window->isWindowModified() ? u'*' : u'-'; };
    (void)AppendInternalNode(model(), InternalNode{5, 5});
    prompter.answers = {true};
    trigger("actionDeleteAllInternalNodes");
    mark();
    QCOMPARE(action("actionUndo")->text(), u"&Cofnij: usunięcie wszystkich węzłów wewnętrznych"_s);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    mark();
    QCOMPARE(model().internalNodeCount, 1);
    QCOMPARE(std::pair(action("actionUndo")->isEnabled(), action("actionRedo")->isEnabled()),
             std::pair(false, true));
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    mark();
    QCOMPARE(model().internalNodeCount, 0);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(model().internalNodeCount, 0);
    const QTemporaryDir dir;
    prompter.fileNames = {dir.filePath(u"p.vdk"_s)};
    (void)AppendNode(model(), Node{1, 1});
    trigger("actionSaveAs");
    mark();
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    mark();
    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    trigger("actionShowAll");
    trigger("actionCheckModel");
    mark();
    prompter.answers = {true};
    (void)AppendInternalNode(model(), InternalNode{5, 5});
    trigger("actionDeleteAllInternalNodes");
    mark();
    prompter.answers = {true};
    trigger("actionNew");
    mark();
    QCOMPARE(marks, u"*-*-*-*-"_s);

    for (const Node& n : {Node{10, 10}, Node{30, 30}, Node{30, 10}, Node{10, 30}})
      (void)AppendNode(model(), n);
    for (int32_t i = 1; i <= 4; ++i) (void)AppendElement(model(), Element{i, i % 4 + 1, 1, 1});
    trigger("actionCheckModel");
    // The bow tie meshes: its crossing is a note, not an error.
    QCOMPARE(prompter.messages().last(),
             u"plain Sprawdź model: Nie znaleziono błędów, które przeszkodziłyby w generacji siatki.\n\n"
             u"Uwagi (nie przeszkadzają w generacji siatki):\nElementy 1 i 3 przecinają się."_s);
    repaintNow();
    const QPoint onElement = pixel(20, 20);
    QCOMPARE(canvas().picture().pixelColor(onElement), QColor(255, 0, 0));
    prompter.answers = {true};
    (void)AppendInternalNode(model(), InternalNode{5, 5});
    trigger("actionDeleteAllInternalNodes");
    repaintNow();
    QCOMPARE(canvas().picture().pixelColor(onElement), QColor(0, 0, 255));  // the element as it always is
    model().elementCount = 0;
    trigger("actionCheckModel");
    QCOMPARE(prompter.messages().last(), u"plain Sprawdź model: Nie znaleziono błędów"_s);
  }

  void gridLimitMessageComesOnceAfterThePaint() {
    window->state().view.gridDx = window->state().view.gridDy = 0.01f;
    repaintNow();
    QCOMPARE(window->state().view.gridShown, 0);
    QTRY_COMPARE(prompter.messages(),
                 QStringList({u"plain Bład przy odświeżaniu ekranu...: Błędne ustawienia siatki !"_s}));
    repaintNow();
    QTest::qWait(20);
    QCOMPARE(prompter.messages().size(), 1);
    QCOMPARE(canvas().scene().gridDots, 0);
  }

  void standardButtonsSpeakPolishAndATinyWindowDoesNotFail() {
    QVERIFY(InstallPolishTranslation());
    QMessageBox box(QMessageBox::Question, u"t"_s, u"?"_s,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QStringList texts;
    for (auto b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
      texts << box.button(b)->text().remove('&');
    QCOMPARE(texts, QStringList({u"Tak"_s, u"Nie"_s, u"Anuluj"_s}));
    window->resize(1, 1);
    repaintNow();
    canvas().resize(0, 0);
    repaintNow();
    QVERIFY(window->isVisible());
  }

  // Clicks snap to the grid and drive the status panels; the pop-up's items
  // reach their commands (what they do to the model is tested in the core).
  void clicksSnapAndThePopUpItemsRemoveAndClose() {
    window->findChild<QToolButton*>(u"SpeedButton1"_s)->click();
    QCOMPARE(edit().editMode, EditMode::Polyline);
    QCOMPARE(window->statusText(3), u"Wskaż pierwszy punkt myszką"_s);
    click(pixel(10, 10) + QPoint(2, -1));  // a pixel or two off the grid points
    QCOMPARE(window->statusText(3), u"Wskaż pierwszy punkt myszką"_s);
    click(pixel(30, 10) + QPoint(-2, 2));
    QCOMPARE(window->statusText(3), u"Wskaż kolejne punkty myszką"_s);
    QCOMPARE(window->statusText(4), u"Ostatni pkt: 30, 10"_s);
    trigger("actionClosePolyline");  // one element: nothing is asked
    click(pixel(20, 20));
    prompter.answers = {false};
    trigger("actionClosePolyline");
    QCOMPARE(edit().editMode, EditMode::Polyline);
    QTest::mouseMove(&canvas(), pixel(30, 30));
    QCOMPARE(edit().rubberBand.drawn, 1);
    trigger("actionRemoveLastPoint");
    QCOMPARE(model().nodeCount, 2);
    click(pixel(10, 30));
    QCOMPARE(std::vector({model().NodeTable[1].x, model().NodeTable[1].y, model().NodeTable[3].y}),
             std::vector({10.0f, 10.0f, 30.0f}));
    prompter.answers = {true};
    trigger("actionClosePolyline");
    QCOMPARE(model().elementCount, 3);
    QCOMPARE(edit().editMode, EditMode::Idle);
    QCOMPARE(window->statusText(3), u" "_s);
    trigger("actionPolyline");
    prompter.answers = {true};
    trigger("actionClosePolyline");
    QCOMPARE(prompter.log, QStringList(3, u"ask Linia łamana: Zamknąć linie łamaną ?"_s)
                               << u"stop Linia łamana: Nie można zamknąć lini łąmanej "_s);
  }

  // A surface no higher than its margins has no room to draw, and a click
  // there would map to infinity. Idle, or with another button, nothing.
  void clicksThatStoreNothing() {
    click(pixel(10, 10));
    QTest::mouseClick(&canvas(), Qt::MiddleButton, {}, pixel(10, 10));
    window->resize(640, window->height() - canvas().height() + 60);
    QTRY_COMPARE(canvas().height(), 60);
    repaintNow();
    trigger("actionPolyline");
    click(QPoint(100, 30));
    QCOMPARE(model().nodeCount, 0);
    window->resize(640, 480);
    QTRY_VERIFY(canvas().height() > 100);
    repaintNow();
    while (AppendNode(model(), Node{1, 1}) != 0) {
    }
    click(pixel(10, 10));
    QCOMPARE(prompter.log, QStringList({u"stop Linia łamana: Osiągnięto największą liczbę węzłów (299)"_s}));
  }

  void rightClickOpensThePopUpOfTheModeAndRecordsThePoint() {
    click(QPoint(200, 150), Qt::RightButton);
    QTRY_VERIFY(window->popupMenu().isVisible());
    QVERIFY(!window->polylineMenu().isVisible());
    QCOMPARE(QPoint(edit().PopupClickPoint.x, edit().PopupClickPoint.y), QPoint(200, 150));
    QCOMPARE(window->popupMenu().pos(), canvas().mapToGlobal(QPoint(200, 140)));
    window->popupMenu().close();

    trigger("actionPolyline");
    click(QPoint(120, 90), Qt::RightButton);
    QTRY_VERIFY(window->polylineMenu().isVisible());
    QVERIFY(!window->popupMenu().isVisible());
    QCOMPARE(QPoint(edit().PopupClickPoint.x, edit().PopupClickPoint.y), QPoint(120, 90));
    window->polylineMenu().close();
    QCOMPARE(model().nodeCount, 0);
  }

  void rubberBandFollowsTheCursorAndEndsWithThePolyline() {
    trigger("actionPolyline");
    QTest::mouseMove(&canvas(), pixel(30, 30));
    QCOMPARE(edit().rubberBand.drawn, 0);  // no first point yet
    click(pixel(10, 10));
    const QPoint from = pixel(10, 10);
    const QImage marked = canvas().shownImage();
    QCOMPARE(marked.pixelColor(from + QPoint(-3, -3)), QColor(128, 0, 0));  // the new node's square
    QCOMPARE(marked.pixelColor(from + QPoint(2, 2)), QColor(128, 0, 0));

    QTest::mouseMove(&canvas(), from + QPoint(120, 0));
    QCOMPARE(edit().rubberBand.drawn, 1);
    // The band is what the shown image has over the kept picture.
    const auto bandPixels = [this](QPoint a, QPoint step) {
      const QImage shown = canvas().shownImage();
      int n = 0;
      for (int i = 0; i < 100; ++i) {
        const QPoint p = a + step * i;
        if (shown.pixelColor(p) == canvas().picture().pixelColor(p)) continue;
        if (shown.pixelColor(p) != QColor(128, 128, 128)) return -1;
        ++n;
      }
      return n;
    };
    const int dots = bandPixels(from + QPoint(10, 0), QPoint(1, 0));
    QVERIFY2(dots > 20 && dots < 90, "a dotted grey line along the band");
    // Moving on leaves no trail.
    QTest::mouseMove(&canvas(), from + QPoint(0, -120));
    QCOMPARE(bandPixels(from + QPoint(10, 0), QPoint(1, 0)), 0);
    QVERIFY(bandPixels(from + QPoint(0, -10), QPoint(0, -1)) > 20);
    // A full repaint keeps the band where it was and drops the square.
    repaintNow();
    const QImage shown = canvas().shownImage();
    QCOMPARE(shown.pixelColor(from + QPoint(-3, -3)), QColor(255, 255, 255));
    QCOMPARE(shown.pixelColor(from + QPoint(0, 1)), QColor(128, 0, 0));  // the node's disc
    QVERIFY(bandPixels(from + QPoint(0, -10), QPoint(0, -1)) > 20);
    // A new element is drawn at once in black, then repainted in blue.
    click(pixel(30, 10));
    QCOMPARE(canvas().shownImage().pixelColor(pixel(20, 10)), QColor(0, 0, 0));
    repaintNow();
    QCOMPARE(canvas().shownImage().pixelColor(pixel(20, 10)), QColor(0, 0, 255));
    trigger("actionEndPolyline");
    QCOMPARE(edit().editMode, EditMode::Idle);
    repaintNow();
    QCOMPARE(bandPixels(from + QPoint(0, -10), QPoint(0, -1)), 0);
  }

  // The typical road through the window: open a plate with an elliptic inner
  // boundary, place its hole point from the pop-up, mesh it, read the mesh
  // list, export it three ways, save it, open it again and list the model.
  // A plate made without a text editor: heat conduction, 100 °C on the
  // left edge, convection to 20 °C at α = 25 on the right, an insulated
  // hole on an inner boundary. Saved, it equals the golden file; it opens
  // again to the same model, meshes, and shows its conditions in colour.
  void thePhysicsOfAPlateMadeInTheWindow() {
    const auto pick = [](QDialog& d, const char* box, int index) {
      d.findChild<QComboBox*>(QLatin1String(box))->setCurrentIndex(index);
    };
    const auto type = [](QDialog& d, const char* field, const QString& text) {
      d.findChild<QLineEdit*>(QLatin1String(field))->setText(text);
    };
    const auto press = [](QDialog& d, const char* button) {
      d.findChild<QPushButton*>(QLatin1String(button))->click();
    };
    prompter.dialogs = {[&](QDialog& d) {
      pick(d, "zadanie", 0);
      type(d, "wlasnosc1", u"45"_s);
      press(d, "OK");
      return d.result();
    }};
    prompter.answers = {true};  // condition 1 reads differently in heat conduction: asked, and confirmed
    trigger("actionProblem");
    prompter.dialogs = {[&](QDialog& d) {
      pick(d, "rodzaj", 0);  // temperatura
      type(d, "w1", u"100"_s);
      press(d, "dodaj");
      pick(d, "rodzaj", 2);  // konwekcja
      type(d, "w1", u"25"_s);
      type(d, "w2", u"20"_s);
      press(d, "dodaj");
      press(d, "OK");
      return d.result();
    }};
    trigger("actionConditions");
    prompter.dialogs = {[&](QDialog& d) {
      pick(d, "rodzaj", 1);  // wewnętrzny
      press(d, "dodaj");
      press(d, "OK");
      return d.result();
    }};
    trigger("actionBoundaries");

    trigger("actionPolyline");
    for (const QPoint p : {pixel(10, 10), pixel(40, 10), pixel(40, 40), pixel(10, 40)}) click(p);
    prompter.answers = {true};
    trigger("actionClosePolyline");
    window->findChild<QComboBox*>(u"biezacyBrzeg"_s)->activated(1);  // boundary 2 from here on
    prompter.dialogs = {[&](QDialog& d) {
      type(d, "xx", u"25"_s), type(d, "yy", u"25"_s), type(d, "rr", u"5"_s), type(d, "ry", u"5"_s);
      type(d, "nnn", u"12"_s);
      press(d, "OK");
      return d.result();
    }};
    trigger("actionEllipse");
    prompter.dialogs = {[&](QDialog& d) {
      type(d, "xx", u"25"_s), type(d, "yy", u"25"_s);
      press(d, "OK");
      return d.result();
    }};
    trigger("actionAddInternalNode");

    // The left edge by a click, the right one by a click, the bottom added
    // and taken away again with Ctrl, the ring by a rectangle.
    trigger("actionSelect");
    const auto assign = [&](const char* command, const QString& number) {
      prompter.inputs = {number};
      trigger(command);
    };
    click(pixel(10, 25));
    assign("actionAssignCondition", u"2"_s);
    click(pixel(40, 25));
    QTest::mouseClick(&canvas(), Qt::LeftButton, Qt::ControlModifier, pixel(25, 10));
    QCOMPARE(window->state().selection, std::vector<int32_t>({1, 2}));
    QTest::mouseClick(&canvas(), Qt::LeftButton, Qt::ControlModifier, pixel(25, 10));
    assign("actionAssignCondition", u"3"_s);
    QTest::mousePress(&canvas(), Qt::LeftButton, {}, pixel(18, 32));
    QTest::mouseMove(&canvas(), pixel(25, 25));
    QTest::mouseRelease(&canvas(), Qt::LeftButton, {}, pixel(32, 18));
    QCOMPARE(window->state().selection.size(), size_t(12));
    assign("actionAssignBoundary", u"2"_s);
    QCOMPARE(action("actionUndo")->text(), u"&Cofnij: przypisanie warunku 3"_s);  // the ring had boundary 2

    const QTemporaryDir dir;
    const QString path = dir.filePath(u"plyta.vdk"_s);
    prompter.fileNames = {path};
    trigger("actionSaveAs");
    QCOMPARE(QString::fromStdString(ReadFileBytes(path.toStdString())),
             QString::fromStdString(ReadFileBytes(TestData("physics.vdk"))));
    const std::string saved = FormatProjectFile(model());
    prompter.answers = {true};
    prompter.fileNames = {path};
    trigger("actionOpen");
    QCOMPARE(FormatProjectFile(model()), saved);
    prompter.inputs = {u"5"_s};
    trigger("actionGenerate");
    QVERIFY(model().meshTriangleCount > 0);

    trigger("actionConditionColours");
    repaintNow();
    const QLabel* legend = canvas().findChild<QLabel*>(u"legenda"_s);
    QVERIFY(legend->isVisible() && legend->text().contains(u"nr 2, temperatura: T [°C] = 100"_s));
    trigger("SMES");  // the mesh hidden, the edges show their colours
    repaintNow();
    const auto colour = [](int32_t k) {
      const Rgb c = ConditionColour(k);
      return QColor(c.r, c.g, c.b);
    };
    QCOMPARE(canvas().picture().pixelColor(pixel(10, 20)), colour(2));
    QCOMPARE(canvas().picture().pixelColor(pixel(40, 20)), colour(3));
    // The triangles in their material's colour under the hidden mesh, none
    // in the hole; the legend names the material after the conditions.
    trigger("actionMaterialColours");
    repaintNow();
    QVERIFY(action("actionMaterialColours")->isChecked());
    QVERIFY(legend->text().contains(u"temperatura: T [°C] = 100"_s) &&
            legend->text().contains(u"materiał 0: materiał projektu, λ "_s));
    const Rgb grey = MaterialColour(0);
    QCOMPARE(canvas().picture().pixelColor(pixel(13.3, 17.7)), QColor(grey.r, grey.g, grey.b));
    QVERIFY(canvas().picture().pixelColor(pixel(25.3, 24.6)) != QColor(grey.r, grey.g, grey.b));
    trigger("actionMaterialColours");
    repaintNow();
    QVERIFY(!legend->text().contains(u"materiał"_s));
    QVERIFY(canvas().picture().pixelColor(pixel(13.3, 17.7)) != QColor(grey.r, grey.g, grey.b));

    // 99 conditions, each on an element: the legend still fits the 640 × 480
    // window, and a click on it reaches the drawing under it.
    while (model().bcCount < kMaxConditions) (void)AppendCondition(model(), BoundaryCondition{1, 5});
    while (model().elementCount < kMaxConditions) (void)AppendElement(model(), Element{1, 2, 1, 1});
    for (int32_t e = 1; e <= kMaxConditions; ++e) model().ElementTable[e].bcNumber = e;
    window->resize(640, 480);
    trigger("actionConditionColours");
    trigger("actionConditionColours");
    QTRY_VERIFY(legend->isVisible());
    QVERIFY2(canvas().rect().contains(legend->geometry()), qPrintable(QStringLiteral("%1×%2 at %3,%4")
                                                                          .arg(legend->width())
                                                                          .arg(legend->height())
                                                                          .arg(legend->x())
                                                                          .arg(legend->y())));
    QVERIFY(legend->text().contains(u"</span> 99</td>"_s));             // the numbers alone, in columns
    QVERIFY(canvas().childAt(legend->geometry().center()) == nullptr);  // mouse events pass it by
  }

  void theWholeRoad() {
    QTemporaryDir dir;
    const auto file = [&dir](const char* name) { return dir.filePath(QLatin1String(name)); };
    prompter.answers = {true};
    prompter.fileNames = {QString::fromStdString(TestData("plate.vdk"))};
    trigger("actionOpen");
    repaintNow();

    click(pixel(10, 10), Qt::RightButton);
    QTRY_VERIFY(window->popupMenu().isVisible());
    prompter.answers = {true};
    trigger("actionInsertInternalNode");
    window->popupMenu().close();

    prompter.inputs = {u"2"_s};
    trigger("actionGenerate");
    QStringList meshLines;
    prompter.dialogs = {[&meshLines](QDialog& d) {
      meshLines = ListText(d).split('|');
      return int(QDialog::Accepted);
    }};
    trigger("actionMeshList");
    const Model& m = model();
    QCOMPARE(meshLines.size(), 2 + m.meshNodeCount + m.meshTriangleCount);
    QCOMPARE(meshLines.mid(1, 6).join('|'),
             u"1 - 0.00000, 0.00000|2 - 20.00000, 0.00000|3 - 20.00000, 20.00000|"
             u"4 - 0.00000, 20.00000|5 - 14.00000, 10.00000|6 - 13.46413, 8.50004"_s);

    prompter.fileNames = {file("p.m2d"), file("p.ulx"), file("p.n2d"), file("p.vdk")};
    for (int i = 0; i < 3; ++i) trigger("actionExport");
    for (const std::string name : {"p.m2d", "p.ulx", "p.n2d"}) {  // each in the layout its name gives
      const std::vector<uint8_t> bytes = EncodeExport(m, LayoutForName(name));
      QVERIFY(ReadFileBytes(file(name.c_str()).toStdString()) == std::string(bytes.begin(), bytes.end()));
    }
    trigger("actionSaveAs");
    const std::string saved = FormatProjectFile(m);
    prompter.answers = {true};
    prompter.fileNames = {file("p.vdk")};
    trigger("actionOpen");
    QCOMPARE(FormatProjectFile(m), saved);

    QStringList lists;
    const auto read = [&lists](QDialog& d) {
      lists << ListText(d);
      return int(QDialog::Accepted);
    };
    prompter.dialogs = {read, read, read};
    for (const char* list : {"actionListNodes", "actionListElements", "actionListInternalNodes"})
      trigger(list);
    // The node grid: three header cells, then rows; node 5 is the ellipse's first.
    QCOMPARE(lists[0].split('|').mid(6, 2), QStringList({u"4 0 20"_s, u"5 14 10"_s}));
    QCOMPARE(std::pair(lists[0].count('|'), lists[1].count('|')), std::pair(qsizetype(18), qsizetype(15)));
    QCOMPARE(lists[1].split('|').last() + u" / "_s + lists[2],
             u"16 - 16, 5, 1, 2 / Nr/20|x/90|y/90|1 10 10"_s);
    QCOMPARE(prompter.messages(),
             QStringList({u"note Odczyt z pliku: Odczytano dane z pliku "_s +
                              QString::fromStdString(TestData("plate.vdk")),
                          u"note Generacja siatki: Generacja siatki powiodła się"_s,
                          u"plain Eksport do MES 2D KORBELA: Plik wyeksportowano poprawnie"_s,
                          u"plain Eksport do MES 2D KORBELA NIELINIOWA: Plik wyeksportowano poprawnie"_s,
                          u"note Zapis do pliku: Zapisano dane do pliku "_s + file("p.vdk"),
                          u"note Odczyt z pliku: Odczytano dane z pliku "_s + file("p.vdk")}));
  }

  // In English the menu bar still fits the window, and no two menus, nor two
  // items of one menu or pop-up, share an accelerator.
  void englishMenusFitAndKeepTheirAcceleratorsApart() {
    QTranslator english;
    QVERIFY(english.load(u":/i18n/vendrel_en.qm"_s));
    QCoreApplication::installTranslator(&english);
    MainWindow w(&prompter);
    QCoreApplication::removeTranslator(&english);
    QCOMPARE(w.menuBar()->actions().first()->text(), u"&File"_s);
    QVERIFY(w.menuBar()->sizeHint().width() <= 640);
    const auto sharedKey = [](const QList<QAction*>& items) {
      QString seen;
      for (QAction* a : items) {
        const qsizetype at = a->text().indexOf(u'&');
        if (at < 0) continue;
        const QChar key = a->text().at(at + 1).toLower();
        if (seen.contains(key)) return a->text();
        seen += key;
      }
      return QString();
    };
    QCOMPARE(sharedKey(w.menuBar()->actions()), QString());
    for (QAction* menu : w.menuBar()->actions()) QCOMPARE(sharedKey(menu->menu()->actions()), QString());
    for (QMenu* popup : {&w.popupMenu(), &w.polylineMenu()}) QCOMPARE(sharedKey(popup->actions()), QString());
  }
};

}  // namespace

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
