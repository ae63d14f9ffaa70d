#include "front/import/DxfImportDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/boundary/Physics.h"
#include "core/files/ShownName.h"
#include "core/state/AppState.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/Prompter.h"
#include "front/ui/UiText.h"

namespace {

QString FromStd(const std::string& s) {
  return QString::fromStdString(s);
}

// Elements per full circle offered at first.
constexpr int32_t kOfferedPerCircle = 36;

QString ChainName(size_t index) {
  return Ui("DxfImportDialog", "kontur %1").arg(index + 1);
}

}  // namespace

DxfImportDialog::DxfImportDialog(AppState& state, Prompter& prompter, QWidget* parent)
    : FormDialog(QStringLiteral("Timport"), Ui("DxfImportDialog", "Importuj DXF"), prompter, parent),
      state_(state),
      extent_(new QLabel(this)),
      units_(new QLabel(this)),
      scale_(field(QStringLiteral("skala"))),
      toMetres_(new QPushButton(Ui("DxfImportDialog", "Na &metry"), this)),
      rule_(new QButtonGroup(this)),
      tolerance_(field(QStringLiteral("tolerancja"))),
      perCircle_(field(QStringLiteral("naOkrag"))),
      join_(field(QStringLiteral("laczenie"))),
      layers_(new QTableWidget(this)),
      nested_(new QListWidget(this)),
      counts_(new QLabel(this)) {
  extent_->setObjectName(QStringLiteral("zakres"));
  units_->setObjectName(QStringLiteral("jednostki"));
  toMetres_->setObjectName(QStringLiteral("naMetry"));
  toMetres_->setAutoDefault(false);
  counts_->setObjectName(QStringLiteral("liczby"));
  nested_->setObjectName(QStringLiteral("kontury"));
  setUpLayerTable();
  setContent(layOut());
  markCancelKey();
  connectControls();
}

void DxfImportDialog::setUpLayerTable() {
  layers_->setObjectName(QStringLiteral("warstwy"));
  layers_->setColumnCount(4);
  layers_->setHorizontalHeaderLabels({Ui("DxfImportDialog", "Warstwa (obiekty)"),
                                      Ui("DxfImportDialog", "Warunek"), Ui("DxfImportDialog", "Brzeg"),
                                      Ui("DxfImportDialog", "Materiał")});
  layers_->verticalHeader()->hide();
  // The layer's name as long as it is; the selectors share the rest.
  layers_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  layers_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  layers_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
  layers_->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
  layers_->setMinimumSize(600, 120);
  nested_->setMinimumHeight(60);
}

QGridLayout* DxfImportDialog::layOut() {
  auto* byTolerance = new QRadioButton(Ui("DxfImportDialog", "&Tolerancja cięciw (jednostki rysunku)"), this);
  byTolerance->setObjectName(QStringLiteral("wgTolerancji"));
  auto* byCount = new QRadioButton(Ui("DxfImportDialog", "&Elementów na pełny okrąg"), this);
  byCount->setObjectName(QStringLiteral("wgLiczby"));
  rule_->addButton(byTolerance, 0);
  rule_->addButton(byCount, 1);
  byTolerance->setChecked(true);

  auto* grid = new QGridLayout;
  int row = 0;
  grid->addWidget(extent_, row++, 0, 1, 3);
  grid->addWidget(units_, row++, 0, 1, 3);
  grid->addWidget(new QLabel(Ui("DxfImportDialog", "Skala (jednostki modelu na jednostkę rysunku)"), this),
                  row, 0);
  grid->addWidget(scale_, row, 1);
  grid->addWidget(toMetres_, row++, 2);
  grid->addWidget(byTolerance, row, 0);
  grid->addWidget(tolerance_, row++, 1);
  grid->addWidget(byCount, row, 0);
  grid->addWidget(perCircle_, row++, 1);
  auto* joinLabel = new QLabel(Ui("DxfImportDialog", "Odległość łą&czenia końców (jednostki rysunku)"), this);
  joinLabel->setBuddy(join_);
  grid->addWidget(joinLabel, row, 0);
  grid->addWidget(join_, row++, 1);
  grid->addWidget(layers_, row++, 0, 1, 3);
  grid->addWidget(
      new QLabel(Ui("DxfImportDialog",
                    "Otwory dostają brzeg wewnętrzny, kontury zewnętrzne zewnętrzny: "
                    "warstwy, jeśli jest tego rodzaju,\ninaczej pierwszy taki z tabeli "
                    "albo nowy. Kontury warstwy z materiałem są jego obszarami, każdy\n"
                    "z punktem obszaru. Zaznaczony kontur zagnieżdżony jest obszarem, nie otworem:"),
                 this),
      row++, 0, 1, 3);
  grid->addWidget(nested_, row++, 0, 1, 3);
  grid->addWidget(counts_, row++, 0, 1, 3);
  return grid;
}

void DxfImportDialog::connectControls() {
  for (QLineEdit* edit : {scale_, tolerance_, perCircle_, join_})
    connect(edit, &QLineEdit::textChanged, this, [this] { replan(); });
  connect(rule_, &QButtonGroup::idToggled, this, [this](int, bool on) {
    if (on) replan();
  });
  connect(toMetres_, &QPushButton::clicked, this,
          [this] { scale_->setText(GeneralText(UnitOfDrawing(drawing_.insUnits).metres)); });
  connect(nested_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    const size_t chain = item->data(Qt::UserRole).toUInt();
    if (chain < regions_.size()) regions_[chain] = item->checkState() == Qt::Checked;
    // Not from within the item's own signal: the list is made anew.
    QMetaObject::invokeMethod(
        this, [this] { replan(); }, Qt::QueuedConnection);
  });
}

void DxfImportDialog::setDrawing(Drawing drawing, const QString& fileName) {
  drawing_ = std::move(drawing);
  fresh_ = true;
  fileName_ = fileName;
}

void DxfImportDialog::refresh() {
  if (!fresh_) return;
  fresh_ = false;
  summary_.clear();
  regions_.clear();
  showExtentAndUnits();
  const QSignalBlocker quiet1(scale_), quiet2(tolerance_), quiet3(perCircle_), quiet4(join_);
  scale_->setText(GeneralText(1.0));
  tolerance_->setText(GeneralText(DefaultTolerance(drawing_)));
  perCircle_->setText(QString::number(kOfferedPerCircle));
  join_->setText(GeneralText(DefaultJoinDistance(drawing_)));
  rule_->button(0)->setChecked(true);

  clearLayers();
  layers_->setRowCount(int(drawing_.layers.size()));
  for (size_t i = 0; i < drawing_.layers.size(); ++i) addLayerRow(int(i));
  replan();
}

void DxfImportDialog::showExtentAndUnits() {
  const DrawingBox& box = drawing_.extent;
  extent_->setText(Ui("DxfImportDialog", "Rysunek %1: %2 × %3, od (%4; %5) do (%6; %7)")
                       .arg(fileName_, GeneralText(box.width()), GeneralText(box.height()),
                            GeneralText(box.minX), GeneralText(box.minY), GeneralText(box.maxX),
                            GeneralText(box.maxY)));
  const DrawingUnit unit = UnitOfDrawing(drawing_.insUnits);
  units_->setText(
      unit.name.empty()
          ? Ui("DxfImportDialog", "Jednostki rysunku ($INSUNITS = %1): nieokreślone").arg(drawing_.insUnits)
          : Ui("DxfImportDialog", "Jednostki rysunku ($INSUNITS = %1): %2, jednostka = %3 m")
                .arg(drawing_.insUnits)
                .arg(Ui("Drawing", unit.name.c_str()), GeneralText(unit.metres)));
  toMetres_->setEnabled(unit.metres > 0.0);
}

void DxfImportDialog::addLayerRow(int r) {
  const Model& m = state_.model;
  const char dp = UserDecimalPoint();
  const DrawingLayer& layer = drawing_.layers[size_t(r)];
  auto* taken =
      checkBox(QStringLiteral("warstwa%1").arg(r + 1),
               QStringLiteral("%1 (%2)").arg(FromStd(ShownName(layer.name))).arg(layer.entities), layers_);
  taken->setChecked(true);
  connect(taken, &QCheckBox::toggled, this, [this] { replan(); });
  auto* condition = new QComboBox(layers_);
  condition->setObjectName(QStringLiteral("warunek%1").arg(r + 1));
  for (int32_t c = 1; c <= m.bcCount; ++c)
    condition->addItem(FromStd(ConditionText(c, m.BcTable[c], m.ProblemKind, dp)));
  condition->setCurrentIndex(m.CurrentBc - 1);
  auto* boundary = new QComboBox(layers_);
  boundary->setObjectName(QStringLiteral("brzeg%1").arg(r + 1));
  for (int32_t b = 1; b <= m.boundaryCount; ++b)
    boundary->addItem(FromStd(BoundaryText(b, m.BoundaryTable[b])));
  boundary->setCurrentIndex(m.CurrentBoundary - 1);
  connect(boundary, &QComboBox::currentIndexChanged, this, [this] { replan(); });
  // "otwór" leaves the layer's nested chains to the list below; the
  // others make them regions of that material, from 0 up.
  auto* material = new QComboBox(layers_);
  material->setObjectName(QStringLiteral("material%1").arg(r + 1));
  material->addItems({Ui("DxfImportDialog", "otwór"), Ui("DxfImportDialog", "materiał projektu")});
  for (int32_t k = 1; k <= m.materialCount; ++k) material->addItem(FromStd(m.MaterialTable[k].name));
  connect(material, &QComboBox::currentIndexChanged, this, [this] { replan(); });
  layers_->setCellWidget(r, 0, taken);
  layers_->setCellWidget(r, 1, condition);
  layers_->setCellWidget(r, 2, boundary);
  layers_->setCellWidget(r, 3, material);
}

void DxfImportDialog::clearLayers() {
  // A widget the table lets go of (replaced, or in a row removed) is
  // deleted only on the return to the event loop that ran when it went;
  // under exec() that is after the dialog has closed, so the last
  // drawing's widgets stayed among the new ones all the while, a replaced
  // one drawn under its successor. They go here and now.
  std::vector<QWidget*> old;
  for (int r = 0; r < layers_->rowCount(); ++r) {
    for (int c = 0; c < layers_->columnCount(); ++c) {
      if (QWidget* w = layers_->cellWidget(r, c)) old.push_back(w);
    }
  }
  layers_->setRowCount(0);
  qDeleteAll(old);
}

std::optional<ImportOptions> DxfImportDialog::options(QWidget** bad) const {
  ImportOptions o;
  const std::optional<double> scale =
      ParseNumber(QString(scale_->text()).replace(u'.', QLocale().decimalPoint()));
  if (!scale || !(*scale > 0.0) || *scale > 1e6) {
    if (bad != nullptr) *bad = scale_;
    return std::nullopt;
  }
  o.scale = *scale;
  if (rule_->checkedId() == 0) {
    const std::optional<double> tolerance =
        ParseNumber(QString(tolerance_->text()).replace(u'.', QLocale().decimalPoint()));
    if (!tolerance || !(*tolerance > 0.0)) {
      if (bad != nullptr) *bad = tolerance_;
      return std::nullopt;
    }
    o.chords.tolerance = *tolerance;
  } else {
    const std::optional<int32_t> n = ParseInteger(perCircle_->text());
    if (!n || *n < 3 || *n > 100000) {
      if (bad != nullptr) *bad = perCircle_;
      return std::nullopt;
    }
    o.chords.perCircle = *n;
  }
  const std::optional<double> join =
      ParseNumber(QString(join_->text()).replace(u'.', QLocale().decimalPoint()));
  if (!join || !(*join >= 0.0)) {
    if (bad != nullptr) *bad = join_;
    return std::nullopt;
  }
  o.join = *join;
  for (int r = 0; r < layers_->rowCount(); ++r) {
    o.skippedLayers.push_back(!static_cast<QCheckBox*>(layers_->cellWidget(r, 0))->isChecked());
  }
  o.regions = regions_;
  for (int r = 0; r < layers_->rowCount(); ++r) {
    const int choice = static_cast<QComboBox*>(layers_->cellWidget(r, 3))->currentIndex();
    o.materials.push_back(choice <= 0 ? kNoMaterial : choice - 1);
  }
  return o;
}

std::vector<LayerPhysics> DxfImportDialog::physics() const {
  std::vector<LayerPhysics> out;
  for (int r = 0; r < layers_->rowCount(); ++r) {
    out.push_back({static_cast<QComboBox*>(layers_->cellWidget(r, 1))->currentIndex() + 1,
                   static_cast<QComboBox*>(layers_->cellWidget(r, 2))->currentIndex() + 1});
  }
  return out;
}

void DxfImportDialog::replan() {
  const std::optional<ImportOptions> o = options();
  if (!o) {
    counts_->setText(Ui("DxfImportDialog", "Zła wartość: liczby pokażą się po jej poprawieniu."));
    return;
  }
  const ImportPlan plan = PlanImport(drawing_, *o);
  {
    const QSignalBlocker quiet(nested_);
    if (regions_.size() != plan.chains.size()) regions_.assign(plan.chains.size(), false);
    nested_->clear();
    for (size_t k = 0; k < plan.nested.size(); ++k) {
      const size_t chain = size_t(plan.nested[k]);
      const ImportChain& c = plan.chains[chain];
      const int32_t layer = plan.segments.empty() ? 0 : plan.segments[size_t(c.segments.front())].layer;
      const QString name = Ui("DxfImportDialog", "%1 (warstwa %2) w konturze %3: obszar, nie otwór")
                               .arg(ChainName(chain), FromStd(ShownName(drawing_.layers[size_t(layer)].name)),
                                    QString::number(c.parent + 1));
      auto* item = new QListWidgetItem(nested_);
      item->setData(Qt::UserRole, uint(chain));
      // A chain on a layer with a material is that material's region
      // whatever its mark: shown marked, and not to be changed here.
      if (c.material == kNoMaterial) {
        item->setText(name);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(regions_[chain] ? Qt::Checked : Qt::Unchecked);
      } else {
        item->setText(Ui("DxfImportDialog", "%1 (materiał warstwy)").arg(name));
        item->setCheckState(Qt::Checked);
        item->setFlags(item->flags() & ~(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled));
      }
    }
  }
  const Model& m = state_.model;
  const ImportCounts c = CountsOf(m, plan, physics());
  const auto line = [](const QString& what, int64_t have, int64_t adds, int32_t capacity) {
    return (have + adds > capacity ? Ui("DxfImportDialog", "%1: %2 + %3 = %4 z %5 – za dużo")
                                   : Ui("DxfImportDialog", "%1: %2 + %3 = %4 z %5"))
        .arg(what)
        .arg(have)
        .arg(adds)
        .arg(have + adds)
        .arg(capacity);
  };
  counts_->setText(QStringList{
      line(Ui("DxfImportDialog", "Węzły"), m.nodeCount, c.nodes, kMaxNodes),
      line(Ui("DxfImportDialog", "Elementy"), m.elementCount, c.elements, kMaxElements),
      line(Ui("DxfImportDialog", "Węzły wewnętrzne (otwory)"), m.internalNodeCount, c.internalNodes,
           kMaxInternalNodes),
      line(Ui("DxfImportDialog", "Brzegi"), m.boundaryCount, c.boundaries, kMaxBoundaries),
      line(Ui("DxfImportDialog", "Punkty obszarów"), m.regionPointCount, c.regionPoints, kMaxRegionPoints)}
                       .join(u'\n'));
}

void DxfImportDialog::okClicked() {
  QWidget* bad = nullptr;
  const std::optional<ImportOptions> o = options(&bad);
  if (!o) {
    const QString what = bad == scale_       ? Ui("DxfImportDialog", "skala")
                         : bad == tolerance_ ? Ui("DxfImportDialog", "tolerancja cięciw")
                         : bad == join_      ? Ui("DxfImportDialog", "odległość łączenia końców")
                                        : Ui("DxfImportDialog", "liczba elementów na okrąg (od 3 do 100000)");
    prompter_.message(Ui("DxfImportDialog", "Zła wartość: %1").arg(what), windowTitle(), MessageIcon::Stop);
    focusOn(bad);
    return;
  }
  const ImportPlan plan = PlanImport(drawing_, *o);
  const ImportOutcome outcome = ApplyImport(state_.model, plan, drawing_, physics(), UserDecimalPoint());
  if (!outcome.done) {
    prompter_.message(FromStd(outcome.message), windowTitle(), MessageIcon::Stop);
    focusOn(rule_->checkedId() == 0 ? tolerance_ : perCircle_);
    return;
  }
  summary_ = outcome.message;
  importedSide_ = std::max(drawing_.extent.width(), drawing_.extent.height()) * o->scale;
  accept();
}
