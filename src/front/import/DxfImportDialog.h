#pragma once
// "Importuj DXF": what a drawing would become before anything changes. It
// shows the drawing's extent and units with a scale, its layers (each
// taken or not, with its entity count, the condition and the boundary its
// elements get, the current ones by default, and the material its closed
// chains are made of, "otwór" by default), how curves are cut (a chord
// tolerance or elements per full circle), how near ends must come to be
// joined into one node, the closed chains lying in a solid one (each a
// hole unless marked a region to mesh, or a region of its layer's
// material) and the counts the model would reach against its tables. "OK" adds the drawing to the
// model or refuses it, with the counts, leaving the dialog as it was typed.

#include <vector>

#include "core/import/DrawingChains.h"
#include "core/import/DrawingImport.h"
#include "front/ui/FormDialog.h"

struct AppState;
class QButtonGroup;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

class DxfImportDialog : public FormDialog {
  Q_OBJECT
 public:
  DxfImportDialog(AppState& state, Prompter& prompter, QWidget* parent = nullptr);

  // The drawing the next showing offers, read from `fileName`; the controls
  // are filled afresh for it when the dialog shows.
  void setDrawing(Drawing drawing, const QString& fileName);
  void refresh() override;
  void okClicked() override;
  // What the last accepted import added, for the message after it.
  const std::string& summary() const { return summary_; }
  // The larger side of the drawing last accepted, in model units (after
  // its scale).
  double importedSide() const { return importedSide_; }

 protected:
  bool refillsOnActivation() const override { return false; }

 private:
  // The options as typed; empty, with `bad` set to the control at fault,
  // when one of them is not a valid number.
  std::optional<ImportOptions> options(QWidget** bad = nullptr) const;
  std::vector<LayerPhysics> physics() const;
  // Plans again after any change: the nested chains' list and the counts.
  void replan();
  // The parts of making the dialog: the layer table's columns, the
  // controls laid out, and what each control's change sets off.
  void setUpLayerTable();
  QGridLayout* layOut();
  void connectControls();
  // The drawing's extent and units, and the controls for one of its layers.
  void showExtentAndUnits();
  void addLayerRow(int row);
  // Takes the last drawing's rows out of the layer table, widgets and all.
  void clearLayers();

  AppState& state_;
  Drawing drawing_;
  QString fileName_;
  bool fresh_ = false;  // a drawing not yet shown in the controls
  std::string summary_;
  double importedSide_ = 0.0;
  std::vector<bool> regions_;  // by closed chain, kept while their number stays
  QLabel* extent_;
  QLabel* units_;
  QLineEdit* scale_;
  QPushButton* toMetres_;
  QButtonGroup* rule_;
  QLineEdit* tolerance_;
  QLineEdit* perCircle_;
  QLineEdit* join_;
  QTableWidget* layers_;
  QListWidget* nested_;
  QLabel* counts_;
};
