#include <gtest/gtest.h>

#include <cstdlib>

#include "TestData.h"
#include "core/Fixtures.h"
#include "core/TempDir.h"
#include "core/boundary/Physics.h"
#include "core/files/OpenExport.h"
#include "core/files/ProjectFile.h"
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

TEST(OpenExport, FormatsByNameNamesAndRefusedTargets) {
  const std::tuple<const char*, bool, std::optional<OpenFormat>> names[] = {
      {"a.msh", false, OpenFormat::Msh41},    {"a.MSH", true, OpenFormat::Msh22},
      {"/d.x/a.Vtu", false, OpenFormat::Vtu}, {"msh", false, std::nullopt},
      {"a.m2d", false, std::nullopt},         {"a.msh.txt", true, std::nullopt}};
  for (const auto& [name, msh22, format] : names) EXPECT_EQ(OpenFormatForName(name, msh22), format) << name;

  const std::pair<BoundaryCondition, int32_t> conditions[] = {
      {{1.0f, 10.0f, -5.5f}, 10}, {{3.0f, 25.0f, 20.0f}, 2}, {{7.0f, 1, 2, 3, 4, 5, 6}, 1}};
  std::vector<std::string> seen;
  for (const auto& [c, problem] : conditions) seen.push_back(ConditionGroupName(2, c, problem));
  seen.push_back(BoundaryGroupName(3, Boundary{5}));
  EXPECT_EQ(seen,
            std::vector<std::string>({"warunek 2: obciążenie ciągłe 10, -5.5", "warunek 2: konwekcja 25, 20",
                                      "warunek 2: kod 7 1, 2, 3, 4, 5, 6", "brzeg 3: kod 5"}));

  auto m = TriangleProject();
  m->meshNodeCount = 3;
  m->meshTriangleCount = 1;
  m->MeshTriangleTable[1] = {1, 2, 3};
  TempDir dir;
  const FileResult r = WriteOpenExport(*m, OpenFormat::Vtu, dir.file("no/such/folder.vtu"));
  EXPECT_EQ(std::pair(r.ok, r.message), std::pair(false, std::string("Nie można zapisać do pliku")));
}

}  // namespace
