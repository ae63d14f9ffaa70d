// Recovery copies: where they live, that each running program keeps its
// own, and that the copy of a program killed outright is found whole while
// those of running programs are not.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <set>

#include "core/Fixtures.h"
#include "core/TempDir.h"
#include "core/files/ProjectFile.h"
#include "core/files/Recovery.h"

namespace {

namespace fs = std::filesystem;

std::set<std::string> FilesIn(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

// Sets an environment variable (or unsets it for nullopt) for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
  }
  ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(Recovery, FolderIsInTheUsersDataFolder) {
  const struct {
    std::optional<std::string> data, home;
    std::string folder;
  } cases[] = {
      {"/d/data", "/h", "/d/data/vendrel-korbel/recovery"},
      {std::nullopt, "/h", "/h/.local/share/vendrel-korbel/recovery"},
      {"", "/h", "/h/.local/share/vendrel-korbel/recovery"},
      {"relative/data", "/h", "/h/.local/share/vendrel-korbel/recovery"},
      {"/d", std::nullopt, "/d/vendrel-korbel/recovery"},
      {std::nullopt, std::nullopt, ""},
  };
  for (const auto& c : cases) {
    const ScopedEnv data("XDG_DATA_HOME", c.data), home("HOME", c.home);
    EXPECT_EQ(RecoveryFolder(), c.folder) << c.data.value_or("(unset)");
  }
}

// Two copies in one folder (two programs, or two in one) never share a
// file; a removed one leaves nothing, an ended one leaves its copy.
TEST(Recovery, CopiesStaySeparateAndAreRemovedWhole) {
  const TempDir dir;
  const std::string folder = dir.file("a/b/recovery");
  auto first = std::make_unique<RecoveryCopy>(folder);
  auto second = std::make_unique<RecoveryCopy>(folder);
  ASSERT_TRUE(first->write("first", "/x/one.vdk"));
  ASSERT_TRUE(second->write("second", ""));
  ASSERT_NE(first->path(), second->path());
  EXPECT_EQ(ReadFileBytes(first->path()), "first");
  EXPECT_EQ(ReadFileBytes(second->path()), "second");
  EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
  EXPECT_TRUE(FindLeftCopies(folder).empty()) << "both programs still run";

  ASSERT_TRUE(first->write("first again", "/x/one.vdk"));
  EXPECT_EQ(ReadFileBytes(first->path()), "first again");
  first->remove();
  EXPECT_FALSE(fs::exists(first->path()));
  const std::string kept = second->path();
  first.reset();
  second.reset();
  EXPECT_EQ(FilesIn(folder).size(), 3u) << "the kept copy, its name and its lock";
  std::vector<LeftCopy> left = FindLeftCopies(folder);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].path, kept);
  EXPECT_EQ(left[0].projectName, "");
  DiscardLeftCopy(left[0]);
  EXPECT_TRUE(FilesIn(folder).empty());

  // A folder that cannot be made is a failed write, not a crash.
  WriteFileBytes(dir.file("plain"), "x");
  EXPECT_FALSE(RecoveryCopy(dir.file("plain/recovery")).write("x", ""));
}

// A copy left under this program's own id (by an ended program whose id
// was given again) is neither overwritten nor taken for this one's.
TEST(Recovery, CopyOfAnEndedProgramWithTheSameIdIsKept) {
  const TempDir dir;
  const std::string stale = dir.file(std::to_string(::getpid()) + ".vdk");
  WriteFileBytes(stale, "left before");
  RecoveryCopy copy(dir.path());
  ASSERT_TRUE(copy.write("mine", ""));
  EXPECT_NE(copy.path(), stale);
  EXPECT_EQ(ReadFileBytes(stale), "left before");
  const std::vector<LeftCopy> left = FindLeftCopies(dir.path());
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].path, stale);
}

// A program killed outright (SIGKILL, no handler runs) leaves its last
// copy, found whole with its project's name and time; while it ran, and
// while another start offers it, it is not offered.
TEST(Recovery, KilledProgramsCopyIsFoundWhole) {
  const TempDir dir;
  const std::string folder = dir.file("recovery");
  auto model = TriangleProject();
  (void)AppendInternalNode(*model, InternalNode{2.5f, 1.25f});
  const std::string project = FormatProjectFile(*model);
  const std::string name = "/home/u/ściana żebra.vdk";
  const std::time_t before = std::time(nullptr);

  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    RecoveryCopy copy(folder);
    const bool written = copy.write("an older state", name) && copy.write(project, name);
    (void)!::write(ready[1], written ? "1" : "0", 1);
    for (;;) ::pause();
  }
  ::close(ready[1]);
  char written = 0;
  ASSERT_EQ(::read(ready[0], &written, 1), 1);
  ::close(ready[0]);
  const bool alive = FindLeftCopies(folder).empty();
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_EQ(written, '1');
  EXPECT_TRUE(alive) << "the copy of a running program was offered";
  ASSERT_TRUE(WIFSIGNALED(status));

  std::vector<LeftCopy> left = FindLeftCopies(folder);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(ReadFileBytes(left[0].path), project);
  EXPECT_EQ(left[0].projectName, name);
  EXPECT_GE(left[0].writtenAt, before);
  EXPECT_LE(left[0].writtenAt, std::time(nullptr));
  auto restored = std::make_unique<Model>();
  ASSERT_TRUE(LoadProjectFile(left[0].path, *restored).ok);
  EXPECT_EQ(FormatProjectFile(*restored), project);
  EXPECT_TRUE(FindLeftCopies(folder).empty()) << "offered twice at once";
  left.clear();
  left = FindLeftCopies(folder);
  ASSERT_EQ(left.size(), 1u) << "a copy not discarded waits for the next start";
  DiscardLeftCopy(left[0]);
  EXPECT_TRUE(FilesIn(folder).empty());
}

}  // namespace
