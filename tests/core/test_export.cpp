#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "core/Fixtures.h"
#include "core/TempDir.h"
#include "core/files/ExportFile.h"

namespace {

// Two triangles on the unit square's four corners.
std::unique_ptr<Model> TwoTriangleMesh() {
  auto m = NewProject();
  m->meshNodeCount = 4;
  m->meshTriangleCount = 2;
  const MeshNode corners[] = {{0, 0}, {1, 0}, {1, 1}, {0.5f, -2}};
  for (int32_t i = 1; i <= 4; ++i) m->MeshNodeTable[i] = corners[i - 1];
  m->MeshTriangleTable[1] = {1, 2, 3};
  m->MeshTriangleTable[2] = {1, 3, 4};
  return m;
}

// The expected bytes spelled out word by word, little-endian: a header,
// then the body every layout shares.
std::vector<uint8_t> Words(std::initializer_list<uint32_t> header) {
  constexpr uint32_t kOne = 0x3f800000, kHalf = 0x3f000000,
                     kMinusTwo = 0xc0000000;  // 1, 0.5 and -2 as floats
  std::vector<uint32_t> words = header;
  words.insert(words.end(), {1, 2, 3,    1, 3,    4,                       // corners
                             1, 1,                                         // one word per triangle
                             0, 0, kOne, 0, kOne, kOne, kHalf, kMinusTwo,  // coordinates
                             0, 0, 0,    0, 0,    0,    0,     0});        // two zeros per node
  std::vector<uint8_t> bytes;
  for (uint32_t w : words)
    bytes.insert(bytes.end(), {uint8_t(w), uint8_t(w >> 8), uint8_t(w >> 16), uint8_t(w >> 24)});
  return bytes;
}

TEST(Export, EachLayoutByteForByte) {
  const auto m = TwoTriangleMesh();
  EXPECT_EQ(EncodeExport(*m, ExportLayout::M2d), Words({2, 4, 0, 0, 0, 0x3f800000}));
  EXPECT_EQ(EncodeExport(*m, ExportLayout::Ulx), Words({2, 4, 0, 0, 0}));
  EXPECT_EQ(EncodeExport(*m, ExportLayout::N2d), Words({2, 4, 0, 0, 0, 0x3f800000, 0}));
  EXPECT_EQ(EncodeExport(*m, ExportLayout::M2d).size(), 120u);
}

TEST(Export, LayoutFollowsTheLastThreeCharactersWithExactCase) {
  const std::pair<const char*, ExportLayout> names[] = {{"/tmp/a.ulx", ExportLayout::Ulx},
                                                        {"/tmp/a.ULX", ExportLayout::Ulx},
                                                        {"/tmp/a.Ulx", ExportLayout::M2d},
                                                        {"/tmp/a.n2d", ExportLayout::N2d},
                                                        {"/tmp/a.N2D", ExportLayout::N2d},
                                                        {"/tmp/a.n2D", ExportLayout::M2d},
                                                        {"/tmp/a.m2d", ExportLayout::M2d},
                                                        {"/tmp/a.txt", ExportLayout::M2d},
                                                        {"aulx", ExportLayout::Ulx},
                                                        {"ux", ExportLayout::M2d},
                                                        {"", ExportLayout::M2d}};
  for (const auto& [name, layout] : names) EXPECT_EQ(LayoutForName(name), layout) << name;
}

int ExportPastFileSizeLimit(void* arg) {
  std::signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{50, 50};
  if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 10;
  return WriteExportFile(*TwoTriangleMesh(), ExportLayout::M2d, *static_cast<std::string*>(arg)).ok ? 1 : 0;
}

TEST(Export, WritesReplacesAndReportsFailuresKeepingTheOldFile) {
  TempDir dir;
  const auto m = TwoTriangleMesh();
  std::string path = dir.file("mesh.n2d");
  ASSERT_TRUE(WriteExportFile(*m, ExportLayout::Ulx, path).ok);
  ASSERT_TRUE(WriteExportFile(*m, ExportLayout::N2d, path).ok) << "a second export replaces the first";
  const std::string bytes = ReadFileBytes(path);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()), EncodeExport(*m, ExportLayout::N2d));

  const FileResult r = WriteExportFile(*m, ExportLayout::M2d, dir.file("missing/mesh.m2d"));
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.message, "Nie można zapisać do pliku\nPrzyczyna: folder nie istnieje.");
  EXPECT_EQ(RunInChild(ExportPastFileSizeLimit, &path), 0) << "a full disk";
  EXPECT_EQ(ReadFileBytes(path), bytes);
}

}  // namespace
