#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "boundary/Codes.h"
#include "state/AppState.h"

namespace {

void ExpectEmptyProject(const Model& m) {
  for (int32_t count : {m.nodeCount, m.elementCount, m.internalNodeCount, m.meshNodeCount,
                        m.meshTriangleCount, m.MeshFailureFlag}) {
    EXPECT_EQ(count, 0);
  }
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

// Init and reset bring back the same defaults from a state changed in every
// part; they differ in the problem kind and in what they leave alone.
TEST(ModelStore, InitAndResetRestoreTheDefaultsOfAllFourParts) {
  for (const bool init : {true, false}) {
    auto s = std::make_unique<AppState>();
    ModelInit(*s);
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
    m.SelectedNumber = 5;
    s->view = ViewTransform{8.5f, 0.5f, 3, 0, 1, 2, 3, 4, 5, 6, 7, 8};
    s->display.showElementNumbers = 1;
    s->edit.editMode = EditMode::Polyline;
    s->edit.PolylineStarted = 1;
    s->edit.polyline.push_back({299, 0});

    init ? ModelInit(*s) : ModelReset(*s);

    ExpectEmptyProject(m);
    EXPECT_EQ(m.ProblemKind, init ? 10 : 1);
    EXPECT_EQ(m.SelectedNumber, init ? 0 : 5) << "a reset leaves the selection alone";
    EXPECT_EQ(m.CaptionText, "Vendrel korbel v1.0 /tmp/a.vdk") << "the caption is the caller's";
    ViewTransform defaults;
    defaults.scale = 8.5f;  // stays usable until the next repaint
    EXPECT_EQ(s->view, defaults);
    EXPECT_EQ(s->display, DisplaySettings{});
    EXPECT_EQ(s->edit.editMode, EditMode::Idle);
    EXPECT_EQ(s->edit.PolylineStarted, 0);
    EXPECT_TRUE(s->edit.polyline.empty());
  }
}

TEST(ModelStore, AppendsNumberFromOneAndRefusePastCapacityLeavingTableUntouched) {
  auto m = std::make_unique<Model>();
  ResetModelData(*m);
  EXPECT_EQ(AppendNode(*m, Node{0.5f, 1.5f}), 1);
  EXPECT_EQ(m->NodeTable[1].x, 0.5f);
  EXPECT_EQ(AppendBoundary(*m, Boundary{2}), 2) << "boundary 1 exists from the reset";
  EXPECT_EQ(AppendCondition(*m, BoundaryCondition{}), 2);

  // Each table is filled with one value, then one more row is refused and
  // the table's bytes stay as they were.
  struct Case {
    ModelTable table;
    int32_t capacity;
    int32_t (*append)(Model&);
    const int32_t* count;
    const void* rows;
    size_t size;
  };
  Model& x = *m;
  const Case cases[] = {
      {ModelTable::Nodes, 299,
       [](Model& t) {
         return AppendNode(t, Node{9, 9});
       },
       &x.nodeCount, &x.NodeTable, sizeof x.NodeTable},
      {ModelTable::Elements, 499,
       [](Model& t) {
         return AppendElement(t, Element{1, 1, 1, 1});
       },
       &x.elementCount, &x.ElementTable, sizeof x.ElementTable},
      {ModelTable::Boundaries, 19, [](Model& t) { return AppendBoundary(t, Boundary{1}); }, &x.boundaryCount,
       &x.BoundaryTable, sizeof x.BoundaryTable},
      {ModelTable::Conditions, 99, [](Model& t) { return AppendCondition(t, BoundaryCondition{1}); },
       &x.bcCount, &x.BcTable, sizeof x.BcTable},
      {ModelTable::InternalNodes, 99,
       [](Model& t) {
         return AppendInternalNode(t, InternalNode{9, 9});
       },
       &x.internalNodeCount, &x.InternalNodeTable, sizeof x.InternalNodeTable},
  };
  for (const Case& c : cases) {
    while (*c.count < c.capacity) ASSERT_EQ(c.append(x), *c.count);
    EXPECT_EQ(FreeRows(x, c.table), 0);
    const auto before = std::make_unique<Model>(x);
    const auto offset = static_cast<const char*>(c.rows) - reinterpret_cast<const char*>(&x);
    EXPECT_EQ(c.append(x), 0);
    EXPECT_EQ(*c.count, c.capacity);
    EXPECT_EQ(std::memcmp(reinterpret_cast<const char*>(before.get()) + offset, c.rows, c.size), 0);
    EXPECT_FALSE(CapacityMessage(c.table).empty());
  }
  EXPECT_THROW((void)m->NodeTable[300], std::out_of_range);
  EXPECT_THROW((void)m->MeshTriangleTable[-1], std::out_of_range);
  EXPECT_NO_THROW((void)m->MeshTriangleTable[1999]);
}

TEST(Codes, FamiliesBoundaryWordsAndConditionWordsCompareExactly) {
  for (int32_t kind : {1, 3, -4}) EXPECT_TRUE(IsPotentialFamily(kind)) << kind;
  EXPECT_FALSE(IsPotentialFamily(10));
  EXPECT_FALSE(IsPotentialFamily(11));
  EXPECT_TRUE(IsDiscFamily(10));
  EXPECT_FALSE(IsDiscFamily(11));

  EXPECT_EQ(BoundaryKindWord(1), "zewnętrzny");
  EXPECT_EQ(BoundaryKindWord(2), "wewnętrzny");
  EXPECT_EQ(BoundaryKindWord(3), "");

  const std::tuple<int32_t, float, const char*> words[] = {{1, 1.0f, "temperatura"},
                                                           {2, 2.0f, "strumień"},
                                                           {3, 3.0f, "konwekcja"},
                                                           {10, 1.0f, "obciążenie ciągłe"},
                                                           {10, 2.0f, "przemieszczenie"},
                                                           {10, 3.0f, ""},  // no disc convection
                                                           {11, 1.0f, ""},
                                                           {1, 1.5f, ""},
                                                           {1, 1.0000001f, ""}};
  for (const auto& [problem, kind, word] : words) EXPECT_EQ(ConditionKindWord(problem, kind), word);
}

}  // namespace
