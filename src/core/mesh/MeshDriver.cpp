#include "core/mesh/MeshDriver.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <map>
#include <utility>

#include "core/cpu/VectorState.h"
#include "core/files/CNumbers.h"
#include "core/files/ExitCleanup.h"
#include "core/files/SafeFile.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

bool Finite(float x, float y) {
  return std::isfinite(x) && std::isfinite(y);
}

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

  bool start(const MesherOptions& options, int childFd) {
    std::vector<std::string> args{options.helperPath};
    args.insert(args.end(), options.extraArgs.begin(), options.extraArgs.end());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, childFd, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, childFd, STDOUT_FILENO);
    // What Triangle prints is for no one's terminal: the reply says it all.
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
    std::string parent = std::string(kMesherParentVariable) + "=" + std::to_string(::getpid());
    env.push_back(parent.data());
    env.push_back(nullptr);
    const int rc = posix_spawn(&pid_, options.helperPath.c_str(), &actions, &attr, argv.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) pid_ = -1;
    if (pid_ > 0) watch_.emplace(pid_);
    return pid_ > 0;
  }

  // True when the helper exits with status 0 before the deadline; a helper
  // still running then is left for the destructor to kill.
  bool exitedCleanlyBefore(Clock::time_point deadline) {
    // A pidfd turns readable at the exit; without one (old kernels) poll
    // the status every millisecond.
    UniqueFd exitWatch(static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0)));
    while (pid_ > 0) {
      int status = 0;
      const pid_t r = ::waitpid(pid_, &status, WNOHANG);
      if (r == pid_) {
        watch_.reset();
        pid_ = -1;
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
      }
      if (r < 0 && errno != EINTR) {
        watch_.reset();
        pid_ = -1;
        return false;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      if (left.count() <= 0) return false;
      pollfd p{exitWatch.get(), POLLIN, 0};
      ::poll(&p, exitWatch.get() >= 0 ? 1 : 0, exitWatch.get() >= 0 ? static_cast<int>(left.count()) : 1);
    }
    return false;
  }

 private:
  pid_t pid_ = -1;
  std::optional<CleanupChild> watch_;  // killed should a signal end the program
};

}  // namespace

bool AreaTooSmallToWrite(double area) {
  // The area as Triangle will read it from the switches.
  const std::string text = MeshSwitches(area);
  const char* begin = text.data() + 4;  // past "Qpqa"
  double parsed = 0.0;
  std::from_chars(begin, text.data() + text.size(), parsed);
  return !(parsed > 0.0);
}

std::string DefaultMesherPath() {
  char self[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return "vendrel-mesher";
  std::string dir(self, static_cast<size_t>(n));
  dir.resize(dir.find_last_of('/') + 1);
  // Beside the program in the build tree; in the private folder once installed.
  for (const std::string& path : {dir + "vendrel-mesher", dir + "../libexec/vendrel-korbel/vendrel-mesher"}) {
    if (::access(path.c_str(), X_OK) == 0) return path;
  }
  return dir + "vendrel-mesher";
}

std::string OverLimitText(const MeshTrial& t, const MeshLimits& limits) {
  return "Siatka miałaby " + std::string(t.estimated ? "co najmniej " : "") + Thousands(t.triangles) +
         " trójkątów, więcej niż limit " + Thousands(limits.triangles) + ".";
}

std::chrono::milliseconds TimeLimit(const MesherOptions& o) {
  const int64_t beyond = std::max<int64_t>(0, int64_t(o.limits.triangles) - kMaxMeshTriangles);
  return o.timeLimit + std::chrono::milliseconds(beyond / 50);
}

std::optional<MeshRequest> BuildMeshRequest(const Model& m, double area) {
  MeshRequest r;
  r.area = area;
  // Triangle keeps the first of coincident vertices and leaves the others
  // half made; a segment ending at one of those reads memory that was never
  // set. So each point goes once, and every node on it is numbered as it.
  std::map<std::pair<double, double>, int32_t> numberAt;
  std::vector<int32_t> point(static_cast<size_t>(m.nodeCount) + 1, 0);
  r.points.reserve(2 * static_cast<size_t>(m.nodeCount));
  for (int32_t i = 1; i <= m.nodeCount; ++i) {
    const Node& n = m.NodeTable[i];
    if (!Finite(n.x, n.y)) return std::nullopt;
    const auto [at, added] = numberAt.try_emplace({n.x, n.y}, static_cast<int32_t>(r.points.size() / 2) + 1);
    point[static_cast<size_t>(i)] = at->second;
    if (!added) continue;
    r.points.push_back(n.x);
    r.points.push_back(n.y);
  }
  r.segments.reserve(2 * static_cast<size_t>(m.elementCount));
  for (int32_t i = 1; i <= m.elementCount; ++i) {
    const Element& e = m.ElementTable[i];
    if (e.startNode < 1 || e.startNode > m.nodeCount || e.endNode < 1 || e.endNode > m.nodeCount) {
      return std::nullopt;
    }
    // An element of length zero bounds nothing; Triangle would skip it.
    const int32_t start = point[static_cast<size_t>(e.startNode)],
                  end = point[static_cast<size_t>(e.endNode)];
    if (start == end) continue;
    r.segments.push_back(start);
    r.segments.push_back(end);
    r.markers.push_back(i);
  }
  for (int32_t i = 1; i <= m.internalNodeCount; ++i) {
    const InternalNode& h = m.InternalNodeTable[i];
    if (!Finite(h.x, h.y)) return std::nullopt;
    r.holes.push_back(h.x);
    r.holes.push_back(h.y);
  }
  return r;
}

std::optional<MeshReply> RunMesher(const MeshRequest& request, const MesherOptions& options,
                                   MeshFault* fault) {
  const auto fail = [fault](MeshFault why) -> std::optional<MeshReply> {
    if (fault != nullptr) *fault = why;
    return std::nullopt;
  };
  int pair[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) return fail(MeshFault::NotStarted);
  UniqueFd ours(pair[0]);
  UniqueFd theirs(pair[1]);
  ChildProcess child;
  if (!child.start(options, theirs.get())) return fail(MeshFault::NotStarted);
  theirs.reset();
  ::fcntl(ours.get(), F_SETFL, ::fcntl(ours.get(), F_GETFL) | O_NONBLOCK);

  MeshRequest limited = request;
  limited.limits = options.limits;
  const std::string input = EncodeRequest(limited);
  size_t sent = 0;
  std::string reply;
  const size_t replyLimit = MaxReplyBytes(options.limits);
  const Clock::time_point deadline = Clock::now() + TimeLimit(options);
  for (;;) {
    if (options.wasCancelled()) return fail(MeshFault::Cancelled);  // killed on the way out
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return fail(MeshFault::TimedOut);  // the child is killed on the way out
    pollfd p{ours.get(), static_cast<short>(POLLIN | (sent < input.size() ? POLLOUT : 0)), 0};
    const int ready = ::poll(&p, 1, static_cast<int>(std::min<long long>(left.count(), 50)));
    if (ready < 0 && errno != EINTR) return fail(MeshFault::Crashed);
    if (ready <= 0) {
      if (options.whileWaiting) options.whileWaiting();
      continue;
    }
    if ((p.revents & POLLOUT) != 0 && sent < input.size()) {
      const ssize_t n = ::send(ours.get(), input.data() + sent, input.size() - sent, MSG_NOSIGNAL);
      if (n < 0 && errno != EAGAIN && errno != EINTR) return fail(MeshFault::Crashed);
      if (n > 0) sent += static_cast<size_t>(n);
      if (sent == input.size()) ::shutdown(ours.get(), SHUT_WR);
    }
    if ((p.revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
      char buffer[65536];
      const ssize_t n = ::recv(ours.get(), buffer, sizeof buffer, 0);
      if (n == 0) break;  // the helper closed its side: the reply is complete
      if (n < 0) {
        if (errno == EAGAIN || errno == EINTR) continue;
        return fail(MeshFault::Crashed);
      }
      reply.append(buffer, static_cast<size_t>(n));
      if (reply.size() > replyLimit) return fail(MeshFault::BadReply);
    }
  }
  if (sent < input.size()) return fail(MeshFault::Crashed);
  ours.reset();
  // Closing the stream comes just before the exit; the exit status decides.
  if (!child.exitedCleanlyBefore(deadline)) {
    return fail(Clock::now() >= deadline ? MeshFault::TimedOut : MeshFault::Crashed);
  }
  std::optional<MeshReply> decoded = DecodeReply(reply, options.limits);
  return decoded ? decoded : fail(MeshFault::BadReply);
}

namespace {

// What the mesher makes of the model at an area, with the reply when it
// gave one within the tables' limits.
MeshTrial Trial(const Model& m, double area, const MesherOptions& options, std::optional<MeshReply>* kept) {
  MeshTrial t;
  const std::optional<MeshRequest> request =
      !AreaTooSmallToWrite(area) ? BuildMeshRequest(m, area) : std::nullopt;
  if (!request) {
    t.fault = MeshFault::Refused;
    return t;
  }
  std::optional<MeshReply> reply = RunMesher(*request, options, &t.fault);
  if (!reply) {
    if (t.fault == MeshFault::Cancelled) t.outcome = MeshOutcome::Cancelled;
    return t;
  }
  t.points = reply->pointCount;
  t.triangles = reply->triangleCount;
  t.estimated = reply->estimated != 0;
  if (!ReplyWithinLimits(*reply, options.limits)) {
    t.outcome = MeshOutcome::Overflow;
    t.fault = MeshFault::TooLarge;
  } else if (reply->triangleCount < 1) {
    t.fault = MeshFault::NoTriangles;
  } else {
    t.outcome = MeshOutcome::Success;
    if (kept != nullptr) *kept = std::move(reply);
  }
  return t;
}

// The model's rows as the mesh is made, and the reply's segment pieces as
// edges running the way their elements run.
MeshTags TagsOf(const Model& m, const MeshReply& reply) {
  MeshTags tags;
  tags.problemKind = m.ProblemKind;
  for (int32_t i = 1; i <= m.nodeCount; ++i) tags.nodes.push_back(m.NodeTable[i]);
  for (int32_t i = 1; i <= m.internalNodeCount; ++i) tags.internalNodes.push_back(m.InternalNodeTable[i]);
  for (int32_t i = 1; i <= m.elementCount; ++i) tags.elements.push_back(m.ElementTable[i]);
  for (int32_t i = 1; i <= m.bcCount; ++i) tags.conditions.push_back(m.BcTable[i]);
  for (int32_t i = 1; i <= m.boundaryCount; ++i) tags.boundaries.push_back(m.BoundaryTable[i]);
  const auto point = [&reply](int32_t k) { return &reply.points[2 * static_cast<size_t>(k - 1)]; };
  tags.edges.reserve(reply.markers.size());
  for (size_t i = 0; i < reply.markers.size(); ++i) {
    MeshEdge edge{reply.segments[2 * i], reply.segments[2 * i + 1], reply.markers[i]};
    if (edge.element > m.elementCount) continue;
    const Element& e = m.ElementTable[edge.element];
    const Node& start = m.NodeTable[e.startNode];
    const Node& end = m.NodeTable[e.endNode];
    const double* a = point(edge.node1);
    const double* b = point(edge.node2);
    if ((b[0] - a[0]) * (double(end.x) - start.x) + (b[1] - a[1]) * (double(end.y) - start.y) < 0.0) {
      std::swap(edge.node1, edge.node2);
    }
    tags.edges.push_back(edge);
  }
  return tags;
}

}  // namespace

MeshTrial TryMesh(const Model& m, double area, const MesherOptions& options) {
  try {
    return Trial(m, area, options, nullptr);
  } catch (...) {
    return MeshTrial{MeshOutcome::Failure, MeshFault::Crashed, 0, 0, false};
  }
}

MeshOutcome GenerateMesh(Model& m, double area, const MesherOptions& options, MeshTrial* trial) {
  ClearUpperVectorState();
  MeshTrial t;
  std::optional<MeshReply> reply;
  try {
    t = Trial(m, area, options, &reply);
  } catch (...) {
    // Memory that could not be had, or anything else thrown on the way,
    // is a failed generation; the program goes on.
    t = MeshTrial{MeshOutcome::Failure, MeshFault::Crashed, 0, 0, false};
  }
  if (t.outcome == MeshOutcome::Success && options.stillWanted && !options.stillWanted()) {
    t = MeshTrial{MeshOutcome::Cancelled, MeshFault::Cancelled, t.points, t.triangles, false};
  }
  if (trial != nullptr) *trial = t;
  if (t.outcome == MeshOutcome::Cancelled) return t.outcome;
  m.meshNodeCount = 0;
  m.meshTriangleCount = 0;
  m.meshTags.reset();
  m.MeshFailureFlag = t.outcome == MeshOutcome::Success ? 0 : 1;
  if (!reply) return t.outcome;
  try {
    m.meshTags = std::make_shared<const MeshTags>(TagsOf(m, *reply));
  } catch (...) {
    // Without memory for the tags the mesh still stands, untagged.
  }
  try {
    // Numbered from 1 as they come, slot 0 unused.
    std::vector<MeshTriangle> triangles(static_cast<size_t>(reply->triangleCount) + 1);
    for (size_t i = 1; i < triangles.size(); ++i) {
      const int32_t* c = &reply->triangles[3 * (i - 1)];
      triangles[i] = MeshTriangle{c[0], c[1], c[2]};
    }
    std::vector<MeshNode> nodes(static_cast<size_t>(reply->pointCount) + 1);
    for (size_t i = 1; i < nodes.size(); ++i) {
      const double* p = &reply->points[2 * (i - 1)];
      nodes[i] = MeshNode{p[0], p[1]};
    }
    reply.reset();
    m.MeshTriangleTable.adopt(std::move(triangles));
    m.MeshNodeTable.adopt(std::move(nodes));
  } catch (...) {
    m.MeshFailureFlag = 1;
    m.meshTags.reset();
    if (trial != nullptr) *trial = MeshTrial{MeshOutcome::Failure, MeshFault::Crashed, 0, 0, false};
    return MeshOutcome::Failure;
  }
  m.meshTriangleCount = m.MeshTriangleTable.storedRows();
  m.meshNodeCount = m.MeshNodeTable.storedRows();
  return MeshOutcome::Success;
}
