#include "core/process/HelperProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <optional>

#include "core/files/ExitCleanup.h"
#include "core/files/SafeFile.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

class ChildProcess {
 public:
  // A helper still running here has failed; it is killed and reaped.
  ~ChildProcess() {
    watch_.reset();
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
    }
  }

  bool start(const HelperRun& run, int childFd) {
    std::vector<std::string> args{run.path};
    args.insert(args.end(), run.args.begin(), run.args.end());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, childFd, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, childFd, STDOUT_FILENO);
    // What a helper prints is for no one's terminal: the reply says it all.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    // The helper starts with default signal handling whatever the program set.
    sigset_t all;
    sigfillset(&all);
    posix_spawnattr_setsigdefault(&attr, &all);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    // The helper asks the kernel to end it with this process; it needs this
    // process's number to see whether that is already too late.
    std::vector<char*> env;
    for (char** e = environ; *e != nullptr; ++e) env.push_back(*e);
    std::string parent = std::string(kHelperParentVariable) + "=" + std::to_string(::getpid());
    env.push_back(parent.data());
    env.push_back(nullptr);
    const int rc = posix_spawn(&pid_, run.path.c_str(), &actions, &attr, argv.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) pid_ = -1;
    if (pid_ > 0) watch_.emplace(pid_);
    return pid_ > 0;
  }

  // The helper's end before the deadline, its status or signal in `out`;
  // false when it still runs then (left for the destructor to kill).
  bool endedBefore(Clock::time_point deadline, HelperOutcome& out) {
    // A pidfd turns readable at the exit; without one (old kernels) poll
    // the status every millisecond.
    UniqueFd exitWatch(static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0)));
    while (pid_ > 0) {
      int status = 0;
      const pid_t r = ::waitpid(pid_, &status, WNOHANG);
      if (r == pid_) {
        watch_.reset();
        pid_ = -1;
        if (WIFEXITED(status)) out.status = WEXITSTATUS(status);
        if (WIFSIGNALED(status)) out.signal = WTERMSIG(status);
        return true;
      }
      if (r < 0 && errno != EINTR) {
        watch_.reset();
        pid_ = -1;
        return true;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      if (left.count() <= 0) return false;
      pollfd p{exitWatch.get(), POLLIN, 0};
      ::poll(&p, exitWatch.get() >= 0 ? 1 : 0, exitWatch.get() >= 0 ? static_cast<int>(left.count()) : 1);
    }
    return true;
  }

 private:
  pid_t pid_ = -1;
  std::optional<CleanupChild> watch_;  // killed should a signal end the program
};

// How the exchange with a helper ended.
enum class Exchange {
  Complete,   // the helper closed its side: the reply is complete
  Broken,     // it broke off; the helper's end decides how
  Cancelled,  // the caller asked to stop
  TimedOut,
  TooLong,  // the reply passed its limit
};

// Sends what the socket takes of the input's rest, closing this side for
// writing once all is sent; false when the exchange broke off.
bool SendSome(int fd, const std::string& input, size_t& sent) {
  const ssize_t n = ::send(fd, input.data() + sent, input.size() - sent, MSG_NOSIGNAL);
  if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
  if (n > 0) sent += static_cast<size_t>(n);
  if (sent == input.size()) ::shutdown(fd, SHUT_WR);
  return true;
}

// Sends the input and gathers the reply until the helper closes its side,
// waiting in short slices so that the caller can cancel and do its own
// work between them. `sent`: how much of the input went.
Exchange ExchangeWith(int fd, const HelperRun& run, const std::string& input, Clock::time_point deadline,
                      size_t& sent, std::string& reply) {
  for (;;) {
    if (run.cancelled && run.cancelled()) return Exchange::Cancelled;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return Exchange::TimedOut;
    pollfd p{fd, static_cast<short>(POLLIN | (sent < input.size() ? POLLOUT : 0)), 0};
    const int ready = ::poll(&p, 1, static_cast<int>(std::min<long long>(left.count(), 50)));
    if (ready < 0 && errno != EINTR) return Exchange::Broken;
    if (ready <= 0) {
      if (run.whileWaiting) run.whileWaiting();
      continue;
    }
    if ((p.revents & POLLOUT) != 0 && sent < input.size() && !SendSome(fd, input, sent))
      return Exchange::Broken;
    if ((p.revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
      char buffer[65536];
      const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
      if (n == 0) return Exchange::Complete;
      if (n < 0) {
        if (errno == EAGAIN || errno == EINTR) continue;
        return Exchange::Broken;
      }
      reply.append(buffer, static_cast<size_t>(n));
      if (reply.size() > run.replyLimit) return Exchange::TooLong;
    }
  }
}

}  // namespace

HelperOutcome RunHelper(const HelperRun& run, const std::string& input) {
  HelperOutcome out;
  const auto fail = [&out](HelperFault why) {
    out.fault = why;
    out.reply.clear();
    return out;
  };
  int pair[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) return fail(HelperFault::NotStarted);
  UniqueFd ours(pair[0]);
  UniqueFd theirs(pair[1]);
  ChildProcess child;
  if (!child.start(run, theirs.get())) return fail(HelperFault::NotStarted);
  theirs.reset();
  ::fcntl(ours.get(), F_SETFL, ::fcntl(ours.get(), F_GETFL) | O_NONBLOCK);

  size_t sent = 0;
  if (input.empty()) ::shutdown(ours.get(), SHUT_WR);
  const Clock::time_point deadline = Clock::now() + run.timeLimit;
  const Exchange exchange = ExchangeWith(ours.get(), run, input, deadline, sent, out.reply);
  switch (exchange) {
    case Exchange::Cancelled: return fail(HelperFault::Cancelled);  // killed on the way out
    case Exchange::TimedOut: return fail(HelperFault::TimedOut);
    case Exchange::TooLong: return fail(HelperFault::TooLong);
    case Exchange::Complete:
    case Exchange::Broken: break;
  }
  ours.reset();
  // Closing the stream comes just before the exit; the exit decides.
  if (!child.endedBefore(deadline, out)) return fail(HelperFault::TimedOut);
  if (out.signal != 0) return fail(HelperFault::Signalled);
  if (out.status != 0 || exchange == Exchange::Broken || sent < input.size())
    return fail(HelperFault::Failed);
  out.fault = HelperFault::None;
  return out;
}

std::string HelperBesideProgram(const std::string& name) {
  char self[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return name;
  std::string dir(self, static_cast<size_t>(n));
  dir.resize(dir.find_last_of('/') + 1);
  // Beside the program in the build tree; in the private folder once installed.
  for (const std::string& path : {dir + name, dir + "../libexec/vendrel-korbel/" + name}) {
    if (::access(path.c_str(), X_OK) == 0) return path;
  }
  return dir + name;
}
