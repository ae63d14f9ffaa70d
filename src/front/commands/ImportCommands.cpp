#include "front/commands/ImportCommands.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "core/view/ViewTransform.h"
#include "front/commands/CommandContext.h"
#include "front/import/DxfImportDialog.h"
#include "front/ui/Prompter.h"
#include "front/ui/ShownNames.h"
#include "front/ui/UiText.h"

namespace {

QString ImportTitle() {
  return Ui("ImportCommands", "Importuj DXF");
}

// The grid spacing of 1, 2 or 5 times a power of ten nearest `length` by
// ratio: 3 gives 2 (3/2 < 5/3), 4 gives 5.
double RoundGridSpacing(double length) {
  const double decade = std::pow(10.0, std::floor(std::log10(length)));
  double best = decade;
  for (const double m : {2.0, 5.0, 10.0}) {
    if (std::fabs(std::log(m * decade / length)) < std::fabs(std::log(best / length))) best = m * decade;
  }
  return best;
}

// The larger side of the nodes' extent; 0 without nodes.
double ModelSide(const Model& m) {
  const std::optional<NodesBox> b = BoxOfNodes(m);
  return b ? std::max(double(b->xMax) - b->xMin, double(b->yMax) - b->yMin) : 0.0;
}

}  // namespace

ImportCommands::ImportCommands(CommandContext& c)
    : c_(c), dialog_([&c] { return std::make_shared<DxfImportDialog>(c.state, c.prompter); }) {
  reader_.helperPath = DefaultDrawingReaderPath();
}

ImportCommands::~ImportCommands() = default;

void ImportCommands::importDxf() {
  const std::optional<QString> path = c_.prompter.openFileName(
      {ImportTitle(),
       {Ui("ImportCommands", "Rysunki DXF (*.dxf)"), Ui("ImportCommands", "Wszystkie pliki (*.*)")},
       QStringLiteral("dxf")});
  if (!path) return;
  std::unique_ptr<Progress> progress =
      c_.prompter.progress(ImportTitle(), Ui("ImportCommands", "Trwa odczyt rysunku…"));
  const DrawingReadOptions watched = c_.watched(reader_, *progress);
  DxfResult read = c_.whileBusy([&] { return ReadDrawing(LocalPath(*path), watched); });
  // Closed before anything else shows, so that no click meant for it lands
  // there; a late "Anuluj" still counts, and leaves nothing to say.
  const bool cancelled = c_.cancelledAtEnd(*progress) || read.cancelled;
  progress.reset();
  if (cancelled) return;
  if (!read.ok) {
    const QString why = QString::fromStdString(read.message);
    c_.prompter.message(
        read.readerFailed
            ? why
            : Ui("ImportCommands", "Nie zaimportowano rysunku %1:\n%2").arg(ShownName(*path), why),
        ImportTitle(), MessageIcon::Stop);
    return;
  }
  dialog_->setDrawing(std::move(read.drawing), ShownName(QFileInfo(*path).fileName()));
  if (c_.prompter.showDialog(*dialog_) != QDialog::Accepted) return;
  c_.nameStep(Ui("ImportCommands", "import rysunku DXF"));
  // A grid of about 25 spacings across the drawing (or across the whole
  // model, when that is larger, so the grid stays within its dots), then
  // the whole model in view with a step of grid round it: a part in
  // millimetres taken in metres fills the window, and zooming in has room
  // to go.
  ViewTransform& view = c_.state.view;
  const double side = std::max(dialog_->importedSide(), ModelSide(c_.state.model));
  if (side > 0.0 && std::isfinite(side)) view.gridDx = view.gridDy = float(RoundGridSpacing(side / 25.0));
  // One grid step out from there: "Pokaż wszystko" rounds the far edges in
  // to the grid and the top margin lies under the toolbar, so without it
  // the drawing's top and right edges would be cut.
  if (ShowAll(view, c_.state.model)) ZoomOut(view);
  emit c_.repaintRequested();
  c_.prompter.message(QString::fromStdString(dialog_->summary()), ImportTitle(), MessageIcon::Exclamation);
}
