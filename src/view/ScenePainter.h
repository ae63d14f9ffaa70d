#pragma once

#include "view/Scene.h"

class QPainter;
class QFont;

// Paints a scene in order, without antialiasing, changing the painter's pen
// and brush only where the scene does.
void PaintScene(QPainter& painter, const Scene& scene, const QFont& font);

// The main window's drawing font: a plain sans serif, 11 pixels high.
QFont DrawingFont();
