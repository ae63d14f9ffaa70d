#pragma once
// What the picture shows of a solution: the field chosen and its values,
// its colours on the viridis scale, the isolines of the nodal field, the
// deformed disc, the texts of the colour bar and of the cursor's read-out.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "core/results/Solution.h"
#include "core/view/Scene.h"

// The fields a colour map can show: u interpolated across each triangle,
// |flux| per triangle; for the disc the von Mises stress per triangle or
// |u| interpolated; |flux| and the von Mises stress recovered at the nodes
// and interpolated (a jump kept between materials); and the estimated error
// per triangle.
enum class FieldKind : uint8_t {
  Potential,
  FluxMagnitude,
  VonMises,
  DisplacementMagnitude,
  FluxRecovered,
  VonMisesRecovered,
  Error,
};

// The switches of the "Rozwiązanie" menu. They outlive a solution; nothing
// of them shows while there is none.
struct SolutionDisplay {
  bool map = false;
  bool isolines = false;
  bool deformed = false;  // the disc only
  int32_t field = 0;      // an index into FieldChoices
  int32_t levels = 10;    // the isolines' count
  double factor = 0.0;    // the deformation's magnification; 0 for the automatic one
};
inline constexpr int32_t kMaxIsolines = 100;

// The fields a problem offers, the first being its default: u, then |q|
// recovered and raw; for the disc σ_red recovered and raw, then |u|; last
// the error. The error's value in a triangle is its share of the estimate
// as a local relative error, in per cent: 100 e_t / sqrt(A_t) over
// sqrt((E² + e²) / A), e_t the triangle's error norm and A_t its area, E
// and e the solution's and the error's norms over the area A; its
// area-weighted root mean square is 100 η.
std::vector<FieldKind> FieldChoices(bool disc);
FieldKind ChosenField(const SolutionDisplay& display, bool disc);

// The field's values: per mesh node (slot 0 unused, NaN where no triangle
// uses the node) for an interpolated field; per triangle corner for an
// interpolated field that may jump between triangles (corner c of triangle
// t at 3 (t - 1) + c + 1); else per triangle from 1.
struct FieldValues {
  FieldKind kind = FieldKind::Potential;
  bool perNode = true;
  bool perCorner = false;  // perNode false
  std::vector<double> values;
  double min = 0.0;
  double max = 0.0;
  std::string name;  // as the window shows it: "T", "|q|", "σ_red", "|u|", "błąd" (translated)
  std::string unit;  // "°C", "W/m²", "Pa", "m", "%"; empty for a problem with no units
};
FieldValues ComputeField(const Solution& solution, FieldKind kind);
// The field's name as files write it (a CSV column's heading): the name
// untranslated, so that a file reads the same whatever the user's language.
std::string FileFieldName(const FieldValues& field);
// The von Mises stress of plane stress.
double VonMisesOf(double sx, double sy, double txy);
// The field whose isolines are drawn: the map's field where it is
// interpolated (u, a recovered field, |u|); a field of one value a triangle
// averaged at the nodes, each triangle weighted by its area.
FieldValues IsolineField(const Solution& solution, const FieldValues& mapField);

// The viridis scale (CC0) as 0xRRGGBB at 256 steps; t from 0 to 1, clamped.
const std::array<uint32_t, 256>& ViridisTable();
Rgb ScaleColour(double t);
// Where a value lies on the field's scale, from 0 (its minimum) to 1.
inline double ScalePosition(double v, double min, double max) {
  return max > min ? std::clamp((v - min) / (max - min), 0.0, 1.0) : 0.5;
}

// N equally spaced levels strictly between min and max: min + k (max-min)/(N+1).
struct IsolineLevels {
  double first = 0.0;
  double step = 0.0;
  int32_t count = 0;
  double at(int32_t k) const { return first + k * step; }
};
IsolineLevels LevelsFor(double min, double max, int32_t count);

// Calls emit(k, x0, y0, x1, y1) for every straight piece of every level k
// through a triangle whose three corners carry values (not NaN). A corner
// at a level counts as above it, so that a level along an edge is traced
// once, by the triangle that lies below it. Coordinates come from x and y
// (per node, from 1): model or pixel coordinates alike. The values are per
// node, or with `perCorner` per triangle corner as FieldValues holds them.
template <typename Emit>
void TraceIsolines(const Model& m, const double* x, const double* y, const double* v, const IsolineLevels& l,
                   Emit&& emit, bool perCorner = false) {
  if (l.count < 1 || !(l.step > 0.0)) return;
  const int32_t nodes = m.meshNodeCount;
  const auto rows = m.MeshTriangleTable.rows(m.meshTriangleCount);
  for (int32_t t = 1; t <= m.meshTriangleCount; ++t) {
    const MeshTriangle& c = rows[t];
    const int32_t k[3] = {c.corner1, c.corner2, c.corner3};
    if (k[0] < 1 || k[1] < 1 || k[2] < 1 || k[0] > nodes || k[1] > nodes || k[2] > nodes) continue;
    const size_t c0 = size_t(3 * (t - 1) + 1);
    const double f[3] = {perCorner ? v[c0] : v[k[0]], perCorner ? v[c0 + 1] : v[k[1]],
                         perCorner ? v[c0 + 2] : v[k[2]]};
    const double lo = std::min({f[0], f[1], f[2]}), hi = std::max({f[0], f[1], f[2]});
    if (!(lo <= hi)) continue;  // a NaN corner
    const double from = std::max(0.0, std::ceil((lo - l.first) / l.step));
    const double to = std::min(double(l.count - 1), std::floor((hi - l.first) / l.step));
    for (int32_t level = int32_t(from); level <= int32_t(to) && from <= to; ++level) {
      const double value = l.at(level);
      double px[2], py[2];
      int found = 0;
      for (int e = 0; e < 3 && found < 2; ++e) {
        const int a = e, b = (e + 1) % 3;
        if ((f[a] < value) == (f[b] < value)) continue;
        const double s = (value - f[a]) / (f[b] - f[a]);
        px[found] = x[k[a]] + s * (x[k[b]] - x[k[a]]);
        py[found] = y[k[a]] + s * (y[k[b]] - y[k[a]]);
        ++found;
      }
      if (found == 2) emit(level, px[0], py[0], px[1], py[1]);
    }
  }
}

// The magnification that makes the largest displacement a tenth of the
// region's size (the larger side of the mesh's bounding box); 0 without
// any displacement.
double AutomaticFactor(const Solution& solution);
// The node positions of the disc drawn deformed: x + factor ux, y + factor
// uy, from 1; the positions as meshed where there is no displacement.
void DeformedNodes(const Solution& solution, double factor, std::vector<double>& x, std::vector<double>& y);
// The positions as meshed, from 1.
void MeshedNodes(const Model& mesh, std::vector<double>& x, std::vector<double>& y);

// The colour bar: the field's name and unit, its extremes, the isolines'
// values, and the deformation's magnification when it is drawn.
struct ColourBarTexts {
  std::string title;  // "T [°C]"
  std::string max;
  std::string min;
  std::vector<std::string> levels;  // from the lowest
  std::string factor;               // "Odkształcenie ×1234", or empty
};
ColourBarTexts ColourBarFor(const FieldValues& field, const IsolineLevels* levels, double factor, char point);

// A number with four significant digits and the given decimal point.
std::string ShortNumber(double v, char point);

// Where the cursor is, for the read-out: the triangle under it (0 when it
// lies outside the mesh) and the weights of its corners.
struct MeshHit {
  int32_t triangle = 0;
  std::array<double, 3> weights{0.0, 0.0, 0.0};
};
// The field interpolated (or the triangle's value) at the hit.
double ValueAt(const FieldValues& field, const Model& mesh, const MeshHit& hit);
// The status bar's text: the shown field's value (for the disc ux, uy and
// σ_red), or "poza siatką" outside the mesh.
std::string ReadOut(const Solution& solution, const FieldValues& field, const MeshHit& hit, char point);

// "Lista wartości": its heading and each node's line (number, x, y and the
// nodal values).
std::string NodeValuesHeading(const Solution& solution);
std::string NodeValuesLine(const Solution& solution, int32_t node, char point);
// The same values as CSV: UTF-8, a point for the decimal separator, a line
// of column names with their units first, every number exact (the shortest
// text that reads back the same), an empty cell where a node has no value.
std::string NodeValuesCsv(const Solution& solution);
