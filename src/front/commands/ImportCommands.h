#pragma once
// "Plik > Importuj DXF...": a CAD drawing's outlines added to the model as
// nodes and elements, in one step of the history.

#include <memory>

class CommandContext;
class DxfImportDialog;

class ImportCommands {
 public:
  explicit ImportCommands(CommandContext& context);
  ~ImportCommands();

  DxfImportDialog& dxfDialog() { return *dialog_; }

  // Asks for the file, reads it, shows what it would become; "OK" adds it,
  // the view then shows the whole model and a message sums up the import.
  void importDxf();

 private:
  CommandContext& c_;
  std::unique_ptr<DxfImportDialog> dialog_;
};
