#include "front/solve/ResultsWindow.h"

#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/results/Solution.h"
#include "core/state/AppState.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/UiText.h"

ResultsWindow::ResultsWindow(const AppState& state, Prompter& prompter, QWidget* parent)
    : FormDialog(QStringLiteral("T_wyniki"), Ui("ResultsWindow", "Wyniki"), prompter, parent,
                 QStringLiteral("OK"), QString()),
      state_(state),
      table_(new QTableWidget(0, 3, this)) {
  table_->setObjectName(QStringLiteral("wyniki"));
  table_->setHorizontalHeaderLabels(
      {Ui("ResultsWindow", "Wielkość"), Ui("ResultsWindow", "Wartość"), Ui("ResultsWindow", "Miejsce")});
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setWordWrap(false);
  table_->setFocusPolicy(Qt::NoFocus);
  table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setStretchLastSection(true);
  auto* content = new QVBoxLayout;
  content->addWidget(table_);
  setContent(content);
}

void ResultsWindow::refresh() {
  const std::vector<ResultRow> rows =
      state_.solution ? ResultRows(*state_.solution, UserDecimalPoint()) : std::vector<ResultRow>{};
  table_->setRowCount(int(rows.size()));
  for (size_t i = 0; i < rows.size(); ++i) {
    const std::string* cells[] = {&rows[i].what, &rows[i].value, &rows[i].where};
    for (int c = 0; c < 3; ++c) {
      table_->setItem(int(i), c, new QTableWidgetItem(QString::fromStdString(*cells[c])));
    }
  }
  // Wide enough for every cell, within the screen.
  table_->resizeColumnsToContents();
  int width = table_->frameWidth() * 2 + table_->verticalScrollBar()->sizeHint().width();
  for (int c = 0; c < 3; ++c) width += table_->columnWidth(c);
  int height = table_->horizontalHeader()->height() + table_->frameWidth() * 2 + 4;
  for (int r = 0; r < table_->rowCount(); ++r) height += table_->rowHeight(r);
  const QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect(0, 0, 1280, 800);
  table_->setMinimumSize(std::min(width, screen.width() - 80), std::min(height, screen.height() - 160));
  adjustSize();
}

void ResultsWindow::okClicked() {
  accept();
}

QStringList ResultsWindow::lines() const {
  QStringList lines;
  for (int r = 0; r < table_->rowCount(); ++r) {
    QStringList cells;
    for (int c = 0; c < 3; ++c) cells << table_->item(r, c)->text();
    lines << cells.join(QStringLiteral(" | "));
  }
  return lines;
}
