#include "front/view/ScenePainter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QStaticText>
#include <algorithm>
#include <cstdlib>
#include <unordered_map>
#include <unordered_set>
#include <vector>

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

// A number as the font draws it, laid out once per font and kept. When no
// glyph pixel leaves the number's opaque box, the box's finished pixels
// depend only on the two colours, so they are kept too, per colour pair,
// and copied at any whole-pixel position with the pixels of a drawText.
struct LaidOutNumber {
  struct Picture {
    Rgb box, text;
    QImage pixels;
  };
  QStaticText text;
  int width = 0;
  bool inBox = false;
  std::vector<Picture> pictures;
};

// Any pixel outside the box that the text changes rules the pictures out.
bool StaysInBox(const LaidOutNumber& n, const QFont& font, int height) {
  const int pad = height;
  QImage probe(n.width + 2 * pad, 3 * height, QImage::Format_RGB32);
  probe.fill(Qt::white);
  {
    QPainter painter(&probe);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawStaticText(pad, height, n.text);
  }
  const QRect box(pad, height, n.width, height);
  for (int y = 0; y < probe.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(probe.constScanLine(y));
    for (int x = 0; x < probe.width(); ++x) {
      if (line[x] != qRgb(255, 255, 255) && !box.contains(x, y)) return false;
    }
  }
  return true;
}

const QImage& Picture(LaidOutNumber& n, const QFont& font, int height, Rgb box, Rgb text) {
  for (const LaidOutNumber::Picture& p : n.pictures) {
    if (p.box == box && p.text == text) return p.pixels;
  }
  QImage pixels(n.width, height, QImage::Format_RGB32);
  pixels.fill(QColor(box.r, box.g, box.b));
  QPainter painter(&pixels);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  painter.setFont(font);
  painter.setPen(QColor(text.r, text.g, text.b));
  painter.drawStaticText(0, 0, n.text);
  painter.end();
  n.pictures.push_back({box, text, pixels});
  return n.pictures.back().pixels;
}

}  // namespace

struct LaidOutNumbers {
  QString fontKey;
  std::unordered_map<int32_t, LaidOutNumber> byNumber;
};

NumberCache::NumberCache() : numbers_(std::make_unique<LaidOutNumbers>()) {}
NumberCache::~NumberCache() = default;

namespace {

// The numbers laid out in one font, in a cache that a new font empties.
class Numbers {
 public:
  Numbers(const QFont& font, LaidOutNumbers& cache)
      : font_(font), metrics_(font), height_(metrics_.height()), cache_(cache.byNumber) {
    if (font.key() != cache.fontKey) {
      cache_.clear();
      cache.fontKey = font.key();
    }
  }

  int height() const { return height_; }
  const QImage& picture(LaidOutNumber& n, Rgb box, Rgb text) { return Picture(n, font_, height_, box, text); }

  LaidOutNumber& get(int32_t number) {
    auto it = cache_.find(number);
    if (it == cache_.end()) {
      const QString digits = QString::number(number);
      LaidOutNumber n{QStaticText(digits), metrics_.horizontalAdvance(digits), false, {}};
      n.text.setTextFormat(Qt::PlainText);
      n.text.prepare(QTransform(), font_);
      n.inBox = StaysInBox(n, font_, height_);
      it = cache_.emplace(number, std::move(n)).first;
    }
    return it->second;
  }

 private:
  const QFont& font_;
  QFontMetrics metrics_;
  int height_;
  std::unordered_map<int32_t, LaidOutNumber>& cache_;
};

// An image the painter writes straight into, with nothing between: opaque
// pixels can then be stored directly, far faster than one call each.
class Pixels {
 public:
  explicit Pixels(QPainter& painter) {
    QPaintDevice* device = painter.device();
    if (device == nullptr || device->devType() != QInternal::Image) return;
    auto* image = static_cast<QImage*>(device);
    if (image->format() != QImage::Format_RGB32 || image->devicePixelRatio() != 1 || painter.hasClipping() ||
        painter.opacity() != 1.0 || !painter.transform().isIdentity() ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver) {
      return;
    }
    bits_ = image->bits();
    stride_ = image->bytesPerLine();
    rect_ = image->rect();
  }

  bool direct() const { return bits_ != nullptr; }
  const QRect& rect() const { return rect_; }

  void box(const QRect& box, Rgb c) {
    const QRect r = box.intersected(rect_);
    const QRgb value = qRgb(c.r, c.g, c.b);
    for (int y = r.top(); y <= r.bottom(); ++y) std::fill(row(y) + r.left(), row(y) + r.right() + 1, value);
  }

  void copy(const QImage& picture, int x, int y) {
    const QRect r = QRect(x, y, picture.width(), picture.height()).intersected(rect_);
    for (int row = r.top(); row <= r.bottom(); ++row) {
      const auto* from = reinterpret_cast<const QRgb*>(picture.constScanLine(row - y)) + (r.left() - x);
      std::copy(from, from + r.width(), this->row(row) + r.left());
    }
  }

 private:
  QRgb* row(int y) { return reinterpret_cast<QRgb*>(bits_ + y * stride_); }

  uchar* bits_ = nullptr;
  qsizetype stride_ = 0;
  QRect rect_;
};

// Lines of one opaque pen that follow each other may be drawn in any order
// and in one call, and a line drawn twice leaves the pixels of one. A mesh
// draws every inner edge twice, once each way; Qt draws a line the same
// both ways while both ends lie on the surface, so such a pair is drawn once.
class LineRun {
 public:
  explicit LineRun(QPainter& painter, QRect surface) : painter_(painter), surface_(surface) {}
  ~LineRun() { flush(); }

  void add(const Primitive& p) {
    bool given = p.x1 < p.x2 || (p.x1 == p.x2 && p.y1 <= p.y2);
    if (!surface_.contains(p.x1, p.y1) || !surface_.contains(p.x2, p.y2)) given = true;
    const uint64_t a = Pack(given ? p.x1 : p.x2, given ? p.y1 : p.y2);
    const uint64_t b = Pack(given ? p.x2 : p.x1, given ? p.y2 : p.y1);
    if (seen_.insert({a, b}).second) lines_.emplace_back(p.x1, p.y1, p.x2, p.y2);
  }

  void flush() {
    if (!lines_.empty()) painter_.drawLines(lines_.data(), int(lines_.size()));
    lines_.clear();
    seen_.clear();
  }

 private:
  static uint64_t Pack(int32_t x, int32_t y) { return (uint64_t(uint32_t(x)) << 32) | uint32_t(y); }
  struct Hash {
    size_t operator()(const std::pair<uint64_t, uint64_t>& k) const {
      return std::hash<uint64_t>()(k.first * 0x9E3779B97F4A7C15ull ^ k.second);
    }
  };
  QPainter& painter_;
  QRect surface_;
  std::vector<QLine> lines_;
  std::unordered_set<std::pair<uint64_t, uint64_t>, Hash> seen_;
};

// The pen and brush the painter holds, as far as the painting knows them:
// none at the start, and none once a drawing has replaced them.
struct PenState {
  Rgb pen, brush;
  uint8_t width = 0;
  bool penKnown = false, brushKnown = false;

  bool holdsPen(const Primitive& p) const { return penKnown && p.pen == pen && p.penWidth == width; }
  bool holdsBrush(const Primitive& p) const { return brushKnown && p.brush == brush; }
};

// Big boxes are left to Qt, whose fills are faster than a plain loop.
void FillBox(QPainter& painter, Pixels& pixels, const QRect& box, Rgb c) {
  if (pixels.direct() && box.width() * int64_t(box.height()) <= 4096) {
    pixels.box(box, c);
  } else {
    painter.fillRect(box, ToQt(c));
  }
}

// A number on its background: its ready picture where it fits, else Qt's
// text, which takes the pen.
void PaintNumber(QPainter& painter, Pixels& pixels, Numbers& numbers, const Primitive& p, PenState& state) {
  LaidOutNumber& number = numbers.get(p.number);
  if (pixels.direct() && number.inBox) {
    pixels.copy(numbers.picture(number, p.brush, p.text), p.x1, p.y1);
    return;
  }
  FillBox(painter, pixels, QRect(p.x1, p.y1, number.width, numbers.height()), p.brush);
  painter.setPen(ToQt(p.text));
  painter.drawStaticText(p.x1, p.y1, number.text);
  state.penKnown = false;  // the text colour replaced the pen
}

// Gives the painter the pen and the brush of `p`, where it does not hold
// them already; the lines waiting in `run` are drawn with the old pen first.
void TakePenAndBrush(QPainter& painter, LineRun& run, const Primitive& p, PenState& state) {
  if (!state.holdsPen(p)) {
    run.flush();
    painter.setPen(QPen(ToQt(p.pen), p.penWidth));
    state.pen = p.pen;
    state.width = p.penWidth;
    state.penKnown = true;
  }
  if (!state.holdsBrush(p)) {
    painter.setBrush(ToQt(p.brush));
    state.brush = p.brush;
    state.brushKnown = true;
  }
}

}  // namespace

void PaintScene(QPainter& painter, std::span<const Primitive> items, const QFont& font, NumberCache& cache) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  painter.setFont(font);
  Numbers numbers(font, cache.numbers());
  Pixels pixels(painter);
  LineRun run(painter, pixels.rect());
  PenState state;
  for (const Primitive& p : items) {
    if (!Near(p.x1) || !Near(p.y1) || !Near(p.x2) || !Near(p.y2)) continue;
    if (p.shape != Shape::Line) run.flush();
    if (p.shape == Shape::Text) {
      PaintNumber(painter, pixels, numbers, p, state);
      continue;
    }
    if (p.shape == Shape::FillRect) {
      FillBox(painter, pixels, QRect(QPoint(p.x1, p.y1), QPoint(p.x2 - 1, p.y2 - 1)), p.brush);
      continue;
    }
    const int w = p.x2 - p.x1;
    const int h = p.y2 - p.y1;
    if (p.shape == Shape::Ellipse && std::abs(w) <= 2 && std::abs(h) <= 2) {
      // A grid dot: two pixels square.
      FillBox(painter, pixels, QRect(std::min(p.x1, p.x2), std::min(p.y1, p.y2), std::abs(w), std::abs(h)),
              p.brush);
      continue;
    }
    TakePenAndBrush(painter, run, p, state);
    if (p.shape == Shape::Line) {
      run.add(p);
    } else if (p.shape == Shape::Ring) {
      painter.setBrush(Qt::NoBrush);
      painter.drawEllipse(QRect(p.x1, p.y1, w - 1, h - 1));
      state.brushKnown = false;  // the brush is gone
    } else {
      // The box's right and bottom edges lie outside, as in the window
      // system the picture was made for; Qt's outline adds one pixel.
      painter.drawEllipse(QRect(p.x1, p.y1, w - 1, h - 1));
    }
  }
}

void PaintScene(QPainter& painter, std::span<const Primitive> items, const QFont& font) {
  NumberCache cache;
  PaintScene(painter, items, font, cache);
}

void PaintLabels(QPainter& painter, std::span<const SceneLabel> labels, const QFont& font) {
  painter.setFont(font);
  const int ascent = QFontMetrics(font).ascent();
  for (const SceneLabel& l : labels) {
    painter.setPen(ToQt(l.colour));
    painter.drawText(l.x, l.y + ascent, QString::fromStdString(l.text));
  }
}
