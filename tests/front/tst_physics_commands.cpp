// "Fizyka" under a scripted prompter: the conditions, boundaries and
// problem dialogs, their tables and numbers.

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <limits>

#include "CommandsTestKit.h"
#include "TestData.h"
#include "core/boundary/Physics.h"
#include "front/boundary/PhysicsDialogs.h"
#include "front/ui/LocaleNumbers.h"

namespace {

class PhysicsCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QLocale::setDefault(QLocale::c()); }

  // The physics dialogs change their copy of the tables as their buttons
  // are pressed, refuse what they cannot store, and "OK" applies the
  // session as one step.
  void physicsDialogsRefuseWhatTheyCannotStoreAndKeepTablesDense() {
    Rig r;
    r.triangle();
    Model& m = r.model();
    m.ProblemKind = 1;
    for (float kind : {2.0f, 2.0f}) (void)AppendCondition(m, BoundaryCondition{kind});
    (void)AppendBoundary(m, Boundary{2});
    m.ElementTable[1].bcNumber = m.ElementTable[2].bcNumber = 2;
    m.ElementTable[3].boundaryNumber = 2;
    const auto press = [](QDialog& d, const char* button) {
      d.findChild<QPushButton*>(QLatin1String(button))->click();
    };
    const auto row = [](QDialog& d, int r) { static_cast<TableDialog&>(d).selectRow(r); };
    r.prompter.dialogs = {[&](QDialog& d) {
      SetText(d, "rodzaj", u"1"_s), SetText(d, "w1", u"abc"_s), press(d, "dodaj");  // temperatura
      SetText(d, "w1", u"100"_s), press(d, "dodaj");
      row(d, 1), press(d, "usun");
      row(d, 2), press(d, "usun");
      row(d, 3), press(d, "usun");
      row(d, 3), SetText(d, "rodzaj", u"3"_s), SetText(d, "w1", u"25"_s), SetText(d, "w2", u"inf"_s),
          press(d, "zmien");
      SetText(d, "w2", u"20"_s), press(d, "zmien");
      press(d, "OK");
      return d.result();
    }};
    r.commands->run(&PhysicsCommands::editConditions);
    QCOMPARE(QString::fromStdString(r.state->history.undoName()), u"zmiana warunków brzegowych"_s);
    QCOMPARE(m.bcCount, 3);
    QCOMPARE(QString::fromStdString(ConditionText(3, m.BcTable[3], 1)),
             u"nr 3, konwekcja: α [W/(m²·K)] = 25, T∞ [°C] = 20"_s);  // the one added, moved down
    r.prompter.dialogs = {[&](QDialog& d) {
      row(d, 1), press(d, "usun");
      row(d, 2), press(d, "usun");
      SetText(d, "rodzaj", u"1"_s), press(d, "dodaj");
      press(d, "OK");
      return d.result();
    }};
    r.commands->run(&PhysicsCommands::editBoundaries);
    m.bcCount = kMaxConditions;
    r.prompter.dialogs = {[&](QDialog& d) { return press(d, "dodaj"), press(d, "OK"), d.result(); }};
    r.commands->physics().editConditions();
    m.bcCount = 3;
    // A bad property keeps the dialog up and stores nothing.
    r.prompter.dialogs = {[&](QDialog& d) {
      SetText(d, "zadanie", u"4"_s), SetText(d, "wlasnosc1", u"x"_s), press(d, "OK");
      const bool up = d.isVisible();
      return press(d, "Anuluj"), up ? 1 : 0;
    }};
    r.commands->physics().editProblem();
    QCOMPARE(m.ProblemKind, 1);
    QCOMPARE(
        r.prompter.messages(),
        QStringList({u"stop Warunki brzegowe: Zła wartość: T [°C]"_s,
                     u"stop Warunki brzegowe: Warunku 1 nie można usunąć."_s,
                     u"stop Warunki brzegowe: Nie można usunąć warunku 2: jest przypisany do 2 elementów."_s,
                     u"stop Warunki brzegowe: Zła wartość: T∞ [°C]"_s,
                     u"stop Brzegi: Brzegu 1 nie można usunąć."_s,
                     u"stop Brzegi: Nie można usunąć brzegu 2: jest przypisany do 1 elementu."_s,
                     u"stop Warunki brzegowe: Osiągnięto największą liczbę warunków brzegowych (99)"_s,
                     u"stop Zadanie i własności: Zła wartość: moduł Younga E [Pa]"_s}));
    QCOMPARE(std::pair(m.boundaryCount, m.BoundaryTable[3].kind), std::pair(3, 1));
    QStringList lists;
    r.prompter.dialogs = {2, [&lists](QDialog& d) { return lists << ListText(d), int(QDialog::Accepted); }};
    r.commands->run(&ListCommands::listConditions);
    r.commands->run(&ListCommands::listBoundaries);
    QCOMPARE(lists,
             QStringList({u"nr 1, strumień: q [W/m²] = 0|nr 2, strumień: q [W/m²] = 0|nr 3, konwekcja: "
                          u"α [W/(m²·K)] = 25, T∞ [°C] = 20"_s,
                          u"nr 1, zewnętrzny|nr 2, wewnętrzny|nr 3, zewnętrzny"_s}));

    // Assignment to elements chosen by number; the current condition.
    r.prompter.log.clear();
    r.prompter.inputs = {u"2-3"_s, u"9"_s, u"3"_s};
    r.commands->run(&PhysicsCommands::assignCondition);
    r.commands->run(&PhysicsCommands::selectByNumbers);
    r.commands->run(&PhysicsCommands::assignCondition);
    r.commands->run(&PhysicsCommands::assignCondition);
    QCOMPARE(Elements(m), u"1-2 2/1, 2-3 3/1, 3-1 3/2"_s);
    QCOMPARE(QString::fromStdString(r.state->history.undoName()), u"przypisanie warunku 3"_s);
    // Choosing the current condition is no step and leaves the project
    // saved; an undo keeps it.
    r.commands->context().markClean();
    r.prompter.inputs = {u"2"_s};
    r.commands->run(&PhysicsCommands::chooseCurrentCondition);
    QCOMPARE(std::tuple(m.CurrentBc, QString::fromStdString(r.state->history.undoName()),
                        r.state->history.isClean()),
             std::tuple(2, u"przypisanie warunku 3"_s, true));
    r.commands->run(&HistoryCommands::undo);
    QCOMPARE(m.CurrentBc, 2);
    r.commands->run(&HistoryCommands::redo);
    QCOMPARE(
        r.prompter.messages(),
        QStringList({u"plain Przypisanie warunku: Nie wybrano żadnego elementu. Wybierz je narzędziem wyboru "
                     u"albo według numerów („Fizyka > Wybierz elementy o numerach...”)."_s,
                     u"stop Przypisanie warunku: Podaj numer od 1 do 3."_s}));
    // The prompt says what each number means.
    QVERIFY2(
        r.prompter.log.filter(u"input Przypisanie warunku"_s)
            .last()
            .endsWith(u"Numer warunku (1-3):\nnr 1, strumień: q [W/m²] = 0\nnr 2, strumień: q [W/m²] = 0\n"
                      u"nr 3, konwekcja: α [W/(m²·K)] = 25, T∞ [°C] = 20"_s),
        qPrintable(r.prompter.log.join(u'|')));

    // The status bar's count follows the selection through an undo; with no
    // element there is nothing to choose by number.
    QSignalSpy status(&r.commands->context(), &CommandContext::statusTextChanged);
    r.prompter.inputs = {u"1-2"_s};
    r.commands->run(&PhysicsCommands::selectByNumbers);
    r.commands->run(&HistoryCommands::undo);
    QCOMPARE(status.last(), QVariantList({4, u"Wybrane elementy: 0"_s}));
    m.elementCount = 0;
    r.prompter.log.clear();
    r.commands->run(&PhysicsCommands::selectByNumbers);
    QCOMPARE(r.prompter.log, QStringList({u"plain Wybór elementów: Brak elementów..."_s}));
  }

  // The disc's "Dodaj" offers the roller support, labelled as it reads; a
  // component other than 1 (ux) or 2 (uy) is refused, the cursor on it.
  void discConditionsOfferRollerSupportsAndCheckTheirComponent() {
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    Rig r;
    Model& m = r.model();
    m.ProblemKind = 10;
    QStringList seen;  // the kind chosen, then where the cursor is after each "Dodaj"
    r.prompter.dialogs = {[&](QDialog& d) {
      SetText(d, "rodzaj", u"3"_s);
      seen << d.findChild<QComboBox*>(u"rodzaj"_s)->currentText();
      for (const char* typed : {"7", "1,5", "2"}) {
        SetText(d, "w1", QString::fromLatin1(typed)), SetText(d, "w2", u"-0,5"_s);
        d.findChild<QLineEdit*>(u"w2"_s)->setFocus();
        d.findChild<QPushButton*>(u"dodaj"_s)->click();
        seen << d.focusWidget()->objectName();
      }
      return d.findChild<QPushButton*>(u"OK"_s)->click(), d.result();
    }};
    r.commands->run(&PhysicsCommands::editConditions);
    const QString refusal =
        u"stop Warunki brzegowe: Zła wartość: składowa (1 – ux, 2 – uy)\nPodpora przesuwna ustala "
        u"przemieszczenie "
        u"ux (składowa 1) albo uy (składowa 2): wpisz 1 albo 2."_s;
    QCOMPARE(r.prompter.messages(), QStringList({refusal, refusal}));
    QCOMPARE(seen, QStringList({u"podpora przesuwna"_s, u"w1"_s, u"w1"_s, u"w2"_s}));
    QCOMPARE(m.bcCount, 2);
    QCOMPARE(QString::fromStdString(ConditionText(2, m.BcTable[2], 10, ',')),
             u"nr 2, podpora przesuwna: składowa (1 – ux, 2 – uy) = 2, przemieszczenie [m] = -0,5"_s);
  }

  // After a refusal each of these dialogs stays as the user left it: made
  // active again as the message closes, it does not refill itself, and the
  // cursor is on the bad field.
  void physicsAndLimitDialogsKeepWhatWasTypedThroughARefusal() {
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    Rig r;
    r.model().ProblemKind = 1;
    using Typed = std::vector<std::pair<const char*, QString>>;
    const std::tuple<std::function<void()>, Typed, const char*, const char*, QString> cases[] = {
        {r.call(&PhysicsCommands::editConditions),
         {{"rodzaj", u"3"_s}, {"w1", u"25"_s}, {"w2", u"x"_s}},
         "zmien",
         "w2",
         u"stop Warunki brzegowe: Zła wartość: T∞ [°C]"_s},
        {r.call(&PhysicsCommands::editConditions),
         {{"rodzaj", u"1"_s}, {"w1", u"1e39"_s}},
         "dodaj",
         "w1",
         u"stop Warunki brzegowe: Zła wartość: T [°C]\nLiczba 1e39 jest za duża (to pole przyjmuje liczby od "
         u"-3,4028235e+38 do 3,4028235e+38)."_s},
        {r.call(&PhysicsCommands::editProblem),
         {{"zadanie", u"4"_s}, {"wlasnosc1", u"2,1e11"_s}, {"wlasnosc2", u"ν"_s}},
         "OK",
         "wlasnosc2",
         u"stop Zadanie i własności: Zła wartość: liczba Poissona ν"_s},
        {r.call(&PhysicsCommands::editProblem),
         {{"zadanie", u"4"_s}, {"wlasnosc1", u" -5e40"_s}, {"wlasnosc2", u"0,3"_s}},
         "OK",
         "wlasnosc1",
         u"stop Zadanie i własności: Zła wartość: moduł Younga E [Pa]\nLiczba -5e40 jest za mała (to pole "
         u"przyjmuje liczby od -3,4028235e+38 do 3,4028235e+38)."_s},
        {r.call(&MeshCommands::chooseLimit),
         {{"trojkaty", u"1500"_s}},
         "OK",
         "trojkaty",
         u"note Limit siatki: Podaj liczbę trójkątów od 2 000 do 5 000 000."_s},
    };
    const auto shown = [](QDialog& d, const Typed& fields) {
      QStringList texts;
      for (const auto& [name, text] : fields) {
        auto* selector = d.findChild<QComboBox*>(QLatin1String(name));
        texts << (selector != nullptr ? selector->currentText() : Text(d, name));
      }
      return texts;
    };
    for (const auto& [command, typed, button, bad, message] : cases) {
      r.prompter.log.clear();
      QStringList before, after;
      QString focus;
      bool up = false;
      r.withDialog(command, [&](QDialog& d) {
        if (auto* large = d.findChild<QRadioButton*>(u"duze"_s)) large->setChecked(true);
        for (const auto& [name, text] : typed) SetText(d, name, text);
        before = shown(d, typed);
        d.findChild<QPushButton*>(QLatin1String(button))->click();
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&d, &activate);
        after = shown(d, typed);
        focus = d.focusWidget() != nullptr ? d.focusWidget()->objectName() : QString();
        up = d.isVisible();
        d.reject();
        return d.result();
      });
      QCOMPARE(r.prompter.messages(), QStringList{message});
      QCOMPARE(after, before);
      QCOMPARE(focus, QLatin1String(bad));
      QVERIFY(up);
    }
    QCOMPARE(std::tuple(r.model().bcCount, r.model().ProblemKind, r.commands->mesh().mesherOptions().limits),
             std::tuple(1, 1, MeshLimits{}));
  }

  // Every change made in one opening of a table dialog stays in the dialog
  // until "OK", which applies them all as one step; "Anuluj" and Escape
  // discard them. Return in the editor applies the row's edit and keeps the
  // dialog open.
  void physicsTablesApplyOnOkAsOneStepAndDiscardOnCancel() {
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    const auto rows = [](const Model& m, bool conditions) {
      QStringList lines;
      for (int32_t i = 1; i <= (conditions ? m.bcCount : m.boundaryCount); ++i) {
        lines << QString::fromStdString(conditions ? ConditionText(i, m.BcTable[i], m.ProblemKind, ',')
                                                   : BoundaryText(i, m.BoundaryTable[i]));
      }
      return lines.join(u'|');
    };
    struct Table {
      void (PhysicsCommands::*command)();
      bool conditions;
      const char* field;
      QString typed, step, edited;
    };
    const Table tables[] = {
        {&PhysicsCommands::editConditions, true, "w1", u"7"_s, u"zmiana warunków brzegowych"_s,
         u"nr 1, strumień: q [W/m²] = 7|nr 2, strumień: q [W/m²] = 7"_s},
        {&PhysicsCommands::editBoundaries, false, "rodzaj", u"2"_s, u"zmiana brzegów"_s,
         u"nr 1, wewnętrzny|nr 2, wewnętrzny"_s},
    };
    for (const Table& t : tables) {
      for (const char* close : {"OK", "Anuluj", "Escape"}) {
        Rig r;
        r.model().ProblemKind = 1;
        const QString original = rows(r.model(), t.conditions);
        const size_t steps = r.state->history.undoCount();
        QString during, draft;
        bool upAfterEnter = false;
        r.prompter.dialogs = {[&](QDialog& d) {
          auto& table = static_cast<TableDialog&>(d);
          table.selectRow(1);
          SetText(d, t.field, t.typed);
          auto* editor = d.findChild<QWidget*>(QLatin1String(t.field));
          editor->setFocus();
          QTest::keyClick(editor, Qt::Key_Return);
          upAfterEnter = d.isVisible();
          d.findChild<QPushButton*>(u"dodaj"_s)->click();
          during = rows(r.model(), t.conditions);
          draft = rows(table.draft(), t.conditions);
          if (close == "Escape"_L1) {
            QTest::keyClick(&d, Qt::Key_Escape);
          } else if (auto* b = d.findChild<QPushButton*>(QLatin1String(close))) {
            b->click();
          }
          return d.result();
        }};
        r.commands->run(t.command);
        QVERIFY(upAfterEnter);
        QCOMPARE(during, original);
        QCOMPARE(draft, t.edited);
        const bool ok = close == "OK"_L1;
        QCOMPARE(rows(r.model(), t.conditions), ok ? t.edited : original);
        QCOMPARE(r.state->history.undoCount(), steps + (ok ? 1 : 0));
        if (!ok) continue;
        QCOMPARE(QString::fromStdString(r.state->history.undoName()), t.step);
        QVERIFY(r.state->history.undo(r.model()));
        QCOMPARE(rows(r.model(), t.conditions), original);
      }
    }
  }

  // A row's own code is kept exactly, NaN and integers past a float's
  // precision included, unless another kind is chosen; "Dodaj" takes only
  // the family's kinds.
  void physicsTablesKeepCodesAndRefuseKindsOutsideTheFamily() {
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    using Typed = std::vector<std::pair<const char*, QString>>;
    struct Case {
      void (PhysicsCommands::*command)();
      int32_t row;
      Typed typed;
      const char* button;
      QString message, rows;
    };
    const QString stays = u"nr 1, strumień: q [W/m²] = 0|"_s;
    const QString nan =
        u"nr 2, kod nan: wartość 1 = %1, wartość 2 = 2, wartość 3 = 3, wartość 4 = 4, "
        u"wartość 5 = 5, wartość 6 = 6|"_s;
    const QString seven =
        u"nr 3, kod 7: wartość 1 = 1, wartość 2 = 0, wartość 3 = 0, wartość 4 = 0, "
        u"wartość 5 = 0, wartość 6 = 0"_s;
    const Case cases[] = {
        {&PhysicsCommands::editConditions, 2, {{"w1", u"9"_s}}, "zmien", {}, stays + nan.arg(9) + seven},
        {&PhysicsCommands::editConditions,
         2,
         {{"rodzaj", u"1"_s}},
         "zmien",
         {},
         stays + u"nr 2, temperatura: T [°C] = 1|"_s + seven},
        {&PhysicsCommands::editConditions,
         3,
         {},
         "dodaj",
         u"stop Warunki brzegowe: Rodzaju „kod 7” nie ma w zadaniu „przewodzenie ciepła”: wybierz jeden z "
         u"jego "
         u"rodzajów."_s,
         stays + nan.arg(1) + seven},
        {&PhysicsCommands::editBoundaries, 2, {}, "zmien", {}, u"nr 1, zewnętrzny|nr 2, kod 16777217"_s},
        {&PhysicsCommands::editBoundaries,
         2,
         {},
         "dodaj",
         u"stop Brzegi: Rodzaj „kod 16777217” nie jest rodzajem brzegu: wybierz zewnętrzny albo wewnętrzny."_s,
         u"nr 1, zewnętrzny|nr 2, kod 16777217"_s},
    };
    for (const Case& c : cases) {
      Rig r;
      Model& m = r.model();
      m.ProblemKind = 1;
      (void)AppendCondition(m, BoundaryCondition{std::numeric_limits<float>::quiet_NaN(), 1, 2, 3, 4, 5, 6});
      (void)AppendCondition(m, BoundaryCondition{7, 1});
      (void)AppendBoundary(m, Boundary{16777217});
      r.prompter.dialogs = {[&](QDialog& d) {
        static_cast<TableDialog&>(d).selectRow(c.row);
        for (const auto& [name, text] : c.typed) SetText(d, name, text);
        d.findChild<QPushButton*>(QLatin1String(c.button))->click();
        return d.findChild<QPushButton*>(u"OK"_s)->click(), d.result();
      }};
      r.commands->run(c.command);
      QCOMPARE(r.prompter.messages(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
      QStringList lines;
      const bool conditions = c.command == &PhysicsCommands::editConditions;
      for (int32_t i = 1; i <= (conditions ? m.bcCount : m.boundaryCount); ++i) {
        lines << QString::fromStdString(conditions ? ConditionText(i, m.BcTable[i], 1, ',')
                                                   : BoundaryText(i, m.BoundaryTable[i]));
      }
      QCOMPARE(lines.join(u'|'), c.rows);
    }
  }

  // A change of family under which conditions read differently is asked
  // first; "Nie" leaves the dialog up and the project as it was.
  void problemFamilyChangeAsksWhenConditionsReadDifferently() {
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    const QString question =
        u"ask Zadanie i własności: W zadaniu „tarcza (płaski stan naprężenia)” warunki brzegowe znaczą co "
        u"innego:\nnr 1, strumień: q [W/m²] = 0 → przemieszczenie: ux [m] = 0, uy [m] = 0\nnr 2, "
        u"temperatura: T [°C] = 5 → obciążenie ciągłe: px [N/m] = 5, py [N/m] = 0\nZmienić zadanie?"_s;
    // Item chosen, the answer if asked, and what follows: the log, the
    // dialog still up, the problem kind.
    const std::tuple<QString, std::deque<bool>, QStringList, bool, int32_t> cases[] = {
        {u"4"_s, {false}, {question}, true, 1},
        {u"4"_s, {true}, {question}, false, 10},
        {u"1"_s, {}, {}, false, 1},
    };
    for (const auto& [item, answers, log, up, kind] : cases) {
      Rig r;
      r.model().ProblemKind = 1;
      (void)AppendCondition(r.model(), BoundaryCondition{1, 5});
      const float conductivity = r.model().Conductivity;
      r.prompter.answers = answers;
      bool stayed = false;
      r.prompter.dialogs = {[&](QDialog& d) {
        SetText(d, "zadanie", item);
        SetText(d, "wlasnosc1", u"3"_s);
        d.findChild<QPushButton*>(u"OK"_s)->click();
        stayed = d.isVisible();
        if (stayed) d.reject();
        return d.result();
      }};
      r.commands->run(&PhysicsCommands::editProblem);
      QCOMPARE(r.prompter.log.mid(1), log);
      QCOMPARE(std::pair(stayed, r.model().ProblemKind), std::pair(up, kind));
      QCOMPARE(r.model().Conductivity, up ? conductivity : 3.0f);
    }
  }

  // Values show as the shortest text that reads back as the stored float,
  // in the user's decimal point, and read the decimal forms the coordinate
  // fields read; the selectors show whole names from the first opening.
  void physicsDialogsShowShortestNumbersAndWholeNames() {
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    Rig r;
    Model& m = r.model();
    m.ProblemKind = 1;
    m.Conductivity = 0.6f;
    (void)AppendCondition(m, BoundaryCondition{1, 0.6f});
    (void)AppendCondition(m, BoundaryCondition{3, 123456.79f, 1e-7f});
    QStringList seen;
    r.prompter.dialogs = {[&](QDialog& d) {
      auto& table = static_cast<TableDialog&>(d);
      for (int32_t row : {2, 3}) table.selectRow(row), seen << Text(d, "w1") << Text(d, "w2");
      seen << d.findChild<QListWidget*>(u"lista"_s)->item(1)->text();
      table.selectRow(2);
      SetText(d, "w1", u"0.25"_s);
      d.findChild<QPushButton*>(u"zmien"_s)->click();
      return d.findChild<QPushButton*>(u"OK"_s)->click(), d.result();
    }};
    r.commands->run(&PhysicsCommands::editConditions);
    r.withDialog(&PhysicsCommands::editProblem, Type("Anuluj", {}, &seen, {"wlasnosc1"}));
    QCOMPARE(seen, QStringList({u"0,6"_s, u"0"_s, u"123456,79"_s, u"1e-07"_s,
                                u"nr 2, temperatura: T [°C] = 0,6"_s, u"0,6"_s}));
    QCOMPARE(m.BcTable[2].value1, 0.25f);
    QVERIFY(r.prompter.messages().isEmpty());

    Rig fresh;  // first openings
    fresh.model().ProblemKind = 10;
    PhysicsCommands& physics = fresh.commands->physics();
    for (QDialog* d : std::initializer_list<QDialog*>{
             &physics.conditionsDialog(), &physics.boundariesDialog(), &physics.problemDialog()}) {
      d->show();
      for (QComboBox* selector : d->findChildren<QComboBox*>()) {
        QVERIFY2(selector->width() >= selector->sizeHint().width(), qPrintable(selector->currentText()));
      }
      d->hide();
    }
  }

  void generalTextIsFixedFromTenToTheMinusFiveToBelowTenToTheFifteen() {
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    for (const std::string& line : DataLines("general-text.txt")) {
      const QStringList fields = QString::fromStdString(line).split('\t');
      QCOMPARE(GeneralText(fields[0].toDouble()), fields[1]);
    }
  }
};

}  // namespace

QTEST_MAIN(PhysicsCommandsTest)
#include "tst_physics_commands.moc"
