#pragma once
// The solution drawn straight into a 32-bit picture, as the large mesh is:
// the colour map filled triangle by triangle at the pixels' centres, and the
// isolines as straight pieces; and the index that finds the triangle under
// the cursor.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/field/FieldValues.h"
#include "core/field/IsolineLabels.h"
#include "core/view/ViewTransform.h"

// A uniform grid over the mesh's bounding box, about one cell per triangle,
// each cell listing the triangles whose bounding box meets it: built once
// per solution (and per deformation), it finds a point's triangle by
// looking at a few.
class TriangleLocator {
 public:
  // Indexes the mesh's triangles with their nodes at x and y (from 1).
  void build(const Model& mesh, const std::vector<double>& x, const std::vector<double>& y);
  // The triangle holding the point, a point on an edge or a corner included,
  // with the corners' weights; triangle 0 outside the mesh.
  MeshHit find(double px, double py) const;
  // The point's weights in a given triangle, negative outside it.
  MeshHit weightsIn(int32_t triangle, double px, double py) const;
  size_t cells() const { return start_.empty() ? 0 : start_.size() - 1; }

 private:
  // Lists each triangle in the cells its bounding box covers.
  void fillCells();
  std::vector<double> x_, y_;
  std::vector<std::array<int32_t, 3>> corners_;  // from 0, triangle t at t - 1
  double x0_ = 0.0, y0_ = 0.0, cellW_ = 1.0, cellH_ = 1.0;
  int32_t nx_ = 0, ny_ = 0;
  std::vector<int32_t> start_, items_;
};

// The model point at the centre of a client pixel, unsnapped to the grid.
ModelPoint PixelCentre(const ViewTransform& view, int32_t clientHeight, int32_t px, int32_t py);

class FieldRaster {
 public:
  // Fills the mesh's triangles, their nodes at x and y, in the field's
  // colours: interpolated from the nodes, or one colour a triangle. A pixel
  // whose centre lies on an edge two triangles share is filled once.
  void drawMap(const Model& mesh, const std::vector<double>& x, const std::vector<double>& y,
               const FieldValues& field, const ScreenMapping& map, int32_t width, int32_t height,
               uint32_t* pixels, ptrdiff_t stride);
  // The isolines of a nodal field, each in `colour`, or in its level's colour
  // on the scale when `colour` is 0; every piece drawn goes to `labels` too.
  void drawIsolines(const Model& mesh, const std::vector<double>& x, const std::vector<double>& y,
                    const FieldValues& nodal, const IsolineLevels& levels, uint32_t colour,
                    const ScreenMapping& map, int32_t width, int32_t height, uint32_t* pixels,
                    ptrdiff_t stride, IsolineLabeller* labels = nullptr);
  // Fills the mesh's triangles each in its material's colour (MaterialColour),
  // the nodes at x and y (from 1), or where the picture draws the mesh when
  // they are null.
  void drawMaterials(const Model& mesh, const double* x, const double* y, const ScreenMapping& map,
                     int32_t width, int32_t height, uint32_t* pixels, ptrdiff_t stride);
  size_t segments() const { return segments_; }  // drawn by the last drawIsolines
  void clearSegments() { segments_ = 0; }

 private:
  // Calls fill(t, triangle, corners, X, Y) for each triangle of nodes 1 …
  // `nodes` that may show, with its corners' fixed-point pixel positions.
  template <typename XOf, typename YOf, typename Fill>
  void forEachTriangle(const Model& mesh, int32_t nodes, const XOf& xOf, const YOf& yOf,
                       const ScreenMapping& map, int32_t width, int32_t height, Fill&& fill);

  std::vector<double> sx_, sy_;
  std::vector<int64_t> fx_, fy_;
  std::vector<float> t_;  // each node's place on the scale, 0 … 255
  size_t segments_ = 0;
};
