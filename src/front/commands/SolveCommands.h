#pragma once
// "Rozwiązanie": solving the mesh's problem and its results.

#include <QByteArray>
#include <QImage>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "core/field/FieldValues.h"
#include "core/mesh/MeshDriver.h"
#include "front/mesh/MeshDialogs.h"
#include "front/ui/Lazy.h"

struct AdaptResult;
struct SolveResult;
class CommandContext;
class FieldDialog;
class IntegralsDialog;
class LinePlotWindow;
class QPainter;
class SegmentDialog;
class QString;
class ResultsWindow;
class ValuesWindow;

class SolveCommands {
 public:
  explicit SolveCommands(CommandContext& context);
  ~SolveCommands();

  // Solves on the current mesh off the window's thread, with a progress
  // indicator and "Anuluj" once it takes long; the solution is kept beside
  // the model, which does not change.
  void solve();
  // "Rozwiąż z dokładnością...": asks for the estimated relative error, the
  // triangle budget and the steps, then refines the mesh where the error is
  // largest and solves again until the error is small enough. The progress
  // indicator shows each step; "Anuluj" keeps the last finished one. The
  // final mesh and its solution are one step of the history.
  void solveAdaptively();
  // The mesher's options and the mesh limit in force (GENERUJ's).
  void setMesher(std::function<std::pair<MesherOptions, MeshLimitChoice>()> mesher) {
    mesher_ = std::move(mesher);
  }
  // "Wyniki...": the field's extremes, the flows or reactions, the balance.
  void showResults();

  // "Całki...": integrals over elements, a material or the whole region.
  void integrals();
  IntegralsDialog& integralsDialog();

  // "Mapa", "Izolinie", "Odkształcenie": switch a layer of the solution's
  // picture on or off; without a solution (or, for the deformation, a disc)
  // they say why and stay off.
  void toggleMap();
  void toggleIsolines();
  void toggleDeformation();
  // "Pole...": the map's field, the isolines' count, the magnification.
  void chooseField();
  // "Lista wartości": the nodes' values.
  void listValues();
  // "Zapisz obraz...": the picture as shown, with its colour bar and a
  // title (the project's name, and the field when a solution shows), as PNG
  // or SVG.
  void saveImage();
  // Where the picture comes from (the window's canvas): its size with a
  // title, and how it paints itself with one.
  struct PictureSource {
    std::function<QSize()> size;
    std::function<void(QPainter&, const QString& title)> paint;
  };
  void setImageSource(PictureSource source) { image_ = std::move(source); }
  ValuesWindow& valuesWindow();
  FieldDialog& fieldDialog();

  // "Wykres wzdłuż odcinka...": asks for the segment, typed (filled with
  // the last one) or pointed at on the drawing after "Wskaż na rysunku",
  // then opens the plot of the solution along it beside the drawing.
  void plotAlongSegment();
  // While the segment's ends are pointed at: a left click takes the start,
  // then the end, and opens the plot; the rubber band follows the cursor
  // from the start. False when no segment is being pointed at.
  bool segmentClick(Qt::MouseButton button, int x, int y, int clientHeight);
  void segmentCursorMoved(int x, int y, int clientHeight);
  bool pickingSegment() const;
  // Escape: the pointing ends with nothing.
  void cancelSegmentPick();
  SegmentDialog& segmentDialog();
  LinePlotWindow& linePlot();

 private:
  // What "Rozwiąż z dokładnością..." was asked for: the estimated error in
  // percent, the triangle budget and the most steps.
  struct AdaptRequest {
    double percent = 0.0;
    int budget = 0;
    int steps = 0;
  };
  std::optional<AdaptRequest> askAdaptRequest(const QString& title, int32_t limitTriangles);
  // Refines and solves a copy of the model off the window's thread, with
  // the progress indicator showing each step.
  AdaptResult refineAndSolve(const QString& title, Model& model, const AdaptRequest& request,
                             MesherOptions worker);
  // Says how the refinement ended and the error it reached.
  void reportAdapt(const QString& title, const AdaptResult& result, const AdaptRequest& request);
  // The saved picture's title: the project's name, and the field when a
  // solution shows; the picture as PNG or SVG, nothing when it could not be
  // encoded.
  QString pictureHeading() const;
  std::optional<QByteArray> encodePicture(bool svg, const QString& heading) const;
  // Keeps a new solution beside the model and shows it.
  void keepSolution(const Model& model, SolveResult result);
  bool solutionNeeded(const QString& title);
  void toggle(bool SolutionDisplay::*layer, const QString& title);
  void endSegmentPick();
  void openPlot();

  CommandContext& c_;
  Lazy<ResultsWindow> results_;
  Lazy<FieldDialog> field_;
  Lazy<IntegralsDialog> integrals_;
  Lazy<ValuesWindow> values_;
  Lazy<SegmentDialog> segment_;
  Lazy<LinePlotWindow> plot_;
  PictureSource image_;
  std::function<std::pair<MesherOptions, MeshLimitChoice>()> mesher_;
};
