#pragma once
// The main window's commands as plain methods over the program's state.
// They talk to the user only through the Prompter and tell the window what
// to update through signals, so each runs the same in tests as on screen.

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/mesh/MeshDriver.h"
#include "core/view/ViewTransform.h"

struct AppState;
struct Model;
struct Finding;
class Prompter;
class QDialog;
class ScreenSettingsDialog;
class GridDialog;
class RegionDialog;
class EllipseDialog;
class NodeCoordinatesDialog;
class NumberPrompt;
class ElementDialog;
class InternalNodeDialog;
class NodeListWindow;
class LineListWindow;

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
  EllipseDialog& ellipseDialog() { return *ellipseDialog_; }
  NodeCoordinatesDialog& nodeDialog() { return *nodeDialog_; }
  NumberPrompt& numberPrompt() { return *numberPrompt_; }
  ElementDialog& elementDialog() { return *elementDialog_; }
  InternalNodeDialog& internalNodeDialog() { return *internalNodeDialog_; }
  NodeListWindow& nodeList() { return *nodeList_; }
  NodeListWindow& internalNodeList() { return *internalNodeList_; }
  LineListWindow& elementList() { return *elementList_; }
  LineListWindow& meshList() { return *meshList_; }

  // Files.
  void newProject();
  void openProject();
  // A project named at start: opened as "Otwórz" opens it, without the
  // question, since nothing can be lost yet.
  void openProjectFile(const QString& path);
  void saveProject();
  void exportMesh();
  // Mesh.
  void generateMesh();
  void toggleMeshShown();
  // Looks for what would keep the boundary from meshing, at the area last
  // asked for, and points it out.
  void checkModel();
  // History of model changes.
  void undo();
  void redo();
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
  // Contours.
  void startPolyline();
  void endPolyline();
  void closePolyline();
  void removeLastPoint();
  void ellipse();
  // Nodes and elements.
  void addNode();
  void changeNodeCoordinates();
  void addElement();
  void changeElement();
  void deleteNode();
  void deleteElement();
  void removeDuplicateNodes();
  // Internal nodes, by dialog and at the pop-up menu's click.
  void addInternalNode();
  void changeInternalNode();
  void deleteInternalNode();
  void deleteAllInternalNodes();
  void insertInternalNodeAtClick();
  void removeInternalNodesAtClick();
  // Lists.
  void listNodes();
  void listElements();
  void listInternalNodes();
  void listMesh();
  // Mouse.
  void mouseDown(Qt::MouseButton button, int x, int y, int clientHeight);
  // Shell.
  bool confirmExit();
  void about();
  // The status read-out for a cursor at a client pixel, and the rubber band.
  void cursorMoved(int x, int y, int clientHeight);
  // After a repaint that had to switch the grid off. During a generation
  // the message waits until the generation has ended.
  void gridLimitReached();

  // Runs a command unless a generation is under way: while the helper works
  // the window still paints, and nothing may start inside that wait. A
  // command that changes the model becomes a step of its history.
  using Command = void (Commands::*)();
  void run(Command command);
  bool generating() const { return generating_; }

  void setCaption(const QString& caption);

 signals:
  void repaintRequested();
  void captionChanged(const QString& caption);
  void meshShownChanged(bool shown);
  void statusTextChanged(int panel, const QString& text);
  // The transients or the rubber band changed within this client rectangle.
  void overlayChanged(const QRect& area);
  // Open the pop-up menu (0 the general one, 1 the polyline one) with its
  // corner at this client pixel.
  void popupRequested(int menu, const QPoint& at);
  // A step was recorded, undone or redone.
  void historyChanged();

 private:
  void addPolylinePoint(int x, int y, int clientHeight);
  // Reads a project into the model just reset, with the messages of "Otwórz".
  void loadProject(const QString& path);
  // Refuses, with its message, an addition to a full table.
  bool full(ModelTable table, const QString& title);
  // Shows a dialog on the row just appended to a table; the row goes again
  // unless the dialog ends with OK.
  void fillNewRow(int32_t row, int32_t& count, QDialog& dialog);
  // Shows the number prompt for the given use; the typed number, or
  // nothing when it was cancelled.
  std::optional<int32_t> askNumber(int32_t use);
  // The pop-up menu's click as a model point, snapped to the grid.
  ModelPoint popupPoint(bool alwaysSnap) const;
  // Runs a change of the model and records it, under the name the change
  // gave itself (or `name`), when the project differs afterwards.
  void tracked(const QString& name, const std::function<void()>& change);
  // Names the step under way; `captionToo` for a new or opened project.
  void nameStep(const QString& name, bool captionToo = false);
  void afterHistoryMove();
  // Points out the findings and lists the first few; true when there were any.
  bool showFindings(const std::vector<Finding>& findings, const QString& title, const QString& lead);

  AppState& state_;
  Prompter& prompter_;
  MesherOptions mesher_;
  std::unique_ptr<ScreenSettingsDialog> screenDialog_;
  std::unique_ptr<GridDialog> gridDialog_;
  std::unique_ptr<RegionDialog> regionDialog_;
  std::unique_ptr<EllipseDialog> ellipseDialog_;
  std::unique_ptr<NodeCoordinatesDialog> nodeDialog_;
  std::unique_ptr<NumberPrompt> numberPrompt_;
  std::unique_ptr<ElementDialog> elementDialog_;
  std::unique_ptr<InternalNodeDialog> internalNodeDialog_;
  std::unique_ptr<NodeListWindow> nodeList_;
  std::unique_ptr<NodeListWindow> internalNodeList_;
  std::unique_ptr<LineListWindow> elementList_;
  std::unique_ptr<LineListWindow> meshList_;
  bool generating_ = false;
  bool gridLimitPending_ = false;
  double lastArea_ = 10.0;  // the largest triangle area last asked for
  // The step under way: the model before it, its name, and whether the
  // caption belongs to it.
  const Model* before_ = nullptr;
  QString step_;
  bool captionStep_ = false;
  int highlightsSet_ = 0;  // counts the times findings were pointed out
};
