#pragma once
// What the program and its mesher helper exchange: the planar straight-line
// graph with the largest triangle area in, the mesh out. Both sides run on
// the same machine, so words travel in the host's byte order.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/Model.h"
#include "core/process/HelperProcess.h"

// The environment variable through which a helper learns the number of the
// process that started it.
inline constexpr const char* kMesherParentVariable = kHelperParentVariable;

// The largest mesh a generation may make.
struct MeshLimits {
  int32_t triangles = kMaxMeshTriangles;
  int32_t points = kMaxMeshNodes;
  bool operator==(const MeshLimits&) const = default;
};

// The large limit: up to `triangles` triangles (within 1 … the largest mesh
// the program takes) and as many points as such a mesh can have.
MeshLimits LargeMeshLimits(int32_t triangles);

struct MeshRequest {
  double area = 0.0;
  MeshLimits limits;
  std::vector<double> points;     // x, y per point
  std::vector<int32_t> segments;  // start, end per segment, numbered from 1
  std::vector<int32_t> markers;   // one per segment: the model element it stands for
  std::vector<double> holes;      // x, y per hole point
  // x, y, material (a whole number, 0 … kMaxMaterials) and largest
  // triangle area (0: none of its own) per region point.
  std::vector<double> regions;

  // A refinement instead of a generation: the mesh to refine, whose points
  // are `points`, whose boundary pieces are `segments` with their markers,
  // and these per triangle. `area`, when above 0, caps every triangle; holes
  // and region points go unused (the mesh has them carved and tagged).
  bool refine = false;
  std::vector<int32_t> triangles;     // three corners per triangle, from 1
  std::vector<int32_t> materials;     // one per triangle, or empty
  std::vector<double> triangleAreas;  // one per triangle: its largest area, <= 0 for none of its own
};

struct MeshReply {
  int32_t pointCount = 0;
  int32_t triangleCount = 0;
  // 1 when the helper did not mesh at all because the region's area over
  // the triangle area already passes the limit: the count is a lower bound.
  int32_t estimated = 0;
  // Filled only when both counts are within the request's limits; past
  // them the counts alone travel.
  std::vector<double> points;      // x, y per point
  std::vector<int32_t> triangles;  // three corners per triangle, from 1
  // The pieces the segments were split into, each with its segment's marker.
  std::vector<int32_t> segments;  // two points per piece, from 1
  std::vector<int32_t> markers;   // one per piece
  // One material per triangle when the request had region points, else
  // empty.
  std::vector<int32_t> materials;
};

// The most segment pieces a reply carries: the pieces are edges of a plane
// graph on at most the limit's points.
int64_t MaxReplySegments(const MeshLimits& limits);

// The largest reply a helper may send: the header, a mesh at the limits and
// the most segment pieces.
size_t MaxReplyBytes(const MeshLimits& limits);

bool ReplyWithinLimits(const MeshReply& reply, const MeshLimits& limits);

// The largest request the helper reads: a refinement of a mesh at the
// largest limits.
size_t MaxRequestBytes();

std::string EncodeRequest(const MeshRequest& request);
// Refuses anything but a well-formed request within the model's capacities
// and the largest limits.
std::optional<MeshRequest> DecodeRequest(std::string_view bytes);

// The mesh goes with the counts when they are within the limits.
std::string EncodeReply(const MeshReply& reply, const MeshLimits& limits);
// Refuses a reply whose size does not match its counts, whose corners name
// points it does not have, or whose coordinates are not finite.
std::optional<MeshReply> DecodeReply(std::string_view bytes, const MeshLimits& limits);

// Triangle's switches: quiet, planar straight-line graph, quality mesh with
// the default angle, largest area as printf "%f" in the C locale. With
// region points, A gives each triangle its region's material, and a plain
// a besides (when a point has an area) adds each region's own largest area
// to the global one.
std::string MeshSwitches(double area);
std::string MeshSwitches(const MeshRequest& request);

// A refinement's switches: quiet, refine (r) the given mesh keeping its
// boundary pieces (p), quality, each triangle's own largest area (a with
// no number), and the global one as a number when it is above 0. Each
// triangle's material travels as its attribute, which Triangle hands on to
// the triangles it is split into.
std::string RefineSwitches(const MeshRequest& request);

// At least how many triangles a refinement makes: each triangle becomes at
// least its area over its largest allowed area.
double RefinedCountAtLeast(const MeshRequest& request);
