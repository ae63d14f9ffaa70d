#include "front/boundary/PhysicsDialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <cmath>
#include <limits>
#include <string_view>

#include "core/boundary/Codes.h"
#include "core/boundary/Physics.h"
#include "core/state/AppState.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/Prompter.h"
#include "front/ui/UiText.h"

namespace {

QString Text(std::string_view s) {
  return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// Why row k of the conditions' or of the boundaries' table cannot go.
QString Refusal(const DeletionResult& r, bool condition, int32_t k) {
  if (r.result == RowDeletion::First) {
    return condition ? Ui("PhysicsDialogs", "Warunku 1 nie można usunąć.")
                     : Ui("PhysicsDialogs", "Brzegu 1 nie można usunąć.");
  }
  if (r.users == 1) {
    return (condition ? Ui("PhysicsDialogs", "Nie można usunąć warunku %1: jest przypisany do 1 elementu.")
                      : Ui("PhysicsDialogs", "Nie można usunąć brzegu %1: jest przypisany do 1 elementu."))
        .arg(k);
  }
  return (condition ? Ui("PhysicsDialogs", "Nie można usunąć warunku %1: jest przypisany do %2 elementów.")
                    : Ui("PhysicsDialogs", "Nie można usunąć brzegu %1: jest przypisany do %2 elementów."))
      .arg(k)
      .arg(r.users);
}

// The problem kind's name, or "kod 11" for a kind that is none of the four.
QString ProblemWord(int32_t kind) {
  const QString name = Text(ProblemName(kind));
  return name.isEmpty() ? Ui("PhysicsDialogs", "kod %1").arg(kind) : name;
}

}  // namespace

QString BadValue(const QString& label, const QString& typed) {
  QString text = Ui("PhysicsDialogs", "Zła wartość: %1").arg(label);
  const std::optional<double> v = ParseTypedNumber(typed);
  if (v && !std::isfinite(float(*v))) {
    const float largest = std::numeric_limits<float>::max();
    text +=
        (*v > 0 ? Ui("PhysicsDialogs", "\nLiczba %1 jest za duża (to pole przyjmuje liczby od %2 do %3).")
                : Ui("PhysicsDialogs", "\nLiczba %1 jest za mała (to pole przyjmuje liczby od %2 do %3)."))
            .arg(typed.trimmed(), FloatText(-largest), FloatText(largest));
  }
  return text;
}

TableDialog::TableDialog(const QString& name, const QString& caption, AppState& state, Prompter& prompter,
                         QWidget* parent)
    : FormDialog(name, caption, prompter, parent),
      state_(state),
      list_(new QListWidget(this)),
      kind_(new QComboBox(this)) {
  list_->setObjectName(QStringLiteral("lista"));
  list_->setFixedSize(400, 150);
  kind_->setObjectName(QStringLiteral("rodzaj"));
  // Whole names from the first opening on: the items come after the first
  // layout, when the dialog is shown.
  kind_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  connect(list_, &QListWidget::currentRowChanged, this, [this](int r) {
    if (r >= 0) showRow(r + 1);
  });
}

void TableDialog::setEditor(QLayout* editor, std::vector<QWidget*> editors) {
  editors_ = std::move(editors);
  auto* buttons = new QHBoxLayout;
  const std::pair<const char*, const char*> names[] = {
      {"dodaj", QT_TRANSLATE_NOOP("PhysicsDialogs", "&Dodaj")},
      {"zmien", QT_TRANSLATE_NOOP("PhysicsDialogs", "&Zmień")},
      {"usun", QT_TRANSLATE_NOOP("PhysicsDialogs", "&Usuń")}};
  for (const auto& [name, caption] : names) {
    auto* b = new QPushButton(Ui("PhysicsDialogs", caption), this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    buttons->addWidget(b);
    const QString which = QString::fromLatin1(name);
    connect(b, &QPushButton::clicked, this, [this, which] {
      if (which == u"dodaj") {
        addRow();
      } else if (row() >= 1) {
        which == u"zmien" ? changeRow(row()) : deleteRow(row());
      }
    });
  }
  buttons->addStretch();
  auto* content = new QVBoxLayout;
  content->addWidget(list_);
  content->addLayout(editor);
  content->addLayout(buttons);
  setContent(content);
  markCancelKey();
  // The editor shows only the values in use: the dialog fits what it shows.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TableDialog::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && std::find(editors_.begin(), editors_.end(), focusWidget()) != editors_.end()) {
    if (row() >= 1) changeRow(row());
    event->accept();
    return;
  }
  FormDialog::keyPressEvent(event);
}

void TableDialog::hideEvent(QHideEvent* event) {
  begun_ = Model();
  FormDialog::hideEvent(event);
}

void TableDialog::refresh() {
  begun_ = state_.model;
  relist(1);
  // Laid out again now, before the first painting, to fit the kinds.
  layout()->activate();
}

void TableDialog::relist(int32_t select) {
  const QSignalBlocker quiet(list_);
  list_->clear();
  list_->addItems(rowTexts());
  selectRow(std::min<int32_t>(select, list_->count()));
}

int32_t TableDialog::row() const {
  return list_->currentRow() + 1;
}

void TableDialog::selectRow(int32_t r) {
  {
    const QSignalBlocker quiet(list_);
    list_->setCurrentRow(r - 1);
  }
  if (r >= 1) showRow(r);
}

void TableDialog::okClicked() {
  state_.model = begun_;
  accept();
}

void TableDialog::fillKinds(const QStringList& words, int current) {
  const QSignalBlocker quiet(kind_);
  kind_->clear();
  kind_->addItems(words);
  kind_->setCurrentIndex(current);
}

void TableDialog::refuseKind(const QString& why) {
  prompter_.message(why, windowTitle(), MessageIcon::Stop);
  focusOn(kind_);
}

ConditionsDialog::ConditionsDialog(AppState& state, Prompter& prompter, QWidget* parent)
    : TableDialog(QStringLiteral("Twarunki"), Ui("PhysicsDialogs", "Warunki brzegowe"), state, prompter,
                  parent) {
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(Ui("PhysicsDialogs", "Rodzaj"), this), 0, 0);
  grid->addWidget(kind_, 0, 1);
  std::vector<QWidget*> editors{kind_};
  for (int i = 0; i < 6; ++i) {
    labels_[i] = new QLabel(this);
    values_[i] = field(QStringLiteral("w%1").arg(i + 1));
    grid->addWidget(labels_[i], i + 1, 0);
    grid->addWidget(values_[i], i + 1, 1);
    editors.push_back(values_[i]);
  }
  setEditor(grid, editors);
  connect(kind_, &QComboBox::currentIndexChanged, this, [this] { relabel(); });
}

QStringList ConditionsDialog::rowTexts() const {
  QStringList lines;
  for (int32_t i = 1; i <= begun_.bcCount; ++i)
    lines << Text(ConditionText(i, begun_.BcTable[i], begun_.ProblemKind, UserDecimalPoint()));
  return lines;
}

void ConditionsDialog::showRow(int32_t r) {
  const BoundaryCondition& c = begun_.BcTable[r];
  codes_ = ConditionKinds(begun_.ProblemKind);
  QStringList words;
  int current = -1;
  for (size_t i = 0; i < codes_.size(); ++i) {
    words << Text(ShownConditionKindWord(begun_.ProblemKind, codes_[i]));
    if (codes_[i] == c.kind) current = int(i);
  }
  ownRow_ = 0;
  if (current < 0) {
    // The row's own code stays on offer; a NaN is kept as it is.
    codes_.push_back(c.kind);
    words << Ui("PhysicsDialogs", "kod %1").arg(FloatText(c.kind));
    current = int(codes_.size()) - 1;
    ownRow_ = r;
  }
  fillKinds(words, current);
  const float values[] = {c.value1, c.value2, c.value3, c.value4, c.value5, c.value6};
  for (int i = 0; i < 6; ++i) values_[i]->setText(FloatText(values[i]));
  relabel();
}

void ConditionsDialog::relabel() {
  const int i = kind_->currentIndex();
  const float code = i >= 0 ? codes_[size_t(i)] : 0.0f;
  const std::vector<std::string> labels = ValueLabels(begun_.ProblemKind, code);
  for (size_t k = 0; k < 6; ++k) {
    const bool used = k < labels.size();
    labels_[k]->setText(used ? Text(labels[k]) : QString());
    labels_[k]->setVisible(used);
    values_[k]->setVisible(used);
  }
}

bool ConditionsDialog::read(BoundaryCondition& c, int32_t own) {
  const int i = kind_->currentIndex();
  const bool ownCode = i >= 0 && ownRow_ != 0 && i == int(codes_.size()) - 1;
  if (i < 0 || (ownCode && ownRow_ != own)) {
    refuseKind(Ui("PhysicsDialogs", "Rodzaju „%1” nie ma w zadaniu „%2”: wybierz jeden z jego rodzajów.")
                   .arg(kind_->currentText(), ProblemWord(begun_.ProblemKind)));
    return false;
  }
  const float code = codes_[size_t(i)];
  float* values[] = {&c.value1, &c.value2, &c.value3, &c.value4, &c.value5, &c.value6};
  float typed[6];
  const size_t used = ValueLabels(begun_.ProblemKind, code).size();
  for (size_t k = 0; k < used; ++k) {
    const std::optional<float> v = ParseCoordinate(values_[k]->text());
    if (!v) {
      prompter_.message(BadValue(labels_[k]->text(), values_[k]->text()), windowTitle(), MessageIcon::Stop);
      focusOn(values_[k]);
      return false;
    }
    typed[k] = *v;
  }
  if (IsDiscFamily(begun_.ProblemKind) && code == kDiscRoller && RollerComponent(typed[0]) < 0) {
    prompter_.message(BadValue(labels_[0]->text(), values_[0]->text()) +
                          Ui("PhysicsDialogs",
                             "\nPodpora przesuwna ustala przemieszczenie ux (składowa 1) albo uy "
                             "(składowa 2): wpisz 1 albo 2."),
                      windowTitle(), MessageIcon::Stop);
    focusOn(values_[0]);
    return false;
  }
  for (size_t k = 0; k < used; ++k) *values[k] = typed[k];
  // The row's own code is the row's already: left untouched, bit for bit.
  if (!ownCode) c.kind = code;
  return true;
}

void ConditionsDialog::addRow() {
  if (FreeRows(begun_, ModelTable::Conditions) == 0) {
    prompter_.message(Text(CapacityMessage(ModelTable::Conditions)), windowTitle(), MessageIcon::Stop);
    return;
  }
  BoundaryCondition c;
  if (!read(c, 0)) return;
  relist(AppendCondition(begun_, c));
}

void ConditionsDialog::changeRow(int32_t r) {
  BoundaryCondition c = begun_.BcTable[r];
  if (!read(c, r)) return;
  begun_.BcTable[r] = c;
  relist(r);
}

void ConditionsDialog::deleteRow(int32_t r) {
  const DeletionResult result = DeleteCondition(begun_, r);
  if (result.result != RowDeletion::Deleted) {
    prompter_.message(Refusal(result, true, r), windowTitle(), MessageIcon::Stop);
    return;
  }
  relist(r);
}

BoundariesDialog::BoundariesDialog(AppState& state, Prompter& prompter, QWidget* parent)
    : TableDialog(QStringLiteral("Tbrzegi"), Ui("PhysicsDialogs", "Brzegi"), state, prompter, parent) {
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(Ui("PhysicsDialogs", "Rodzaj"), this), 0, 0);
  grid->addWidget(kind_, 0, 1);
  setEditor(grid, {kind_});
}

QStringList BoundariesDialog::rowTexts() const {
  QStringList lines;
  for (int32_t i = 1; i <= begun_.boundaryCount; ++i) lines << Text(BoundaryText(i, begun_.BoundaryTable[i]));
  return lines;
}

void BoundariesDialog::showRow(int32_t r) {
  const int32_t kind = begun_.BoundaryTable[r].kind;
  codes_ = {kBoundaryOuter, kBoundaryInner};
  QStringList words;
  for (int32_t code : codes_) words << Text(ShownBoundaryKindWord(code));
  ownRow_ = 0;
  if (kind != kBoundaryOuter && kind != kBoundaryInner) {
    codes_.push_back(kind);
    words << Ui("PhysicsDialogs", "kod %1").arg(kind);
    ownRow_ = r;
  }
  fillKinds(words, int(std::find(codes_.begin(), codes_.end(), kind) - codes_.begin()));
}

bool BoundariesDialog::read(int32_t& kind, int32_t own) {
  const int i = kind_->currentIndex();
  if (i < 0 || (ownRow_ != 0 && i == int(codes_.size()) - 1 && ownRow_ != own)) {
    refuseKind(
        Ui("PhysicsDialogs", "Rodzaj „%1” nie jest rodzajem brzegu: wybierz zewnętrzny albo wewnętrzny.")
            .arg(kind_->currentText()));
    return false;
  }
  kind = codes_[size_t(i)];
  return true;
}

void BoundariesDialog::addRow() {
  if (FreeRows(begun_, ModelTable::Boundaries) == 0) {
    prompter_.message(Text(CapacityMessage(ModelTable::Boundaries)), windowTitle(), MessageIcon::Stop);
    return;
  }
  int32_t kind = 0;
  if (!read(kind, 0)) return;
  relist(AppendBoundary(begun_, Boundary{kind}));
}

void BoundariesDialog::changeRow(int32_t r) {
  int32_t kind = 0;
  if (!read(kind, r)) return;
  begun_.BoundaryTable[r].kind = kind;
  relist(r);
}

void BoundariesDialog::deleteRow(int32_t r) {
  const DeletionResult result = DeleteBoundary(begun_, r);
  if (result.result != RowDeletion::Deleted) {
    prompter_.message(Refusal(result, false, r), windowTitle(), MessageIcon::Stop);
    return;
  }
  relist(r);
}

ProblemDialog::ProblemDialog(AppState& state, Prompter& prompter, QWidget* parent)
    : FormDialog(QStringLiteral("Tzadanie"), Ui("PhysicsDialogs", "Zadanie i własności"), prompter, parent),
      state_(state),
      kind_(new QComboBox(this)) {
  kind_->setObjectName(QStringLiteral("zadanie"));
  kind_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  // The four names are there before the first layout, so the selector
  // fits them from the first opening on.
  for (int32_t kind : kProblemKinds) kind_->addItem(Text(ProblemName(kind)), kind);
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(Ui("PhysicsDialogs", "Zadanie"), this), 0, 0);
  grid->addWidget(kind_, 0, 1);
  const char* names[] = {"wlasnosc1", "wlasnosc2"};
  for (int i = 0; i < 2; ++i) {
    labels_[i] = new QLabel(this);
    values_[i] = field(QString::fromLatin1(names[i]));
    grid->addWidget(labels_[i], i + 1, 0);
    grid->addWidget(values_[i], i + 1, 1);
  }
  setContent(grid);
  markCancelKey();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  connect(kind_, &QComboBox::currentIndexChanged, this, [this] { relabel(); });
}

void ProblemDialog::refresh() {
  const Model& m = state_.model;
  {
    const QSignalBlocker quiet(kind_);
    while (kind_->count() > int(std::size(kProblemKinds))) kind_->removeItem(kind_->count() - 1);
    if (kind_->findData(m.ProblemKind) < 0)
      kind_->addItem(Ui("PhysicsDialogs", "kod %1").arg(m.ProblemKind), m.ProblemKind);
    kind_->setCurrentIndex(kind_->findData(m.ProblemKind));
  }
  values_[0]->setText(FloatText(m.Conductivity));
  values_[1]->setText(FloatText(m.SecondProperty));
  relabel();
  layout()->activate();
}

int32_t ProblemDialog::chosenKind() const {
  return kind_->currentData().toInt();
}

void ProblemDialog::relabel() {
  const std::vector<std::string> labels = PropertyLabels(chosenKind());
  for (int i = 0; i < 2; ++i) labels_[i]->setText(Text(labels[size_t(i)]));
}

QStringList ProblemDialog::rereadConditions(int32_t kind) const {
  const Model& m = state_.model;
  const char dp = UserDecimalPoint();
  QStringList lines;
  for (int32_t i = 1; i <= m.bcCount; ++i) {
    const QString before = Text(ConditionText(i, m.BcTable[i], m.ProblemKind, dp));
    const QString after = Text(ConditionText(i, m.BcTable[i], kind, dp));
    if (before != after) lines << before + QStringLiteral(" → ") + after.section(QStringLiteral(", "), 1, -1);
  }
  return lines;
}

void ProblemDialog::okClicked() {
  float read[2];
  for (int i = 0; i < 2; ++i) {
    const std::optional<float> v = ParseCoordinate(values_[i]->text());
    if (!v) {
      prompter_.message(BadValue(labels_[i]->text(), values_[i]->text()), windowTitle(), MessageIcon::Stop);
      focusOn(values_[i]);
      return;
    }
    read[i] = *v;
  }
  Model& m = state_.model;
  const int32_t kind = chosenKind();
  if (const QStringList reread = rereadConditions(kind); !reread.isEmpty()) {
    const QString question =
        Ui("PhysicsDialogs", "W zadaniu „%1” warunki brzegowe znaczą co innego:\n%2\nZmienić zadanie?")
            .arg(ProblemWord(kind), reread.join(u'\n'));
    if (!prompter_.ask(question, windowTitle())) {
      focusOn(kind_);
      return;
    }
  }
  m.ProblemKind = kind;
  m.Conductivity = read[0];
  m.SecondProperty = read[1];
  accept();
}
