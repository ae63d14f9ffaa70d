#pragma once

#include <QIcon>

// The toolbar's pictures, drawn as vectors so they stay crisp at any size.
enum class Glyph {
  NewFile,
  OpenFile,
  SaveFile,
  Polyline,
  Ellipse,
  ZoomIn,
  ZoomOut,
  PanLeft,
  PanDown,
  PanUp,
  PanRight,
  Solve,
  ResultList,
  Select,
};

QIcon GlyphIcon(Glyph glyph);
