#pragma once
// "Plik > Importuj DXF...": a CAD drawing's outlines added to the model as
// nodes and elements, in one step of the history.

#include <memory>

#include "core/import/DrawingHelper.h"
#include "front/ui/Lazy.h"

class CommandContext;
class DxfImportDialog;

class ImportCommands {
 public:
  explicit ImportCommands(CommandContext& context);
  ~ImportCommands();

  DxfImportDialog& dxfDialog() { return *dialog_; }
  // How drawings are read: the reader program to run.
  DrawingReadOptions& readerOptions() { return reader_; }

  // Asks for the file, reads it in the reader program (with a progress
  // indicator and "Anuluj" when that takes long), shows what it would
  // become; "OK" adds it, the view then fits the drawing and shows the
  // whole model, and a message sums up the import.
  void importDxf();

 private:
  CommandContext& c_;
  DrawingReadOptions reader_;
  Lazy<DxfImportDialog> dialog_;
};
