#include "mesher/TriangleCall.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

extern "C" {
#include <triangle.h>
}

namespace {

void Release(triangulateio& io) {
  for (void* p : {static_cast<void*>(io.pointlist), static_cast<void*>(io.pointattributelist),
                  static_cast<void*>(io.pointmarkerlist), static_cast<void*>(io.trianglelist),
                  static_cast<void*>(io.triangleattributelist), static_cast<void*>(io.neighborlist),
                  static_cast<void*>(io.segmentlist), static_cast<void*>(io.segmentmarkerlist),
                  static_cast<void*>(io.edgelist), static_cast<void*>(io.edgemarkerlist),
                  static_cast<void*>(io.normlist)}) {
    if (p != nullptr) trifree(p);
  }
  // holelist and regionlist of an output record point at the input's lists.
  std::memset(&io, 0, sizeof io);
}

// Triangle's output for the request, still in Triangle's own lists.
class Triangulation {
 public:
  Triangulation(const MeshRequest& request, const std::string& switches)
      : points_(request.points),
        segments_(request.segments),
        holes_(request.holes),
        regions_(request.regions),
        pointMarkers_(request.points.size() / 2, 0),
        segmentMarkers_(request.segments.size() / 2, 0) {
    // Each segment carries its model element, and Triangle hands the mark
    // on to every piece it splits the segment into.
    std::copy_n(request.markers.begin(), std::min(request.markers.size(), segmentMarkers_.size()),
                segmentMarkers_.begin());
    std::memset(&in_, 0, sizeof in_);
    std::memset(&out_, 0, sizeof out_);
    std::memset(&voronoi_, 0, sizeof voronoi_);
    in_.numberofpoints = static_cast<int>(points_.size() / 2);
    in_.pointlist = points_.data();
    in_.numberofpointattributes = 0;
    in_.pointmarkerlist = pointMarkers_.empty() ? nullptr : pointMarkers_.data();
    in_.numberofsegments = static_cast<int>(segments_.size() / 2);
    in_.segmentlist = segments_.empty() ? nullptr : segments_.data();
    in_.segmentmarkerlist = segmentMarkers_.empty() ? nullptr : segmentMarkers_.data();
    in_.numberofholes = static_cast<int>(holes_.size() / 2);
    in_.holelist = holes_.empty() ? nullptr : holes_.data();
    // Each region point with its material as the regional attribute and its
    // own largest area (0: none), as Triangle's region list has them.
    in_.numberofregions = static_cast<int>(regions_.size() / 4);
    in_.regionlist = regions_.empty() ? nullptr : regions_.data();
    if (request.refine) {
      // The mesh to refine; Triangle reads holes and regions only when it
      // does not refine.
      in_.numberofholes = 0;
      in_.holelist = nullptr;
      in_.numberofregions = 0;
      in_.regionlist = nullptr;
      triangles_.assign(request.triangles.begin(), request.triangles.end());
      areas_.assign(request.triangleAreas.begin(), request.triangleAreas.end());
      areas_.resize(triangles_.size() / 3, 0.0);
      attributes_.assign(request.materials.begin(), request.materials.end());
      in_.numberoftriangles = static_cast<int>(triangles_.size() / 3);
      in_.numberofcorners = 3;
      in_.trianglelist = triangles_.data();
      in_.trianglearealist = areas_.data();
      in_.numberoftriangleattributes = attributes_.empty() ? 0 : 1;
      in_.triangleattributelist = attributes_.empty() ? nullptr : attributes_.data();
    }
    std::vector<char> sw(switches.begin(), switches.end());
    sw.push_back('\0');
    triangulate(sw.data(), &in_, &out_, &voronoi_);
  }
  ~Triangulation() {
    Release(out_);
    Release(voronoi_);
  }
  Triangulation(const Triangulation&) = delete;
  Triangulation& operator=(const Triangulation&) = delete;

  const triangulateio& out() const { return out_; }

 private:
  std::vector<double> points_;
  std::vector<int> segments_;
  std::vector<double> holes_;
  std::vector<double> regions_;
  std::vector<int> pointMarkers_;
  std::vector<int> segmentMarkers_;
  std::vector<int> triangles_;
  std::vector<double> areas_;
  std::vector<double> attributes_;  // the material of each triangle to refine
  triangulateio in_{};
  triangulateio out_{};
  triangulateio voronoi_{};
};

}  // namespace

MeshReply RunTriangle(const MeshRequest& request, const std::string& switches) {
  Triangulation t(request, switches);
  const triangulateio& out = t.out();
  MeshReply reply;
  reply.pointCount = out.numberofpoints;
  reply.triangleCount = out.numberoftriangles;
  if (out.pointlist != nullptr) {
    reply.points.assign(out.pointlist, out.pointlist + 2 * static_cast<size_t>(out.numberofpoints));
  }
  if (out.trianglelist != nullptr) {
    // Only the three corners, even if Triangle were asked for more.
    const int corners = out.numberofcorners;
    reply.triangles.reserve(3 * static_cast<size_t>(out.numberoftriangles));
    for (int i = 0; i < out.numberoftriangles; ++i) {
      for (int c = 0; c < 3; ++c) reply.triangles.push_back(out.trianglelist[i * corners + c]);
    }
  }
  // The first triangle attribute is the region's material (switch A), or
  // the refined triangle's, handed on.
  if ((!request.regions.empty() || !request.materials.empty()) && out.triangleattributelist != nullptr &&
      out.numberoftriangleattributes > 0) {
    const int attributes = out.numberoftriangleattributes;
    reply.materials.reserve(static_cast<size_t>(out.numberoftriangles));
    for (int i = 0; i < out.numberoftriangles; ++i) {
      reply.materials.push_back(static_cast<int32_t>(std::lround(out.triangleattributelist[i * attributes])));
    }
  }
  if (out.segmentlist != nullptr && out.segmentmarkerlist != nullptr) {
    const size_t pieces = static_cast<size_t>(out.numberofsegments);
    reply.segments.assign(out.segmentlist, out.segmentlist + 2 * pieces);
    reply.markers.assign(out.segmentmarkerlist, out.segmentmarkerlist + pieces);
  }
  return reply;
}

double RegionArea(const MeshRequest& request) {
  Triangulation t(request, "Qp");
  const triangulateio& out = t.out();
  if (out.trianglelist == nullptr || out.pointlist == nullptr) return 0.0;
  double sum = 0.0;
  const int corners = out.numberofcorners;
  for (int i = 0; i < out.numberoftriangles; ++i) {
    const double* a = out.pointlist + 2 * (out.trianglelist[i * corners] - 1);
    const double* b = out.pointlist + 2 * (out.trianglelist[i * corners + 1] - 1);
    const double* c = out.pointlist + 2 * (out.trianglelist[i * corners + 2] - 1);
    sum += std::fabs((b[0] - a[0]) * (c[1] - a[1]) - (c[0] - a[0]) * (b[1] - a[1])) * 0.5;
  }
  return sum;
}

namespace {

// The triangles of the mesh to refine, found by a point inside them
// through a grid of buckets over their bounding boxes.
class TriangleIndex {
 public:
  explicit TriangleIndex(const MeshRequest& r) : r_(r) {
    const size_t count = r.triangles.size() / 3;
    side_ = std::max<size_t>(1, static_cast<size_t>(std::sqrt(double(count))));
    lo_[0] = hi_[0] = r.points[0];
    lo_[1] = hi_[1] = r.points[1];
    for (size_t i = 0; i < r.points.size(); i += 2) {
      for (int k = 0; k < 2; ++k) {
        lo_[k] = std::min(lo_[k], r.points[i + k]);
        hi_[k] = std::max(hi_[k], r.points[i + k]);
      }
    }
    buckets_.resize(side_ * side_);
    for (size_t t = 0; t < count; ++t) {
      size_t from[2] = {side_, side_}, to[2] = {0, 0};
      for (int c = 0; c < 3; ++c) {
        const double* p = point(r.triangles[3 * t + size_t(c)]);
        for (int k = 0; k < 2; ++k) {
          from[k] = std::min(from[k], cell(p[k], k));
          to[k] = std::max(to[k], cell(p[k], k));
        }
      }
      for (size_t j = from[1]; j <= to[1]; ++j) {
        for (size_t i = from[0]; i <= to[0]; ++i) buckets_[j * side_ + i].push_back(t);
      }
    }
  }
  // The triangle (from 0) holding (x, y), or -1 for none.
  int64_t find(double x, double y) const {
    for (size_t t : buckets_[cell(y, 1) * side_ + cell(x, 0)]) {
      const double* v[3] = {point(r_.triangles[3 * t]), point(r_.triangles[3 * t + 1]),
                            point(r_.triangles[3 * t + 2])};
      int positive = 0, negative = 0;
      for (int i = 0; i < 3; ++i) {
        const double* a = v[i];
        const double* b = v[(i + 1) % 3];
        const double side = (b[0] - a[0]) * (y - a[1]) - (b[1] - a[1]) * (x - a[0]);
        positive += side > 0.0;
        negative += side < 0.0;
      }
      if (positive == 0 || negative == 0) return int64_t(t);
    }
    return -1;
  }

 private:
  const double* point(int32_t k) const { return &r_.points[2 * size_t(k - 1)]; }
  size_t cell(double v, int k) const {
    const double span = hi_[k] - lo_[k];
    if (!(span > 0.0)) return 0;
    const double at = (v - lo_[k]) / span * double(side_);
    return std::min(side_ - 1, static_cast<size_t>(std::max(0.0, at)));
  }
  const MeshRequest& r_;
  size_t side_ = 1;
  double lo_[2] = {0, 0}, hi_[2] = {0, 0};
  std::vector<std::vector<size_t>> buckets_;
};

double Area(const std::vector<double>& points, const int32_t* c) {
  const double* a = &points[2 * size_t(c[0] - 1)];
  const double* b = &points[2 * size_t(c[1] - 1)];
  const double* d = &points[2 * size_t(c[2] - 1)];
  return 0.5 * std::fabs((b[0] - a[0]) * (d[1] - a[1]) - (d[0] - a[0]) * (b[1] - a[1]));
}

}  // namespace

MeshReply RefineTriangles(const MeshRequest& request) {
  // Triangle gives two triangles it flips the mean of their areas, and no
  // limit at all when either had none: a triangle asked to be small may
  // come out larger. Each round finds, for every triangle made, the area
  // asked for where its centroid lies, and refines again those still too
  // large; a triangle without an area of its own keeps the one it has (or
  // the global one), so that flips never drop a limit.
  const TriangleIndex index(request);
  const auto wanted = [&request](size_t t, double own) {
    const double asked = t < request.triangleAreas.size() ? request.triangleAreas[t] : 0.0;
    double most = asked > 0.0 ? asked : request.area > 0.0 ? request.area : own * (1.0 + 1e-6);
    if (request.area > 0.0) most = std::min(most, request.area);
    return most;
  };
  MeshRequest pass = request;
  for (size_t t = 0; t < pass.triangleAreas.size() && 3 * t + 2 < pass.triangles.size(); ++t)
    pass.triangleAreas[t] = wanted(t, Area(pass.points, &pass.triangles[3 * t]));
  MeshReply reply;
  for (int round = 0; round < 6; ++round) {
    reply = RunTriangle(pass, RefineSwitches(pass));
    if (reply.triangleCount > request.limits.triangles || reply.triangleCount < 1) break;
    std::vector<double> next(static_cast<size_t>(reply.triangleCount));
    bool over = false;
    for (size_t t = 0; t < next.size(); ++t) {
      const int32_t* c = &reply.triangles[3 * t];
      double centre[2] = {0.0, 0.0};
      for (int k = 0; k < 3; ++k) {
        for (int j = 0; j < 2; ++j) centre[j] += reply.points[2 * size_t(c[k] - 1) + size_t(j)] / 3.0;
      }
      const double area = Area(reply.points, c);
      const int64_t old = index.find(centre[0], centre[1]);
      next[t] = wanted(old < 0 ? request.triangleAreas.size() : size_t(old), area);
      over = over || area > next[t] * (1.0 + 1e-9);
    }
    if (!over) break;
    pass.points = reply.points;
    pass.triangles = reply.triangles;
    pass.segments = reply.segments;
    pass.markers = reply.markers;
    pass.materials = reply.materials;
    pass.triangleAreas = std::move(next);
  }
  return reply;
}
