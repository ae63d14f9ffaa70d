#pragma once
// "Plik": new, open, save and export of a project, the question before the
// program ends, and the recovery copy kept while the project has unsaved
// changes.

#include <QString>
#include <chrono>
#include <memory>
#include <string>

class CommandContext;
struct Model;
class QTimer;
class RecoveryCopy;

// The project file the model's caption names; empty for one never saved.
QString ProjectFile(const Model& model);

class FileCommands {
 public:
  explicit FileCommands(CommandContext& context);
  ~FileCommands();

  void newProject();
  void openProject();
  // A project named at start: opened as "Otwórz" opens it, without the
  // question, since nothing can be lost yet.
  void openProjectFile(const QString& path);
  // "Zapisz jako": asks for a name.
  void saveProject();
  // "Zapisz": to the file named in the caption, without a dialog; a project
  // with no file yet asks for a name as "Zapisz jako" does.
  void saveToCurrentFile();
  void exportMesh();
  // The mesh with its boundary tags in an open format: Gmsh MSH 4.1 or
  // 2.2, or VTK's unstructured grid, chosen by the filter and the name.
  void exportOpenFormat();
  // The question before the end. Answered "Tak", the project's unsaved
  // changes are written to the recovery copy at once (with none, the copy
  // goes), since the program ends without a further word.
  bool confirmExit();

  // From now on, while the project differs from its file, a recovery copy
  // of it is kept in this folder, refreshed `delay` after a change.
  void keepRecoveryCopies(const std::string& folder,
                          std::chrono::milliseconds delay = std::chrono::seconds(3));
  // At start: offers, newest first, the recovery copies left by programs
  // that no longer run. "Tak" restores one as an unsaved project and ends
  // the offers (the others wait for the next start); "Nie" deletes it.
  // True when a project was restored.
  bool offerLeftCopies();

 private:
  // Reads a project into the model just reset, with the messages of "Otwórz".
  void loadProject(const QString& path);
  // Refuses, with its message, a project of no nodes.
  bool nothingToSave();
  // Saves to the path; `announce` shows that it was saved.
  void saveTo(const QString& path, bool announce);
  // The file named in the caption; empty for a project never saved.
  QString currentFile() const;
  void recoveryFollowsHistory();
  void writeRecoveryCopy();

  CommandContext& c_;
  std::unique_ptr<RecoveryCopy> recovery_;
  std::unique_ptr<QTimer> refresh_;
};
