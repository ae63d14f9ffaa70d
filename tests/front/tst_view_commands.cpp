// "Widok" and "Pomoc" under a scripted prompter: zoom, the mesh tick, the
// screen, grid and region dialogs, and the focus order of the dialogs.

#include <QPushButton>
#include <QSignalSpy>

#include "CommandsTestKit.h"
#include "front/boundary/BoundaryDialogs.h"
#include "front/edit/EditDialogs.h"
#include "front/edit/EllipseDialog.h"
#include "front/view/ViewDialogs.h"

namespace {

class ViewCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QLocale::setDefault(QLocale::c()); }

  void viewCommandsMeshTickAndAbout() {
    Rig r;
    r.view().viewXMax = 6;  // zoom in stops at four grid steps
    r.commands->view().zoomIn();
    r.commands->view().showAll();
    QCOMPARE(r.repaints->count(), 1);
    (void)AppendNode(r.model(), Node{5.3f, 7.9f});
    r.commands->view().showAll();
    QCOMPARE(r.repaints->count(), 2);

    QSignalSpy ticks(&r.commands->context(), &CommandContext::meshShownChanged);
    r.commands->view().toggleMeshShown();
    QVERIFY(!r.state->meshShown);
    QCOMPARE(ticks.last().at(0).toBool(), false);
    QCOMPARE(r.repaints->count(), 2);
    r.model().meshTriangleCount = 1;
    QVERIFY(!r.state->meshShown);
    r.commands->view().toggleMeshShown();
    QVERIFY(r.state->meshShown);
    r.commands->view().toggleMeshShown();
    QVERIFY(!r.state->meshShown);
    QCOMPARE(r.repaints->count(), 4);

    r.prompter.log.clear();
    r.commands->help().about();
    QVERIFY(r.prompter.log.last().startsWith(u"plain O programie...: Vendrel korbel v1.0\n"_s));
    r.view().viewXMax = 6;
    r.commands->view().zoomIn();
    QCOMPARE(r.prompter.log.last(),
             u"plain Vendrel Korbel: Zmień gęstość siatki aby powiększyć bardziej..."_s);
  }

  void screenSettingsShowTheCurrentValuesAndApplySwitchesEvenWithARefusedSpacing() {
    Rig r;
    r.view().gridDx = 0.5f;
    r.state->display.showElementNumbers = 1;
    r.view().gridShown = 0;
    QStringList seen;  // the text and the switches nodes, element numbers, grid
    r.withDialog(&ViewCommands::screenSettings, [&seen](QDialog& d) {
      seen << Text(d, "Edit1")
           << QString::number(Checked(d, "wezly") + 2 * Checked(d, "nrelem") + 4 * Checked(d, "siat"));
      return int(QDialog::Rejected);
    });
    QCOMPARE(seen, QStringList({u"0.5"_s, u"3"_s}));
    QCOMPARE(r.prompter.log, QStringList({u"dialog Ustawienia ekranu: T_ustaw"_s}));
    r.withDialog(&ViewCommands::screenSettings, PressButton(u"OK"_s, [](QDialog& d) {
      Check(d, "wezly", false);
      Check(d, "nrwezly", true);
      Check(d, "siat", true);
      SetText(d, "Edit1", u"0"_s);
      SetText(d, "Edit2", u"3"_s);
    }));
    QCOMPARE(r.prompter.messages(),
             QStringList({u"stop Ustawienia ekranu: Błędnie podano parametry siatki"_s}));
    QCOMPARE(std::vector({r.view().gridDx, r.view().gridDy}), std::vector({0.5f, 2.0f}));
    QCOMPARE(std::vector({r.state->display.showNodes, r.state->display.showNodeNumbers, r.view().gridShown}),
             std::vector({0, 1, 1}));
    QCOMPARE(r.repaints->count(), 2);
  }

  void screenSettingsTakeGoodSpacingsAndCancelRestoresAll() {
    Rig r;
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    r.withDialog(&ViewCommands::screenSettings, Type("OK", {{"Edit1", u"2,5"_s}, {"Edit2", u"1e-1"_s}}));
    QCOMPARE(std::vector({r.view().gridDx, r.view().gridDy}), std::vector({2.5f, 0.1f}));
    // OK pressed inside the script and then cancelled: the command restores.
    r.withDialog(&ViewCommands::screenSettings, PressButton(u"Anuluj"_s, [](QDialog& d) {
      Check(d, "elem", false);
      SetText(d, "Edit1", u"7"_s);
      d.findChild<QPushButton*>(u"OK"_s)->click();
    }));
    QCOMPARE(r.view().gridDx, 2.5f);
    QCOMPARE(r.state->display.showElements, 1);
  }

  void gridDialogKeepsItsOwnTextAndRefusesBadSpacings() {
    Rig r;
    GridDialog& grid = r.commands->view().gridDialog();
    QCOMPARE(Text(grid, "Edit1"), u"2"_s);
    r.withDialog(&ViewCommands::gridSettings, Type("Button1", {{"Edit1", u"abc"_s}}));
    QCOMPARE(std::vector({Text(grid, "Edit1"), Text(grid, "Edit2")}),
             std::vector({u"2.0000E+00"_s, u"2.0000E+00"_s}));
    r.withDialog(&ViewCommands::gridSettings, Type("Button1", {{"Edit1", u"4"_s}, {"Edit2", u"-1"_s}}));
    QCOMPARE(r.prompter.messages(), QStringList(2, u"stop Ustawianie podzialki: Zła wartość podziałki"_s));
    QCOMPARE(std::vector({r.view().gridDx, r.view().gridDy}), std::vector({2.0f, 2.0f}));
    QCOMPARE(Text(grid, "Edit2"), u"-1"_s);
    r.view().gridDx = 8;  // a spacing set elsewhere does not reach the grid dialog's text
    QCOMPARE(Text(grid, "Edit1"), u"4"_s);
    r.withDialog(&ViewCommands::gridSettings, Type("Button1", {{"Edit1", u"3"_s}, {"Edit2", u"0.5"_s}}));
    QCOMPARE(std::vector({r.view().gridDx, r.view().gridDy}), std::vector({3.0f, 0.5f}));
    r.withDialog(&ViewCommands::gridSettings, PressButton(u"Button2"_s));
    QCOMPARE(r.repaints->count(), 4);  // after OK and after cancel alike
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    r.withDialog(&ViewCommands::gridSettings, Type("Button1", {{"Edit2", u"2.5"_s}}));
    QCOMPARE(Text(grid, "Edit1"), u"3,0000E+00"_s);
  }

  void regionDialogChecksTheCornersAndRepaintsOnlyOnOk() {
    Rig r;
    RegionDialog& region = r.commands->view().regionDialog();
    QCOMPARE(std::vector({Text(region, "Edit3"), Text(region, "Edit1")}),
             std::vector({u"0.00"_s, u"50.00"_s}));
    r.withDialog(&ViewCommands::regionSettings, Type("Button1", {{"Edit3", u"10"_s}, {"Edit1", u"10"_s}}));
    QCOMPARE(Text(region, "Edit3"), u"0.00"_s);
    QCOMPARE(std::vector({r.view().viewXMin, r.view().viewXMax}), std::vector({0.0f, 50.0f}));
    r.withDialog(&ViewCommands::regionSettings, Type("Button1", {{"Edit4", u"x"_s}}));
    QCOMPARE(Text(region, "Edit4"), u"0.00"_s);
    QCOMPARE(r.prompter.messages(),
             QStringList({u"stop Ustawianie obszaru: Złe wartości definiujące obszar"_s,
                          u"stop Ustawianie podzialki: Zła wartość podziałki"_s}));
    r.withDialog(&ViewCommands::regionSettings,
                 Type("Button1", {{"Edit3", u"-5"_s}, {"Edit4", u"123456.7"_s}, {"Edit2", u"200000"_s}}));
    QCOMPARE(std::vector({r.view().viewXMin, r.view().viewYMin}), std::vector({-5.0f, 123456.7f}));
    region.show();
    QCOMPARE(std::vector({Text(region, "Edit4"), Text(region, "Edit3")}),
             std::vector({u"1.2346E+05"_s, u"-5.00"_s}));
    region.hide();
    r.withDialog(&ViewCommands::regionSettings, PressButton(u"Button2"_s));
    QCOMPARE(r.repaints->count(), 3);
  }

  // "1e39" is a number, but not one that single precision can hold.
  void numbersPastSinglePrecisionAreNotNumbers() {
    Rig r;
    const std::tuple<std::function<void()>, const char*, const char*> cases[] = {
        {r.call(&ViewCommands::screenSettings), "OK", "Edit1"},
        {r.call(&ViewCommands::gridSettings), "Button1", "Edit2"},
        {r.call(&ViewCommands::regionSettings), "Button1", "Edit1"},
        {r.call(&ContourCommands::ellipse), "OK", "rr"},
    };
    for (const auto& [command, ok, field] : cases) r.withDialog(command, Type(ok, {{field, u"1e39"_s}}));
    QCOMPARE(r.prompter.messages(), QStringList({u"stop Ustawienia ekranu: Błędnie podano parametry siatki"_s,
                                                 u"stop Ustawianie podzialki: Zła wartość podziałki"_s,
                                                 u"stop Ustawianie podzialki: Zła wartość podziałki"_s}));
    QVERIFY(r.view() == ViewTransform{});
    QCOMPARE(r.model().nodeCount, 0);
  }

  // Shown for real: each dialog fills itself on showing and on activation.
  void dialogsFillThemselvesWhenShownAndActivated() {
    Rig r;
    r.view().gridDx = 0.25f;
    r.view().viewXMin = -7;
    ScreenSettingsDialog& screen = r.commands->view().screenSettingsDialog();
    RegionDialog& region = r.commands->view().regionDialog();
    screen.show();
    region.show();
    QCOMPARE(std::vector({Text(screen, "Edit1"), Text(region, "Edit3")}),
             std::vector({u"0.25"_s, u"-7.00"_s}));
    r.view().gridDx = 4;
    r.view().viewXMin = 3;
    for (QDialog* d : std::initializer_list<QDialog*>{&screen, &region}) {
      QEvent activate(QEvent::WindowActivate);
      QCoreApplication::sendEvent(d, &activate);
      d->hide();
    }
    QCOMPARE(std::vector({Text(screen, "Edit1"), Text(region, "Edit3")}), std::vector({u"4"_s, u"3.00"_s}));
    r.commands->view().gridDialog().show();
    QCOMPARE(Text(r.commands->view().gridDialog(), "Edit1"), u"2"_s);  // the grid dialog keeps its own text
    r.commands->view().gridDialog().hide();
  }

  // Tabbing runs through the controls, then OK and Anuluj; a dialog opens
  // with the focus on the first in that chain, so Return means OK.
  void dialogsTabThroughTheirControlsBeforeTheButtons() {
    Rig r;
    QStringList chains;
    for (QDialog* d : std::initializer_list<QDialog*>{
             &r.commands->view().screenSettingsDialog(), &r.commands->view().gridDialog(),
             &r.commands->view().regionDialog(), &r.commands->contours().ellipseDialog(),
             &r.commands->nodes().nodeDialog(), &r.commands->context().numberPrompt(),
             &r.commands->nodes().elementDialog(), &r.commands->internalNodes().internalNodeDialog()}) {
      QStringList chain;
      for (QWidget* w = d->nextInFocusChain(); w != d; w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus) chain << w->objectName();
      }
      chains << chain.join(' ');
    }
    QCOMPARE(chains,
             QStringList({u"wezly nrwezly elem nrelem wew Edit1 Edit2 siat OK Anuluj"_s,
                          u"Edit1 Edit2 Button1 Button2"_s, u"Edit3 Edit4 Edit1 Edit2 Button1 Button2"_s,
                          u"xx yy rr ry nnn OK Anuluj"_s, u"Edit1 xx yy OK Anuluj"_s, u"Edit1 OK Anuluj"_s,
                          u"numer poczatek koniec warunek brzeg OK Anuluj"_s, u"numer xx yy OK Anuluj"_s}));
  }
};

}  // namespace

QTEST_MAIN(ViewCommandsTest)
#include "tst_view_commands.moc"
