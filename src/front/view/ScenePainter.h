#pragma once

#include <memory>
#include <span>

#include "core/view/Scene.h"

class QPainter;
class QFont;

struct LaidOutNumbers;  // defined in ScenePainter.cpp

// The numbers PaintScene has laid out, and their pictures, kept from one
// painting to the next by whoever owns it (the canvas keeps one). A
// painting in another font starts it afresh.
class NumberCache {
 public:
  NumberCache();
  ~NumberCache();
  NumberCache(const NumberCache&) = delete;
  NumberCache& operator=(const NumberCache&) = delete;
  LaidOutNumbers& numbers() { return *numbers_; }

 private:
  std::unique_ptr<LaidOutNumbers> numbers_;
};

// Paints primitives in order, without antialiasing, changing the painter's
// pen and brush only where the primitives do.
void PaintScene(QPainter& painter, std::span<const Primitive> items, const QFont& font, NumberCache& cache);
// The same with a cache of its own, which goes with the call.
void PaintScene(QPainter& painter, std::span<const Primitive> items, const QFont& font);
// Writes the names in their colours, with no box behind them.
void PaintLabels(QPainter& painter, std::span<const SceneLabel> labels, const QFont& font);
