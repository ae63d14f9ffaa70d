// The plot along a segment of SolveCommands: the segment typed or pointed
// at on the drawing, and the plot window it opens.

#include <QDialog>
#include <algorithm>

#include "front/commands/CommandContext.h"
#include "front/commands/SolveCommands.h"
#include "front/solve/LinePlotWindow.h"
#include "front/solve/SolutionDialogs.h"
#include "front/ui/Prompter.h"
#include "front/ui/UiText.h"

namespace {

QString PlotTitle() {
  return Ui("SegmentPlotCommands", "Wykres wzdłuż odcinka");
}

// The pixels the rubber band can touch, its ends pulled in far off the
// surface so that the arithmetic stays within int.
QRect BandArea(const RubberBand& band) {
  const auto in = [](int32_t v) { return std::clamp(v, -kPixelLimit, kPixelLimit); };
  return QRect(QPoint(in(band.anchor.x), in(band.anchor.y)), QPoint(in(band.end.x), in(band.end.y)))
      .normalized()
      .adjusted(-3, -3, 3, 3);
}

}  // namespace

SegmentDialog& SolveCommands::segmentDialog() {
  return *segment_;
}

LinePlotWindow& SolveCommands::linePlot() {
  return *plot_;
}

void SolveCommands::plotAlongSegment() {
  if (solutionNeeded(PlotTitle())) return;
  const int result = c_.prompter.showDialog(*segment_);
  if (result == QDialog::Accepted) {
    openPlot();
  } else if (result == SegmentDialog::kPickOnDrawing) {
    EditState& edit = c_.state.edit;
    edit.editMode = EditMode::Segment;
    edit.segmentStarted = false;
    c_.showStatus(StatusPanel::Prompt, Ui("SegmentPlotCommands", "Wskaż początek odcinka"));
  }
}

void SolveCommands::openPlot() {
  if (!c_.state.plotSegment || solutionNeeded(PlotTitle())) return;
  plot_->plot(*c_.state.plotSegment);
  plot_->show();
  plot_->raise();
  plot_->activateWindow();
}

bool SolveCommands::pickingSegment() const {
  return c_.state.edit.editMode == EditMode::Segment;
}

bool SolveCommands::segmentClick(Qt::MouseButton button, int x, int y, int clientHeight) {
  if (!pickingSegment()) return false;
  EditState& edit = c_.state.edit;
  if (button != Qt::LeftButton || !HasDrawingArea(c_.state.view)) return true;
  const ModelPoint p = ScreenToModel(c_.state.view, clientHeight, x, y);
  if (!edit.segmentStarted) {
    edit.segmentStarted = true;
    edit.segmentX = p.x, edit.segmentY = p.y;
    edit.rubberBand = RubberBand{1, {x, y}, {x, y}};
    c_.showStatus(StatusPanel::Prompt, Ui("SegmentPlotCommands", "Wskaż koniec odcinka"));
    return true;
  }
  if (p.x == edit.segmentX && p.y == edit.segmentY) return true;  // a segment needs two ends
  c_.state.plotSegment = PlotSegment{{edit.segmentX, edit.segmentY}, {p.x, p.y}};
  endSegmentPick();
  openPlot();
  return true;
}

void SolveCommands::segmentCursorMoved(int x, int y, int clientHeight) {
  EditState& edit = c_.state.edit;
  if (!pickingSegment() || !edit.segmentStarted) return;
  QRect changed = BandArea(edit.rubberBand);
  const ScreenPoint anchor = ModelToScreen(c_.state.view, clientHeight, edit.segmentX, edit.segmentY);
  edit.rubberBand = RubberBand{1, {anchor.x, anchor.y}, {x, y}};
  emit c_.overlayChanged(changed | BandArea(edit.rubberBand));
}

void SolveCommands::cancelSegmentPick() {
  if (pickingSegment()) endSegmentPick();
}

void SolveCommands::endSegmentPick() {
  EditState& edit = c_.state.edit;
  const bool band = RubberBandShown(edit);
  const QRect area = BandArea(edit.rubberBand);
  edit.editMode = EditMode::Idle;
  edit.segmentStarted = false;
  edit.rubberBand.drawn = 0;
  if (band) emit c_.overlayChanged(area);
  c_.clearPrompt();
}
