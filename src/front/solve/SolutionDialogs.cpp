#include "front/solve/SolutionDialogs.h"

#include <QAbstractListModel>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>

#include "core/field/FieldValues.h"
#include "core/state/AppState.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/Prompter.h"

namespace {

const QString kFieldTitle = QStringLiteral("Pole");

}  // namespace

QString FieldName(FieldKind kind, int32_t problem) {
  const FieldNames names = NamesOfField(problem);
  const auto named = [](const std::string& name, const std::string& unit, const char* how) {
    return QString::fromStdString(unit.empty() ? name : name + " [" + unit + "]") + QString::fromUtf8(how);
  };
  switch (kind) {
    case FieldKind::Potential: return named(names.field, names.fieldUnit, " (w węzłach, interpolowane)");
    case FieldKind::FluxMagnitude: return named(names.flux, names.fluxUnit, " (w elementach)");
    case FieldKind::VonMises: return named("σ_red", "Pa", " (Hubera-Misesa, w elementach)");
    case FieldKind::DisplacementMagnitude: return named("|u|", "m", " (w węzłach, interpolowane)");
    case FieldKind::FluxRecovered: return named(names.flux, names.fluxUnit, " (wygładzone w węzłach)");
    case FieldKind::VonMisesRecovered: return named("σ_red", "Pa", " (Hubera-Misesa, wygładzone w węzłach)");
    case FieldKind::Error: return named("błąd", "%", " (szacowany, w elementach)");
  }
  return {};
}

FieldDialog::FieldDialog(AppState& state, Prompter& prompter, QWidget* parent)
    : FormDialog(QStringLiteral("T_pole"), kFieldTitle, prompter, parent),
      state_(state),
      field_(new QComboBox(this)),
      levels_(field(QStringLiteral("izolinie"))),
      factor_(field(QStringLiteral("powiekszenie"))),
      automatic_(new QLabel(this)) {
  field_->setObjectName(QStringLiteral("pole"));
  automatic_->setObjectName(QStringLiteral("automatyczne"));
  setContent(rows({{QStringLiteral("Pole mapy:"), field_},
                   {QStringLiteral("Liczba izolinii:"), levels_},
                   {QStringLiteral("Powiększenie odkształcenia:"), factor_},
                   {QString(), automatic_}}));
}

void FieldDialog::refresh() {
  const SolutionDisplay& d = state_.solutionDisplay;
  const bool disc = state_.solution && state_.solution->result.disc;
  field_->clear();
  for (FieldKind kind : FieldChoices(disc)) field_->addItem(FieldName(kind, state_.model.ProblemKind));
  field_->setCurrentIndex(std::clamp<int32_t>(d.field, 0, field_->count() - 1));
  levels_->setText(QString::number(d.levels));
  const double automatic = state_.solution && disc ? AutomaticFactor(*state_.solution) : 0.0;
  factor_->setText(d.factor > 0.0 ? GeneralText(d.factor) : QString());
  factor_->setEnabled(disc);
  automatic_->setText(
      disc ? QStringLiteral("Puste pole: powiększenie samoczynne, %1").arg(GeneralText(automatic))
           : QStringLiteral("Odkształcenie rysuje się tylko dla tarczy."));
}

void FieldDialog::okClicked() {
  const std::optional<int32_t> levels = ParseInteger(levels_->text());
  if (!levels || *levels < 1 || *levels > kMaxIsolines) {
    prompter_.message(
        QStringLiteral("Liczba izolinii musi być liczbą całkowitą od 1 do %1.").arg(kMaxIsolines),
        kFieldTitle, MessageIcon::Stop);
    focusOn(levels_);
    return;
  }
  double factor = 0.0;
  if (!factor_->text().trimmed().isEmpty()) {
    const std::optional<double> typed = ParseNumber(factor_->text());
    if (!typed || !(*typed > 0.0)) {
      prompter_.message(QStringLiteral("Powiększenie odkształcenia musi być liczbą dodatnią "
                                       "(puste pole: samoczynne)."),
                        kFieldTitle, MessageIcon::Stop);
      focusOn(factor_);
      return;
    }
    factor = *typed;
  }
  SolutionDisplay& d = state_.solutionDisplay;
  d.field = std::max(0, field_->currentIndex());
  d.levels = *levels;
  d.factor = factor;
  accept();
}

class NodeValueModel : public QAbstractListModel {
 public:
  using QAbstractListModel::QAbstractListModel;
  void fill(std::shared_ptr<const Solution> solution) {
    beginResetModel();
    solution_ = std::move(solution);
    endResetModel();
  }
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() || !solution_ ? 0 : 1 + solution_->model.meshNodeCount;
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return line(index.row());
  }
  QString line(int row) const {
    if (!solution_ || row < 0 || row > solution_->model.meshNodeCount) return {};
    if (row == 0) return QString::fromStdString(NodeValuesHeading(*solution_));
    return QString::fromStdString(NodeValuesLine(*solution_, row, UserDecimalPoint()));
  }

 private:
  std::shared_ptr<const Solution> solution_;
};

ValuesWindow::ValuesWindow(const AppState& state, Prompter& prompter, QWidget* parent)
    : FormDialog(QStringLiteral("T_wartosci"), QStringLiteral("Lista wartości"), prompter, parent,
                 QStringLiteral("OK"), QString()),
      state_(state),
      model_(new NodeValueModel(this)),
      view_(new QListView(this)) {
  view_->setObjectName(QStringLiteral("ListBox1"));
  view_->setModel(model_);
  view_->setUniformItemSizes(true);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setMinimumSize(360, 305);
  auto* content = new QVBoxLayout;
  content->addWidget(view_);
  setContent(content);
  setSizeGripEnabled(true);
}

void ValuesWindow::refresh() {
  model_->fill(state_.solution);
}

void ValuesWindow::okClicked() {
  model_->fill(nullptr);
  accept();
}

int ValuesWindow::lineCount() const {
  return model_->rowCount();
}

QString ValuesWindow::line(int row) const {
  return model_->line(row);
}
