#pragma once
// "Generacja siatki" beyond GENERUJ: the choice of the mesh limit, and the
// mesh statistics window.

#include <memory>

#include "core/mesh/MeshStatistics.h"
#include "core/model/Model.h"
#include "front/ui/FormDialog.h"

struct AppState;
class QLabel;
class QRadioButton;

// The limit a generation works to: the basic one, the solver layouts' (1999
// triangles, 999 nodes), or the large one up to `triangles`.
struct MeshLimitChoice {
  bool large = false;
  int32_t triangles = 1'000'000;
};

inline constexpr int32_t kLeastLargeLimit = kMaxMeshTriangles + 1;

// "Limit siatki": the two choices, the large limit's triangle count typed
// in a field; a count outside 2000 … 5 000 000 is refused with a message
// and the dialog stays as the user left it, the cursor on the count.
class MeshLimitDialog : public FormDialog {
  Q_OBJECT
 public:
  MeshLimitDialog(MeshLimitChoice& choice, Prompter& prompter, QWidget* parent = nullptr);
  void refresh() override;
  void okClicked() override;

 protected:
  bool refillsOnActivation() const override { return false; }

 private:
  MeshLimitChoice& choice_;
  QRadioButton* basic_;
  QRadioButton* large_;
  QLineEdit* triangles_;
};

// "Statystyka siatki": counts, areas and angles of the mesh, and a picture
// of how the triangles' smallest angles fall. Computed once for each mesh:
// showing and activating the window again for the same mesh reuses them.
class MeshStatisticsWindow : public FormDialog {
  Q_OBJECT
 public:
  MeshStatisticsWindow(const AppState& state, Prompter& prompter, QWidget* parent = nullptr);
  void refresh() override;
  void okClicked() override;
  const MeshStatistics& statistics() const { return statistics_; }
  // The figures as shown, one "label value" line each.
  QStringList figures() const;
  // How many times the statistics were computed.
  int computations() const { return computations_; }

 private:
  const AppState& state_;
  MeshStatistics statistics_;
  MeshIdentity mesh_;  // the mesh they were computed for
  int computations_ = 0;
  QLabel* figures_;
  QWidget* histogram_;
};

// The height of a histogram bar for `count` triangles when the tallest,
// `most`, is `span` pixels: in proportion, and a bucket with any triangle
// at least one pixel tall.
int HistogramBarHeight(int32_t count, int32_t most, int span);

// Text for the area prompt: empty for the basic limit, "Duże siatki: do
// 1 000 000 trójkątów" for the large one; and the toolbar's short form,
// "Duże siatki ≤ 1 000 000".
QString LimitText(const MeshLimitChoice& choice);
QString ShortLimitText(const MeshLimitChoice& choice);
