#include "front/view/Canvas.h"

#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <numbers>

#include "core/state/AppState.h"
#include "front/ui/FormDialog.h"
#include "front/ui/LocaleNumbers.h"
#include "front/view/ColourBar.h"
#include "front/view/ScenePainter.h"

using namespace Qt::StringLiterals;

namespace {

// The legend's top edge: below the toolbar's reach.
constexpr int kLegendTop = 34;
// How far the status bar reaches over the surface's bottom.
constexpr int kStatusBarReach = 16;
// The room on each side of the colour bar in its strip.
constexpr int kStripGap = 8;

}  // namespace

Canvas::Canvas(AppState& state, QWidget* parent)
    : QWidget(parent),
      state_(state),
      font_(ProgramFont()),
      legend_(new QLabel(this)),
      colourBar_(new ColourBar(this)) {
  setObjectName(QStringLiteral("canvas"));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFont(font_);
  legend_->setObjectName(QStringLiteral("legenda"));
  legend_->setTextFormat(Qt::RichText);
  legend_->setAutoFillBackground(true);
  legend_->setFrameStyle(QFrame::Box | QFrame::Plain);
  legend_->setMargin(4);
  legend_->setAttribute(Qt::WA_TransparentForMouseEvents);  // clicks reach the drawing under it
  legend_->hide();
}

void Canvas::invalidateScene() {
  sceneDirty_ = true;
  updateSolution();
  updateLegend();  // beside the colour bar
  update();
}

void Canvas::updateSolution() {
  if (!solution_.update(state_.solution, state_.solutionDisplay)) {
    colourBar_->hide();
    return;
  }
  colourBar_->showTexts(solution_.colourBar(UserDecimalPoint()),
                        solution_.mapShown() || solution_.isolinesShown(), size());
  // The bar keeps a strip of its own at the right; the drawing takes the rest.
  colourBar_->move(std::max(0, width() - colourBar_->width() - kStripGap), colourBar_->y());
}

DrawingArea Canvas::drawingArea() const {
  return {drawingWidth(), height(), kLegendTop, kStatusBarReach};
}

int Canvas::drawingWidth() const {
  if (colourBar_->isHidden()) return width();
  return std::max(1, width() - colourBar_->width() - 2 * kStripGap);
}

QString Canvas::readOut(int x, int y) {
  if (!solution_.shown()) return {};
  return QString::fromStdString(solution_.readOut(state_.view, height(), x, y, UserDecimalPoint()));
}

void Canvas::updateLegend() {
  std::vector<LegendLine> lines;
  if (state_.display.colourByCondition == 1) lines = ConditionLegend(state_.model, UserDecimalPoint());
  // The materials' colours show unless a solution's map covers them.
  if (state_.display.colourByMaterial == 1 && !solution_.mapShown()) {
    std::vector<LegendLine> materials = MaterialLegend(state_.model, UserDecimalPoint());
    lines.insert(lines.end(), std::make_move_iterator(materials.begin()),
                 std::make_move_iterator(materials.end()));
  }
  if (lines.empty()) {
    legend_->hide();
    return;
  }
  // As many rows as the drawing has room for, in columns; the whole texts
  // while they fit across it, the numbers alone when they do not.
  const QFontMetrics metrics(legend_->font());
  const int rows = std::max(1, (height() - kLegendTop - 16) / (metrics.lineSpacing() + 2));
  const int columns = (int(lines.size()) + rows - 1) / rows;
  int widest = 0;
  for (const LegendLine& line : lines) {
    widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(line.text)));
  }
  const bool whole = columns * (widest + metrics.horizontalAdvance(u"■■ "_s) + 12) <= width() - 16;
  QString html = u"<table cellspacing=\"0\" cellpadding=\"1\">"_s;
  for (int r = 0; r < std::min<int>(rows, int(lines.size())); ++r) {
    html += u"<tr>"_s;
    for (int c = 0; c < columns; ++c) {
      const size_t i = size_t(c) * size_t(rows) + size_t(r);
      if (i >= lines.size()) break;
      const LegendLine& line = lines[i];
      html += u"<td style=\"padding-right:8px\"><span style=\"color:%1\">&#9632;&#9632;</span> %2</td>"_s.arg(
          QColor(line.colour.r, line.colour.g, line.colour.b).name(),
          QString::fromStdString(whole ? line.text : line.shortText).toHtmlEscaped());
    }
    html += u"</tr>"_s;
  }
  legend_->setText(html + u"</table>"_s);
  legend_->adjustSize();
  // In the drawing's top right corner, left of the colour bar's strip.
  legend_->move(std::max(0, drawingWidth() - 8 - legend_->width()), kLegendTop);
  legend_->show();
}

void Canvas::overlayChanged(const QRect& area) {
  update(area);
}

void Canvas::resizeEvent(QResizeEvent* event) {
  sceneDirty_ = true;
  updateSolution();
  updateLegend();  // its columns follow the drawing's height, and it keeps beside the colour bar
  QWidget::resizeEvent(event);
}

void Canvas::paintEvent(QPaintEvent* event) {
  if (width() <= 0 || height() <= 0) return;
  if (sceneDirty_ || picture_.size() != size()) renderScene();
  QPainter painter(this);
  const QRect area = event->rect();
  painter.drawImage(area, picture_, area);
  painter.setClipRect(area);
  paintOverlay(painter);
}

// Builds the scene afresh and paints it into the picture.
void Canvas::renderScene() {
  if (picture_.size() != size()) picture_ = QImage(size(), QImage::Format_RGB32);
  Highlights shown = state_.highlights;
  shown.selected = state_.selection;
  const bool solution = solution_.update(state_.solution, state_.solutionDisplay);
  // The deformed disc shows its mesh deformed, in place of the one meshed.
  const int drawn = drawingWidth();
  BuildScene(state_.model, state_.view, state_.display, state_.meshShown && !solution_.deformed(), drawn,
             height(), scene_, shown, solution);
  paintLayers(drawn);
  if (!scene_.labels.empty()) {
    QPainter painter(&picture_);
    PaintLabels(painter, scene_.labels, font_);
  }
  paintIsolineLabels();
  if (drawn < picture_.width()) {
    // The colour bar's strip: nothing of the drawing reaches into it.
    QPainter painter(&picture_);
    painter.fillRect(QRect(drawn, 0, picture_.width() - drawn, picture_.height()), Qt::white);
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

// The scene's primitives, with the rasters painted between them: what lies
// under the solution and the mesh, they, then what comes over.
void Canvas::paintLayers(int drawn) {
  const std::span<const Primitive> items(scene_.items);
  size_t painted = 0;
  const auto paintUpTo = [&](size_t end) {
    QPainter painter(&picture_);
    PaintScene(painter, items.subspan(painted, end - painted), font_, numbers_);
    painted = end;
  };
  // Taken after each painting, while no painter holds the picture.
  const auto pixels = [this] { return reinterpret_cast<uint32_t*>(picture_.bits()); };
  const ptrdiff_t stride = picture_.bytesPerLine() / 4;
  // The materials' colours under the solution; the map covers them.
  if (scene_.materialsAt >= 0 && !solution_.mapShown()) {
    paintUpTo(static_cast<size_t>(scene_.materialsAt));
    const bool deformed = solution_.deformed();
    materials_.drawMaterials(state_.model, deformed ? solution_.x().data() : nullptr,
                             deformed ? solution_.y().data() : nullptr, MappingFor(state_.view, height()),
                             drawn, picture_.height(), pixels(), stride);
  }
  if (scene_.solutionAt >= 0) {
    paintUpTo(static_cast<size_t>(scene_.solutionAt));
    solution_.draw(state_.view, drawn, picture_.height(), pixels(), stride, state_.meshShown);
  }
  if (scene_.rasterMeshAt < 0) {
    meshRaster_.release();
  } else {
    paintUpTo(static_cast<size_t>(scene_.rasterMeshAt));
    meshRaster_.draw(state_.model, state_.view, drawn, picture_.height(), pixels(), stride, 0xff000000u,
                     nullptr, nullptr, solution_.mapShown() ? kLeastMeshLinePixels : 0);
  }
  paintUpTo(items.size());
}

void Canvas::paintIsolineLabels() {
  isolineLabels_.clear();
  if (!solution_.isolinesShown()) return;
  const IsolineLevels& levels = solution_.levels();
  const QFontMetrics metrics(font_);
  std::vector<QString> texts;
  std::vector<std::array<int32_t, 2>> sizes;
  for (int32_t k = 0; k < levels.count; ++k) {
    texts.push_back(QString::fromStdString(ShortNumber(levels.at(k), UserDecimalPoint())));
    sizes.push_back({metrics.horizontalAdvance(texts.back()) + 6, metrics.height() + 2});
  }
  std::vector<PixelBox> clear;
  if (!legend_->isHidden()) {
    const QRect r = legend_->geometry();
    clear.push_back({r.left(), r.top(), r.right() + 1, r.bottom() + 1});
  }
  QPainter painter(&picture_);
  painter.setFont(font_);
  painter.setPen(Qt::black);
  for (const IsolineLabel& label : solution_.isolineLabels(sizes, clear)) {
    // Along the line, on a white ground that hides the line under it.
    const auto [length, high] = sizes[size_t(label.level)];
    painter.save();
    painter.translate(label.x, label.y);
    painter.rotate(label.angle * 180.0 / std::numbers::pi);
    const QRect text(-length / 2, -high / 2, length, high);
    painter.fillRect(text, Qt::white);
    painter.drawText(text, Qt::AlignCenter, texts[size_t(label.level)]);
    painter.restore();
    isolineLabels_.push_back(
        {texts[size_t(label.level)], QRect(label.box.left, label.box.top, label.box.right - label.box.left,
                                           label.box.bottom - label.box.top)});
  }
}

void Canvas::paintOverlay(QPainter& painter) const {
  PaintScene(painter, state_.transients, font_, numbers_);
  const RubberBand& band = state_.edit.rubberBand;
  if (RubberBandShown(state_.edit)) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(128, 128, 128), 2, Qt::DotLine));
    painter.drawLine(band.anchor.x, band.anchor.y, band.end.x, band.end.y);
  }
  const EditState& edit = state_.edit;
  if (edit.dragging) {
    painter.setPen(QPen(QColor(255, 140, 0), 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(
        QRect(QPoint(edit.dragFrom.x, edit.dragFrom.y), QPoint(edit.dragTo.x, edit.dragTo.y)).normalized());
  }
}

QImage Canvas::shownImage() const {
  QImage image = picture_.copy();
  QPainter painter(&image);
  paintOverlay(painter);
  return image;
}

int Canvas::titleHeight() const {
  return QFontMetrics(font_).height() + 8;
}

QSize Canvas::savedSize() const {
  return {width(), height() + titleHeight()};
}

void Canvas::paintSaved(QPainter& painter, const QString& title) const {
  const int top = titleHeight();
  painter.fillRect(QRect(0, 0, width(), top), Qt::white);
  painter.setPen(Qt::black);
  painter.setFont(font_);
  painter.drawText(QRect(8, 0, width() - 16, top), Qt::AlignLeft | Qt::AlignVCenter, title);
  painter.drawImage(QPoint(0, top), shownImage());
  if (colourBar_->isVisible()) colourBar_->render(&painter, colourBar_->pos() + QPoint(0, top));
}

void Canvas::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  emit mouseMoved(p.x(), p.y());
}

void Canvas::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  emit mousePressed(event->button(), p.x(), p.y());
}

void Canvas::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  emit mouseReleased(event->button(), p.x(), p.y(), event->modifiers());
}
