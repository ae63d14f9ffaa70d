#include "core/integrals/Integrals.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

#include "core/lists/NumberList.h"
#include "core/text/Tr.h"

namespace {

// Whether a triangle's corners are mesh nodes.
bool Corners(const MeshTriangle& c, int32_t nodes) {
  return c.corner1 >= 1 && c.corner2 >= 1 && c.corner3 >= 1 && c.corner1 <= nodes && c.corner2 <= nodes &&
         c.corner3 <= nodes;
}

uint64_t EdgeKey(int32_t a, int32_t b) {
  return (uint64_t(uint32_t(std::min(a, b))) << 32) | uint32_t(std::max(a, b));
}

// A mesh edge of a chosen element and the triangles on its sides: the
// triangle and whether the edge runs counter-clockwise round it (then the
// triangle lies on the edge's left).
struct ChosenEdge {
  int32_t a = 0, b = 0;
  int32_t triangles = 0;
  std::array<int32_t, 2> triangle{0, 0};
  std::array<bool, 2> onLeft{false, false};
};

double At(const std::vector<double>& v, int32_t n) {
  return size_t(n) < v.size() ? v[size_t(n)] : std::numeric_limits<double>::quiet_NaN();
}

std::string Times(const std::string& unit, const char* by) {
  return unit.empty() ? std::string(by) : unit + "·" + by;
}

}  // namespace

std::vector<int32_t> ElementsOfCondition(const Solution& s, int32_t condition) {
  const Model& m = s.model;
  std::vector<int32_t> elements;
  if (!m.meshTags) return elements;
  for (const MeshEdge& e : m.meshTags->edges) {
    if (e.element >= 1 && e.element <= m.elementCount && m.ElementTable[e.element].bcNumber == condition)
      elements.push_back(e.element);
  }
  MakeDistinct(elements);
  return elements;
}

namespace {

// The mesh's edges on the chosen elements, each once, with the one or two
// triangles on each, found in one pass over the triangles.
std::vector<ChosenEdge> EdgesOf(const Model& m, const std::vector<int32_t>& elements) {
  std::vector<char> chosen(size_t(std::max(m.elementCount, 0)) + 1, 0);
  for (int32_t e : elements) {
    if (e >= 1 && e <= m.elementCount) chosen[size_t(e)] = 1;
  }
  std::vector<ChosenEdge> edges;
  std::unordered_map<uint64_t, size_t> index;
  std::vector<char> marked(size_t(m.meshNodeCount) + 1, 0);
  for (const MeshEdge& e : m.meshTags->edges) {
    if (e.element < 1 || size_t(e.element) >= chosen.size() || !chosen[size_t(e.element)]) continue;
    if (e.node1 < 1 || e.node2 < 1 || e.node1 > m.meshNodeCount || e.node2 > m.meshNodeCount) continue;
    if (!index.emplace(EdgeKey(e.node1, e.node2), edges.size()).second) continue;
    edges.push_back({e.node1, e.node2});
    marked[size_t(e.node1)] = marked[size_t(e.node2)] = 1;
  }
  if (edges.empty()) return edges;
  const auto rows = m.MeshTriangleTable.rows(m.meshTriangleCount);
  for (int32_t t = 1; t <= m.meshTriangleCount; ++t) {
    const MeshTriangle& c = rows[t];
    if (!Corners(c, m.meshNodeCount)) continue;
    const int32_t k[3] = {c.corner1, c.corner2, c.corner3};
    if (marked[size_t(k[0])] + marked[size_t(k[1])] + marked[size_t(k[2])] < 2) continue;
    for (int i = 0; i < 3; ++i) {
      const int32_t p = k[i], q = k[(i + 1) % 3];
      if (!marked[size_t(p)] || !marked[size_t(q)]) continue;
      const auto found = index.find(EdgeKey(p, q));
      if (found == index.end()) continue;
      ChosenEdge& e = edges[found->second];
      if (e.triangles == 2) continue;
      e.triangle[size_t(e.triangles)] = t;
      // The solver's triangles run counter-clockwise: the edge p → q has
      // the triangle on its left.
      e.onLeft[size_t(e.triangles)] = p == e.a;
      ++e.triangles;
    }
  }
  return edges;
}

}  // namespace

EdgeIntegrals IntegrateEdges(const Solution& s, const std::vector<int32_t>& elements,
                             std::array<double, 2> point) {
  const Model& m = s.model;
  const SolveResult& r = s.result;
  EdgeIntegrals out;
  if (!m.meshTags || m.meshNodeCount <= 0) return out;
  const std::vector<ChosenEdge> edges = EdgesOf(m, elements);
  double sum = 0.0, sumX = 0.0, sumY = 0.0;
  for (const ChosenEdge& e : edges) {
    const MeshNode &pa = m.MeshNodeTable[e.a], &pb = m.MeshNodeTable[e.b];
    const double dx = pb.x - pa.x, dy = pb.y - pa.y;
    const double length = std::hypot(dx, dy);
    ++out.edges;
    out.length += length;
    if (r.disc) {
      const double ax = At(r.ux, e.a), ay = At(r.uy, e.a), bx = At(r.ux, e.b), by = At(r.uy, e.b);
      sum += (std::hypot(ax, ay) + std::hypot(bx, by)) / 2.0 * length;
      sumX += (ax + bx) / 2.0 * length;
      sumY += (ay + by) / 2.0 * length;
    } else {
      sum += (At(r.u, e.a) + At(r.u, e.b)) / 2.0 * length;
    }
    if (e.triangles == 0 || !(length > 0.0)) continue;
    // Times the length: the normal to the right of a → b, outward from a
    // triangle on the left. A lone triangle on the right turns it round.
    double nx = dy, ny = -dx;
    if (e.triangles == 1 && !e.onLeft[0]) nx = -nx, ny = -ny;
    const double share = 1.0 / e.triangles;
    for (int32_t i = 0; i < e.triangles; ++i) {
      const size_t t = size_t(e.triangle[size_t(i)]);
      if (r.disc) {
        if (t >= r.stress.size()) continue;
        const TriangleStress& st = r.stress[t];
        const double tx = (st.sx * nx + st.txy * ny) * share, ty = (st.txy * nx + st.sy * ny) * share;
        out.force[0] += tx;
        out.force[1] += ty;
        const double mx = (pa.x + pb.x) / 2.0 - point[0], my = (pa.y + pb.y) / 2.0 - point[1];
        out.moment += mx * ty - my * tx;
      } else if (t < r.flux.size()) {
        out.flow -= (r.flux[t][0] * nx + r.flux[t][1] * ny) * share;
      }
    }
  }
  if (out.length > 0.0) {
    out.mean = sum / out.length;
    out.meanDisplacement = {sumX / out.length, sumY / out.length};
  }
  return out;
}

// The field's values at a triangle's corners: one per node, one per
// corner, or the triangle's own at all three; NaN where there is none.
std::array<double, 3> CornerValues(const FieldValues& f, const MeshTriangle& c, int32_t t) {
  const double* v = f.values.data();
  const size_t count = f.values.size();
  if (f.perNode) {
    return {size_t(c.corner1) < count ? v[c.corner1] : NAN, size_t(c.corner2) < count ? v[c.corner2] : NAN,
            size_t(c.corner3) < count ? v[c.corner3] : NAN};
  }
  if (f.perCorner) {
    const size_t first = size_t(3 * (t - 1) + 1);
    if (first + 2 >= count) return {NAN, NAN, NAN};
    return {v[first], v[first + 1], v[first + 2]};
  }
  const double own = size_t(t) < count ? v[t] : NAN;
  return {own, own, own};
}

// A triangle's strain energy density, σ · ε / 2, times twice its area: ε
// from the corners' displacements, grad N_i = (y_j - y_k, x_k - x_j) / 2A.
double StrainEnergy(const SolveResult& r, const MeshTriangle& c, int32_t t,
                    std::array<const MeshNode*, 3> corner) {
  const MeshNode &a = *corner[0], &b = *corner[1], &d = *corner[2];
  const double bx[3] = {b.y - d.y, d.y - a.y, a.y - b.y}, cy[3] = {d.x - b.x, a.x - d.x, b.x - a.x};
  const int32_t k[3] = {c.corner1, c.corner2, c.corner3};
  double ex = 0.0, ey = 0.0, gxy = 0.0;
  for (int i = 0; i < 3; ++i) {
    const double ux = r.ux[size_t(k[i])], uy = r.uy[size_t(k[i])];
    ex += bx[i] * ux;
    ey += cy[i] * uy;
    gxy += cy[i] * ux + bx[i] * uy;
  }
  const TriangleStress& st = r.stress[size_t(t)];
  return 0.5 * (st.sx * ex + st.sy * ey + st.txy * gxy);
}

AreaIntegrals IntegrateArea(const Solution& s, const FieldValues& f, int32_t material) {
  const Model& m = s.model;
  const SolveResult& r = s.result;
  AreaIntegrals out;
  double low = std::numeric_limits<double>::infinity(), high = -low, valued = 0.0;
  const auto rows = m.MeshTriangleTable.rows(m.meshTriangleCount);
  const auto nodes = m.MeshNodeTable.rows(m.meshNodeCount);
  const bool energy = r.disc && r.stress.size() > size_t(m.meshTriangleCount) &&
                      r.ux.size() > size_t(m.meshNodeCount) && r.uy.size() > size_t(m.meshNodeCount);
  for (int32_t t = 1; t <= m.meshTriangleCount; ++t) {
    const MeshTriangle& c = rows[t];
    if (material != kWholeRegion && c.material != material) continue;
    if (!Corners(c, m.meshNodeCount)) continue;
    const MeshNode &a = nodes[c.corner1], &b = nodes[c.corner2], &d = nodes[c.corner3];
    const double twice = (b.x - a.x) * (d.y - a.y) - (d.x - a.x) * (b.y - a.y);
    const double area = 0.5 * std::abs(twice);
    ++out.triangles;
    out.area += area;
    const auto [f0, f1, f2] = CornerValues(f, c, t);
    const double mean = (f0 + f1 + f2) / 3.0;
    if (!std::isnan(mean)) {
      out.integral += mean * area;
      valued += area;
      low = std::min({low, f0, f1, f2});
      high = std::max({high, f0, f1, f2});
    }
    if (energy && twice != 0.0) out.strainEnergy += StrainEnergy(r, c, t, {&a, &b, &d}) * area / twice;
  }
  if (valued > 0.0) {
    out.mean = out.integral / valued;
    out.min = low;
    out.max = high;
  }
  return out;
}

std::vector<int32_t> MaterialsInMesh(const Model& m) {
  std::vector<char> seen;
  const auto rows = m.MeshTriangleTable.rows(m.meshTriangleCount);
  for (int32_t t = 1; t <= m.meshTriangleCount; ++t) {
    const int32_t i = rows[t].material;
    if (i < 0) continue;
    if (size_t(i) >= seen.size()) seen.resize(size_t(i) + 1, 0);
    seen[size_t(i)] = 1;
  }
  std::vector<int32_t> used;
  for (size_t i = 0; i < seen.size(); ++i) {
    if (seen[i]) used.push_back(int32_t(i));
  }
  return used;
}

std::string FieldKey(FieldKind kind, int32_t problem) {
  switch (kind) {
    case FieldKind::Potential: return NamesOfField(problem).field;
    case FieldKind::FluxMagnitude: return "flux";
    case FieldKind::FluxRecovered: return "flux_recovered";
    case FieldKind::VonMises: return "von_mises";
    case FieldKind::VonMisesRecovered: return "von_mises_recovered";
    case FieldKind::DisplacementMagnitude: return "u_magnitude";
    case FieldKind::Error: return "error";
  }
  return "field";
}

std::vector<IntegralLine> EdgeLines(const Solution& s, const EdgeIntegrals& e) {
  std::vector<IntegralLine> lines = {{"length", Tr("Integrals", "Długość"), e.length, "m"}};
  if (s.result.disc) {
    lines.push_back({"force_x", Tr("Integrals", "Siła Fx"), e.force[0], "N"});
    lines.push_back({"force_y", Tr("Integrals", "Siła Fy"), e.force[1], "N"});
    lines.push_back({"moment", Tr("Integrals", "Moment M"), e.moment, "N·m"});
    lines.push_back({"mean.u_magnitude", Tr("Integrals", "Średnie |u|"), e.mean, "m"});
    lines.push_back({"mean.ux", Tr("Integrals", "Średnie ux"), e.meanDisplacement[0], "m"});
    lines.push_back({"mean.uy", Tr("Integrals", "Średnie uy"), e.meanDisplacement[1], "m"});
    return lines;
  }
  // The flow's symbol and unit as the results window gives them.
  const FieldNames names = NamesOfField(s.model.ProblemKind);
  lines.push_back(
      {"flow", Tr("Integrals", "Przepływ do obszaru %1").with(names.flow), e.flow, names.flowUnit});
  lines.push_back(
      {"mean." + names.field, Tr("Integrals", "Średnia %1").with(names.field), e.mean, names.fieldUnit});
  return lines;
}

std::vector<IntegralLine> AreaLines(const Solution& s, const FieldValues& f, const AreaIntegrals& a,
                                    bool withArea, bool withEnergy) {
  std::vector<IntegralLine> lines;
  if (withArea) lines.push_back({"area", Tr("Integrals", "Pole"), a.area, "m²"});
  const std::string key = FieldKey(f.kind, s.model.ProblemKind);
  lines.push_back(
      {"integral." + key, Tr("Integrals", "Całka %1 dA").with(f.name), a.integral, Times(f.unit, "m²")});
  lines.push_back({"mean." + key, Tr("Integrals", "Średnia %1").with(f.name), a.mean, f.unit});
  lines.push_back({"min." + key, Tr("Integrals", "Najmniejsza %1").with(f.name), a.min, f.unit});
  lines.push_back({"max." + key, Tr("Integrals", "Największa %1").with(f.name), a.max, f.unit});
  if (s.result.disc && withEnergy)
    lines.push_back({"strain_energy", Tr("Integrals", "Energia sprężysta"), a.strainEnergy, "J"});
  return lines;
}

std::string AsciiUnit(const std::string& unit) {
  if (unit.empty()) return "-";
  std::string out;
  for (size_t i = 0; i < unit.size(); ++i) {
    if (unit.compare(i, 2, "²") == 0) {
      out += '2', i += 1;
    } else if (unit.compare(i, 2, "·") == 0) {
      out += '*', i += 1;
    } else {
      out += unit[i];
    }
  }
  return out;
}

std::vector<IntegralLine> SegmentLines(const Solution& s, const PlotSegment& segment) {
  const double length = std::hypot(segment.b.x - segment.a.x, segment.b.y - segment.a.y);
  std::vector<IntegralLine> lines = {{"length", Tr("Integrals", "Długość"), length, "m"}};
  if (s.result.disc) {
    const std::array<double, 2> f = ForceThroughSegment(s, segment.a, segment.b);
    lines.push_back({"force_x", Tr("Integrals", "Siła Fx"), f[0], "N"});
    lines.push_back({"force_y", Tr("Integrals", "Siła Fy"), f[1], "N"});
    return lines;
  }
  const FieldNames names = NamesOfField(s.model.ProblemKind);
  lines.push_back({"flow", Tr("Integrals", "Przepływ przez odcinek %1").with(names.flow),
                   FlowThroughSegment(s, segment.a, segment.b), names.flowUnit});
  return lines;
}
