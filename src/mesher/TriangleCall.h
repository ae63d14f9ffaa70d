#pragma once
// Triangle called in this very process. Its error routine ends the process,
// so only the mesher helper (and the benchmarks) use this.

#include <string>

#include "core/mesh/MeshProtocol.h"

// Meshes the request with the given switches and returns Triangle's points
// and triangles, whatever their number. Every list Triangle allocates is
// released before returning.
MeshReply RunTriangle(const MeshRequest& request, const std::string& switches);

// Refines the request's mesh (its `refine` set) until every triangle is
// within the area asked for where it lies, in a few rounds of Triangle.
MeshReply RefineTriangles(const MeshRequest& request);

// The area of the region that the request's segments and holes enclose,
// from a plain triangulation without quality or area constraints.
double RegionArea(const MeshRequest& request);
