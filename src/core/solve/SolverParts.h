#pragma once
// What the solver's parts share: the mesh's triangles and boundary edges as
// the solver reads them, the linear system of a whole mesh and its solve,
// and the two problem families, each in its own file (PotentialSolve.cpp,
// DiscSolve.cpp) behind Solve() in Solver.cpp.

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "core/model/Model.h"
#include "core/parallel/ForkJoin.h"
#include "core/solve/Recovery.h"
#include "core/solve/Solver.h"

namespace solver {

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A boundary edge of the mesh with the condition its element names now.
struct BoundaryEdge {
  int32_t a = 0;
  int32_t b = 0;
  int32_t condition = 0;
  double length = 0.0;
  int32_t element = 0;
};

// A triangle's geometry: twice its area, and the gradient of each corner's
// shape function times twice the area, (b_i, c_i).
struct TriangleShape {
  std::array<int32_t, 3> nodes{};
  int32_t material = 0;  // 0 … materialCount: the triangle's properties
  double twiceArea = 0.0;
  std::array<double, 3> b{};
  std::array<double, 3> c{};
};

// One element's stiffness: its degrees of freedom and its matrix, row by
// row (count x count).
struct ElementStiffness {
  int32_t count = 0;
  std::array<int32_t, 6> dofs{};
  std::array<double, 36> k{};
};

// The linear system of a whole mesh: K u = F over every degree of freedom
// (perNode of them at each node, node n's first at n * perNode), some of
// them held at given values. K is never stored whole: the elements'
// stiffnesses are computed again when needed, which costs less than keeping
// a million triangles' matrices.
struct System {
  int32_t perNode = 1;
  int32_t dofs = 0;
  std::vector<double> f;
  std::vector<double> held;  // NaN where free
  std::vector<int32_t> heldBy;
  std::vector<bool> used;
};

// Holds a degree of freedom at a value; where rows meet, the lowest-numbered
// condition wins.
void Hold(System& s, int32_t dof, double value, int32_t condition);

// The system of the mesh's triangles with perNode unknowns at each node,
// nothing held and no load yet.
System NewSystem(const Model& m, const std::vector<TriangleShape>& shapes, int32_t perNode);

enum class SystemOutcome { Solved, Singular, Cancelled };

// Calls its argument with each element's stiffness, in the same order each time.
using StiffnessTake = std::function<void(const ElementStiffness&)>;
using ElementVisitor = std::function<void(const StiffnessTake&)>;

// Solves with the held rows eliminated; on success the full solution and the
// residual K u - F (nonzero only at held degrees of freedom: what the
// supports or the prescribed values put in). `elements(take)` calls take
// with each element's stiffness. The reduced matrix is built in compressed
// columns straight from the mesh's adjacency, its upper triangle only, with
// the unknowns numbered in nested dissection, so that the factorisation
// takes it as it is, without a copy or an ordering of its own.
SystemOutcome SolveSystem(const Model& m, const std::vector<TriangleShape>& shapes, System& s,
                          const ElementVisitor& elements, std::vector<double>& x,
                          std::vector<double>& residual, const std::atomic<bool>* cancel);

// A value as the program shows it: the shortest text that reads back as the
// stored float, with a decimal comma.
std::string Number(double v);
SolveResult Refusal(std::string why);
SolveResult CancelledSolve();

// Why a piece of the region (triangles joined through their edges) is not
// held, or nothing when every piece is. A potential problem's piece is held
// by a node whose value is held or by an edge convecting with α > 0; the
// disc's when its held displacements (both at a held node, one at a roller
// support) leave it no rigid motion: neither of the two slides nor the turn,
// so one held node is not enough. The nodes of a held piece hold the pieces
// they touch. It looks at the mesh
// alone, so that the properties' scale cannot change its answer.
std::optional<std::string> UnheldPiece(const Model& m, bool disc, const std::vector<TriangleShape>& shapes,
                                       const std::vector<BoundaryEdge>& edges);

// Why a system whose every piece is held still proved singular.
std::string NumericallySingular();

// What the user should know of a solve whose loads are all zero, and what
// would load a problem of this family.
std::string UnloadedNote(bool disc);
// Whether nothing loads the system: no load and every held value zero.
bool Unloaded(const System& s);
// A warning for a property no material has (below 1e-30 or above 1e30 in
// magnitude, a subnormal float among them), or nothing.
std::string AbsurdProperty(const std::string& name, float value);
// Why a property that must be positive is refused: the words for a value
// that overflowed a float.
std::string NotFinitePositive(const std::string& name, const std::string& must, float value);

// The materials the mesh's triangles use (0, the model's own, among them),
// ascending.
std::vector<int32_t> UsedMaterials(const Model& m, const std::vector<TriangleShape>& shapes);
// A property's name for messages: as it is for material 0, with the
// material's number after it for any other (its name is the user's text,
// which the results window shows written out).
std::string OfMaterial(const std::string& property, int32_t material);

// One family of problems, as the solve common to both asks it, in order:
// why it cannot be solved, its loads and held values, its elements'
// stiffnesses, its results from the nodal solution, the field whose
// recovery estimates the error, and its notes.
class Family {
 public:
  virtual ~Family() = default;
  virtual bool disc() const = 0;
  // Why the materials' properties or the edges' conditions leave nothing to
  // solve, or nothing.
  virtual std::optional<std::string> refusal() const = 0;
  // The loads and held values into s, and what r knows of them before the
  // solve.
  virtual void load(System& s, SolveResult& r) const = 0;
  // Calls take with each element's stiffness, in the same order each time.
  virtual void elements(const StiffnessTake& take) const = 0;
  // The results from the solution x and the residual K x - F.
  virtual void results(const System& s, const std::vector<double>& x, const std::vector<double>& residual,
                       SolveResult& r) const = 0;
  // The field per triangle (components() numbers each, flat, from triangle
  // 0) and each material's compliance, for the recovery and its estimate.
  virtual int32_t components() const = 0;
  virtual std::vector<double> field(const SolveResult& r) const = 0;
  virtual std::vector<Compliance> compliances() const = 0;
  // What the user should know of the solve besides nothing loading it, a
  // line each.
  virtual std::vector<std::string> notes() const = 0;
};

// The solve both families share, over one of them.
SolveResult SolveFamily(const Model& m, const std::vector<TriangleShape>& shapes,
                        const std::vector<BoundaryEdge>& edges, const Family& family,
                        const std::atomic<bool>* cancel);

// Each family's solve on shapes and edges already checked.
SolveResult SolvePotential(const Model& m, const std::vector<TriangleShape>& shapes,
                           const std::vector<BoundaryEdge>& edges, const std::atomic<bool>* cancel);
SolveResult SolveDisc(const Model& m, const std::vector<TriangleShape>& shapes,
                      const std::vector<BoundaryEdge>& edges, const std::atomic<bool>* cancel);

}  // namespace solver
