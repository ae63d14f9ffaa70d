#pragma once
// Whole-file reads and writes that never leave a half-written target.

#include <optional>
#include <string>
#include <string_view>
#include <utility>

// A descriptor closed when it goes out of scope.
class UniqueFd {
 public:
  explicit UniqueFd(int fd = -1) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
  }
  ~UniqueFd() { reset(); }
  int get() const { return fd_; }
  // Closes it now; false when the close reports an error.
  bool reset();

 private:
  int fd_;
};

// Writes the bytes to a new file beside the target and renames it over the
// target, so the old file survives any failure. The new file has no name
// until its bytes are safe where the file system allows it, so even a
// program killed outright leaves nothing behind. A target that is a symbolic
// link is followed; an existing target's permission bits are kept. An
// existing target this user may not write is refused untouched. One in a
// folder where no temporary file can be made is rewritten in place, but only
// once the room for the new bytes is reserved, and with its old bytes put
// back should the write fail after all; where room cannot be reserved it is
// refused. Fails (leaving no temporary file) when any step fails, with
// that step's errno.
struct [[nodiscard]] WriteResult {
  int error = 0;  // errno of the step that failed (kNotRegularFile for such a target); 0 when written
  explicit operator bool() const { return error == 0; }
};
WriteResult WriteFileAtomically(const std::string& path, std::string_view bytes);
// The error of a target that exists but is no regular file (a device, a
// pipe): no errno says just that.
inline constexpr int kNotRegularFile = -1;

// The steps of that write, in order, for tests that make one of them fail.
// CreateUnnamed is the file of no name, CreateTemp the named one made
// where the file system has none.
enum class WriteStep { OpenTarget, CreateUnnamed, CreateTemp, Reserve, Write, Sync, Rename };
// Tests only: called before each step; a nonzero return is the errno with
// which that step then fails. Null restores the real steps.
void SetWriteStepHook(int (*hook)(WriteStep));

// True when both names lead to one existing file (the same device and
// inode, through links and other spellings).
bool SameFile(const std::string& a, const std::string& b);

// Reads a regular file whole. Empty when it cannot be opened, is not a
// regular file, is larger than maxBytes or a read fails.
std::optional<std::string> ReadWholeFile(const std::string& path, size_t maxBytes);

// Writes all the bytes to a descriptor, through short writes and signals.
bool WriteAllToFd(int fd, std::string_view bytes);
// Reads a descriptor to its end; false on a read error or past maxBytes.
bool ReadAllFromFd(int fd, std::string& out, size_t maxBytes);
