// A stand-in for the mesher helper that misbehaves on request, so the tests
// can prove that the program survives whatever its helper does:
//   exit, crash, hang, garbage, oversize, bad-corner, bad-piece, bad-marker, overflow, slow,
//   sized POINTS TRIANGLES (a well-formed mesh of that size); anything else
//   answers one triangle.

#include <unistd.h>

#include <csignal>
#include <cstdlib>

#include "core/files/SafeFile.h"
#include "core/mesh/MeshProtocol.h"

namespace {

MeshLimits limits;  // the request's, when it is one

MeshReply Mesh(int32_t points, int32_t triangles) {
  MeshReply r;
  r.pointCount = points;
  r.triangleCount = triangles;
  if (ReplyWithinLimits(r, limits)) {
    r.points.assign(2 * static_cast<size_t>(points), 0.5);
    for (int32_t t = 0; t < triangles; ++t) r.triangles.insert(r.triangles.end(), {1, 2, 3});
    r.segments = {1, 2};
    r.markers = {1};
  }
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  std::string input;
  (void)ReadAllFromFd(STDIN_FILENO, input, size_t(1) << 30);
  if (const std::optional<MeshRequest> request = DecodeRequest(input)) limits = request->limits;
  if (mode == "exit") return 1;
  if (mode == "crash") std::raise(SIGSEGV);
  while (mode == "hang") ::pause();
  if (mode == "slow") ::usleep(300 * 1000);
  MeshReply reply = Mesh(3, 1);
  if (mode == "sized" && argc > 3) reply = Mesh(std::atoi(argv[2]), std::atoi(argv[3]));
  if (mode == "overflow") reply = Mesh(800, 2000);
  if (mode == "bad-corner") reply.triangles[2] = 4;
  if (mode == "bad-piece") reply.segments[1] = 4;
  if (mode == "bad-marker") reply.markers[0] = 0;
  std::string bytes = mode == "garbage" ? "this is not a mesh at all" : EncodeReply(reply, limits);
  if (mode == "oversize") bytes.append(MaxReplyBytes(limits), '\0');
  return WriteAllToFd(STDOUT_FILENO, bytes) ? 0 : 2;
}
