#pragma once
// What one repaint of the main window draws, in order: a plain list of
// primitives, each carrying the pen and brush in force when it is drawn.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/model/Model.h"
#include "core/view/DisplaySettings.h"
#include "core/view/ViewTransform.h"

struct Rgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  bool operator==(const Rgb&) const = default;
};

namespace colors {
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kGrey{128, 128, 128};
inline constexpr Rgb kMaroon{128, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kGreen{0, 128, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kOrange{255, 140, 0};
}  // namespace colors

enum class Shape : uint8_t {
  FillRect,  // the box (x1, y1)-(x2, y2), right and bottom edges excluded
  Ellipse,   // inscribed in that box: interior in the brush, outline in the pen
  Line,      // from (x1, y1) to (x2, y2)
  Text,      // `number` in decimal, top-left at (x1, y1), on an opaque box
  Ring,      // an ellipse's outline alone, over what lies inside
};

struct Primitive {
  Shape shape = Shape::FillRect;
  uint8_t penWidth = 1;
  Rgb pen;
  Rgb brush;
  Rgb text;
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int32_t number = 0;
};

// A name written beside something drawn, top-left at (x, y), on no box.
struct SceneLabel {
  int32_t x = 0, y = 0;
  Rgb colour;
  std::string text;
};

// The layers whose counts tests and the benchmarks like to know.
struct Scene {
  std::vector<Primitive> items;
  // Written over everything in `items`: the region points' material names.
  std::vector<SceneLabel> labels;
  int32_t gridDots = 0;
  bool gridLimitHit = false;  // the grid was switched off in this build
  // A mesh past the solver layouts' limits is no list of lines: it is rasterized
  // (MeshRaster) after the first `rasterMeshAt` items; -1 when there is none.
  ptrdiff_t rasterMeshAt = -1;
  // A solution shown is rasterized after the first `solutionAt` items (the
  // background and the grid), under the model; -1 when none is shown.
  ptrdiff_t solutionAt = -1;
  // The mesh's triangles filled in their materials' colours go there too,
  // under the solution; -1 when they are not shown.
  ptrdiff_t materialsAt = -1;
};

// Rows to point out over the finished picture, by number.
struct Highlights {
  std::vector<int32_t> nodes;
  std::vector<int32_t> elements;
  std::vector<int32_t> internalNodes;
  std::vector<int32_t> regionPoints;
  std::vector<int32_t> selected;  // elements chosen with the selection tool
  bool empty() const {
    return nodes.empty() && elements.empty() && internalNodes.empty() && regionPoints.empty() &&
           selected.empty();
  }
};

// The colour elements of a condition are drawn in when the picture shows
// the conditions: one of its own for each condition the table holds, none
// the blue of an element drawn without it.
Rgb ConditionColour(int32_t condition);

// The legend of that picture: each condition some element uses, with its
// colour and text, and the short text ("7") that stands for it where the
// whole texts do not fit.
struct LegendLine {
  Rgb colour;
  std::string text;
  std::string shortText;
};
std::vector<LegendLine> ConditionLegend(const Model& model, char decimalPoint = '.');

// The light colour the mesh's triangles of a material are filled in when
// the picture shows the materials, dark lines staying readable over it: a
// grey for the model's own material 0, a hue of its own for each of the
// table's (any other number gets the grey).
Rgb MaterialColour(int32_t material);
// The legend of that picture: each material some triangle uses, in the
// materials' order, with its name and properties, the model's own called
// "materiał projektu" as the dialogs call it; "M2" is the short text.
std::vector<LegendLine> MaterialLegend(const Model& model, char decimalPoint = '.');

// The element whose drawn line passes nearest a client pixel, within
// `tolerance` pixels; 0 when none does.
int32_t ElementAt(const Model& model, const ViewTransform& view, int32_t clientHeight, int32_t x, int32_t y,
                  int32_t tolerance);
// The elements whose both ends are drawn inside the rectangle spanned by
// two client pixels, in order.
std::vector<int32_t> ElementsWithin(const Model& model, const ViewTransform& view, int32_t clientHeight,
                                    int32_t x1, int32_t y1, int32_t x2, int32_t y2);

inline constexpr int32_t kMaxGridDots = 20000;
inline constexpr int32_t kPixelLimit = 30000;

// Builds the whole picture for a client area of the given size. Computes the
// scale (and so may repair a zero grid spacing) and switches the grid off
// when it would take more than kMaxGridDots dots. Reuses the scene's storage.
// Selected elements come over the elements, as thick orange lines; rows a
// check pointed out come last, as red rings and thick red lines. With
// `solutionShown` the scene marks where the solution goes.
void BuildScene(const Model& model, ViewTransform& view, const DisplaySettings& display, bool meshShown,
                int32_t clientWidth, int32_t clientHeight, Scene& scene, const Highlights& highlights = {},
                bool solutionShown = false);
