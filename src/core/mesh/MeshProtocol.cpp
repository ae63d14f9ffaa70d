#include "core/mesh/MeshProtocol.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/files/HostBytes.h"
#include "core/model/Model.h"
#include "core/text/NumberText.h"

namespace {

constexpr uint32_t kRequestMagic = 0x314d4b56;  // "VKM1"
constexpr uint32_t kReplyMagic = 0x314d5256;    // "VRM1"
constexpr uint32_t kRefineMagic = 0x31524b56;   // "VKR1"

bool AllFinite(const std::vector<double>& values) {
  for (double v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

bool CountIn(int32_t count, int32_t max) {
  return count >= 0 && count <= max;
}

}  // namespace

MeshLimits LargeMeshLimits(int32_t triangles) {
  triangles = std::clamp(triangles, 1, kLargestMeshTriangles);
  // A triangulation of N points has at least N - 2 triangles; Triangle may
  // keep up to every model node unused besides.
  return {triangles, triangles + kMaxNodes + 2};
}

int64_t MaxReplySegments(const MeshLimits& limits) {
  return 3 * int64_t(limits.points);
}

size_t MaxReplyBytes(const MeshLimits& l) {
  return sizeof(uint32_t) + 5 * sizeof(int32_t) + 2 * sizeof(double) * size_t(l.points) +
         3 * sizeof(int32_t) * size_t(l.triangles) + 3 * sizeof(int32_t) * size_t(MaxReplySegments(l));
}

bool ReplyWithinLimits(const MeshReply& reply, const MeshLimits& limits) {
  return CountIn(reply.pointCount, limits.points) && CountIn(reply.triangleCount, limits.triangles);
}

size_t MaxRequestBytes() {
  // The header, then per point two doubles, per triangle three corners, a
  // material and an area, per piece two ends and a marker.
  const size_t points = size_t(kLargestMeshRows), triangles = size_t(kLargestMeshTriangles);
  return 64 + 16 * points + (4 * sizeof(int32_t) + sizeof(double)) * triangles + 12 * 3 * points;
}

namespace {

double TriangleArea(const std::vector<double>& points, const int32_t* c) {
  const double* a = &points[2 * size_t(c[0] - 1)];
  const double* b = &points[2 * size_t(c[1] - 1)];
  const double* d = &points[2 * size_t(c[2] - 1)];
  return 0.5 * std::fabs((b[0] - a[0]) * (d[1] - a[1]) - (d[0] - a[0]) * (b[1] - a[1]));
}

// What both requests open with: the magic, the area, the limits and the
// points.
std::string Opening(uint32_t magic, const MeshRequest& r) {
  std::string out;
  Put(out, magic);
  Put(out, r.area);
  Put(out, r.limits.triangles);
  Put(out, r.limits.points);
  Put(out, static_cast<int32_t>(r.points.size() / 2));
  PutAll(out, r.points);
  return out;
}

std::string EncodeRefine(const MeshRequest& r) {
  std::string out = Opening(kRefineMagic, r);
  Put(out, static_cast<int32_t>(r.triangles.size() / 3));
  PutAll(out, r.triangles);
  PutAll(out, r.triangleAreas);
  Put(out, static_cast<int32_t>(r.materials.size()));
  PutAll(out, r.materials);
  Put(out, static_cast<int32_t>(r.segments.size() / 2));
  PutAll(out, r.segments);
  PutAll(out, r.markers);
  return out;
}

// The counts are checked against the largest mesh before anything is
// allocated for them; then every corner, material and area.
std::optional<MeshRequest> DecodeRefine(ByteCursor& in) {
  MeshRequest r;
  r.refine = true;
  int32_t points = 0, triangles = 0, materials = 0, pieces = 0;
  if (!in.get(r.area) || !in.get(r.limits.triangles) || !in.get(r.limits.points) || r.limits.triangles < 1 ||
      r.limits.triangles > kLargestMeshTriangles || r.limits.points < 1 ||
      r.limits.points > kLargestMeshRows) {
    return std::nullopt;
  }
  if (!in.get(points) || !CountIn(points, kLargestMeshRows) || points < 3 ||
      !in.getAll(r.points, 2 * size_t(points))) {
    return std::nullopt;
  }
  if (!in.get(triangles) || !CountIn(triangles, kLargestMeshTriangles) || triangles < 1 ||
      !in.getAll(r.triangles, 3 * size_t(triangles)) || !in.getAll(r.triangleAreas, size_t(triangles))) {
    return std::nullopt;
  }
  if (!in.get(materials) || (materials != 0 && materials != triangles) ||
      !in.getAll(r.materials, size_t(materials))) {
    return std::nullopt;
  }
  if (!in.get(pieces) || pieces < 0 || int64_t(pieces) > 3 * int64_t(points) ||
      !in.getAll(r.segments, 2 * size_t(pieces)) || !in.getAll(r.markers, size_t(pieces))) {
    return std::nullopt;
  }
  if (!in.atEnd() || !std::isfinite(r.area) || !AllFinite(r.points) || !AllFinite(r.triangleAreas)) {
    return std::nullopt;
  }
  for (const std::vector<int32_t>* corners : {&r.triangles, &r.segments}) {
    for (int32_t corner : *corners) {
      if (corner < 1 || corner > points) return std::nullopt;
    }
  }
  for (int32_t material : r.materials) {
    if (!CountIn(material, kMaxMaterials)) return std::nullopt;
  }
  for (int32_t marker : r.markers) {
    if (marker < 1 || marker > kMaxElements) return std::nullopt;
  }
  return r;
}

}  // namespace

std::string EncodeRequest(const MeshRequest& r) {
  if (r.refine) return EncodeRefine(r);
  std::string out = Opening(kRequestMagic, r);
  Put(out, static_cast<int32_t>(r.segments.size() / 2));
  PutAll(out, r.segments);
  PutAll(out, r.markers);
  Put(out, static_cast<int32_t>(r.holes.size() / 2));
  PutAll(out, r.holes);
  Put(out, static_cast<int32_t>(r.regions.size() / 4));
  PutAll(out, r.regions);
  return out;
}

std::optional<MeshRequest> DecodeRequest(std::string_view bytes) {
  ByteCursor in(bytes);
  MeshRequest r;
  uint32_t magic = 0;
  int32_t points = 0, segments = 0, holes = 0, regions = 0;
  if (in.get(magic) && magic == kRefineMagic) return DecodeRefine(in);
  if (magic != kRequestMagic || !in.get(r.area) || !in.get(r.limits.triangles) || !in.get(r.limits.points) ||
      r.limits.triangles < 1 || r.limits.triangles > kLargestMeshTriangles || r.limits.points < 1 ||
      r.limits.points > kLargestMeshRows) {
    return std::nullopt;
  }
  if (!in.get(points) || !CountIn(points, kMaxNodes) || !in.getAll(r.points, 2 * size_t(points))) {
    return std::nullopt;
  }
  if (!in.get(segments) || !CountIn(segments, kMaxElements) || !in.getAll(r.segments, 2 * size_t(segments)) ||
      !in.getAll(r.markers, size_t(segments))) {
    return std::nullopt;
  }
  if (!in.get(holes) || !CountIn(holes, kMaxInternalNodes) || !in.getAll(r.holes, 2 * size_t(holes))) {
    return std::nullopt;
  }
  if (!in.get(regions) || !CountIn(regions, kMaxRegionPoints) || !in.getAll(r.regions, 4 * size_t(regions))) {
    return std::nullopt;
  }
  if (!in.atEnd() || !std::isfinite(r.area) || !AllFinite(r.points) || !AllFinite(r.holes) ||
      !AllFinite(r.regions)) {
    return std::nullopt;
  }
  for (size_t i = 0; i < r.regions.size(); i += 4) {
    const double material = r.regions[i + 2];
    if (material < 0.0 || material > kMaxMaterials || material != std::floor(material) ||
        r.regions[i + 3] < 0.0)
      return std::nullopt;
  }
  for (int32_t corner : r.segments) {
    if (corner < 1 || corner > points) return std::nullopt;
  }
  for (int32_t marker : r.markers) {
    if (marker < 1 || marker > kMaxElements) return std::nullopt;
  }
  return r;
}

std::string EncodeReply(const MeshReply& r, const MeshLimits& limits) {
  std::string out;
  const bool withMesh = ReplyWithinLimits(r, limits);
  if (withMesh) {
    out.reserve(5 * sizeof(int32_t) + r.points.size() * sizeof(double) +
                (r.triangles.size() + r.segments.size() + r.markers.size()) * sizeof(int32_t));
  }
  Put(out, kReplyMagic);
  Put(out, r.pointCount);
  Put(out, r.triangleCount);
  Put(out, r.estimated);
  if (withMesh) {
    PutAll(out, r.points);
    PutAll(out, r.triangles);
    Put(out, static_cast<int32_t>(r.segments.size() / 2));
    PutAll(out, r.segments);
    PutAll(out, r.markers);
    Put(out, static_cast<int32_t>(r.materials.size()));
    PutAll(out, r.materials);
  }
  return out;
}

std::optional<MeshReply> DecodeReply(std::string_view bytes, const MeshLimits& limits) {
  ByteCursor in(bytes);
  MeshReply r;
  uint32_t magic = 0;
  if (!in.get(magic) || magic != kReplyMagic || !in.get(r.pointCount) || !in.get(r.triangleCount) ||
      !in.get(r.estimated)) {
    return std::nullopt;
  }
  if (r.pointCount < 0 || r.triangleCount < 0 || (r.estimated != 0 && r.estimated != 1)) return std::nullopt;
  if (ReplyWithinLimits(r, limits)) {
    if (!in.getAll(r.points, 2 * size_t(r.pointCount)) ||
        !in.getAll(r.triangles, 3 * size_t(r.triangleCount))) {
      return std::nullopt;
    }
    int32_t segments = 0;
    if (!in.get(segments) || segments < 0 || segments > MaxReplySegments(limits) ||
        !in.getAll(r.segments, 2 * size_t(segments)) || !in.getAll(r.markers, size_t(segments))) {
      return std::nullopt;
    }
    int32_t materials = 0;
    if (!in.get(materials) || (materials != 0 && materials != r.triangleCount) ||
        !in.getAll(r.materials, size_t(materials))) {
      return std::nullopt;
    }
    for (int32_t material : r.materials) {
      if (!CountIn(material, kMaxMaterials)) return std::nullopt;
    }
    if (!AllFinite(r.points)) return std::nullopt;
    for (const std::vector<int32_t>* corners : {&r.triangles, &r.segments}) {
      for (int32_t corner : *corners) {
        if (corner < 1 || corner > r.pointCount) return std::nullopt;
      }
    }
    for (int32_t marker : r.markers) {
      if (marker < 1 || marker > kMaxElements) return std::nullopt;
    }
  }
  if (!in.atEnd()) return std::nullopt;
  return r;
}

std::string MeshSwitches(double area) {
  std::string s = "Qpqa";
  AppendFixed(s, area, 6);
  s += "/0";
  return s;
}

std::string MeshSwitches(const MeshRequest& r) {
  if (r.regions.empty()) return MeshSwitches(r.area);
  bool areas = false;
  for (size_t i = 3; i < r.regions.size(); i += 4) areas = areas || r.regions[i] > 0.0;
  // "a" followed by a letter reads the regions' areas, by a digit the global one.
  std::string s = areas ? "QpqAaa" : "QpqAa";
  AppendFixed(s, r.area, 6);
  s += "/0";
  return s;
}

std::string RefineSwitches(const MeshRequest& r) {
  // "a" followed by a letter reads the triangles' areas, by a digit the
  // global one.
  std::string s = "Qrpqa";
  if (r.area > 0.0) {
    s += "a";
    AppendFixed(s, r.area, 6);
    s += "/0";
  }
  return s;
}

double RefinedCountAtLeast(const MeshRequest& r) {
  double count = 0.0;
  const size_t triangles = std::min(r.triangles.size() / 3, r.triangleAreas.size());
  for (size_t t = 0; t < triangles; ++t) {
    double most = r.triangleAreas[t];
    if (r.area > 0.0 && (most <= 0.0 || r.area < most)) most = r.area;
    const double area = TriangleArea(r.points, &r.triangles[3 * t]);
    count += most > 0.0 ? std::max(1.0, std::floor(area / most)) : 1.0;
  }
  return count;
}
