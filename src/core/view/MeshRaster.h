#pragma once
// A large mesh drawn straight into a 32-bit picture instead of as a list of
// line primitives: every edge two triangles share is drawn once, edges off
// the picture are passed over, lines are clipped to it, and an edge within
// one pixel is that pixel.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "core/model/Model.h"
#include "core/view/ViewTransform.h"

// The mesh's edges, each once, as pairs of node numbers (from 1). Interior
// edges are found from the triangles' orientation, boundary edges by
// looking for the opposite edge: linear in the number of triangles.
std::vector<std::pair<int32_t, int32_t>> UniqueMeshEdges(const Model& model);

// Over a colour map, edges shorter than this many pixels are left out: where
// the triangles are that small their lines would bury the colours.
inline constexpr int32_t kLeastMeshLinePixels = 3;

class MeshRaster {
 public:
  // Draws the mesh in `colour` over the pixels (`stride` pixels a row). The
  // edge list is built at the first drawing of a mesh and kept for the next.
  // With x and y (per node, from 1) the nodes are drawn there instead, as
  // the deformed disc is. Edges shorter than `leastPixels` across and down
  // are left out.
  void draw(const Model& model, const ViewTransform& view, int32_t width, int32_t height, uint32_t* pixels,
            ptrdiff_t stride, uint32_t colour, const double* x = nullptr, const double* y = nullptr,
            int32_t leastPixels = 0);
  // Lets the kept edge list (and the mesh it holds on to) go.
  void release();

  // What the last drawing did, for the tests and the benchmarks.
  struct Counts {
    size_t edges = 0;      // the mesh's edges, each once
    size_t culled = 0;     // wholly off the picture
    size_t collapsed = 0;  // within one pixel
    size_t thinned = 0;    // left out as shorter than the least length
  };
  const Counts& counts() const { return counts_; }

 private:
  MeshIdentity mesh_;  // the mesh the edges belong to
  std::vector<std::pair<int32_t, int32_t>> edges_;
  std::vector<int32_t> sx_, sy_;
  Counts counts_;
};
