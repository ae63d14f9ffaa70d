#include "front/view/Canvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

#include "core/state/AppState.h"
#include "front/ui/FormDialog.h"
#include "front/view/ScenePainter.h"

Canvas::Canvas(AppState& state, QWidget* parent) : QWidget(parent), state_(state), font_(ProgramFont()) {
  setObjectName(QStringLiteral("canvas"));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFont(font_);
}

void Canvas::invalidateScene() {
  sceneDirty_ = true;
  update();
}

void Canvas::overlayChanged(const QRect& area) {
  update(area);
}

void Canvas::resizeEvent(QResizeEvent* event) {
  sceneDirty_ = true;
  QWidget::resizeEvent(event);
}

void Canvas::paintEvent(QPaintEvent* event) {
  if (width() <= 0 || height() <= 0) return;
  if (sceneDirty_ || picture_.size() != size()) {
    if (picture_.size() != size()) picture_ = QImage(size(), QImage::Format_RGB32);
    BuildScene(state_.model, state_.view, state_.display, state_.meshShown, width(), height(), scene_,
               state_.highlights);
    {
      QPainter painter(&picture_);
      PaintScene(painter, scene_.items, font_);
    }
    // The polyline tool's marks give way to the full drawing.
    state_.transients.clear();
    sceneDirty_ = false;
    if (scene_.gridLimitHit) {
      // A message box cannot open from inside a paint event; the grid is
      // already off, so the next repaint will not come back here.
      QTimer::singleShot(0, this, &Canvas::gridLimitHit);
    }
  }
  QPainter painter(this);
  const QRect area = event->rect();
  painter.drawImage(area, picture_, area);
  painter.setClipRect(area);
  paintOverlay(painter);
}

void Canvas::paintOverlay(QPainter& painter) const {
  PaintScene(painter, state_.transients, font_);
  const RubberBand& band = state_.edit.rubberBand;
  if (RubberBandShown(state_.edit)) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(128, 128, 128), 2, Qt::DotLine));
    painter.drawLine(band.anchor.x, band.anchor.y, band.end.x, band.end.y);
  }
}

QImage Canvas::shownImage() const {
  QImage image = picture_.copy();
  QPainter painter(&image);
  paintOverlay(painter);
  return image;
}

void Canvas::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  emit mouseMoved(p.x(), p.y());
}

void Canvas::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  emit mousePressed(event->button(), p.x(), p.y());
}
