#include "core/field/FieldValues.h"

#include <limits>

#include "core/text/NumberText.h"
#include "core/text/Tr.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

void Extremes(FieldValues& f) {
  double lo = std::numeric_limits<double>::infinity(), hi = -lo;
  for (size_t i = 1; i < f.values.size(); ++i) {
    const double v = f.values[i];
    if (std::isnan(v)) continue;
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  f.min = lo <= hi ? lo : 0.0;
  f.max = lo <= hi ? hi : 0.0;
}

double TriangleAreaOf(const Model& m, int32_t t) {
  const MeshTriangle& c = m.MeshTriangleTable[t];
  for (int32_t k : {c.corner1, c.corner2, c.corner3}) {
    if (k < 1 || k > m.meshNodeCount) return 0.0;
  }
  const MeshNode &a = m.MeshNodeTable[c.corner1], &b = m.MeshNodeTable[c.corner2],
                 &d = m.MeshNodeTable[c.corner3];
  return 0.5 * std::abs((b.x - a.x) * (d.y - a.y) - (d.x - a.x) * (b.y - a.y));
}

}  // namespace

double VonMisesOf(double sx, double sy, double txy) {
  return std::sqrt(sx * sx - sx * sy + sy * sy + 3.0 * txy * txy);
}

std::vector<FieldKind> FieldChoices(bool disc) {
  if (disc) {
    return {FieldKind::VonMisesRecovered, FieldKind::VonMises, FieldKind::DisplacementMagnitude,
            FieldKind::Error};
  }
  return {FieldKind::Potential, FieldKind::FluxRecovered, FieldKind::FluxMagnitude, FieldKind::Error};
}

FieldKind ChosenField(const SolutionDisplay& display, bool disc) {
  const std::vector<FieldKind> choices = FieldChoices(disc);
  return choices[size_t(std::clamp<int32_t>(display.field, 0, int32_t(choices.size()) - 1))];
}

namespace {

// The recovered field's magnitude at each corner (3 (t - 1) + c + 1), NaN
// where nothing was recovered.
std::vector<double> RecoveredValues(const RecoveredField& rec, int32_t triangles) {
  std::vector<double> values(size_t(triangles) * 3 + 1, kNaN);
  if (rec.empty() || rec.cornerSlot.size() < size_t(triangles) * 3) return values;
  for (int32_t t = 1; t <= triangles; ++t) {
    for (int32_t c = 0; c < 3; ++c) {
      if (rec.cornerSlot[size_t(3 * (t - 1) + c)] < 0) continue;
      const double* v = rec.corner(t, c);
      values[size_t(3 * (t - 1) + c + 1)] =
          rec.components == 2 ? std::sqrt(v[0] * v[0] + v[1] * v[1]) : VonMisesOf(v[0], v[1], v[2]);
    }
  }
  return values;
}

// Each triangle's error density against the whole solution's mean energy
// density, in per cent.
std::vector<double> ErrorValues(const Model& m, const ErrorEstimate& e) {
  const int32_t triangles = m.meshTriangleCount;
  std::vector<double> values(size_t(triangles) + 1, kNaN);
  double total = 0.0;
  for (int32_t t = 1; t <= triangles; ++t) total += TriangleAreaOf(m, t);
  const double mean = std::sqrt((e.energy * e.energy + e.error * e.error) / total);
  for (int32_t t = 1; t <= triangles && size_t(t) < e.triangle.size(); ++t) {
    const double area = TriangleAreaOf(m, t);
    if (area > 0.0 && mean > 0.0) values[size_t(t)] = 100.0 * std::sqrt(e.triangle[size_t(t)] / area) / mean;
  }
  return values;
}

}  // namespace

FieldValues ComputeField(const Solution& s, FieldKind kind) {
  const SolveResult& r = s.result;
  const FieldNames names = NamesOfField(s.model.ProblemKind);
  FieldValues f;
  f.kind = kind;
  const int32_t nodes = s.model.meshNodeCount, triangles = s.model.meshTriangleCount;
  switch (kind) {
    case FieldKind::Potential:
      f.values = r.u;
      f.name = names.field, f.unit = names.fieldUnit;
      break;
    case FieldKind::DisplacementMagnitude:
      f.values.assign(size_t(nodes) + 1, kNaN);
      for (int32_t k = 1; k <= nodes && size_t(k) < r.ux.size() && size_t(k) < r.uy.size(); ++k) {
        f.values[size_t(k)] = std::hypot(r.ux[size_t(k)], r.uy[size_t(k)]);
      }
      f.name = "|u|", f.unit = "m";
      break;
    case FieldKind::FluxMagnitude:
      f.perNode = false;
      f.values.assign(size_t(triangles) + 1, kNaN);
      for (int32_t t = 1; t <= triangles && size_t(t) < r.flux.size(); ++t) {
        f.values[size_t(t)] = std::hypot(r.flux[size_t(t)][0], r.flux[size_t(t)][1]);
      }
      f.name = names.flux, f.unit = names.fluxUnit;
      break;
    case FieldKind::VonMises:
      f.perNode = false;
      f.values.assign(size_t(triangles) + 1, kNaN);
      for (int32_t t = 1; t <= triangles && size_t(t) < r.stress.size(); ++t) {
        f.values[size_t(t)] = r.stress[size_t(t)].vonMises;
      }
      f.name = "σ_red", f.unit = "Pa";
      break;
    case FieldKind::FluxRecovered:
    case FieldKind::VonMisesRecovered: {
      f.perNode = false, f.perCorner = true;
      f.values = RecoveredValues(r.recovered, triangles);
      if (kind == FieldKind::FluxRecovered) {
        f.name = names.flux, f.unit = names.fluxUnit;
      } else {
        f.name = "σ_red", f.unit = "Pa";
      }
      break;
    }
    case FieldKind::Error: {
      f.perNode = false;
      f.values = ErrorValues(s.model, r.estimate);
      f.name = Tr("FieldValues", "błąd"), f.unit = "%";
      break;
    }
  }
  if (f.values.empty()) f.values.assign(1, kNaN);
  Extremes(f);
  return f;
}

FieldValues IsolineField(const Solution& s, const FieldValues& mapField) {
  if (mapField.perNode || mapField.perCorner) return mapField;
  // A value a triangle: each node takes the area-weighted mean of its
  // triangles' values, so that the isolines follow the map's colours.
  const Model& m = s.model;
  FieldValues f = mapField;
  f.perNode = true;
  f.values.assign(size_t(m.meshNodeCount) + 1, 0.0);
  std::vector<double> weight(f.values.size(), 0.0);
  for (int32_t t = 1; t <= m.meshTriangleCount && size_t(t) < mapField.values.size(); ++t) {
    const double v = mapField.values[size_t(t)], area = TriangleAreaOf(m, t);
    if (std::isnan(v) || !(area > 0.0)) continue;
    const MeshTriangle& c = m.MeshTriangleTable[t];
    for (int32_t k : {c.corner1, c.corner2, c.corner3}) {
      f.values[size_t(k)] += area * v;
      weight[size_t(k)] += area;
    }
  }
  for (size_t k = 1; k < f.values.size(); ++k) f.values[k] = weight[k] > 0.0 ? f.values[k] / weight[k] : kNaN;
  f.values[0] = kNaN;
  Extremes(f);
  return f;
}

const std::array<uint32_t, 256>& ViridisTable() {
  static constexpr std::array<uint32_t, 256> kTable = {
      0x440154, 0x440256, 0x450457, 0x450559, 0x46075a, 0x46085c, 0x460a5d, 0x460b5e, 0x470d60, 0x470e61,
      0x471063, 0x471164, 0x471365, 0x481467, 0x481668, 0x481769, 0x48186a, 0x481a6c, 0x481b6d, 0x481c6e,
      0x481d6f, 0x481f70, 0x482071, 0x482173, 0x482374, 0x482475, 0x482576, 0x482677, 0x482878, 0x482979,
      0x472a7a, 0x472c7a, 0x472d7b, 0x472e7c, 0x472f7d, 0x46307e, 0x46327e, 0x46337f, 0x463480, 0x453581,
      0x453781, 0x453882, 0x443983, 0x443a83, 0x443b84, 0x433d84, 0x433e85, 0x423f85, 0x424086, 0x424186,
      0x414287, 0x414487, 0x404588, 0x404688, 0x3f4788, 0x3f4889, 0x3e4989, 0x3e4a89, 0x3e4c8a, 0x3d4d8a,
      0x3d4e8a, 0x3c4f8a, 0x3c508b, 0x3b518b, 0x3b528b, 0x3a538b, 0x3a548c, 0x39558c, 0x39568c, 0x38588c,
      0x38598c, 0x375a8c, 0x375b8d, 0x365c8d, 0x365d8d, 0x355e8d, 0x355f8d, 0x34608d, 0x34618d, 0x33628d,
      0x33638d, 0x32648e, 0x32658e, 0x31668e, 0x31678e, 0x31688e, 0x30698e, 0x306a8e, 0x2f6b8e, 0x2f6c8e,
      0x2e6d8e, 0x2e6e8e, 0x2e6f8e, 0x2d708e, 0x2d718e, 0x2c718e, 0x2c728e, 0x2c738e, 0x2b748e, 0x2b758e,
      0x2a768e, 0x2a778e, 0x2a788e, 0x29798e, 0x297a8e, 0x297b8e, 0x287c8e, 0x287d8e, 0x277e8e, 0x277f8e,
      0x27808e, 0x26818e, 0x26828e, 0x26828e, 0x25838e, 0x25848e, 0x25858e, 0x24868e, 0x24878e, 0x23888e,
      0x23898e, 0x238a8d, 0x228b8d, 0x228c8d, 0x228d8d, 0x218e8d, 0x218f8d, 0x21908d, 0x21918c, 0x20928c,
      0x20928c, 0x20938c, 0x1f948c, 0x1f958b, 0x1f968b, 0x1f978b, 0x1f988b, 0x1f998a, 0x1f9a8a, 0x1e9b8a,
      0x1e9c89, 0x1e9d89, 0x1f9e89, 0x1f9f88, 0x1fa088, 0x1fa188, 0x1fa187, 0x1fa287, 0x20a386, 0x20a486,
      0x21a585, 0x21a685, 0x22a785, 0x22a884, 0x23a983, 0x24aa83, 0x25ab82, 0x25ac82, 0x26ad81, 0x27ad81,
      0x28ae80, 0x29af7f, 0x2ab07f, 0x2cb17e, 0x2db27d, 0x2eb37c, 0x2fb47c, 0x31b57b, 0x32b67a, 0x34b679,
      0x35b779, 0x37b878, 0x38b977, 0x3aba76, 0x3bbb75, 0x3dbc74, 0x3fbc73, 0x40bd72, 0x42be71, 0x44bf70,
      0x46c06f, 0x48c16e, 0x4ac16d, 0x4cc26c, 0x4ec36b, 0x50c46a, 0x52c569, 0x54c568, 0x56c667, 0x58c765,
      0x5ac864, 0x5cc863, 0x5ec962, 0x60ca60, 0x63cb5f, 0x65cb5e, 0x67cc5c, 0x69cd5b, 0x6ccd5a, 0x6ece58,
      0x70cf57, 0x73d056, 0x75d054, 0x77d153, 0x7ad151, 0x7cd250, 0x7fd34e, 0x81d34d, 0x84d44b, 0x86d549,
      0x89d548, 0x8bd646, 0x8ed645, 0x90d743, 0x93d741, 0x95d840, 0x98d83e, 0x9bd93c, 0x9dd93b, 0xa0da39,
      0xa2da37, 0xa5db36, 0xa8db34, 0xaadc32, 0xaddc30, 0xb0dd2f, 0xb2dd2d, 0xb5de2b, 0xb8de29, 0xbade28,
      0xbddf26, 0xc0df25, 0xc2df23, 0xc5e021, 0xc8e020, 0xcae11f, 0xcde11d, 0xd0e11c, 0xd2e21b, 0xd5e21a,
      0xd8e219, 0xdae319, 0xdde318, 0xdfe318, 0xe2e418, 0xe5e419, 0xe7e419, 0xeae51a, 0xece51b, 0xefe51c,
      0xf1e51d, 0xf4e61e, 0xf6e620, 0xf8e621, 0xfbe723, 0xfde725,
  };
  return kTable;
}

Rgb ScaleColour(double t) {
  const double clamped = std::isnan(t) ? 0.0 : std::clamp(t, 0.0, 1.0);
  const uint32_t c = ViridisTable()[size_t(clamped * 255.0 + 0.5)];
  return {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)};
}

IsolineLevels LevelsFor(double min, double max, int32_t count) {
  if (!(max > min) || count < 1) return {};
  const double step = (max - min) / (count + 1);
  return {min + step, step, count};
}

double AutomaticFactor(const Solution& s) {
  const Model& m = s.model;
  double x0 = std::numeric_limits<double>::infinity(), x1 = -x0, y0 = x0, y1 = -x0, largest = 0.0;
  for (int32_t k = 1; k <= m.meshNodeCount; ++k) {
    const MeshNode& n = m.MeshNodeTable[k];
    x0 = std::min(x0, n.x), x1 = std::max(x1, n.x);
    y0 = std::min(y0, n.y), y1 = std::max(y1, n.y);
    if (size_t(k) < s.result.ux.size() && size_t(k) < s.result.uy.size()) {
      const double u = std::hypot(s.result.ux[size_t(k)], s.result.uy[size_t(k)]);
      if (u > largest) largest = u;  // NaN passes by
    }
  }
  const double size = std::max(x1 - x0, y1 - y0);
  return largest > 0.0 && size > 0.0 ? 0.1 * size / largest : 0.0;
}

void MeshedNodes(const Model& m, std::vector<double>& x, std::vector<double>& y) {
  x.assign(size_t(m.meshNodeCount) + 1, 0.0);
  y.assign(size_t(m.meshNodeCount) + 1, 0.0);
  const auto rows = m.MeshNodeTable.rows(m.meshNodeCount);
  for (int32_t k = 1; k <= m.meshNodeCount; ++k) {
    const MeshNode& n = rows[k];
    x[size_t(k)] = n.x;
    y[size_t(k)] = n.y;
  }
}

void DeformedNodes(const Solution& s, double factor, std::vector<double>& x, std::vector<double>& y) {
  MeshedNodes(s.model, x, y);
  const SolveResult& r = s.result;
  for (size_t k = 1; k < x.size() && k < r.ux.size() && k < r.uy.size(); ++k) {
    if (std::isnan(r.ux[k]) || std::isnan(r.uy[k])) continue;
    x[k] += factor * r.ux[k];
    y[k] += factor * r.uy[k];
  }
}

std::string ShortNumber(double v, char point) {
  return SignificantText(v, 4, point);
}

std::string FileFieldName(const FieldValues& f) {
  return f.kind == FieldKind::Error ? "błąd" : f.name;
}

ColourBarTexts ColourBarFor(const FieldValues& f, const IsolineLevels* levels, double factor, char point) {
  ColourBarTexts t;
  t.title = f.unit.empty() ? f.name : f.name + " [" + f.unit + "]";
  t.max = ShortNumber(f.max, point);
  t.min = ShortNumber(f.min, point);
  for (int32_t k = 0; levels != nullptr && k < levels->count; ++k)
    t.levels.push_back(ShortNumber(levels->at(k), point));
  if (factor > 0.0) t.factor = Tr("FieldValues", "Odkształcenie ×%1").with(ShortNumber(factor, point));
  return t;
}

double ValueAt(const FieldValues& f, const Model& m, const MeshHit& hit) {
  if (hit.triangle < 1 || hit.triangle > m.meshTriangleCount) return kNaN;
  if (f.perCorner) {
    const size_t first = size_t(3 * (hit.triangle - 1) + 1);
    if (first + 2 >= f.values.size()) return kNaN;
    return hit.weights[0] * f.values[first] + hit.weights[1] * f.values[first + 1] +
           hit.weights[2] * f.values[first + 2];
  }
  if (!f.perNode) return size_t(hit.triangle) < f.values.size() ? f.values[size_t(hit.triangle)] : kNaN;
  const MeshTriangle& c = m.MeshTriangleTable[hit.triangle];
  double v = 0.0;
  const int32_t k[3] = {c.corner1, c.corner2, c.corner3};
  for (int i = 0; i < 3; ++i) {
    if (k[i] < 1 || size_t(k[i]) >= f.values.size()) return kNaN;
    v += hit.weights[size_t(i)] * f.values[size_t(k[i])];
  }
  return v;
}

std::string ReadOut(const Solution& s, const FieldValues& f, const MeshHit& hit, char point) {
  const Model& m = s.model;
  if (hit.triangle < 1 || hit.triangle > m.meshTriangleCount) return Tr("FieldValues", "poza siatką");
  const auto text = [point](const std::string& name, double v, const std::string& unit) {
    return name + " = " + ShortNumber(v, point) + (unit.empty() ? "" : " " + unit);
  };
  if (!s.result.disc) return text(f.name, ValueAt(f, m, hit), f.unit);
  FieldValues ux{FieldKind::DisplacementMagnitude, true, false, s.result.ux, 0, 0, "ux", "m"};
  FieldValues uy{FieldKind::DisplacementMagnitude, true, false, s.result.uy, 0, 0, "uy", "m"};
  // The recovered stress where there is one, as the map's default shows it.
  double vonMises =
      size_t(hit.triangle) < s.result.stress.size() ? s.result.stress[size_t(hit.triangle)].vonMises : kNaN;
  const RecoveredField& rec = s.result.recovered;
  if (rec.components == 3 && rec.cornerSlot.size() >= size_t(3 * hit.triangle) &&
      rec.cornerSlot[size_t(3 * (hit.triangle - 1))] >= 0) {
    double v[3] = {0.0, 0.0, 0.0};
    for (int32_t c = 0; c < 3; ++c) {
      for (int32_t i = 0; i < 3; ++i) v[i] += hit.weights[size_t(c)] * rec.corner(hit.triangle, c)[i];
    }
    vonMises = VonMisesOf(v[0], v[1], v[2]);
  }
  return text("ux", ValueAt(ux, m, hit), "m") + "; " + text("uy", ValueAt(uy, m, hit), "m") + "; " +
         text("σ_red", vonMises, "Pa");
}

std::string NodeValuesHeading(const Solution& s) {
  if (s.result.disc)
    return Tr("FieldValues", "Nr węzła, x, y, ux [m], uy [m]; wygładzone σx, σy, τxy, σ_red [Pa]");
  const FieldNames names = NamesOfField(s.model.ProblemKind);
  const auto unit = [](const std::string& u) { return u.empty() ? std::string() : " [" + u + "]"; };
  // %1: the field and its unit, %2: the flux's unit with its blank, or nothing.
  return Tr("FieldValues", "Nr węzła, x, y, %1; wygładzone qx, qy%2")
      .with(names.field + unit(names.fieldUnit), unit(names.fluxUnit));
}

std::string NodeValuesLine(const Solution& s, int32_t node, char point) {
  const MeshNode& n = s.model.MeshNodeTable[node];
  const auto at = [node](const std::vector<double>& v) {
    return size_t(node) < v.size() ? v[size_t(node)] : kNaN;
  };
  const auto number = [point](double v) { return std::isnan(v) ? std::string("—") : ShortNumber(v, point); };
  std::string line = std::to_string(node) + " - " + number(n.x) + ", " + number(n.y) + ": ";
  // The recovered values of the node's lowest material.
  const RecoveredField& rec = s.result.recovered;
  const double* v = size_t(node) < rec.nodeSlot.size() ? rec.node(node) : nullptr;
  const auto recovered = [&](int32_t i) { return v != nullptr ? number(v[i]) : std::string("—"); };
  if (s.result.disc) {
    return line + number(at(s.result.ux)) + ", " + number(at(s.result.uy)) + "; " + recovered(0) + ", " +
           recovered(1) + ", " + recovered(2) + ", " +
           (v != nullptr ? number(VonMisesOf(v[0], v[1], v[2])) : std::string("—"));
  }
  return line + number(at(s.result.u)) + "; " + recovered(0) + ", " + recovered(1);
}

std::string NodeValuesCsv(const Solution& s) {
  const bool disc = s.result.disc;
  const FieldNames names = NamesOfField(s.model.ProblemKind);
  const auto unit = [](const std::string& u) { return u.empty() ? std::string() : " [" + u + "]"; };
  const std::string length = disc || !names.fieldUnit.empty() ? " [m]" : "";
  std::string csv = "węzeł,x" + length + ",y" + length;
  if (disc) {
    csv += ",ux [m],uy [m],σx wygładzone [Pa],σy wygładzone [Pa],τxy wygładzone [Pa],σ_red wygładzone [Pa]\n";
  } else {
    const std::string q = unit(names.fluxUnit);
    csv += "," + names.field + unit(names.fieldUnit) + ",qx wygładzone" + q + ",qy wygładzone" + q + "\n";
  }
  const auto cell = [&csv](double v) {
    csv += ',';
    if (!std::isnan(v)) csv += ShortestText(v);
  };
  const auto at = [](const std::vector<double>& v, int32_t k) {
    return size_t(k) < v.size() ? v[size_t(k)] : kNaN;
  };
  const RecoveredField& rec = s.result.recovered;
  for (int32_t k = 1; k <= s.model.meshNodeCount; ++k) {
    const MeshNode& n = s.model.MeshNodeTable[k];
    csv += std::to_string(k);
    cell(n.x);
    cell(n.y);
    const double* v = size_t(k) < rec.nodeSlot.size() ? rec.node(k) : nullptr;
    const auto recovered = [&](int32_t i) { cell(v != nullptr ? v[i] : kNaN); };
    if (disc) {
      cell(at(s.result.ux, k));
      cell(at(s.result.uy, k));
      for (int32_t i = 0; i < 3; ++i) recovered(i);
      cell(v != nullptr ? VonMisesOf(v[0], v[1], v[2]) : kNaN);
    } else {
      cell(at(s.result.u, k));
      recovered(0);
      recovered(1);
    }
    csv += '\n';
  }
  return csv;
}
