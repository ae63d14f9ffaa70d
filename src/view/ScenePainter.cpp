#include "view/ScenePainter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QStaticText>
#include <unordered_map>
#include <cstdlib>

namespace {

QColor ToQt(Rgb c) {
  return QColor(c.r, c.g, c.b);
}

// Pixel positions far outside any window are not worth drawing, and would
// overflow Qt's integer rectangles.
constexpr int32_t kFar = 1 << 24;
bool Near(int32_t v) {
  return v > -kFar && v < kFar;
}

// Numbers are laid out once per font and kept: drawn as static text they
// take half the time of a layout at every paint, with the same pixels.
struct LaidOutNumber {
  QStaticText text;
  int width = 0;
};

const LaidOutNumber& Number(int32_t number, const QFont& font, const QFontMetrics& metrics) {
  static QString fontKey;
  static std::unordered_map<int32_t, LaidOutNumber> laidOut;
  if (font.key() != fontKey) {
    laidOut.clear();
    fontKey = font.key();
  }
  auto it = laidOut.find(number);
  if (it == laidOut.end()) {
    const QString digits = QString::number(number);
    LaidOutNumber n{QStaticText(digits), metrics.horizontalAdvance(digits)};
    n.text.setTextFormat(Qt::PlainText);
    n.text.prepare(QTransform(), font);
    it = laidOut.emplace(number, std::move(n)).first;
  }
  return it->second;
}

}  // namespace

void PaintScene(QPainter& painter, std::span<const Primitive> items, const QFont& font) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  painter.setFont(font);
  const QFontMetrics metrics(font);
  bool first = true;
  Rgb pen, brush;
  uint8_t width = 0;
  for (const Primitive& p : items) {
    if (!Near(p.x1) || !Near(p.y1) || !Near(p.x2) || !Near(p.y2)) continue;
    if (p.shape == Shape::Text) {
      const LaidOutNumber& number = Number(p.number, font, metrics);
      painter.fillRect(QRect(p.x1, p.y1, number.width, metrics.height()), ToQt(p.brush));
      painter.setPen(ToQt(p.text));
      painter.drawStaticText(p.x1, p.y1, number.text);
      first = true;  // the text colour replaced the pen
      continue;
    }
    if (p.shape == Shape::FillRect) {
      painter.fillRect(QRect(QPoint(p.x1, p.y1), QPoint(p.x2 - 1, p.y2 - 1)), ToQt(p.brush));
      continue;
    }
    const int w = p.x2 - p.x1;
    const int h = p.y2 - p.y1;
    if (p.shape == Shape::Ellipse && std::abs(w) <= 2 && std::abs(h) <= 2) {
      // A grid dot: two pixels square.
      painter.fillRect(QRect(std::min(p.x1, p.x2), std::min(p.y1, p.y2), std::abs(w), std::abs(h)),
                       ToQt(p.brush));
      continue;
    }
    if (first || !(p.pen == pen) || p.penWidth != width) {
      painter.setPen(QPen(ToQt(p.pen), p.penWidth));
      pen = p.pen;
      width = p.penWidth;
    }
    if (first || !(p.brush == brush)) {
      painter.setBrush(ToQt(p.brush));
      brush = p.brush;
    }
    first = false;
    if (p.shape == Shape::Line) {
      painter.drawLine(p.x1, p.y1, p.x2, p.y2);
    } else {
      // The box's right and bottom edges lie outside, as in the window
      // system the picture was made for; Qt's outline adds one pixel.
      painter.drawEllipse(QRect(p.x1, p.y1, w - 1, h - 1));
    }
  }
}
