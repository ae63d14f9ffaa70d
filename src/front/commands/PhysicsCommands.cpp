#include "front/commands/PhysicsCommands.h"

#include <QRect>
#include <algorithm>

#include "core/boundary/Physics.h"
#include "core/edit/Contours.h"
#include "front/boundary/PhysicsDialogs.h"
#include "front/commands/CommandContext.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/Prompter.h"
#include "front/ui/UiText.h"

namespace {

QString ConditionTitle() {
  return Ui("PhysicsCommands", "Przypisanie warunku");
}

QString BoundaryTitle() {
  return Ui("PhysicsCommands", "Przypisanie brzegu");
}

constexpr int kPickPixels = 5;  // how far from its line a click still picks an element

QRect DragArea(const EditState& edit) {
  return QRect(QPoint(edit.dragFrom.x, edit.dragFrom.y), QPoint(edit.dragTo.x, edit.dragTo.y))
      .normalized()
      .adjusted(-2, -2, 2, 2);
}

}  // namespace

PhysicsCommands::PhysicsCommands(CommandContext& c)
    : c_(c),
      conditions_([&c] { return std::make_shared<ConditionsDialog>(c.state, c.prompter); }),
      boundaries_([&c] { return std::make_shared<BoundariesDialog>(c.state, c.prompter); }),
      problem_([&c] { return std::make_shared<ProblemDialog>(c.state, c.prompter); }) {}

PhysicsCommands::~PhysicsCommands() = default;

void PhysicsCommands::editConditions() {
  c_.nameStep(Ui("PhysicsCommands", "zmiana warunków brzegowych"));
  c_.prompter.showDialog(*conditions_);
  emit c_.repaintRequested();
}

void PhysicsCommands::editBoundaries() {
  c_.nameStep(Ui("PhysicsCommands", "zmiana brzegów"));
  c_.prompter.showDialog(*boundaries_);
  emit c_.repaintRequested();
}

void PhysicsCommands::editProblem() {
  c_.nameStep(Ui("PhysicsCommands", "zmiana zadania i własności"));
  c_.prompter.showDialog(*problem_);
  emit c_.repaintRequested();
}

void PhysicsCommands::startSelection() {
  EndPolyline(c_.state.edit);
  c_.state.edit.editMode = EditMode::Select;
  c_.showStatus(StatusPanel::Prompt, Ui("PhysicsCommands", "Wskaż elementy myszką"));
  showSelectionStatus();
  emit c_.repaintRequested();
}

void PhysicsCommands::showSelectionStatus() {
  c_.showSelectionCount();
}

void PhysicsCommands::selectByNumbers() {
  const int32_t count = c_.state.model.elementCount;
  const QString title = Ui("PhysicsCommands", "Wybór elementów");
  if (count < 1) {
    c_.prompter.message(Ui("PhysicsCommands", "Brak elementów..."), title, MessageIcon::None);
    return;
  }
  const std::optional<QString> text =
      c_.prompter.input(title, Ui("PhysicsCommands", "Numery elementów od-do (1-%1):").arg(count),
                        QStringLiteral("1-%1").arg(count));
  if (!text) return;
  const QStringList parts = text->split(u'-');
  const std::optional<int32_t> from = parts.size() <= 2 ? ParseInteger(parts[0]) : std::nullopt;
  const std::optional<int32_t> to = parts.size() == 2 ? ParseInteger(parts[1]) : from;
  if (!from || !to || *from < 1 || *to > count || *from > *to) {
    c_.prompter.message(Ui("PhysicsCommands", "Złe numery elementów: podaj od 1 do %1, np. 3-7.").arg(count),
                        title, MessageIcon::Stop);
    return;
  }
  c_.state.selection.clear();
  for (int32_t e = *from; e <= *to; ++e) c_.state.selection.push_back(e);
  showSelectionStatus();
  emit c_.repaintRequested();
}

void PhysicsCommands::clearSelection() {
  c_.state.selection.clear();
  showSelectionStatus();
  emit c_.repaintRequested();
}

bool PhysicsCommands::selectionEmpty(const QString& title) {
  if (!c_.state.selection.empty()) return false;
  c_.prompter.message(Ui("PhysicsCommands",
                         "Nie wybrano żadnego elementu. Wybierz je narzędziem wyboru albo według "
                         "numerów („Fizyka > Wybierz elementy o numerach...”)."),
                      title, MessageIcon::None);
  return true;
}

std::optional<int32_t> PhysicsCommands::askRow(const QString& title, const QString& prompt, Rows rows) {
  const Model& m = c_.state.model;
  const bool conditions = rows == Rows::Conditions;
  const int32_t count = conditions ? m.bcCount : m.boundaryCount;
  const int32_t current = conditions ? m.CurrentBc : m.CurrentBoundary;
  // What each number means, for as many rows as a prompt has room for.
  constexpr int32_t kShown = 12;
  QString meanings;
  for (int32_t i = 1; i <= count && i <= kShown; ++i) {
    meanings += u'\n' + QString::fromStdString(
                            conditions ? ConditionText(i, m.BcTable[i], m.ProblemKind, UserDecimalPoint())
                                       : BoundaryText(i, m.BoundaryTable[i]));
  }
  if (count > kShown) meanings += Ui("PhysicsCommands", "\n… i %1 dalszych").arg(count - kShown);
  const std::optional<QString> text =
      c_.prompter.input(title, prompt.arg(count) + meanings, QString::number(current));
  if (!text) return std::nullopt;
  const std::optional<int32_t> k = ParseInteger(*text);
  if (!k || *k < 1 || *k > count) {
    c_.prompter.message(Ui("PhysicsCommands", "Podaj numer od 1 do %1.").arg(count), title,
                        MessageIcon::Stop);
    return std::nullopt;
  }
  return k;
}

void PhysicsCommands::assignCondition() {
  if (selectionEmpty(ConditionTitle())) return;
  if (const std::optional<int32_t> k =
          askRow(ConditionTitle(), Ui("PhysicsCommands", "Numer warunku (1-%1):"), Rows::Conditions)) {
    c_.nameStep(Ui("PhysicsCommands", "przypisanie warunku %1").arg(*k));
    AssignCondition(c_.state.model, c_.state.selection, *k);
  }
  emit c_.repaintRequested();
}

void PhysicsCommands::assignBoundary() {
  if (selectionEmpty(BoundaryTitle())) return;
  if (const std::optional<int32_t> k =
          askRow(BoundaryTitle(), Ui("PhysicsCommands", "Numer brzegu (1-%1):"), Rows::Boundaries)) {
    c_.nameStep(Ui("PhysicsCommands", "przypisanie brzegu %1").arg(*k));
    AssignBoundary(c_.state.model, c_.state.selection, *k);
  }
  emit c_.repaintRequested();
}

void PhysicsCommands::setCurrentCondition(int32_t k) {
  Model& m = c_.state.model;
  if (c_.busy() || k < 1 || k > m.bcCount || k == m.CurrentBc) return;
  m.CurrentBc = k;
  emit c_.currentPhysicsChanged();
}

void PhysicsCommands::setCurrentBoundary(int32_t k) {
  Model& m = c_.state.model;
  if (c_.busy() || k < 1 || k > m.boundaryCount || k == m.CurrentBoundary) return;
  m.CurrentBoundary = k;
  emit c_.currentPhysicsChanged();
}

void PhysicsCommands::chooseCurrentCondition() {
  if (const std::optional<int32_t> k =
          askRow(Ui("PhysicsCommands", "Bieżący warunek"),
                 Ui("PhysicsCommands", "Warunek brzegowy nowych elementów (1-%1):"), Rows::Conditions)) {
    setCurrentCondition(*k);
  }
}

void PhysicsCommands::chooseCurrentBoundary() {
  if (const std::optional<int32_t> k =
          askRow(Ui("PhysicsCommands", "Bieżący brzeg"),
                 Ui("PhysicsCommands", "Brzeg nowych elementów (1-%1):"), Rows::Boundaries)) {
    setCurrentBoundary(*k);
  }
}

bool PhysicsCommands::mousePressed(Qt::MouseButton button, int x, int y) {
  EditState& edit = c_.state.edit;
  if (edit.editMode != EditMode::Select || button != Qt::LeftButton) return false;
  edit.dragging = true;
  edit.dragFrom = edit.dragTo = {x, y};
  return true;
}

bool PhysicsCommands::mouseMoved(int x, int y) {
  EditState& edit = c_.state.edit;
  if (!edit.dragging) return false;
  const QRect before = DragArea(edit);
  edit.dragTo = {x, y};
  emit c_.overlayChanged(before | DragArea(edit));
  return true;
}

bool PhysicsCommands::mouseReleased(Qt::MouseButton button, int x, int y, Qt::KeyboardModifiers modifiers,
                                    int clientHeight) {
  EditState& edit = c_.state.edit;
  if (!edit.dragging || button != Qt::LeftButton) return false;
  edit.dragging = false;
  edit.dragTo = {x, y};
  emit c_.overlayChanged(DragArea(edit));
  const AppState& s = c_.state;
  const bool adding = (modifiers & Qt::ControlModifier) != 0;
  std::vector<int32_t>& selection = c_.state.selection;
  if (std::abs(x - edit.dragFrom.x) <= 3 && std::abs(y - edit.dragFrom.y) <= 3) {
    const int32_t e = ElementAt(s.model, s.view, clientHeight, x, y, kPickPixels);
    const auto at = std::find(selection.begin(), selection.end(), e);
    if (!adding) {
      selection.clear();
      if (e != 0) selection.push_back(e);
    } else if (at != selection.end()) {
      selection.erase(at);
    } else if (e != 0) {
      selection.push_back(e);
    }
  } else {
    const std::vector<int32_t> inside =
        ElementsWithin(s.model, s.view, clientHeight, edit.dragFrom.x, edit.dragFrom.y, x, y);
    if (!adding) selection.clear();
    selection.insert(selection.end(), inside.begin(), inside.end());
  }
  std::sort(selection.begin(), selection.end());
  selection.erase(std::unique(selection.begin(), selection.end()), selection.end());
  showSelectionStatus();
  emit c_.repaintRequested();
  return true;
}
