// libFuzzer targets for what reads bytes from outside the program: the
// project-file reader and both ends of the mesher's protocol. One target per
// build of this file, chosen by FUZZ_TARGET (scripts/fuzz.sh builds all).

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "files/ProjectFile.h"
#include "mesh/MeshProtocol.h"

namespace {

// A broken promise is a finding, as a crash is.
void Require(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
#if FUZZ_TARGET == 1
  // A file the reader takes is written back, and reads the same again; a
  // refused file leaves the model reset.
  static auto model = std::make_unique<Model>();
  static auto again = std::make_unique<Model>();
  if (ParseProjectFile(bytes, *model).ok) {
    const std::string written = FormatProjectFile(*model);
    Require(ParseProjectFile(written, *again).ok && FormatProjectFile(*again) == written);
  } else {
    const Model& m = *model;
    Require(m.nodeCount == 0 && m.elementCount == 0 && m.internalNodeCount == 0 && m.bcCount == 1 &&
            m.boundaryCount == 1 && m.ProblemKind == 1);
  }
#elif FUZZ_TARGET == 2
  // The helper's side: a request it accepts is exactly what the program sends.
  if (const auto request = DecodeRequest(bytes)) Require(EncodeRequest(*request) == bytes);
#else
  // The program's side: a reply it accepts names only points it has.
  if (const auto reply = DecodeReply(bytes)) {
    Require(EncodeReply(*reply) == bytes);
    for (int32_t corner : reply->triangles) Require(corner >= 1 && corner <= reply->pointCount);
  }
#endif
  return 0;
}
