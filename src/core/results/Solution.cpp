#include "core/results/Solution.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <map>

#include "core/boundary/Codes.h"
#include "core/boundary/Physics.h"
#include "core/files/ShownName.h"
#include "core/lists/NumberList.h"
#include "core/text/NumberText.h"
#include "core/text/Tr.h"

namespace {

// What the field, its flux and a condition's flow are called, with units.
struct Quantities {
  const char* field;
  const char* fieldUnit;
  const char* flux;
  const char* fluxUnit;
  const char* flow;
  const char* flowUnit;
};

Quantities QuantitiesOf(int32_t problem) {
  switch (problem) {
    case 1: return {"T", "°C", "|q|", "W/m²", "Q", "W/m"};
    case 2: return {"V", "V", "|j|", "A/m²", "I", "A/m"};
    case 3: return {"A", "Wb/m", "|H|", "A/m", "I", "A"};
    default: return {"u", "", "|q|", "", "Q", ""};
  }
}

std::string ValueText(double v, char point) {
  return SignificantText(v, 6, point);
}

std::string WithUnit(double v, const char* unit, char point) {
  return ValueText(v, point) + (*unit ? std::string(" ") + unit : std::string());
}

// `what` holds "%1 (%2; %3)": the number and the point.
std::string At(const Text& what, int32_t number, double x, double y, char point) {
  return what.with(number, ValueText(x, point), ValueText(y, point));
}

std::string NodeAt(const Model& m, int32_t n, char point) {
  return At(Tr("Solution", "węzeł %1 (%2; %3)"), n, m.MeshNodeTable[n].x, m.MeshNodeTable[n].y, point);
}

std::string TriangleAt(const Model& m, int32_t t, char point) {
  const MeshTriangle& c = m.MeshTriangleTable[t];
  double x = 0.0, y = 0.0;
  for (int32_t n : {c.corner1, c.corner2, c.corner3}) {
    x += m.MeshNodeTable[n].x / 3.0;
    y += m.MeshNodeTable[n].y / 3.0;
  }
  return At(Tr("Solution", "trójkąt %1 (%2; %3)"), t, x, y, point);
}

// The nodes of the smallest and the largest value, skipping nodes no
// triangle uses; 0 when there is none.
std::pair<int32_t, int32_t> Extremes(const std::vector<double>& values) {
  int32_t low = 0, high = 0;
  for (size_t n = 1; n < values.size(); ++n) {
    if (std::isnan(values[n])) continue;
    if (low == 0 || values[n] < values[size_t(low)]) low = int32_t(n);
    if (high == 0 || values[n] > values[size_t(high)]) high = int32_t(n);
  }
  return {low, high};
}

template <typename F>
int32_t LargestTriangle(size_t count, F&& value) {
  int32_t best = 0;
  for (size_t t = 1; t < count; ++t) {
    if (best == 0 || value(t) > value(size_t(best))) best = int32_t(t);
  }
  return best;
}

// Each condition row that some mesh edge uses, with its elements.
std::map<int32_t, std::vector<int32_t>> UsedConditions(const Model& m) {
  std::map<int32_t, std::vector<int32_t>> used;
  if (!m.meshTags) return used;
  for (const MeshEdge& e : m.meshTags->edges) {
    if (e.element < 1 || e.element > m.elementCount) continue;
    used[m.ElementTable[e.element].bcNumber].push_back(e.element);
  }
  for (auto& [k, elements] : used) MakeDistinct(elements);
  return used;
}

std::string Elements(const std::vector<int32_t>& elements) {
  return (elements.size() == 1 ? Tr("Solution", "element %1") : Tr("Solution", "elementy %1"))
      .with(NumberList(elements));
}

std::string ProblemText(int32_t problem) {
  const std::string name = ProblemName(problem);
  return name.empty() ? Tr("Solution", "zadanie rodzaju %1 (potencjał)").with(problem) : name;
}

std::string MaterialText(const Model& m, int32_t material) {
  if (material == 0) return Tr("Solution", "Materiał własny modelu");
  return Tr("Solution", "Materiał %1 (%2)").with(material, ShownName(m.MaterialTable[material].name));
}

// Per material the mesh uses, in a project with materials: its area, the
// range and the area-weighted mean of the field (the disc's: σ_red), and
// for a potential problem its sources.
void MaterialRows(const Solution& s, char point, std::vector<ResultRow>& rows) {
  const Model& m = s.model;
  const SolveResult& r = s.result;
  if (m.materialCount <= 0 || r.materialArea.size() != size_t(m.materialCount) + 1) return;
  const Quantities q = QuantitiesOf(m.ProblemKind);
  const size_t count = r.materialArea.size();
  std::vector<double> low(count, INFINITY), high(count, -INFINITY), integral(count, 0.0);
  for (int32_t t = 1; t <= m.meshTriangleCount; ++t) {
    const MeshTriangle& c = m.MeshTriangleTable[t];
    if (c.material < 0 || size_t(c.material) >= count) continue;
    const size_t i = size_t(c.material);
    const MeshNode &a = m.MeshNodeTable[c.corner1], &b = m.MeshNodeTable[c.corner2],
                   &d = m.MeshNodeTable[c.corner3];
    const double area = 0.5 * std::abs((b.x - a.x) * (d.y - a.y) - (d.x - a.x) * (b.y - a.y));
    if (r.disc) {
      if (size_t(t) >= r.stress.size()) continue;
      const double v = r.stress[size_t(t)].vonMises;
      low[i] = std::min(low[i], v), high[i] = std::max(high[i], v);
      integral[i] += v * area;
    } else {
      double sum = 0.0;
      for (int32_t n : {c.corner1, c.corner2, c.corner3}) {
        const double v = r.u[size_t(n)];
        low[i] = std::min(low[i], v), high[i] = std::max(high[i], v);
        sum += v;
      }
      integral[i] += sum / 3.0 * area;
    }
  }
  const std::string field = r.disc ? "σ_red" : q.field;
  const char* unit = r.disc ? "Pa" : q.fieldUnit;
  for (size_t i = 0; i < count; ++i) {
    const double area = r.materialArea[i];
    if (!(area > 0.0)) continue;
    const std::string what = MaterialText(m, int32_t(i));
    rows.push_back({what,
                    Tr("Solution", "%1 od %2 do %3, średnio %4")
                        .with(field, ValueText(low[i], point), ValueText(high[i], point),
                              WithUnit(integral[i] / area, unit, point)),
                    Tr("Solution", "pole %1").with(WithUnit(area, "m²", point))});
    if (!r.disc && i < r.materialSources.size()) {
      rows.push_back({Tr("Solution", "%1: źródła").with(what),
                      std::string(q.flow) + " = " + WithUnit(r.materialSources[i], q.flowUnit, point), ""});
    }
  }
}

void PotentialRows(const Solution& s, char point, std::vector<ResultRow>& rows) {
  const Model& m = s.model;
  const SolveResult& r = s.result;
  const Quantities q = QuantitiesOf(m.ProblemKind);
  const auto [low, high] = Extremes(r.u);
  if (low > 0) {
    rows.push_back({Tr("Solution", "%1 najmniejsza").with(q.field),
                    WithUnit(r.u[size_t(low)], q.fieldUnit, point), NodeAt(m, low, point)});
    rows.push_back({Tr("Solution", "%1 największa").with(q.field),
                    WithUnit(r.u[size_t(high)], q.fieldUnit, point), NodeAt(m, high, point)});
  }
  const auto magnitude = [&](size_t t) { return std::hypot(r.flux[t][0], r.flux[t][1]); };
  if (const int32_t t = LargestTriangle(r.flux.size(), magnitude); t > 0) {
    rows.push_back({Tr("Solution", "%1 największy").with(q.flux),
                    WithUnit(magnitude(size_t(t)), q.fluxUnit, point), TriangleAt(m, t, point)});
  }
  double scale = std::abs(r.sources);
  for (const auto& [k, elements] : UsedConditions(m)) {
    if (k < 1 || size_t(k) >= r.inflow.size()) continue;
    const double in = r.inflow[size_t(k)];
    scale += std::abs(in);
    const std::string way = in > 0.0   ? std::string(Tr("Solution", " (wpływa)"))
                            : in < 0.0 ? std::string(Tr("Solution", " (wypływa)"))
                                       : std::string();
    rows.push_back({Tr("Solution", "Warunek %1").with(ConditionText(k, m.BcTable[k], m.ProblemKind, point)),
                    std::string(q.flow) + " = " + WithUnit(in, q.flowUnit, point) + way, Elements(elements)});
  }
  rows.push_back({Tr("Solution", "Źródła"),
                  std::string(q.flow) + " = " + WithUnit(r.sources, q.flowUnit, point),
                  Tr("Solution", "cały obszar")});
  MaterialRows(s, point, rows);
  std::string relative =
      scale > 0.0 ? Tr("Solution", "względnie %1").with(ValueText(std::abs(r.balance[0]) / scale, point))
                  : "";
  rows.push_back({Tr("Solution", "Bilans (suma dopływów i źródeł)"),
                  WithUnit(r.balance[0], q.flowUnit, point), relative});
}

void DiscRows(const Solution& s, char point, std::vector<ResultRow>& rows) {
  const Model& m = s.model;
  const SolveResult& r = s.result;
  for (const auto& [name, values] : {std::pair{"ux", &r.ux}, std::pair{"uy", &r.uy}}) {
    const auto [low, high] = Extremes(*values);
    if (low == 0) continue;
    rows.push_back({Tr("Solution", "%1 najmniejsze").with(name), WithUnit((*values)[size_t(low)], "m", point),
                    NodeAt(m, low, point)});
    rows.push_back({Tr("Solution", "%1 największe").with(name), WithUnit((*values)[size_t(high)], "m", point),
                    NodeAt(m, high, point)});
  }
  std::vector<double> length(r.ux.size(), std::nan(""));
  for (size_t n = 1; n < r.ux.size(); ++n) length[n] = std::hypot(r.ux[n], r.uy[n]);
  if (const int32_t n = Extremes(length).second; n > 0) {
    rows.push_back(
        {Tr("Solution", "|u| największe"), WithUnit(length[size_t(n)], "m", point), NodeAt(m, n, point)});
  }
  const auto vonMises = [&](size_t t) { return r.stress[t].vonMises; };
  if (const int32_t t = LargestTriangle(r.stress.size(), vonMises); t > 0) {
    rows.push_back({Tr("Solution", "σ_red (Hubera-Misesa) największe"),
                    WithUnit(vonMises(size_t(t)), "Pa", point), TriangleAt(m, t, point)});
  }
  double scale = 0.0;
  for (const auto& [k, elements] : UsedConditions(m)) {
    if (k < 1 || size_t(k) >= r.force.size()) continue;
    const std::array<double, 2>& f = r.force[size_t(k)];
    scale += std::abs(f[0]) + std::abs(f[1]);
    const bool held = m.BcTable[k].kind == 2.0f || m.BcTable[k].kind == kDiscRoller;
    rows.push_back(
        {Tr("Solution", "Warunek %1").with(ConditionText(k, m.BcTable[k], m.ProblemKind, point)),
         (held ? Tr("Solution", "reakcja Rx = %1, Ry = %2") : Tr("Solution", "obciążenie Fx = %1, Fy = %2"))
             .with(WithUnit(f[0], "N", point), WithUnit(f[1], "N", point)),
         Elements(elements)});
  }
  MaterialRows(s, point, rows);
  const double off = std::hypot(r.balance[0], r.balance[1]);
  rows.push_back(
      {Tr("Solution", "Bilans sił (suma obciążeń i reakcji)"),
       "Fx = " + WithUnit(r.balance[0], "N", point) + ", Fy = " + WithUnit(r.balance[1], "N", point),
       scale > 0.0 ? Tr("Solution", "względnie %1").with(ValueText(off / scale, point)) : std::string()});
}

}  // namespace

std::string SignificantText(double v, int digits, char point) {
  if (v == 0.0) v = 0.0;  // no "-0"
  char text[40];
  const auto r = std::to_chars(text, text + sizeof text, v, std::chars_format::general, digits);
  std::string s(text, r.ptr);
  std::replace(s.begin(), s.end(), '.', point);
  return s;
}

FieldNames NamesOfField(int32_t problem) {
  const Quantities q = QuantitiesOf(problem);
  return {q.field, q.fieldUnit, q.flux, q.fluxUnit, q.flow, q.flowUnit};
}

bool SolutionFits(const Solution& solution, const Model& now) {
  const Model& then = solution.model;
  if (now.meshTriangleCount != then.meshTriangleCount || now.meshNodeCount != then.meshNodeCount ||
      now.meshTags != then.meshTags || !now.MeshNodeTable.sharesRowsWith(then.MeshNodeTable) ||
      !now.MeshTriangleTable.sharesRowsWith(then.MeshTriangleTable)) {
    return false;
  }
  const auto sameBits = [](const auto& a, const auto& b) { return std::memcmp(&a, &b, sizeof a) == 0; };
  if (now.ProblemKind != then.ProblemKind || !sameBits(now.Conductivity, then.Conductivity) ||
      !sameBits(now.SecondProperty, then.SecondProperty) || now.bcCount != then.bcCount ||
      now.elementCount != then.elementCount) {
    return false;
  }
  for (int32_t k = 1; k <= now.bcCount; ++k) {
    if (!sameBits(now.BcTable[k], then.BcTable[k])) return false;
  }
  if (now.materialCount != then.materialCount) return false;
  for (int32_t i = 1; i <= now.materialCount; ++i) {
    const Material &a = now.MaterialTable[i], &b = then.MaterialTable[i];
    if (a.name != b.name || !sameBits(a.property1, b.property1) || !sameBits(a.property2, b.property2))
      return false;
  }
  for (int32_t e = 1; e <= now.elementCount; ++e) {
    if (now.ElementTable[e].bcNumber != then.ElementTable[e].bcNumber) return false;
  }
  return StaleMesh(now).empty();
}

std::vector<ResultRow> ResultRows(const Solution& solution, char point) {
  const Model& m = solution.model;
  std::vector<ResultRow> rows;
  rows.push_back({Tr("Solution", "Zadanie"), ProblemText(m.ProblemKind), ""});
  rows.push_back(
      {Tr("Solution", "Siatka"), Triangles(m.meshTriangleCount) + ", " + Nodes(m.meshNodeCount), ""});
  // A zero answer says so first, with what would load the problem.
  const std::string& note = solution.result.note;
  if (solution.result.unloaded) {
    const std::string line = note.substr(0, note.find('\n'));
    const size_t cut = line.find(". ");
    rows.push_back({Tr("Solution", "Uwaga"), line.substr(0, cut + 1),
                    cut == std::string::npos ? "" : line.substr(cut + 2)});
  }
  if (solution.result.disc) {
    DiscRows(solution, point, rows);
  } else {
    PotentialRows(solution, point, rows);
  }
  if (!solution.result.recovered.empty()) {
    rows.push_back({Tr("Solution", "Szacowany błąd"), EstimateText(solution.result.estimate.eta, point),
                    Tr("Solution", "względny, w normie energii (z pola wygładzonego)")});
  }
  return rows;
}

std::string EstimateText(double eta, char point) {
  // Rounding leaves an exact answer's estimate a trace that says nothing.
  return (100.0 * eta < 1e-6 ? std::string("0") : SignificantText(100.0 * eta, 2, point)) + " %";
}

std::string SolvedSummary(const Solution& solution, char point) {
  const Model& m = solution.model;
  const SolveResult& r = solution.result;
  std::string s = Tr("Solution", "Zadanie rozwiązane: %1, %2.")
                      .with(ProblemText(m.ProblemKind), Triangles(m.meshTriangleCount));
  // A zero answer says so before the zeros it is made of.
  if (r.unloaded) s += "\n" + r.note;
  if (const auto [low, high] = Extremes(r.u); low > 0) {
    const Quantities q = QuantitiesOf(m.ProblemKind);
    s += "\n" + Tr("Solution", "%1 od %2 do %3.")
                    .with(q.field, ValueText(r.u[size_t(low)], point),
                          WithUnit(r.u[size_t(high)], q.fieldUnit, point));
  }
  for (const ResultRow& row : ResultRows(solution, point)) {
    if (row.what.starts_with("|u|") || row.what.starts_with("σ_red") ||
        row.what == Tr("Solution", "Bilans (suma dopływów i źródeł)") ||
        row.what == Tr("Solution", "Bilans sił (suma obciążeń i reakcji)") ||
        row.what == Tr("Solution", "Szacowany błąd")) {
      s += "\n" + row.what + ": " + row.value + ".";
    }
  }
  if (!r.unloaded && !r.note.empty()) s += "\n" + r.note;
  return s + "\n" + Tr("Solution", "Szczegóły: Rozwiązanie > Wyniki...");
}
