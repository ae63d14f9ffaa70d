#pragma once
// The large benchmarks' region: the 100 × 100 square, meshed at area 0.016
// into 970 455 triangles through the helper (MESHER_PATH) under a limit of
// a million.

#include <memory>
#include <vector>

#include "core/mesh/MeshDriver.h"
#include "core/model/Model.h"

inline constexpr double kLargeArea = 0.016;

// Nodes at the corners and the sides as elements 1–4 (bottom, right, top,
// left), all naming condition 1; with `conditions` (one per side) appended,
// each side names its own.
inline std::unique_ptr<Model> LargeSquare(const std::vector<BoundaryCondition>& conditions = {}) {
  auto m = std::make_unique<Model>();
  ResetModelData(*m);
  for (const Node& n : {Node{0, 0}, Node{100, 0}, Node{100, 100}, Node{0, 100}}) (void)AppendNode(*m, n);
  for (const BoundaryCondition& c : conditions) (void)AppendCondition(*m, c);
  for (int i = 1; i <= 4; ++i) (void)AppendElement(*m, Element{i, i % 4 + 1, conditions.empty() ? 1 : i, 1});
  return m;
}

inline MesherOptions LargeMesher() {
  MesherOptions options;
  options.helperPath = MESHER_PATH;
  options.limits = LargeMeshLimits(1'000'000);
  return options;
}
