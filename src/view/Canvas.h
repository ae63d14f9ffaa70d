#pragma once

#include <QImage>
#include <QWidget>

#include "view/Scene.h"

struct AppState;

// The main window's drawing surface. Every repaint builds the scene from
// the state and paints it into a kept picture, then shows the picture.
class Canvas : public QWidget {
  Q_OBJECT

public:
  Canvas(AppState& state, QWidget* parent = nullptr);

  const Scene& scene() const { return scene_; }
  const QImage& picture() const { return picture_; }

signals:
  void mouseMoved(int x, int y);
  void mousePressed(Qt::MouseButton button, int x, int y);
  // Posted after a repaint that switched the grid off at the dot limit.
  void gridLimitHit();

protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

private:
  AppState& state_;
  Scene scene_;
  QImage picture_;
  QFont font_;
};
