#include "front/view/ColourBar.h"

#include <QPainter>

namespace {

constexpr int kPad = 4;
constexpr int kStrip = 16;  // the scale's width
constexpr int kStatusBar = 16;

}  // namespace

ColourBar::ColourBar(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("skalaBarw"));
  setAttribute(Qt::WA_TransparentForMouseEvents);  // clicks reach the drawing under it
  hide();
}

void ColourBar::showTexts(const ColourBarTexts& texts, bool scale, QSize drawing) {
  texts_ = texts;
  scale_ = scale;
  const QFontMetrics metrics(font());
  // The scale takes about two fifths of the drawing's height.
  barHeight_ = scale ? std::clamp(drawing.height() * 2 / 5, 3 * metrics.height(), 400) : 0;
  int widest = metrics.horizontalAdvance(QString::fromStdString(texts.title));
  for (const QString& t : this->texts())
    widest = std::max(widest, kStrip + kPad + metrics.horizontalAdvance(t));
  widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(texts.factor)));
  const int lines = 1 + (texts.factor.empty() ? 0 : 1);
  const int height = 2 * kPad + lines * metrics.height() + (scale ? barHeight_ + metrics.height() : 0);
  resize(widest + 2 * kPad + 2, height);
  move(std::max(0, drawing.width() - width() - 8), std::max(0, drawing.height() - kStatusBar - 8 - height));
  update();
  QWidget::show();
}

QStringList ColourBar::texts() const {
  QStringList all{QString::fromStdString(texts_.title)};
  if (scale_) {
    all << QString::fromStdString(texts_.max);
    for (auto it = texts_.levels.rbegin(); it != texts_.levels.rend(); ++it)
      all << QString::fromStdString(*it);
    all << QString::fromStdString(texts_.min);
  }
  if (!texts_.factor.empty()) all << QString::fromStdString(texts_.factor);
  return all;
}

void ColourBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  p.setPen(Qt::black);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  const QFontMetrics metrics(font());
  const int line = metrics.height();
  int y = kPad;
  p.drawText(kPad + 1, y + metrics.ascent(), QString::fromStdString(texts_.title));
  y += line;
  if (scale_) {
    // From the maximum at the top to the minimum at the bottom, with half a
    // line above and below for the extremes' texts.
    const int top = y + line / 2, bottom = top + barHeight_;
    for (int row = top; row < bottom; ++row) {
      const Rgb c = ScaleColour(1.0 - (row - top + 0.5) / barHeight_);
      p.fillRect(kPad + 1, row, kStrip, 1, QColor(c.r, c.g, c.b));
    }
    p.drawRect(kPad + 1, top, kStrip, barHeight_);
    const int textX = kPad + 1 + kStrip + kPad;
    const auto label = [&](double at, const std::string& text, bool tick) {
      const int ty = top + int(std::lround((1.0 - at) * barHeight_));
      if (tick) p.drawLine(kPad + 1, ty, kPad + kStrip + 3, ty);
      p.drawText(textX, ty - line / 2 + metrics.ascent(), QString::fromStdString(text));
    };
    label(1.0, texts_.max, false);
    label(0.0, texts_.min, false);
    // The isolines' levels lie equally spaced, at k / (N + 1) of the scale;
    // their values are written where they leave a line's room.
    const size_t n = texts_.levels.size();
    const double gap = double(barHeight_) / double(n + 1);
    const size_t every = gap >= line ? 1 : size_t(std::ceil(line / std::max(gap, 1e-9)));
    for (size_t k = 0; k < n; ++k) {
      const double at = double(k + 1) / double(n + 1);
      const bool room = (k + 1) % every == 0 && at * barHeight_ >= line && (1.0 - at) * barHeight_ >= line;
      const int ty = top + int(std::lround((1.0 - at) * barHeight_));
      p.drawLine(kPad + 1, ty, kPad + kStrip + 3, ty);
      if (room) label(at, texts_.levels[k], true);
    }
    y = bottom + line / 2;
  }
  if (!texts_.factor.empty())
    p.drawText(kPad + 1, y + metrics.ascent(), QString::fromStdString(texts_.factor));
}
