#pragma once
// The main window's commands as plain methods over the program's state.
// They talk to the user only through the Prompter and tell the window what
// to update through signals, so each runs the same in tests as on screen.

#include <QObject>
#include <QString>
#include <memory>

#include "mesh/MeshDriver.h"

struct AppState;
class Prompter;
class ScreenSettingsDialog;
class GridDialog;
class RegionDialog;

class Commands : public QObject {
  Q_OBJECT

public:
  // The view dialogs are created here, once, and live as long as this.
  Commands(AppState& state, Prompter& prompter);
  ~Commands() override;

  MesherOptions& mesherOptions() { return mesher_; }
  ScreenSettingsDialog& screenSettingsDialog() { return *screenDialog_; }
  GridDialog& gridDialog() { return *gridDialog_; }
  RegionDialog& regionDialog() { return *regionDialog_; }

  // Files.
  void newProject();
  void openProject();
  void saveProject();
  void exportMesh();
  // Mesh.
  void generateMesh();
  void toggleMeshShown();
  // View.
  void zoomIn();
  void zoomOut();
  void panLeft();
  void panRight();
  void panUp();
  void panDown();
  void showAll();
  void screenSettings();
  void gridSettings();
  void regionSettings();
  // Shell.
  bool confirmExit();
  void about();
  // The status read-out for a cursor at a client pixel.
  void cursorMoved(int x, int y, int clientHeight);
  // After a repaint that had to switch the grid off.
  void gridLimitReached();

  void setCaption(const QString& caption);

signals:
  void repaintRequested();
  void captionChanged(const QString& caption);
  void meshShownChanged(bool shown);
  void statusTextChanged(int panel, const QString& text);

private:
  AppState& state_;
  Prompter& prompter_;
  MesherOptions mesher_;
  std::unique_ptr<ScreenSettingsDialog> screenDialog_;
  std::unique_ptr<GridDialog> gridDialog_;
  std::unique_ptr<RegionDialog> regionDialog_;
};
