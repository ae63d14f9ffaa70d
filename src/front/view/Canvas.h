#pragma once

#include <QImage>
#include <QWidget>

#include "core/field/SolutionPicture.h"
#include "core/view/MeshRaster.h"
#include "core/view/Scene.h"
#include "front/view/ScenePainter.h"

struct AppState;
class ColourBar;
class QLabel;

// The main window's drawing surface. Every repaint builds the scene from
// the state and paints it into a kept picture, then shows the picture.
class Canvas : public QWidget {
  Q_OBJECT

 public:
  Canvas(AppState& state, QWidget* parent = nullptr);

  const Scene& scene() const { return scene_; }
  // The last full picture, without the overlay.
  const QImage& picture() const { return picture_; }
  // What is on the surface now: the picture with the overlay over it.
  QImage shownImage() const;
  // A saved picture: a line for its title, then what is on the surface with
  // the colour bar.
  QSize savedSize() const;
  void paintSaved(QPainter& painter, const QString& title) const;
  // The status bar's read-out at a client pixel while a solution is shown;
  // empty otherwise.
  QString readOut(int x, int y);
  bool solutionShown() const { return solution_.shown(); }
  const SolutionPicture& solutionPicture() const { return solution_; }
  const ColourBar& colourBar() const { return *colourBar_; }
  // The width the drawing takes: all of the surface, or what the colour
  // bar's strip leaves of it.
  int drawingWidth() const;
  // That width, the height, and how far the window's tool bar and status
  // bar reach over the surface's top and bottom.
  DrawingArea drawingArea() const;
  // The isolines' values the last picture wrote, and where.
  struct ShownLabel {
    QString text;
    QRect box;
  };
  const std::vector<ShownLabel>& isolineLabels() const { return isolineLabels_; }

 public slots:
  // The model or the view changed: the next paint builds the picture anew.
  void invalidateScene();
  // Only the overlay changed within this area: show the kept picture there
  // and the overlay over it.
  void overlayChanged(const QRect& area);

 signals:
  void mouseMoved(int x, int y);
  void mousePressed(Qt::MouseButton button, int x, int y);
  void mouseReleased(Qt::MouseButton button, int x, int y, Qt::KeyboardModifiers modifiers);
  // Posted after a repaint that switched the grid off at the dot limit.
  void gridLimitHit();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void paintOverlay(QPainter& painter) const;
  int titleHeight() const;
  // The legend of the conditions and of the materials, over the picture's
  // top right corner while the picture shows either in colour.
  void updateLegend();
  // The solution kept up to the state, and its colour bar.
  void updateSolution();
  // Writes the isolines' values on them where there is room.
  void renderScene();
  void paintLayers(int drawn);
  void paintIsolineLabels();

  AppState& state_;
  bool sceneDirty_ = true;
  Scene scene_;
  MeshRaster meshRaster_;
  QImage picture_;
  QFont font_;
  mutable NumberCache numbers_;  // laid out for font_, kept between repaints
  QLabel* legend_;
  SolutionPicture solution_;
  FieldRaster materials_;  // the triangles in their materials' colours
  ColourBar* colourBar_;
  std::vector<ShownLabel> isolineLabels_;
};
