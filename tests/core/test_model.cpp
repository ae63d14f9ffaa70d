#include <gtest/gtest.h>

#include <cstring>

#include "core/Fixtures.h"
#include "core/boundary/Codes.h"
#include "core/boundary/Physics.h"
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
    m.materialCount = 5;
    init ? ModelInit(*s) : ModelReset(*s);

    EXPECT_EQ(
        std::vector({m.nodeCount, m.elementCount, m.internalNodeCount, m.meshNodeCount, m.meshTriangleCount,
                     m.MeshFailureFlag, m.boundaryCount, m.bcCount, m.CurrentBoundary, m.CurrentBc,
                     m.BoundaryTable[1].kind, m.regionPointCount, m.materialCount}),
        std::vector({0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 0, 0}));
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
      {ModelTable::InternalNodes, 99,
       [](Model& t) {
         return AppendInternalNode(t, InternalNode{9, 9});
       }},
      {ModelTable::RegionPoints, 99,
       [](Model& t) {
         return AppendRegionPoint(t, RegionPoint{9, 9, 0, 0});
       }},
      {ModelTable::Materials, 99, [](Model& t) {
         return AppendMaterial(t, Material{"m", 1, 0});
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

// Mesh rows grow as written and are shared by copies until one writes: an
// undo step of a large mesh costs no copy of it, and a change stays in the
// copy that made it.
TEST(ModelStore, MeshRowsGrowAndAreSharedUntilWritten) {
  auto a = std::make_unique<Model>();
  const Model& reader = *a;
  EXPECT_EQ(reader.MeshNodeTable[12345].x, 0.0f) << "an unstored row reads as a zero row";
  EXPECT_EQ(reader.MeshNodeTable.storedRows(), 0);
  a->MeshTriangleTable.assign(std::vector<MeshTriangle>(300'000, MeshTriangle{1, 2, 3}));
  a->MeshNodeTable[3000] = MeshNode{1.5f, 2.5f};
  EXPECT_EQ(a->MeshNodeTable.storedRows(), 3000);
  const auto b = std::make_unique<Model>(*a);
  EXPECT_TRUE(b->MeshTriangleTable.sharesRowsWith(a->MeshTriangleTable));
  EXPECT_TRUE(b->MeshNodeTable.sharesRowsWith(a->MeshNodeTable));
  a->MeshNodeTable[3000].x = 7.0f;
  EXPECT_FALSE(b->MeshNodeTable.sharesRowsWith(a->MeshNodeTable));
  EXPECT_TRUE(b->MeshTriangleTable.sharesRowsWith(a->MeshTriangleTable)) << "the other table stays shared";
  EXPECT_EQ(std::pair(b->MeshNodeTable[3000].x, a->MeshNodeTable[3000].x), std::pair(1.5, 7.0));
  EXPECT_THROW((void)a->MeshNodeTable[kLargestMeshRows + 1], std::out_of_range);
  // A fast view of more rows than are stored, or of a table with none,
  // reads the missing ones (and those outside it) as zero rows.
  for (const auto& table : {a->MeshNodeTable, MeshTable<MeshNode>{}}) {
    const auto view = table.rows(5000);
    EXPECT_EQ(view.count(), 5000);
    EXPECT_EQ(view.stored().size(), size_t(table.storedRows()));
    EXPECT_EQ(view[3000].x, table.storedRows() > 0 ? 7.0f : 0.0f);
    for (int32_t outside : {0, -1, 4000, 5001}) EXPECT_EQ(view[outside].y, 0.0f) << outside;
  }
  EXPECT_EQ(a->MeshNodeTable.rows(2999).stored().size(), 2999u);
  EXPECT_EQ(a->MeshNodeTable.rows(2999)[3000].x, 0.0f) << "a row past the view's count";
  ResetModelData(*a);
  EXPECT_EQ(a->MeshTriangleTable.storedRows(), 0) << "a new project lets the mesh go";
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
                                                           {10, 3.0f, "podpora przesuwna"},
                                                           {10, 4.0f, ""},
                                                           {11, 1.0f, ""},
                                                           {1, 1.5f, ""},
                                                           {1, 1.0000001f, ""}};
  for (const auto& [problem, kind, word] : words) EXPECT_EQ(ConditionKindWord(problem, kind), word);
}

// Conditions and boundaries keep their tables dense: a deleted row takes
// the references above it one down, and row 1 and rows in use stay.
TEST(Physics, DeletionKeepsReferencesAndRefusesRowOneAndRowsInUse) {
  auto m = NewProject();
  for (float kind : {1.0f, 3.0f, 1.0f}) (void)AppendCondition(*m, BoundaryCondition{kind});
  for (int32_t kind : {2, 2}) (void)AppendBoundary(*m, Boundary{kind});
  for (const Element& e : {Element{1, 2, 1, 1}, Element{2, 3, 3, 3}, Element{3, 1, 4, 3}})
    (void)AppendElement(*m, e);
  m->CurrentBc = 4, m->CurrentBoundary = 2;
  const std::vector<std::pair<DeletionResult, DeletionResult>> steps = {
      {DeleteCondition(*m, 2), DeleteBoundary(*m, 2)},
      {DeleteCondition(*m, 1), DeleteBoundary(*m, 1)},
      {DeleteCondition(*m, 2), DeleteBoundary(*m, 2)},
      {DeleteCondition(*m, 9), DeleteBoundary(*m, 0)}};
  std::string results;
  for (const auto& [c, b] : steps) {
    for (const DeletionResult& r : {c, b}) results += "DFIN"[int(r.result)] + std::to_string(r.users) + " ";
  }
  EXPECT_EQ(results, "D0 D0 F0 F0 I1 I2 N0 N0 ");
  EXPECT_EQ(std::vector({m->bcCount, m->boundaryCount, m->CurrentBc, m->CurrentBoundary}),
            std::vector({3, 2, 3, 1}));
  EXPECT_EQ(std::vector({m->ElementTable[2].bcNumber, m->ElementTable[3].bcNumber,
                         m->ElementTable[3].boundaryNumber}),
            std::vector({2, 3, 2}));
  EXPECT_EQ(m->BcTable[2].kind, 3.0f);
  // Assignment passes over numbers that name no element and counts changes.
  EXPECT_EQ(AssignCondition(*m, {1, 3, 99, 0}, 3), 1);
  EXPECT_EQ(AssignBoundary(*m, {1, 2}, 2), 1);  // element 2 has it already
  EXPECT_EQ(std::vector({m->ElementTable[1].bcNumber, m->ElementTable[1].boundaryNumber}),
            std::vector({3, 2}));
}

// What a condition's values mean, by family and kind, as the lists and the
// legend say it.
TEST(Physics, ConditionsSpeakTheirFamilysLanguage) {
  const std::tuple<int32_t, BoundaryCondition, const char*> cases[] = {
      {1, {1, 100}, "nr 1, temperatura: T [°C] = 100"},
      {1, {3, 25, 20.5f}, "nr 1, konwekcja: α [W/(m²·K)] = 25, T∞ [°C] = 20,5"},
      {1, {1, 0.6f}, "nr 1, temperatura: T [°C] = 0,6"},  // the shortest text that reads back
      {1, {3, 123456.79f, 1e-7f}, "nr 1, konwekcja: α [W/(m²·K)] = 123456,79, T∞ [°C] = 1e-07"},
      {2, {2, -1}, "nr 1, strumień: j [A/m²] = -1"},
      {10, {1, 1000, 0}, "nr 1, obciążenie ciągłe: px [N/m] = 1000, py [N/m] = 0"},
      {10, {3, 2, 0.5f}, "nr 1, podpora przesuwna: składowa (1 – ux, 2 – uy) = 2, przemieszczenie [m] = 0,5"},
      {10,
       {4, 1, 2, 3, 4, 5, 6},
       "nr 1, kod 4: wartość 1 = 1, wartość 2 = 2, wartość 3 = 3, wartość 4 = 4, wartość 5 = 5, wartość 6 = "
       "6"},
  };
  for (const auto& [problem, condition, text] : cases)
    EXPECT_EQ(ConditionText(1, condition, problem, ','), text);
  EXPECT_EQ(ConditionKinds(10), std::vector<float>({1, 2, 3}));
  EXPECT_TRUE(ConditionKinds(11).empty() && ProblemName(11).empty());
  EXPECT_EQ(PropertyLabels(10)[1], "liczba Poissona ν");
}

}  // namespace
