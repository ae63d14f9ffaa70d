#include "front/lists/ListWindows.h"

#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QStringListModel>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/boundary/Physics.h"
#include "core/lists/ListLines.h"
#include "core/state/AppState.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/UiText.h"

// The mesh list's lines, each made when the view asks for it: a header,
// the nodes, a header, the triangles. Empty until filled.
class MeshLineModel : public QAbstractListModel {
 public:
  MeshLineModel(const Model& model, QObject* parent) : QAbstractListModel(parent), model_(model) {}

  // Takes the mesh's counts as they are now, or shows nothing.
  void fill(bool shown) {
    beginResetModel();
    nodes_ = shown ? model_.meshNodeCount : 0;
    triangles_ = shown ? model_.meshTriangleCount : 0;
    shown_ = shown;
    endResetModel();
  }
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() || !shown_ ? 0 : 2 + nodes_ + triangles_;
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return line(index.row());
  }
  QString line(int row) const {
    if (row == 0) return Ui("ListWindows", "Nr węzła, współrzędna x, współrzędna y");
    if (row <= nodes_) {
      const MeshNode& n = model_.MeshNodeTable[row];
      return QStringLiteral("%1 - %2, %3")
          .arg(row)
          .arg(MeshCoordinateText(SinglePrecision(n.x)), MeshCoordinateText(SinglePrecision(n.y)));
    }
    if (row == nodes_ + 1) return Ui("ListWindows", "Nr elementu, węzeł 1,2,3");
    const int32_t t = row - nodes_ - 1;
    return t <= triangles_ ? QString::fromStdString(TriangleLine(t, model_.MeshTriangleTable[t])) : QString();
  }

 private:
  const Model& model_;
  int32_t nodes_ = 0, triangles_ = 0;
  bool shown_ = false;
};

namespace {

constexpr int kLineHeight = 16;

// The window's name and caption.
std::pair<QString, QString> LineListTitle(LineListWindow::Lines lines) {
  switch (lines) {
    case LineListWindow::Lines::Elements:
      return {QStringLiteral("Tl_ele"), Ui("ListWindows", "Lista elementów")};
    case LineListWindow::Lines::Mesh:
      return {QStringLiteral("Tl_wynMES"), Ui("ListWindows", "Lista wyników")};
    case LineListWindow::Lines::Conditions:
      return {QStringLiteral("Tl_war"), Ui("ListWindows", "Lista warunków brzegowych")};
    case LineListWindow::Lines::Boundaries:
      return {QStringLiteral("Tl_brz"), Ui("ListWindows", "Lista brzegów")};
  }
  return {};
}

}  // namespace

NodeListWindow::NodeListWindow(Nodes nodes, AppState& state, Prompter& prompter, QWidget* parent)
    : FormDialog(nodes == Nodes::Boundary ? QStringLiteral("Tl_wez") : QStringLiteral("Tl_wezw"),
                 nodes == Nodes::Boundary ? Ui("ListWindows", "Lista węzłów")
                                          : Ui("ListWindows", "Lista węzłów wewnętrznych"),
                 prompter, parent, QStringLiteral("OK"), QString()),
      nodes_(nodes),
      state_(state),
      grid_(new QTableWidget(0, 3, this)) {
  grid_->setObjectName(QStringLiteral("StringGrid1"));
  grid_->setHorizontalHeaderLabels({Ui("ListWindows", "Nr"), QStringLiteral("x"), QStringLiteral("y")});
  grid_->verticalHeader()->hide();
  grid_->horizontalHeader()->setMinimumSectionSize(0);
  grid_->verticalHeader()->setDefaultSectionSize(kLineHeight);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setTextElideMode(Qt::ElideNone);  // clipped, as narrow grid cells show numbers
  grid_->setWordWrap(false);
  for (int column = 0; column < 3; ++column) grid_->setColumnWidth(column, column == 0 ? 20 : 90);
  grid_->setMinimumSize(277, 348);
  auto* content = new QVBoxLayout;
  content->addWidget(grid_);
  setContent(content);
  setSizeGripEnabled(true);
}

void NodeListWindow::refresh() {
  const Model& m = state_.model;
  const int32_t count = nodes_ == Nodes::Boundary ? m.nodeCount : m.internalNodeCount;
  grid_->setRowCount(count);
  for (int32_t i = 1; i <= count; ++i) {
    const float x = nodes_ == Nodes::Boundary ? m.NodeTable[i].x : m.InternalNodeTable[i].x;
    const float y = nodes_ == Nodes::Boundary ? m.NodeTable[i].y : m.InternalNodeTable[i].y;
    const QString cells[] = {QString::number(i), GeneralText(x), GeneralText(y)};
    for (int column = 0; column < 3; ++column)
      grid_->setItem(i - 1, column, new QTableWidgetItem(cells[column]));
  }
}

void NodeListWindow::okClicked() {
  accept();
}

LineListWindow::LineListWindow(Lines lines, AppState& state, Prompter& prompter, QWidget* parent)
    : FormDialog(LineListTitle(lines).first, LineListTitle(lines).second, prompter, parent,
                 QStringLiteral("OK"), QString()),
      lines_(lines),
      state_(state),
      model_(new QStringListModel(this)) {
  QAbstractItemView* view = nullptr;
  if (lines == Lines::Mesh) {
    // A list view lays out every row when filled; a table of one column
    // with fixed rows and no headers looks the same and lays out none, so
    // a million-triangle mesh opens at once.
    meshModel_ = new MeshLineModel(state.model, this);
    auto* table = new QTableView(this);
    table->setModel(meshModel_);
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 1);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setShowGrid(false);
    table->setWordWrap(false);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    view = table;
  } else {
    auto* list = new QListView(this);
    list->setModel(model_);
    list->setUniformItemSizes(true);
    view = list;
  }
  view->setObjectName(QStringLiteral("ListBox1"));
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setMinimumSize(277, lines == Lines::Elements ? 285 : 305);
  auto* content = new QVBoxLayout;
  if (lines == Lines::Elements)
    content->addWidget(new QLabel(Ui("ListWindows", "Nr elementu, węzeł 1, 2"), this));
  content->addWidget(view);
  setContent(content);
  setSizeGripEnabled(true);
}

void LineListWindow::refresh() {
  const Model& m = state_.model;
  QStringList lines;
  if (lines_ == Lines::Elements) {
    for (int32_t i = 1; i <= m.elementCount; ++i)
      lines << QString::fromStdString(ElementLine(i, m.ElementTable[i]));
  } else if (lines_ == Lines::Conditions) {
    for (int32_t i = 1; i <= m.bcCount; ++i)
      lines << QString::fromStdString(ConditionText(i, m.BcTable[i], m.ProblemKind, UserDecimalPoint()));
  } else if (lines_ == Lines::Boundaries) {
    for (int32_t i = 1; i <= m.boundaryCount; ++i)
      lines << QString::fromStdString(BoundaryText(i, m.BoundaryTable[i]));
  } else {
    meshModel_->fill(true);
    return;
  }
  model_->setStringList(lines);
}

void LineListWindow::okClicked() {
  model_->setStringList({});
  if (meshModel_ != nullptr) meshModel_->fill(false);
  accept();
}

QStringList LineListWindow::lines() const {
  if (meshModel_ == nullptr) return model_->stringList();
  QStringList lines;
  for (int row = 0; row < meshModel_->rowCount(); ++row) lines << meshModel_->line(row);
  return lines;
}
