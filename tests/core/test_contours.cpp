#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "boundary/Codes.h"
#include "edit/Contours.h"

namespace {

struct Rig {
  std::unique_ptr<Model> model = std::make_unique<Model>();
  EditState edit;
  Rig() {
    ResetModelData(*model);
    edit.editMode = EditMode::Polyline;
  }
  Model& m() { return *model; }
  void click(double x, double y) { ASSERT_TRUE(AddPolylinePoint(*model, edit, x, y).done); }
  Element element(int32_t i) { return model->ElementTable[i]; }
};

void ExpectElement(const Element& e, int32_t from, int32_t to) {
  EXPECT_EQ(e.startNode, from);
  EXPECT_EQ(e.endNode, to);
  EXPECT_EQ(e.bcNumber, 1);
  EXPECT_EQ(e.boundaryNumber, 1);
}

TEST(Polyline, ClicksMakeNodesAndElementsFromTheSecondOn) {
  Rig r;
  r.m().CurrentBc = 1;
  r.click(0, 0);
  EXPECT_EQ(r.m().nodeCount, 1);
  EXPECT_EQ(r.m().elementCount, 0);
  EXPECT_EQ(r.edit.PolylineStarted, 1);
  r.click(4, 0);
  r.click(4, 4);
  r.click(4, 4);  // the same grid point again: a zero-length element
  EXPECT_EQ(r.m().nodeCount, 4);
  ASSERT_EQ(r.m().elementCount, 3);
  ExpectElement(r.element(1), 1, 2);
  ExpectElement(r.element(3), 3, 4);
  EXPECT_EQ(r.m().NodeTable[2].x, 4.0f);
}

TEST(Polyline, CloseFollowsTheChainAndItsDirection) {
  Rig r;  // P1, P2, P3 closed: P3 -> P1
  r.click(0, 0);
  r.click(4, 0);
  r.click(4, 4);
  EXPECT_EQ(ChainStart(r.m()), 1);
  EXPECT_EQ(ClosePolyline(r.m(), r.edit), CloseResult::Closed);
  ASSERT_EQ(r.m().elementCount, 3);
  ExpectElement(r.element(3), 3, 1);
  EXPECT_EQ(r.edit.editMode, EditMode::Idle);
  EXPECT_EQ(r.edit.PolylineStarted, 0);

  // Again at once, before a click: the walk goes round and finds no end.
  r.edit.editMode = EditMode::Polyline;
  EXPECT_EQ(ChainStart(r.m()), 3);
  EXPECT_EQ(ClosePolyline(r.m(), r.edit), CloseResult::NoEnd);
  EXPECT_EQ(r.m().elementCount, 3);
  EXPECT_EQ(r.edit.editMode, EditMode::Polyline);

  // A one-element polyline Q1 -> Q2 after it closes with a second Q1 -> Q2.
  r.click(10, 10);
  r.click(14, 10);
  EXPECT_EQ(ClosePolyline(r.m(), r.edit), CloseResult::Closed);
  ASSERT_EQ(r.m().elementCount, 5);
  ExpectElement(r.element(5), 4, 5);
}

TEST(Polyline, ClosingRightAfterTheFirstClickReachesTheOpenChainBefore) {
  Rig r;
  r.click(0, 0);
  r.click(4, 0);
  r.click(4, 4);
  EndPolyline(r.edit);
  EXPECT_EQ(r.edit.editMode, EditMode::Idle);
  EXPECT_EQ(r.m().elementCount, 2);
  r.edit.editMode = EditMode::Polyline;
  r.click(10, 10);  // Q starts a new chain: no element to P3
  EXPECT_EQ(r.m().elementCount, 2);
  EXPECT_EQ(ClosePolyline(r.m(), r.edit), CloseResult::Closed);
  ExpectElement(r.element(3), 4, 1);
}

TEST(Polyline, RemoveLastPointThenContinue) {
  Rig r;
  r.click(0, 0);
  r.click(4, 0);
  r.click(4, 4);
  ASSERT_TRUE(RemoveLastPoint(r.m(), r.edit));
  EXPECT_EQ(r.m().nodeCount, 2);
  EXPECT_EQ(r.m().elementCount, 1);
  EXPECT_EQ(r.edit.PolylineStarted, 1);
  r.click(0, 4);
  ExpectElement(r.element(2), 2, 3);
  EXPECT_EQ(r.m().NodeTable[3].y, 4.0f);
}

TEST(Polyline, RemovingTheOnlyPointLeavesEarlierContoursAlone) {
  Rig r;
  r.click(0, 0);
  r.click(4, 0);
  r.click(4, 4);
  ASSERT_EQ(ClosePolyline(r.m(), r.edit), CloseResult::Closed);
  r.edit.editMode = EditMode::Polyline;
  r.click(20, 20);
  ASSERT_TRUE(RemoveLastPoint(r.m(), r.edit));
  EXPECT_EQ(r.m().nodeCount, 3);
  EXPECT_EQ(r.m().elementCount, 3) << "the closed triangle keeps its elements";
  EXPECT_EQ(r.edit.PolylineStarted, 0);
  EXPECT_FALSE(RemoveLastPoint(r.m(), r.edit)) << "nothing more of this polyline to remove";
  r.click(30, 30);
  EXPECT_EQ(r.m().elementCount, 3) << "the next click starts afresh";

  // Removing back past the first element of a polyline works step by step.
  r.click(34, 30);
  ASSERT_TRUE(RemoveLastPoint(r.m(), r.edit));
  ASSERT_TRUE(RemoveLastPoint(r.m(), r.edit));
  EXPECT_EQ(r.m().nodeCount, 3);
  EXPECT_EQ(r.m().elementCount, 3);

  // On an empty model the first point alone goes, and nothing else.
  Rig e;
  e.click(1, 1);
  ASSERT_TRUE(RemoveLastPoint(e.m(), e.edit));
  EXPECT_EQ(e.m().nodeCount, 0);
  e.click(2, 2);
  EXPECT_EQ(e.m().elementCount, 0);
}

// Rows other commands append between clicks belong to them: the polyline
// goes on from its own point and takes back only what is still its own.
TEST(Polyline, RowsAddedMeanwhileAreNeverTakenBack) {
  Rig r;  // P1, P2, then a ring of 18 nodes and elements
  r.click(0, 0);
  r.click(4, 0);
  ASSERT_TRUE(AddEllipse(r.m(), EllipseParams{}).done);
  EXPECT_FALSE(RemoveLastPoint(r.m(), r.edit)) << "the ring's node and element are last";
  EXPECT_EQ(r.m().nodeCount, 20);
  EXPECT_EQ(r.m().elementCount, 19);
  r.click(4, 4);  // P3 joins P2, not the ring's last node
  ExpectElement(r.element(20), 2, 21);
  ASSERT_TRUE(RemoveLastPoint(r.m(), r.edit));
  EXPECT_EQ(r.m().nodeCount, 20);
  EXPECT_EQ(r.m().elementCount, 19);
  EXPECT_FALSE(RemoveLastPoint(r.m(), r.edit)) << "P1 -> P2 is no longer last";
  ExpectElement(r.element(19), 20, 3);

  Rig f;  // only a first point, then the ring
  f.click(0, 0);
  ASSERT_TRUE(AddEllipse(f.m(), EllipseParams{}).done);
  EXPECT_FALSE(RemoveLastPoint(f.m(), f.edit));
  EXPECT_EQ(f.m().nodeCount, 19);
  // An element that came to use the polyline's last node keeps it there.
  Rig u;
  u.click(0, 0);
  (void)AppendElement(u.m(), Element{1, 1, 1, 1});
  EXPECT_FALSE(RemoveLastPoint(u.m(), u.edit));
  EXPECT_EQ(u.m().nodeCount, 1);
}

TEST(Polyline, ChainStartFollowsElementsInEitherDirection) {
  // 1 -> 2 <- 3 -> 4 <- 5: the walk back from node 5 ends at node 1.
  Rig r;
  for (int i = 0; i < 5; ++i) (void)AppendNode(r.m(), Node{float(i), 0});
  for (const Element& e : {Element{1, 2, 1, 1}, Element{3, 2, 1, 1}, Element{3, 4, 1, 1}, Element{5, 4, 1, 1}}) {
    (void)AppendElement(r.m(), e);
  }
  EXPECT_EQ(ChainStart(r.m()), 1);
  ASSERT_EQ(ClosePolyline(r.m(), r.edit), CloseResult::Closed);
  ExpectElement(r.element(5), 5, 1);  // the last element does not start at node 1
}

TEST(Polyline, PointsOutsideSinglePrecisionAreRefusedQuietly) {
  Rig r;
  for (const auto& [x, y] : {std::pair{1e39, 0.0}, {0.0, -1e39}, {std::nan(""), 0.0}}) {
    const ContourChange c = AddPolylinePoint(r.m(), r.edit, x, y);
    EXPECT_FALSE(c.done);
    EXPECT_FALSE(c.full.has_value());
  }
  EXPECT_EQ(r.m().nodeCount, 0);
  EXPECT_EQ(r.edit.PolylineStarted, 0);
  EXPECT_FALSE(AddEllipse(r.m(), EllipseParams{18, 3e38f, 3e38f, 0, 1}).done) << "a ring past the range";
  EXPECT_EQ(r.m().nodeCount, 0);
}

TEST(Polyline, FullTablesRefuseTheWholeStep) {
  Rig r;
  while (r.m().nodeCount < kMaxNodes - 1) (void)AppendNode(r.m(), Node{});
  r.click(0, 0);
  const ContourChange refused = AddPolylinePoint(r.m(), r.edit, 1, 1);
  EXPECT_FALSE(refused.done);
  ASSERT_TRUE(refused.full.has_value());
  EXPECT_EQ(*refused.full, ModelTable::Nodes);
  EXPECT_EQ(r.m().nodeCount, kMaxNodes);
  EXPECT_EQ(r.m().elementCount, 0);

  Rig s;
  while (s.m().elementCount < kMaxElements) (void)AppendElement(s.m(), Element{1, 1, 1, 1});
  s.click(0, 0);
  const ContourChange noElement = AddPolylinePoint(s.m(), s.edit, 1, 1);
  EXPECT_EQ(*noElement.full, ModelTable::Elements);
  EXPECT_EQ(s.m().nodeCount, 1) << "the node of a refused click is not kept";

  Rig c;
  c.click(0, 0);
  c.click(1, 0);
  c.click(1, 1);
  while (c.m().elementCount < kMaxElements) (void)AppendElement(c.m(), Element{2, 2, 1, 1});
  c.m().ElementTable[kMaxElements] = Element{2, 3, 1, 1};
  EXPECT_EQ(ClosePolyline(c.m(), c.edit), CloseResult::Full);
  EXPECT_EQ(c.m().elementCount, kMaxElements);
}

TEST(Ellipse, DefaultRingRunsCounterClockwiseOnAnOuterBoundary) {
  auto m = std::make_unique<Model>();
  ResetModelData(*m);
  (void)AppendNode(*m, Node{});
  ASSERT_TRUE(AddEllipse(*m, EllipseParams{}).done);
  EXPECT_EQ(m->nodeCount, 19);
  EXPECT_EQ(m->elementCount, 18);
  EXPECT_EQ(m->NodeTable[2].x, 10.0f);
  EXPECT_EQ(m->NodeTable[2].y, 0.0f);
  EXPECT_NEAR(m->NodeTable[3].x, 9.397, 1e-3);
  EXPECT_NEAR(m->NodeTable[3].y, 3.420, 1e-3);
  ExpectElement(m->ElementTable[1], 2, 3);
  ExpectElement(m->ElementTable[18], 19, 2);

  ResetModelData(*m);
  m->BoundaryTable[1].kind = kBoundaryInner;
  ASSERT_TRUE(AddEllipse(*m, EllipseParams{}).done);
  EXPECT_NEAR(m->NodeTable[2].y, -3.420, 1e-3);
}

TEST(Ellipse, NodesLieOnTheEllipseAndBadParametersCreateNothing) {
  auto m = std::make_unique<Model>();
  ResetModelData(*m);
  ASSERT_TRUE(AddEllipse(*m, EllipseParams{24, 10, 0, 0, 5}).done);
  for (int32_t i = 1; i <= m->nodeCount; ++i) {
    const double x = m->NodeTable[i].x, y = m->NodeTable[i].y;
    EXPECT_NEAR(x * x / 100 + y * y / 25, 1.0, 1e-6);
  }
  EXPECT_EQ(m->NodeTable[1].x, 10.0f);
  for (const EllipseParams& bad :
       {EllipseParams{2, 10, 0, 0, 10}, EllipseParams{18, 0, 0, 0, 10}, EllipseParams{18, 10, 0, 0, -1}}) {
    const ContourChange r = AddEllipse(*m, bad);
    EXPECT_FALSE(r.done);
    EXPECT_FALSE(r.full.has_value());
  }
  EXPECT_EQ(m->nodeCount, 24);

  while (m->nodeCount < kMaxNodes - 5) (void)AppendNode(*m, Node{});
  const ContourChange full = AddEllipse(*m, EllipseParams{});
  EXPECT_EQ(*full.full, ModelTable::Nodes);
  EXPECT_EQ(m->nodeCount, kMaxNodes - 5) << "all of the ring or none of it";
  EXPECT_EQ(m->elementCount, 24);
}

}  // namespace
