#pragma once
// A field along a straight segment through the mesh: the values where the
// segment crosses the triangles' edges, for a plot and its CSV file; and
// what flows across the segment.

#include <array>
#include <string>
#include <vector>

#include "core/field/FieldValues.h"
#include "core/results/Solution.h"

struct SegmentPoint {
  double x = 0.0;
  double y = 0.0;
};
struct PlotSegment {
  SegmentPoint a;
  SegmentPoint b;
};

// One point of the curve: its distance s from the segment's start, where it
// lies and the field's value there.
struct LineSample {
  double s = 0.0;
  double x = 0.0;
  double y = 0.0;
  double value = 0.0;
};

// The curve in pieces: a new piece begins where the segment comes back into
// the mesh after leaving it (a hole, a bay outside the region). Within a
// piece the samples lie where the segment enters and leaves each triangle it
// crosses, A and B included where they lie in the mesh, in order of s. A
// nodal field is interpolated across the triangle crossed and gives one
// sample per crossing point; a field per triangle corner gives two samples
// at the same s where it jumps between triangles (between materials); a
// field per triangle gives two per triangle, at its entry and its exit, so
// that its curve is a staircase.
using LinePieces = std::vector<std::vector<LineSample>>;
LinePieces SampleAlongSegment(const Model& mesh, const FieldValues& field, SegmentPoint a, SegmentPoint b);

// What flows across the segment A→B for a potential problem: ∫ q·n ds with
// q = -k grad u each crossed triangle's flux and n = (-(By-Ay), Bx-Ax)/L the
// unit normal to the left of A→B; positive when the flow crosses from the
// right of A→B to its left. Parts of the segment outside the mesh add
// nothing. 0 for the disc or a degenerate segment.
double FlowThroughSegment(const Solution& solution, SegmentPoint a, SegmentPoint b);
// For the disc: the force ∫ σ·n ds (x and y) with n as above and σ each
// crossed triangle's stress, which is what the material on the left of A→B
// puts on the material on its right; zero for a potential problem.
std::array<double, 2> ForceThroughSegment(const Solution& solution, SegmentPoint a, SegmentPoint b);

// The problem's unit of length: "m" when it has units at all, else empty.
std::string LengthUnit(const Solution& solution);

// The curve as CSV text: UTF-8, '.' always as the decimal point, a heading
// "s [m],x [m],y [m],T [°C]" (no brackets where a unit is empty), a row per
// sample with each number at full precision (it reads back to the same
// double), and an empty line between pieces, which csv readers return as an
// empty row.
std::string LineSamplesCsv(const LinePieces& pieces, const FieldValues& field, const std::string& lengthUnit);
