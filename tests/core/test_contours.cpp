#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

#include "core/Fixtures.h"
#include "core/boundary/Codes.h"
#include "core/boundary/InternalNodes.h"
#include "core/edit/Contours.h"
#include "core/edit/NodeEditing.h"

namespace {

// Every element as "start-end", in order.
std::string Edges(const Model& m) {
  std::string out;
  for (int32_t i = 1; i <= m.elementCount; ++i) {
    out +=
        " " + std::to_string(m.ElementTable[i].startNode) + "-" + std::to_string(m.ElementTable[i].endNode);
  }
  return out;
}

// Runs the polyline tool's steps on a model and tells what is left, as
// tests/data/polyline-steps.txt describes.
std::string Steps(Model& m, EditState& edit, const std::string& script) {
  std::istringstream steps(script);
  std::string step, refused;
  while (steps >> step) {
    bool done = true;
    double x = 0, y = 0;
    if (step == "-") done = RemoveLastPoint(m, edit);
    if (step == "c") done = ClosePolyline(m, edit) == CloseResult::Closed;
    if (step == "e") EndPolyline(edit);
    if (step == "t") edit.editMode = EditMode::Polyline;
    if (step == "o") done = AddEllipse(m, EllipseParams{3, 1, 50, 50, 1}).done;
    if (std::sscanf(step.c_str(), "%lf,%lf", &x, &y) == 2) done = AddPolylinePoint(m, edit, x, y).done;
    const int32_t k = std::atoi(step.c_str() + 1);
    if (step[0] == 'd') done = DeleteNode(m, k, &edit) == NodeDeletion::Deleted;
    if (step[0] == 'x') done = DeleteElement(m, k, &edit);
    if (step == "m") done = RemoveDuplicateNodes(m, &edit) > 0;
    if (!done) refused += " " + step + "!";
  }
  const char* mode = edit.editMode == EditMode::Idle ? "idle"
                     : edit.PolylineStarted == 1     ? "drawing"
                                                     : "tool";
  return std::to_string(m.nodeCount) + ":" + Edges(m) + " | " + mode + refused;
}

std::string Steps(const std::string& script) {
  auto m = NewProject();
  EditState edit;
  edit.editMode = EditMode::Polyline;
  return Steps(*m, edit, script);
}

TEST(Polyline, StepsBuildOpenCloseAndShortenChains) {
  for (const std::string& line : DataLines("polyline-steps.txt")) {
    const size_t tab = line.find('\t');
    EXPECT_EQ(Steps(line.substr(0, tab)), line.substr(tab + 1)) << line.substr(0, tab);
  }
}

TEST(Polyline, ElementsCarryTheCurrentsAndTheWalkFollowsEitherDirection) {
  auto m = NewProject();
  m->CurrentBc = 3;
  m->CurrentBoundary = 2;
  EditState edit;
  EXPECT_EQ(Steps(*m, edit, "t 0,0 4,0"), "2: 1-2 | drawing");
  EXPECT_EQ(m->NodeTable[2].x, 4.0f);
  EXPECT_EQ(std::pair(m->ElementTable[1].bcNumber, m->ElementTable[1].boundaryNumber), std::pair(3, 2));
  // 1 -> 2 <- 3 -> 4 <- 5: the walk back from node 5 ends at node 1, and the
  // closing element runs from 5, since the last element does not start at 1.
  auto x = NewProject();
  for (int i = 0; i < 5; ++i) (void)AppendNode(*x, Node{float(i), 0});
  for (const Element& e : {Element{1, 2}, Element{3, 2}, Element{3, 4}, Element{5, 4}})
    (void)AppendElement(*x, e);
  EXPECT_EQ(ChainStart(*x), 1);
  EXPECT_EQ(Steps(*x, edit, "c"), "5: 1-2 3-2 3-4 5-4 5-1 | idle");
  // An element that came to use the polyline's last node keeps it there.
  auto u = NewProject();
  EXPECT_EQ(Steps(*u, edit, "t 0,0"), "1: | drawing");
  (void)AppendElement(*u, Element{1, 1, 1, 1});
  EXPECT_EQ(Steps(*u, edit, "-"), "1: 1-1 | drawing -!");
}

TEST(Polyline, FullTablesRefuseTheWholeStep) {
  auto n = NewProject();
  EditState edit;
  edit.editMode = EditMode::Polyline;
  while (n->nodeCount < kMaxNodes - 1) (void)AppendNode(*n, Node{});
  ASSERT_TRUE(AddPolylinePoint(*n, edit, 0, 0).done);
  EXPECT_EQ(AddPolylinePoint(*n, edit, 1, 1).full, ModelTable::Nodes);
  EXPECT_EQ(std::pair(n->nodeCount, n->elementCount), std::pair(kMaxNodes, 0));

  auto s = NewProject();
  while (s->elementCount < kMaxElements) (void)AppendElement(*s, Element{1, 1, 1, 1});
  ASSERT_TRUE(AddPolylinePoint(*s, edit, 0, 0).done);
  EXPECT_EQ(AddPolylinePoint(*s, edit, 1, 1).full, ModelTable::Elements);
  EXPECT_EQ(s->nodeCount, 1) << "the node of a refused click is not kept";

  auto c = NewProject();
  Steps(*c, edit, "0,0 1,0 1,1");
  while (c->elementCount < kMaxElements) (void)AppendElement(*c, Element{2, 2, 1, 1});
  c->ElementTable[kMaxElements] = Element{2, 3, 1, 1};
  EXPECT_EQ(ClosePolyline(*c, edit), CloseResult::Full);
  EXPECT_EQ(c->elementCount, kMaxElements);
}

TEST(Ellipse, DefaultRingRunsCounterClockwiseOnAnOuterBoundaryClockwiseOnAnInner) {
  auto m = NewProject();
  (void)AppendNode(*m, Node{});
  ASSERT_TRUE(AddEllipse(*m, EllipseParams{}).done);
  EXPECT_EQ(std::pair(m->nodeCount, m->elementCount), std::pair(19, 18));
  EXPECT_EQ(std::pair(m->NodeTable[2].x, m->NodeTable[2].y), std::pair(10.0f, 0.0f));
  EXPECT_NEAR(m->NodeTable[3].x, 9.397, 1e-3);
  EXPECT_NEAR(m->NodeTable[3].y, 3.420, 1e-3);
  EXPECT_EQ(Edges(*m).substr(0, 4) + Edges(*m).substr(Edges(*m).size() - 5), " 2-3 19-2");

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
  EXPECT_EQ(std::pair(m->nodeCount, m->elementCount), std::pair(kMaxNodes - 5, 24))
      << "all of the ring or none";
}

}  // namespace

namespace {

std::unique_ptr<Model> Nodes(std::initializer_list<Node> nodes, std::initializer_list<Element> elements) {
  auto m = NewProject();
  for (const Node& n : nodes) (void)AppendNode(*m, n);
  for (const Element& e : elements) (void)AppendElement(*m, e);
  return m;
}

TEST(Editing, DeletionsKeepTablesDenseAndReferencesRight) {
  auto m = Nodes({{1, 0}, {2, 0}, {3, 0}, {4, 0}}, {{1, 2}, {2, 3}});
  std::vector<NodeDeletion> results;
  for (int32_t k : {4, 2, 0, 4}) results.push_back(DeleteNode(*m, k));
  using D = NodeDeletion;
  EXPECT_EQ(results, std::vector({D::Deleted, D::InUse, D::NoSuchNode, D::NoSuchNode}));
  EXPECT_EQ(m->nodeCount, 3);
  // Node 1 goes; element 3 -> 4 follows its points, now 2 -> 3.
  auto n = Nodes({{1, 0}, {2, 0}, {3, 0}, {4, 0}}, {{3, 4}});
  ASSERT_EQ(DeleteNode(*n, 1), NodeDeletion::Deleted);
  EXPECT_EQ(Edges(*n), " 2-3");
  EXPECT_EQ(std::pair(n->NodeTable[2].x, n->NodeTable[3].x), std::pair(3.0f, 4.0f));
  // Element 1 of three goes; the others move down with all four fields.
  auto e = Nodes({{0, 0}, {1, 0}, {2, 0}}, {{1, 2, 1, 1}, {2, 3, 4, 2}, {3, 1, 5, 3}});
  EXPECT_FALSE(DeleteElement(*e, 4));
  ASSERT_TRUE(DeleteElement(*e, 1));
  EXPECT_EQ(Edges(*e), " 2-3 3-1");
  EXPECT_EQ(std::vector({e->ElementTable[2].bcNumber, e->ElementTable[2].boundaryNumber, e->nodeCount}),
            std::vector({5, 3, 3}));
  // Internal node 2 of 5 goes; 3, 4 and 5 become 2, 3 and 4.
  for (int i = 1; i <= 5; ++i) (void)AppendInternalNode(*e, InternalNode{float(i), 0});
  EXPECT_FALSE(DeleteInternalNode(*e, 6));
  ASSERT_TRUE(DeleteInternalNode(*e, 2));
  EXPECT_EQ(std::vector({e->InternalNodeTable[2].x, e->InternalNodeTable[4].x}), std::vector({3.0f, 5.0f}));
  EXPECT_EQ(e->internalNodeCount, 4);
}

TEST(Editing, DuplicateNodesMergeIntoTheFirstOfThem) {
  // A double click: nodes 5 and 6 on one point, elements 5 -> 6 and 6 -> 7.
  auto m = Nodes({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 4}, {4, 4}, {5, 5}}, {{5, 6}, {6, 7}});
  EXPECT_EQ(RemoveDuplicateNodes(*m), 1);
  EXPECT_EQ(Edges(*m), " 5-5 5-6");
  EXPECT_EQ(std::pair(m->nodeCount, m->NodeTable[6].x), std::pair(6, 5.0f));
  // The node that moves into a merged row is compared too; no tolerance.
  auto n = Nodes({{1, 1}, {2, 2}, {1, 1}, {1, 1}, {1.0001f, 1}}, {});
  EXPECT_EQ(RemoveDuplicateNodes(*n), 2);
  EXPECT_EQ(n->nodeCount, 3);
  EXPECT_EQ(RemoveDuplicateNodes(*n), 0);
}

TEST(Editing, AClickPicksInternalNodesWithinFivePercentOnEachAxis) {
  const std::tuple<float, float, double, double, bool> picks[] = {
      {10.4f, 9.7f, 10, 10, true},
      {10.6f, 10, 10, 10, false},
      {104, 96, 100, 100, true},
      {-10.4f, -9.7f, -10, -10, true},
      {-10.6f, -10, -10, -10, false},  // below zero too
      {0, 5, 0, 5, true},
      {0.1f, 5, 0, 5, false}};
  for (const auto& [x, y, px, py, picked] : picks)
    EXPECT_EQ(PickedByClick(x, y, px, py), picked) << x << ", " << y;
}

}  // namespace
