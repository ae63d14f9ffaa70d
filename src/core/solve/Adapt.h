#pragma once
// Adaptive refinement: solve, estimate the error in each triangle, refine
// where it is above an even share of the error allowed, solve again, until
// the estimated relative error is reached or the budget runs out.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/mesh/MeshDriver.h"
#include "core/model/Model.h"
#include "core/solve/Solver.h"

// One solve of the loop: step 0 is the mesh it started with.
struct AdaptStep {
  int32_t step = 0;
  double eta = 0.0;  // the estimated relative error in the energy norm
  int32_t triangles = 0;
  bool operator==(const AdaptStep&) const = default;
};

enum class AdaptEnd {
  TargetMet,  // the last step's error is at most the target
  Budget,     // the next refinement would pass the triangle budget
  Steps,      // every refinement allowed was made
  Cancelled,  // ended by the user: the last finished step stands
  Failed,     // a solve was refused or a refinement failed: `why`
};

struct AdaptResult {
  AdaptEnd end = AdaptEnd::Failed;
  std::vector<AdaptStep> steps;
  // The solution on the model's final mesh (unsolved when nothing was).
  SolveResult solution;
  std::string why;
};

// The largest area for each triangle (from 1; 0 for one to leave as it is)
// that brings every triangle's error to the even share of the target:
// e* = target · ‖u‖ / √N, a triangle with e_t > e* at area · max(1/16,
// (e*/e_t)²), as a linear element's energy error goes with √area. When the
// refinement would make more than `most` triangles, only the triangles
// whose error is furthest above the share are refined, as far as `most`
// allows. `predicted` gets the count the areas ask for.
std::vector<double> RefinementAreas(const Model& mesh, const ErrorEstimate& estimate, double target,
                                    double most, double* predicted = nullptr);

// Adapts the model's mesh (already generated) until the estimated relative
// error is at most `targetEta`, with at most `maxTriangles` triangles and
// `maxSteps` refinements. `progress` hears of each solved step with its
// solution, the model holding its mesh; a set
// `cancel` (or the options' own cancel) ends the loop with the last
// finished step's mesh and solution in place.
AdaptResult Adapt(Model& model, double targetEta, int32_t maxTriangles, int32_t maxSteps,
                  MesherOptions options,
                  const std::function<void(const AdaptStep&, const SolveResult&)>& progress = {},
                  const std::atomic<bool>* cancel = nullptr);
