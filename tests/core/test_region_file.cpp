#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>

#include "core/Fixtures.h"
#include "core/TempDir.h"
#include "core/files/ProjectFile.h"
#include "core/files/RegionSection.h"
#include "core/state/History.h"

namespace {

const std::string kThreeNodeFile = ReadFileBytes(TestData("triangle.vdk"));

// The triangle project (problem kind 10) with two materials and three
// region points.
std::unique_ptr<Model> RegionProject() {
  auto m = TriangleProject();
  m->ProblemKind = 10;
  EXPECT_EQ(AppendMaterial(*m, Material{"Stal \"S235\"", 210000.0f, 0.3f}), 1);
  EXPECT_EQ(AppendMaterial(*m, Material{"Cegła\\pełna", 0.8f, -1.5f}), 2);
  EXPECT_EQ(AppendRegionPoint(*m, RegionPoint{1.0f, 1.0f, 1, 0.0f}), 1);
  EXPECT_EQ(AppendRegionPoint(*m, RegionPoint{2.5f, 0.125f, 2, 0.25f}), 2);
  EXPECT_EQ(AppendRegionPoint(*m, RegionPoint{-3.0f, 4.0f, 0, 1.0f}), 3);
  return m;
}

const std::string kRegionSection =
    "\r\nObszary\r\n2 3\r\n"
    "\"Stal \\\"S235\\\"\" 210000.000000 0.300000\r\n"
    "\"Ceg\\xC5\\x82a\\\\pe\\xC5\\x82na\" 0.800000 -1.500000\r\n"
    "1.000000 1.000000 1 0.000000\r\n"
    "2.500000 0.125000 2 0.250000\r\n"
    "-3.000000 4.000000 0 1.000000\r\n";

// The reader of the base format: the counts, every section in order, the
// problem kind, and nothing after it, as scanf reads them.
Model ReadUpToTheKind(const std::string& text) {
  Model m;
  ResetModelData(m);
  const char* p = text.c_str();
  int used = 0;
  const auto scan = [&](const char* format, auto*... fields) {
    EXPECT_EQ(std::sscanf(p, (std::string(format) + "%n").c_str(), fields..., &used), int(sizeof...(fields)));
    p += used;
  };
  scan("%d%d%d%d%d", &m.nodeCount, &m.elementCount, &m.bcCount, &m.boundaryCount, &m.internalNodeCount);
  for (int i = 1; i <= m.nodeCount; ++i) scan("%f %f", &m.NodeTable[i].x, &m.NodeTable[i].y);
  for (int i = 1; i <= m.elementCount; ++i) {
    Element& e = m.ElementTable[i];
    scan("%d%d%d%d", &e.startNode, &e.endNode, &e.bcNumber, &e.boundaryNumber);
  }
  for (int i = 1; i <= m.bcCount; ++i) {
    BoundaryCondition& c = m.BcTable[i];
    scan("%f%f%f%f%f%f%f", &c.kind, &c.value1, &c.value2, &c.value3, &c.value4, &c.value5, &c.value6);
  }
  for (int i = 1; i <= m.boundaryCount; ++i) scan("%d", &m.BoundaryTable[i].kind);
  scan("%f%f", &m.Conductivity, &m.SecondProperty);
  for (int i = 1; i <= m.internalNodeCount; ++i) {
    scan("%f%f", &m.InternalNodeTable[i].x, &m.InternalNodeTable[i].y);
  }
  scan("%d", &m.ProblemKind);
  return m;
}

TEST(RegionFile, WrittenAfterTheEndMarkerOnlyWhenThereIsSomethingToWrite) {
  auto plain = TriangleProject();
  plain->ProblemKind = 10;
  EXPECT_EQ(FormatProjectFile(*plain), kThreeNodeFile);
  // A material alone, or a region point alone, writes the section.
  auto materialOnly = TriangleProject();
  materialOnly->ProblemKind = 10;
  ASSERT_EQ(AppendMaterial(*materialOnly, Material{"a", 1.0f, 0.0f}), 1);
  EXPECT_EQ(FormatProjectFile(*materialOnly),
            kThreeNodeFile + "\r\nObszary\r\n1 0\r\n\"a\" 1.000000 0.000000\r\n");
  const auto regions = RegionProject();
  const std::string text = FormatProjectFile(*regions);
  EXPECT_EQ(text, kThreeNodeFile + kRegionSection);
  // Every byte of the file stays ASCII whatever the names hold.
  for (const char c : text) EXPECT_TRUE(c > 0 && c < 0x7f) << int(c);
}

TEST(RegionFile, ReadsBackWhatWasWrittenAndTheBaseReaderStillGetsTheBaseModel) {
  const auto written = RegionProject();
  const std::string text = FormatProjectFile(*written);
  Model read;
  ASSERT_TRUE(ParseProjectFile(text, read).ok) << ParseProjectFile(text, read).message;
  read.CaptionText = written->CaptionText;
  EXPECT_TRUE(SameProject(read, *written));
  EXPECT_EQ(read.MaterialTable[2].name, "Cegła\\pełna");
  EXPECT_EQ(FormatProjectFile(read), text);

  auto base = TriangleProject();
  base->ProblemKind = 10;
  Model stopped = ReadUpToTheKind(text);
  stopped.CaptionText = base->CaptionText;
  EXPECT_TRUE(SameProject(stopped, *base));

  // Names of every byte, blank and quote-only ones included, survive.
  auto names = TriangleProject();
  std::string every;
  for (int c = 1; c < 256; ++c) every += char(c);
  for (const std::string& name : {every.substr(0, 64), every.substr(64, 64), every.substr(128, 64),
                                  every.substr(191), std::string(" "), std::string("\"\\\"")}) {
    ASSERT_NE(AppendMaterial(*names, Material{name, 1.0f, 2.0f}), 0);
  }
  Model again;
  ASSERT_TRUE(ParseProjectFile(FormatProjectFile(*names), again).ok);
  ASSERT_EQ(again.materialCount, names->materialCount);
  for (int32_t i = 1; i <= names->materialCount; ++i) {
    EXPECT_EQ(again.MaterialTable[i].name, names->MaterialTable[i].name) << i;
  }
}

TEST(RegionFile, WhatFollowsTheKindWithoutTheSectionIsIgnoredAsBefore) {
  const std::string head = kThreeNodeFile.substr(0, kThreeNodeFile.size() - kEndMarker.size());
  for (const std::string& tail :
       {std::string(), std::string("Koniec pliku\r\n"), std::string("\n\nKoniec"),
        std::string("Koniec pliku\r\nObszaryX 1 1"), std::string("Koniec pliku\r\nuwagi 1 2 3"),
        std::string("Obszary\r\n1 0")}) {
    Model m;
    const FileResult r = ParseProjectFile(head + tail, m);
    EXPECT_TRUE(r.ok) << tail << ": " << r.message;
    EXPECT_EQ(m.ProblemKind, 10) << tail;
    EXPECT_EQ(m.materialCount + m.regionPointCount, 0) << tail;
  }
  // LF line ends and blanks around the numbers read as well.
  Model m;
  ASSERT_TRUE(ParseProjectFile(head + "Koniec pliku\nObszary  \n 1  1 \n \"x y\"  2 3\n0 0 1 0", m).ok);
  EXPECT_EQ(std::vector({m.materialCount, m.regionPointCount, m.RegionPointTable[1].material}),
            std::vector({1, 1, 1}));
  EXPECT_EQ(m.MaterialTable[1].name, "x y");
  EXPECT_EQ(m.MaterialTable[1].property2, 3.0f);
}

TEST(RegionFile, AMalformedSectionIsRefusedWithItsLineAndAResetModel) {
  const std::string head = kThreeNodeFile + "\r\nObszary";
  // The end marker is line 12 of the file, the section's marker line 13.
  const std::pair<std::string, std::string> cases[] = {
      {" 1 0", "(wiersz 13): nadmiarowy tekst na końcu wiersza"},
      {"", "(wiersz 13): brakuje liczby materiałów i punktów obszarów"},
      {"\r\n1", "(wiersz 14): brakuje liczby"},
      {"\r\n1 0 7", "(wiersz 14): nadmiarowy tekst na końcu wiersza"},
      {"\r\n100 0", "(wiersz 14): liczba materiałów 100 poza zakresem od 0 do 99"},
      {"\r\n0 -1", "(wiersz 14): liczba punktów obszarów -1 poza zakresem od 0 do 99"},
      {"\r\n1 0\r\n", "(wiersz 14): plik kończy się przed końcem sekcji"},
      {"\r\n1 0\r\nstal 1 2", "(wiersz 15): nazwa materiału musi stać w cudzysłowie"},
      {"\r\n1 0\r\n\"stal 1 2", "(wiersz 15): nazwa materiału nie ma zamykającego cudzysłowu"},
      {"\r\n1 0\r\n\"\" 1 2", "(wiersz 15): nazwa materiału musi mieć od 1 do 64 bajtów"},
      {"\r\n1 0\r\n\"" + std::string(65, 'a') + "\" 1 2", "nazwa materiału musi mieć od 1 do 64 bajtów"},
      {"\r\n1 0\r\n\"a\\n\" 1 2", "niepoprawny zapis znaku w nazwie materiału"},
      {"\r\n1 0\r\n\"a\\xG0\" 1 2", "niepoprawny zapis znaku w nazwie materiału"},
      {"\r\n1 0\r\n\"a\tb\" 1 2", "znak spoza drukowalnych znaków ASCII"},
      {"\r\n1 0\r\n\"ą\" 1 2", "znak spoza drukowalnych znaków ASCII"},
      {"\r\n1 0\r\n\"a\" 1", "(wiersz 15): brakuje liczby"},
      {"\r\n1 0\r\n\"a\" 1 x", "w miejscu liczby stoi inny tekst"},
      {"\r\n1 0\r\n\"a\" 1 1e50", "liczba poza zakresem jej pola"},
      {"\r\n0 1\r\n1 1 1 0", "(wiersz 15): punkt obszaru nr 1 wskazuje materiał nr 1, którego nie ma"},
      {"\r\n1 1\r\n\"a\" 1 2\r\n1 1 -1 0", "punkt obszaru nr 1 wskazuje materiał nr -1, którego nie ma"},
      {"\r\n0 1\r\n1 1 0 -0.5", "największe pole trójkąta punktu obszaru nr 1 musi być liczbą skończoną"},
      {"\r\n0 1\r\n1 1 0 inf", "największe pole trójkąta punktu obszaru nr 1 musi być liczbą skończoną"},
      {"\r\n0 1\r\n1 1 0.5 1", "(wiersz 15): w miejscu liczby stoi inny tekst"},
      {"\r\n0 1\r\n1 1 0 1\r\n\r\nKoniec", "(wiersz 17): nadmiarowy tekst po sekcji obszarów"},
  };
  for (const auto& [tail, message] : cases) {
    auto m = RegionProject();
    const FileResult r = ParseProjectFile(head + tail, *m);
    EXPECT_FALSE(r.ok) << tail;
    EXPECT_TRUE(r.message.starts_with("Plik zawiera niepoprawną sekcję obszarów (wiersz ")) << r.message;
    EXPECT_NE(r.message.find(message), std::string::npos) << tail << " -> " << r.message;
    EXPECT_EQ(std::vector({m->nodeCount, m->materialCount, m->regionPointCount, m->ProblemKind}),
              std::vector({0, 0, 0, 1}))
        << tail;
  }
}

TEST(RegionModel, MaterialsAndRegionPointsArePartOfTheProject) {
  const auto a = RegionProject();
  const std::vector<std::function<void(Model&)>> changes = {
      [](Model& m) { m.MaterialTable[1].name += "x"; },
      [](Model& m) { m.MaterialTable[2].property1 = 0.9f; },
      [](Model& m) { m.MaterialTable[2].property2 = 0.0f; },
      [](Model& m) { --m.materialCount; },
      [](Model& m) { m.RegionPointTable[3].area = 2.0f; },
      [](Model& m) { m.RegionPointTable[2].material = 1; },
      [](Model& m) { m.RegionPointTable[1].y = 0.5f; },
      [](Model& m) { (void)AppendRegionPoint(m, RegionPoint{}); },
  };
  for (size_t i = 0; i < changes.size(); ++i) {
    Model b = *a;
    EXPECT_TRUE(SameProject(*a, b));
    changes[i](b);
    EXPECT_FALSE(SameProject(*a, b)) << i;
    EXPECT_FALSE(SameModel(*a, b)) << i;
  }
  // Rows past the counters are no part of the project, but of the model.
  Model b = *a;
  b.MaterialTable[5].name = "niewidoczny";
  EXPECT_TRUE(SameProject(*a, b));
  EXPECT_FALSE(SameModel(*a, b));

  // Removing a material renumbers the points of later ones; its own take 0.
  Model c = *a;
  RemoveMaterial(c, 1);
  EXPECT_EQ(c.materialCount, 1);
  EXPECT_EQ(c.MaterialTable[1].name, "Cegła\\pełna");
  EXPECT_EQ(std::vector({c.RegionPointTable[1].material, c.RegionPointTable[2].material,
                         c.RegionPointTable[3].material}),
            std::vector({0, 1, 0}));
  // Properties: the model's own pair for 0, a material's for its number.
  EXPECT_EQ(PropertiesOf(*a, 0)->property1, a->Conductivity);
  EXPECT_EQ(PropertiesOf(*a, 2)->property2, -1.5f);
  EXPECT_FALSE(PropertiesOf(*a, 3).has_value());
  EXPECT_FALSE(PropertiesOf(*a, -1).has_value());
  // A reset empties both tables; a full table refuses the next row.
  Model d = *a;
  while (AppendMaterial(d, Material{"m", 1, 1}) != 0) {
  }
  EXPECT_EQ(d.materialCount, kMaxMaterials);
  EXPECT_EQ(FreeRows(d, ModelTable::Materials), 0);
  ResetModelData(d);
  EXPECT_EQ(d.materialCount + d.regionPointCount, 0);
}

}  // namespace
