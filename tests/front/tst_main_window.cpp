// The real main window, offscreen: its frame, its wiring and its picture.

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "ScriptedPrompter.h"
#include "app/Commands.h"
#include "app/MainWindow.h"
#include "app/PolishTranslation.h"
#include "view/Canvas.h"

namespace {

struct Menu {
  const char* title;
  std::vector<std::pair<const char*, const char*>> items;  // caption, shortcut ("-" separator)
};

class MainWindowTest : public QObject {
  Q_OBJECT

  ScriptedPrompter prompter;
  std::unique_ptr<MainWindow> window;

  QAction* action(const char* name) {
    QAction* a = window->findChild<QAction*>(QString::fromLatin1(name));
    if (a == nullptr) qWarning("no action %s", name);
    return a;
  }

 private slots:
  void init() {
    QLocale::setDefault(QLocale::c());
    prompter = ScriptedPrompter();
    window = std::make_unique<MainWindow>(&prompter);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
  }
  void cleanup() {
    prompter.answers = {true};
    window.reset();
  }

  void startsWithTheDefaultModelCaptionAndSize() {
    QCOMPARE(window->windowTitle(), QStringLiteral("Vendrel Korbel v1.0"));
    QCOMPARE(window->size(), QSize(640, 480));
    const Model& m = window->state().model;
    QCOMPARE(m.ProblemKind, 10);
    QCOMPARE(m.nodeCount, 0);
    QCOMPARE(m.boundaryCount, 1);
    QCOMPARE(m.bcCount, 1);
    QCOMPARE(m.BcTable[1].kind, 2.0f);
    QCOMPARE(window->statusText(0), QStringLiteral("x="));
    QCOMPARE(window->statusText(1), QStringLiteral("y="));
    const int widths[6] = {60, 60, 5, 150, 150, 150};
    for (int i = 0; i < 6; ++i) {
      QCOMPARE(window->findChild<QLabel*>(QStringLiteral("panel%1").arg(i))->width(), widths[i]);
    }
    // The drawing surface is the whole client area under the menu bar.
    QCOMPARE(window->canvas().height(), window->height() - window->menuBar()->height());
    QCOMPARE(window->findChild<QWidget*>(QStringLiteral("toolbarPanel"))->height(), 26);
  }

  void menusCarryTheirCaptionsAndShortcuts() {
    const std::vector<Menu> menus = {
        {"&Plik",
         {{"&Nowy", ""},
          {"&Otwórz", "Ctrl+O"},
          {"Zapisz &jako", ""},
          {"-", ""},
          {"&Eksportuj do ...", "Ctrl+E"},
          {"-", ""},
          {"&Koniec", "Ctrl+X"}}},
        {"&Dodaj",
         {{"&Linie łamaną", "Ctrl+L"},
          {"&Elipsę", ""},
          {"-", ""},
          {"&Węzeł", ""},
          {"&Element", ""},
          {"Wę&zeł wewnętrzny", ""}}},
        {"&Zmień",
         {{"Własności &elementu", ""}, {"Współrzędne &węzła", ""}, {"Współ. wę&zła wewnętrznego", ""}}},
        {"&Usuń",
         {{"&Węzeł", ""},
          {"&Element", ""},
          {"Wę&zeł wewnętrzny", ""},
          {"Wszystkie węzły wew&nętrzne", ""},
          {"-", ""},
          {"&Podwójne węzły", ""}}},
        {"&Listy", {{"&Węzłów", ""}, {"&Elementów", ""}, {"Wę&złów wewnętrznych", ""}}},
        {"&Generacja siatki", {{"&GENERUJ", "Ctrl+G"}, {"Lista &wyników", ""}}},
        {"&Widok",
         {{"Ustawienia &ekranu", "Ctrl+J"},
          {"&Siatka", ""},
          {"&Obszar", ""},
          {"&Pokaż wszystko", ""},
          {"Siatka &MES", "Ctrl+M"}}},
        {"&Pomoc", {{"&Pomoc", ""}, {"-", ""}, {"&O programie...", ""}}},
    };
    const QList<QAction*> bar = window->menuBar()->actions();
    QCOMPARE(bar.size(), qsizetype(menus.size()));
    for (size_t i = 0; i < menus.size(); ++i) {
      QCOMPARE(bar[i]->text(), QString::fromUtf8(menus[i].title));
      const QList<QAction*> items = bar[i]->menu()->actions();
      QCOMPARE(items.size(), qsizetype(menus[i].items.size()));
      for (qsizetype k = 0; k < items.size(); ++k) {
        const auto& [caption, shortcut] = menus[i].items[size_t(k)];
        if (QLatin1String(caption) == QLatin1String("-")) {
          QVERIFY(items[k]->isSeparator());
          continue;
        }
        QCOMPARE(items[k]->text(), QString::fromUtf8(caption));
        QCOMPARE(items[k]->shortcut().toString(), QString::fromLatin1(shortcut));
        QVERIFY(!items[k]->objectName().isEmpty());
      }
    }
    QVERIFY(action("SMES")->isCheckable());
    QVERIFY(action("SMES")->isChecked());
    QCOMPARE(window->popupMenu().actions().size(), 2);
    QCOMPARE(window->popupMenu().actions()[0]->text(), QStringLiteral("Wstaw wę&zeł wewnętrzny"));
    QCOMPARE(window->polylineMenu().actions()[1]->text(), QStringLiteral("Zamknij linie łamaną"));
  }

  void toolbarButtonsStandInOrderWithTheirHints() {
    const std::vector<std::pair<const char*, const char*>> want = {
        {"NowyB", "Nowy projekt"},
        {"OtworzB", "Otwórz plik"},
        {"ZapiszB", "Zapisz plik"},
        {"SpeedButton1", "Linia łamana"},
        {"SpeedButton2", "Okrąg"},
        {"ZoomPlB", "Powiększenie fragmentu ekranu"},
        {"ZoomMiB", "Pomniejszenie fragmentu ekranu"},
        {"PanLeft", "Przesuń zawartość ekranu"},
        {"PanDown", "Przesuń zawartość ekranu"},
        {"panUp", "Przesuń zawartość ekranu"},
        {"PanRight", "Przesuń zawartość ekranu"},
        {"SolveB", "Oblicz"},
        {"ListawynB", "Lista wyników"}};
    QList<QToolButton*> buttons =
        window->findChild<QWidget*>(QStringLiteral("toolbarPanel"))->findChildren<QToolButton*>();
    std::sort(buttons.begin(), buttons.end(), [](auto* a, auto* b) { return a->x() < b->x(); });
    QCOMPARE(buttons.size(), qsizetype(want.size()));
    for (size_t i = 0; i < want.size(); ++i) {
      QCOMPARE(buttons[i]->objectName(), QString::fromLatin1(want[i].first));
      QCOMPARE(buttons[i]->toolTip(), QString::fromUtf8(want[i].second));
      QCOMPARE(buttons[i]->size(), QSize(20, 20));
      QVERIFY(!buttons[i]->icon().isNull());
    }
    QVERIFY(buttons[3]->x() - buttons[2]->x() > buttons[1]->x() - buttons[0]->x());  // a gap between groups
    buttons[5]->click();
    QCOMPARE(window->state().view.viewXMin, 2.0f);
  }

  void actionsRunTheRealCommands() {
    prompter.answers = {true};
    window->state().model.nodeCount = 0;
    action("actionNew")->trigger();
    QCOMPARE(window->state().model.ProblemKind, 1);
    QCOMPARE(window->windowTitle(), QStringLiteral("Vendrel Korbel v1.0"));
    action("actionSaveAs")->trigger();
    QCOMPARE(prompter.messages().back().text, QStringLiteral("Ilość węzłów równa 0"));
    action("SMES")->trigger();
    QVERIFY2(!action("SMES")->isChecked(), "no mesh: the item is unticked");
  }

  void endOfWorkAsksFirst() {
    prompter.answers = {false};
    action("actionExit")->trigger();
    QVERIFY(window->isVisible());
    prompter.answers = {false};
    window->close();
    QVERIFY(window->isVisible());
    prompter.answers = {true};
    window->close();
    QVERIFY(!window->isVisible());
    QCOMPARE(prompter.shown.back().text, QStringLiteral("Zakończyć działanie programu ?"));
  }

  void mouseMoveUpdatesTheReadOut() {
    Canvas& canvas = window->canvas();
    QTest::mouseMove(&canvas, QPoint(10, canvas.height() - 40));
    QTRY_COMPARE(window->statusText(0), QStringLiteral("x=0"));
    QCOMPARE(window->statusText(1), QStringLiteral("y=0"));
  }

  void pictureShowsNodesElementsAndGrid() {
    Model& m = window->state().model;
    (void)AppendNode(m, Node{10, 10});
    (void)AppendNode(m, Node{30, 10});
    (void)AppendElement(m, Element{1, 2, 1, 1});
    Canvas& canvas = window->canvas();
    canvas.invalidateScene();
    canvas.repaint();
    const QImage& image = canvas.picture();
    const ViewTransform& v = window->state().view;
    const auto at = [&](double x, double y) { return ModelToScreen(v, canvas.height(), x, y); };
    const ScreenPoint node = at(10, 10);
    QCOMPARE(image.pixelColor(node.x - 2, node.y - 2), QColor(128, 0, 0));  // the node disc
    const ScreenPoint mid = at(20, 10);
    QCOMPARE(image.pixelColor(mid.x, mid.y), QColor(0, 0, 255));
    const ScreenPoint dot = at(40, 40);
    QCOMPARE(image.pixelColor(dot.x - 1, dot.y - 1), QColor(128, 128, 128));
    QCOMPARE(image.pixelColor(dot.x + 3, dot.y + 3), QColor(255, 255, 255));
  }

  void gridLimitMessageComesOnceAfterThePaint() {
    window->state().view.gridDx = 0.01f;
    window->state().view.gridDy = 0.01f;
    window->canvas().invalidateScene();
    window->canvas().repaint();
    QCOMPARE(window->state().view.gridShown, 0);
    QTRY_COMPARE(prompter.messages().size(), size_t(1));
    QCOMPARE(prompter.messages()[0].text, QStringLiteral("Błędne ustawienia siatki !"));
    window->canvas().invalidateScene();
    window->canvas().repaint();
    QTest::qWait(20);
    QCOMPARE(prompter.messages().size(), size_t(1));
    QCOMPARE(window->canvas().scene().gridDots, 0);
  }

  void standardButtonsSpeakPolish() {
    QVERIFY(InstallPolishTranslation());
    QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Tak"));
    QCOMPARE(box.button(QMessageBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("Nie"));
    QCOMPARE(box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Anuluj"));
  }

  void aTinyWindowDoesNotFail() {
    window->resize(1, 1);
    window->canvas().invalidateScene();
    window->canvas().repaint();
    window->canvas().resize(0, 0);
    window->canvas().invalidateScene();
    window->canvas().repaint();
    QVERIFY(window->isVisible());
  }
};

}  // namespace

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
