#include "core/files/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>
#include <utility>

#include "core/files/ExitCleanup.h"

bool WriteAllToFd(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

bool ReadAllFromFd(int fd, std::string& out, size_t maxBytes) {
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return true;
    if (out.size() + static_cast<size_t>(n) > maxBytes) return false;
    out.append(buffer, static_cast<size_t>(n));
  }
}

bool UniqueFd::reset() {
  return fd_ < 0 || ::close(std::exchange(fd_, -1)) == 0;
}

namespace {

int (*stepHook)(WriteStep) = nullptr;

// False, with errno set, when the test hook fails this step.
bool Allowed(WriteStep step) {
  const int fault = stepHook != nullptr ? stepHook(step) : 0;
  if (fault != 0) errno = fault;
  return fault == 0;
}

bool WriteAllAt(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

bool ReadAllAt(int fd, std::string& out, size_t size) {
  out.resize(size);
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pread(fd, out.data() + done, size - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Rewrites the open target itself: the fallback when no temporary file can
// be made beside it. The room for the new bytes is reserved before any old
// byte goes, so a full disk refuses the write untouched; should the write
// fail all the same, the old bytes go back into the room they had. A signal
// that would end the program waits until the file is whole again. False,
// with errno set, on a failure.
bool WriteInPlace(int fd, std::string_view bytes) {
  struct stat st {};
  std::string old;
  if (::fstat(fd, &st) != 0 || !ReadAllAt(fd, old, static_cast<size_t>(st.st_size))) return false;
  if (bytes.size() > old.size()) {
    if (!Allowed(WriteStep::Reserve)) return false;
    int rc;
    do {
      rc = ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(bytes.size()));
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) return false;  // no room, or a file system that cannot promise it
  }
  const HoldExitSignals hold;
  const bool ok = Allowed(WriteStep::Write) && WriteAllAt(fd, bytes) &&
                  ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && Allowed(WriteStep::Sync) &&
                  ::fdatasync(fd) == 0;
  if (!ok) {
    const int why = errno;
    if (WriteAllAt(fd, old) && ::ftruncate(fd, static_cast<off_t>(old.size())) == 0) ::fdatasync(fd);
    errno = why;
  }
  return ok;
}

// False when the file system says there is no room; one that cannot
// reserve at all leaves it to the write.
bool RoomFor(int fd, size_t size) {
  const int rc = ::posix_fallocate(fd, 0, static_cast<off_t>(size));
  errno = rc;
  return rc != ENOSPC && rc != EFBIG && rc != EDQUOT;
}

std::string ResolveLink(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr) return resolved;
  }
  return path;
}

// The result of a failed write: the errno of the step that failed, taken
// before anything after it (a close, an unlink) can change it.
WriteResult Failed(int error) {
  return WriteResult{error != 0 ? error : EIO};
}

// Opens the existing target for writing, read-write where it may be read;
// false, with errno set, when it cannot.
bool OpenTarget(const std::string& path, UniqueFd& target) {
  if (!Allowed(WriteStep::OpenTarget)) return false;
  target = UniqueFd(::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY));
  if (target.get() < 0 && errno == EACCES)
    target = UniqueFd(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
  return target.get() >= 0;
}

// A new name for a temporary file in `dir` (empty or ending in '/'). It is
// short, so a target name at the file system's limit still has room for it.
std::string TempName(const std::string& dir) {
  static std::atomic<unsigned> counter{0};
  return dir + ".vk" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
}

// The file the new bytes go to before it takes the target's name.
struct TempFile {
  std::string name;                        // empty while it has none
  std::optional<CleanupTempFile> cleanup;  // removes the named file should a signal end the program
  UniqueFd fd;
  bool unnamed = false;
};

// Creates the temporary file in `dir`: one of no name where the file system
// has them (so that nothing is left behind even if the program is killed
// outright), else a named one. The errno of the last creation that failed.
int CreateTemp(const std::string& dir, TempFile& temp) {
  if (Allowed(WriteStep::CreateUnnamed) && ::access("/proc/self/fd", X_OK) == 0) {
    temp.fd = UniqueFd(::open(dir.empty() ? "." : dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    temp.unnamed = temp.fd.get() >= 0;
  }
  int createError = 0;
  for (int attempt = 0; attempt < 100 && temp.fd.get() < 0; ++attempt) {
    temp.name = TempName(dir);
    if (!Allowed(WriteStep::CreateTemp)) {
      createError = errno;
      break;
    }
    // Watched before it exists, so a signal never leaves it behind.
    temp.cleanup.emplace(temp.name);
    temp.fd = UniqueFd(::open(temp.name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    createError = errno;
    if (temp.fd.get() < 0) temp.cleanup.reset();
    if (temp.fd.get() < 0 && createError != EEXIST) break;
  }
  return createError;
}

// Passes a step's success through, keeping the errno of the first step
// that failed.
struct FirstError {
  int error = 0;
  bool operator()(bool done) {
    if (!done && error == 0) error = errno != 0 ? errno : EIO;
    return done;
  }
};

// Gives the temporary file the old target's permissions (`old` when the
// target existed) and the new bytes, on the disk.
bool FillTemp(int fd, const struct stat* old, std::string_view bytes, FirstError& step) {
  bool ok = true;
  if (old != nullptr) ok = step(::fchmod(fd, old->st_mode & 07777) == 0);
  // A disk too full for the whole file says so before a byte is written.
  ok = ok && step(Allowed(WriteStep::Reserve) && (bytes.empty() || RoomFor(fd, bytes.size())));
  ok = ok && step(Allowed(WriteStep::Write) && WriteAllToFd(fd, bytes));
  ok = ok && step(Allowed(WriteStep::Sync) && ::fdatasync(fd) == 0);
  return ok && step(Allowed(WriteStep::Rename));
}

// Gives the file of no name a temporary name in `dir`, from which it
// takes the target's; false, with errno set, when it cannot.
bool NameUnnamed(const std::string& dir, TempFile& temp) {
  const std::string self = "/proc/self/fd/" + std::to_string(temp.fd.get());
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp.name = TempName(dir);
    temp.cleanup.emplace(temp.name);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.name.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
    const int linkError = errno;
    temp.cleanup.reset();
    errno = linkError;
    if (linkError != EEXIST) break;
  }
  return false;
}

}  // namespace

void SetWriteStepHook(int (*hook)(WriteStep)) {
  stepHook = hook;
}

WriteResult WriteFileAtomically(const std::string& requested, std::string_view bytes) {
  const std::string path = ResolveLink(requested);
  const size_t slash = path.find_last_of('/');
  const std::string dir = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  if (slash + 1 == path.size()) return Failed(EISDIR);

  // An existing target must be one this user may write; holding it open
  // also serves for a write in place when no temporary file can be made.
  struct stat old {};
  const bool existed = ::stat(path.c_str(), &old) == 0;
  if (existed && !S_ISREG(old.st_mode)) return Failed(S_ISDIR(old.st_mode) ? EISDIR : kNotRegularFile);
  UniqueFd target;
  if (existed && !OpenTarget(path, target)) return Failed(errno);

  // The new bytes go to a temporary file in the target's folder; the name,
  // given only once the bytes are safe, then becomes the target's.
  TempFile temp;
  const int createError = CreateTemp(dir, temp);
  if (temp.fd.get() < 0) {
    if (!existed) return Failed(createError);
    return WriteInPlace(target.get(), bytes) ? WriteResult{} : Failed(errno);
  }
  FirstError step;
  bool ok = FillTemp(temp.fd.get(), existed ? &old : nullptr, bytes, step);
  if (ok && temp.unnamed) ok = step(NameUnnamed(dir, temp));
  ok = step(temp.fd.reset()) && ok;
  ok = ok && step(::rename(temp.name.c_str(), path.c_str()) == 0);
  if (!ok && !temp.name.empty() && temp.cleanup) ::unlink(temp.name.c_str());
  return ok ? WriteResult{} : Failed(step.error);
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa {
  }, sb{};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

std::optional<std::string> ReadWholeFile(const std::string& path, size_t maxBytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<size_t>(st.st_size) > maxBytes) {
    ::close(fd);
    return std::nullopt;
  }
  std::string text;
  const bool ok = ReadAllFromFd(fd, text, maxBytes);
  ::close(fd);
  if (!ok) return std::nullopt;
  return text;
}
