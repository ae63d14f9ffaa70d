#pragma once
// Smooth fields recovered at the mesh's nodes from the solver's piecewise
// constant ones, and the error estimate that compares the two.
//
// Recovery fits a linear polynomial, by least squares, to the values at the
// centroids of the triangles around a node (superconvergent patch
// recovery) and takes its value at the node. A node on the edge of its
// region, where the patch is one-sided, takes the fit over the triangles
// around its patch as well; a patch too small or too thin for a plane gets
// the area-weighted mean of its triangles. Triangles of different materials
// are never mixed: a node where materials meet holds one value for each, so
// a flux or a stress that jumps across an interface keeps its jump.
//
// The estimate (Zienkiewicz–Zhu) takes the recovered field for the true one:
// in each triangle the energy norm of the difference between the recovered
// field, linear across the triangle, and the raw constant one.

#include <cstdint>
#include <vector>

#include "core/model/Model.h"

struct RecoveredField {
  int32_t components = 0;  // 2 for a flux (qx, qy), 3 for stresses (σx, σy, τxy)
  // The value of triangle t's corner c (t from 1, c 0 … 2) is the slot
  // cornerSlot[3 (t - 1) + c]: one slot per node and material.
  std::vector<int32_t> cornerSlot;
  std::vector<double> values;  // `components` a slot
  // Per node from 1: the slot of its lowest-numbered material; -1 for a
  // node no triangle uses.
  std::vector<int32_t> nodeSlot;
  bool empty() const { return values.empty(); }
  const double* corner(int32_t t, int32_t c) const {
    return &values[size_t(cornerSlot[size_t(3 * (t - 1) + c)]) * size_t(components)];
  }
  const double* node(int32_t n) const {
    const int32_t s = nodeSlot[size_t(n)];
    return s < 0 ? nullptr : &values[size_t(s) * size_t(components)];
  }
};

// Recovers a field given per triangle: `components` values of triangle t at
// perTriangle[t * components + i] (t from 1; slot 0 unused). Triangles whose
// corners are not mesh nodes are passed over.
RecoveredField Recover(const Model& mesh, const std::vector<double>& perTriangle, int32_t components);

struct ErrorEstimate {
  // Per triangle from 1: the squared energy norm of the error in it.
  std::vector<double> triangle;
  double error = 0.0;   // the whole error's energy norm
  double energy = 0.0;  // the solution's energy norm
  // The relative error, error / sqrt(error² + energy²); 0 for a solution
  // with no energy.
  double eta = 0.0;
};

// The energy a field of flux q holds per unit area in a material of
// conductivity k is q·q / k; a stress σ in a plane-stress disc of E and ν,
// σᵀ D⁻¹ σ. A Compliance holds those weights for one material: for a flux
// (1/k, 1/k, 0, 0) and for stresses (1/E, 1/E, −ν/E, 2 (1 + ν)/E), as
// (first, second, cross term between the first two, third). Triangles of
// a material past `perMaterial` are passed over.
struct Compliance {
  double c11 = 0.0, c22 = 0.0, c12 = 0.0, c33 = 0.0;
};
ErrorEstimate EstimateError(const Model& mesh, const std::vector<double>& perTriangle,
                            const RecoveredField& recovered, const std::vector<Compliance>& perMaterial);
