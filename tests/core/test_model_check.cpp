// The model check: one model per finding, a clean one with none, and the
// region weighed against the output limit.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <tuple>

#include "Fixtures.h"
#include "core/files/ProjectFile.h"
#include "core/mesh/GenerationReport.h"
#include "core/text/NumberText.h"

namespace {

// "n x y" a node, "e a b" an element, "h x y" an internal node, "r x y
// material area" a region point, "c x y x y ... ;" a closed contour; "inf"
// is infinity.
std::unique_ptr<Model> Build(const std::string& script) {
  auto m = NewProject();
  std::istringstream in(script);
  const auto number = [&] {
    std::string t;
    in >> t;
    return t == "inf" ? INFINITY : std::stof(t);
  };
  for (std::string op; in >> op;) {
    if (op == "n") {
      const float x = number();
      (void)AppendNode(*m, Node{x, number()});
    } else if (op == "h") {
      const float x = number();
      (void)AppendInternalNode(*m, InternalNode{x, number()});
    } else if (op == "r") {
      const float x = number(), y = number();
      int32_t material = 0;
      in >> material;
      while (m->materialCount < material) (void)AppendMaterial(*m, Material{"m", 1.0f, 0.0f});
      (void)AppendRegionPoint(*m, RegionPoint{x, y, material, number()});
    } else if (op == "e") {
      int32_t a = 0, b = 0;
      in >> a >> b;
      (void)AppendElement(*m, Element{a, b, 1, 1});
    } else if (op == "c") {
      const int32_t first = m->nodeCount + 1;
      for (std::string t; in >> t && t != ";";) (void)AppendNode(*m, Node{std::stof(t), number()});
      for (int32_t i = first; i <= m->nodeCount; ++i) {
        (void)AppendElement(*m, Element{i, i < m->nodeCount ? i + 1 : first, 1, 1});
      }
    }
  }
  return m;
}

// "kind n1,2 e3 h1" per finding, "!" after the kind of an error, joined by
// "; ".
std::string Summary(const std::vector<Finding>& findings) {
  static const char* kinds[] = {"notfinite", "missing",    "fewpoints",     "toofine",
                                "mesher",    "crossing",   "open",          "inregion",
                                "onelement", "double",     "zero",          "branch",
                                "outside",   "regionhole", "regionoutside", "regionsdiffer"};
  std::string s;
  const auto list = [&](char tag, const std::vector<int32_t>& v) {
    for (size_t i = 0; i < v.size(); ++i) s += (i ? "," : std::string(" ") + tag) + std::to_string(v[i]);
  };
  for (const Finding& f : findings) {
    if (!s.empty()) s += "; ";
    s += kinds[int(f.kind)] + std::string(f.severity == Severity::Error ? "!" : "");
    list('n', f.nodes);
    list('e', f.elements);
    list('h', f.internalNodes);
    list('r', f.regionPoints);
    EXPECT_FALSE(f.text.empty());
  }
  return s;
}

MesherOptions Mesher() {
  MesherOptions o;
  o.helperPath = MESHER_PATH;
  return o;
}

constexpr const char* kSquare = "c 0 0 10 0 10 10 0 10 ; ";

// One planted cause per model, on a plate that meshes: the first finding
// names it, nothing else is called an error, and a model that meshes has no
// error at all.
TEST(ModelCheck, NamesThePlantedCauseFirstAndErrorsOnlyWhatStopsTheMesh) {
  const MesherOptions mesher = Mesher();
  const struct {
    const char* cause;
    std::string model;
    double area;
    std::string found;
  } cases[] = {
      {"nothing", std::string(kSquare) + "c 3 3 7 3 7 7 3 7 ; h 5 5", 10, ""},
      {"crossing", "c 0 0 10 10 10 0 0 10 ;", 10, "crossing e1,3"},
      {"touching", std::string(kSquare) + "n 5 5 n 5 0 e 5 6", 10, "crossing e1,5; open n5 e5"},
      {"overlap", std::string(kSquare) + "n 2 0 n 8 0 e 5 6", 10, "crossing e1,5"},
      {"open end", "n 0 0 n 10 0 n 10 10 n 0 10 e 1 2 e 2 3 e 3 4", 10, "open! n1,4 e1,3"},
      {"double node", "n 0 0 n 10 0 n 10 10 n 0 10 n 0 0 e 1 2 e 2 3 e 3 4 e 4 5", 10, "double n1,5"},
      {"zero length", std::string(kSquare) + "e 2 2", 10, "zero n2 e5"},
      {"three-way node", "c 0 0 5 0 10 0 10 10 5 10 0 10 ; e 2 5", 10, "branch n2 e1,2,7; branch n5 e4,5,7"},
      {"hole point outside", std::string(kSquare) + "h 20 20", 10, "outside h1"},
      {"hole point in the region", std::string(kSquare) + "h 5 5", 10, "inregion! h1"},
      {"area too small", kSquare, 0.001, "toofine!"},
      {"non-finite", "c 0 0 inf 0 10 10 0 10 ; h 1 inf", 10, "notfinite! n2; notfinite! h1"},
      {"missing node", std::string(kSquare) + "e 1 9", 10, "missing! e5"},
      {"hole point on an element", std::string(kSquare) + "h 5 0", 10, "onelement e1 h1"},
      // A contour of repeated nodes, on which the mesher would end in an error.
      {"nodes on two points", "c 0 0 5 0 0 0 ;", 10, "fewpoints! n1,2,3; crossing e1,2; double n1,3 e3"},
      {"nodes on one point", "c 1 1 1 1 1 1 ;", 10, "fewpoints! n1,2,3; double n1,2,3 e1,2,3"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Summary(CheckModel(*Build(c.model), c.area, '.', &mesher)), c.found) << c.cause;
  }
  EXPECT_EQ(
      CheckModel(*Build("c 0 0 2.5 0 0 0 ;"), 10, ',', &mesher)[0].text,
      "Wszystkie węzły leżą w dwóch punktach: węzły 1 i 3 w punkcie (0; 0) i węzeł 2 w punkcie (2,5; 0). "
      "Kontur z powtórzonymi węzłami nie otacza żadnego obszaru. Przesuń węzły („Zmień > Współrzędne "
      "węzła”), tak by kontur otaczał obszar.");
  // Without a mesher nothing is known of the mesh: what may stop it is an error.
  EXPECT_EQ(Summary(CheckModel(*Build("c 0 0 10 10 10 0 0 10 ;"), 10)), "crossing! e1,3");
}

// Region points, and hole points, are placed by the faces the elements
// bound, so a wall of two layers (three elements at each end of the
// interface) has two regions and a hole's island is a region of its own.
TEST(ModelCheck, RegionPointsInHolesOutsideOrAtOdds) {
  const std::string wall = "c 0 0 5 0 10 0 10 10 5 10 0 10 ; e 2 5 ";
  const std::string branches = "branch n2 e1,2,7; branch n5 e4,5,7";
  const std::string holed = std::string(kSquare) + "c 3 3 7 3 7 7 3 7 ; c 4 4 6 4 6 6 4 6 ; h 3.5 3.5 ";
  const std::pair<std::string, std::string> cases[] = {
      {wall + "r 2 5 1 0 r 7 5 2 0.5", branches},
      {wall + "r 2 5 1 0 r 7 5 2 0 r 3 3 1 0 r 8 1 2 0", branches},
      {wall + "r 2 5 1 0 r 3 3 2 0", branches + "; regionsdiffer r1,2"},
      {wall + "r 2 5 1 0 r 7 5 2 0 r 3 3 1 0.5 r 9 9 2 0", branches + "; regionsdiffer r1,3"},
      {wall + "r 20 5 1 0 r -1 5 1 0 r 2 5 1 0", branches + "; regionoutside r1; regionoutside r2"},
      {holed + "r 5 5 1 0 r 1 1 1 0 r 3.6 3.6 1 0", "regionhole h1 r3"},
      {holed + "r 6.5 3.5 1 0", "regionhole h1 r1"},
      {"c 0 0 0 10 10 10 10 0 ; r 5 5 1 0 r 5 6 1 0 r 11 5 1 0", "regionoutside r3"},
      {"c 0 0 10 10 10 0 0 10 ; r 20 20 1 0", "crossing! e1,3"},
      // Hole points among branched contours, weighed by the same faces.
      {wall + "c 1 4 2 4 2 6 1 6 ; h 1.5 5 r 1.5 5.5 1 0", branches + "; regionhole h1 r1"},
      {wall + "c 1 4 2 4 2 6 1 6 ; h 3 5", "inregion! h1; " + branches},
      {wall + "h 20 20", branches + "; outside h1"},
  };
  for (const auto& [model, found] : cases) EXPECT_EQ(Summary(CheckModel(*Build(model), 10)), found) << model;
  const std::pair<std::string, std::string> texts[] = {
      {wall + "r 2 5 1 0 r 3 3.5 2 0.5",
       "Punkty obszaru 1 (2; 5) i 2 (3; 3,5) leżą w jednym obszarze, a mają różny materiał (1 i 2) i różne "
       "największe pole trójkąta (0 i 0,5): siatka weźmie tylko jeden z nich."},
      {holed + "r 3.6 3.6 1 0",
       "Punkt obszaru 1 (3,6; 3,6) leży w otworze węzła wewnętrznego 1: otwór usuwa obszar wokół niego, "
       "punkt "
       "nie ma znaczenia."},
      {wall + "r 20 5 1 0",
       "Punkt obszaru 1 (20; 5) leży poza wszystkimi zamkniętymi konturami; generacja go pomija."}};
  for (const auto& [model, text] : texts) EXPECT_EQ(CheckModel(*Build(model), 10, ',').back().text, text);
}

// The fin has one double node with a zero-length element between its two
// nodes: one note, with its remedy, and no word of open contours.
TEST(ModelCheck, TheFinsDoubleNodeIsOneNote) {
  auto fin = NewProject();
  ASSERT_TRUE(LoadProjectFile(std::string(EXAMPLES) + "/zebro.vdk", *fin).ok);
  const MesherOptions mesher = Mesher();
  const std::vector<Finding> found = CheckModel(*fin, 1.0, ',', &mesher);
  ASSERT_EQ(Summary(found), "double n2,3 e2");
  EXPECT_EQ(found[0].text,
            "Węzły 2 i 3 leżą w jednym punkcie (podwójne węzły), a element 2 między nimi ma długość zero. "
            "Generacja traktuje je jak jeden węzeł; scal je: „Usuń > Podwójne węzły”.");
}

// After an overflow the check offers an area that it has tried and that
// fits; the square, the fin, two rooms sharing a wall and a plate whose
// inner contour has no hole point, which the mesher meshes over. Under the
// basic limit it is the smallest that fits; under a large one the report
// of the generation offers it too, and it fits without wasting the limit.
TEST(ModelCheck, TheAreaOfferedAfterAnOverflowFits) {
  MesherOptions large = Mesher();
  large.limits = LargeMeshLimits(20'000);
  auto fin = NewProject();
  ASSERT_TRUE(LoadProjectFile(std::string(EXAMPLES) + "/zebro.vdk", *fin).ok);
  const std::pair<std::unique_ptr<Model>, double> models[] = {
      {Build("c 0 0 20 0 20 20 0 20 ;"), 0.01},
      {std::move(fin), 0.01},
      {Build("c 0 0 5 0 10 0 10 10 5 10 0 10 ; e 2 5"), 0.002},
      {Build("c 0 0 20 0 20 20 0 20 ; c 1 1 19 1 19 19 1 19 ;"), 0.1},
  };
  for (const auto& [model, area] : models) {
    for (const MesherOptions& mesher : {Mesher(), large}) {
      const bool basic = mesher.limits == MeshLimits{};
      const double tried = basic ? area : area / 100;
      const std::vector<Finding> found = CheckModel(*model, tried, '.', &mesher);
      ASSERT_FALSE(found.empty());
      EXPECT_EQ(found[0].kind, FindingKind::TooFine);
      EXPECT_NE(found[0].text.find(basic ? "w 1 999 trójkątach i 999 węzłach" : "w limicie 20 000 trójkątów"),
                std::string::npos)
          << found[0].text;
      Model generated = *model;
      const GenerationReport report = RunGeneration(generated, tried, mesher, '.');
      ASSERT_EQ(report.outcome, MeshOutcome::Overflow);
      ASSERT_TRUE(report.suggestedArea.has_value()) << tried;
      const std::string offered = AreaText(*report.suggestedArea, '.');
      EXPECT_NE(found[0].text.find(offered + " (trójkątów"), std::string::npos) << found[0].text;
      const MeshTrial fits = TryMesh(*model, std::stod(offered), mesher);
      EXPECT_EQ(fits.outcome, MeshOutcome::Success) << offered;
      if (basic) {
        // Well below it, the mesh does not fit any more.
        EXPECT_EQ(TryMesh(*model, std::stod(offered) * 0.9, mesher).outcome, MeshOutcome::Overflow)
            << offered;
        EXPECT_EQ(report.causes.at(0).text, found[0].text);
      } else {
        EXPECT_GT(fits.triangles, mesher.limits.triangles / 2) << offered;
        EXPECT_TRUE(report.causes.empty()) << "the count says it; no check after a large overflow";
      }
    }
  }
}

// Numbers in messages take the fewest digits that read back as the value:
// an area the search found loses its arithmetic's noise, and neither a tiny
// nor a vast one becomes a long string of digits.
TEST(ModelCheck, NumbersAreWrittenShortest) {
  const std::pair<double, const char*> areas[] = {{0.01, "0,01"},
                                                  {0.0416 * (1 + 4e-16), "0,0416"},
                                                  {0.0000001, "0,0000001"},
                                                  {1e-60, "1e-60"},
                                                  {12345, "12345"},
                                                  {1e30, "1e+30"},
                                                  {10, "10"}};
  for (const auto& [area, text] : areas) EXPECT_EQ(AreaText(area, ','), text) << area;
  const std::pair<float, const char*> floats[] = {
      {0.1f, "0.1"}, {123456.79f, "123456.79"}, {-2.5e-30f, "-2.5e-30"}, {1e9f, "1000000000"}, {0.0f, "0"}};
  for (const auto& [value, text] : floats) EXPECT_EQ(ShortestText(value), text) << value;
  // A count takes its noun in the form the number asks for.
  const std::pair<int64_t, const char*> counts[] = {
      {0, "0 trójkątów"},     {1, "1 trójkąt"},         {2, "2 trójkąty"},         {4, "4 trójkąty"},
      {5, "5 trójkątów"},     {12, "12 trójkątów"},     {14, "14 trójkątów"},      {22, "22 trójkąty"},
      {112, "112 trójkątów"}, {1002, "1 002 trójkąty"}, {1999, "1 999 trójkątów"}, {21, "21 trójkątów"}};
  for (const auto& [count, text] : counts) EXPECT_EQ(Triangles(count), text) << count;
  EXPECT_EQ(Nodes(1) + ", " + Nodes(3) + ", " + Nodes(13), "1 węzeł, 3 węzły, 13 węzłów");
}

// The sentences: how elements meet, where a contour is open, and what the
// overflow was and which area fits, in the user's decimal point.
TEST(ModelCheck, SaysHowTheyMeetWhereItIsOpenAndWhatAreaFits) {
  const MesherOptions mesher = Mesher();
  const auto texts = [&](const std::string& model, double area, const MesherOptions* with) {
    std::string s;
    for (const Finding& f : CheckModel(*Build(model), area, ',', with)) s += f.text + "\n";
    return s;
  };
  EXPECT_EQ(
      texts("c 0 0 10 10 10 0 0 10 ; n 20 0 n 30 0 e 5 6 n 25 0 n 40 0 e 7 8 n 10 5 n 15 5 e 9 10 "
            "n 0 20 n 5 20 n 5 25 e 11 12 e 12 13",
            10, nullptr),
      "Element 5 kończy się w węźle 5, z którego nie prowadzi żaden inny element: kontur nie jest "
      "zamknięty.\n"
      "Element 6 kończy się w węźle 8, z którego nie prowadzi żaden inny element: kontur nie jest "
      "zamknięty.\n"
      "Element 7 kończy się w węźle 10, z którego nie prowadzi żaden inny element: kontur nie jest "
      "zamknięty.\n"
      "Kontur nie jest zamknięty: jego końce to węzły 11 i 13. Zamknij go: „Dodaj > Element” od węzła 13 do "
      "węzła 11.\n"
      "Elementy 1 i 3 przecinają się.\n"
      "Elementy 2 i 7 stykają się.\n"
      "Elementy 5 i 6 zachodzą na siebie.\n");
  // An open chain of one element, or along one line, is not closed by an
  // element between its ends, which would run along it: it is joined to the
  // nearest other open end, or left to be drawn when there is none.
  EXPECT_EQ(
      texts("n 0 0 n 10 0 e 1 2 n 0 5 n 5 5 n 10 5 e 3 4 e 4 5 n 20 0 n 30 0 n 30 10 e 6 7 e 7 8", 10,
            nullptr),
      "Kontur nie jest zamknięty: jego końce to węzły 1 i 2, a element między nimi biegłby wzdłuż niego. "
      "Połącz go z najbliższym otwartym konturem: „Dodaj > Element” od węzła 1 do węzła 3.\n"
      "Kontur nie jest zamknięty: jego końce to węzły 3 i 5, a element między nimi biegłby wzdłuż niego. "
      "Połącz go z najbliższym otwartym konturem: „Dodaj > Element” od węzła 3 do węzła 1.\n"
      "Kontur nie jest zamknięty: jego końce to węzły 6 i 8. Zamknij go: „Dodaj > Element” od węzła 8 do "
      "węzła 6.\n");
  EXPECT_EQ(
      texts("n 0 0 n 10 0 e 1 2", 10, nullptr),
      "Kontur nie jest zamknięty: jego końce to węzły 1 i 2, a element między nimi biegłby wzdłuż niego; "
      "dorysuj brakujące elementy.\n");
  EXPECT_EQ(
      texts("c 0 0 10 0 10 10 0 10 ; c 3 3 7 3 7 7 3 7 ; h 5 5", 0.01, &mesher),
      "Przy polu trójkąta 0,01 siatka nie mieści się w 1 999 trójkątach i 999 węzłach (trójkątów: co "
      "najmniej 8 400). Sprawdzono: najmniejsze pole, przy którym siatka się mieści, to 0,0697 (trójkątów: "
      "1 859, węzłów: 999).\n");
  // Fourteen elements meeting in a node are named as twelve and a count.
  std::string fan = "n 0 0";
  for (int k = 1; k <= 14; ++k) fan += " n " + std::to_string(k) + " 1 e 1 " + std::to_string(k + 1);
  EXPECT_NE(
      texts(fan, 10, nullptr)
          .find("W węźle 1 spotyka się 14 elementów: 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 … i 2 dalszych."),
      std::string::npos);
  // Fifty diameters meet in 1225 pairs: a thousand are named, the rest counted.
  auto star = NewProject();
  for (int i = 0; i < 100; ++i)
    (void)AppendNode(*star, Node{float(std::cos(i * M_PI / 50)), float(std::sin(i * M_PI / 50))});
  for (int i = 1; i <= 50; ++i) (void)AppendElement(*star, Element{i, i + 50, 1, 1});
  const std::vector<Finding> found = CheckModel(*star, 0);
  ASSERT_EQ(found.size(), 50u + 1001u);  // first each diameter, open at both ends
  EXPECT_EQ(found[50 + 1000].text, "Spotyka się jeszcze 225 par elementów.");
  EXPECT_EQ(found[50 + 999].elements, std::vector<int32_t>({29, 35}));  // in the order of the pairs
}

}  // namespace

// A cancel while the cause of a failure is looked for cancels the whole
// generation: the mesh before it stands again and nothing is said.
TEST(GenerationReport, ACancelDuringTheSearchLeavesTheMeshAsItWas) {
  for (const MeshLimits& limits : {MeshLimits{}, LargeMeshLimits(20'000)}) {
    auto m = Build("c 0 0 20 0 20 20 0 20 ;");
    MesherOptions mesher = Mesher();
    mesher.limits = limits;
    ASSERT_EQ(RunGeneration(*m, 10, mesher, '.').outcome, MeshOutcome::Success);
    const Model before = *m;
    mesher.cancelled = [&m] { return m->MeshFailureFlag == 1; };  // once the generation has failed
    const GenerationReport r = RunGeneration(*m, 0.0001, mesher, '.');
    EXPECT_EQ(r.outcome, MeshOutcome::Cancelled);
    EXPECT_TRUE(r.lines.empty() && r.causes.empty() && !r.suggestedArea);
    EXPECT_EQ(std::tuple(m->meshNodeCount, m->meshTriangleCount, m->MeshFailureFlag, m->meshTags),
              std::tuple(before.meshNodeCount, before.meshTriangleCount, 0, before.meshTags));
    EXPECT_TRUE(m->MeshTriangleTable.sharesRowsWith(before.MeshTriangleTable) &&
                m->MeshNodeTable.sharesRowsWith(before.MeshNodeTable));
  }
}
