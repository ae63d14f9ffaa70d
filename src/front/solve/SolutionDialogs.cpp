#include "front/solve/SolutionDialogs.h"

#include <QAbstractListModel>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/field/FieldValues.h"
#include "core/files/SafeFile.h"
#include "core/files/WriteCause.h"
#include "core/state/AppState.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/Prompter.h"
#include "front/ui/ShownNames.h"
#include "front/ui/UiText.h"

namespace {

QString FieldTitle() {
  return Ui("SolutionDialogs", "Pole");
}

}  // namespace

QString FieldName(FieldKind kind, int32_t problem) {
  const FieldNames names = NamesOfField(problem);
  const auto named = [](const std::string& name, const std::string& unit, const char* how) {
    return QString::fromStdString(unit.empty() ? name : name + " [" + unit + "]") +
           Ui("SolutionDialogs", how);
  };
  switch (kind) {
    case FieldKind::Potential:
      return named(names.field, names.fieldUnit,
                   QT_TRANSLATE_NOOP("SolutionDialogs", " (w węzłach, interpolowane)"));
    case FieldKind::FluxMagnitude:
      return named(names.flux, names.fluxUnit, QT_TRANSLATE_NOOP("SolutionDialogs", " (w elementach)"));
    case FieldKind::VonMises:
      return named("σ_red", "Pa", QT_TRANSLATE_NOOP("SolutionDialogs", " (Hubera-Misesa, w elementach)"));
    case FieldKind::DisplacementMagnitude:
      return named("|u|", "m", QT_TRANSLATE_NOOP("SolutionDialogs", " (w węzłach, interpolowane)"));
    case FieldKind::FluxRecovered:
      return named(names.flux, names.fluxUnit,
                   QT_TRANSLATE_NOOP("SolutionDialogs", " (wygładzone w węzłach)"));
    case FieldKind::VonMisesRecovered:
      return named("σ_red", "Pa",
                   QT_TRANSLATE_NOOP("SolutionDialogs", " (Hubera-Misesa, wygładzone w węzłach)"));
    case FieldKind::Error:
      return named(Ui("SolutionDialogs", "błąd").toStdString(), "%",
                   QT_TRANSLATE_NOOP("SolutionDialogs", " (szacowany, w elementach)"));
  }
  return {};
}

FieldDialog::FieldDialog(AppState& state, Prompter& prompter, QWidget* parent)
    : FormDialog(QStringLiteral("T_pole"), FieldTitle(), prompter, parent),
      state_(state),
      field_(new QComboBox(this)),
      levels_(field(QStringLiteral("izolinie"))),
      factor_(field(QStringLiteral("powiekszenie"))),
      automatic_(new QLabel(this)) {
  field_->setObjectName(QStringLiteral("pole"));
  automatic_->setObjectName(QStringLiteral("automatyczne"));
  setContent(rows({{Ui("SolutionDialogs", "Pole mapy:"), field_},
                   {Ui("SolutionDialogs", "Liczba izolinii:"), levels_},
                   {Ui("SolutionDialogs", "Powiększenie odkształcenia:"), factor_},
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
      disc ? Ui("SolutionDialogs", "Puste pole: powiększenie samoczynne, %1").arg(GeneralText(automatic))
           : Ui("SolutionDialogs", "Odkształcenie rysuje się tylko dla tarczy."));
}

void FieldDialog::okClicked() {
  const std::optional<int32_t> levels = ParseInteger(levels_->text());
  if (!levels || *levels < 1 || *levels > kMaxIsolines) {
    prompter_.message(
        Ui("SolutionDialogs", "Liczba izolinii musi być liczbą całkowitą od 1 do %1.").arg(kMaxIsolines),
        FieldTitle(), MessageIcon::Stop);
    focusOn(levels_);
    return;
  }
  double factor = 0.0;
  if (!factor_->text().trimmed().isEmpty()) {
    const std::optional<double> typed = ParseNumber(factor_->text());
    if (!typed || !(*typed > 0.0)) {
      prompter_.message(Ui("SolutionDialogs",
                           "Powiększenie odkształcenia musi być liczbą dodatnią "
                           "(puste pole: samoczynne)."),
                        FieldTitle(), MessageIcon::Stop);
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
    : FormDialog(QStringLiteral("T_wartosci"), Ui("SolutionDialogs", "Lista wartości"), prompter, parent,
                 QStringLiteral("OK"), QString()),
      state_(state),
      model_(new NodeValueModel(this)),
      view_(new QListView(this)) {
  view_->setObjectName(QStringLiteral("ListBox1"));
  view_->setModel(model_);
  view_->setUniformItemSizes(true);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setMinimumSize(360, 305);
  auto* save = new QPushButton(Ui("SolutionDialogs", "Zapisz &CSV..."), this);
  save->setObjectName(QStringLiteral("zapiszCsv"));
  save->setAutoDefault(false);
  connect(save, &QPushButton::clicked, this, &ValuesWindow::saveCsv);
  auto* content = new QVBoxLayout;
  content->addWidget(view_);
  content->addWidget(save, 0, Qt::AlignLeft);
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

void ValuesWindow::saveCsv() {
  if (!state_.solution) return;
  const QString title = Ui("SolutionDialogs", "Zapisz CSV");
  FileDialogOptions options;
  options.title = title;
  options.filters = {Ui("SolutionDialogs", "Plik CSV (*.csv)")};
  options.defaultSuffix = QStringLiteral("csv");
  options.confirmOverwrite = true;
  const std::optional<QString> name = prompter_.saveFileName(options);
  if (!name) return;
  const WriteResult written = WriteFileAtomically(LocalPath(*name), NodeValuesCsv(*state_.solution));
  if (!written) {
    const std::string text =
        Ui("SolutionDialogs", "Nie udało się zapisać pliku %1.").arg(ShownName(*name)).toStdString();
    prompter_.message(QString::fromStdString(WithWriteCause(text, written.error)), title, MessageIcon::Stop);
  }
}

int ValuesWindow::lineCount() const {
  return model_->rowCount();
}

QString ValuesWindow::line(int row) const {
  return model_->line(row);
}
