#include "front/view/ViewDialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/state/AppState.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/Prompter.h"
#include "front/ui/UiText.h"

namespace {

int32_t Switch(const QCheckBox* box) {
  return box->isChecked() ? 1 : 0;
}

}  // namespace

ScreenSettingsDialog::ScreenSettingsDialog(AppState& state, Prompter& prompter, QWidget* parent)
    : FormDialog(QStringLiteral("T_ustaw"), Ui("ViewDialogs", "Ustawienia ekranu"), prompter, parent),
      state_(state) {
  auto* show = new QGroupBox(Ui("ViewDialogs", "Pokaż :"), this);
  nodes_ = checkBox(QStringLiteral("wezly"), Ui("ViewDialogs", "Węzły"), show);
  nodeNumbers_ = checkBox(QStringLiteral("nrwezly"), Ui("ViewDialogs", "Numery węzłów"), show);
  elements_ = checkBox(QStringLiteral("elem"), Ui("ViewDialogs", "Elementy"), show);
  elementNumbers_ = checkBox(QStringLiteral("nrelem"), Ui("ViewDialogs", "Numery elementów"), show);
  internalNodes_ = checkBox(QStringLiteral("wew"), Ui("ViewDialogs", "Węzły wewnętrzne"), show);
  auto* showLayout = new QVBoxLayout(show);
  for (QCheckBox* box : {nodes_, nodeNumbers_, elements_, elementNumbers_, internalNodes_}) {
    showLayout->addWidget(box);
  }
  auto* grid = new QGroupBox(Ui("ViewDialogs", "Odl. między punktami siatki :"), this);
  dx_ = field(QStringLiteral("Edit1"), {}, grid);
  dy_ = field(QStringLiteral("Edit2"), {}, grid);
  gridShown_ = checkBox(QStringLiteral("siat"), Ui("ViewDialogs", "Pokaż siatke"), grid);
  auto* gridLayout = new QGridLayout(grid);
  gridLayout->addWidget(new QLabel(Ui("ViewDialogs", "w osi x"), grid), 0, 0);
  gridLayout->addWidget(dx_, 0, 1);
  gridLayout->addWidget(new QLabel(Ui("ViewDialogs", "w osi y"), grid), 1, 0);
  gridLayout->addWidget(dy_, 1, 1);
  gridLayout->addWidget(gridShown_, 2, 0, 1, 2);
  auto* groups = new QHBoxLayout;
  groups->addWidget(show);
  groups->addWidget(grid);
  setContent(groups);
  setFixedSize(418, 235);
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
  const std::optional<float> dx = ParseFloat(dx_->text());
  const std::optional<float> dy = ParseFloat(dy_->text());
  if (dx && dy && *dx > 0.0f && *dy > 0.0f) {
    state_.view.gridDx = *dx;
    state_.view.gridDy = *dy;
  } else {
    prompter_.message(Ui("ViewDialogs", "Błędnie podano parametry siatki"),
                      Ui("ViewDialogs", "Ustawienia ekranu"), MessageIcon::Stop);
  }
  accept();
}

GridDialog::GridDialog(AppState& state, Prompter& prompter, float shownDx, float shownDy, QWidget* parent)
    : FormDialog(QStringLiteral("Td_siatki"), Ui("ViewDialogs", "Ustawienia siatki"), prompter, parent,
                 QStringLiteral("Button1"), QStringLiteral("Button2")),
      state_(state) {
  dx_ = field(QStringLiteral("Edit1"), GeneralText(shownDx));
  dy_ = field(QStringLiteral("Edit2"), GeneralText(shownDy));
  setContent(rows({{Ui("ViewDialogs", "Odległość pomiędzy punktami w osi X ="), dx_},
                   {Ui("ViewDialogs", "Odległość pomiędzy punktami w osi Y ="), dy_}}));
  setFixedSize(312, 102);
}

void GridDialog::okClicked() {
  const float oldDx = state_.view.gridDx;
  const float oldDy = state_.view.gridDy;
  const std::optional<float> dx = ParseFloat(dx_->text());
  const std::optional<float> dy = ParseFloat(dy_->text());
  const QString text = Ui("ViewDialogs", "Zła wartość podziałki");
  const QString title = Ui("ViewDialogs", "Ustawianie podzialki");
  if (!dx || !dy) {
    prompter_.message(text, title, MessageIcon::Stop);
    dx_->setText(ExponentText(oldDx));
    dy_->setText(ExponentText(oldDy));
  } else if (!(*dx > 0.0f) || !(*dy > 0.0f)) {
    prompter_.message(text, title, MessageIcon::Stop);
  } else {
    state_.view.gridDx = *dx;
    state_.view.gridDy = *dy;
  }
  accept();
}

RegionDialog::RegionDialog(AppState& state, Prompter& prompter, QWidget* parent)
    : FormDialog(QStringLiteral("Td_obsz"), Ui("ViewDialogs", "Ustawienia obszaru"), prompter, parent,
                 QStringLiteral("Button1"), QStringLiteral("Button2")),
      state_(state) {
  xMin_ = field(QStringLiteral("Edit3"));
  yMin_ = field(QStringLiteral("Edit4"));
  xMax_ = field(QStringLiteral("Edit1"));
  yMax_ = field(QStringLiteral("Edit2"));
  setContent(rows({{Ui("ViewDialogs", "Lewy dolny róg obszaru X"), xMin_},
                   {Ui("ViewDialogs", "Lewy dolny róg obszaru Y"), yMin_},
                   {Ui("ViewDialogs", "Prawy górny róg obszaru X"), xMax_},
                   {Ui("ViewDialogs", "Prawy górny róg obszaru Y"), yMax_}}));
  setFixedSize(249, 150);
  refresh();
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
  const std::optional<float> xMax = ParseFloat(xMax_->text());
  const std::optional<float> yMax = ParseFloat(yMax_->text());
  const std::optional<float> xMin = ParseFloat(xMin_->text());
  const std::optional<float> yMin = ParseFloat(yMin_->text());
  if (!xMax || !yMax || !xMin || !yMin) {
    prompter_.message(Ui("ViewDialogs", "Zła wartość podziałki"), Ui("ViewDialogs", "Ustawianie podzialki"),
                      MessageIcon::Stop);
    restore();
  } else {
    v.viewXMax = *xMax;
    v.viewYMax = *yMax;
    v.viewXMin = *xMin;
    v.viewYMin = *yMin;
    if (!(v.viewXMax > v.viewXMin && v.viewYMax > v.viewYMin)) {
      restore();
      prompter_.message(Ui("ViewDialogs", "Złe wartości definiujące obszar"),
                        Ui("ViewDialogs", "Ustawianie obszaru"), MessageIcon::Stop);
    }
  }
  accept();
}
