// libFuzzer targets for what reads bytes from outside the program: the
// project-file reader, both ends of the mesher's protocol, the DXF import (the
// checks of the file's text, dxflib and the chains) and the program's decoder
// of the DXF reader helper's reply. One target per
// build of this file, chosen by FUZZ_TARGET (scripts/fuzz.sh builds all).
// A broken promise is a finding, as a crash is: each ends in abort().

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "core/files/ProjectFile.h"
#include "core/import/DrawingImport.h"
#include "core/import/DrawingProtocol.h"
#include "core/import/DxfReader.h"
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
#elif FUZZ_TARGET == 4
  // A drawing dxflib reads is cut, chained and added, or refused whole: the
  // model then holds only rows that name rows it has, and a hole point for
  // each hole; a refused drawing leaves it empty.
  static auto model = std::make_unique<Model>();
  const DxfResult read = ReadDxfBytes(bytes);
  if (read.ok) {
    InitModelData(*model);
    ImportOptions options;
    options.chords.tolerance = DefaultTolerance(read.drawing);
    const ImportPlan plan = PlanImport(read.drawing, options);
    const std::vector<LayerPhysics> layers(read.drawing.layers.size());
    const Model& m = *model;
    if (ApplyImport(*model, plan, read.drawing, layers, '.').done) {
      kept = m.internalNodeCount == plan.holes() && m.elementCount == int32_t(plan.segments.size());
      for (int32_t i = 1; i <= m.elementCount; ++i) {
        const Element& e = m.ElementTable[i];
        kept = kept && e.startNode >= 1 && e.startNode <= m.nodeCount && e.endNode >= 1 &&
               e.endNode <= m.nodeCount && e.startNode != e.endNode && e.boundaryNumber >= 1 &&
               e.boundaryNumber <= m.boundaryCount;
      }
    } else {
      kept = m.nodeCount == 0 && m.elementCount == 0 && m.internalNodeCount == 0 && m.boundaryCount == 1;
    }
  } else {
    kept = !read.message.empty();
  }
#elif FUZZ_TARGET == 5
  // A drawing the program accepts from its reader is what a reader sends,
  // with every curve on a layer it has and within the limits.
  if (const auto read = DecodeDrawingReply(bytes)) {
    kept = EncodeDrawingReply(*read) == bytes;
    for (const DrawingCurve& c : read->drawing.curves) {
      kept = kept && c.layer >= 0 && size_t(c.layer) < read->drawing.layers.size() &&
             std::fabs(c.start().x) <= 2 * kDrawingLimit && std::fabs(c.end().y) <= 2 * kDrawingLimit;
    }
  }
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
