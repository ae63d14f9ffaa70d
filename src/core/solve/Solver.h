#pragma once
// The built-in finite-element solver: linear triangles (P1), unit thickness,
// on the model's current mesh, with the conditions of the model as it is now
// on the mesh's boundary edges.
//
// Potential problems (every ProblemKind below 10): -div(k grad u) = f, k the
// conductivity (1/mu for the magnetic field, ProblemKind 3), f the second
// property, each triangle's from its material (the model's own pair for
// material 0). On an edge: kind 1 u = value1; kind 2 k du/dn = value1 (n the
// outward normal, so value1 flows into the region); kind 3
// k du/dn = alpha (u_inf - u), alpha = value1, u_inf = value2.
//
// Plane-stress disc (ProblemKind 10): E the conductivity, nu the second
// property, each triangle's from its material, no body force. On an edge: kind 1 a load (px, py) per unit
// length; kind 2 both displacements held at (ux, uy); kind 3 a roller support, one displacement
// held at value2, ux for value1 = 1, uy for value1 = 2, the other free.

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "core/model/Model.h"
#include "core/solve/Recovery.h"

// Stresses in a triangle of the disc, and their von Mises equivalent.
struct TriangleStress {
  double sx = 0.0;
  double sy = 0.0;
  double txy = 0.0;
  double vonMises = 0.0;
};

struct SolveResult {
  bool solved = false;
  // Why nothing was solved: one Polish sentence (empty when solved or
  // cancelled).
  std::string refusal;
  bool cancelled = false;
  // What the user should know of a solved problem, a line each: that
  // nothing loads it (its answer is zero) and what would, how a problem
  // code with no name of its own was read, a property no material has
  // (empty when there is nothing to say).
  std::string note;
  // Nothing loads the problem: no source, no load, every held value zero.
  bool unloaded = false;
  bool disc = false;
  // Per mesh node, numbered from 1 (slot 0 unused): u for a potential
  // problem, ux and uy for the disc. A node that no triangle uses is NaN.
  std::vector<double> u;
  std::vector<double> ux;
  std::vector<double> uy;
  // Per triangle, numbered from 1: grad u and the flux -k grad u.
  std::vector<std::array<double, 2>> gradient;
  std::vector<std::array<double, 2>> flux;
  // Per triangle of the disc, numbered from 1.
  std::vector<TriangleStress> stress;
  // Per condition row, numbered from 1: what flows into the region across
  // its edges (per metre of depth), or for the disc the force its edges put
  // on the disc: the load for a load, the reaction for a held edge. A node
  // on the edges of several holding rows takes its value from the
  // lowest-numbered of them, and its reaction goes to that row.
  std::vector<double> inflow;
  std::vector<std::array<double, 2>> force;
  // The sources' total (f times the area), 0 for the disc.
  double sources = 0.0;
  // Per material 0 … materialCount: its triangles' area and sources (f
  // times the area, 0 for the disc).
  std::vector<double> materialArea;
  std::vector<double> materialSources;
  // The sum of all flows in plus the sources, or of all forces (x, y):
  // about zero for a solved problem.
  std::array<double, 2> balance{0.0, 0.0};
  // The flux (qx, qy), or the disc's stresses (σx, σy, τxy), recovered at
  // the nodes, and the error the difference from the raw field estimates.
  RecoveredField recovered;
  ErrorEstimate estimate;
};

// Solves the model's mesh. Geometry moved since the mesh was made (nodes,
// element ends, hole and region points) is refused: the mesh no longer describes the
// region. Conditions and properties are read as they are now. A set
// `cancel` is looked at between the stages and ends the solve with nothing.
SolveResult Solve(const Model& model, const std::atomic<bool>* cancel = nullptr);

// Why the model's mesh no longer fits its geometry, or empty when it does.
std::string StaleMesh(const Model& model);
