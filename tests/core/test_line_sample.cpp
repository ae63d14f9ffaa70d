// The field along a segment through a meshed slab: the samples at every
// edge crossing, a break across a hole, the staircase of a field per
// triangle, the flow across the segment, and the CSV text read back by
// Python's csv module.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <utility>

#include "core/Fixtures.h"
#include "core/field/LineSample.h"
#include "core/mesh/MeshDriver.h"
#include "core/solve/Solver.h"

namespace {

// The slab [0, 4] × [0, 2], λ = 2, T = 100 on the left side and 20 on the
// right, insulated above and below; with `hole` a square hole
// [1.5, 2.5] × [0.5, 1.5] in it.
constexpr double kLength = 4.0, kHeight = 2.0, kLambda = 2.0, kLeft = 100.0, kRight = 20.0;

Solution SolvedSlab(bool hole) {
  Solution s;
  Model& m = s.model;
  ResetModelData(m);
  AddContour(m, {{0, 0}, {4, 0}, {4, 2}, {0, 2}});
  if (hole) {
    AddContour(m, {{1.5f, 0.5f}, {2.5f, 0.5f}, {2.5f, 1.5f}, {1.5f, 1.5f}});
    EXPECT_NE(AppendInternalNode(m, InternalNode{2, 1}), 0);
  }
  m.bcCount = 4;
  m.BcTable[1] = m.BcTable[3] = BoundaryCondition{2, 0};
  m.BcTable[2] = BoundaryCondition{1, float(kRight)};
  m.BcTable[4] = BoundaryCondition{1, float(kLeft)};
  for (int32_t e = 1; e <= 4; ++e) m.ElementTable[e].bcNumber = e;
  for (int32_t e = 5; e <= m.elementCount; ++e) m.ElementTable[e].bcNumber = 1;
  MesherOptions mesher;
  mesher.helperPath = MESHER_PATH;
  EXPECT_EQ(GenerateMesh(m, 0.05, mesher), MeshOutcome::Success);
  m.ProblemKind = 1;
  m.Conductivity = float(kLambda);
  s.result = Solve(m);
  EXPECT_TRUE(s.result.solved) << s.result.refusal;
  return s;
}

const Solution& Slab() {
  static const Solution s = SolvedSlab(false);
  return s;
}

// The distinct mesh edges the segment crosses strictly inside both.
int CrossedEdges(const Model& m, SegmentPoint a, SegmentPoint b) {
  std::set<std::pair<int32_t, int32_t>> edges;
  for (int32_t t = 1; t <= m.meshTriangleCount; ++t) {
    const MeshTriangle& c = m.MeshTriangleTable[t];
    const int32_t k[3] = {c.corner1, c.corner2, c.corner3};
    for (int i = 0; i < 3; ++i) edges.insert(std::minmax(k[i], k[(i + 1) % 3]));
  }
  const auto side = [](double px, double py, double qx, double qy, double rx, double ry) {
    return (qx - px) * (ry - py) - (qy - py) * (rx - px);
  };
  int crossed = 0;
  for (const auto& [i, j] : edges) {
    const MeshNode &p = m.MeshNodeTable[i], &q = m.MeshNodeTable[j];
    if (side(a.x, a.y, b.x, b.y, p.x, p.y) * side(a.x, a.y, b.x, b.y, q.x, q.y) < 0 &&
        side(p.x, p.y, q.x, q.y, a.x, a.y) * side(p.x, p.y, q.x, q.y, b.x, b.y) < 0)
      ++crossed;
  }
  return crossed;
}

// A field linear in x and y put on the nodes, sampled along segments inside
// the slab: every sample lies on the segment at its s and carries the exact
// value, one sample per edge crossed plus both ends.
TEST(LineSampling, LinearFieldAtEveryEdgeCrossing) {
  Solution s = Slab();
  const auto exact = [](double x, double y) { return 3.0 * x - 2.0 * y + 1.0; };
  for (int32_t k = 1; k <= s.model.meshNodeCount; ++k)
    s.result.u[size_t(k)] = exact(s.model.MeshNodeTable[k].x, s.model.MeshNodeTable[k].y);
  const FieldValues field = ComputeField(s, FieldKind::Potential);
  const SegmentPoint segments[][2] = {
      {{0.123, 0.731}, {3.871, 1.377}}, {{3.9, 1.9}, {0.2, 0.117}}, {{1.01, 0.05}, {1.02, 1.95}}};
  for (const auto& [a, b] : segments) {
    const LinePieces pieces = SampleAlongSegment(s.model, field, a, b);
    ASSERT_EQ(pieces.size(), 1u);
    const std::vector<LineSample>& line = pieces[0];
    EXPECT_EQ(int(line.size()), CrossedEdges(s.model, a, b) + 2);
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    EXPECT_DOUBLE_EQ(line.front().s, 0.0);
    EXPECT_NEAR(line.back().s, length, 1e-12 * length);
    for (size_t i = 0; i < line.size(); ++i) {
      const LineSample& p = line[i];
      const double t = p.s / length;
      EXPECT_NEAR(p.x, a.x + t * (b.x - a.x), 1e-12);
      EXPECT_NEAR(p.y, a.y + t * (b.y - a.y), 1e-12);
      EXPECT_NEAR(p.value, exact(p.x, p.y), 1e-12 * 15.0);
      if (i > 0) {
        EXPECT_GT(p.s, line[i - 1].s);
      }
    }
  }
}

// A field per triangle: two samples a triangle, at its entry and its exit,
// with the triangle's value on both.
TEST(LineSampling, FieldPerTriangleIsAStaircase) {
  const Solution& s = Slab();
  const FieldValues field = ComputeField(s, FieldKind::Error);
  const SegmentPoint a{0.123, 0.731}, b{3.871, 1.377};
  const LinePieces pieces = SampleAlongSegment(s.model, field, a, b);
  ASSERT_EQ(pieces.size(), 1u);
  const std::vector<LineSample>& line = pieces[0];
  ASSERT_EQ(int(line.size()), 2 * (CrossedEdges(s.model, a, b) + 1));
  for (size_t i = 0; i + 1 < line.size(); i += 2) {
    EXPECT_EQ(line[i].value, line[i + 1].value);
    EXPECT_LT(line[i].s, line[i + 1].s);
    if (i > 0) {
      EXPECT_NEAR(line[i].s, line[i - 1].s, 1e-12);
    }
  }
}

// A field per corner that jumps by 1 between odd and even triangles: each
// jump shows as two samples at the same s, one value from either side.
TEST(LineSampling, CornerFieldKeepsBothSidesOfAJump) {
  const Solution& s = Slab();
  const Model& m = s.model;
  FieldValues field{FieldKind::FluxRecovered, false, true, {0.0}, 0.0, 5.0, "|q|", "W/m²"};
  for (int32_t t = 1; t <= m.meshTriangleCount; ++t) {
    const MeshTriangle& c = m.MeshTriangleTable[t];
    for (int32_t k : {c.corner1, c.corner2, c.corner3}) field.values.push_back(m.MeshNodeTable[k].x + t % 2);
  }
  const SegmentPoint a{0.123, 0.731}, b{3.871, 1.377};
  const std::vector<LineSample> line = SampleAlongSegment(m, field, a, b).at(0);
  int jumps = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    const double step = line[i].value - line[i].x;
    EXPECT_TRUE(std::abs(step) < 1e-12 || std::abs(step - 1.0) < 1e-12) << step;
    if (i > 0 && std::abs(line[i].s - line[i - 1].s) < 1e-12) {
      ++jumps;
      EXPECT_NEAR(std::abs(line[i].value - line[i - 1].value), 1.0, 1e-12);
    }
  }
  EXPECT_GT(jumps, 0);
  EXPECT_EQ(int(line.size()), CrossedEdges(m, a, b) + 2 + jumps);
}

// Across the hole the curve breaks: it leaves the mesh on the hole's side
// and comes back on the other. A segment wholly outside gives nothing.
TEST(LineSampling, HoleAndOutsideBreakTheCurve) {
  const Solution s = SolvedSlab(true);
  const FieldValues field = ComputeField(s, FieldKind::Potential);
  const LinePieces pieces = SampleAlongSegment(s.model, field, {-1.0, 1.013}, {5.0, 1.013});
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_NEAR(pieces[0].front().x, 0.0, 1e-12);
  EXPECT_NEAR(pieces[0].back().x, 1.5, 1e-9);
  EXPECT_NEAR(pieces[1].front().x, 2.5, 1e-9);
  EXPECT_NEAR(pieces[1].back().x, 4.0, 1e-12);
  EXPECT_NEAR(pieces[1].front().s, 3.5, 1e-9);
  EXPECT_TRUE(SampleAlongSegment(s.model, field, {-1, -1}, {5, -0.5}).empty());
  EXPECT_TRUE(SampleAlongSegment(s.model, field, {2, 1}, {2.2, 1.2}).empty());  // in the hole
}

// The heat flowing across the slab, λ ΔT / L times the height crossed, with
// its sign from the side of A→B it flows to; parts outside add nothing.
TEST(LineSampling, FlowThroughSegmentAcrossTheSlab) {
  const double q = kLambda * (kLeft - kRight) / kLength;  // in +x
  struct Case {
    SegmentPoint a, b;
    double want;
  };
  for (const Case& c : {Case{{1.3, 0.0}, {1.3, 2.0}, -q * kHeight}, Case{{1.3, 2.0}, {1.3, 0.0}, q * kHeight},
                        Case{{2.7, -1.0}, {2.7, 5.0}, -q * kHeight}, Case{{0.5, 0.4}, {3.5, 1.6}, -q * 1.2},
                        Case{{0.5, 0.4}, {3.5, 0.4}, 0.0}}) {
    EXPECT_NEAR(FlowThroughSegment(Slab(), c.a, c.b), c.want, 1e-9 * q * kHeight);
  }
  EXPECT_EQ(ForceThroughSegment(Slab(), {0, 0}, {1, 1}), (std::array<double, 2>{0.0, 0.0}));
}

// The CSV text read back by Python's csv module gives the heading and the
// very same numbers, the pieces apart by an empty row.
TEST(LineSampling, CsvReadsBackThroughPython) {
  const Solution s = SolvedSlab(true);
  const FieldValues field = ComputeField(s, FieldKind::Potential);
  const LinePieces pieces = SampleAlongSegment(s.model, field, {-1.0, 1.013}, {5.0, 0.3});
  ASSERT_EQ(pieces.size(), 2u);
  const std::filesystem::path dir = std::filesystem::temp_directory_path();
  const std::string csv = (dir / "vk_line.csv").string(), out = (dir / "vk_line.txt").string(),
                    py = (dir / "vk_line.py").string();
  std::ofstream(csv, std::ios::binary) << LineSamplesCsv(pieces, field, LengthUnit(s));
  const std::string script =
      "import csv,sys\n"
      "rows=list(csv.reader(open(sys.argv[1],newline='',encoding='utf-8')))\n"
      "print(rows[0][3]+'|'+rows[0][0])\n"
      "for r in rows[1:]: print(' '.join(float(v).hex() for v in r) if r else 'break')\n";
  std::ofstream(py) << script;
  const std::string command = "/usr/bin/python3 " + py + " " + csv + " > " + out;
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream read(out);
  std::string heading;
  std::getline(read, heading);
  EXPECT_EQ(heading, "T [°C]|s [m]");
  std::vector<double> got, want;  // a break as NaN
  for (std::string word; read >> word;)
    got.push_back(word == "break" ? NAN : std::strtod(word.c_str(), nullptr));
  for (size_t p = 0; p < pieces.size(); ++p) {
    if (p > 0) want.push_back(NAN);
    for (const LineSample& l : pieces[p]) want.insert(want.end(), {l.s, l.x, l.y, l.value});
  }
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); ++i)
    EXPECT_TRUE(got[i] == want[i] || (std::isnan(got[i]) && std::isnan(want[i])));
}

}  // namespace
