#include "front/commands/FileCommands.h"

#include <QDateTime>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>

#include "core/files/ExportFile.h"
#include "core/files/OpenExport.h"
#include "core/files/ProjectFile.h"
#include "core/files/Recovery.h"
#include "core/results/Solution.h"
#include "front/commands/CommandContext.h"
#include "front/ui/Prompter.h"
#include "front/ui/ShownNames.h"
#include "front/ui/UiText.h"

namespace {

QString DiskErrorTitle() {
  return Ui("FileCommands", "Błąd operacji dyskowej");
}

FileDialogOptions ProjectDialog(const QString& title, bool confirmOverwrite) {
  return {title,
          {Ui("FileCommands", "Pliki Vendrela Korbel (*.vdk)"), Ui("FileCommands", "Wszystkie pliki (*.*)")},
          QStringLiteral("vdk"),
          confirmOverwrite};
}

QString FileCaption(const QString& path) {
  return QStringLiteral("Vendrel korbel v1.0 %1").arg(path);
}

const QString kNewCaption = QStringLiteral("Vendrel Korbel v1.0");

}  // namespace

FileCommands::FileCommands(CommandContext& context) : c_(context) {}

FileCommands::~FileCommands() = default;

void FileCommands::newProject() {
  if (!c_.prompter.ask(Ui("FileCommands", "Tworząc nowy projekt utracisz wszystkie dane..."),
                       Ui("FileCommands", "Nowy projekt"))) {
    return;
  }
  c_.nameStep(Ui("FileCommands", "nowy projekt"), true);
  c_.cleanAfterStep();
  ModelReset(c_.state);
  c_.clearPrompt();
  c_.setCaption(kNewCaption);
  emit c_.repaintRequested();
}

void FileCommands::openProject() {
  if (!c_.prompter.ask(Ui("FileCommands", "Czy chcesz utracić aktualne dane ?"),
                       Ui("FileCommands", "Otwórz plik"))) {
    return;
  }
  c_.nameStep(Ui("FileCommands", "otwarcie pliku"), true);
  c_.cleanAfterStep();
  ModelReset(c_.state);
  c_.clearPrompt();
  // The old model is gone from here on; the picture must not keep showing it.
  emit c_.repaintRequested();
  const std::optional<QString> path =
      c_.prompter.openFileName(ProjectDialog(Ui("FileCommands", "Otwarcie pliku"), false));
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
    c_.prompter.message(QString::fromStdString(r.message), Ui("FileCommands", "Odczyt z pliku"),
                        MessageIcon::Stop);
    return;
  }
  c_.setCaption(FileCaption(path));
  emit c_.repaintRequested();
  c_.prompter.message(Ui("FileCommands", "Odczytano dane z pliku %1").arg(ShownName(path)),
                      Ui("FileCommands", "Odczyt z pliku"), MessageIcon::Exclamation);
}

bool FileCommands::nothingToSave() {
  if (c_.state.model.nodeCount != 0) return false;
  c_.prompter.message(Ui("FileCommands", "Ilość węzłów równa 0"), Ui("FileCommands", "Błąd zapisu"),
                      MessageIcon::Stop);
  return true;
}

void FileCommands::saveProject() {
  if (nothingToSave()) return;
  const std::optional<QString> path =
      c_.prompter.saveFileName(ProjectDialog(Ui("FileCommands", "Zapis pliku"), true));
  if (path) saveTo(*path, true);
}

void FileCommands::saveToCurrentFile() {
  const QString path = currentFile();
  if (path.isEmpty()) {
    saveProject();
  } else if (!nothingToSave()) {
    // The caption's "*" going is the sign that it was saved.
    saveTo(path, false);
  }
}

void FileCommands::saveTo(const QString& path, bool announce) {
  const FileResult r = SaveProjectFile(c_.state.model, LocalPath(path));
  if (!r.ok) {
    c_.prompter.message(QString::fromStdString(r.message), DiskErrorTitle(), MessageIcon::Stop);
    return;
  }
  c_.setCaption(FileCaption(path));
  c_.markClean();
  if (announce) {
    c_.prompter.message(Ui("FileCommands", "Zapisano dane do pliku %1").arg(ShownName(path)),
                        Ui("FileCommands", "Zapis do pliku"), MessageIcon::Exclamation);
  }
}

QString ProjectFile(const Model& model) {
  const QString caption = QString::fromStdString(model.CaptionText);
  const QString prefix = FileCaption(QString());
  return caption.startsWith(prefix) ? caption.mid(prefix.size()) : QString();
}

QString FileCommands::currentFile() const {
  return ProjectFile(c_.state.model);
}

void FileCommands::exportMesh() {
  if (c_.noMesh(Ui("FileCommands", "Eksport do..."))) return;
  if (const std::optional<std::string> refusal = LayoutRefusal(c_.state.model)) {
    c_.prompter.message(
        Ui("FileCommands", "%1 Taką siatkę zapisuje \"Plik > Eksportuj do formatu otwartego...\".")
            .arg(QString::fromStdString(*refusal)),
        Ui("FileCommands", "Eksport do..."), MessageIcon::Stop);
    return;
  }
  const FileDialogOptions options{
      Ui("FileCommands", "Eksport siatki"),
      {Ui("FileCommands", "Pliki DEV2O Korbela (*.m2d)"), Ui("FileCommands", "Pliki ULMEX (*.ulx)"),
       Ui("FileCommands", "Pliki Korbela nieliniowa  (*.n2d)"), Ui("FileCommands", "Wszystkie pliki (*.*)")},
      QStringLiteral("m2d"),
      false};
  const std::optional<QString> path = c_.prompter.saveFileName(options);
  if (!path) return;
  const ExportLayout layout = LayoutForName(path->toStdString());
  const FileResult r = WriteExportFile(c_.state.model, layout, LocalPath(*path));
  if (!r.ok) {
    c_.prompter.message(QString::fromStdString(r.message), DiskErrorTitle(), MessageIcon::Exclamation);
    return;
  }
  if (layout == ExportLayout::N2d) {
    c_.prompter.message(Ui("FileCommands", "Plik wyeksportowano poprawnie"),
                        Ui("FileCommands", "Eksport do MES 2D KORBELA NIELINIOWA"), MessageIcon::None);
  } else if (layout == ExportLayout::M2d) {
    c_.prompter.message(Ui("FileCommands", "Plik wyeksportowano poprawnie"),
                        Ui("FileCommands", "Eksport do MES 2D KORBELA"), MessageIcon::None);
  }
}

void FileCommands::exportOpenFormat() {
  if (c_.noMesh(Ui("FileCommands", "Eksport do..."))) return;
  if (const std::optional<std::string> refusal = OpenExportRefusal(c_.state.model)) {
    c_.prompter.message(QString::fromStdString(*refusal), Ui("FileCommands", "Eksport do..."),
                        MessageIcon::Stop);
    return;
  }
  static constexpr OpenFormat kByFilter[] = {OpenFormat::Msh41, OpenFormat::Msh22, OpenFormat::Vtu};
  int filter = 0;
  const FileDialogOptions options{Ui("FileCommands", "Eksport siatki do formatu otwartego"),
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
    c_.prompter.message(QString::fromStdString(r.message), DiskErrorTitle(), MessageIcon::Exclamation);
    return;
  }
  const QString names[] = {QStringLiteral("Gmsh MSH 4.1"), QStringLiteral("Gmsh MSH 2.2"),
                           QStringLiteral("VTK")};
  const std::string note = DanglingElementsNote(c_.state.model);
  c_.prompter.message(Ui("FileCommands", "Plik wyeksportowano poprawnie") +
                          (solution ? Ui("FileCommands", "\nZ rozwiązaniem zadania.") : QString()) +
                          (note.empty() ? QString() : "\n" + QString::fromStdString(note)),
                      Ui("FileCommands", "Eksport do %1").arg(names[static_cast<int>(format)]),
                      MessageIcon::None);
}

bool FileCommands::confirmExit() {
  if (!c_.prompter.ask(Ui("FileCommands", "Zakończyć działanie programu ?"),
                       Ui("FileCommands", "Zakończenie pracy programu"))) {
    return false;
  }
  if (recovery_) {
    refresh_->stop();
    if (c_.state.history.isClean()) {
      recovery_->remove();
    } else {
      writeRecoveryCopy();
    }
  }
  return true;
}

void FileCommands::keepRecoveryCopies(const std::string& folder, std::chrono::milliseconds delay) {
  if (folder.empty()) return;
  recovery_ = std::make_unique<RecoveryCopy>(folder);
  refresh_ = std::make_unique<QTimer>();
  refresh_->setSingleShot(true);
  refresh_->setInterval(delay);
  QObject::connect(refresh_.get(), &QTimer::timeout, refresh_.get(), [this] { writeRecoveryCopy(); });
  // Every change of the project, its save, an undo or a redo tells the
  // history, and the history tells whether the project differs from its file.
  QObject::connect(&c_, &CommandContext::historyChanged, refresh_.get(),
                   [this] { recoveryFollowsHistory(); });
  recoveryFollowsHistory();
}

void FileCommands::recoveryFollowsHistory() {
  if (c_.state.history.isClean()) {
    refresh_->stop();
    recovery_->remove();
  } else if (!refresh_->isActive()) {
    // Not restarted by further changes: work drawn without a pause is
    // still written every few seconds.
    refresh_->start();
  }
}

void FileCommands::writeRecoveryCopy() {
  // A failure is not shown: the work itself is untouched, and the next
  // change tries again.
  if (!c_.state.history.isClean()) {
    (void)recovery_->write(FormatProjectFile(c_.state.model), currentFile().toStdString());
  }
}

bool FileCommands::offerLeftCopies() {
  if (!recovery_) return false;
  for (LeftCopy& copy : FindLeftCopies(recovery_->folder())) {
    const QString name = QString::fromStdString(copy.projectName);
    const QString when =
        QDateTime::fromSecsSinceEpoch(copy.writtenAt).toString(QStringLiteral("dd.MM.yyyy HH:mm"));
    if (!c_.prompter.ask(Ui("FileCommands", "Znaleziono niezapisany projekt %1 z %2. Przywrócić go?")
                             .arg(name.isEmpty() ? Ui("FileCommands", "bez nazwy") : ShownName(name), when),
                         Ui("FileCommands", "Przywrócenie projektu"))) {
      DiscardLeftCopy(copy);
      continue;
    }
    // A copy that cannot be read is told and deleted, and the next offered.
    const FileResult readable = LoadProjectFile(copy.path, *std::make_unique<Model>());
    if (!readable.ok) {
      c_.prompter.message(QString::fromStdString(readable.message), Ui("FileCommands", "Odczyt z pliku"),
                          MessageIcon::Stop);
      DiscardLeftCopy(copy);
      continue;
    }
    // A step of the history, so the project differs from its file (the
    // caption shows "*") and an undo goes back to the empty start.
    c_.tracked(Ui("FileCommands", "przywrócenie projektu"), [&] {
      c_.nameStep(Ui("FileCommands", "przywrócenie projektu"), true);
      ModelReset(c_.state);
      (void)LoadProjectFile(copy.path, c_.state.model);
      c_.setCaption(name.isEmpty() ? kNewCaption : FileCaption(name));
      emit c_.repaintRequested();
    });
    // This program's own copy is written before the old one goes, so that
    // no moment is without one.
    refresh_->stop();
    writeRecoveryCopy();
    DiscardLeftCopy(copy);
    return true;
  }
  return false;
}
