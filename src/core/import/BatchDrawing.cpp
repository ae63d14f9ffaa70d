#include "core/import/BatchDrawing.h"

#include "core/files/ShownName.h"
#include "core/import/DrawingHelper.h"
#include "core/import/DrawingImport.h"
#include "core/text/NumberText.h"
#include "core/text/Tr.h"

bool ImportDxfForBatch(const std::string& path, const DrawingSettings& settings, Model& model,
                       std::string& message, std::ostream& messages) {
  DrawingReadOptions reader;
  reader.helperPath = DefaultDrawingReaderPath();
  const DxfResult read = ReadDrawing(path, reader);
  // The reader's own failure names the file already.
  if (!read.ok) {
    message = read.readerFailed ? read.message : ShownName(path) + ": " + read.message;
    return false;
  }
  ImportOptions options;
  options.chords.tolerance = settings.tolerance > 0.0 ? settings.tolerance : DefaultTolerance(read.drawing);
  options.join = settings.join >= 0.0 ? settings.join : DefaultJoinDistance(read.drawing);
  options.scale = settings.scale;
  if (settings.toMetres) {
    const DrawingUnit unit = UnitOfDrawing(read.drawing.insUnits);
    if (!(unit.metres > 0.0)) {
      message = ShownName(path) + ": " +
                Tr("BatchDrawing",
                   "Rysunek nie podaje jednostek ($INSUNITS), więc --dxf-scale m nie ma z czego przeliczyć; "
                   "podaj skalę liczbą.");
      return false;
    }
    options.scale = unit.metres;
  }
  const ImportPlan plan = PlanImport(read.drawing, options);
  const std::vector<LayerPhysics> layers(read.drawing.layers.size(), LayerPhysics{1, 1});
  const ImportOutcome outcome = ApplyImport(model, plan, read.drawing, layers, '.');
  if (!outcome.done) {
    message = ShownName(path) + ": " + outcome.message;
    return false;
  }
  messages << outcome.message << '\n';
  return true;
}
