// vendrel-dxf: reads one DXF drawing, named after "--", and writes the
// drawing (or the sentence that refuses it) to standard output, then exits.
// The program runs it once per import, so that a file from elsewhere that
// makes the reader crash, run away or exhaust its memory harms only this
// helper. Exit status 0 means a reply was sent; kReaderOutOfMemory that
// memory ran out.

#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "core/files/SafeFile.h"
#include "core/import/DrawingProtocol.h"
#include "core/import/DxfReader.h"
#include "core/process/HelperProcess.h"
#include "reader/ReaderLimits.h"

int main(int argc, char** argv) {
  // End with the program that started it, however that ends; if it has
  // ended already, there is no one to read for.
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  const char* parent = std::getenv(kHelperParentVariable);
  if (parent != nullptr && std::to_string(::getppid()) != parent) return 6;
  // Nothing but the exchange's socket and the standard error stays open.
  ::close_range(3, ~0U, 0);
  if (argc != 3 || std::strcmp(argv[1], "--") != 0) return 3;
  std::setlocale(LC_ALL, "C");

  // Anything the library prints goes to standard error; the reply channel
  // carries the reply alone.
  const int replyFd = ::dup(STDOUT_FILENO);
  if (replyFd < 0 || ::dup2(STDERR_FILENO, STDOUT_FILENO) < 0) return 4;

  const std::string path = argv[2];
  struct stat st {};
  LimitReaderResources(::stat(path.c_str(), &st) == 0 ? int64_t(st.st_size) : 0);
  std::string reply;
  try {
    reply = EncodeDrawingReply(ReadDxfFile(path));
  } catch (const std::bad_alloc&) {
    return kReaderOutOfMemory;
  }
  return WriteAllToFd(replyFd, reply) ? 0 : 5;
}
