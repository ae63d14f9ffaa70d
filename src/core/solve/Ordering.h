#pragma once
// The order in which the solver numbers the mesh's nodes: a nested
// dissection over the mesh's adjacency.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/model/Model.h"
#include "core/solve/SolverParts.h"

namespace solver {

// Each node's neighbours in the mesh, itself included, in increasing order.
struct Adjacency {
  std::vector<int64_t> start;  // node n's at nodes[start[n]] .. nodes[start[n + 1] - 1]
  std::vector<int32_t> nodes;
};

// The adjacency of the nodes of the triangles (nodes 1 … nodeCount).
Adjacency Neighbours(int32_t nodeCount, const std::vector<TriangleShape>& shapes);

// Orders the nodes [begin, end) (mesh[n] is node n) for the
// factorisation, the two halves of the first cut on two threads when
// `apart`. Returns the sizes of those two halves, which come first, or none
// when ordered on one thread; the order is the same either way.
std::array<ptrdiff_t, 2> OrderByDissection(const MeshTable<MeshNode>::View& mesh, const Adjacency& adjacency,
                                           int32_t* begin, int32_t* end, bool apart);

}  // namespace solver
