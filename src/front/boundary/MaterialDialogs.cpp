#include "front/boundary/MaterialDialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <cmath>
#include <string>

#include "core/boundary/Physics.h"
#include "core/state/AppState.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/Prompter.h"
#include "front/ui/UiText.h"

namespace {

QString Utf8(const std::string& s) {
  return QString::fromStdString(s);
}

// Why a name cannot be a material's; empty when it can.
QString NameFault(const QString& name) {
  if (name.trimmed().isEmpty()) return Ui("MaterialDialogs", "Podaj nazwę materiału.");
  if (name.toUtf8().size() > kMaxMaterialName)
    return Ui("MaterialDialogs", "Nazwa materiału jest za długa (najwyżej %1 bajtów).").arg(kMaxMaterialName);
  return {};
}

}  // namespace

MaterialsDialog::MaterialsDialog(AppState& state, Prompter& prompter, QWidget* parent)
    : TableDialog(QStringLiteral("Tmaterialy"), Ui("MaterialDialogs", "Materiały"), state, prompter, parent) {
  // Materials have no kind: the table's selector stays hidden.
  kind_->hide();
  auto* grid = new QGridLayout;
  name_ = field(QStringLiteral("nazwa"));
  grid->addWidget(new QLabel(Ui("MaterialDialogs", "Nazwa"), this), 0, 0);
  grid->addWidget(name_, 0, 1);
  std::vector<QWidget*> editors{name_};
  for (int i = 0; i < 2; ++i) {
    labels_[i] = new QLabel(this);
    values_[i] = field(QStringLiteral("wlasnosc%1").arg(i + 1));
    grid->addWidget(labels_[i], i + 1, 0);
    grid->addWidget(values_[i], i + 1, 1);
    editors.push_back(values_[i]);
  }
  setEditor(grid, editors);
}

void MaterialsDialog::refresh() {
  const std::vector<std::string> labels = PropertyLabels(state_.model.ProblemKind);
  for (int i = 0; i < 2; ++i) labels_[i]->setText(Utf8(labels[size_t(i)]));
  name_->clear();
  // A new material starts from the project's own pair, which the solver
  // accepts, rather than from a conductivity of 0, which it does not.
  values_[0]->setText(FloatText(state_.model.Conductivity));
  values_[1]->setText(FloatText(state_.model.SecondProperty));
  TableDialog::refresh();
}

QStringList MaterialsDialog::rowTexts() const {
  QStringList lines;
  for (int32_t i = 1; i <= begun_.materialCount; ++i) {
    const Material& m = begun_.MaterialTable[i];
    lines << Ui("MaterialDialogs", "nr %1, %2: %3; %4")
                 .arg(i)
                 .arg(Utf8(m.name), FloatText(m.property1), FloatText(m.property2));
  }
  return lines;
}

void MaterialsDialog::showRow(int32_t r) {
  const Material& m = begun_.MaterialTable[r];
  name_->setText(Utf8(m.name));
  values_[0]->setText(FloatText(m.property1));
  values_[1]->setText(FloatText(m.property2));
}

bool MaterialsDialog::read(Material& m) {
  if (const QString fault = NameFault(name_->text()); !fault.isEmpty()) {
    prompter_.message(fault, windowTitle(), MessageIcon::Stop);
    focusOn(name_);
    return false;
  }
  float typed[2];
  for (int i = 0; i < 2; ++i) {
    const std::optional<float> v = ParseCoordinate(values_[i]->text());
    if (!v) {
      prompter_.message(BadValue(labels_[i]->text(), values_[i]->text()), windowTitle(), MessageIcon::Stop);
      focusOn(values_[i]);
      return false;
    }
    typed[i] = *v;
  }
  m.name = name_->text().trimmed().toStdString();
  m.property1 = typed[0];
  m.property2 = typed[1];
  return true;
}

void MaterialsDialog::addRow() {
  if (FreeRows(begun_, ModelTable::Materials) == 0) {
    prompter_.message(Utf8(CapacityMessage(ModelTable::Materials)), windowTitle(), MessageIcon::Stop);
    return;
  }
  Material m;
  if (!read(m)) return;
  relist(AppendMaterial(begun_, m));
}

void MaterialsDialog::changeRow(int32_t r) {
  Material m;
  if (!read(m)) return;
  begun_.MaterialTable[r] = m;
  relist(r);
}

void MaterialsDialog::deleteRow(int32_t r) {
  // Region points of the material go back to the project's own pair.
  RemoveMaterial(begun_, r);
  relist(r);
}

void MaterialsDialog::okClicked() {
  for (int32_t i = 1; i <= begun_.materialCount; ++i) {
    const Material& m = begun_.MaterialTable[i];
    QString fault = NameFault(Utf8(m.name));
    if (fault.isEmpty() && !(std::isfinite(m.property1) && std::isfinite(m.property2)))
      fault = Ui("MaterialDialogs", "Zła wartość własności.");
    if (fault.isEmpty() && !(m.property1 > 0.0f))
      fault = Ui("MaterialDialogs", "%1 musi być liczbą dodatnią.").arg(labels_[0]->text());
    if (!fault.isEmpty()) {
      prompter_.message(Ui("MaterialDialogs", "Materiał %1: %2").arg(i).arg(fault), windowTitle(),
                        MessageIcon::Stop);
      selectRow(i);
      focusOn(name_);
      return;
    }
  }
  TableDialog::okClicked();
}

RegionPointDialog::RegionPointDialog(AppState& state, Prompter& prompter, QWidget* parent)
    : FormDialog(QStringLiteral("Tpunktobszaru"), Ui("MaterialDialogs", "Punkt obszaru"), prompter, parent),
      state_(state),
      material_(new QComboBox(this)) {
  number_ = field(QStringLiteral("numer"));
  xx_ = field(QStringLiteral("xx"));
  yy_ = field(QStringLiteral("yy"));
  material_->setObjectName(QStringLiteral("material"));
  material_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  area_ = field(QStringLiteral("pole"));
  setContent(rows({{Ui("MaterialDialogs", "Numer punktu"), number_},
                   {Ui("MaterialDialogs", "współrzędna X"), xx_},
                   {Ui("MaterialDialogs", "współrzędna Y"), yy_},
                   {Ui("MaterialDialogs", "Materiał"), material_},
                   {Ui("MaterialDialogs", "Największe pole trójkąta (puste: bez)"), area_}}));
  markCancelKey();
  // Tab goes down the form as it reads; the material's box was made first.
  setTabOrder(yy_, material_);
  setTabOrder(material_, area_);
  connect(number_, &QLineEdit::textChanged, this, &RegionPointDialog::numberChanged);
}

void RegionPointDialog::refresh() {
  const Model& m = state_.model;
  material_->clear();
  material_->addItem(Ui("MaterialDialogs", "0: materiał projektu"));
  for (int32_t i = 1; i <= m.materialCount; ++i)
    material_->addItem(QStringLiteral("%1: %2").arg(i).arg(Utf8(m.MaterialTable[i].name)));
  showNumber(number_, m.SelectedNumber);
  xx_->setText(QStringLiteral("0"));
  yy_->setText(QStringLiteral("0"));
  material_->setCurrentIndex(0);
  area_->clear();
  if (m.SelectedNumber >= 1 && m.SelectedNumber <= m.regionPointCount) showPoint(m.SelectedNumber);
  layout()->activate();
}

void RegionPointDialog::showPoint(int32_t n) {
  const RegionPoint& r = state_.model.RegionPointTable[n];
  xx_->setText(FloatText(r.x));
  yy_->setText(FloatText(r.y));
  material_->setCurrentIndex(r.material >= 0 && r.material < material_->count() ? r.material : 0);
  area_->setText(r.area > 0 ? FloatText(r.area) : QString());
}

void RegionPointDialog::numberChanged(const QString& text) {
  const Model& m = state_.model;
  if (keepsFixedNumber(number_, m.SelectedNumber)) return;
  const std::optional<int32_t> n = ParseInteger(text);
  if (!n || *n < 1 || *n > m.regionPointCount) {
    showNumber(number_, 0);
    return;
  }
  showPoint(*n);
}

void RegionPointDialog::okClicked() {
  Model& m = state_.model;
  const std::optional<int32_t> n = ParseInteger(number_->text());
  const std::optional<float> x = ParseCoordinate(xx_->text());
  const std::optional<float> y = ParseCoordinate(yy_->text());
  const QString areaText = area_->text().trimmed();
  const std::optional<float> area =
      areaText.isEmpty() ? std::optional<float>(0.0f) : ParseCoordinate(areaText);
  QLineEdit* bad = nullptr;
  QString why;
  if (!n || *n < 1 || *n > m.regionPointCount) {
    bad = number_, why = Ui("MaterialDialogs", "Nie ma punktu obszaru o tym numerze.");
  } else if (!x || !y) {
    bad = !x ? xx_ : yy_, why = Ui("MaterialDialogs", "Zła współrzędna.");
  } else if (!area || (!areaText.isEmpty() && *area <= 0)) {
    bad = area_,
    why = Ui("MaterialDialogs", "Największe pole trójkąta musi być liczbą większą od zera albo puste.");
  }
  if (bad != nullptr) {
    prompter_.message(why, windowTitle(), MessageIcon::Stop);
    focusOn(bad);
    return;
  }
  m.RegionPointTable[*n] = RegionPoint{*x, *y, int32_t(material_->currentIndex()), *area};
  accept();
}
