// vendrel-mesher: meshes one request read from standard input and writes the
// reply to standard output, then exits. The program runs it once per mesh
// generation, so that Triangle ending the process on an error, crashing or
// running away ends only this helper. Exit status 0 means a reply was sent.

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <string>

#include "core/files/SafeFile.h"
#include "core/mesh/MeshProtocol.h"
#include "core/model/Model.h"
#include "mesher/TriangleCall.h"

namespace {

void LimitResources() {
#ifndef VK_SANITIZED  // the sanitizers reserve terabytes of address space
  // A runaway mesh exhausts this budget long before the machine's memory.
  const rlimit memory{1ull << 30, 1ull << 30};
  setrlimit(RLIMIT_AS, &memory);
#endif
  const rlimit cpu{30, 30};
  setrlimit(RLIMIT_CPU, &cpu);
}

}  // namespace

int main() {
  std::setlocale(LC_ALL, "C");  // Triangle reads the area with strtod
  LimitResources();

  // Triangle prints its complaints on standard output; keep the reply
  // channel for the reply alone and send the rest to standard error.
  const int replyFd = ::dup(STDOUT_FILENO);
  if (replyFd < 0 || ::dup2(STDERR_FILENO, STDOUT_FILENO) < 0) return 4;

  std::string input;
  if (!ReadAllFromFd(STDIN_FILENO, input, 1u << 20)) return 3;
  const std::optional<MeshRequest> request = DecodeRequest(input);
  if (!request) return 3;

  MeshReply reply;
  // Every triangle is at most `area` large, so the region's area over it is
  // a lower bound of the count; past the limit, don't spend time and memory
  // building a mesh that would be refused anyway.
  const double region = request->area > 0.0 ? RegionArea(*request) : 0.0;
  const double atLeast = region / request->area;
  if (request->area > 0.0 && atLeast > kMaxMeshTriangles * (1.0 + 1e-9)) {
    reply.triangleCount = std::max(kMaxMeshTriangles + 1, static_cast<int32_t>(std::min(atLeast, 2e9)));
  } else {
    reply = RunTriangle(*request, MeshSwitches(request->area));
  }
  std::fflush(stdout);
  return WriteAllToFd(replyFd, EncodeReply(reply)) ? 0 : 5;
}
