#pragma once
// A picture as SVG, encoded in memory, for the windows that save their
// pictures in it.

#include <QByteArray>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

class QPainter;

// What `paint` draws on a surface of `size`, as an SVG document titled
// `title`; nothing when it cannot be encoded.
std::optional<QByteArray> SvgPicture(QSize size, const QString& title,
                                     const std::function<void(QPainter&)>& paint);
