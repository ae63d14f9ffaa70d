// The main window's commands and the view dialogs under a scripted
// prompter: model, view and the exact texts, titles and icons shown.

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <limits>
#include <numeric>
#include <sstream>

#include "CommandsRig.h"
#include "TestData.h"
#include "core/TempDir.h"
#include "core/batch/BatchExport.h"
#include "core/boundary/Physics.h"
#include "core/files/CNumbers.h"
#include "core/files/OpenExport.h"
#include "core/files/ProjectFile.h"
#include "core/state/History.h"
#include "front/boundary/BoundaryDialogs.h"
#include "front/boundary/PhysicsDialogs.h"
#include "front/edit/EditDialogs.h"
#include "front/edit/EllipseDialog.h"
#include "front/lists/ListWindows.h"
#include "front/mesh/MeshDialogs.h"
#include "front/ui/LocaleNumbers.h"
#include "front/view/ViewDialogs.h"

namespace {

using Rig = CommandsRig;

// Types into a field, or picks item number `text` in a selector.
void SetText(QDialog& d, const char* field, const QString& text) {
  if (auto* selector = d.findChild<QComboBox*>(QLatin1String(field)))
    return selector->setCurrentIndex(text.toInt() - 1);
  d.findChild<QLineEdit*>(QLatin1String(field))->setText(text);
}
QString Text(QDialog& d, const char* field) {
  return d.findChild<QLineEdit*>(QLatin1String(field))->text();
}
void Check(QDialog& d, const char* box, bool on) {
  d.findChild<QCheckBox*>(QLatin1String(box))->setChecked(on);
}
bool Checked(QDialog& d, const char* box) {
  return d.findChild<QCheckBox*>(QLatin1String(box))->isChecked();
}
// Refills a dialog as showing it would, types into its fields and
// presses a button; `seen` gets what the named fields show before the press.
std::function<int(QDialog&)> Type(const char* button, std::vector<std::pair<const char*, QString>> fields,
                                  QStringList* seen = nullptr, std::vector<const char*> shown = {}) {
  return PressButton(QLatin1String(button), [=](QDialog& d) {
    for (const auto& [name, text] : fields) SetText(d, name, text);
    for (const char* name : shown) {
      auto* selector = d.findChild<QComboBox*>(QLatin1String(name));
      auto* label = d.findChild<QLabel*>(QLatin1String(name));
      *seen << (selector != nullptr ? selector->currentText()
                : label != nullptr  ? label->text()
                                    : Text(d, name));
    }
  });
}
// Every element as "start-end condition/boundary".
QString Elements(const Model& m) {
  QStringList out;
  for (int32_t i = 1; i <= m.elementCount; ++i) {
    const Element& e = m.ElementTable[i];
    out << u"%1-%2 %3/%4"_s.arg(e.startNode).arg(e.endNode).arg(e.bcNumber).arg(e.boundaryNumber);
  }
  return out.join(u", "_s);
}

const QString kSucceeded = u"note Generacja siatki: Generacja siatki powiodła się"_s;
const QString kFailed = u"stop Generacja siatki: Generacja siatki nie powiodła się"_s;
const QString kAreaPrompt = u"input Generacja siatki: Podaj maksymalne pole trójkąta :"_s;
const QString kGridLimit = u"plain Bład przy odświeżaniu ekranu...: Błędne ustawienia siatki !"_s;

class CommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QLocale::setDefault(QLocale::c()); }

  void newProjectAsksAndResetsOnlyOnYes() {
    Rig r;
    r.triangle();
    r.prompter.answers = {false, true};
    r.commands->files().newProject();
    QCOMPARE(r.model().nodeCount, 3);
    QCOMPARE(r.repaints->count(), 0);
    r.view().gridDx = 5;
    r.commands->contours().startPolyline();
    r.commands->files().newProject();
    QCOMPARE(r.statusText(3), u" "_s);
    QCOMPARE(r.prompter.log,
             QStringList(2, u"ask Nowy projekt: Tworząc nowy projekt utracisz wszystkie dane..."_s));
    QCOMPARE(std::pair(r.model().nodeCount, r.view().gridDx), std::pair(0, 2.0f));
    QCOMPARE(r.lastCaption(), u"Vendrel Korbel v1.0"_s);
    QCOMPARE(QString::fromStdString(r.model().CaptionText), u"Vendrel Korbel v1.0"_s);
    QCOMPARE(r.repaints->count(), 1);
  }

  void openYesThenCancelLeavesAnEmptyModelAndTheOldCaption() {
    Rig r;
    r.commands->setCaption(u"Vendrel korbel v1.0 /old.vdk"_s);
    r.triangle();
    r.commands->contours().startPolyline();
    r.prompter.answers = {true, false};
    r.prompter.fileNames = {std::nullopt};
    r.commands->files().openProject();
    QCOMPARE(r.statusText(3), u" "_s);
    QCOMPARE(std::pair(r.model().nodeCount, r.state->edit.editMode), std::pair(0, EditMode::Idle));
    QCOMPARE(r.lastCaption(), u"Vendrel korbel v1.0 /old.vdk"_s);
    QCOMPARE(r.prompter.fileDialogs[0].filters,
             QStringList({u"Pliki Vendrela Korbel (*.vdk)"_s, u"Wszystkie pliki (*.*)"_s}));
    QCOMPARE(r.prompter.fileDialogs[0].defaultSuffix, u"vdk"_s);
    r.triangle();
    r.commands->files().openProject();
    QCOMPARE(r.model().nodeCount, 3);
    QCOMPARE(r.prompter.log, QStringList({u"ask Otwórz plik: Czy chcesz utracić aktualne dane ?"_s,
                                          u"open Otwarcie pliku: "_s,
                                          u"ask Otwórz plik: Czy chcesz utracić aktualne dane ?"_s}));
  }

  void saveAndOpenRoundTripAndFilesThatCannotBeReadOrWritten() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"trójkąt.vdk"_s);
    Rig r;
    r.commands->files().saveProject();
    r.triangle();
    (void)AppendInternalNode(r.model(), InternalNode{0.1f, 0.1f});
    r.prompter.fileNames = {path, dir.filePath(u"no/such/folder.vdk"_s)};
    r.commands->files().saveProject();
    QCOMPARE(r.lastCaption(), "Vendrel korbel v1.0 "_L1 + path);
    r.commands->files().saveProject();
    QVERIFY(r.prompter.fileDialogs[0].confirmOverwrite);
    QCOMPARE(r.prompter.log,
             QStringList({u"stop Błąd zapisu: Ilość węzłów równa 0"_s, u"save Zapis pliku: "_s,
                          "note Zapis do pliku: Zapisano dane do pliku "_L1 + path, u"save Zapis pliku: "_s,
                          u"stop Błąd operacji dyskowej: Nie można zapisać do pliku"_s}));
    QCOMPARE(r.lastCaption(), "Vendrel korbel v1.0 "_L1 + path);  // a failed save keeps the caption

    Rig o;
    o.prompter.answers = {true, true, true};
    o.prompter.fileNames = {path, QString::fromStdString(TestData("bad/too-many-nodes.vdk")),
                            dir.filePath(u"missing.vdk"_s)};
    o.commands->files().openProject();
    QVERIFY(o.model().internalNodeCount == 1 && o.repaints->count() >= 1);
    o.commands->files().openProject();
    o.commands->files().openProject();
    QCOMPARE(o.model().nodeCount, 0);
    QCOMPARE(o.lastCaption(), "Vendrel korbel v1.0 "_L1 + path);
    QCOMPARE(o.prompter.messages(),
             QStringList(
                 {"note Odczyt z pliku: Odczytano dane z pliku "_L1 + path,
                  u"stop Odczyt z pliku: Plik zawiera błędną liczbę węzłów: 300 (dopuszczalna od 0 do 299)"_s,
                  u"stop Odczyt z pliku: Nie można odczytać pliku"_s}));

    // A project named at start by a relative name is named by its full path.
    Rig a;
    const QString folder = QDir::currentPath();
    QDir::setCurrent(dir.path());
    a.commands->files().openProjectFile(u"trójkąt.vdk"_s);
    QDir::setCurrent(folder);
    QCOMPARE(a.lastCaption(), "Vendrel korbel v1.0 "_L1 + path);
    QCOMPARE(a.prompter.log, QStringList("note Odczyt z pliku: Odczytano dane z pliku "_L1 + path));
  }

  // Every command that changes the model is one step of its history:
  // undone, the model is its old self bit for bit; redone, its new self.
  // The menu names the step; undo ends a polyline under way.
  void everyChangeIsUndoneAndRedoneExactly() {
    Rig r;
    r.triangle();
    (void)AppendNode(r.model(), Node{0, 0});  // a double of node 1
    (void)AppendInternalNode(r.model(), InternalNode{1, 1});
    ComputeScale(r.view(), 640, 400);
    r.state->edit.PopupClickPoint = {120, 300};
    r.state->edit.popupClientHeight = 400;
    const auto run = [&](auto c) { return [&r, c] { r.commands->run(c); }; };
    const auto clicks = [&](int n) {
      return [&r, n] {
        r.commands->contours().startPolyline();
        for (int i = 0; i < n; ++i)
          r.commands->contours().mouseDown(Qt::LeftButton, 100 + 90 * (i % 2), 100 + 60 * i, 400);
      };
    };
    const auto dialog = [&](std::function<int(QDialog&)> script) {
      r.prompter.dialogs = {std::move(script)};
    };
    const auto number = [&](const char* n) { dialog(Type("OK", {{"Edit1", QLatin1String(n)}})); };
    const struct {
      const char* name;
      std::function<void()> prepare, act;
    } steps[] = {
        {"usunięcie podwójnych węzłów", [&] { r.prompter.answers = {true}; },
         run(&NodeElementCommands::removeDuplicateNodes)},
        {"dodanie elipsy", [&] { dialog(PressButton(u"OK"_s)); }, run(&ContourCommands::ellipse)},
        {"dodanie węzła 22",
         [&] {
           dialog(Type("OK", {{"xx", u"3"_s}, {"yy", u"4"_s}}));
         },
         run(&NodeElementCommands::addNode)},
        {"zmiana współrzędnych węzła 2",
         [&] {
           dialog(Type("OK", {{"Edit1", u"2"_s}, {"xx", u"7"_s}}));
         },
         run(&NodeElementCommands::changeNodeCoordinates)},
        {"dodanie elementu 22",
         [&] {
           dialog(Type("OK", {{"poczatek", u"3"_s}, {"koniec", u"22"_s}}));
         },
         run(&NodeElementCommands::addElement)},
        {"zmiana elementu 1",
         [&] {
           dialog(Type("OK", {{"numer", u"1"_s}, {"koniec", u"3"_s}}));
         },
         run(&NodeElementCommands::changeElement)},
        {"usunięcie elementu 22", [&] { number("22"); }, run(&NodeElementCommands::deleteElement)},
        {"usunięcie węzła 22", [&] { number("22"); }, run(&NodeElementCommands::deleteNode)},
        {"dodanie węzła wewnętrznego 2",
         [&] {
           dialog(Type("OK", {{"xx", u"2"_s}, {"yy", u"2"_s}}));
         },
         run(&InternalNodeCommands::addInternalNode)},
        {"zmiana węzła wewnętrznego 1",
         [&] {
           dialog(Type("OK", {{"numer", u"1"_s}, {"xx", u"3"_s}}));
         },
         run(&InternalNodeCommands::changeInternalNode)},
        {"usunięcie węzła wewnętrznego 2", [&] { number("2"); },
         run(&InternalNodeCommands::deleteInternalNode)},
        {"dodanie węzła wewnętrznego 2", [&] { r.prompter.answers = {true}; },
         run(&InternalNodeCommands::insertInternalNodeAtClick)},
        {"usunięcie węzłów wewnętrznych", [&] { r.prompter.answers = {true}; },
         run(&InternalNodeCommands::removeInternalNodesAtClick)},
        {"usunięcie wszystkich węzłów wewnętrznych", [&] { r.prompter.answers = {true}; },
         run(&InternalNodeCommands::deleteAllInternalNodes)},
        {"generacja siatki", [&] { r.prompter.inputs = {u"10"_s}; }, run(&MeshCommands::generateMesh)},
        {"dodanie punktu linii łamanej", [] {}, clicks(1)},
        {"usunięcie ostatniego elementu", clicks(2), run(&ContourCommands::removeLastPoint)},
        {"zamknięcie linii łamanej", [&] { clicks(3)(), r.prompter.answers = {true}; },
         run(&ContourCommands::closePolyline)},
        {"nowy projekt", [&] { r.prompter.answers = {true}; }, run(&FileCommands::newProject)},
        {"otwarcie pliku",
         [&] {
           r.prompter.answers = {true},
           r.prompter.fileNames = {QString::fromStdString(TestData("plate.vdk"))};
         },
         run(&FileCommands::openProject)},
    };
    QSignalSpy history(r.commands.get(), &Commands::historyChanged);
    for (const auto& step : steps) {
      step.prepare();
      const auto before = std::make_unique<Model>(r.model());
      step.act();
      const auto after = std::make_unique<Model>(r.model());
      QVERIFY2(!SameProject(*before, *after), step.name);
      QCOMPARE(QString::fromStdString(r.state->history.undoName()), QString::fromUtf8(step.name));
      r.commands->run(&HistoryCommands::undo);
      QVERIFY2(SameModel(r.model(), *before), step.name);
      QCOMPARE(r.state->edit.editMode, EditMode::Idle);
      QCOMPARE(r.lastCaption(), QString::fromStdString(before->CaptionText));
      r.commands->run(&HistoryCommands::redo);
      QVERIFY2(SameModel(r.model(), *after), step.name);
      QVERIFY(!r.state->history.canRedo());
    }
    QCOMPARE(history.count(), int(std::size(steps)) * 3 + 5);  // and the clicks that prepared
    // Commands that leave the project as it was are no steps.
    const size_t steps0 = r.state->history.undoCount();
    r.commands->run(&ViewCommands::zoomIn);
    dialog([](QDialog&) { return int(QDialog::Rejected); });
    r.commands->run(&ListCommands::listNodes);
    dialog(PressButton(u"Anuluj"_s));  // the row it wrote lies past the counter again
    r.commands->run(&NodeElementCommands::addNode);
    r.commands->run(&MeshCommands::checkModel);
    QCOMPARE(r.state->history.undoCount(), steps0);
    // Nor is a failed generation with no mesh to lose, and what could be
    // redone stays.
    number("1");
    r.commands->run(&NodeElementCommands::deleteElement);
    r.commands->run(&HistoryCommands::undo);
    r.commands->mesh().mesherOptions().helperPath = FAKE_MESHER_PATH;
    r.commands->mesh().mesherOptions().extraArgs = {"exit"};
    r.prompter.inputs = {u"1"_s};
    r.commands->run(&MeshCommands::generateMesh);
    QCOMPARE(std::pair(r.model().MeshFailureFlag, r.state->history.undoCount()), std::pair(1, steps0));
    QCOMPARE(QString::fromStdString(r.state->history.redoName()), u"usunięcie elementu 1"_s);
  }

  void generationStopsSilentlyOnBadAnswers() {
    const std::pair<std::optional<QString>, int> cases[] = {
        {std::nullopt, 3}, {u"abc"_s, 3}, {u"0"_s, 3},     {u"-1"_s, 3},
        {u"inf"_s, 3},     {u"nan"_s, 3}, {u"1e400"_s, 3}, {u"10"_s, 2}};  // the last: two elements
    for (const auto& [answer, elements] : cases) {
      Rig r;
      r.triangle();
      r.model().elementCount = elements;
      r.prompter.inputs = {answer};
      r.commands->mesh().generateMesh();
      QCOMPARE(r.prompter.log, QStringList({kAreaPrompt}));
      QCOMPARE(r.prompter.lastInitialText, u"10"_s);
      QCOMPARE(r.repaints->count() + r.model().meshTriangleCount, 0);
    }
  }

  void generationReportsEachOutcomeInTheUsersLocale() {
    Rig r;
    r.triangle();
    r.prompter.inputs = {u"10"_s, u"0.01"_s};
    r.commands->mesh().generateMesh();
    QVERIFY(r.model().meshTriangleCount >= 1);
    r.commands->mesh().generateMesh();
    QCOMPARE(r.model().meshTriangleCount, 0);
    (void)AppendInternalNode(r.model(), InternalNode{1, 1});
    r.prompter.inputs = {u"10"_s};
    r.commands->mesh().generateMesh();
    r.model().internalNodeCount = 0;
    MesherOptions& mesher = r.commands->mesh().mesherOptions();
    mesher.helperPath = FAKE_MESHER_PATH;
    mesher.timeLimit = std::chrono::milliseconds(300);
    for (const char* mode : {"crash", "hang"}) {
      mesher.extraArgs = {mode};
      r.prompter.inputs = {u"10"_s};
      r.commands->mesh().generateMesh();
    }
    // Each failure is followed by what the driver saw and the errors the
    // model check finds: the overflow with an area that fits, the failing
    // helper, the hole point that eats the region.
    const QString causes = u"note Generacja siatki: Możliwe przyczyny:\n"_s;
    QCOMPARE(
        r.prompter.messages(),
        QStringList({kSucceeded, u"stop Generacja siatki: Zbyt duża liczba elementów lub węzłów"_s, kFailed,
                     causes + u"Przy polu trójkąta 0.01 siatka nie mieści się w 1 999 trójkątach i 999 "
                              u"węzłach (trójkątów: co najmniej 5 000). Sprawdzono: najmniejsze pole, przy "
                              u"którym siatka się mieści, to 0.0416 (trójkątów: 1 878, węzłów: 994)."_s,
                     kFailed,
                     causes + u"Węzeł wewnętrzny 1 leży w obszarze, a nie w otworze: usuwa obszar wokół "
                              u"siebie. Przesuń go („Zmień > Współ. węzła wewnętrznego”) albo usuń („Usuń > "
                              u"Węzeł wewnętrzny” 1)."_s,
                     kFailed, causes + u"Program generujący siatkę (vendrel-mesher) zakończył się błędem."_s,
                     kFailed,
                     causes + u"Program generujący siatkę (vendrel-mesher) nie skończył w wyznaczonym czasie "
                              u"i został zatrzymany."_s}));
    QCOMPARE(r.repaints->count(), 5);

    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    mesher.helperPath = MESHER_PATH, mesher.extraArgs = {};
    r.prompter.log.clear();
    r.prompter.inputs = {u"2,5"_s, u"2.5"_s};
    r.commands->mesh().generateMesh();
    QVERIFY(r.model().meshTriangleCount >= 20);
    r.commands->mesh().generateMesh();
    QCOMPARE(r.prompter.messages(), QStringList({kSucceeded}));  // a point is not a Polish separator
  }

  // "Sprawdź model" lists the errors, then, apart, the notes.
  void checkListsErrorsThenNotes() {
    Rig r;
    for (const Node& n : {Node{0, 0}, Node{10, 0}, Node{0, 10}}) (void)AppendNode(r.model(), n);
    for (const Element& e : {Element{1, 2, 1, 1}, Element{2, 3, 1, 1}, Element{3, 3, 1, 1}})
      (void)AppendElement(r.model(), e);
    r.commands->run(&MeshCommands::checkModel);
    QCOMPARE(r.prompter.messages(),
             QStringList(
                 u"note Sprawdź model: Znalezione błędy:\nKontur nie jest zamknięty: jego końce to węzły "
                 u"1 i 3. Zamknij go: „Dodaj > Element” od węzła 3 do węzła 1.\n\nUwagi (nie przeszkadzają "
                 u"w generacji siatki):\nElement 3 prowadzi od węzła 3 do niego samego; generacja go "
                 u"pomija. Można go usunąć: „Usuń > Element” 3."_s));
    QCOMPARE(r.state->highlights.elements, std::vector<int32_t>({1, 2, 3}));  // all that is listed, in red

    // It meshes (at full size under a large limit) with the progress
    // window of a generation, and "Anuluj" ends it with nothing said.
    r.prompter.log.clear();
    r.prompter.progressShown.clear();
    r.commands->mesh().mesherOptions().helperPath = FAKE_MESHER_PATH;
    r.commands->mesh().mesherOptions().extraArgs = {"hang"};
    r.commands->mesh().mesherOptions().timeLimit = std::chrono::minutes(10);
    r.model().ElementTable[3] = Element{3, 1, 1, 1};
    r.prompter.cancelAtPump = 2;
    r.commands->run(&MeshCommands::checkModel);
    QCOMPARE(r.prompter.progressShown, QStringList({u"Sprawdź model: Trwa sprawdzanie modelu…"_s}));
    QVERIFY(r.prompter.log.isEmpty());
  }

  // While the helper works the window keeps handling its events; a message
  // or a command started from there would run inside the generation.
  void nothingStartsWhileAGenerationWaits() {
    Rig r;
    r.triangle();
    r.commands->mesh().mesherOptions().helperPath = FAKE_MESHER_PATH;
    r.commands->mesh().mesherOptions().extraArgs = {"slow"};
    bool fired = false;
    QTimer::singleShot(0, r.commands.get(), [&] {
      fired = true;
      r.commands->gridLimitReached();
      r.commands->run(&FileCommands::newProject);
      r.commands->run(&MeshCommands::generateMesh);
    });
    r.prompter.inputs = {u"10"_s};
    r.commands->mesh().generateMesh();
    QVERIFY(fired);
    QCOMPARE(r.model().nodeCount, 3);
    QCOMPARE(r.prompter.log, QStringList({kAreaPrompt, kSucceeded, kGridLimit}));
    QVERIFY(!r.commands->generating());
    r.commands->gridLimitReached();
    QCOMPARE(r.prompter.log.last(), kGridLimit);
    QCOMPARE(r.repaints->count(), 3);
  }

  void exportWritesTheLayoutOfTheNameWithItsMessage() {
    QTemporaryDir dir;
    Rig r;
    r.commands->files().exportMesh();
    QCOMPARE(r.prompter.log, QStringList({u"stop Eksport do...: Siatka nie została wygenerowana"_s}));
    r.triangle();
    r.prompter.inputs = {u"10"_s};
    r.commands->mesh().generateMesh();
    r.prompter.log.clear();
    const QStringList names = {u"a.m2d"_s, u"a.N2D"_s, u"a.ulx"_s, u"a.Ulx"_s};
    for (const QString& name : names) r.prompter.fileNames.push_back(dir.filePath(name));
    r.prompter.fileNames.insert(r.prompter.fileNames.end(), {std::nullopt, dir.filePath(u"x/y.m2d"_s)});
    for (int i = 0; i < 6; ++i) r.commands->files().exportMesh();
    const QString korbel = u"plain Eksport do MES 2D KORBELA: Plik wyeksportowano poprawnie"_s;
    QCOMPARE(
        r.prompter.messages(),
        QStringList({korbel, u"plain Eksport do MES 2D KORBELA NIELINIOWA: Plik wyeksportowano poprawnie"_s,
                     korbel, u"note Błąd operacji dyskowej: Nie można zapisać do pliku"_s}));
    for (const QString& name : names) QVERIFY(QFileInfo::exists(dir.filePath(name)));
    const FileDialogOptions& options = r.prompter.fileDialogs[0];
    QCOMPARE(options.title, u"Eksport siatki"_s);
    QCOMPARE(options.defaultSuffix, u"m2d"_s);
    QVERIFY(!options.confirmOverwrite);
    QCOMPARE(options.filters,
             QStringList({u"Pliki DEV2O Korbela (*.m2d)"_s, u"Pliki ULMEX (*.ulx)"_s,
                          u"Pliki Korbela nieliniowa  (*.n2d)"_s, u"Wszystkie pliki (*.*)"_s}));
  }

  // The large limit: chosen in its dialog (a count out of range is refused
  // and the dialog stays), shown on the status bar and in the area prompt;
  // a mesh past it is refused with its count, one past the layouts' limits
  // is refused by "Eksportuj do"; switched off, all is as before.
  void largeLimitSwitchAndItsRefusals() {
    Rig r;
    r.triangle();
    QSignalSpy limitTexts(r.commands.get(), &Commands::meshLimitChanged);
    const auto choose = [&r](const char* radio, const QString& count) {
      r.withDialog(&MeshCommands::chooseLimit, [radio, count](QDialog& d) {
        d.findChild<QRadioButton*>(QString::fromLatin1(radio))->setChecked(true);
        d.findChild<QLineEdit*>(u"trojkaty"_s)->setText(count);
        d.findChild<QPushButton*>(u"OK"_s)->click();
        return d.result();
      });
    };
    choose("duze", u"1500"_s);
    QCOMPARE(r.prompter.messages(),
             QStringList({u"note Limit siatki: Podaj liczbę trójkątów od 2 000 do 5 000 000."_s}));
    QVERIFY(limitTexts.isEmpty() && r.commands->mesh().mesherOptions().limits == MeshLimits{});
    choose("duze", u"20 000"_s);
    QCOMPARE(r.commands->mesh().mesherOptions().limits, LargeMeshLimits(20000));
    QCOMPARE(limitTexts.last().at(0).toString(), u"Duże siatki ≤ 20 000"_s);

    r.prompter.log.clear();
    const QChar dp = QLatin1Char(UserDecimalPoint());
    r.prompter.inputs = {u"0"_s + dp + u"001"_s, u"0"_s + dp + u"01"_s};
    r.commands->mesh().generateMesh();
    r.commands->mesh().generateMesh();
    const QString prompt = kAreaPrompt + u"\n(Duże siatki: do 20 000 trójkątów)"_s;
    const QString overflow =
        u"stop Generacja siatki: Siatka miałaby co najmniej 50 000 trójkątów, więcej niż "
        u"limit 20 000.\nZwiększ pole trójkąta (na przykład do "_s;
    QCOMPARE(r.prompter.log.size(), 5);
    QVERIFY2(r.prompter.log.at(1).startsWith(overflow), qPrintable(r.prompter.log.at(1)));
    QCOMPARE(r.prompter.log, QStringList({prompt, r.prompter.log.at(1), kFailed, prompt, kSucceeded}));
    QVERIFY(r.model().meshTriangleCount > kMaxMeshTriangles);
    // The area offered fits the limit.
    const QString offered = r.prompter.log.at(1).mid(overflow.size()).section(u')', 0, 0);
    Model fitted = r.model();
    r.prompter.inputs = {offered};
    r.commands->mesh().generateMesh();
    QCOMPARE(r.prompter.log.last(), kSucceeded);
    r.model() = fitted;
    r.prompter.log.clear();
    r.commands->files().exportMesh();
    QCOMPARE(
        r.prompter.log,
        QStringList(
            {u"stop Eksport do...: Siatka ma %1 trójkątów i %2 węzłów, a ten format przyjmuje "
             u"najwyżej 1 999 trójkątów i 999 węzłów. Taką siatkę zapisuje \"Plik > Eksportuj do "
             u"formatu otwartego...\"."_s.arg(QString::fromStdString(Thousands(r.model().meshTriangleCount)),
                                              QString::fromStdString(Thousands(r.model().meshNodeCount)))}));

    choose("podstawowy", u"20000"_s);
    QCOMPARE(limitTexts.last().at(0).toString(), QString());
    QCOMPARE(r.commands->mesh().mesherOptions().limits, MeshLimits{});
    r.prompter.log.clear();
    r.prompter.inputs = {u"0"_s + dp + u"01"_s};
    r.commands->mesh().generateMesh();
    QCOMPARE(r.prompter.log.mid(0, 3),
             QStringList(
                 {kAreaPrompt, u"stop Generacja siatki: Zbyt duża liczba elementów lub węzłów"_s, kFailed}));
  }

  // A mesh past the solver layouts' limits: its statistics add up, its list
  // holds every line, made as shown.
  void statisticsAndListOfALargeMesh() {
    Rig r;
    r.commands->mesh().showStatistics();
    QCOMPARE(r.prompter.log, QStringList({u"stop Statystyka siatki: Siatka nie została wygenerowana"_s}));
    r.triangle();
    r.commands->mesh().mesherOptions().limits = LargeMeshLimits(100000);
    r.prompter.inputs = {u"0"_s + QLatin1Char(UserDecimalPoint()) + u"005"_s};
    r.commands->mesh().generateMesh();
    const int32_t triangles = r.model().meshTriangleCount, nodes = r.model().meshNodeCount;
    QVERIFY(triangles > kMaxMeshTriangles);
    r.withDialog(&MeshCommands::showStatistics, [&](QDialog& d) {
      const auto& window = static_cast<MeshStatisticsWindow&>(d);
      const MeshStatistics& s = window.statistics();
      const auto& b = s.smallestAngles;
      [&] {
        QCOMPARE(std::accumulate(b.begin(), b.end(), 0), triangles);
        QCOMPARE(std::accumulate(b.begin(), b.begin() + 10, 0), 0);  // Triangle keeps every angle over 20°
        QVERIFY(std::abs(s.totalArea - 50.0) < 1e-3 && s.smallestAngle > 20.0 && s.largestAngle < 140.0);
        QCOMPARE(QString(window.figures().at(1)).remove(u' '), u"Trójkąty:%1"_s.arg(triangles));
        QVERIFY(d.findChild<QWidget*>(u"histogram"_s)->isVisible());
        QCOMPARE(window.computations(), 1);  // shown and activated: computed once
        // The count scale: its top is the largest bucket.
        QCOMPARE(d.findChild<QLabel*>(u"skala"_s)->text().remove(u' ').toInt(),
                 *std::max_element(b.begin(), b.end()));
      }();
      return int(QDialog::Accepted);
    });
    r.withDialog(&MeshCommands::showStatistics, [&](QDialog& d) {
      [&] { QCOMPARE(static_cast<MeshStatisticsWindow&>(d).computations(), 1); }();  // the same mesh again
      return int(QDialog::Accepted);
    });
    r.withDialog(&ListCommands::listMesh, [&](QDialog& d) {
      const QStringList lines = static_cast<LineListWindow&>(d).lines();
      [&] {
        QCOMPARE(lines.size(), 2 + nodes + triangles);
        QCOMPARE(lines.at(nodes + 1), u"Nr elementu, węzeł 1,2,3"_s);
        QVERIFY(lines.last().startsWith(QString::number(triangles) + u' '));
      }();
      return int(QDialog::Accepted);
    });
  }

  // Bars in proportion to the tallest; one triangle still shows.
  void histogramBarsShowEveryTriangle() {
    const int cases[][4] = {{0, 100, 150, 0},
                            {1, 41'000, 150, 1},
                            {41'000, 41'000, 150, 150},
                            {20'500, 41'000, 150, 75},
                            {0, 0, 150, 0}};
    for (const auto& [count, most, span, height] : cases)
      QCOMPARE(HistogramBarHeight(count, most, span), height);
  }

  // "Anuluj" ends the helper (here one that never answers) and leaves the
  // model and its mesh exactly as they were: no step, no message.
  void cancelLeavesEverythingAsItWas() {
    Rig r;
    r.triangle();
    r.prompter.inputs = {u"10"_s, u"1"_s};
    r.commands->run(&MeshCommands::generateMesh);
    const auto before = std::make_unique<Model>(r.model());
    const std::string step = r.state->history.undoName();
    const std::string helper = r.commands->mesh().mesherOptions().helperPath;
    r.commands->mesh().mesherOptions().helperPath = FAKE_MESHER_PATH;
    r.commands->mesh().mesherOptions().extraArgs = {"hang"};
    r.commands->mesh().mesherOptions().timeLimit = std::chrono::minutes(10);
    r.prompter.cancelAtPump = 2;
    r.prompter.log.clear();
    r.commands->run(&MeshCommands::generateMesh);
    QCOMPARE(r.prompter.log, QStringList({kAreaPrompt}));
    QCOMPARE(r.prompter.progressShown.size(), 2);
    QVERIFY(SameModel(*before, r.model()));
    QVERIFY(r.model().MeshTriangleTable.sharesRowsWith(before->MeshTriangleTable));
    QCOMPARE(r.state->history.undoName(), step);
    QVERIFY(!r.state->history.canRedo());

    // A cancel that comes as the helper answers, before the mesh is taken,
    // wins too; and an area too small to write never reaches the helper.
    r.commands->mesh().mesherOptions().helperPath = helper;
    r.commands->mesh().mesherOptions().extraArgs = {};
    r.prompter.cancelAtPump = 0;
    r.prompter.cancelAtFinish = true;
    r.prompter.inputs = {u"0"_s + QLatin1Char(UserDecimalPoint()) + u"5"_s,
                         u"0"_s + QLatin1Char(UserDecimalPoint()) + u"01"_s};  // a success, an overflow
    r.commands->run(&MeshCommands::generateMesh);
    r.commands->run(&MeshCommands::generateMesh);
    QCOMPARE(r.prompter.log, QStringList({kAreaPrompt, kAreaPrompt, kAreaPrompt}));
    QVERIFY(SameModel(*before, r.model()));
    QCOMPARE(r.state->history.undoName(), step);
    r.prompter.cancelAtFinish = false;
    r.commands->mesh().mesherOptions().helperPath = "/nonexistent";
    r.prompter.inputs = {u"0"_s + QLatin1Char(UserDecimalPoint()) + u"0000001"_s};
    r.commands->run(&MeshCommands::generateMesh);
    QCOMPARE(r.prompter.messages(),
             QStringList(
                 {u"stop Generacja siatki: Pole trójkąta 0"_s + QLatin1Char(UserDecimalPoint()) +
                      u"0000001 jest za małe: program generujący siatkę dostaje pole zaokrąglone do sześciu "
                      u"miejsc po przecinku, a to byłoby równe 0."_s,
                  kFailed}));
  }

  // The name's extension picks MSH or VTU, the filter picks the MSH version
  // and any other extension; the files are those the command line makes.
  void openExportMatchesTheCommandLine() {
    QTemporaryDir dir;
    Rig r;
    r.commands->files().exportOpenFormat();
    QCOMPARE(r.prompter.log, QStringList({u"stop Eksport do...: Siatka nie została wygenerowana"_s}));
    const std::string project = TestData("physics.vdk");
    QVERIFY(LoadProjectFile(project, r.model()).ok);
    r.prompter.inputs = {u"10"_s};
    r.commands->mesh().generateMesh();
    r.prompter.log.clear();
    const std::tuple<QString, int, const char*> cases[] = {{u"a.msh"_s, 0, "4.1"},
                                                           {u"b.msh"_s, 1, "2.2"},
                                                           {u"c.vtu"_s, 1, "vtu"},
                                                           {u"d.dat"_s, 2, "vtu"},
                                                           {u"e.MSH"_s, 1, "2.2"}};
    for (const auto& [name, filter, format] : cases) {
      r.prompter.fileNames.push_back(dir.filePath(name));
      r.prompter.filterChoices.push_back(filter);
    }
    r.prompter.fileNames.insert(r.prompter.fileNames.end(), {std::nullopt, dir.filePath(u"x/y.msh"_s)});
    for (size_t i = 0; i < std::size(cases) + 2; ++i) r.commands->files().exportOpenFormat();
    const QString done = u": Plik wyeksportowano poprawnie"_s;
    QCOMPARE(r.prompter.messages(),
             QStringList({u"plain Eksport do Gmsh MSH 4.1"_s + done,
                          u"plain Eksport do Gmsh MSH 2.2"_s + done, u"plain Eksport do VTK"_s + done,
                          u"plain Eksport do VTK"_s + done, u"plain Eksport do Gmsh MSH 2.2"_s + done,
                          u"note Błąd operacji dyskowej: Nie można zapisać do pliku"_s}));
    std::ostringstream sink;
    for (const auto& [name, filter, format] : cases) {
      const std::string cli =
          dir.filePath(u"cli"_s).toStdString() + (format == std::string("vtu") ? ".vtu" : ".msh");
      std::vector<std::string> args = {"--export", cli, "--area", "10", project};
      if (format == std::string("2.2")) args.insert(args.begin(), {"--msh-version", "2.2"});
      QCOMPARE(RunBatchExport(args, r.commands->mesh().mesherOptions(), sink), 0);
      QCOMPARE(ReadFileBytes(dir.filePath(name).toStdString()), ReadFileBytes(cli));
    }
    const FileDialogOptions& options = r.prompter.fileDialogs[0];
    QCOMPARE(options.title, u"Eksport siatki do formatu otwartego"_s);
    QVERIFY(options.confirmOverwrite && options.chosenFilter != nullptr);
    QCOMPARE(options.filters,
             QStringList({u"Gmsh MSH 4.1 (*.msh)"_s, u"Gmsh MSH 2.2 (*.msh)"_s, u"VTK XML (*.vtu)"_s}));

    // Elements naming what does not exist are named after the success; a
    // degenerate mesh is refused before a file is asked for.
    r.model().ElementTable[2].bcNumber = 9;
    r.model().ElementTable[7].boundaryNumber = 0;
    r.prompter.inputs = {u"10"_s};
    r.commands->mesh().generateMesh();
    r.prompter.log.clear();
    r.prompter.fileNames = {dir.filePath(u"f.msh"_s)};
    r.commands->files().exportOpenFormat();
    r.model().MeshNodeTable[2] = r.model().MeshNodeTable[1];
    const std::optional<std::string> refusal = OpenExportRefusal(r.model());
    QVERIFY(refusal.has_value());
    r.commands->files().exportOpenFormat();
    QCOMPARE(r.prompter.messages(),
             QStringList({u"plain Eksport do Gmsh MSH 4.1: Plik wyeksportowano poprawnie\n"
                          u"Elementy wskazujące nieistniejący warunek lub brzeg: 2, 7."_s,
                          u"stop Eksport do...: "_s + QString::fromStdString(*refusal)}));
    QCOMPARE(r.prompter.fileDialogs.size(), std::size(cases) + 3);
  }

  void viewCommandsMeshTickAndAbout() {
    Rig r;
    r.view().viewXMax = 6;  // zoom in stops at four grid steps
    r.commands->view().zoomIn();
    r.commands->view().showAll();
    QCOMPARE(r.repaints->count(), 1);
    (void)AppendNode(r.model(), Node{5.3f, 7.9f});
    r.commands->view().showAll();
    QCOMPARE(r.repaints->count(), 2);

    QSignalSpy ticks(r.commands.get(), &Commands::meshShownChanged);
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

  // A band from a node far off the surface: its area still covers the cursor.
  void overlayAreaOfAFarBandCoversTheCursor() {
    Rig r;
    QSignalSpy areas(r.commands.get(), &Commands::overlayChanged);
    r.view().scale = 10;
    r.commands->contours().startPolyline();
    r.commands->contours().mouseDown(Qt::LeftButton, 50, 50, 436);
    r.model().NodeTable[1] = Node{3e38f, 3e38f};
    for (const QPoint cursor : {QPoint(100, 100), QPoint(200, 300)}) {
      r.commands->contours().cursorMoved(cursor.x(), cursor.y(), 436);
      QVERIFY(areas.last().at(0).toRect().contains(cursor));
    }
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
    r.commands->markClean();
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
    QSignalSpy status(r.commands.get(), &CommandContext::statusTextChanged);
    r.prompter.inputs = {u"1-2"_s};
    r.commands->run(&PhysicsCommands::selectByNumbers);
    r.commands->run(&HistoryCommands::undo);
    QCOMPARE(status.last(), QVariantList({4, u"Wybrane elementy: 0"_s}));
    m.elementCount = 0;
    r.prompter.log.clear();
    r.commands->run(&PhysicsCommands::selectByNumbers);
    QCOMPARE(r.prompter.log, QStringList({u"plain Wybór elementów: Brak elementów..."_s}));
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
         u"stop Warunki brzegowe: Zła wartość: T [°C]"_s},
        {r.call(&PhysicsCommands::editProblem),
         {{"zadanie", u"4"_s}, {"wlasnosc1", u"2,1e11"_s}, {"wlasnosc2", u"ν"_s}},
         "OK",
         "wlasnosc2",
         u"stop Zadanie i własności: Zła wartość: liczba Poissona ν"_s},
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

  // Tabbing runs through the controls, then OK and Anuluj; a dialog opens
  // with the focus on the first in that chain, so Return means OK.
  void dialogsTabThroughTheirControlsBeforeTheButtons() {
    Rig r;
    QStringList chains;
    for (QDialog* d : std::initializer_list<QDialog*>{
             &r.commands->view().screenSettingsDialog(), &r.commands->view().gridDialog(),
             &r.commands->view().regionDialog(), &r.commands->contours().ellipseDialog(),
             &r.commands->nodes().nodeDialog(), &r.commands->numberPrompt(),
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

  void generalTextIsFixedFromTenToTheMinusFiveToBelowTenToTheFifteen() {
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    for (const std::string& line : DataLines("general-text.txt")) {
      const QStringList fields = QString::fromStdString(line).split('\t');
      QCOMPARE(GeneralText(fields[0].toDouble()), fields[1]);
    }
  }
};

}  // namespace

QTEST_MAIN(CommandsTest)
#include "tst_commands.moc"
