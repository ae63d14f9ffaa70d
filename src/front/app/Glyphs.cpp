#include "front/app/Glyphs.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

namespace {

class GlyphEngine : public QIconEngine {
 public:
  explicit GlyphEngine(Glyph glyph) : glyph_(glyph) {}

  QIconEngine* clone() const override { return new GlyphEngine(glyph_); }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return QPixmap::fromImage(image);
  }

  void paint(QPainter* p, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    p->save();
    p->setRenderHint(QPainter::Antialiasing, true);
    p->translate(rect.topLeft());
    p->scale(rect.width() / 16.0, rect.height() / 16.0);
    const QColor ink = mode == QIcon::Disabled ? QColor(150, 150, 150) : QColor(20, 20, 20);
    p->setPen(QPen(ink, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p->setBrush(Qt::NoBrush);
    draw(*p, ink);
    p->restore();
  }

 private:
  void arrow(QPainter& p, QPointF from, QPointF to, const QColor& ink) const {
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF n(-d.y(), d.x());
    QPolygonF head{to + d * 1.5, to - d * 3 + n * 3, to - d * 3 - n * 3};
    p.setBrush(ink);
    p.drawPolygon(head);
    p.setBrush(Qt::NoBrush);
  }

  void magnifier(QPainter& p, bool plus) const {
    p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
    p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
    p.drawLine(QPointF(4.5, 6.5), QPointF(8.5, 6.5));
    if (plus) p.drawLine(QPointF(6.5, 4.5), QPointF(6.5, 8.5));
  }

  void draw(QPainter& p, const QColor& ink) const {
    switch (glyph_) {
      case Glyph::NewFile:
        p.drawPolygon(QPolygonF{{3, 1.5}, {10, 1.5}, {13, 4.5}, {13, 14.5}, {3, 14.5}});
        p.drawPolyline(QPolygonF{{10, 1.5}, {10, 4.5}, {13, 4.5}});
        break;
      case Glyph::OpenFile:
        p.drawPolygon(QPolygonF{{1.5, 3.5}, {6, 3.5}, {7.5, 5}, {13.5, 5}, {13.5, 13.5}, {1.5, 13.5}});
        p.drawLine(QPointF(1.5, 7.5), QPointF(13.5, 7.5));
        break;
      case Glyph::SaveFile:
        p.drawRect(QRectF(2, 2, 12, 12));
        p.drawRect(QRectF(4.5, 2, 7, 4.5));
        p.drawRect(QRectF(4, 9, 8, 5));
        break;
      case Glyph::Polyline:
        p.drawPolyline(QPolygonF{{1.5, 13}, {5, 4}, {9.5, 10}, {14.5, 2.5}});
        p.setBrush(ink);
        for (QPointF c : {QPointF(1.5, 13), QPointF(5, 4), QPointF(9.5, 10), QPointF(14.5, 2.5)}) {
          p.drawEllipse(c, 1.1, 1.1);
        }
        break;
      case Glyph::Ellipse: p.drawEllipse(QPointF(8, 8), 6.5, 4.5); break;
      case Glyph::ZoomIn: magnifier(p, true); break;
      case Glyph::ZoomOut: magnifier(p, false); break;
      case Glyph::PanLeft: arrow(p, {14, 8}, {4, 8}, ink); break;
      case Glyph::PanDown: arrow(p, {8, 2}, {8, 12}, ink); break;
      case Glyph::PanUp: arrow(p, {8, 14}, {8, 4}, ink); break;
      case Glyph::PanRight: arrow(p, {2, 8}, {12, 8}, ink); break;
      case Glyph::Solve:
        p.drawPolygon(QPolygonF{{1.5, 14}, {8, 2}, {14.5, 14}});
        p.drawPolyline(QPolygonF{{4.75, 8}, {8, 14}, {11.25, 8}, {4.75, 8}});
        break;
      case Glyph::ResultList:
        p.drawRect(QRectF(2, 1.5, 12, 13));
        for (double y : {4.5, 7.5, 10.5}) p.drawLine(QPointF(4.5, y), QPointF(11.5, y));
        break;
      case Glyph::Select:  // a dashed frame with a cursor in it
        p.setPen(QPen(ink, 1.0, Qt::DashLine));
        p.drawRect(QRectF(1.5, 1.5, 10, 9));
        p.setPen(QPen(ink, 1.2));
        p.setBrush(ink);
        p.drawPolygon(
            QPolygonF{{7, 6}, {14.5, 10.5}, {11, 11.2}, {13, 14.5}, {11.8, 15}, {9.8, 11.8}, {7.5, 14}});
        break;
    }
  }

  Glyph glyph_;
};

}  // namespace

QIcon GlyphIcon(Glyph glyph) {
  return QIcon(new GlyphEngine(glyph));
}
