// Roller supports ("podpora przesuwna", the disc's kind 3) on a plate and
// on its quarter cut along both lines of symmetry, meshed here node for node.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "core/Fixtures.h"
#include "core/files/OpenExport.h"
#include "core/results/Solution.h"
#include "core/solve/Solver.h"

namespace {

constexpr int32_t N = 8;  // grid cells per unit length
constexpr float kE = 210.0f, kNu = 0.3f, kP = 5.0f, kH = 1.0f / N;

// The plate [lo, 1] x [lo, 1] (lo = -1 whole, 0 its quarter), its outline
// counter-clockwise through `outline`, each point with the condition of the
// element that starts there; a grid of N cells per unit, each cut along the
// diagonal that mirrors across both axes, so that the quarter's triangles
// are exactly the whole's in that quarter.
std::unique_ptr<Model> Plate(int32_t lo, const std::vector<std::pair<Node, int32_t>>& outline,
                             const std::vector<BoundaryCondition>& rows) {
  auto m = NewProject();
  m->ProblemKind = 10;
  m->Conductivity = kE;
  m->SecondProperty = kNu;
  const auto count = int32_t(outline.size());
  for (int32_t k = 0; k < count; ++k) {
    EXPECT_NE(AppendNode(*m, outline[size_t(k)].first), 0);
    EXPECT_NE(AppendElement(*m, Element{k + 1, (k + 1) % count + 1, outline[size_t(k)].second, 1}), 0);
  }
  m->bcCount = int32_t(rows.size());
  for (size_t k = 0; k < rows.size(); ++k) m->BcTable[int32_t(k) + 1] = rows[k];
  const int32_t side = (1 - lo) * N + 1;
  const auto node = [&](int32_t i, int32_t j) { return (j - lo * N) * side + (i - lo * N) + 1; };
  std::vector<MeshNode> nodes;
  for (int32_t j = lo * N; j <= N; ++j) {
    for (int32_t i = lo * N; i <= N; ++i) nodes.push_back({double(i) / N, double(j) / N});
  }
  std::vector<MeshTriangle> triangles;
  for (int32_t j = lo * N; j < N; ++j) {
    for (int32_t i = lo * N; i < N; ++i) {
      const int32_t a = node(i, j), b = node(i + 1, j), c = node(i + 1, j + 1), d = node(i, j + 1);
      if ((i >= 0) == (j >= 0)) {
        triangles.insert(triangles.end(), {{a, b, c}, {a, c, d}});
      } else {
        triangles.insert(triangles.end(), {{a, b, d}, {b, c, d}});
      }
    }
  }
  auto tags = std::make_shared<MeshTags>();
  // The boundary counter-clockwise, each grid edge on the element under its midpoint.
  const int32_t steps[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
  int32_t i = lo * N, j = lo * N;
  for (const auto& [di, dj] : steps) {
    for (int32_t s = 0; s < (1 - lo) * N; ++s, i += di, j += dj) {
      const double x = (i + di / 2.0) / N, y = (j + dj / 2.0) / N;
      int32_t element = 0;
      for (int32_t e = 1; e <= count; ++e) {
        const Node& p = m->NodeTable[m->ElementTable[e].startNode];
        const Node& q = m->NodeTable[m->ElementTable[e].endNode];
        const bool on = (q.x - p.x) * (y - p.y) == (q.y - p.y) * (x - p.x) &&
                        (x - p.x) * (x - q.x) + (y - p.y) * (y - q.y) < 0.0;
        if (on) element = e;
      }
      EXPECT_NE(element, 0) << x << " " << y;
      tags->edges.push_back({node(i, j), node(i + di, j + dj), element});
    }
  }
  m->meshNodeCount = int32_t(nodes.size());
  m->meshTriangleCount = int32_t(triangles.size());
  m->MeshNodeTable.assign(std::move(nodes));
  m->MeshTriangleTable.assign(std::move(triangles));
  for (int32_t k = 1; k <= m->nodeCount; ++k) tags->nodes.push_back(m->NodeTable[k]);
  for (int32_t k = 1; k <= m->elementCount; ++k) tags->elements.push_back(m->ElementTable[k]);
  tags->conditions = rows;
  tags->boundaries = {Boundary{1}};
  tags->problemKind = 10;
  m->meshTags = tags;
  return m;
}

// Rows: 1 uy held, 2 ux held, 3 pulled to the right, 4 free, 5 pulled to
// the left. The plate is pulled on both sides over |y| < 0.5 and held by
// rollers on short edges across its lines of symmetry, which the symmetric
// answer satisfies; its quarter is held the same way and by rollers along
// the two cuts. The quarter's answer is the whole's there.
TEST(RollerSupports, AQuarterWithSymmetryRollersIsTheWholePlate) {
  const std::vector<BoundaryCondition> rows = {
      {3.0f, 2.0f, 0.0f}, {3.0f, 1.0f, 0.0f}, {1.0f, kP, 0.0f}, {1.0f, 0.0f, 0.0f}, {1.0f, -kP, 0.0f}};
  const auto whole = Plate(-1,
                           {{{-1, -1}, 4},
                            {{-kH, -1}, 2},
                            {{kH, -1}, 4},
                            {{1, -1}, 4},
                            {{1, -0.5f}, 3},
                            {{1, -kH}, 1},
                            {{1, kH}, 3},
                            {{1, 0.5f}, 4},
                            {{1, 1}, 4},
                            {{kH, 1}, 2},
                            {{-kH, 1}, 4},
                            {{-1, 1}, 4},
                            {{-1, 0.5f}, 5},
                            {{-1, kH}, 1},
                            {{-1, -kH}, 5},
                            {{-1, -0.5f}, 4}},
                           rows);
  const auto quarter = Plate(
      0, {{{0, 0}, 1}, {{1, 0}, 1}, {{1, kH}, 3}, {{1, 0.5f}, 4}, {{1, 1}, 4}, {{kH, 1}, 2}, {{0, 1}, 2}},
      rows);
  const SolveResult w = Solve(*whole), q = Solve(*quarter);
  ASSERT_TRUE(w.solved) << w.refusal;
  ASSERT_TRUE(q.solved) << q.refusal;
  double scale = 0.0, error = 0.0;
  for (int32_t n = 1; n <= quarter->meshNodeCount; ++n) {
    const MeshNode& p = quarter->MeshNodeTable[n];
    const auto at =
        size_t((int32_t(std::lround(p.y * N)) + N) * (2 * N + 1) + int32_t(std::lround(p.x * N)) + N + 1);
    ASSERT_EQ(whole->MeshNodeTable[int32_t(at)].x, p.x);
    ASSERT_EQ(whole->MeshNodeTable[int32_t(at)].y, p.y);
    scale = std::max({scale, std::abs(w.ux[at]), std::abs(w.uy[at])});
    error = std::max({error, std::abs(q.ux[size_t(n)] - w.ux[at]), std::abs(q.uy[size_t(n)] - w.uy[at])});
  }
  EXPECT_GT(scale, kP / kE * 0.1);
  EXPECT_LE(error, 1e-8 * scale) << error << " of " << scale;
  for (const SolveResult* r : {&w, &q}) {
    // A roller takes no force along itself; the loads and reactions balance.
    EXPECT_EQ(r->force[1][0], 0.0);
    EXPECT_EQ(r->force[2][1], 0.0);
    EXPECT_LE(std::hypot(r->balance[0], r->balance[1]), 1e-9 * kP);
  }
  // The results call what the rollers take a reaction.
  int32_t reactions = 0;
  for (const ResultRow& row : ResultRows(Solution{*quarter, q}))
    reactions +=
        row.what.find("podpora przesuwna") != std::string::npos && row.value.starts_with("reakcja Rx");
  EXPECT_EQ(reactions, 2);
  EXPECT_NE(EncodeOpenExport(*quarter, OpenFormat::Msh41).find("1 1 \"warunek 1: podpora przesuwna 2, 0\"\n"),
            std::string::npos);
}

}  // namespace
