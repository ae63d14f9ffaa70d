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

struct MeshRequest {
  double area = 0.0;
  std::vector<double> points;     // x, y per point
  std::vector<int32_t> segments;  // start, end per segment, numbered from 1
  std::vector<int32_t> markers;   // one per segment: the model element it stands for
  std::vector<double> holes;      // x, y per hole point
};

struct MeshReply {
  int32_t pointCount = 0;
  int32_t triangleCount = 0;
  // Filled only when both counts are within the mesh tables' capacities;
  // past them the counts alone travel (a lower bound when the helper
  // refused to mesh at all).
  std::vector<double> points;      // x, y per point
  std::vector<int32_t> triangles;  // three corners per triangle, from 1
  // The pieces the segments were split into, each with its segment's marker.
  std::vector<int32_t> segments;  // two points per piece, from 1
  std::vector<int32_t> markers;   // one per piece
};

// The most segment pieces a reply carries: the pieces are edges of a plane
// graph on at most the mesh tables' points.
inline constexpr int32_t kMaxReplySegments = 3 * kMaxMeshNodes;

// The largest reply a helper may send: the header, full mesh tables and
// the most segment pieces.
size_t MaxReplyBytes();

bool ReplyWithinLimits(const MeshReply& reply);

std::string EncodeRequest(const MeshRequest& request);
// Refuses anything but a well-formed request within the model's capacities.
std::optional<MeshRequest> DecodeRequest(std::string_view bytes);

std::string EncodeReply(const MeshReply& reply);
// Refuses a reply whose size does not match its counts, whose corners name
// points it does not have, or whose coordinates are not finite.
std::optional<MeshReply> DecodeReply(std::string_view bytes);

// Triangle's switches: quiet, planar straight-line graph, quality mesh with
// the default angle, largest area as printf "%f" in the C locale.
std::string MeshSwitches(double area);
