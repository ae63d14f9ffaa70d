#include "core/files/Recovery.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kCopy = ".vdk", kName = ".name", kLock = ".lock";
// A name file holds one path; anything longer is not ours.
constexpr size_t kMaxNameBytes = 64 * 1024;

bool Exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

// Opens the lock file and locks it without waiting; an invalid descriptor
// when another program (or another copy in this one) holds it.
UniqueFd TakeLock(const std::string& path) {
  UniqueFd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
  if (fd.get() < 0) return fd;
  while (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
    if (errno != EINTR) return UniqueFd();
  }
  return fd;
}

// Unlinks a lock file only while it is still the one locked through fd: a
// program starting meanwhile may have made a new one under that name.
void RemoveLockFile(const std::string& path, const UniqueFd& fd) {
  struct stat byName {
  }, byFd{};
  if (fd.get() >= 0 && ::lstat(path.c_str(), &byName) == 0 && ::fstat(fd.get(), &byFd) == 0 &&
      byName.st_dev == byFd.st_dev && byName.st_ino == byFd.st_ino) {
    ::unlink(path.c_str());
  }
}

bool EndsWith(const std::string& s, std::string_view tail) {
  return s.size() > tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

std::string RecoveryFolder() {
  std::string base;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && data[0] == '/') {
    base = data;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
    base = std::string(home) + "/.local/share";
  } else {
    return {};
  }
  return base + "/vendrel-korbel/recovery";
}

RecoveryCopy::RecoveryCopy(std::string folder) : folder_(std::move(folder)) {}

RecoveryCopy::~RecoveryCopy() {
  // A copy kept for the next start keeps its lock file; it is unlocked
  // when the program ends, however it ends.
  if (lock_.get() >= 0 && !Exists(path_)) RemoveLockFile(lockPath_, lock_);
}

bool RecoveryCopy::lock() {
  if (lock_.get() >= 0) return true;
  std::error_code ec;
  fs::create_directories(folder_, ec);
  if (ec || !fs::is_directory(folder_, ec)) return false;
  // The copies may hold a user's work: the folder is the user's alone.
  fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::replace, ec);
  // The process id names the copy. A copy already under that name was left
  // by an ended program whose id this one got again; one locked is being
  // offered by a program starting now. Either keeps its name, and this
  // program takes the next free one.
  const std::string pid = std::to_string(::getpid());
  for (int n = 0; n < 100; ++n) {
    const std::string stem = folder_ + "/" + pid + (n == 0 ? std::string() : "-" + std::to_string(n));
    UniqueFd fd = TakeLock(stem + std::string(kLock));
    if (fd.get() < 0) continue;
    if (Exists(stem + std::string(kCopy))) continue;
    lock_ = std::move(fd);
    path_ = stem + std::string(kCopy);
    namePath_ = stem + std::string(kName);
    lockPath_ = stem + std::string(kLock);
    return true;
  }
  return false;
}

bool RecoveryCopy::write(std::string_view projectBytes, const std::string& projectName) {
  if (!lock()) return false;
  // The name first: a copy is never found beside another project's name.
  return WriteFileAtomically(namePath_, projectName) && WriteFileAtomically(path_, projectBytes);
}

void RecoveryCopy::remove() {
  if (lock_.get() < 0) return;
  ::unlink(path_.c_str());
  ::unlink(namePath_.c_str());
}

std::vector<LeftCopy> FindLeftCopies(const std::string& folder) {
  std::vector<LeftCopy> found;
  std::error_code ec;
  std::vector<std::string> stems;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (EndsWith(name, kCopy)) stems.push_back(name.substr(0, name.size() - kCopy.size()));
    if (EndsWith(name, kLock)) stems.push_back(name.substr(0, name.size() - kLock.size()));
  }
  std::sort(stems.begin(), stems.end());
  stems.erase(std::unique(stems.begin(), stems.end()), stems.end());
  for (const std::string& stem : stems) {
    const std::string base = folder + "/" + stem;
    LeftCopy copy;
    copy.lock = TakeLock(base + std::string(kLock));
    if (copy.lock.get() < 0) continue;  // its program runs, or another start offers it
    copy.path = base + std::string(kCopy);
    struct stat st {};
    if (::stat(copy.path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
      // A program that ended before its first copy was whole.
      ::unlink((base + std::string(kName)).c_str());
      RemoveLockFile(base + std::string(kLock), copy.lock);
      continue;
    }
    copy.writtenAt = st.st_mtime;
    copy.projectName = ReadWholeFile(base + std::string(kName), kMaxNameBytes).value_or(std::string());
    found.push_back(std::move(copy));
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const LeftCopy& a, const LeftCopy& b) { return a.writtenAt > b.writtenAt; });
  return found;
}

void DiscardLeftCopy(LeftCopy& copy) {
  if (copy.path.size() <= kCopy.size()) return;
  const std::string base = copy.path.substr(0, copy.path.size() - kCopy.size());
  ::unlink(copy.path.c_str());
  ::unlink((base + std::string(kName)).c_str());
  RemoveLockFile(base + std::string(kLock), copy.lock);
  copy.lock.reset();
}
