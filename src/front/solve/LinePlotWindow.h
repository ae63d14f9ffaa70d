#pragma once
// "Wykres wzdłuż odcinka...": the segment typed or pointed at, and the
// window with the chosen field's curve along it, the flow across it, and
// the curve saved as CSV or the chart as a PNG or SVG picture.

#include <QDialog>
#include <memory>

#include "core/field/LineSample.h"
#include "front/ui/FormDialog.h"

struct AppState;
class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;

// The segment's ends x1 y1 x2 y2, filled with the last plot's segment (or
// the middle line of the mesh across its width). "OK" keeps the typed
// segment in the state; "Wskaż na rysunku" closes the dialog with
// kPickOnDrawing, for the ends to be pointed at with the mouse.
class SegmentDialog : public FormDialog {
  Q_OBJECT
 public:
  static constexpr int kPickOnDrawing = 2;
  SegmentDialog(AppState& state, Prompter& prompter, QWidget* parent = nullptr);
  void refresh() override;
  void okClicked() override;

 private:
  AppState& state_;
  QLineEdit* ends_[4];
};

// Not modal: it stays open beside the drawing, showing the solution it was
// opened with until it is opened again.
class LinePlotWindow : public QDialog {
  Q_OBJECT
 public:
  LinePlotWindow(const AppState& state, Prompter& prompter, QWidget* parent = nullptr);
  ~LinePlotWindow() override;
  // The state's solution along the segment, in the field the map shows.
  void plot(const PlotSegment& segment);
  // "Zapisz CSV...", "Zapisz obraz...": ask for a file name and write it;
  // false when nothing was written.
  bool saveCsv();
  bool saveImage();

  QComboBox& fieldBox() { return *field_; }
  QChartView& chartView() { return *view_; }
  QString flowText() const;
  const LinePieces& pieces() const { return pieces_; }

 private:
  void redraw();
  bool write(const QString& name, const QByteArray& bytes, const QString& title);

  const AppState& state_;
  Prompter& prompter_;
  std::shared_ptr<const Solution> solution_;
  PlotSegment segment_;
  FieldValues values_;
  LinePieces pieces_;
  QComboBox* field_;
  QChartView* view_;
  QLabel* flow_;
};
