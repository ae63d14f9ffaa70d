#pragma once
// "Plik": new, open, save and export of a project, and the question before
// the program ends.

#include <QString>

class CommandContext;

class FileCommands {
 public:
  explicit FileCommands(CommandContext& context) : c_(context) {}

  void newProject();
  void openProject();
  // A project named at start: opened as "Otwórz" opens it, without the
  // question, since nothing can be lost yet.
  void openProjectFile(const QString& path);
  void saveProject();
  void exportMesh();
  // The mesh with its boundary tags in an open format: Gmsh MSH 4.1 or
  // 2.2, or VTK's unstructured grid, chosen by the filter and the name.
  void exportOpenFormat();
  bool confirmExit();

 private:
  // Reads a project into the model just reset, with the messages of "Otwórz".
  void loadProject(const QString& path);

  CommandContext& c_;
};
