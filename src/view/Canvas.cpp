#include "view/Canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "app/AppState.h"
#include "view/ScenePainter.h"

Canvas::Canvas(AppState& state, QWidget* parent) : QWidget(parent), state_(state), font_(DrawingFont()) {
  setObjectName(QStringLiteral("canvas"));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFont(font_);
}

void Canvas::paintEvent(QPaintEvent*) {
  if (width() <= 0 || height() <= 0) return;
  if (picture_.size() != size()) picture_ = QImage(size(), QImage::Format_RGB32);
  BuildScene(state_.model, state_.view, state_.display, state_.meshShown, width(), height(), scene_);
  {
    QPainter painter(&picture_);
    PaintScene(painter, scene_, font_);
  }
  QPainter painter(this);
  painter.drawImage(0, 0, picture_);
  if (scene_.gridLimitHit) {
    // A message box cannot open from inside a paint event; the grid is
    // already off, so the next repaint will not come back here.
    QTimer::singleShot(0, this, &Canvas::gridLimitHit);
  }
}

void Canvas::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  emit mouseMoved(p.x(), p.y());
}

void Canvas::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  emit mousePressed(event->button(), p.x(), p.y());
}
