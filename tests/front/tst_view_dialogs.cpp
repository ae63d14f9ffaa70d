// The three view dialogs, driven through their commands.

#include <QCheckBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "CommandsRig.h"
#include "state/AppState.h"
#include "app/Commands.h"
#include "ui/LocaleNumbers.h"
#include "view/ViewDialogs.h"

namespace {

using Rig = CommandsRig;

void SetText(QDialog& d, const char* field, const QString& text) {
  d.findChild<QLineEdit*>(QString::fromLatin1(field))->setText(text);
}
QString Text(QDialog& d, const char* field) {
  return d.findChild<QLineEdit*>(QString::fromLatin1(field))->text();
}
void Check(QDialog& d, const char* box, bool on) {
  d.findChild<QCheckBox*>(QString::fromLatin1(box))->setChecked(on);
}

class ViewDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QLocale::setDefault(QLocale::c()); }

  void screenSettingsShowTheCurrentValues() {
    Rig r;
    r.state->view.gridDx = 0.5f;
    r.state->display.showElementNumbers = 1;
    r.state->view.gridShown = 0;
    QString dx;
    bool numbers = false, grid = true;
    r.prompter.dialogs = {[&](QDialog& d) {
      static_cast<ScreenSettingsDialog&>(d).refresh();
      dx = Text(d, "Edit1");
      numbers = d.findChild<QCheckBox*>(QStringLiteral("nrelem"))->isChecked();
      grid = d.findChild<QCheckBox*>(QStringLiteral("siat"))->isChecked();
      return int(QDialog::Rejected);
    }};
    r.commands->screenSettings();
    QCOMPARE(dx, QStringLiteral("0.5"));
    QVERIFY(numbers);
    QVERIFY(!grid);
    QCOMPARE(r.prompter.shown[0].title, QStringLiteral("Ustawienia ekranu"));
    QCOMPARE(r.repaints->count(), 1);
  }

  void screenSettingsApplySwitchesEvenWhenTheSpacingIsRefused() {
    Rig r;
    r.prompter.dialogs = {PressButton(QStringLiteral("OK"), [](QDialog& d) {
      static_cast<ScreenSettingsDialog&>(d).refresh();
      Check(d, "wezly", false);
      Check(d, "nrwezly", true);
      Check(d, "siat", false);
      SetText(d, "Edit1", QStringLiteral("0"));
      SetText(d, "Edit2", QStringLiteral("3"));
    })};
    r.commands->screenSettings();
    QCOMPARE(r.prompter.messages().size(), size_t(1));
    QCOMPARE(r.prompter.messages()[0].text, QStringLiteral("Błędnie podano parametry siatki"));
    QCOMPARE(r.prompter.messages()[0].title, QStringLiteral("Ustawienia ekranu"));
    QCOMPARE(int(r.prompter.messages()[0].icon), int(MessageIcon::Stop));
    QCOMPARE(r.state->view.gridDx, 2.0f);
    QCOMPARE(r.state->view.gridDy, 2.0f);
    QCOMPARE(r.state->display.showNodes, 0);
    QCOMPARE(r.state->display.showNodeNumbers, 1);
    QCOMPARE(r.state->view.gridShown, 0);
    QCOMPARE(r.repaints->count(), 1);
  }

  void screenSettingsTakeGoodSpacingsAndCancelRestoresAll() {
    Rig r;
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    r.prompter.dialogs = {PressButton(QStringLiteral("OK"),
                                      [](QDialog& d) {
                                        static_cast<ScreenSettingsDialog&>(d).refresh();
                                        SetText(d, "Edit1", QStringLiteral("2,5"));
                                        SetText(d, "Edit2", QStringLiteral("1e-1"));
                                      }),
                          PressButton(QStringLiteral("Anuluj"), [](QDialog& d) {
                            static_cast<ScreenSettingsDialog&>(d).refresh();
                            Check(d, "elem", false);
                            SetText(d, "Edit1", QStringLiteral("7"));
                            d.findChild<QPushButton*>(QStringLiteral("OK"))->click();
                          })};
    r.commands->screenSettings();
    QCOMPARE(r.state->view.gridDx, 2.5f);
    QCOMPARE(r.state->view.gridDy, 0.1f);
    // OK pressed inside the script and then cancelled: the command restores.
    r.commands->screenSettings();
    QCOMPARE(r.state->view.gridDx, 2.5f);
  }

  void gridDialogKeepsItsOwnTextAndRefusesBadSpacings() {
    Rig r;
    GridDialog& grid = r.commands->gridDialog();
    QCOMPARE(Text(grid, "Edit1"), QStringLiteral("2"));
    QCOMPARE(grid.windowTitle(), QStringLiteral("Ustawienia siatki"));

    r.prompter.dialogs = {PressButton(QStringLiteral("Button1"),
                                      [](QDialog& d) { SetText(d, "Edit1", QStringLiteral("abc")); })};
    r.commands->gridSettings();
    QCOMPARE(r.prompter.messages().back().text, QStringLiteral("Zła wartość podziałki"));
    QCOMPARE(r.prompter.messages().back().title, QStringLiteral("Ustawianie podzialki"));
    QCOMPARE(Text(grid, "Edit1"), QStringLiteral("2.0000E+00"));
    QCOMPARE(Text(grid, "Edit2"), QStringLiteral("2.0000E+00"));
    QCOMPARE(r.state->view.gridDx, 2.0f);

    r.prompter.dialogs = {PressButton(QStringLiteral("Button1"), [](QDialog& d) {
      SetText(d, "Edit1", QStringLiteral("4"));
      SetText(d, "Edit2", QStringLiteral("-1"));
    })};
    r.commands->gridSettings();
    QCOMPARE(r.prompter.messages().size(), size_t(2));
    QCOMPARE(r.state->view.gridDx, 2.0f);
    QCOMPARE(r.state->view.gridDy, 2.0f);
    QCOMPARE(Text(grid, "Edit2"), QStringLiteral("-1"));

    // A spacing set elsewhere does not reach the grid dialog's text.
    r.state->view.gridDx = 8;
    QCOMPARE(Text(grid, "Edit1"), QStringLiteral("4"));

    r.prompter.dialogs = {PressButton(QStringLiteral("Button1"), [](QDialog& d) {
      SetText(d, "Edit1", QStringLiteral("3"));
      SetText(d, "Edit2", QStringLiteral("0.5"));
    })};
    r.commands->gridSettings();
    QCOMPARE(r.state->view.gridDx, 3.0f);
    QCOMPARE(r.state->view.gridDy, 0.5f);
    r.prompter.dialogs = {PressButton(QStringLiteral("Button2"))};
    r.commands->gridSettings();
    QCOMPARE(r.repaints->count(), 4);  // after OK and after cancel alike
  }

  void gridDialogWritesExponentFormInThePolishLocale() {
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    Rig r;
    r.prompter.dialogs = {PressButton(QStringLiteral("Button1"),
                                      [](QDialog& d) { SetText(d, "Edit2", QStringLiteral("2.5")); })};
    r.commands->gridSettings();
    QCOMPARE(Text(r.commands->gridDialog(), "Edit1"), QStringLiteral("2,0000E+00"));
  }

  void regionDialogChecksTheCornersAndRepaintsOnlyOnOk() {
    Rig r;
    RegionDialog& region = r.commands->regionDialog();
    region.refresh();
    QCOMPARE(Text(region, "Edit3"), QStringLiteral("0.00"));
    QCOMPARE(Text(region, "Edit1"), QStringLiteral("50.00"));
    QCOMPARE(region.windowTitle(), QStringLiteral("Ustawienia obszaru"));

    r.prompter.dialogs = {PressButton(QStringLiteral("Button1"), [](QDialog& d) {
      SetText(d, "Edit3", QStringLiteral("10"));
      SetText(d, "Edit1", QStringLiteral("10"));
    })};
    r.commands->regionSettings();
    QCOMPARE(r.prompter.messages().back().text, QStringLiteral("Złe wartości definiujące obszar"));
    QCOMPARE(r.prompter.messages().back().title, QStringLiteral("Ustawianie obszaru"));
    QCOMPARE(Text(region, "Edit3"), QStringLiteral("0.00"));
    QCOMPARE(r.state->view.viewXMin, 0.0f);
    QCOMPARE(r.state->view.viewXMax, 50.0f);

    r.prompter.dialogs = {
        PressButton(QStringLiteral("Button1"), [](QDialog& d) { SetText(d, "Edit4", QStringLiteral("x")); })};
    r.commands->regionSettings();
    QCOMPARE(r.prompter.messages().back().text, QStringLiteral("Zła wartość podziałki"));
    QCOMPARE(Text(region, "Edit4"), QStringLiteral("0.00"));

    r.prompter.dialogs = {PressButton(QStringLiteral("Button1"), [](QDialog& d) {
      SetText(d, "Edit3", QStringLiteral("-5"));
      SetText(d, "Edit4", QStringLiteral("123456.7"));
      SetText(d, "Edit2", QStringLiteral("200000"));
    })};
    r.commands->regionSettings();
    QCOMPARE(r.state->view.viewXMin, -5.0f);
    QCOMPARE(r.state->view.viewYMin, 123456.7f);
    region.refresh();
    QCOMPARE(Text(region, "Edit4"), QStringLiteral("1.2346E+05"));
    QCOMPARE(Text(region, "Edit3"), QStringLiteral("-5.00"));
    const int repaints = r.repaints->count();
    r.prompter.dialogs = {PressButton(QStringLiteral("Button2"))};
    r.commands->regionSettings();
    QCOMPARE(r.repaints->count(), repaints);
    QCOMPARE(repaints, 3);
  }

  // "1e39" is a number, but not one that single precision can hold.
  void numbersPastSinglePrecisionAreNotNumbers() {
    Rig r;
    const struct {
      void (Commands::*command)();
      const char* ok;
      const char* field;
      const char* message;
    } cases[] = {
        {&Commands::screenSettings, "OK", "Edit1", "Błędnie podano parametry siatki"},
        {&Commands::gridSettings, "Button1", "Edit2", "Zła wartość podziałki"},
        {&Commands::regionSettings, "Button1", "Edit1", "Zła wartość podziałki"},
        {&Commands::ellipse, "OK", "rr", nullptr},
    };
    for (const auto& c : cases) {
      r.prompter.shown.clear();
      r.prompter.dialogs = {PressButton(QString::fromLatin1(c.ok), [&c](QDialog& d) {
        static_cast<FormDialog&>(d).refresh();
        SetText(d, c.field, QStringLiteral("1e39"));
      })};
      (r.commands.get()->*c.command)();
      QCOMPARE(r.prompter.messages().size(), size_t(c.message ? 1 : 0));
      if (c.message) QCOMPARE(r.prompter.messages()[0].text, QString::fromUtf8(c.message));
    }
    QVERIFY(r.state->view == ViewTransform{});
    QCOMPARE(r.model().nodeCount, 0);
  }

  // Shown for real: each dialog fills itself on showing and on activation.
  void dialogsFillThemselvesWhenShownAndActivated() {
    Rig r;
    r.state->view.gridDx = 0.25f;
    r.state->view.viewXMin = -7;
    ScreenSettingsDialog& screen = r.commands->screenSettingsDialog();
    RegionDialog& region = r.commands->regionDialog();
    screen.show();
    region.show();
    QCOMPARE(Text(screen, "Edit1"), QStringLiteral("0.25"));
    QCOMPARE(Text(region, "Edit3"), QStringLiteral("-7.00"));
    r.state->view.gridDx = 4;
    r.state->view.viewXMin = 3;
    for (QDialog* d : {static_cast<QDialog*>(&screen), static_cast<QDialog*>(&region)}) {
      QEvent activate(QEvent::WindowActivate);
      QCoreApplication::sendEvent(d, &activate);
      d->hide();
    }
    QCOMPARE(Text(screen, "Edit1"), QStringLiteral("4"));
    QCOMPARE(Text(region, "Edit3"), QStringLiteral("3.00"));
    GridDialog& grid = r.commands->gridDialog();
    grid.show();
    QCOMPARE(Text(grid, "Edit1"), QStringLiteral("2"));  // the grid dialog keeps its own text
    grid.hide();
  }

  void generalTextIsFixedFromTenToTheMinusFiveToBelowTenToTheFifteen_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << QStringLiteral("0");
    QTest::newRow("lower edge") << 0.00001 << QStringLiteral("0,00001");
    QTest::newRow("inside") << 0.00005 << QStringLiteral("0,00005");
    QTest::newRow("negative") << -0.000123 << QStringLiteral("-0,000123");
    QTest::newRow("below") << 0.0000099 << QStringLiteral("9,9E-06");
    QTest::newRow("rounds up into range") << 0.0000099999999999999999 << QStringLiteral("0,00001");
    QTest::newRow("f32 of 0.1") << double(0.1f) << QStringLiteral("0,100000001490116");
    QTest::newRow("upper edge") << 999999999999999.0 << QStringLiteral("999999999999999");
    QTest::newRow("above") << 1e15 << QStringLiteral("1E+15");
    QTest::newRow("rounds up out of range") << 999999999999999.9 << QStringLiteral("1E+15");
  }
  void generalTextIsFixedFromTenToTheMinusFiveToBelowTenToTheFifteen() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    QCOMPARE(GeneralText(value), text);
  }
};

}  // namespace

QTEST_MAIN(ViewDialogsTest)
#include "tst_view_dialogs.moc"
