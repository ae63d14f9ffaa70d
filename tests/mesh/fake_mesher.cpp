// A stand-in for the mesher helper that misbehaves on request, so the tests
// can prove that the program survives whatever its helper does.
//   exit, crash, hang, garbage, oversize, bad-corner, overflow, canned, slow,
//   sized POINTS TRIANGLES (a well-formed mesh of exactly that size)

#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>

#include "mesh/MeshProtocol.h"

namespace {

void DrainInput() {
  char buffer[4096];
  while (::read(STDIN_FILENO, buffer, sizeof buffer) > 0) {
  }
}

void Send(const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(STDOUT_FILENO, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

MeshReply OneTriangle() {
  MeshReply r;
  r.pointCount = 3;
  r.triangleCount = 1;
  r.points = {0, 0, 1, 0, 0, 1};
  r.triangles = {1, 2, 3};
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  DrainInput();
  if (mode == "exit") return 1;
  if (mode == "crash") {
    std::raise(SIGSEGV);
  }
  if (mode == "hang") {
    for (;;) ::pause();
  }
  if (mode == "garbage") {
    Send("this is not a mesh at all");
    return 0;
  }
  if (mode == "oversize") {
    MeshReply r = OneTriangle();
    std::string bytes = EncodeReply(r);
    bytes.append(MaxReplyBytes(), '\0');
    Send(bytes);
    return 0;
  }
  if (mode == "bad-corner") {
    MeshReply r = OneTriangle();
    r.triangles[2] = 4;
    Send(EncodeReply(r));
    return 0;
  }
  if (mode == "overflow") {
    MeshReply r;
    r.pointCount = 800;
    r.triangleCount = 2000;
    Send(EncodeReply(r));
    return 0;
  }
  if (mode == "sized" && argc > 3) {
    MeshReply r;
    r.pointCount = std::atoi(argv[2]);
    r.triangleCount = std::atoi(argv[3]);
    if (ReplyWithinLimits(r)) {
      r.points.assign(2 * static_cast<size_t>(r.pointCount), 0.5);
      for (int32_t t = 0; t < r.triangleCount; ++t) r.triangles.insert(r.triangles.end(), {1, 2, 3});
    }
    Send(EncodeReply(r));
    return 0;
  }
  if (mode == "slow") ::usleep(300 * 1000);
  if (mode == "canned" || mode == "slow") {
    Send(EncodeReply(OneTriangle()));
    return 0;
  }
  return 2;
}
