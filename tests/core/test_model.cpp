#include <gtest/gtest.h>

#include <cstring>

#include "core/Fixtures.h"
#include "core/boundary/Codes.h"
#include "core/state/AppState.h"
#include "core/state/History.h"

namespace {

// Init and reset bring back the same defaults from a state where every
// byte of the model's numbers, the view and the switches is changed; they
// differ in the problem kind and in what they leave alone.
TEST(ModelStore, InitAndResetRestoreTheDefaultsOfAllFourParts) {
  for (const bool init : {true, false}) {
    auto s = std::make_unique<AppState>();
    Model& m = s->model;
    m.CaptionText = "Vendrel korbel v1.0 /tmp/a.vdk";
    std::memset(static_cast<void*>(&m), 0x11,
                size_t(reinterpret_cast<char*>(&m.CaptionText) - reinterpret_cast<char*>(&m)));
    std::memset(static_cast<void*>(&s->view), 0x11, sizeof s->view);
    std::memset(static_cast<void*>(&s->display), 0x11, sizeof s->display);
    s->edit.editMode = EditMode::Polyline;
    s->edit.PolylineStarted = 1;
    s->edit.polyline.push_back({299, 0});

    init ? ModelInit(*s) : ModelReset(*s);

    EXPECT_EQ(std::vector({m.nodeCount, m.elementCount, m.internalNodeCount, m.meshNodeCount,
                           m.meshTriangleCount, m.MeshFailureFlag, m.boundaryCount, m.bcCount,
                           m.CurrentBoundary, m.CurrentBc, m.BoundaryTable[1].kind}),
              std::vector({0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1}));
    const BoundaryCondition& c = m.BcTable[1];
    EXPECT_EQ(std::vector({c.kind, c.value1, c.value2, c.value3, c.value4, c.value5, c.value6, m.Conductivity,
                           m.SecondProperty}),
              std::vector({2.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f}));
    EXPECT_EQ(m.ProblemKind, init ? 10 : 1);
    EXPECT_EQ(m.SelectedNumber, init ? 0 : 0x11111111) << "a reset leaves the selection alone";
    EXPECT_EQ(m.CaptionText, "Vendrel korbel v1.0 /tmp/a.vdk") << "the caption is the caller's";
    ViewTransform defaults;
    std::memset(&defaults.scale, 0x11, sizeof defaults.scale);  // stays usable until the next repaint
    EXPECT_EQ(s->view, defaults);
    EXPECT_EQ(s->display, DisplaySettings{});
    EXPECT_TRUE(s->edit.editMode == EditMode::Idle && s->edit.PolylineStarted == 0 &&
                s->edit.polyline.empty());
  }
}

// Each table is filled, then one more row is refused and nothing of the
// model changes.
TEST(ModelStore, AppendsNumberFromOneAndRefusePastCapacityLeavingTheModelUntouched) {
  auto m = NewProject();
  Model& x = *m;
  EXPECT_EQ(AppendNode(x, Node{0.5f, 1.5f}), 1);
  EXPECT_EQ(x.NodeTable[1].x, 0.5f);
  EXPECT_EQ(AppendBoundary(x, Boundary{2}), 2) << "boundary 1 exists from the reset";
  EXPECT_EQ(AppendCondition(x, BoundaryCondition{}), 2);
  const std::tuple<ModelTable, int32_t, int32_t (*)(Model&)> tables[] = {
      {ModelTable::Nodes, 299,
       [](Model& t) {
         return AppendNode(t, Node{9, 9});
       }},
      {ModelTable::Elements, 499,
       [](Model& t) {
         return AppendElement(t, Element{1, 1, 1, 1});
       }},
      {ModelTable::Boundaries, 19, [](Model& t) { return AppendBoundary(t, Boundary{1}); }},
      {ModelTable::Conditions, 99, [](Model& t) { return AppendCondition(t, BoundaryCondition{1}); }},
      {ModelTable::InternalNodes, 99, [](Model& t) {
         return AppendInternalNode(t, InternalNode{9, 9});
       }}};
  // The model's bytes before its one member that owns memory elsewhere.
  const size_t bytes =
      size_t(reinterpret_cast<const char*>(&x.CaptionText) - reinterpret_cast<const char*>(&x));
  for (const auto& [table, capacity, append] : tables) {
    for (int32_t row = capacity - FreeRows(x, table) + 1; row <= capacity; ++row) ASSERT_EQ(append(x), row);
    const auto before = std::make_unique<Model>(x);
    EXPECT_EQ(append(x), 0);
    EXPECT_EQ(std::memcmp(before.get(), &x, bytes), 0);
    EXPECT_EQ(FreeRows(x, table), 0);
    EXPECT_FALSE(CapacityMessage(table).empty());
  }
  EXPECT_THROW((void)x.NodeTable[300], std::out_of_range);
  EXPECT_THROW((void)x.MeshTriangleTable[-1], std::out_of_range);
  EXPECT_NO_THROW((void)x.MeshTriangleTable[1999]);
}

// A hundred steps are kept, the oldest dropped first; a step gives back
// every bit, stale rows too, and the caption only if it changed it.
TEST(History, KeepsAHundredStepsAndGivesBackEveryBit) {
  auto m = NewProject();
  m->CaptionText = "first";
  History h;
  const auto first = std::make_unique<Model>(*m);
  for (int i = 1; i <= 101; ++i) {
    h.record("step " + std::to_string(i), *m);
    m->NodeTable[kMaxNodes].x = float(i);  // a row past the counter
    m->nodeCount = i % 7;
  }
  EXPECT_EQ(h.undoName(), "step 101");
  const auto last = std::make_unique<Model>(*m);
  int undone = 0;
  while (h.undo(*m)) ++undone;
  EXPECT_EQ(undone, 100);
  EXPECT_EQ(m->NodeTable[kMaxNodes].x, 1.0f);  // as after step 1: the state before it is gone
  EXPECT_FALSE(SameModel(*m, *first));
  while (h.redo(*m)) {
  }
  EXPECT_TRUE(SameModel(*m, *last));
  EXPECT_FALSE(h.canRedo());

  h.record("nowy projekt", *m, true);
  m->CaptionText = "second";
  h.record("zmiana", *m);
  m->nodeCount = 0;
  m->CaptionText = "saved";  // a save after the change renames the project
  ASSERT_TRUE(h.undo(*m));
  EXPECT_EQ(m->CaptionText, "saved");
  ASSERT_TRUE(h.undo(*m));
  EXPECT_EQ(m->CaptionText, "first");
  h.record("again", *m);
  EXPECT_FALSE(h.canRedo());

  // The clean state is found again by undo and redo, lost when a new step
  // replaces the steps undone past it, and dropped with the oldest step.
  History c;
  std::string marks;
  const auto mark = [&] { marks += c.isClean() ? '-' : '*'; };
  mark();
  c.record("a", *m);
  mark();
  c.undo(*m), mark();
  c.redo(*m), c.markClean(), c.undo(*m), mark();
  c.record("b", *m), mark();
  c.undo(*m), mark();
  c.markClean();
  for (size_t i = 0; i <= History::kSteps; ++i) c.record("c", *m);
  while (c.undo(*m)) mark();
  EXPECT_EQ(marks, "-*-**" + std::string(1 + History::kSteps, '*'));
}

TEST(Codes, FamiliesBoundaryWordsAndConditionWordsCompareExactly) {
  for (int32_t kind : {1, 3, -4}) EXPECT_TRUE(IsPotentialFamily(kind) && !IsDiscFamily(kind)) << kind;
  EXPECT_TRUE(!IsPotentialFamily(10) && IsDiscFamily(10));
  EXPECT_FALSE(IsPotentialFamily(11) || IsDiscFamily(11));
  EXPECT_EQ(std::vector({BoundaryKindWord(1), BoundaryKindWord(2), BoundaryKindWord(3)}),
            std::vector<std::string_view>({"zewnętrzny", "wewnętrzny", ""}));
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
