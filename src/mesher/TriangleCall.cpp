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
  // The first triangle attribute is the region's material (switch A).
  if (!request.regions.empty() && out.triangleattributelist != nullptr &&
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
