#pragma once
// Mesh generation: the model's boundary handed to Triangle in a helper
// process, the result checked and copied into the mesh tables.

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/mesh/MeshProtocol.h"
#include "core/model/Model.h"

// The largest triangle area offered when none is given: the window's area
// prompt starts with it, and the command line takes it by default.
inline constexpr double kOfferedArea = 10.0;

struct MesherOptions {
  std::string helperPath;              // the vendrel-mesher program
  std::vector<std::string> extraArgs;  // passed to the helper after its name
  // For a mesh within the solver layouts' limits; a larger limit adds 20 µs per
  // triangle it allows (see TimeLimit).
  std::chrono::milliseconds timeLimit{5000};
  MeshLimits limits;
  // Called now and then while the helper works, so a window can repaint.
  std::function<void()> whileWaiting;
  // Asked as often; true ends the helper at once and the generation with it.
  std::function<bool()> cancelled;
  bool wasCancelled() const { return cancelled && cancelled(); }
  // Asked once the mesh is made, before the model takes it (and by a
  // generation's report once it is complete): false (a cancel that came
  // late) ends the generation as cancelled, the model as it was.
  std::function<bool()> stillWanted;
};

// True for an area that Triangle's switches would carry as 0 (below
// 0.0000005, as "%f" writes it): such a generation fails before the helper
// starts.
bool AreaTooSmallToWrite(double area);

// The time a helper gets under these options.
std::chrono::milliseconds TimeLimit(const MesherOptions& options);

// The helper beside the running program, or in the private folder
// libexec/vendrel-korbel/ of the installation it belongs to.
std::string DefaultMesherPath();

enum class MeshOutcome {
  Success,    // the mesh tables hold the new mesh
  Overflow,   // more than 1999 triangles or 999 nodes: refused, tables empty
  Failure,    // the mesher failed or gave no triangle: tables empty
  Cancelled,  // the user ended it: the model is as it was
};

// Why a run of the mesher gave no mesh.
enum class MeshFault : uint8_t {
  None,
  Refused,      // the model holds what the mesher is never given, or the area is too small to write
  NotStarted,   // the helper could not be started
  Crashed,      // it ended with an error or a signal, or broke off the exchange
  TimedOut,     // it ran past the time limit and was killed
  BadReply,     // its reply was malformed
  NoTriangles,  // Triangle made no triangle
  TooLarge,     // more triangles or points than the limits allow
  Cancelled,    // the user ended it
};

// What one run of the mesher made: the outcome, why it failed, and the
// counts it gave (past the limits, the triangles may be a lower bound).
struct MeshTrial {
  MeshOutcome outcome = MeshOutcome::Failure;
  MeshFault fault = MeshFault::None;
  int32_t points = 0;
  int32_t triangles = 0;
  bool estimated = false;  // the triangles are a lower bound: the mesher did not mesh
};

// Meshes the model with the given largest triangle area. Sets
// MeshFailureFlag as the generation goes; on anything but success (or a
// cancel, which leaves the model as it was) both mesh counters end at 0; an exception on the way is a failure
// and never leaves. The caller has already checked that the area is above zero and that there are at least
// three elements. `trial`, when given, gets what the mesher did.
MeshOutcome GenerateMesh(Model& model, double area, const MesherOptions& options, MeshTrial* trial = nullptr);

// A mesh refused past a limit, in a sentence: "Siatka miałaby [co najmniej]
// N trójkątów, więcej niż limit M."
std::string OverLimitText(const MeshTrial& trial, const MeshLimits& limits);

// What the mesher makes of the model at an area, leaving the model as it is.
MeshTrial TryMesh(const Model& model, double area, const MesherOptions& options);

// Refines the model's mesh: triangle t (from 1) is split until each piece
// is at most areaPerTriangle[t] (<= 0 or past the vector's end: no limit of
// its own); the regions' own largest areas cap their triangles besides, and
// no triangle comes out larger than the largest there is. The boundary
// pieces keep their elements and the triangles their materials. On success
// the model holds the refined mesh with its tags as a generation leaves it;
// on anything else (a limit passed included) the mesh stays as it was.
MeshOutcome RefineMesh(Model& model, const std::vector<double>& areaPerTriangle, const MesherOptions& options,
                       MeshTrial* trial = nullptr);

// The helper's input for a refinement of the model's mesh, or nothing when
// the model has no tagged mesh or the mesh names what does not exist.
std::optional<MeshRequest> BuildRefineRequest(const Model& model, const std::vector<double>& areaPerTriangle);

// Builds the helper's input from the model, or nothing when the model holds
// what would make the mesher crash or hang (a coordinate that is not finite,
// an element naming a node that does not exist, nodes on fewer than three
// points, which Triangle will not take, a region point with a material
// number past the table's capacity or an area below zero). Nodes on one point become
// one point, numbered in the order of their first node, and elements of
// length zero are left out.
std::optional<MeshRequest> BuildMeshRequest(const Model& model, double area);

// Runs the helper once. Empty when it cannot be started, exits with an
// error, dies of a signal, runs past the time limit, or sends a malformed
// reply, and then `fault`, when given, says which; a helper past the limit
// is killed.
std::optional<MeshReply> RunMesher(const MeshRequest& request, const MesherOptions& options,
                                   MeshFault* fault = nullptr);
