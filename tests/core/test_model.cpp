#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "boundary/Codes.h"
#include "edit/EditState.h"
#include "model/Model.h"
#include "view/DisplaySettings.h"
#include "view/ViewTransform.h"

namespace {

struct State {
  Model model;
  ViewTransform view;
  DisplaySettings display;
  EditState edit;
};

void ExpectEmptyProject(const Model& m) {
  EXPECT_EQ(m.nodeCount, 0);
  EXPECT_EQ(m.elementCount, 0);
  EXPECT_EQ(m.internalNodeCount, 0);
  EXPECT_EQ(m.meshNodeCount, 0);
  EXPECT_EQ(m.meshTriangleCount, 0);
  EXPECT_EQ(m.MeshFailureFlag, 0);
  ASSERT_EQ(m.boundaryCount, 1);
  EXPECT_EQ(m.BoundaryTable[1].kind, 1);
  ASSERT_EQ(m.bcCount, 1);
  const BoundaryCondition& c = m.BcTable[1];
  EXPECT_EQ(c.kind, 2.0f);
  for (float v : {c.value1, c.value2, c.value3, c.value4, c.value5, c.value6}) EXPECT_EQ(v, 0.0f);
  EXPECT_EQ(m.CurrentBoundary, 1);
  EXPECT_EQ(m.CurrentBc, 1);
  EXPECT_EQ(m.Conductivity, 1.0f);
  EXPECT_EQ(m.SecondProperty, 0.0f);
}

TEST(ModelStore, InitGivesStartUpModelAndDefaultsOfViewAndTools) {
  auto s = std::make_unique<State>();
  s->view.viewXMin = 7;
  s->display.showNodes = 0;
  s->edit.editMode = EditMode::Polyline;
  ModelInit(s->model, s->view, s->display, s->edit);

  ExpectEmptyProject(s->model);
  EXPECT_EQ(s->model.ProblemKind, 10);
  EXPECT_EQ(s->model.SelectedNumber, 0);
  EXPECT_EQ(s->view.gridDx, 2.0f);
  EXPECT_EQ(s->view.gridDy, 2.0f);
  EXPECT_EQ(s->view.gridShown, 1);
  EXPECT_EQ(s->view.viewXMin, 0.0f);
  EXPECT_EQ(s->view.viewYMin, 0.0f);
  EXPECT_EQ(s->view.viewXMax, 50.0f);
  EXPECT_EQ(s->view.viewYMax, 50.0f);
  EXPECT_EQ(s->view.marginLeft, 10);
  EXPECT_EQ(s->view.marginRight, 10);
  EXPECT_EQ(s->view.marginTop, 20);
  EXPECT_EQ(s->view.marginBottom, 40);
  EXPECT_EQ(s->display.showNodes, 1);
  EXPECT_EQ(s->display.showElements, 1);
  EXPECT_EQ(s->display.showNodeNumbers, 0);
  EXPECT_EQ(s->display.showElementNumbers, 0);
  EXPECT_EQ(s->display.showInternalNodes, 1);
  EXPECT_EQ(s->edit.editMode, EditMode::Idle);
  EXPECT_EQ(s->edit.PolylineStarted, 0);
}

TEST(ModelStore, ResetEmptiesAFullModelAndSetsProblemKindOne) {
  auto s = std::make_unique<State>();
  ModelInit(s->model, s->view, s->display, s->edit);
  Model& m = s->model;
  m.CaptionText = "Vendrel korbel v1.0 /tmp/a.vdk";
  while (AppendNode(m, Node{1, 2}) != 0) {
  }
  ASSERT_NE(AppendElement(m, Element{1, 2, 3, 2}), 0);
  ASSERT_NE(AppendBoundary(m, Boundary{2}), 0);
  ASSERT_NE(AppendCondition(m, BoundaryCondition{1, 5, 5, 5, 5, 5, 5}), 0);
  ASSERT_NE(AppendInternalNode(m, InternalNode{3, 3}), 0);
  m.BcTable[1].value3 = 9;
  m.BoundaryTable[1].kind = 2;
  m.meshNodeCount = 3;
  m.meshTriangleCount = 1;
  m.MeshFailureFlag = 1;
  m.CurrentBc = 2;
  m.Conductivity = 4;
  m.SecondProperty = 4;
  s->view.scale = 8.5f;
  s->view.gridDx = 0.5f;
  s->view.gridShown = 0;
  s->display.showElementNumbers = 1;
  s->edit.editMode = EditMode::Polyline;
  s->edit.PolylineStarted = 1;

  ModelReset(m, s->view, s->display, s->edit);

  ExpectEmptyProject(m);
  EXPECT_EQ(m.ProblemKind, 1);
  EXPECT_EQ(m.CaptionText, "Vendrel korbel v1.0 /tmp/a.vdk") << "the caption is the caller's";
  EXPECT_EQ(s->view.gridDx, 2.0f);
  EXPECT_EQ(s->view.gridShown, 1);
  EXPECT_EQ(s->view.scale, 8.5f) << "the scale stays usable until the next repaint";
  EXPECT_EQ(s->display.showElementNumbers, 0);
  EXPECT_EQ(s->edit.editMode, EditMode::Idle);
  EXPECT_EQ(s->edit.PolylineStarted, 0);
}

TEST(ModelStore, AppendsNumberFromOneAndRefusePastCapacityLeavingTableUntouched) {
  auto m = std::make_unique<Model>();
  ResetModelData(*m);
  EXPECT_EQ(AppendNode(*m, Node{0.5f, 1.5f}), 1);
  EXPECT_EQ(m->NodeTable[1].x, 0.5f);
  EXPECT_EQ(AppendBoundary(*m, Boundary{2}), 2) << "boundary 1 exists from the reset";
  EXPECT_EQ(AppendCondition(*m, BoundaryCondition{}), 2);

  struct Case {
    ModelTable table;
    int32_t capacity;
    int32_t (*append)(Model&);
    const int32_t* count;
  };
  const Case cases[] = {
      {ModelTable::Nodes, 299,
       [](Model& x) {
         return AppendNode(x, Node{9, 9});
       },
       &m->nodeCount},
      {ModelTable::Elements, 499,
       [](Model& x) {
         return AppendElement(x, Element{1, 1, 1, 1});
       },
       &m->elementCount},
      {ModelTable::Boundaries, 19, [](Model& x) { return AppendBoundary(x, Boundary{1}); },
       &m->boundaryCount},
      {ModelTable::Conditions, 99, [](Model& x) { return AppendCondition(x, BoundaryCondition{1}); },
       &m->bcCount},
      {ModelTable::InternalNodes, 99,
       [](Model& x) {
         return AppendInternalNode(x, InternalNode{9, 9});
       },
       &m->internalNodeCount},
  };
  for (const Case& c : cases) {
    while (*c.count < c.capacity) ASSERT_EQ(c.append(*m), *c.count);
    EXPECT_EQ(FreeRows(*m, c.table), 0);
    const Model before = *m;
    EXPECT_EQ(c.append(*m), 0);
    EXPECT_EQ(*c.count, c.capacity);
    EXPECT_EQ(std::memcmp(&before.NodeTable, &m->NodeTable, sizeof m->NodeTable), 0);
    EXPECT_FALSE(CapacityMessage(c.table).empty());
  }
  EXPECT_THROW((void)m->NodeTable[300], std::out_of_range);
  EXPECT_THROW((void)m->MeshTriangleTable[-1], std::out_of_range);
  EXPECT_NO_THROW((void)m->MeshTriangleTable[1999]);
}

TEST(Codes, FamiliesBoundaryWordsAndConditionWordsCompareExactly) {
  EXPECT_TRUE(IsPotentialFamily(1));
  EXPECT_TRUE(IsPotentialFamily(3));
  EXPECT_TRUE(IsPotentialFamily(-4));
  EXPECT_FALSE(IsPotentialFamily(10));
  EXPECT_TRUE(IsDiscFamily(10));
  EXPECT_FALSE(IsDiscFamily(11));
  EXPECT_FALSE(IsPotentialFamily(11));

  EXPECT_EQ(BoundaryKindWord(1), "zewnętrzny");
  EXPECT_EQ(BoundaryKindWord(2), "wewnętrzny");
  EXPECT_EQ(BoundaryKindWord(3), "");

  EXPECT_EQ(ConditionKindWord(1, 1.0f), "temperatura");
  EXPECT_EQ(ConditionKindWord(2, 2.0f), "strumień");
  EXPECT_EQ(ConditionKindWord(3, 3.0f), "konwekcja");
  EXPECT_EQ(ConditionKindWord(10, 1.0f), "obciążenie ciągłe");
  EXPECT_EQ(ConditionKindWord(10, 2.0f), "przemieszczenie");
  EXPECT_EQ(ConditionKindWord(10, 3.0f), "") << "the disc has no convection";
  EXPECT_EQ(ConditionKindWord(11, 1.0f), "");
  EXPECT_EQ(ConditionKindWord(1, 1.5f), "");
  EXPECT_EQ(ConditionKindWord(1, 1.0000001f), "");
}

}  // namespace
