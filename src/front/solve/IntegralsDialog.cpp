#include "front/solve/IntegralsDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "core/boundary/Physics.h"
#include "core/files/ShownName.h"
#include "core/lists/NumberList.h"
#include "core/state/AppState.h"
#include "front/solve/SolutionDialogs.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/UiText.h"

namespace {

QString MaterialLabel(const Model& m, int32_t material) {
  if (material == 0) return Ui("IntegralsDialog", "Materiał własny modelu");
  if (material > m.materialCount) return Ui("IntegralsDialog", "Materiał %1").arg(material);
  return Ui("IntegralsDialog", "Materiał %1 (%2)")
      .arg(QString::number(material), QString::fromStdString(ShownName(m.MaterialTable[material].name)));
}

QString LineText(const IntegralLine& line, char point) {
  return QString::fromStdString(line.label + ": " + SignificantText(line.value, 10, point) +
                                (line.unit.empty() ? "" : " " + line.unit));
}

}  // namespace

IntegralsDialog::IntegralsDialog(const AppState& state, Prompter& prompter, QWidget* parent)
    : FormDialog(QStringLiteral("T_calki"), Ui("IntegralsDialog", "Całki"), prompter, parent,
                 QStringLiteral("OK"), QString()),
      state_(state),
      over_(new QComboBox(this)),
      field_(new QComboBox(this)),
      x_(field(QStringLiteral("punkt_x"), QStringLiteral("0"))),
      y_(field(QStringLiteral("punkt_y"), QStringLiteral("0"))),
      results_(new QPlainTextEdit(this)) {
  over_->setObjectName(QStringLiteral("po_czym"));
  field_->setObjectName(QStringLiteral("pole"));
  results_->setObjectName(QStringLiteral("wyniki_calek"));
  results_->setReadOnly(true);
  results_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  results_->setLineWrapMode(QPlainTextEdit::NoWrap);
  results_->setMinimumSize(420, 180);
  auto* content = new QVBoxLayout;
  content->addLayout(rows({{Ui("IntegralsDialog", "Całkuj po:"), over_},
                           {Ui("IntegralsDialog", "Pole:"), field_},
                           {Ui("IntegralsDialog", "Moment względem x:"), x_},
                           {QStringLiteral("y:"), y_}}));
  content->addWidget(results_);
  setContent(content);
  const auto again = [this] { recompute(); };
  connect(over_, &QComboBox::currentIndexChanged, this, again);
  connect(field_, &QComboBox::currentIndexChanged, this, again);
  connect(x_, &QLineEdit::textChanged, this, again);
  connect(y_, &QLineEdit::textChanged, this, again);
}

void IntegralsDialog::setExtraSource(std::optional<IntegralsSource> source) {
  extra_ = std::move(source);
}

void IntegralsDialog::refresh() {
  // The choice and the field stay where they were while the list still
  // offers them.
  const int was = over_->currentIndex();
  const std::optional<Choice> before =
      was >= 0 && size_t(was) < choices_.size() ? std::optional(choices_[size_t(was)]) : std::nullopt;
  const int fieldWas = field_->currentIndex();
  const QSignalBlocker quietOver(over_), quietField(field_);
  over_->clear();
  field_->clear();
  choices_.clear();
  if (state_.solution) {
    const Solution& s = *state_.solution;
    const Model& m = s.model;
    const char point = UserDecimalPoint();
    if (!state_.selection.empty()) {
      choices_.push_back({Choice::Selection, 0});
      over_->addItem(Ui("IntegralsDialog", "Zaznaczone elementy: %1")
                         .arg(QString::fromStdString(NumberList(state_.selection))));
    }
    for (int32_t k = 1; k <= m.bcCount; ++k) {
      if (ElementsOfCondition(s, k).empty()) continue;
      choices_.push_back({Choice::Condition, k});
      over_->addItem(Ui("IntegralsDialog", "Warunek %1")
                         .arg(QString::fromStdString(ConditionText(k, m.BcTable[k], m.ProblemKind, point))));
    }
    for (int32_t i : MaterialsInMesh(m)) {
      choices_.push_back({Choice::Material, i});
      over_->addItem(MaterialLabel(m, i));
    }
    choices_.push_back({Choice::Region, 0});
    over_->addItem(Ui("IntegralsDialog", "Cały obszar"));
    if (extra_) {
      choices_.push_back({Choice::Extra, 0});
      over_->addItem(extra_->label);
    }
    for (FieldKind kind : FieldChoices(s.result.disc)) field_->addItem(FieldName(kind, m.ProblemKind));
  }
  int index = 0;
  for (size_t i = 0; before && i < choices_.size(); ++i) {
    if (choices_[i] == *before) index = int(i);
  }
  over_->setCurrentIndex(choices_.empty() ? -1 : index);
  field_->setCurrentIndex(fieldWas >= 0 && fieldWas < field_->count() ? fieldWas : 0);
  recompute();
}

void IntegralsDialog::recompute() {
  const int chosen = over_->currentIndex();
  const bool disc = state_.solution && state_.solution->result.disc;
  const bool edges = chosen >= 0 && size_t(chosen) < choices_.size() &&
                     (choices_[size_t(chosen)].kind == Choice::Selection ||
                      choices_[size_t(chosen)].kind == Choice::Condition);
  // Along edges the field is the problem's own; the point only turns the disc's forces.
  field_->setEnabled(!edges);
  x_->setEnabled(disc && edges);
  y_->setEnabled(disc && edges);
  if (!state_.solution || chosen < 0 || size_t(chosen) >= choices_.size()) {
    results_->setPlainText(QString());
    return;
  }
  const Solution& s = *state_.solution;
  const Choice c = choices_[size_t(chosen)];
  const char point = UserDecimalPoint();
  const std::vector<FieldKind> fields = FieldChoices(disc);
  const FieldKind kind = fields[size_t(std::clamp(field_->currentIndex(), 0, int(fields.size()) - 1))];
  std::vector<IntegralLine> lines;
  QString moment;
  if (edges) {
    const std::optional<double> x = ParseTypedNumber(x_->text()), y = ParseTypedNumber(y_->text());
    if (disc && (!x || !y)) {
      results_->setPlainText(Ui("IntegralsDialog",
                                "Współrzędne punktu, względem którego liczy się moment, muszą "
                                "być liczbami."));
      return;
    }
    const std::vector<int32_t> elements =
        c.kind == Choice::Selection ? state_.selection : ElementsOfCondition(s, c.number);
    lines = EdgeLines(s, IntegrateEdges(s, elements, {x.value_or(0.0), y.value_or(0.0)}));
    if (disc) moment = Ui("IntegralsDialog", " względem (%1; %2)").arg(GeneralText(*x), GeneralText(*y));
  } else if (c.kind == Choice::Extra) {
    if (extra_ && extra_->lines) lines = extra_->lines(s, kind);
  } else {
    const FieldValues f = ComputeField(s, kind);
    lines = AreaLines(s, f, IntegrateArea(s, f, c.kind == Choice::Material ? c.number : kWholeRegion));
  }
  QStringList text;
  for (const IntegralLine& line : lines) {
    QString shown = LineText(line, point);
    if (line.key == "moment") shown.insert(QString::fromStdString(line.label).size(), moment);
    text << shown;
  }
  results_->setPlainText(text.join(QLatin1Char('\n')));
}

void IntegralsDialog::okClicked() {
  accept();
}

QStringList IntegralsDialog::lines() const {
  const QString text = results_->toPlainText();
  return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}
