#include "core/solve/Adapt.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "core/text/Tr.h"

namespace {

double Area(const Model& m, const MeshTriangle& t) {
  const MeshNode& a = m.MeshNodeTable[t.corner1];
  const MeshNode& b = m.MeshNodeTable[t.corner2];
  const MeshNode& c = m.MeshNodeTable[t.corner3];
  return 0.5 * std::fabs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y));
}

// How many times smaller a triangle of error e is to be made for a share s.
double Shrink(double e, double share) {
  return e > share ? std::max(1.0 / 16.0, (share / e) * (share / e)) : 1.0;
}

}  // namespace

std::vector<double> RefinementAreas(const Model& m, const ErrorEstimate& estimate, double target, double most,
                                    double* predicted) {
  const int32_t n = m.meshTriangleCount;
  std::vector<double> areas(static_cast<size_t>(n) + 1, 0.0);
  std::vector<double> error(static_cast<size_t>(n) + 1, 0.0);
  for (int32_t t = 1; t <= n && size_t(t) < estimate.triangle.size(); ++t)
    error[size_t(t)] = std::sqrt(std::max(0.0, estimate.triangle[size_t(t)]));
  const double norm = std::sqrt(estimate.energy * estimate.energy + estimate.error * estimate.error);
  const double share = target * norm / std::sqrt(std::max(1, n));
  const auto count = [&](double s) {
    double sum = 0.0;
    for (int32_t t = 1; t <= n; ++t) sum += 1.0 / Shrink(error[size_t(t)], s);
    return sum;
  };
  // A larger share refines fewer triangles, less: the smallest one whose
  // count fits, found by halving on its logarithm.
  double s = share;
  if (share > 0.0 && count(share) > most) {
    double low = std::log(share),
           high = std::log(std::max(share, *std::max_element(error.begin(), error.end())));
    for (int i = 0; i < 50; ++i) {
      const double mid = 0.5 * (low + high);
      (count(std::exp(mid)) > most ? low : high) = mid;
    }
    s = std::exp(high);
  }
  for (int32_t t = 1; t <= n; ++t) {
    const double shrink = Shrink(error[size_t(t)], s);
    if (shrink < 1.0) areas[size_t(t)] = Area(m, m.MeshTriangleTable[t]) * shrink;
  }
  if (predicted != nullptr) *predicted = count(s);
  return areas;
}

AdaptResult Adapt(Model& m, double targetEta, int32_t maxTriangles, int32_t maxSteps, MesherOptions options,
                  const std::function<void(const AdaptStep&, const SolveResult&)>& progress,
                  const std::atomic<bool>* cancel) {
  AdaptResult result;
  const auto cancelled = [&] { return (cancel != nullptr && cancel->load()) || options.wasCancelled(); };
  const std::function<bool()> ownCancel = options.cancelled;
  options.cancelled = [cancel, ownCancel] {
    return (cancel != nullptr && cancel->load()) || (ownCancel && ownCancel());
  };
  options.limits = LargeMeshLimits(maxTriangles);
  // Triangle's quality pass adds triangles to those the areas ask for,
  // grading the mesh between small and large ones: the areas aim this far
  // below the budget, and lower still after a refinement that passed it.
  double headroom = 1.6;
  std::unique_ptr<MeshSnapshot> solved;  // the last mesh with its solution
  for (int32_t step = 0;; ++step) {
    SolveResult r = Solve(m, cancel);
    if (!r.solved) {
      if (solved) solved->restore(m);
      result.end = r.cancelled || cancelled() ? AdaptEnd::Cancelled : AdaptEnd::Failed;
      result.why = r.refusal;
      return result;
    }
    result.solution = std::move(r);
    solved = std::make_unique<MeshSnapshot>(m);
    const AdaptStep done{step, result.solution.estimate.eta, m.meshTriangleCount};
    result.steps.push_back(done);
    if (progress) progress(done, result.solution);
    if (done.eta <= targetEta) {
      result.end = AdaptEnd::TargetMet;
      return result;
    }
    if (step >= maxSteps) {
      result.end = AdaptEnd::Steps;
      return result;
    }
    for (;;) {
      const double room = maxTriangles / headroom;
      double predicted = 0.0;
      const std::vector<double> areas =
          RefinementAreas(m, result.solution.estimate, targetEta, room, &predicted);
      // Too little room left for a step worth its solve.
      if (room < 1.05 * m.meshTriangleCount || predicted < 1.02 * m.meshTriangleCount) {
        result.end = AdaptEnd::Budget;
        return result;
      }
      MeshTrial trial;
      const MeshOutcome out = RefineMesh(m, areas, options, &trial);
      if (out == MeshOutcome::Success) break;
      if (out == MeshOutcome::Overflow) {
        headroom *= 1.5;
        continue;
      }
      result.end = out == MeshOutcome::Cancelled || cancelled() ? AdaptEnd::Cancelled : AdaptEnd::Failed;
      if (result.end == AdaptEnd::Failed) result.why = Tr("Adapt", "Zagęszczenie siatki nie powiodło się.");
      return result;
    }
  }
}
