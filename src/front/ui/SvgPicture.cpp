#include "front/ui/SvgPicture.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

std::optional<QByteArray> SvgPicture(QSize size, const QString& title,
                                     const std::function<void(QPainter&)>& paint) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly)) return std::nullopt;
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(size);
  generator.setViewBox(QRect(QPoint(0, 0), size));
  generator.setTitle(title);
  QPainter painter;
  if (!painter.begin(&generator)) return std::nullopt;
  paint(painter);
  if (!painter.end()) return std::nullopt;
  return bytes;
}
