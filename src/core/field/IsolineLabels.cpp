#include "core/field/IsolineLabels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr double kQuarter = std::numbers::pi / 2;

}  // namespace

void IsolineLabeller::reset(int32_t width, int32_t height, int32_t levels, int32_t spacing) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  levels_ = std::max(levels, 0);
  spacing_ = std::max(spacing, 16);
  cellsX_ = (width_ + kCell - 1) / kCell;
  cellsY_ = (height_ + kCell - 1) / kCell;
  regionsX_ = (width_ + spacing_ - 1) / spacing_;
  regionsY_ = (height_ + spacing_ - 1) / spacing_;
  lines_.assign(size_t(cellsX_) * size_t(cellsY_), kEmpty);
  candidates_.assign(size_t(regionsX_) * size_t(regionsY_) * size_t(levels_), Candidate{});
}

void IsolineLabeller::mark(int32_t level, double x, double y) {
  const int32_t cx = int32_t(x) / kCell, cy = int32_t(y) / kCell;
  if (x < 0.0 || y < 0.0 || cx >= cellsX_ || cy >= cellsY_) return;
  int32_t& cell = lines_[size_t(cy) * size_t(cellsX_) + size_t(cx)];
  cell = cell == kEmpty || cell == level ? level : kMixed;
}

void IsolineLabeller::add(int32_t level, double x0, double y0, double x1, double y1) {
  if (level < 0 || level >= levels_) return;
  // Every cell the piece passes through, at steps shorter than a cell.
  const double length = std::hypot(x1 - x0, y1 - y0);
  const int32_t steps = std::min(int32_t(length / (kCell / 2)) + 1, 4096);
  for (int32_t i = 0; i <= steps; ++i) {
    const double s = double(i) / steps;
    mark(level, x0 + s * (x1 - x0), y0 + s * (y1 - y0));
  }
  const double mx = 0.5 * (x0 + x1), my = 0.5 * (y0 + y1);
  if (!(mx >= 0.0 && my >= 0.0 && mx < width_ && my < height_)) return;
  const int32_t rx = int32_t(mx) / spacing_, ry = int32_t(my) / spacing_;
  const double dx = mx - (rx + 0.5) * spacing_, dy = my - (ry + 0.5) * spacing_;
  const float distance = float(dx * dx + dy * dy);
  Candidate& c = candidates_[(size_t(ry) * size_t(regionsX_) + size_t(rx)) * size_t(levels_) + size_t(level)];
  if (c.distance < 0.0f || distance < c.distance) {
    double angle = std::atan2(y1 - y0, x1 - x0);
    if (angle > kQuarter) angle -= 2 * kQuarter;
    if (angle <= -kQuarter) angle += 2 * kQuarter;
    c = {float(mx), float(my), float(angle), distance};
  }
}

std::vector<IsolineLabel> IsolineLabeller::place(std::span<const std::array<int32_t, 2>> sizes,
                                                 std::span<const PixelBox> clear) const {
  std::vector<IsolineLabel> placed;
  const size_t regions = size_t(regionsX_) * size_t(regionsY_);
  for (size_t r = 0; r < regions; ++r) {
    for (int32_t level = 0; level < levels_ && size_t(level) < sizes.size(); ++level) {
      const Candidate& c = candidates_[r * size_t(levels_) + size_t(level)];
      if (c.distance < 0.0f) continue;
      // The turned label's box across and down.
      const auto [length, height] = sizes[size_t(level)];
      const double cos = std::abs(std::cos(c.angle)), sin = std::abs(std::sin(c.angle));
      // (Less a hair, which a right angle's rounding leaves.)
      const int32_t w = int32_t(std::ceil(length * cos + height * sin - 1e-3));
      const int32_t h = int32_t(std::ceil(length * sin + height * cos - 1e-3));
      const int32_t left = int32_t(std::lround(c.x)) - w / 2, top = int32_t(std::lround(c.y)) - h / 2;
      const PixelBox box{left, top, left + w, top + h};
      if (box.left < 0 || box.top < 0 || box.right > width_ || box.bottom > height_) continue;
      const auto meets = [&](const PixelBox& other) { return box.meets(other); };
      if (std::any_of(clear.begin(), clear.end(), meets)) continue;
      bool room = true;
      for (const IsolineLabel& other : placed) {
        const double dx = (other.box.left + other.box.right - box.left - box.right) * 0.5;
        const double dy = (other.box.top + other.box.bottom - box.top - box.bottom) * 0.5;
        if (box.meets(other.box) || (other.level == level && std::hypot(dx, dy) < spacing_)) {
          room = false;
          break;
        }
      }
      // No other level's line under the label: it would hide where they
      // crowd together.
      for (int32_t cy = box.top / kCell; room && cy <= (box.bottom - 1) / kCell && cy < cellsY_; ++cy) {
        for (int32_t cx = box.left / kCell; cx <= (box.right - 1) / kCell && cx < cellsX_; ++cx) {
          const int32_t cell = lines_[size_t(cy) * size_t(cellsX_) + size_t(cx)];
          if (cell != kEmpty && cell != level) {
            room = false;
            break;
          }
        }
      }
      if (room) placed.push_back({level, c.x, c.y, c.angle, box});
    }
  }
  return placed;
}
