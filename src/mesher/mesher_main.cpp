// vendrel-mesher: meshes one request read from standard input and writes the
// reply to standard output, then exits. The program runs it once per mesh
// generation, so that Triangle ending the process on an error, crashing or
// running away ends only this helper. Exit status 0 means a reply was sent.

#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/files/SafeFile.h"
#include "core/mesh/MeshProtocol.h"
#include "core/model/Model.h"
#include "mesher/TriangleCall.h"

namespace {

// A runaway mesh exhausts these budgets long before the machine's memory:
// 1 GB and 30 s, and 1 KB and 30 µs more per triangle the limit allows.
void LimitResources(const MeshLimits& limits) {
#ifndef VK_SANITIZED  // the sanitizers reserve terabytes of address space
  const rlim_t bytes = (rlim_t(1) << 30) + rlim_t(limits.triangles) * 1024;
  const rlimit memory{bytes, bytes};
  setrlimit(RLIMIT_AS, &memory);
#endif
  const rlim_t seconds = 30 + rlim_t(limits.triangles) * 30 / 1'000'000;
  const rlimit cpu{seconds, seconds};
  setrlimit(RLIMIT_CPU, &cpu);
}

}  // namespace

int main() {
  // End with the program that started it, however that ends; if it has
  // ended already, there is no one to mesh for.
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  const char* parent = std::getenv(kMesherParentVariable);
  if (parent != nullptr && std::to_string(::getppid()) != parent) return 6;

  std::setlocale(LC_ALL, "C");  // Triangle reads the area with strtod

  // Triangle prints its complaints on standard output; keep the reply
  // channel for the reply alone and send the rest to standard error.
  const int replyFd = ::dup(STDOUT_FILENO);
  if (replyFd < 0 || ::dup2(STDERR_FILENO, STDOUT_FILENO) < 0) return 4;

  std::string input;
  if (!ReadAllFromFd(STDIN_FILENO, input, MaxRequestBytes())) return 3;
  const std::optional<MeshRequest> request = DecodeRequest(input);
  if (!request) return 3;
  // The request is read within a bounded buffer; meshing is bounded by
  // what its limits allow.
  LimitResources(request->limits);
  const int32_t most = request->limits.triangles;

  MeshReply reply;
  // Every triangle is at most `area` large, so the region's area over it is
  // a lower bound of the count; past the limit, don't spend time and memory
  // building a mesh that would be refused anyway.
  // A refinement splits every triangle into at least its area over its
  // largest one.
  if (request->refine) {
    const double atLeast = RefinedCountAtLeast(*request);
    if (atLeast > most * (1.0 + 1e-9)) {
      reply.triangleCount = std::max(most + 1, static_cast<int32_t>(std::min(atLeast, 2e9)));
      reply.estimated = 1;
    } else {
      reply = RefineTriangles(*request);
    }
    std::fflush(stdout);
    return WriteAllToFd(replyFd, EncodeReply(reply, request->limits)) ? 0 : 5;
  }
  const double region = request->area > 0.0 ? RegionArea(*request) : 0.0;
  const double atLeast = region / request->area;
  if (request->area > 0.0 && atLeast > most * (1.0 + 1e-9)) {
    reply.triangleCount = std::max(most + 1, static_cast<int32_t>(std::min(atLeast, 2e9)));
    reply.estimated = 1;
  } else {
    reply = RunTriangle(*request, MeshSwitches(*request));
  }
  std::fflush(stdout);
  return WriteAllToFd(replyFd, EncodeReply(reply, request->limits)) ? 0 : 5;
}
