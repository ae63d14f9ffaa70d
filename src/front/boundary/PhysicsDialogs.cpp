#include "front/boundary/PhysicsDialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <string_view>

#include "core/boundary/Codes.h"
#include "core/boundary/Physics.h"
#include "core/state/AppState.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/Prompter.h"

namespace {

QString Text(std::string_view s) {
  return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// Why row k cannot go; `row` names the table's row in the genitive
// ("warunku", "brzegu").
QString Refusal(const DeletionResult& r, const QString& row, int32_t k) {
  if (r.result == RowDeletion::First) {
    return row.left(1).toUpper() + row.mid(1) + QStringLiteral(" 1 nie można usunąć.");
  }
  return QStringLiteral("Nie można usunąć %1 %2: jest przypisany do %3.")
      .arg(row)
      .arg(k)
      .arg(r.users == 1 ? QStringLiteral("1 elementu") : QStringLiteral("%1 elementów").arg(r.users));
}

}  // namespace

TableDialog::TableDialog(const QString& name, const QString& caption, AppState& state, Prompter& prompter,
                         QWidget* parent)
    : FormDialog(name, caption, prompter, parent, QStringLiteral("OK"), QString()),
      state_(state),
      list_(new QListWidget(this)),
      kind_(new QComboBox(this)) {
  list_->setObjectName(QStringLiteral("lista"));
  list_->setFixedSize(400, 150);
  kind_->setObjectName(QStringLiteral("rodzaj"));
  connect(list_, &QListWidget::currentRowChanged, this, [this](int r) {
    if (r >= 0) showRow(r + 1);
  });
}

void TableDialog::setEditor(QLayout* editor) {
  auto* buttons = new QHBoxLayout;
  const std::pair<const char*, const char*> names[] = {
      {"dodaj", "Dodaj"}, {"zmien", "Zmień"}, {"usun", "Usuń"}};
  for (const auto& [name, caption] : names) {
    auto* b = new QPushButton(QString::fromUtf8(caption), this);
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
  // The editor shows only the values in use: the dialog fits what it shows.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TableDialog::refresh() {
  const int32_t keep = std::max(row(), 1);
  const QSignalBlocker quiet(list_);
  list_->clear();
  list_->addItems(rowTexts());
  selectRow(std::min<int32_t>(keep, list_->count()));
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
  accept();
}

void TableDialog::fillKinds(const std::vector<std::pair<QString, float>>& kinds, float current) {
  const QSignalBlocker quiet(kind_);
  kind_->clear();
  for (const auto& [word, code] : kinds) kind_->addItem(word, code);
  if (kind_->findData(current) < 0)
    kind_->addItem(QStringLiteral("kod %1").arg(GeneralText(current)), current);
  kind_->setCurrentIndex(kind_->findData(current));
}

float TableDialog::chosenKind() const {
  return kind_->currentData().toFloat();
}

ConditionsDialog::ConditionsDialog(AppState& state, Prompter& prompter, QWidget* parent)
    : TableDialog(QStringLiteral("Twarunki"), QStringLiteral("Warunki brzegowe"), state, prompter, parent) {
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Rodzaj"), this), 0, 0);
  grid->addWidget(kind_, 0, 1);
  for (int i = 0; i < 6; ++i) {
    labels_[i] = new QLabel(this);
    values_[i] = field(QStringLiteral("w%1").arg(i + 1));
    grid->addWidget(labels_[i], i + 1, 0);
    grid->addWidget(values_[i], i + 1, 1);
  }
  setEditor(grid);
  connect(kind_, &QComboBox::currentIndexChanged, this, [this] { relabel(); });
}

QStringList ConditionsDialog::rowTexts() const {
  const Model& m = state_.model;
  QStringList lines;
  for (int32_t i = 1; i <= m.bcCount; ++i)
    lines << Text(ConditionText(i, m.BcTable[i], m.ProblemKind, UserDecimalPoint()));
  return lines;
}

void ConditionsDialog::showRow(int32_t r) {
  const Model& m = state_.model;
  const BoundaryCondition& c = m.BcTable[r];
  std::vector<std::pair<QString, float>> kinds;
  for (float code : ConditionKinds(m.ProblemKind)) {
    kinds.push_back({Text(ConditionKindWord(m.ProblemKind, code)), code});
  }
  fillKinds(kinds, c.kind);
  const float values[] = {c.value1, c.value2, c.value3, c.value4, c.value5, c.value6};
  for (int i = 0; i < 6; ++i) values_[i]->setText(GeneralText(values[i]));
  relabel();
}

void ConditionsDialog::relabel() {
  const std::vector<std::string> labels = ValueLabels(state_.model.ProblemKind, chosenKind());
  for (size_t i = 0; i < 6; ++i) {
    const bool used = i < labels.size();
    labels_[i]->setText(used ? Text(labels[i]) : QString());
    labels_[i]->setVisible(used);
    values_[i]->setVisible(used);
  }
}

bool ConditionsDialog::readValues(BoundaryCondition& c) {
  float* values[] = {&c.value1, &c.value2, &c.value3, &c.value4, &c.value5, &c.value6};
  float read[6];
  const size_t used = ValueLabels(state_.model.ProblemKind, chosenKind()).size();
  for (size_t i = 0; i < used; ++i) {
    const std::optional<float> v = ParseFloat(values_[i]->text());
    if (!v) {
      prompter_.message(QStringLiteral("Zła wartość: %1").arg(labels_[i]->text()), windowTitle(),
                        MessageIcon::Stop);
      return false;
    }
    read[i] = *v;
  }
  for (size_t i = 0; i < used; ++i) *values[i] = read[i];
  c.kind = chosenKind();
  return true;
}

void ConditionsDialog::addRow() {
  Model& m = state_.model;
  if (FreeRows(m, ModelTable::Conditions) == 0) {
    prompter_.message(Text(CapacityMessage(ModelTable::Conditions)), windowTitle(), MessageIcon::Stop);
    return;
  }
  BoundaryCondition c;
  if (!readValues(c)) return;
  const int32_t added = AppendCondition(m, c);
  refresh();
  selectRow(added);
}

void ConditionsDialog::changeRow(int32_t r) {
  BoundaryCondition c = state_.model.BcTable[r];
  if (!readValues(c)) return;
  state_.model.BcTable[r] = c;
  refresh();
}

void ConditionsDialog::deleteRow(int32_t r) {
  const DeletionResult result = DeleteCondition(state_.model, r);
  if (result.result != RowDeletion::Deleted) {
    prompter_.message(Refusal(result, QStringLiteral("warunku"), r), windowTitle(), MessageIcon::Stop);
    return;
  }
  refresh();
}

BoundariesDialog::BoundariesDialog(AppState& state, Prompter& prompter, QWidget* parent)
    : TableDialog(QStringLiteral("Tbrzegi"), QStringLiteral("Brzegi"), state, prompter, parent) {
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Rodzaj"), this), 0, 0);
  grid->addWidget(kind_, 0, 1);
  setEditor(grid);
}

QStringList BoundariesDialog::rowTexts() const {
  const Model& m = state_.model;
  QStringList lines;
  for (int32_t i = 1; i <= m.boundaryCount; ++i) lines << Text(BoundaryText(i, m.BoundaryTable[i]));
  return lines;
}

void BoundariesDialog::showRow(int32_t r) {
  fillKinds({{Text(BoundaryKindWord(kBoundaryOuter)), float(kBoundaryOuter)},
             {Text(BoundaryKindWord(kBoundaryInner)), float(kBoundaryInner)}},
            float(state_.model.BoundaryTable[r].kind));
}

void BoundariesDialog::addRow() {
  Model& m = state_.model;
  if (FreeRows(m, ModelTable::Boundaries) == 0) {
    prompter_.message(Text(CapacityMessage(ModelTable::Boundaries)), windowTitle(), MessageIcon::Stop);
    return;
  }
  const int32_t added = AppendBoundary(m, Boundary{int32_t(chosenKind())});
  refresh();
  selectRow(added);
}

void BoundariesDialog::changeRow(int32_t r) {
  state_.model.BoundaryTable[r].kind = int32_t(chosenKind());
  refresh();
}

void BoundariesDialog::deleteRow(int32_t r) {
  const DeletionResult result = DeleteBoundary(state_.model, r);
  if (result.result != RowDeletion::Deleted) {
    prompter_.message(Refusal(result, QStringLiteral("brzegu"), r), windowTitle(), MessageIcon::Stop);
    return;
  }
  refresh();
}

ProblemDialog::ProblemDialog(AppState& state, Prompter& prompter, QWidget* parent)
    : FormDialog(QStringLiteral("Tzadanie"), QStringLiteral("Zadanie i własności"), prompter, parent),
      state_(state),
      kind_(new QComboBox(this)) {
  kind_->setObjectName(QStringLiteral("zadanie"));
  kind_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Zadanie"), this), 0, 0);
  grid->addWidget(kind_, 0, 1);
  const char* names[] = {"wlasnosc1", "wlasnosc2"};
  for (int i = 0; i < 2; ++i) {
    labels_[i] = new QLabel(this);
    values_[i] = field(QString::fromLatin1(names[i]));
    grid->addWidget(labels_[i], i + 1, 0);
    grid->addWidget(values_[i], i + 1, 1);
  }
  setContent(grid);
  connect(kind_, &QComboBox::currentIndexChanged, this, [this] { relabel(); });
}

void ProblemDialog::refresh() {
  const Model& m = state_.model;
  {
    const QSignalBlocker quiet(kind_);
    kind_->clear();
    for (int32_t kind : kProblemKinds) kind_->addItem(Text(ProblemName(kind)), kind);
    if (kind_->findData(m.ProblemKind) < 0)
      kind_->addItem(QStringLiteral("kod %1").arg(m.ProblemKind), m.ProblemKind);
    kind_->setCurrentIndex(kind_->findData(m.ProblemKind));
  }
  values_[0]->setText(GeneralText(m.Conductivity));
  values_[1]->setText(GeneralText(m.SecondProperty));
  relabel();
}

void ProblemDialog::relabel() {
  const std::vector<std::string> labels = PropertyLabels(kind_->currentData().toInt());
  for (int i = 0; i < 2; ++i) labels_[i]->setText(Text(labels[size_t(i)]));
}

void ProblemDialog::okClicked() {
  float read[2];
  for (int i = 0; i < 2; ++i) {
    const std::optional<float> v = ParseFloat(values_[i]->text());
    if (!v) {
      prompter_.message(QStringLiteral("Zła wartość: %1").arg(labels_[i]->text()), windowTitle(),
                        MessageIcon::Stop);
      return;
    }
    read[i] = *v;
  }
  Model& m = state_.model;
  m.ProblemKind = kind_->currentData().toInt();
  m.Conductivity = read[0];
  m.SecondProperty = read[1];
  accept();
}
