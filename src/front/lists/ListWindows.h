#pragma once
// The read-only list windows: boundary and internal nodes as grids, the
// elements and the mesh as lines of text. Each fills itself whenever it is
// shown or becomes active, so it never shows a line twice.

#include "front/ui/FormDialog.h"

struct AppState;
class MeshLineModel;
class QListView;
class QStringListModel;
class QTableWidget;

// "Lista węzłów" (Tl_wez) or "Lista węzłów wewnętrznych" (Tl_wezw): number,
// x and y under the header "Nr", "x", "y".
class NodeListWindow : public FormDialog {
  Q_OBJECT
 public:
  enum class Nodes { Boundary, Internal };
  NodeListWindow(Nodes nodes, AppState& state, Prompter& prompter, QWidget* parent = nullptr);
  void refresh() override;
  void okClicked() override;
  const QTableWidget& grid() const { return *grid_; }

 private:
  Nodes nodes_;
  AppState& state_;
  QTableWidget* grid_;
};

// "Lista elementów" (Tl_ele), "Lista wyników" (Tl_wynMES), "Lista warunków
// brzegowych" (Tl_war) or "Lista brzegów" (Tl_brz): lines of text, handed
// to the view as one model. "OK" empties the list. The mesh's lines are
// made as the view shows them, so a million-triangle mesh opens at once.
class LineListWindow : public FormDialog {
  Q_OBJECT
 public:
  enum class Lines { Elements, Mesh, Conditions, Boundaries };
  LineListWindow(Lines lines, AppState& state, Prompter& prompter, QWidget* parent = nullptr);
  void refresh() override;
  void okClicked() override;
  QStringList lines() const;

 private:
  Lines lines_;
  AppState& state_;
  QStringListModel* model_;
  MeshLineModel* meshModel_ = nullptr;
};
