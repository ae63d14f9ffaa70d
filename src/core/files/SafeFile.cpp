#include "core/files/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <utility>

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

// Writes over the open target itself: the fallback when no temporary file
// can be made beside it.
bool WriteInPlace(int fd, std::string_view bytes) {
  return ::ftruncate(fd, 0) == 0 && WriteAllToFd(fd, bytes) && ::fdatasync(fd) == 0;
}

std::string ResolveLink(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr) return resolved;
  }
  return path;
}

}  // namespace

bool WriteFileAtomically(const std::string& requested, std::string_view bytes) {
  const std::string path = ResolveLink(requested);
  const size_t slash = path.find_last_of('/');
  const std::string dir = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  if (slash + 1 == path.size()) return false;

  // An existing target must be one this user may write; holding it open
  // also serves for a write in place when no temporary file can be made.
  struct stat old {};
  const bool existed = ::stat(path.c_str(), &old) == 0;
  if (existed && !S_ISREG(old.st_mode)) return false;
  UniqueFd target(existed ? ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY) : -1);
  if (existed && target.get() < 0) return false;

  // A short name of its own, so a target name at the file system's limit
  // still has room for it.
  static std::atomic<unsigned> counter{0};
  std::string temp;
  UniqueFd fd;
  for (int attempt = 0; attempt < 100 && fd.get() < 0; ++attempt) {
    temp = dir + ".vk" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
    fd = UniqueFd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.get() < 0 && errno != EEXIST) break;
  }
  if (fd.get() < 0) return existed && WriteInPlace(target.get(), bytes);

  bool ok = true;
  if (existed) ok = ::fchmod(fd.get(), old.st_mode & 07777) == 0;
  ok = ok && WriteAllToFd(fd.get(), bytes);
  ok = ok && ::fdatasync(fd.get()) == 0;
  ok = fd.reset() && ok;
  ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
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
