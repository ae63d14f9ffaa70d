#pragma once
// Integrals of a solution over a set of boundary elements, over a material
// and over the whole region, exact for the linear triangles the solver uses
// (unit thickness).
//
// Along the mesh edges of the chosen elements:
//  - the length;
//  - for a potential problem the flow Q = -∫ q·n ds, q = -k grad u of the
//    triangle the edge belongs to and n its outward normal: what flows
//    into the region across the edges, the sign of the results' "inflow"
//    rows. For a held edge those rows take the nodal reactions instead;
//    the two agree as the mesh is refined;
//  - for the disc the resultant F = ∫ σ·n ds, the force the surroundings
//    put on the disc across the edges (the load on a loaded edge, the
//    reaction on a held one, so that on the held edge of a pulled disc it
//    is minus the load), and its moment M = ∫ (r - r0) × σ·n ds about a
//    point r0, counter-clockwise positive;
//  - the field's mean ∫ u ds / length (for the disc of |u| interpolated
//    between the nodes' values, as the picture shows it, and of ux, uy).
// An element between two triangles (an interface between materials) is
// crossed from its right side to its left, as the outer boundary of a
// contour drawn counter-clockwise is: n is the normal to the element's
// right, and q or σ the mean of the two triangles'.
//
// Over a material (or the whole region): the area, ∫ f dA for the chosen
// field f in its own representation (interpolated from the nodes or the
// corners, or constant per triangle), its mean ∫ f dA / area, its least and
// largest value (at a corner for an interpolated field), and for the disc
// the strain energy ½ ∫ σ:ε dA.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/field/FieldValues.h"
#include "core/field/LineSample.h"
#include "core/results/Solution.h"

struct EdgeIntegrals {
  int32_t edges = 0;  // the mesh edges found on the elements
  double length = 0.0;
  double flow = 0.0;                                 // potential problem
  std::array<double, 2> force{0.0, 0.0};             // disc
  double moment = 0.0;                               // disc, about the point given
  double mean = 0.0;                                 // u, or |u| for the disc
  std::array<double, 2> meanDisplacement{0.0, 0.0};  // disc: ux, uy
};

// Over the mesh edges of `elements` (element numbers of the solved model;
// repeats and numbers out of range are passed over).
EdgeIntegrals IntegrateEdges(const Solution& solution, const std::vector<int32_t>& elements,
                             std::array<double, 2> momentPoint = {0.0, 0.0});

// The elements whose condition is row `condition` in the solved model and
// which the mesh has edges on, ascending.
std::vector<int32_t> ElementsOfCondition(const Solution& solution, int32_t condition);

inline constexpr int32_t kWholeRegion = -1;

struct AreaIntegrals {
  int32_t triangles = 0;
  double area = 0.0;
  double integral = 0.0;  // ∫ f dA over the triangles where f has a value
  double mean = 0.0;      // integral over those triangles' area
  double min = 0.0;
  double max = 0.0;
  double strainEnergy = 0.0;  // disc
};

// Over the triangles of `material` (0 the model's own), or of every one for
// kWholeRegion; `field` is ComputeField's for the solution.
AreaIntegrals IntegrateArea(const Solution& solution, const FieldValues& field, int32_t material);

// The materials the mesh's triangles use, ascending (0 among them when
// some triangle takes the model's own properties).
std::vector<int32_t> MaterialsInMesh(const Model& mesh);

// One integral, named twice: `key` for scripts (ASCII, no blanks:
// "length", "flow", "force_x", "mean.T", "integral.flux_recovered") and
// `label` for the user, in the user's language; its unit as the program
// writes units ("W/m", "°C·m²"; empty for a problem with none).
struct IntegralLine {
  std::string key;
  std::string label;
  double value = 0.0;
  std::string unit;
};

// The key part of a field: the potential's own name ("T", "V", "A", "u"),
// "flux", "flux_recovered", "von_mises", "von_mises_recovered",
// "u_magnitude", "error".
std::string FieldKey(FieldKind kind, int32_t problem);

// Length, flow or force and moment, and the means, for the solution's problem.
std::vector<IntegralLine> EdgeLines(const Solution& solution, const EdgeIntegrals& integrals);
// Area, then ∫ f dA, mean, least and largest of `field` (strain energy
// added for the disc when `withEnergy`).
std::vector<IntegralLine> AreaLines(const Solution& solution, const FieldValues& field,
                                    const AreaIntegrals& integrals, bool withArea = true,
                                    bool withEnergy = true);

// Across a segment: its length, and the flow through it from its right to
// its left (a potential problem), or the force across it (the disc); the
// parts outside the mesh carry nothing.
std::vector<IntegralLine> SegmentLines(const Solution& solution, const PlotSegment& segment);

// A unit in plain characters for scripts: "m²" -> "m2", "N·m" -> "N*m"; "-"
// for none.
std::string AsciiUnit(const std::string& unit);
