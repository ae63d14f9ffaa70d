#pragma once
// What an engineer judges a mesh by at a glance: its counts, the spread of
// its triangles' areas and angles, and how its smallest angles fall.

#include <array>
#include <cstdint>
#include <vector>

#include "core/model/Model.h"

struct MeshStatistics {
  static constexpr int kBuckets = 30;          // the smallest angle, 0° … 60°
  static constexpr double kBucketWidth = 2.0;  // degrees: 0–2°, 2–4°, …, 58–60°

  int32_t nodes = 0;
  int32_t triangles = 0;
  double totalArea = 0.0;
  double smallestArea = 0.0;  // signed: below zero for a triangle turned clockwise
  double largestArea = 0.0;
  double smallestAngle = 0.0;  // degrees, over every triangle's three
  double largestAngle = 0.0;
  // Triangles by their smallest angle (never above 60°); a triangle with a
  // side of length zero counts in the first bucket.
  std::array<int32_t, kBuckets> smallestAngles{};
  // Triangles by material, indexed by its number (0: the model's own);
  // as long as the highest material a triangle has, plus one.
  std::vector<int32_t> perMaterial;
};

MeshStatistics ComputeMeshStatistics(const Model& model);
