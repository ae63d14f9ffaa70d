// A stand-in for the DXF reader helper that misbehaves as the drawing's
// name asks, so the tests can prove that the program survives whatever its
// reader does: "crash" aborts, "hang" loops for ever, "memory" allocates
// under the reader's own limits until they stop it, "garbage" answers
// nonsense, "slow" waits a minute; anything else answers one line.

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "core/files/SafeFile.h"
#include "core/import/DrawingProtocol.h"
#include "reader/ReaderLimits.h"

int main(int argc, char** argv) {
  const std::string name = argc > 2 ? argv[2] : "";
  const auto asks = [&name](const char* what) { return name.find(what) != std::string::npos; };
  if (asks("crash")) std::abort();
  if (asks("hang")) {
    volatile unsigned long spins = 0;
    for (;;) spins = spins + 1;
  }
  if (asks("slow")) ::sleep(60);
  if (asks("memory")) {
    try {
#ifdef VK_SANITIZED
      throw std::bad_alloc();  // the sanitizers' allocator knows no limit to reach
#else
      LimitReaderResources(0);
      std::vector<char*> blocks;
      for (;;) {
        blocks.push_back(new char[size_t(64) << 20]);
        std::memset(blocks.back(), 1, size_t(64) << 20);
      }
#endif
    } catch (const std::bad_alloc&) {
      return kReaderOutOfMemory;
    }
  }
  if (asks("garbage")) return WriteAllToFd(STDOUT_FILENO, "VRD1 and then some") ? 0 : 5;
  DxfResult r;
  r.ok = true;
  r.drawing.layers.push_back({"0", 1});
  r.drawing.curves.push_back(LineCurve({0, 0}, {1, 0}));
  return WriteAllToFd(STDOUT_FILENO, EncodeDrawingReply(r)) ? 0 : 5;
}
