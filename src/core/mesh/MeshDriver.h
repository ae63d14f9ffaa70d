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

struct MesherOptions {
  std::string helperPath;              // the vendrel-mesher program
  std::vector<std::string> extraArgs;  // passed to the helper after its name
  std::chrono::milliseconds timeLimit{5000};
  // Called now and then while the helper works, so a window can repaint.
  std::function<void()> whileWaiting;
};

// The helper beside the running program, or in the private folder
// libexec/vendrel-korbel/ of the installation it belongs to.
std::string DefaultMesherPath();

enum class MeshOutcome {
  Success,   // the mesh tables hold the new mesh
  Overflow,  // more than 1999 triangles or 999 nodes: refused, tables empty
  Failure,   // the mesher failed or gave no triangle: tables empty
};

// Meshes the model with the given largest triangle area. Sets
// MeshFailureFlag as the generation goes; on anything but success both mesh
// counters end at 0; an exception on the way is a failure and never leaves.
// The caller has already checked that the area is above zero and that there
// are at least three elements.
MeshOutcome GenerateMesh(Model& model, double area, const MesherOptions& options);

// Builds the helper's input from the model, or nothing when the model holds
// what would make the mesher crash or hang (a coordinate that is not finite,
// an element naming a node that does not exist). Nodes on one point become
// one point, numbered in the order of their first node, and elements of
// length zero are left out.
std::optional<MeshRequest> BuildMeshRequest(const Model& model, double area);

// Runs the helper once. Empty when it cannot be started, exits with an
// error, dies of a signal, runs past the time limit, or sends a malformed
// reply; a helper past the limit is killed.
std::optional<MeshReply> RunMesher(const MeshRequest& request, const MesherOptions& options);
