#pragma once
// Where the isolines' values are written: on the lines, where a label has
// room, apart from the other labels and from what the caller keeps clear.
// The isolines' drawing feeds it every piece it draws, so finding the
// places costs no second pass over the mesh.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

struct PixelBox {
  int32_t left = 0, top = 0, right = 0, bottom = 0;  // right and bottom excluded
  bool meets(const PixelBox& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
};

// A label written along its line: centred at (x, y), turned by `angle`
// radians (within ±90°, so that it reads upright), inside `box`.
struct IsolineLabel {
  int32_t level = 0;
  double x = 0.0, y = 0.0, angle = 0.0;
  PixelBox box;
};

class IsolineLabeller {
 public:
  // Starts over for a picture of the given size and a number of levels;
  // a label of a level lies at least `spacing` pixels from the next one.
  void reset(int32_t width, int32_t height, int32_t levels, int32_t spacing = 160);
  // A straight piece of level `level`, in pixels, within the picture.
  void add(int32_t level, double x0, double y0, double x1, double y1);
  // The labels, sized[level] long and high ({width, height}) along their
  // lines, none over another, over `clear`, past the picture's edges or
  // over another level's line (their boxes across and down compared).
  std::vector<IsolineLabel> place(std::span<const std::array<int32_t, 2>> sizes,
                                  std::span<const PixelBox> clear) const;

 private:
  static constexpr int32_t kCell = 6;  // the line map's cell, in pixels
  static constexpr int32_t kEmpty = -1, kMixed = -2;
  struct Candidate {
    float x = 0.0f, y = 0.0f, angle = 0.0f, distance = -1.0f;  // distance < 0: none yet
  };
  void mark(int32_t level, double x, double y);

  int32_t width_ = 0, height_ = 0, levels_ = 0, spacing_ = 160;
  int32_t cellsX_ = 0, cellsY_ = 0, regionsX_ = 0, regionsY_ = 0;
  std::vector<int32_t> lines_;         // per cell: the level passing, kEmpty or kMixed
  std::vector<Candidate> candidates_;  // per region and level: the piece nearest the region's centre
};
