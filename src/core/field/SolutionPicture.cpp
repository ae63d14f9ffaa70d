#include "core/field/SolutionPicture.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "core/simd/VectorState.h"

bool SolutionPicture::update(const std::shared_ptr<const Solution>& solution,
                             const SolutionDisplay& display) {
  const bool any =
      solution && (display.map || display.isolines || (display.deformed && solution->result.disc));
  if (!solution || !solution->result.solved || !any) {
    if (solution_) *this = SolutionPicture{};
    return false;
  }
  const bool disc = solution->result.disc;
  const bool newSolution = solution != solution_;
  const double factor =
      disc && display.deformed ? (display.factor > 0.0 ? display.factor : AutomaticFactor(*solution)) : 0.0;
  if (newSolution || ChosenField(display, disc) != field_.kind) {
    field_ = ComputeField(*solution, ChosenField(display, disc));
    nodal_ = IsolineField(*solution, field_);
  }
  if (newSolution || factor != factor_ || x_.empty()) {
    if (factor > 0.0) {
      DeformedNodes(*solution, factor, x_, y_);
    } else {
      MeshedNodes(solution->model, x_, y_);
    }
    located_ = false;
  }
  solution_ = solution;
  display_ = display;
  factor_ = factor;
  // The levels divide the map's scale, which an averaged field's narrower
  // range lies within.
  const FieldValues& scale = nodal_.kind == field_.kind ? field_ : nodal_;
  levels_ = LevelsFor(scale.min, scale.max, std::clamp(display.levels, 1, kMaxIsolines));
  return true;
}

void SolutionPicture::draw(const ViewTransform& view, int32_t width, int32_t height, uint32_t* pixels,
                           ptrdiff_t stride, bool mesh) {
  ClearUpperVectorState();
  if (!solution_) return;
  const Model& m = solution_->model;
  const ScreenMapping map = MappingFor(view, height);
  if (display_.map) raster_.drawMap(m, x_, y_, field_, map, width, height, pixels, stride);
  if (deformed() && (mesh || !display_.map)) {
    deformedMesh_.draw(m, view, width, height, pixels, stride, 0xff000000u, x_.data(), y_.data(),
                       display_.map ? kLeastMeshLinePixels : 0);
  }
  // White over the colours; in each level's own colour over the white.
  if (!display_.isolines) {
    raster_.clearSegments();
    labeller_.reset(0, 0, 0);
  } else {
    raster_.drawIsolines(m, x_, y_, nodal_, levels_, display_.map ? 0xffffffffu : 0u, map, width, height,
                         pixels, stride, &labeller_);
  }
}

MeshHit SolutionPicture::hitAt(double x, double y) {
  if (!solution_) return {};
  if (!located_) {
    locator_.build(solution_->model, x_, y_);
    located_ = true;
  }
  return locator_.find(x, y);
}

std::string SolutionPicture::readOut(const ViewTransform& view, int32_t clientHeight, int32_t px, int32_t py,
                                     char point) {
  if (!solution_ || !HasDrawingArea(view)) return {};
  const ModelPoint p = PixelCentre(view, clientHeight, px, py);
  MeshHit hit = hitAt(p.x, p.y);
  // A pixel the mesh's edge passes through reads the edge's value: the
  // triangle at one of its corners, its weights at the centre held to it.
  const double half = 0.5 / double(view.scale);
  for (int corner = 0; corner < 4 && hit.triangle == 0; ++corner) {
    const MeshHit near = hitAt(p.x + (corner % 2 == 0 ? -half : half), p.y + (corner < 2 ? -half : half));
    if (near.triangle == 0) continue;
    hit = locator_.weightsIn(near.triangle, p.x, p.y);
    double sum = 0.0;
    for (double& w : hit.weights) sum += (w = std::max(w, 0.0));
    for (double& w : hit.weights) w /= sum;
  }
  return ReadOut(*solution_, display_.map ? field_ : nodal_, hit, point);
}

ColourBarTexts SolutionPicture::colourBar(char point) const {
  if (!solution_) return {};
  const FieldValues& shown = display_.map || !display_.isolines ? field_ : nodal_;
  const bool levels = display_.isolines && shown.kind == nodal_.kind;
  return ColourBarFor(shown, levels ? &levels_ : nullptr, factor_, point);
}

std::optional<NodesBox> ShownSolutionBox(const Model& model, const std::shared_ptr<const Solution>& solution,
                                         const SolutionDisplay& display) {
  SolutionPicture picture;
  if (!picture.update(solution, display)) return std::nullopt;
  NodesBox box = BoxOfNodes(model).value_or(NodesBox{FLT_MAX, FLT_MAX, -FLT_MAX, -FLT_MAX});
  const std::vector<double>&x = picture.x(), &y = picture.y();
  for (size_t k = 1; k < x.size() && k < y.size(); ++k) {
    if (std::isnan(x[k]) || std::isnan(y[k])) continue;
    box.xMin = std::min(box.xMin, float(x[k]));
    box.xMax = std::max(box.xMax, float(x[k]));
    box.yMin = std::min(box.yMin, float(y[k]));
    box.yMax = std::max(box.yMax, float(y[k]));
  }
  if (!(box.xMin <= box.xMax)) return std::nullopt;
  return box;
}
