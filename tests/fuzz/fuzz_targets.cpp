// libFuzzer targets for what reads bytes from outside the program: the
// project-file reader and both ends of the mesher's protocol. One target per
// build of this file, chosen by FUZZ_TARGET (scripts/fuzz.sh builds all).
// A broken promise is a finding, as a crash is: each ends in abort().

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "core/files/ProjectFile.h"
#include "core/mesh/MeshProtocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  bool kept = true;
#if FUZZ_TARGET == 1
  // A file the reader takes is written back, and reads the same again; a
  // refused file leaves the model reset.
  static auto model = std::make_unique<Model>();
  static auto again = std::make_unique<Model>();
  const Model& m = *model;
  if (ParseProjectFile(bytes, *model).ok) {
    const std::string written = FormatProjectFile(m);
    kept = ParseProjectFile(written, *again).ok && FormatProjectFile(*again) == written;
  } else {
    kept = m.nodeCount == 0 && m.elementCount == 0 && m.internalNodeCount == 0 && m.bcCount == 1 &&
           m.boundaryCount == 1 && m.ProblemKind == 1;
  }
#elif FUZZ_TARGET == 2
  // The helper's side: a request it accepts is exactly what the program sends.
  if (const auto request = DecodeRequest(bytes)) kept = EncodeRequest(*request) == bytes;
#else
  // The program's side: a reply it accepts names only points it has.
  if (const auto reply = DecodeReply(bytes, MeshLimits{})) {
    kept = EncodeReply(*reply, MeshLimits{}) == bytes;
    for (int32_t corner : reply->triangles) kept = kept && corner >= 1 && corner <= reply->pointCount;
  }
#endif
  if (!kept) std::abort();
  return 0;
}
