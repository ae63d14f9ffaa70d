#include "core/boundary/InternalNodes.h"

#include <cmath>

namespace {

constexpr float kPickTolerance = 0.05f;

bool WithinWindow(double v, double at) {
  const double reach = double(kPickTolerance) * std::fabs(at);
  return v == at || (at - reach < v && v < at + reach);
}

}  // namespace

bool DeleteInternalNode(Model& m, int32_t k) {
  if (k < 1 || k > m.internalNodeCount) return false;
  RemoveRow(m.InternalNodeTable, m.internalNodeCount, k);
  return true;
}

bool PickedByClick(float x, float y, double px, double py) {
  return WithinWindow(x, px) && WithinWindow(y, py);
}
