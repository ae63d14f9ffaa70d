#include "front/commands/ImportCommands.h"

#include <QFileInfo>

#include "core/import/DxfReader.h"
#include "core/view/ViewTransform.h"
#include "front/commands/CommandContext.h"
#include "front/import/DxfImportDialog.h"
#include "front/ui/Prompter.h"

namespace {

const QString kTitle = QStringLiteral("Importuj DXF");

}  // namespace

ImportCommands::ImportCommands(CommandContext& c)
    : c_(c), dialog_(std::make_unique<DxfImportDialog>(c.state, c.prompter)) {}

ImportCommands::~ImportCommands() = default;

void ImportCommands::importDxf() {
  const std::optional<QString> path = c_.prompter.openFileName(
      {kTitle,
       {QStringLiteral("Rysunki DXF (*.dxf)"), QStringLiteral("Wszystkie pliki (*.*)")},
       QStringLiteral("dxf")});
  if (!path) return;
  DxfResult read = ReadDxfFile(LocalPath(*path));
  if (!read.ok) {
    c_.prompter.message(
        QStringLiteral("Nie zaimportowano rysunku %1:\n%2").arg(*path, QString::fromStdString(read.message)),
        kTitle, MessageIcon::Stop);
    return;
  }
  dialog_->setDrawing(std::move(read.drawing), QFileInfo(*path).fileName());
  if (c_.prompter.showDialog(*dialog_) != QDialog::Accepted) return;
  c_.nameStep(QStringLiteral("import rysunku DXF"));
  ShowAll(c_.state.view, c_.state.model);
  emit c_.repaintRequested();
  c_.prompter.message(QString::fromStdString(dialog_->summary()), kTitle, MessageIcon::Exclamation);
}
