#include "core/import/Drawing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/text/Tr.h"

DrawingPoint DrawingCurve::at(double t) const {
  return {centre.x + u.x * std::cos(t) + v.x * std::sin(t), centre.y + u.y * std::cos(t) + v.y * std::sin(t)};
}
DrawingPoint DrawingCurve::start() const {
  return kind == Kind::Line ? a : at(t0);
}
DrawingPoint DrawingCurve::end() const {
  return kind == Kind::Line ? b : at(t1);
}
double DrawingCurve::radius() const {
  if (kind == Kind::Line) return 0.0;
  // The larger singular value of the matrix [u v].
  const double p = u.x * u.x + u.y * u.y + v.x * v.x + v.y * v.y;
  const double det = u.x * v.y - u.y * v.x;
  return std::sqrt((p + std::sqrt(std::max(0.0, p * p - 4.0 * det * det))) / 2.0);
}

double DrawingBox::diagonal() const {
  return std::hypot(width(), height());
}

DrawingBox CurvesExtent(const std::vector<DrawingCurve>& curves) {
  DrawingBox box{INFINITY, INFINITY, -INFINITY, -INFINITY};
  const auto add = [&](DrawingPoint p) {
    box.minX = std::min(box.minX, p.x);
    box.maxX = std::max(box.maxX, p.x);
    box.minY = std::min(box.minY, p.y);
    box.maxY = std::max(box.maxY, p.y);
  };
  for (const DrawingCurve& c : curves) {
    add(c.start());
    add(c.end());
    if (c.kind == DrawingCurve::Kind::Line) continue;
    // Where x and y reach their extremes on the whole ellipse, when the arc
    // passes there.
    const double lo = std::min(c.t0, c.t1), hi = std::max(c.t0, c.t1);
    for (const double base : {std::atan2(c.v.x, c.u.x), std::atan2(c.v.y, c.u.y)}) {
      for (double t = base - 4 * std::numbers::pi; t <= hi; t += std::numbers::pi) {
        if (t >= lo) add(c.at(t));
      }
    }
  }
  return curves.empty() ? DrawingBox{} : box;
}

DrawingUnit UnitOfDrawing(int32_t code) {
  switch (code) {
    case 1: return {TrNoop("Drawing", "cale"), 0.0254};
    case 2: return {TrNoop("Drawing", "stopy"), 0.3048};
    case 3: return {TrNoop("Drawing", "mile"), 1609.344};
    case 4: return {TrNoop("Drawing", "milimetry"), 0.001};
    case 5: return {TrNoop("Drawing", "centymetry"), 0.01};
    case 6: return {TrNoop("Drawing", "metry"), 1.0};
    case 7: return {TrNoop("Drawing", "kilometry"), 1000.0};
    case 8: return {TrNoop("Drawing", "mikrocale"), 0.0254e-6};
    case 9: return {TrNoop("Drawing", "mile (tysięczne cala)"), 0.0254e-3};
    case 10: return {TrNoop("Drawing", "jardy"), 0.9144};
    case 11: return {TrNoop("Drawing", "angstremy"), 1e-10};
    case 12: return {TrNoop("Drawing", "nanometry"), 1e-9};
    case 13: return {TrNoop("Drawing", "mikrometry"), 1e-6};
    case 14: return {TrNoop("Drawing", "decymetry"), 0.1};
    case 15: return {TrNoop("Drawing", "dekametry"), 10.0};
    case 16: return {TrNoop("Drawing", "hektometry"), 100.0};
    default: return {};
  }
}

DrawingCurve LineCurve(DrawingPoint a, DrawingPoint b) {
  DrawingCurve c;
  c.a = a;
  c.b = b;
  return c;
}

DrawingCurve ArcCurve(DrawingPoint centre, DrawingPoint u, DrawingPoint v, double t0, double t1,
                      bool closed) {
  DrawingCurve c;
  c.kind = DrawingCurve::Kind::Arc;
  c.centre = centre;
  c.u = u;
  c.v = v;
  c.t0 = t0;
  c.t1 = t1;
  c.closed = closed;
  return c;
}

// The arc a polyline's segment from p to q bulges into: bulge = tan(θ/4),
// θ the included angle, positive counter-clockwise.
DrawingCurve BulgeArc(DrawingPoint p, DrawingPoint q, double bulge) {
  const double dx = q.x - p.x, dy = q.y - p.y;
  const double chord = std::hypot(dx, dy);
  const double theta = 4.0 * std::atan(bulge);
  const double offset = (1.0 - bulge * bulge) / (4.0 * bulge);  // centre's distance from the chord / chord
  const DrawingPoint centre{(p.x + q.x) / 2.0 - dy * offset, (p.y + q.y) / 2.0 + dx * offset};
  const double r = chord * (1.0 + bulge * bulge) / (4.0 * std::fabs(bulge));
  const double t0 = std::atan2(p.y - centre.y, p.x - centre.x);
  return ArcCurve(centre, {r, 0.0}, {0.0, r}, t0, t0 + theta, false);
}
