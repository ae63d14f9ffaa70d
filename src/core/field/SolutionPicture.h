#pragma once
// What the window keeps to show a solution: the chosen field's values, the
// isolines' field and levels, the node positions drawn (deformed or not),
// and the index that finds the triangle under the cursor, each made again
// only when the solution or the switches that shape it change.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/field/FieldRaster.h"
#include "core/field/FieldValues.h"
#include "core/view/MeshRaster.h"

// The box of the boundary nodes and of the solution's mesh as the display
// draws it (deformed or not); nothing while no solution shows.
std::optional<NodesBox> ShownSolutionBox(const Model& model, const std::shared_ptr<const Solution>& solution,
                                         const SolutionDisplay& display);

class SolutionPicture {
 public:
  // Takes the solution and the switches as they are now; false (and
  // nothing kept) when nothing of a solution is to be shown.
  bool update(const std::shared_ptr<const Solution>& solution, const SolutionDisplay& display);
  bool shown() const { return solution_ != nullptr; }
  bool deformed() const { return shown() && factor_ > 0.0; }

  // The colour map, the deformed mesh (`mesh`: when the map is off, it is
  // drawn all the same) and the isolines, in that order.
  void draw(const ViewTransform& view, int32_t width, int32_t height, uint32_t* pixels, ptrdiff_t stride,
            bool mesh);
  // The status bar's text for the pixel's centre.
  std::string readOut(const ViewTransform& view, int32_t clientHeight, int32_t px, int32_t py, char point);
  // The triangle under a model point, in the positions drawn.
  MeshHit hitAt(double x, double y);
  // The colour bar's texts: the map's field, or the isolines' when the map
  // is off; the levels when they are that field's.
  ColourBarTexts colourBar(char point) const;
  bool mapShown() const { return shown() && display_.map; }
  bool isolinesShown() const { return shown() && display_.isolines; }
  double factor() const { return factor_; }
  const FieldValues& field() const { return field_; }
  const FieldValues& isolineField() const { return nodal_; }
  const IsolineLevels& levels() const { return levels_; }
  const std::vector<double>& x() const { return x_; }
  const std::vector<double>& y() const { return y_; }
  // Segments the last drawing traced.
  size_t segments() const { return raster_.segments(); }
  // Where the last drawing's isolines have room for their values, each
  // level's label sized[level]; none over `clear`.
  std::vector<IsolineLabel> isolineLabels(std::span<const std::array<int32_t, 2>> sizes,
                                          std::span<const PixelBox> clear) const {
    return labeller_.place(sizes, clear);
  }

 private:
  std::shared_ptr<const Solution> solution_;
  SolutionDisplay display_;
  FieldValues field_, nodal_;
  IsolineLevels levels_;
  double factor_ = 0.0;
  std::vector<double> x_, y_;
  TriangleLocator locator_;
  bool located_ = false;  // the locator indexes x_ and y_
  FieldRaster raster_;
  IsolineLabeller labeller_;
  MeshRaster deformedMesh_;
};
