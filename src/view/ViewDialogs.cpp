#include "view/ViewDialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppState.h"
#include "app/LocaleNumbers.h"
#include "app/Prompter.h"

namespace {

// Fixed border, no title-bar buttons, "OK" by default and "Anuluj" to cancel.
QHBoxLayout* SetUpDialog(QDialog* dialog, const QString& caption, const QString& okName,
                         const QString& cancelName, std::function<void()> onOk) {
  dialog->setWindowTitle(caption);
  dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  dialog->setModal(true);
  auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
  ok->setObjectName(okName);
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Anuluj"), dialog);
  cancel->setObjectName(cancelName);
  QObject::connect(ok, &QPushButton::clicked, dialog, [onOk = std::move(onOk)] { onOk(); });
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  return buttons;
}

QCheckBox* CheckBox(const QString& name, const QString& caption, QWidget* parent) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  return box;
}

QLineEdit* Field(const QString& name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  return edit;
}

int32_t Switch(const QCheckBox* box) {
  return box->isChecked() ? 1 : 0;
}

}  // namespace

ScreenSettingsDialog::ScreenSettingsDialog(AppState& state, Prompter& prompter, QWidget* parent)
    : QDialog(parent), state_(state), prompter_(prompter) {
  setObjectName(QStringLiteral("T_ustaw"));
  QHBoxLayout* buttons = SetUpDialog(this, QStringLiteral("Ustawienia ekranu"), QStringLiteral("OK"),
                                     QStringLiteral("Anuluj"), [this] { okClicked(); });
  auto* show = new QGroupBox(QStringLiteral("Pokaż :"), this);
  nodes_ = CheckBox(QStringLiteral("wezly"), QStringLiteral("Węzły"), show);
  nodeNumbers_ = CheckBox(QStringLiteral("nrwezly"), QStringLiteral("Numery węzłów"), show);
  elements_ = CheckBox(QStringLiteral("elem"), QStringLiteral("Elementy"), show);
  elementNumbers_ = CheckBox(QStringLiteral("nrelem"), QStringLiteral("Numery elementów"), show);
  internalNodes_ = CheckBox(QStringLiteral("wew"), QStringLiteral("Węzły wewnętrzne"), show);
  auto* showLayout = new QVBoxLayout(show);
  for (QCheckBox* box : {nodes_, nodeNumbers_, elements_, elementNumbers_, internalNodes_}) {
    showLayout->addWidget(box);
  }
  auto* grid = new QGroupBox(QStringLiteral("Odl. między punktami siatki :"), this);
  dx_ = Field(QStringLiteral("Edit1"), grid);
  dy_ = Field(QStringLiteral("Edit2"), grid);
  gridShown_ = CheckBox(QStringLiteral("siat"), QStringLiteral("Pokaż siatke"), grid);
  auto* gridLayout = new QGridLayout(grid);
  gridLayout->addWidget(new QLabel(QStringLiteral("w osi x"), grid), 0, 0);
  gridLayout->addWidget(dx_, 0, 1);
  gridLayout->addWidget(new QLabel(QStringLiteral("w osi y"), grid), 1, 0);
  gridLayout->addWidget(dy_, 1, 1);
  gridLayout->addWidget(gridShown_, 2, 0, 1, 2);
  auto* groups = new QHBoxLayout;
  groups->addWidget(show);
  groups->addWidget(grid);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groups);
  layout->addLayout(buttons);
  setFixedSize(418, 235);
}

void ScreenSettingsDialog::showEvent(QShowEvent* event) {
  refresh();
  QDialog::showEvent(event);
}

void ScreenSettingsDialog::refresh() {
  const DisplaySettings& d = state_.display;
  nodes_->setChecked(d.showNodes == 1);
  nodeNumbers_->setChecked(d.showNodeNumbers == 1);
  elements_->setChecked(d.showElements == 1);
  elementNumbers_->setChecked(d.showElementNumbers == 1);
  internalNodes_->setChecked(d.showInternalNodes == 1);
  gridShown_->setChecked(state_.view.gridShown == 1);
  dx_->setText(GeneralText(state_.view.gridDx));
  dy_->setText(GeneralText(state_.view.gridDy));
}

void ScreenSettingsDialog::okClicked() {
  DisplaySettings& d = state_.display;
  d.showNodes = Switch(nodes_);
  d.showNodeNumbers = Switch(nodeNumbers_);
  d.showElements = Switch(elements_);
  d.showElementNumbers = Switch(elementNumbers_);
  d.showInternalNodes = Switch(internalNodes_);
  state_.view.gridShown = Switch(gridShown_);
  const std::optional<double> dx = ParseNumber(dx_->text());
  const std::optional<double> dy = ParseNumber(dy_->text());
  const auto dxf = dx ? static_cast<float>(*dx) : 0.0f;
  const auto dyf = dy ? static_cast<float>(*dy) : 0.0f;
  if (dx && dy && dxf > 0.0f && dyf > 0.0f) {
    state_.view.gridDx = dxf;
    state_.view.gridDy = dyf;
  } else {
    prompter_.message(QStringLiteral("Błędnie podano parametry siatki"), QStringLiteral("Ustawienia ekranu"),
                      MessageIcon::Stop);
  }
  accept();
}

GridDialog::GridDialog(AppState& state, Prompter& prompter, QWidget* parent)
    : QDialog(parent), state_(state), prompter_(prompter) {
  setObjectName(QStringLiteral("Td_siatki"));
  QHBoxLayout* buttons = SetUpDialog(this, QStringLiteral("Ustawienia siatki"), QStringLiteral("Button1"),
                                     QStringLiteral("Button2"), [this] { okClicked(); });
  dx_ = Field(QStringLiteral("Edit1"), this);
  dy_ = Field(QStringLiteral("Edit2"), this);
  dx_->setText(GeneralText(state_.view.gridDx));
  dy_->setText(GeneralText(state_.view.gridDy));
  auto* fields = new QGridLayout;
  fields->addWidget(new QLabel(QStringLiteral("Odległość pomiędzy punktami w osi X ="), this), 0, 0);
  fields->addWidget(dx_, 0, 1);
  fields->addWidget(new QLabel(QStringLiteral("Odległość pomiędzy punktami w osi Y ="), this), 1, 0);
  fields->addWidget(dy_, 1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(buttons);
  setFixedSize(312, 102);
}

void GridDialog::okClicked() {
  const float oldDx = state_.view.gridDx;
  const float oldDy = state_.view.gridDy;
  const std::optional<double> dx = ParseNumber(dx_->text());
  const std::optional<double> dy = ParseNumber(dy_->text());
  const QString text = QStringLiteral("Zła wartość podziałki");
  const QString title = QStringLiteral("Ustawianie podzialki");
  if (!dx || !dy) {
    prompter_.message(text, title, MessageIcon::Stop);
    dx_->setText(ExponentText(oldDx));
    dy_->setText(ExponentText(oldDy));
  } else if (!(static_cast<float>(*dx) > 0.0f) || !(static_cast<float>(*dy) > 0.0f)) {
    prompter_.message(text, title, MessageIcon::Stop);
  } else {
    state_.view.gridDx = static_cast<float>(*dx);
    state_.view.gridDy = static_cast<float>(*dy);
  }
  accept();
}

RegionDialog::RegionDialog(AppState& state, Prompter& prompter, QWidget* parent)
    : QDialog(parent), state_(state), prompter_(prompter) {
  setObjectName(QStringLiteral("Td_obsz"));
  QHBoxLayout* buttons = SetUpDialog(this, QStringLiteral("Ustawienia obszaru"), QStringLiteral("Button1"),
                                     QStringLiteral("Button2"), [this] { okClicked(); });
  xMin_ = Field(QStringLiteral("Edit3"), this);
  yMin_ = Field(QStringLiteral("Edit4"), this);
  xMax_ = Field(QStringLiteral("Edit1"), this);
  yMax_ = Field(QStringLiteral("Edit2"), this);
  auto* fields = new QGridLayout;
  const std::pair<const char*, QLineEdit*> rows[] = {{"Lewy dolny róg obszaru X", xMin_},
                                                     {"Lewy dolny róg obszaru Y", yMin_},
                                                     {"Prawy górny róg obszaru X", xMax_},
                                                     {"Prawy górny róg obszaru Y", yMax_}};
  int row = 0;
  for (const auto& [label, edit] : rows) {
    fields->addWidget(new QLabel(QString::fromUtf8(label), this), row, 0);
    fields->addWidget(edit, row++, 1);
  }
  setTabOrder(xMin_, yMin_);
  setTabOrder(yMin_, xMax_);
  setTabOrder(xMax_, yMax_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(buttons);
  setFixedSize(249, 150);
  refresh();
}

void RegionDialog::showEvent(QShowEvent* event) {
  refresh();
  QDialog::showEvent(event);
}

void RegionDialog::refresh() {
  xMin_->setText(FixedText(state_.view.viewXMin));
  yMin_->setText(FixedText(state_.view.viewYMin));
  xMax_->setText(FixedText(state_.view.viewXMax));
  yMax_->setText(FixedText(state_.view.viewYMax));
}

void RegionDialog::okClicked() {
  ViewTransform& v = state_.view;
  const ViewTransform old = v;
  const auto restore = [&] {
    v.viewXMin = old.viewXMin;
    v.viewYMin = old.viewYMin;
    v.viewXMax = old.viewXMax;
    v.viewYMax = old.viewYMax;
    refresh();
  };
  const std::optional<double> xMax = ParseNumber(xMax_->text());
  const std::optional<double> yMax = ParseNumber(yMax_->text());
  const std::optional<double> xMin = ParseNumber(xMin_->text());
  const std::optional<double> yMin = ParseNumber(yMin_->text());
  if (!xMax || !yMax || !xMin || !yMin) {
    prompter_.message(QStringLiteral("Zła wartość podziałki"), QStringLiteral("Ustawianie podzialki"),
                      MessageIcon::Stop);
    restore();
  } else {
    v.viewXMax = static_cast<float>(*xMax);
    v.viewYMax = static_cast<float>(*yMax);
    v.viewXMin = static_cast<float>(*xMin);
    v.viewYMin = static_cast<float>(*yMin);
    if (!(v.viewXMax > v.viewXMin && v.viewYMax > v.viewYMin)) {
      restore();
      prompter_.message(QStringLiteral("Złe wartości definiujące obszar"),
                        QStringLiteral("Ustawianie obszaru"), MessageIcon::Stop);
    }
  }
  accept();
}
