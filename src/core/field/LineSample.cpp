#include "core/field/LineSample.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

// Crossings shorter than this share of the segment are touches at a
// corner or rounding, not a passage through a triangle.
constexpr double kTouch = 1e-10;

// Where the segment runs through one triangle, as fractions of A→B.
struct Crossing {
  double t0 = 0.0;
  double t1 = 0.0;
  int32_t triangle = 0;
  bool afterGap = false;  // the segment was outside the mesh just before
};

struct Corners {
  double x[3];
  double y[3];
};

bool CornersOf(const Model& m, const MeshTriangle& c, const MeshTable<MeshNode>::View& nodes, Corners& out) {
  const int32_t k[3] = {c.corner1, c.corner2, c.corner3};
  for (int i = 0; i < 3; ++i) {
    if (k[i] < 1 || k[i] > m.meshNodeCount) return false;
    const MeshNode& n = nodes[k[i]];
    out.x[i] = n.x, out.y[i] = n.y;
  }
  return true;
}

// The triangles the segment passes through, in order along it. One pass
// over all triangles: most are rejected by the side of the segment's line
// they lie on or by its bounding box, before the segment is clipped to the
// remaining few. Where the segment runs along an edge the first of its two
// triangles is taken; overlaps left by rounding are trimmed away.
std::vector<Crossing> CrossingsOf(const Model& m, SegmentPoint a, SegmentPoint b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  std::vector<Crossing> found;
  if (!(dx != 0.0 || dy != 0.0) || !std::isfinite(dx) || !std::isfinite(dy)) return found;
  const double x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x), y0 = std::min(a.y, b.y),
               y1 = std::max(a.y, b.y);
  const auto rows = m.MeshTriangleTable.rows(m.meshTriangleCount);
  const auto nodes = m.MeshNodeTable.rows(m.meshNodeCount);
  for (int32_t t = 1; t <= m.meshTriangleCount; ++t) {
    Corners p;
    if (!CornersOf(m, rows[t], nodes, p)) continue;
    if ((p.x[0] < x0 && p.x[1] < x0 && p.x[2] < x0) || (p.x[0] > x1 && p.x[1] > x1 && p.x[2] > x1) ||
        (p.y[0] < y0 && p.y[1] < y0 && p.y[2] < y0) || (p.y[0] > y1 && p.y[1] > y1 && p.y[2] > y1))
      continue;
    double side[3];
    for (int i = 0; i < 3; ++i) side[i] = dx * (p.y[i] - a.y) - dy * (p.x[i] - a.x);
    if ((side[0] > 0 && side[1] > 0 && side[2] > 0) || (side[0] < 0 && side[1] < 0 && side[2] < 0)) continue;
    const double area2 = (p.x[1] - p.x[0]) * (p.y[2] - p.y[0]) - (p.x[2] - p.x[0]) * (p.y[1] - p.y[0]);
    if (area2 == 0.0) continue;
    const double o = area2 > 0.0 ? 1.0 : -1.0;
    // Inside every edge's half-plane: f0 + t f1 >= 0 for each edge.
    double lo = 0.0, hi = 1.0;
    for (int i = 0; i < 3 && lo < hi; ++i) {
      const int j = (i + 1) % 3;
      const double ex = p.x[j] - p.x[i], ey = p.y[j] - p.y[i];
      const double f0 = o * (ex * (a.y - p.y[i]) - ey * (a.x - p.x[i]));
      const double f1 = o * (ex * dy - ey * dx);
      if (f1 == 0.0) {
        if (f0 < 0.0) hi = lo;
      } else if (f1 > 0.0) {
        lo = std::max(lo, -f0 / f1);
      } else {
        hi = std::min(hi, -f0 / f1);
      }
    }
    if (hi - lo > kTouch) found.push_back({lo, hi, t, false});
  }
  std::sort(found.begin(), found.end(), [](const Crossing& l, const Crossing& r) {
    return l.t0 != r.t0 ? l.t0 < r.t0 : l.triangle < r.triangle;
  });
  std::vector<Crossing> chain;
  double end = 0.0;
  for (Crossing c : found) {
    if (!chain.empty() && c.t1 <= end + kTouch) continue;  // along an edge, or within the last
    c.afterGap = chain.empty() || c.t0 > end + kTouch;
    if (!chain.empty() && c.t0 < end) c.t0 = end;
    end = c.t1;
    chain.push_back(c);
  }
  return chain;
}

// The field at the point of triangle t, interpolated where it is per node
// or per corner.
double ValueIn(const Model& m, const FieldValues& f, int32_t t, double x, double y) {
  if (!f.perNode && !f.perCorner) return size_t(t) < f.values.size() ? f.values[size_t(t)] : NAN;
  const MeshTriangle& c = m.MeshTriangleTable[t];
  Corners p;
  if (!CornersOf(m, c, m.MeshNodeTable.rows(m.meshNodeCount), p)) return NAN;
  const double area2 = (p.x[1] - p.x[0]) * (p.y[2] - p.y[0]) - (p.x[2] - p.x[0]) * (p.y[1] - p.y[0]);
  const int32_t k[3] = {c.corner1, c.corner2, c.corner3};
  double v = 0.0;
  for (int i = 0; i < 3; ++i) {
    const int j = (i + 1) % 3, l = (i + 2) % 3;
    const double w = ((p.x[j] - x) * (p.y[l] - y) - (p.x[l] - x) * (p.y[j] - y)) / area2;
    const size_t slot = f.perCorner ? size_t(3 * (t - 1) + i + 1) : size_t(k[i]);
    v += w * (slot < f.values.size() ? f.values[slot] : NAN);
  }
  return v;
}

std::string Number(double v) {
  char text[32];
  const auto r = std::to_chars(text, text + sizeof text, v);
  return std::string(text, r.ptr);
}

std::string Heading(const std::string& name, const std::string& unit) {
  return unit.empty() ? name : name + " [" + unit + "]";
}

}  // namespace

LinePieces SampleAlongSegment(const Model& m, const FieldValues& f, SegmentPoint a, SegmentPoint b) {
  const double dx = b.x - a.x, dy = b.y - a.y, length = std::hypot(dx, dy);
  const bool perTriangle = !f.perNode && !f.perCorner;
  // Values this close count as one where a field per corner meets itself
  // across an edge within a material.
  const double same = 1e-9 * std::max(std::abs(f.min), std::abs(f.max));
  LinePieces pieces;
  for (const Crossing& c : CrossingsOf(m, a, b)) {
    if (c.afterGap) pieces.emplace_back();
    std::vector<LineSample>& piece = pieces.back();
    for (const double t : {c.t0, c.t1}) {
      const double x = a.x + t * dx, y = a.y + t * dy;
      const LineSample sample{t * length, x, y, ValueIn(m, f, c.triangle, x, y)};
      if (t == c.t0 && !perTriangle && !piece.empty() && std::abs(piece.back().value - sample.value) <= same)
        continue;
      piece.push_back(sample);
    }
  }
  return pieces;
}

double FlowThroughSegment(const Solution& s, SegmentPoint a, SegmentPoint b) {
  if (s.result.disc) return 0.0;
  const double dx = b.x - a.x, dy = b.y - a.y;
  double flow = 0.0;
  for (const Crossing& c : CrossingsOf(s.model, a, b)) {
    if (size_t(c.triangle) >= s.result.flux.size()) continue;
    const std::array<double, 2>& q = s.result.flux[size_t(c.triangle)];
    // q·n ds with n ds = (-dy, dx) dt.
    flow += (c.t1 - c.t0) * (-q[0] * dy + q[1] * dx);
  }
  return flow;
}

std::array<double, 2> ForceThroughSegment(const Solution& s, SegmentPoint a, SegmentPoint b) {
  std::array<double, 2> force{0.0, 0.0};
  if (!s.result.disc) return force;
  const double nx = -(b.y - a.y), ny = b.x - a.x;  // n ds per unit of t
  for (const Crossing& c : CrossingsOf(s.model, a, b)) {
    if (size_t(c.triangle) >= s.result.stress.size()) continue;
    const TriangleStress& st = s.result.stress[size_t(c.triangle)];
    force[0] += (c.t1 - c.t0) * (st.sx * nx + st.txy * ny);
    force[1] += (c.t1 - c.t0) * (st.txy * nx + st.sy * ny);
  }
  return force;
}

std::string LengthUnit(const Solution& s) {
  return s.result.disc || !NamesOfField(s.model.ProblemKind).fieldUnit.empty() ? "m" : "";
}

std::string LineSamplesCsv(const LinePieces& pieces, const FieldValues& f, const std::string& lengthUnit) {
  std::string text = Heading("s", lengthUnit) + "," + Heading("x", lengthUnit) + "," +
                     Heading("y", lengthUnit) + "," + Heading(FileFieldName(f), f.unit) + "\n";
  for (size_t p = 0; p < pieces.size(); ++p) {
    if (p > 0) text += "\n";
    for (const LineSample& l : pieces[p])
      text += Number(l.s) + "," + Number(l.x) + "," + Number(l.y) + "," + Number(l.value) + "\n";
  }
  return text;
}
