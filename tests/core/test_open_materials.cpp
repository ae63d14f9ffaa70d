#include <gtest/gtest.h>

#include "core/Fixtures.h"
#include "core/boundary/Physics.h"
#include "core/files/OpenExport.h"
#include "core/files/ProjectFile.h"
#include "core/mesh/MeshDriver.h"

namespace {

// A unit square of two triangles, 1 = (1, 2, 3) and 2 = (1, 3, 4), of the
// given materials.
std::unique_ptr<Model> Square(int32_t first, int32_t second) {
  auto m = NewProject();
  m->meshNodeCount = 4;
  m->meshTriangleCount = 2;
  m->MeshNodeTable.assign({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
  m->MeshTriangleTable.assign({{1, 2, 3, first}, {1, 3, 4, second}});
  return m;
}

struct MaterialCase {
  const char* what;
  int32_t problemKind;
  bool inTags;                       // the materials come with the mesh's tags, else from the model
  std::vector<Material> materials;   // from 1
  std::pair<int32_t, int32_t> made;  // the triangles' materials
  std::vector<std::string> msh41;    // pieces of each file
  std::vector<std::string> msh22;
  std::vector<std::string> vtu;
};

const MaterialCase kCases[] = {
    {"heat, two materials in the tags, the default one among them",
     1,
     true,
     {{"miedź", 400.0f, 0.0f}},
     {1, 0},
     {"$PhysicalNames\n2\n2 200 \"materiał 0: domyślny, λ 2.5, q 0.1\"\n"
      "2 201 \"materiał 1: miedź, λ 400, q 0\"\n$EndPhysicalNames\n",
      "$Entities\n0 0 2 0\n200 0 0 0 1 1 0 1 200 0\n201 0 0 0 1 1 0 1 201 0\n$EndEntities\n",
      "$Nodes\n1 4 1 4\n2 200 0 4\n",
      "$Elements\n2 2 1 2\n2 200 2 1\n2 1 3 4\n2 201 2 1\n1 1 2 3\n$EndElements"},
     {"\n1 2 2 201 201 1 2 3\n2 2 2 200 200 1 3 4\n"},
     {"<!-- material 1 = materiał 1: miedź, λ 400, q 0 -->\n",
      "Name=\"materiał 0: domyślny, λ 2.5, q 0.1\" NumberOfTuples=\"1\" format=\"ascii\">0<",
      "<DataArray type=\"Int32\" Name=\"material\" format=\"ascii\">\n1\n0\n</DataArray>\n",
      "<DataArray type=\"Int32\" Name=\"obszar\" format=\"ascii\">\n1\n1\n</DataArray>\n"}},
    {"the disc, the model's table when the mesh has no tags, one material alone",
     10,
     false,
     {{"Stal \"S235\"", 2.1e11f, 0.3f}, {"unused", 1.0f, 0.0f}},
     {1, 1},
     {"$PhysicalNames\n1\n2 201 \"materiał 1: Stal 'S235', E 2.1e+11, ν 0.3\"\n",
      "$Entities\n0 0 1 0\n201 0 0 0 1 1 0 1 201 0\n", "2 201 2 2\n1 1 2 3\n2 1 3 4\n"},
     {"\n1 2 2 201 201 1 2 3\n2 2 2 201 201 1 3 4\n"},
     {"Name=\"materiał 1: Stal 'S235', E 2.1e+11, ν 0.3\"", "Name=\"material\""}},
    {"electric conduction, a triangle of a material no table holds",
     2,
     false,
     {},
     {0, 3},
     {"2 200 \"materiał 0: domyślny, σ 2.5, q 0.1\"\n2 203 \"materiał 3\"\n"},
     {"\n2 2 2 203 203 1 3 4\n"},
     {"Name=\"materiał 3\" NumberOfTuples=\"1\" format=\"ascii\">3<", ">\n0\n3\n</DataArray>"}},
    {"magnetic field",
     3,
     true,
     {{"ferryt", 0.5f, 7.0f}},
     {1, 1},
     {"2 201 \"materiał 1: ferryt, μ 0.5, J 7\"\n"},
     {"2 201 \"materiał 1: ferryt, μ 0.5, J 7\"\n"},
     {"<!-- material 1 = "}},
};

TEST(OpenMaterials, OneSurfacePerMaterialNamedWithItsProperties) {
  for (const MaterialCase& c : kCases) {
    SCOPED_TRACE(c.what);
    auto m = Square(c.made.first, c.made.second);
    m->ProblemKind = c.problemKind;
    m->Conductivity = 2.5f;
    m->SecondProperty = 0.1f;
    if (c.inTags) {
      auto tags = std::make_shared<MeshTags>();
      tags->problemKind = c.problemKind;
      tags->materials.push_back({{}, 2.5f, 0.1f});
      tags->materials.insert(tags->materials.end(), c.materials.begin(), c.materials.end());
      m->meshTags = tags;
      m->ProblemKind = 99;  // the tags' kind counts, not the model's now
    } else {
      for (const Material& row : c.materials) ASSERT_GT(AppendMaterial(*m, row), 0);
    }
    const std::pair<OpenFormat, const std::vector<std::string>*> files[] = {
        {OpenFormat::Msh41, &c.msh41}, {OpenFormat::Msh22, &c.msh22}, {OpenFormat::Vtu, &c.vtu}};
    for (const auto& [format, parts] : files) {
      const std::string file = EncodeOpenExport(*m, format);
      // No group "obszar" (VTU keeps its cell array of that name).
      EXPECT_EQ(file.find(" 1 \"obszar\"\n"), std::string::npos) << file;
      EXPECT_EQ(file.find("\"obszar\" NumberOfTuples"), std::string::npos) << file;
      for (const std::string& part : *parts)
        EXPECT_NE(file.find(part), std::string::npos) << part << "\nin\n" << file;
    }
  }
}

// Without materials the region stays one surface, "obszar", and VTU has
// no material array; a table of materials alone is enough to name them.
TEST(OpenMaterials, OnlyAMeshWithMaterialsChanges) {
  const auto plain = Square(0, 0);
  for (OpenFormat format : {OpenFormat::Msh41, OpenFormat::Msh22, OpenFormat::Vtu}) {
    const std::string file = EncodeOpenExport(*plain, format);
    EXPECT_NE(file.find("obszar"), std::string::npos);
    EXPECT_EQ(file.find("materia"), std::string::npos) << file;
  }
  EXPECT_NE(EncodeOpenExport(*plain, OpenFormat::Msh41)
                .find("$Entities\n0 0 1 0\n1 0 0 0 1 1 0 1 1 0\n$EndEntities\n$Nodes\n1 4 1 4\n2 1 0 4\n"),
            std::string::npos);
  EXPECT_NE(EncodeOpenExport(*plain, OpenFormat::Msh22).find("\n1 2 2 1 1 1 2 3\n2 2 2 1 1 1 3 4\n"),
            std::string::npos);
  auto tabled = Square(0, 0);
  ASSERT_EQ(AppendMaterial(*tabled, {"glina", 1.0f, 0.0f}), 1);
  EXPECT_NE(EncodeOpenExport(*tabled, OpenFormat::Msh41).find("\n1\n2 200 \"materiał 0: domyślny"),
            std::string::npos);
  tabled->meshTriangleCount = 0;  // no triangle, no material's surface: the one surface stays
  EXPECT_NE(EncodeOpenExport(*tabled, OpenFormat::Msh41).find("\n2 1 \"obszar\"\n"), std::string::npos);
}

// A generated mesh keeps its materials in its tags: the names describe
// the mesh as it was made, whatever the table holds afterwards.
TEST(OpenMaterials, NamesAreThoseOfTheMaterialsAsMeshed) {
  auto m = NewProject();
  ASSERT_TRUE(LoadProjectFile(std::string(EXAMPLES) + "/sciana-warstwowa.vdk", *m).ok);
  MesherOptions mesher;
  mesher.helperPath = MESHER_PATH;
  ASSERT_EQ(GenerateMesh(*m, 0.01, mesher), MeshOutcome::Success);
  ASSERT_EQ(m->meshTags->materials.size(), 3u);
  const std::string meshed = EncodeOpenExport(*m, OpenFormat::Msh41);
  for (const char* name :
       {"2 201 \"materiał 1: Cegła, λ 0.8, q 0\"\n", "2 202 \"materiał 2: Wełna mineralna, λ 0.04, q 0\"\n"})
    EXPECT_NE(meshed.find(name), std::string::npos) << name;
  m->MaterialTable[1].name = "Beton";
  m->MaterialTable[2].property1 = 1.0f;
  EXPECT_EQ(EncodeOpenExport(*m, OpenFormat::Msh41), meshed);
  ASSERT_EQ(GenerateMesh(*m, 0.01, mesher), MeshOutcome::Success);
  EXPECT_NE(EncodeOpenExport(*m, OpenFormat::Msh41).find("\"materiał 1: Beton, λ 0.8, q 0\""),
            std::string::npos);
}

}  // namespace
