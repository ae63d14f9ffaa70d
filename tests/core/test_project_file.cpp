#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <clocale>
#include <cmath>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <locale>

#include "core/Fixtures.h"
#include "core/TempDir.h"
#include "core/files/ExitCleanup.h"
#include "core/files/ProjectFile.h"
#include "core/files/SafeFile.h"
#include "core/files/ShownName.h"

namespace {

std::unique_ptr<Model> ThreeNodeModel() {
  auto m = TriangleProject();
  m->ProblemKind = 10;
  return m;
}

const std::string kThreeNodeFile = ReadFileBytes(TestData("triangle.vdk"));

// Every table filled to its capacity with distinct values.
std::unique_ptr<Model> FullModel() {
  auto m = NewProject();
  for (int i = 1; i <= kMaxNodes; ++i) (void)AppendNode(*m, Node{i * 0.37f - 50.0f, 1.0f / i});
  for (int i = 1; i <= kMaxElements; ++i) {
    (void)AppendElement(*m, Element{i % kMaxNodes + 1, (i * 7) % kMaxNodes + 1, i % 5 + 1, i % 3 + 1});
  }
  for (int i = 1; i <= kMaxConditions; ++i) {
    m->BcTable[i] = BoundaryCondition{float(i % 3 + 1), i * 0.5f, -i * 0.25f, 3, 4, 5, float(i)};
  }
  for (int i = 1; i <= kMaxInternalNodes; ++i)
    (void)AppendInternalNode(*m, InternalNode{i * 0.5f, -i * 0.125f});
  m->bcCount = kMaxConditions;
  while (AppendBoundary(*m, Boundary{2}) != 0) {
  }
  m->Conductivity = 2.5f;
  m->SecondProperty = 0.75f;
  m->ProblemKind = 3;
  return m;
}

// Rows 1..count of a table, byte for byte.
template <typename Table>
bool SameRows(const Table& a, const Table& b, int32_t count) {
  return count == 0 || std::memcmp(&a[1], &b[1], sizeof a[1] * size_t(count)) == 0;
}

void ExpectSameData(const Model& a, const Model& b) {
  ASSERT_EQ(std::vector({a.nodeCount, a.elementCount, a.bcCount, a.boundaryCount, a.internalNodeCount}),
            std::vector({b.nodeCount, b.elementCount, b.bcCount, b.boundaryCount, b.internalNodeCount}));
  EXPECT_TRUE(SameRows(a.NodeTable, b.NodeTable, a.nodeCount));
  EXPECT_TRUE(SameRows(a.ElementTable, b.ElementTable, a.elementCount));
  EXPECT_TRUE(SameRows(a.BcTable, b.BcTable, a.bcCount));
  EXPECT_TRUE(SameRows(a.BoundaryTable, b.BoundaryTable, a.boundaryCount));
  EXPECT_TRUE(SameRows(a.InternalNodeTable, b.InternalNodeTable, a.internalNodeCount));
  EXPECT_EQ(std::vector({a.Conductivity, a.SecondProperty}), std::vector({b.Conductivity, b.SecondProperty}));
  EXPECT_EQ(a.ProblemKind, b.ProblemKind);
}

void ExpectResetData(const Model& m) {
  EXPECT_EQ(std::vector({m.nodeCount, m.elementCount, m.internalNodeCount, m.bcCount, m.boundaryCount,
                         m.ProblemKind}),
            std::vector({0, 0, 0, 1, 1, 1}));
}

TEST(ProjectFileWriter, ExactBytesPrecisionAndEmptySections) {
  EXPECT_EQ(FormatProjectFile(*ThreeNodeModel()), kThreeNodeFile);
  auto m = NewProject();
  (void)AppendNode(*m, Node{0.1f, -2.5f});
  (void)AppendInternalNode(*m, InternalNode{0.1f, 1e-7f});
  m->BcTable[1].value1 = 123456.789f;
  EXPECT_EQ(FormatProjectFile(*m), ReadFileBytes(TestData("precision.vdk")));
  m->internalNodeCount = 0;
  EXPECT_NE(FormatProjectFile(*m).find("1.000000 0.000000\r\n1\r\nKoniec pliku"), std::string::npos)
      << "no line between the properties and the problem kind";
}

// A full model saved and read back under a Polish C library locale, where
// printf would write decimal commas: the file and the tables stay exact.
TEST(ProjectFileReader, FullCapacityRoundTripThroughDiskInAPolishLocale) {
  ASSERT_NE(std::setlocale(LC_ALL, "pl_PL.UTF-8"), nullptr) << "the pl_PL.UTF-8 locale is not installed";
  const std::locale old = std::locale::global(std::locale("pl_PL.UTF-8"));  // and the streams' locale
  char probe[32];
  std::snprintf(probe, sizeof probe, "%f", 10.0);
  TempDir dir;
  const auto full = FullModel();
  const FileResult saved = SaveProjectFile(*full, dir.file("full.vdk"));
  auto back = NewProject();
  const FileResult r = LoadProjectFile(dir.file("full.vdk"), *back);
  const std::string three = FormatProjectFile(*ThreeNodeModel());
  std::setlocale(LC_ALL, "C");
  std::locale::global(old);
  ASSERT_STREQ(probe, "10,000000") << "the locale must really be Polish for this test";
  EXPECT_EQ(three, kThreeNodeFile);
  ASSERT_TRUE(saved.ok && r.ok) << r.message;
  ExpectSameData(*full, *back);
  EXPECT_EQ(std::filesystem::directory_iterator(dir.path())->path().filename(), "full.vdk")
      << "no temporary file is left behind";
}

TEST(ProjectFileReader, AcceptsAnyWhiteSpaceNoEndMarkerAndKeepsWhatNothingShows) {
  auto m = FullModel();
  m->meshTriangleCount = 5;
  const FileResult r = ParseProjectFile(
      "3 3\t1 1 0 0 0 10 0\n\n0 10\n1 2 1 1 2 3 1 1 3 1 1 1\n"
      "+2.0 0 0 0 0 0 -0 1 1.5 .5 10",
      *m);
  ASSERT_TRUE(r.ok) << r.message;
  auto expected = ThreeNodeModel();
  expected->Conductivity = 1.5f;
  expected->SecondProperty = 0.5f;
  expected->BcTable[1].value6 = -0.0f;
  ExpectSameData(*expected, *m);
  EXPECT_EQ(m->meshTriangleCount, 0) << "an opened model has no mesh";

  // Conditions and boundaries past what the elements use, and NaN and
  // infinity as scanf reads them.
  const std::string file =
      "2 1 5 3 0\r\nnan 0\r\n1 inf\r\n1 2 5 3\r\n"
      "1 1 2 3 4 5 6\r\n2 0 0 0 0 0 0\r\n3 1 1 1 0 0 0\r\n1.5 7 7 7 7 7 7\r\n2 9 9 9 9 9 9\r\n"
      "1\r\n2\r\n2\r\n1.000000 0.000000\r\n10\r\nKoniec pliku";
  ASSERT_TRUE(ParseProjectFile(file, *m).ok);
  EXPECT_EQ(std::vector({m->bcCount, m->boundaryCount, m->BoundaryTable[3].kind}), std::vector({5, 3, 2}));
  EXPECT_EQ(m->BcTable[4].kind, 1.5f);
  EXPECT_TRUE(std::isnan(m->NodeTable[1].x) && std::isinf(m->NodeTable[2].y));
  m->NodeTable[1].x = 0;
  auto again = NewProject();
  ASSERT_TRUE(ParseProjectFile(FormatProjectFile(*m), *again).ok);
  ExpectSameData(*m, *again);
  // Values no kind uses are kept as read, NaN among them, and written back
  // as they were.
  const std::string kept = "1.000000 100.000000 nan -nan inf -inf nan\r\n";
  std::string text = kThreeNodeFile;
  const size_t row = text.find("2.000000 0.000000");
  text.replace(row, text.find("\r\n", row) + 2 - row, kept);
  ASSERT_TRUE(ParseProjectFile(text, *again).ok);
  EXPECT_EQ(FormatProjectFile(*again), text);
}

// Names from outside are shown with what would not show as itself written
// out; Polish letters and other printable text stay as they are.
TEST(ShownName, ControlAndDirectionCharactersAndBrokenUtf8AreWrittenOut) {
  const std::pair<std::string, std::string> names[] = {
      {"/dom/płyta żebro.vdk", "/dom/płyta żebro.vdk"},
      {"a\u200Fb.vdk", "a\\u{200F}b.vdk"},
      {"\u202Ekdv.exe", "\\u{202E}kdv.exe"},
      {"x\u2066y\u2069\u061C\u200E", "x\\u{2066}y\\u{2069}\\u{061C}\\u{200E}"},
      {"a\nb\tc\x7f", "a\\u{000A}b\\u{0009}c\\u{007F}"},
      {std::string("n\0l", 3), "n\\u{0000}l"},
      {"\u0085\u00AD\uFEFF\u2028", "\\u{0085}\\u{00AD}\\u{FEFF}\\u{2028}"},
      {"\U000E0041\U0001F600", "\\u{E0041}\U0001F600"},
      {"\xff\xc5", "\\x{FF}\\x{C5}"},                                   // a stray byte, a sequence cut short
      {"\xc0\xaf\xed\xa0\x80", "\\x{C0}\\x{AF}\\x{ED}\\x{A0}\\x{80}"},  // overlong, a surrogate
      {"\xf4\x90\x80\x80z", "\\x{F4}\\x{90}\\x{80}\\x{80}z"},           // past U+10FFFF
  };
  for (const auto& [name, shown] : names) EXPECT_EQ(ShownName(name), shown) << name;
}

TEST(ProjectFileReader, RefusesBadFilesWithAMessageAndAResetModel) {
  ASSERT_EQ(std::distance(std::filesystem::directory_iterator(TestData("bad")), {}), 16);
  for (const auto& bad : std::filesystem::directory_iterator(TestData("bad"))) {
    auto m = FullModel();
    const FileResult r = LoadProjectFile(bad.path(), *m);
    EXPECT_FALSE(r.ok || r.message.empty()) << bad.path();
    ExpectResetData(*m);
  }
  // A number past its field's range says which way, and its line; a text
  // that is no number keeps its own message.
  const std::string floats = " (to pole przyjmuje liczby od -3.4028235e+38 do 3.4028235e+38)";
  const std::pair<std::string, std::string> messages[] = {
      {"300 0 1 1 0", "Plik zawiera błędną liczbę węzłów: 300 (dopuszczalna od 0 do 299)"},
      {"1 0 1 1 0\r\n1e308 0", "liczba 1e308 w wierszu 2 jest za duża" + floats},
      {"1 0 1 1 0\n\n0 -0.1e40", "liczba -0.1e40 w wierszu 3 jest za mała" + floats},
      {"1 0 1 1 0\n0 0\n2 0 1e-50",
       "liczba 1e-50 w wierszu 3 jest za bliska zera (najmniejsza liczba różna od "
       "zera, jaką przyjmuje to pole, to 1e-45)"},
      {"1 3000000000 1 1 0",
       "liczba 3000000000 w wierszu 1 jest za duża (to pole przyjmuje liczby od "
       "-2147483648 do 2147483647)"},
      {"1 0 1 1 0\n" + std::string(50, '9') + " 0",
       "liczba " + std::string(40, '9') + "… w wierszu 2 jest za duża" + floats},
      {"1 0 1 1 0\n0x1 0", "w miejscu liczby stoi inny tekst"},
      {"1 0 1 1 0\n1e 0", "w miejscu liczby stoi inny tekst"},
  };
  auto m = FullModel();
  for (const auto& [text, message] : messages) {
    const std::string full =
        message.starts_with("Plik") ? message : "Plik zawiera niepoprawne dane: " + message;
    EXPECT_EQ(ParseProjectFile(text, *m).message, full) << text;
  }
  TempDir dir;
  for (const std::string& unreadable : {dir.file("missing.vdk"), dir.path()}) {
    m = FullModel();
    EXPECT_EQ(LoadProjectFile(unreadable, *m).message, "Nie można odczytać pliku") << unreadable;
    ExpectResetData(*m);
  }
}

// A save as an ordinary user: an existing file is written only when the
// user may write it, also in a folder the user cannot write (in place then).
int SaveAsNobody(void* path) {
  if (::getuid() == 0 && ::setuid(65534) != 0) return 10;
  return SaveProjectFile(*ThreeNodeModel(), *static_cast<std::string*>(path)).ok ? 1 : 0;
}

// The same user in a folder they cannot write, with a disk that is full
// after 100 bytes: the file they may write is rewritten in place or not at all.
int SaveInPlaceOnAFullDisk(void* path) {
  std::signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{100, 100};
  if ((::getuid() == 0 && ::setuid(65534) != 0) || ::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 10;
  return SaveProjectFile(*FullModel(), *static_cast<std::string*>(path)).ok ? 1 : 0;
}

TEST(ProjectFileWriter, SaveFollowsWhatTheUserMayWrite) {
  struct Case {
    const char* what;
    mode_t file;  // 0: no file there yet
    mode_t folder;
    bool saved;
  };
  const Case cases[] = {
      {"read-only file in a writable folder", 0444, 0777, false},
      {"writable file in a read-only folder", 0666, 0555, true},
      {"new file in a read-only folder", 0, 0555, false},
      {"new file in a writable folder", 0, 0777, true},
  };
  for (const Case& c : cases) {
    TempDir dir;
    ::chmod(dir.path().c_str(), 0755);
    const std::string folder = dir.file("f");
    std::filesystem::create_directory(folder);
    std::string path = folder + "/project.vdk";
    if (c.file != 0) {
      WriteFileBytes(path, "previous content");
      ::chmod(path.c_str(), c.file);
    }
    ::chmod(folder.c_str(), c.folder);
    EXPECT_EQ(RunInChild(SaveAsNobody, &path), c.saved ? 1 : 0) << c.what;
    ::chmod(folder.c_str(), 0755);
    if (c.saved || c.file != 0) {
      EXPECT_EQ(ReadFileBytes(path), c.saved ? kThreeNodeFile : "previous content") << c.what;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), c.file != 0 || c.saved ? 1 : 0)
        << c.what << ": no temporary file is left";
    if (c.file == 0666 && c.folder == 0555) {
      ::chmod(folder.c_str(), c.folder);
      EXPECT_EQ(RunInChild(SaveInPlaceOnAFullDisk, &path), 0);
      EXPECT_EQ(ReadFileBytes(path), kThreeNodeFile) << "a full disk leaves the old file whole";
      ::chmod(folder.c_str(), 0755);
    }
  }
}

// Where the new bytes go: a file of no name, a named file (where the file
// system makes no unnamed ones), or the target itself (where no file can be
// made beside it).
enum class Way { Unnamed, Named, InPlace };
Way way;
WriteStep failing;
int signalToRaise;
int Fail(WriteStep step) {
  if (way != Way::Unnamed && step == WriteStep::CreateUnnamed) return EOPNOTSUPP;
  if (way == Way::InPlace && step == WriteStep::CreateTemp) return EACCES;
  if (signalToRaise != 0 && step == WriteStep::Write) std::raise(signalToRaise);
  return step == failing ? EIO : 0;
}

// Each step of a write fails in turn, each way: the old file stays byte for
// byte, nothing else is left in its folder, and the result carries the
// step's errno. A file that cannot be made is no failure: the next way is
// taken.
TEST(SafeWrite, AFailureAtAnyStepKeepsTheOldFile) {
  const std::string big(1 << 20, 'n');  // more than the old file: the in-place write must grow it
  signalToRaise = 0;
  for (const Way w : {Way::Unnamed, Way::Named, Way::InPlace}) {
    for (const WriteStep step : {WriteStep::OpenTarget, WriteStep::CreateUnnamed, WriteStep::CreateTemp,
                                 WriteStep::Reserve, WriteStep::Write, WriteStep::Sync, WriteStep::Rename}) {
      TempDir dir;
      const std::string path = dir.file("target");
      WriteFileBytes(path, "previous content");
      way = w;
      failing = step;
      SetWriteStepHook(Fail);
      const WriteResult written = WriteFileAtomically(path, big);
      SetWriteStepHook(nullptr);
      const bool fails = step != WriteStep::CreateUnnamed && step != WriteStep::CreateTemp &&
                         !(w == Way::InPlace && step == WriteStep::Rename);
      EXPECT_EQ(written.error, fails ? EIO : 0) << int(w) << " " << int(step);
      EXPECT_TRUE(ReadFileBytes(path) == (fails ? "previous content" : big)) << int(w) << " " << int(step);
      EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    }
  }
}

// A signal in the middle of a write ends the program; what it leaves:
// nothing beside the old file (an unnamed file vanishes even with SIGKILL;
// a named one is removed on the way out), or in place, the whole new file,
// since the write finishes first.
int WriteUntilTheSignal(void* path) {
  InstallExitCleanup();
  failing = WriteStep::Rename;  // never reached: the signal comes first, or in place there is none
  SetWriteStepHook(Fail);
  (void)WriteFileAtomically(*static_cast<std::string*>(path), "new content");
  return 0;  // reached only if the signal did not end the program
}

TEST(SafeWrite, ASignalLeavesNoTemporaryFileAndNoHalfFile) {
  for (const int sig : {SIGTERM, SIGINT, SIGKILL}) {
    for (const Way w : {Way::Unnamed, Way::Named, Way::InPlace}) {
      if (sig == SIGKILL && w == Way::Named) continue;  // nothing can remove that one
      TempDir dir;
      std::string path = dir.file("target");
      WriteFileBytes(path, "previous content");
      signalToRaise = sig;
      way = w;
      const pid_t pid = ::fork();
      if (pid == 0) ::_exit(WriteUntilTheSignal(&path));
      int status = 0;
      ::waitpid(pid, &status, 0);
      EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << sig << " " << int(w);
      const bool finished = w == Way::InPlace && sig != SIGKILL;
      EXPECT_EQ(ReadFileBytes(path), finished ? "new content" : "previous content") << sig << " " << int(w);
      EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1)
          << sig << " " << int(w);
    }
  }
  signalToRaise = 0;
}

int SaveWithTinyFileSizeLimit(void* path) {
  std::signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{100, 100};  // a full disk after 100 bytes
  if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 10;
  const FileResult r = SaveProjectFile(*FullModel(), *static_cast<std::string*>(path));
  return !r.ok && r.message ==
                      "Nie można zapisać do pliku\nPrzyczyna: plik byłby za duży dla tego systemu plików."
             ? 0
             : 1;
}

TEST(ProjectFileWriter, FailedSaveKeepsThePreviousFileAndLongNamesSave) {
  TempDir dir;
  std::string path = dir.file("project.vdk");
  WriteFileBytes(path, "previous content");
  EXPECT_EQ(RunInChild(SaveWithTinyFileSizeLimit, &path), 0);
  EXPECT_EQ(ReadFileBytes(path), "previous content");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1)
      << "the temporary file is removed";
  EXPECT_FALSE(SaveProjectFile(*ThreeNodeModel(), dir.file("no/such/folder.vdk")).ok);
  // A name at the file system's limit leaves no room for a longer temporary name.
  const std::string longest =
      dir.file(std::string(::pathconf(dir.path().c_str(), _PC_NAME_MAX) - 4, 'a') + ".vdk");
  EXPECT_TRUE(SaveProjectFile(*ThreeNodeModel(), longest).ok);
  EXPECT_EQ(ReadFileBytes(longest), kThreeNodeFile);
}

TEST(ProjectFileWriter, SaveReplacesThroughALinkAndKeepsPermissions) {
  TempDir dir;
  const std::string real = dir.file("real.vdk");
  WriteFileBytes(real, "old");
  ::chmod(real.c_str(), 0640);
  std::filesystem::create_symlink(real, dir.file("link.vdk"));
  ASSERT_TRUE(SaveProjectFile(*ThreeNodeModel(), dir.file("link.vdk")).ok);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.vdk")));
  EXPECT_EQ(ReadFileBytes(real), kThreeNodeFile);
  struct stat st {};
  ::stat(real.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

}  // namespace
