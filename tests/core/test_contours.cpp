#include <gtest/gtest.h>

#include <cmath>

#include "boundary/Codes.h"
#include "core/Fixtures.h"
#include "edit/Contours.h"

namespace {

using Edges = std::vector<std::pair<int32_t, int32_t>>;

struct Rig {
  std::unique_ptr<Model> model = NewProject();
  EditState edit;
  Rig() { edit.editMode = EditMode::Polyline; }
  Model& m() { return *model; }
  void click(double x, double y) { ASSERT_TRUE(AddPolylinePoint(*model, edit, x, y).done); }
  void clicks(std::initializer_list<std::pair<double, double>> points) {
    for (const auto& [x, y] : points) click(x, y);
  }
  bool remove() { return RemoveLastPoint(*model, edit); }
  CloseResult close() { return ClosePolyline(*model, edit); }
  // Every element as (start, end), in order.
  Edges edges() const {
    Edges out;
    for (int32_t i = 1; i <= model->elementCount; ++i)
      out.emplace_back(model->ElementTable[i].startNode, model->ElementTable[i].endNode);
    return out;
  }
};

TEST(Polyline, ClicksMakeNodesAndElementsThatCarryTheCurrentBoundaryAndCondition) {
  Rig r;
  r.m().CurrentBc = 3;
  r.m().CurrentBoundary = 2;
  r.click(0, 0);
  EXPECT_EQ(r.m().nodeCount, 1);
  EXPECT_EQ(r.edit.PolylineStarted, 1);
  r.clicks({{4, 0}, {4, 4}, {4, 4}});  // the same grid point again: a zero-length element
  EXPECT_EQ(r.m().nodeCount, 4);
  EXPECT_EQ(r.m().NodeTable[2].x, 4.0f);
  EXPECT_EQ(r.edges(), (Edges{{1, 2}, {2, 3}, {3, 4}}));
  EXPECT_EQ(r.m().ElementTable[3].bcNumber, 3);
  EXPECT_EQ(r.m().ElementTable[3].boundaryNumber, 2);
}

TEST(Polyline, CloseFollowsTheChainAndItsDirection) {
  Rig r;  // P1, P2, P3 closed: P3 -> P1
  r.clicks({{0, 0}, {4, 0}, {4, 4}});
  EXPECT_EQ(ChainStart(r.m()), 1);
  EXPECT_EQ(r.close(), CloseResult::Closed);
  EXPECT_EQ(r.edges(), (Edges{{1, 2}, {2, 3}, {3, 1}}));
  EXPECT_EQ(r.edit.editMode, EditMode::Idle);
  EXPECT_EQ(r.edit.PolylineStarted, 0);
  // Again at once, before a click: the walk goes round and finds no end.
  r.edit.editMode = EditMode::Polyline;
  EXPECT_EQ(ChainStart(r.m()), 3);
  EXPECT_EQ(r.close(), CloseResult::NoEnd);
  EXPECT_EQ(r.m().elementCount, 3);
  EXPECT_EQ(r.edit.editMode, EditMode::Polyline);
  // A one-element polyline Q1 -> Q2 after it closes with a second Q1 -> Q2.
  r.clicks({{10, 10}, {14, 10}});
  EXPECT_EQ(r.close(), CloseResult::Closed);
  EXPECT_EQ(r.edges().back(), (std::pair{4, 5}));

  // 1 -> 2 <- 3 -> 4 <- 5: the walk back from node 5 ends at node 1, and the
  // closing element runs from 5, since the last element does not start at 1.
  Rig x;
  for (int i = 0; i < 5; ++i) (void)AppendNode(x.m(), Node{float(i), 0});
  for (const Element& e : {Element{1, 2}, Element{3, 2}, Element{3, 4}, Element{5, 4}})
    (void)AppendElement(x.m(), e);
  EXPECT_EQ(ChainStart(x.m()), 1);
  ASSERT_EQ(x.close(), CloseResult::Closed);
  EXPECT_EQ(x.edges().back(), (std::pair{5, 1}));
}

TEST(Polyline, EndThenANewChainWhoseCloseReachesTheOpenChainBefore) {
  Rig r;
  r.clicks({{0, 0}, {4, 0}, {4, 4}});
  EndPolyline(r.edit);
  EXPECT_EQ(r.edit.editMode, EditMode::Idle);
  r.edit.editMode = EditMode::Polyline;
  r.click(10, 10);  // Q starts a new chain: no element to P3
  EXPECT_EQ(r.m().elementCount, 2);
  EXPECT_EQ(r.close(), CloseResult::Closed);
  EXPECT_EQ(r.edges().back(), (std::pair{4, 1}));
}

TEST(Polyline, RemoveLastPointThenContinueAndTheFirstPointAlone) {
  Rig r;
  r.clicks({{0, 0}, {4, 0}, {4, 4}});
  ASSERT_TRUE(r.remove());
  EXPECT_EQ(r.m().nodeCount, 2);
  EXPECT_EQ(r.edit.PolylineStarted, 1);
  r.click(0, 4);
  EXPECT_EQ(r.edges(), (Edges{{1, 2}, {2, 3}}));
  EXPECT_EQ(r.m().NodeTable[3].y, 4.0f);

  // Back to the first point and past it: the closed contour before stays.
  ASSERT_EQ(r.close(), CloseResult::Closed);
  r.edit.editMode = EditMode::Polyline;
  r.clicks({{20, 20}, {24, 20}});
  ASSERT_TRUE(r.remove());
  ASSERT_TRUE(r.remove());
  EXPECT_EQ(r.m().nodeCount, 3);
  EXPECT_EQ(r.m().elementCount, 3);
  EXPECT_EQ(r.edit.PolylineStarted, 0);
  EXPECT_FALSE(r.remove()) << "nothing more of this polyline to remove";
  r.click(30, 30);
  EXPECT_EQ(r.m().elementCount, 3) << "the next click starts afresh";
}

// Rows other commands append between clicks belong to them: the polyline
// goes on from its own point and takes back only what is still its own.
TEST(Polyline, RowsAddedMeanwhileAreNeverTakenBack) {
  Rig r;  // P1, P2, then a ring of 18 nodes and elements
  r.clicks({{0, 0}, {4, 0}});
  ASSERT_TRUE(AddEllipse(r.m(), EllipseParams{}).done);
  EXPECT_FALSE(r.remove()) << "the ring's node and element are last";
  EXPECT_EQ(r.m().nodeCount, 20);
  r.click(4, 4);  // P3 joins P2, not the ring's last node
  EXPECT_EQ(r.edges().back(), (std::pair{2, 21}));
  ASSERT_TRUE(r.remove());
  EXPECT_EQ(r.m().nodeCount, 20);
  EXPECT_FALSE(r.remove()) << "P1 -> P2 is no longer last";
  EXPECT_EQ(r.m().elementCount, 19);
  EXPECT_EQ(r.edges().back(), (std::pair{20, 3}));

  Rig f;  // only a first point, then the ring
  f.click(0, 0);
  ASSERT_TRUE(AddEllipse(f.m(), EllipseParams{}).done);
  EXPECT_FALSE(f.remove());
  EXPECT_EQ(f.m().nodeCount, 19);
  Rig u;  // an element that came to use the polyline's last node keeps it
  u.click(0, 0);
  (void)AppendElement(u.m(), Element{1, 1, 1, 1});
  EXPECT_FALSE(u.remove());
  EXPECT_EQ(u.m().nodeCount, 1);
}

TEST(Polyline, FullTablesRefuseTheWholeStepAndNonFinitePointsAreRefusedQuietly) {
  Rig r;
  while (r.m().nodeCount < kMaxNodes - 1) (void)AppendNode(r.m(), Node{});
  r.click(0, 0);
  EXPECT_EQ(AddPolylinePoint(r.m(), r.edit, 1, 1).full, ModelTable::Nodes);
  EXPECT_EQ(r.m().nodeCount, kMaxNodes);
  EXPECT_EQ(r.m().elementCount, 0);

  Rig s;
  while (s.m().elementCount < kMaxElements) (void)AppendElement(s.m(), Element{1, 1, 1, 1});
  s.click(0, 0);
  EXPECT_EQ(AddPolylinePoint(s.m(), s.edit, 1, 1).full, ModelTable::Elements);
  EXPECT_EQ(s.m().nodeCount, 1) << "the node of a refused click is not kept";

  Rig c;
  c.clicks({{0, 0}, {1, 0}, {1, 1}});
  while (c.m().elementCount < kMaxElements) (void)AppendElement(c.m(), Element{2, 2, 1, 1});
  c.m().ElementTable[kMaxElements] = Element{2, 3, 1, 1};
  EXPECT_EQ(c.close(), CloseResult::Full);
  EXPECT_EQ(c.m().elementCount, kMaxElements);

  Rig n;
  for (const auto& [x, y] : {std::pair{1e39, 0.0}, {0.0, -1e39}, {std::nan(""), 0.0}}) {
    const ContourChange change = AddPolylinePoint(n.m(), n.edit, x, y);
    EXPECT_FALSE(change.done || change.full.has_value());
  }
  EXPECT_EQ(n.m().nodeCount, 0);
  EXPECT_EQ(n.edit.PolylineStarted, 0);
}

TEST(Ellipse, DefaultRingRunsCounterClockwiseOnAnOuterBoundaryClockwiseOnAnInner) {
  auto m = NewProject();
  (void)AppendNode(*m, Node{});
  ASSERT_TRUE(AddEllipse(*m, EllipseParams{}).done);
  EXPECT_EQ(m->nodeCount, 19);
  EXPECT_EQ(m->elementCount, 18);
  EXPECT_EQ(m->NodeTable[2].x, 10.0f);
  EXPECT_EQ(m->NodeTable[2].y, 0.0f);
  EXPECT_NEAR(m->NodeTable[3].x, 9.397, 1e-3);
  EXPECT_NEAR(m->NodeTable[3].y, 3.420, 1e-3);
  EXPECT_EQ(m->ElementTable[1].startNode, 2);
  EXPECT_EQ(m->ElementTable[18].startNode, 19);
  EXPECT_EQ(m->ElementTable[18].endNode, 2);

  ResetModelData(*m);
  m->BoundaryTable[1].kind = kBoundaryInner;
  ASSERT_TRUE(AddEllipse(*m, EllipseParams{}).done);
  EXPECT_NEAR(m->NodeTable[2].y, -3.420, 1e-3);
}

TEST(Ellipse, NodesLieOnTheEllipseAndBadParametersCreateNothing) {
  auto m = NewProject();
  ASSERT_TRUE(AddEllipse(*m, EllipseParams{24, 10, 0, 0, 5}).done);
  for (int32_t i = 1; i <= m->nodeCount; ++i) {
    const double x = m->NodeTable[i].x, y = m->NodeTable[i].y;
    EXPECT_NEAR(x * x / 100 + y * y / 25, 1.0, 1e-6);
  }
  EXPECT_EQ(m->NodeTable[1].x, 10.0f);
  for (const EllipseParams& bad : {EllipseParams{2, 10, 0, 0, 10}, EllipseParams{18, 0, 0, 0, 10},
                                   EllipseParams{18, 10, 0, 0, -1}, EllipseParams{18, 3e38f, 3e38f, 0, 1}}) {
    const ContourChange r = AddEllipse(*m, bad);
    EXPECT_FALSE(r.done || r.full.has_value());
  }
  EXPECT_EQ(m->nodeCount, 24);

  while (m->nodeCount < kMaxNodes - 5) (void)AppendNode(*m, Node{});
  EXPECT_EQ(AddEllipse(*m, EllipseParams{}).full, ModelTable::Nodes);
  EXPECT_EQ(m->nodeCount, kMaxNodes - 5) << "all of the ring or none of it";
  EXPECT_EQ(m->elementCount, 24);
}

}  // namespace
