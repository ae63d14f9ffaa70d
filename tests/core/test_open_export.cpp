#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <functional>

#include "TestData.h"
#include "core/Fixtures.h"
#include "core/TempDir.h"
#include "core/boundary/Physics.h"
#include "core/files/ExportFile.h"
#include "core/files/OpenExport.h"
#include "core/files/ProjectFile.h"
#include "core/files/SafeFile.h"
#include "core/mesh/MeshDriver.h"
#include "core/state/History.h"

namespace {

constexpr OpenFormat kFormats[] = {OpenFormat::Msh41, OpenFormat::Msh22, OpenFormat::Vtu};

std::vector<std::string> AllFormats(const Model& m) {
  std::vector<std::string> files;
  for (OpenFormat f : kFormats) files.push_back(EncodeOpenExport(m, f));
  return files;
}

// The files describe the mesh as it was made: edits after it, undone or
// not, change nothing in them until the next generation. A copy (an undo
// step) shares the tags instead of copying them.
TEST(OpenExport, TagsAreThoseOfTheModelAsItWasMeshed) {
  auto m = NewProject();
  ASSERT_TRUE(LoadProjectFile(TestData("physics.vdk"), *m).ok);
  MesherOptions mesher;
  mesher.helperPath = MESHER_PATH;
  ASSERT_EQ(GenerateMesh(*m, 10.0, mesher), MeshOutcome::Success);
  const std::vector<std::string> meshed = AllFormats(*m);
  EXPECT_NE(meshed[0].find("1 2 \"warunek 2: temperatura 100\"\n"), std::string::npos);
  EXPECT_NE(meshed[1].find("1 101 \"brzeg 1: zewnętrzny\"\n"), std::string::npos);

  const Model snapshot = *m;
  EXPECT_EQ(snapshot.meshTags.get(), m->meshTags.get());
  m->BcTable[2].value1 = 50.0f;
  EXPECT_EQ(AssignCondition(*m, {1, 3}, 3), 2);
  RemoveRow(m->ElementTable, m->elementCount, 4);
  m->ProblemKind = 10;
  EXPECT_EQ(AllFormats(*m), meshed);

  auto regrouped = std::make_unique<Model>(snapshot);
  auto tags = std::make_shared<MeshTags>(*snapshot.meshTags);
  tags->elements[0].bcNumber = 3;
  regrouped->meshTags = tags;
  EXPECT_FALSE(SameProject(*regrouped, snapshot)) << "the same mesh with other tags is another project state";
  EXPECT_NE(AllFormats(*regrouped), meshed);

  *m = snapshot;
  m->BcTable[2].value1 = 50.0f;
  ASSERT_EQ(GenerateMesh(*m, 10.0, mesher), MeshOutcome::Success);
  EXPECT_NE(m->meshTags.get(), snapshot.meshTags.get());
  EXPECT_NE(EncodeOpenExport(*m, OpenFormat::Msh41).find("\"warunek 2: temperatura 50\""), std::string::npos);
}

// A mesh without boundary edges (no tags at all, or tags naming groups
// that hold no edge) still makes files that gmsh and meshio read.
TEST(OpenExport, MeshWithoutBoundaryEdgesIsValidForOtherReaders) {
  for (const bool named : {false, true}) {
    auto m = NewProject();
    m->meshNodeCount = 4;
    m->meshTriangleCount = 2;
    const MeshNode corners[] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int32_t i = 1; i <= 4; ++i) m->MeshNodeTable[i] = corners[i - 1];
    m->MeshTriangleTable[1] = {1, 2, 3};
    m->MeshTriangleTable[2] = {1, 3, 4};
    if (named) {
      auto tags = std::make_shared<MeshTags>();
      tags->conditions = {BoundaryCondition{1.0f, 20.0f}, BoundaryCondition{2.0f}};
      tags->boundaries = {Boundary{1}};
      tags->problemKind = 1;
      m->meshTags = tags;
    }
    TempDir dir;
    for (const auto& [name, format] :
         {std::pair("mesh.msh", OpenFormat::Msh41), std::pair("mesh22.msh", OpenFormat::Msh22),
          std::pair("mesh.vtu", OpenFormat::Vtu)}) {
      ASSERT_TRUE(WriteOpenExport(*m, format, dir.file(name)).ok);
    }
    const std::string command =
        std::string("/usr/bin/python3 ") + OPEN_FORMATS_SCRIPT + " --empty " + dir.path();
    EXPECT_EQ(std::system(command.c_str()), 0) << (named ? "with groups" : "without tags");
  }
}

// A unit square's mesh, two triangles, its sides elements 1 to 4.
std::unique_ptr<Model> SquareMesh(std::vector<MeshNode> nodes, std::vector<MeshTriangle> triangles) {
  auto m = NewProject();
  m->meshNodeCount = int32_t(nodes.size());
  m->meshTriangleCount = int32_t(triangles.size());
  m->MeshNodeTable.assign(std::move(nodes));
  m->MeshTriangleTable.assign(std::move(triangles));
  return m;
}

// Elements naming conditions or boundaries that do not exist: named after
// the export, their edges in the groups that do exist or, with neither, in
// group 100. In MSH 2.2 each copy of an edge has its own elementary tag.
TEST(OpenExport, DanglingReferencesAndTheCopiesOfMsh22) {
  auto m = SquareMesh({{0, 0}, {1, 0}, {1, 1}, {0, 1}}, {{1, 2, 3}, {1, 3, 4}});
  auto tags = std::make_shared<MeshTags>();
  tags->edges = {{1, 2, 1}, {2, 3, 2}, {3, 4, 3}, {4, 1, 4}};
  tags->elements = {{1, 2, 1, 1}, {2, 3, 5, 1}, {3, 4, 1, 0}, {4, 1, 0, 9}};
  tags->conditions = {BoundaryCondition{1.0f, 20.0f}};
  tags->boundaries = {Boundary{1}};
  tags->problemKind = 1;
  m->meshTags = tags;
  EXPECT_EQ(DanglingElements(*m), std::vector<int32_t>({2, 3, 4}));
  EXPECT_EQ(DanglingElementsNote(*m), "Elementy wskazujące nieistniejący warunek lub brzeg: 2, 3, 4.");
  const std::pair<OpenFormat, std::vector<std::string>> expected[] = {
      {OpenFormat::Msh22,
       {"1 100 \"bez warunku i brzegu\"\n",
        "\n3 1 2 1 1 1 2\n4 1 2 101 1001 1 2\n5 1 2 101 1002 2 3\n"
        "6 1 2 1 3 3 4\n7 1 2 100 4 4 1\n$EndElements"}},
      {OpenFormat::Msh41,
       {"\n1 0 0 0 1 0 0 2 1 101 0\n2 1 0 0 1 1 0 1 101 0\n3 0 1 0 1 1 0 1 1 0\n"
        "4 0 0 0 0 1 0 1 100 0\n"}},
      {OpenFormat::Vtu,
       {"<DataArray type=\"Int32\" Name=\"bez warunku i brzegu\" NumberOfTuples=\"1\" format=\"ascii\">0<",
        "Name=\"brzeg 1: zewnętrzny\" NumberOfTuples=\"1\" format=\"ascii\">1<"}}};
  for (const auto& [format, parts] : expected) {
    const std::string file = EncodeOpenExport(*m, format);
    for (const std::string& part : parts)
      EXPECT_NE(file.find(part), std::string::npos) << part << "\nin\n" << file;
  }
  auto many = std::make_shared<MeshTags>(*tags);  // past twelve, the rest are counted
  many->elements.resize(20, Element{1, 2, 7, 1});
  m->meshTags = many;
  EXPECT_EQ(
      DanglingElementsNote(*m),
      "Elementy wskazujące nieistniejący warunek lub brzeg: 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13 … i 7 "
      "dalszych.");
  auto oneElement = std::make_shared<MeshTags>(*tags);
  oneElement->elements.resize(1);
  m->meshTags = oneElement;
  EXPECT_EQ(DanglingElementsNote(*m), "");
  EXPECT_EQ(EncodeOpenExport(*m, OpenFormat::Msh22).find("bez warunku"), std::string::npos);
}

// Coordinates go out as the mesh's doubles; what would still read back
// degenerate (a node where another is, a triangle of no or negative area)
// is refused, and the file is left as it was.
TEST(OpenExport, DoublesExactlyAndDegenerateMeshesRefused) {
  const std::vector<MeshNode> square = {
      {1000000.1, 5500000.001}, {1000001.1, 5500000.001}, {1000001.1, 5500001.0}, {1000000.1, 5500001.0}};
  std::vector<MeshNode> repeated = square, onSide = square;
  repeated.push_back(square[2]);
  onSide.push_back({1000000.6, 5500000.001});
  const std::tuple<std::vector<MeshNode>, std::vector<MeshTriangle>, size_t, size_t> cases[] = {
      {square, {{1, 2, 3}, {1, 3, 4}}, 0, 0},
      {repeated, {{1, 2, 3}, {1, 3, 4}}, 1, 0},
      {onSide, {{1, 5, 2}, {1, 2, 3}, {1, 3, 4}}, 0, 1},
      {repeated, {{1, 3, 2}, {1, 3, 4}, {1, 1, 4}}, 1, 2}};
  for (const auto& [nodes, triangles, repeatedNodes, flat] : cases) {
    const auto m = SquareMesh(nodes, triangles);
    const MeshDegeneracy found = FindMeshDegeneracy(*m);
    EXPECT_EQ(std::pair(found.repeatedNodes, found.flatTriangles), std::pair(repeatedNodes, flat));
    EXPECT_NE(
        EncodeOpenExport(*m, OpenFormat::Msh41).find("\n1000000.1 5500000.001 0\n1000001.1 5500000.001 0\n"),
        std::string::npos);
    TempDir dir;
    for (const OpenFormat format : kFormats) {
      ASSERT_TRUE(WriteFileAtomically(dir.file("out"), "kept"));
      const FileResult r = WriteOpenExport(*m, format, dir.file("out"));
      EXPECT_EQ(r.ok, repeatedNodes + flat == 0) << r.message;
      EXPECT_EQ(r.message, OpenExportRefusal(*m).value_or(""));
      EXPECT_EQ(ReadFileBytes(dir.file("out")) == "kept", !r.ok);
    }
  }
  EXPECT_EQ(OpenExportRefusal(*SquareMesh(repeated, {{1, 3, 2}})),
            "Nie zapisano pliku: w siatce są węzły o tych samych współrzędnych (1) i trójkąty o zerowym lub "
            "ujemnym polu (1). Zmień największe pole trójkąta albo przesuń model bliżej początku układu.");
}

TEST(OpenExport, FormatsByNameNamesAndRefusedTargets) {
  const std::tuple<const char*, bool, std::optional<OpenFormat>> names[] = {
      {"a.msh", false, OpenFormat::Msh41},    {"a.MSH", true, OpenFormat::Msh22},
      {"/d.x/a.Vtu", false, OpenFormat::Vtu}, {"msh", false, std::nullopt},
      {"a.m2d", false, std::nullopt},         {"a.msh.txt", true, std::nullopt}};
  for (const auto& [name, msh22, format] : names) EXPECT_EQ(OpenFormatForName(name, msh22), format) << name;

  // Values as the shortest text that reads back as the stored float.
  const std::pair<BoundaryCondition, int32_t> conditions[] = {
      {{1.0f, 10.0f, -5.5f}, 10}, {{3.0f, 25.0f, 20.0f}, 2},      {{7.0f, 1, 2, 3, 4, 5, 6}, 1},
      {{1.0f, 123456.789f}, 1},   {{3.0f, 0.1f, 12345678.0f}, 1}, {{3.0f, 2.0f, -0.25f}, 10}};
  std::vector<std::string> seen;
  for (const auto& [c, problem] : conditions) seen.push_back(ConditionGroupName(2, c, problem));
  seen.push_back(BoundaryGroupName(3, Boundary{5}));
  EXPECT_EQ(seen,
            std::vector<std::string>({"warunek 2: obciążenie ciągłe 10, -5.5", "warunek 2: konwekcja 25, 20",
                                      "warunek 2: kod 7 1, 2, 3, 4, 5, 6", "warunek 2: temperatura 123456.79",
                                      "warunek 2: konwekcja 0.1, 12345678",
                                      "warunek 2: podpora przesuwna 2, -0.25", "brzeg 3: kod 5"}));

  const auto m = SquareMesh({{0, 0}, {1, 0}, {0, 1}}, {{1, 2, 3}});
  TempDir dir;
  const FileResult r = WriteOpenExport(*m, OpenFormat::Vtu, dir.file("no/such/folder.vtu"));
  EXPECT_EQ(std::pair(r.ok, r.message),
            std::pair(false, std::string("Nie można zapisać do pliku\nPrzyczyna: folder nie istnieje.")));
}

int failWith = 0;
int FailTheWrite(WriteStep step) {
  return step == WriteStep::Write ? failWith : 0;
}

// Every writer's failure gives the disk's error after its own sentence:
// the causes a user can act on in words, the rest in the system's.
TEST(Writers, AFailedWriteSaysTheDisksError) {
  const auto m = SquareMesh({{0, 0}, {1, 0}, {1, 1}, {0, 1}}, {{1, 2, 3}, {1, 3, 4}});
  const std::function<FileResult(const std::string&)> writers[] = {
      [&](const std::string& path) { return SaveProjectFile(*m, path); },
      [&](const std::string& path) { return WriteExportFile(*m, ExportLayout::M2d, path); },
      [&](const std::string& path) { return WriteOpenExport(*m, OpenFormat::Msh41, path); },
      [&](const std::string& path) { return WriteOpenExport(*m, OpenFormat::Vtu, path); }};
  TempDir dir;
  const std::pair<int, const char*> injected[] = {{ENOSPC, "brak miejsca na dysku"},
                                                  {EDQUOT, "wyczerpany przydział miejsca na dysku (quota)"},
                                                  {EACCES, "brak uprawnień do zapisu w tym miejscu"},
                                                  {EROFS, "system plików jest tylko do odczytu"},
                                                  {EIO, "błąd wejścia-wyjścia urządzenia"},
                                                  {EFBIG, "plik byłby za duży dla tego systemu plików"},
                                                  {EXDEV, "Invalid cross-device link"}};
  const std::pair<std::string, const char*> met[] = {
      {dir.file("no/such/folder.vdk"), "folder nie istnieje"},
      {dir.path(), "pod tą nazwą jest folder"},
      {dir.file(std::string(300, 'a')), "nazwa pliku jest za długa"},
      {"/dev/null", "pod tą nazwą jest plik specjalny (urządzenie, potok), a nie zwykły plik"}};
  for (const auto& write : writers) {
    for (const auto& [error, cause] : injected) {
      failWith = error;
      SetWriteStepHook(FailTheWrite);
      const FileResult r = write(dir.file("out"));
      SetWriteStepHook(nullptr);
      EXPECT_EQ(r.message, "Nie można zapisać do pliku\nPrzyczyna: " + std::string(cause) + ".");
    }
    for (const auto& [path, cause] : met) {
      EXPECT_EQ(write(path).message, "Nie można zapisać do pliku\nPrzyczyna: " + std::string(cause) + ".");
    }
  }
}

}  // namespace
