#include "front/commands/FileCommands.h"

#include <QFileInfo>
#include <algorithm>

#include "core/files/ExportFile.h"
#include "core/files/OpenExport.h"
#include "core/files/ProjectFile.h"
#include "core/results/Solution.h"
#include "front/commands/CommandContext.h"
#include "front/ui/Prompter.h"

namespace {

const QString kDiskErrorTitle = QStringLiteral("Błąd operacji dyskowej");

FileDialogOptions ProjectDialog(const QString& title, bool confirmOverwrite) {
  return {title,
          {QStringLiteral("Pliki Vendrela Korbel (*.vdk)"), QStringLiteral("Wszystkie pliki (*.*)")},
          QStringLiteral("vdk"),
          confirmOverwrite};
}

QString FileCaption(const QString& path) {
  return QStringLiteral("Vendrel korbel v1.0 %1").arg(path);
}

}  // namespace

void FileCommands::newProject() {
  if (!c_.prompter.ask(QStringLiteral("Tworząc nowy projekt utracisz wszystkie dane..."),
                       QStringLiteral("Nowy projekt"))) {
    return;
  }
  c_.nameStep(QStringLiteral("nowy projekt"), true);
  c_.cleanAfterStep();
  ModelReset(c_.state);
  emit c_.statusTextChanged(3, QStringLiteral(" "));
  c_.setCaption(QStringLiteral("Vendrel Korbel v1.0"));
  emit c_.repaintRequested();
}

void FileCommands::openProject() {
  if (!c_.prompter.ask(QStringLiteral("Czy chcesz utracić aktualne dane ?"), QStringLiteral("Otwórz plik"))) {
    return;
  }
  c_.nameStep(QStringLiteral("otwarcie pliku"), true);
  c_.cleanAfterStep();
  ModelReset(c_.state);
  emit c_.statusTextChanged(3, QStringLiteral(" "));
  // The old model is gone from here on; the picture must not keep showing it.
  emit c_.repaintRequested();
  const std::optional<QString> path =
      c_.prompter.openFileName(ProjectDialog(QStringLiteral("Otwarcie pliku"), false));
  if (path) loadProject(*path);
}

void FileCommands::openProjectFile(const QString& path) {
  ModelReset(c_.state);
  // Named as "Otwórz" names it, whatever folder the program was started in.
  loadProject(path.isEmpty() ? path : QFileInfo(path).absoluteFilePath());
}

void FileCommands::loadProject(const QString& path) {
  const FileResult r = LoadProjectFile(LocalPath(path), c_.state.model);
  if (!r.ok) {
    emit c_.repaintRequested();
    c_.prompter.message(QString::fromStdString(r.message), QStringLiteral("Odczyt z pliku"),
                        MessageIcon::Stop);
    return;
  }
  c_.setCaption(FileCaption(path));
  emit c_.repaintRequested();
  c_.prompter.message(QStringLiteral("Odczytano dane z pliku %1").arg(path), QStringLiteral("Odczyt z pliku"),
                      MessageIcon::Exclamation);
}

void FileCommands::saveProject() {
  if (c_.state.model.nodeCount == 0) {
    c_.prompter.message(QStringLiteral("Ilość węzłów równa 0"), QStringLiteral("Błąd zapisu"),
                        MessageIcon::Stop);
    return;
  }
  const std::optional<QString> path =
      c_.prompter.saveFileName(ProjectDialog(QStringLiteral("Zapis pliku"), true));
  if (!path) return;
  const FileResult r = SaveProjectFile(c_.state.model, LocalPath(*path));
  if (!r.ok) {
    c_.prompter.message(QString::fromStdString(r.message), kDiskErrorTitle, MessageIcon::Stop);
    return;
  }
  c_.setCaption(FileCaption(*path));
  c_.markClean();
  c_.prompter.message(QStringLiteral("Zapisano dane do pliku %1").arg(*path),
                      QStringLiteral("Zapis do pliku"), MessageIcon::Exclamation);
}

void FileCommands::exportMesh() {
  if (c_.noMesh(QStringLiteral("Eksport do..."))) return;
  if (const std::optional<std::string> refusal = LayoutRefusal(c_.state.model)) {
    c_.prompter.message(
        QString::fromStdString(*refusal) +
            QStringLiteral(" Taką siatkę zapisuje \"Plik > Eksportuj do formatu otwartego...\"."),
        QStringLiteral("Eksport do..."), MessageIcon::Stop);
    return;
  }
  const FileDialogOptions options{
      QStringLiteral("Eksport siatki"),
      {QStringLiteral("Pliki DEV2O Korbela (*.m2d)"), QStringLiteral("Pliki ULMEX (*.ulx)"),
       QStringLiteral("Pliki Korbela nieliniowa  (*.n2d)"), QStringLiteral("Wszystkie pliki (*.*)")},
      QStringLiteral("m2d"),
      false};
  const std::optional<QString> path = c_.prompter.saveFileName(options);
  if (!path) return;
  const ExportLayout layout = LayoutForName(path->toStdString());
  const FileResult r = WriteExportFile(c_.state.model, layout, LocalPath(*path));
  if (!r.ok) {
    c_.prompter.message(QString::fromStdString(r.message), kDiskErrorTitle, MessageIcon::Exclamation);
    return;
  }
  if (layout == ExportLayout::N2d) {
    c_.prompter.message(QStringLiteral("Plik wyeksportowano poprawnie"),
                        QStringLiteral("Eksport do MES 2D KORBELA NIELINIOWA"), MessageIcon::None);
  } else if (layout == ExportLayout::M2d) {
    c_.prompter.message(QStringLiteral("Plik wyeksportowano poprawnie"),
                        QStringLiteral("Eksport do MES 2D KORBELA"), MessageIcon::None);
  }
}

void FileCommands::exportOpenFormat() {
  if (c_.noMesh(QStringLiteral("Eksport do..."))) return;
  if (const std::optional<std::string> refusal = OpenExportRefusal(c_.state.model)) {
    c_.prompter.message(QString::fromStdString(*refusal), QStringLiteral("Eksport do..."), MessageIcon::Stop);
    return;
  }
  static constexpr OpenFormat kByFilter[] = {OpenFormat::Msh41, OpenFormat::Msh22, OpenFormat::Vtu};
  int filter = 0;
  const FileDialogOptions options{QStringLiteral("Eksport siatki do formatu otwartego"),
                                  {QStringLiteral("Gmsh MSH 4.1 (*.msh)"),
                                   QStringLiteral("Gmsh MSH 2.2 (*.msh)"), QStringLiteral("VTK XML (*.vtu)")},
                                  QStringLiteral("msh"),
                                  true,
                                  &filter};
  const std::optional<QString> path = c_.prompter.saveFileName(options);
  if (!path) return;
  const OpenFormat chosen = kByFilter[std::clamp(filter, 0, 2)];
  // The name's extension decides between MSH and VTU; the filter, between
  // the two MSH versions and for a name with any other extension.
  const OpenFormat format =
      OpenFormatForName(path->toStdString(), chosen == OpenFormat::Msh22).value_or(chosen);
  // A solution kept is one that still fits the model; MSH 2.2 carries none.
  const SolveResult* solution =
      c_.state.solution && format != OpenFormat::Msh22 ? &c_.state.solution->result : nullptr;
  const FileResult r = WriteOpenExport(c_.state.model, format, LocalPath(*path), solution);
  if (!r.ok) {
    c_.prompter.message(QString::fromStdString(r.message), kDiskErrorTitle, MessageIcon::Exclamation);
    return;
  }
  const QString names[] = {QStringLiteral("Gmsh MSH 4.1"), QStringLiteral("Gmsh MSH 2.2"),
                           QStringLiteral("VTK")};
  const std::string note = DanglingElementsNote(c_.state.model);
  c_.prompter.message(QStringLiteral("Plik wyeksportowano poprawnie") +
                          (solution ? QStringLiteral("\nZ rozwiązaniem zadania.") : QString()) +
                          (note.empty() ? QString() : "\n" + QString::fromStdString(note)),
                      QStringLiteral("Eksport do ") + names[static_cast<int>(format)], MessageIcon::None);
}

bool FileCommands::confirmExit() {
  return c_.prompter.ask(QStringLiteral("Zakończyć działanie programu ?"),
                         QStringLiteral("Zakończenie pracy programu"));
}
