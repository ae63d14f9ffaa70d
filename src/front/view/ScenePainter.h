#pragma once

#include <span>

#include "core/view/Scene.h"

class QPainter;
class QFont;

// Paints primitives in order, without antialiasing, changing the painter's
// pen and brush only where the primitives do.
void PaintScene(QPainter& painter, std::span<const Primitive> items, const QFont& font);
