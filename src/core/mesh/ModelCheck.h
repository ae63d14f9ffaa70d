#pragma once
// What keeps a boundary from meshing, and what in it only looks amiss: a
// look at the model as the mesher will get it, naming the nodes, elements
// and internal nodes concerned. Errors keep the mesh from being made, notes
// do not; each names its root cause once and, where the program has one,
// the remedy.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/mesh/MeshDriver.h"
#include "core/model/Model.h"

enum class FindingKind : uint8_t {
  NotFinite,      // a node or internal node off the number line
  MissingNode,    // an element names a node that is not there
  FewPoints,      // every node on one or two points: a contour of repeated nodes, with no region
  TooFine,        // at this area the mesh does not fit the mesh tables
  MesherFailed,   // the mesher could not be started, failed or hung
  Crossing,       // two elements cross, touch or overlap away from a shared end
  OpenEnd,        // a contour that is not closed
  HoleInRegion,   // an internal node in the region itself, which it would eat
  HoleOnElement,  // an internal node on an element
  DoubleNodes,    // nodes in one point, used by elements: the mesher merges them
  ZeroLength,     // an element from a node to itself: the mesher skips it
  Branch,         // three or more elements meet in one point
  HoleOutside,    // an internal node inside no closed contour: the mesher ignores it
  RegionInHole,   // a region point where a hole point takes the region away
  RegionOutside,  // a region point inside no closed contour
  RegionsDiffer,  // two region points in one region with other materials or areas
};

enum class Severity : uint8_t { Error, Note };

struct Finding {
  FindingKind kind = FindingKind::NotFinite;
  Severity severity = Severity::Error;
  std::vector<int32_t> nodes;
  std::vector<int32_t> elements;
  std::vector<int32_t> internalNodes;
  std::string text;                     // one or two short Polish sentences
  double area = 0;                      // TooFine: an area tried and found to fit; 0 when none was found
  std::vector<int32_t> regionPoints{};  // region points concerned
};

// Every finding, errors first, then notes, each in the order of the kinds
// above. `maxArea` is the largest triangle area asked for. With a mesher the
// check knows rather than guesses: it tries the mesh at that area (unless
// `seen` tells what a generation there has just done); what is found in a
// mesh that is made is a note, and a mesh that does not fit gets the
// smallest area found to fit. Without one, the area is not weighed and what
// may stop the mesh counts as an error. Numbers carry the user's decimal point.
std::vector<Finding> CheckModel(const Model& model, double maxArea, char decimalPoint = '.',
                                const MesherOptions* mesher = nullptr, const MeshTrial* seen = nullptr);

struct FittingArea {
  double area = 0;
  MeshTrial trial;  // what the mesher made at that area
};

// An area, found by trials, at which the mesh fits the mesher's limits,
// rounded up to three significant digits and tried again; empty when no area
// fits, the mesher fails or the user cancels. The mesh at `tooSmall` did
// not fit; `there` is what the mesher said of it. Under the basic limit the
// area is the smallest that fits; under a large one, where each trial is a
// large mesh, it is scaled from the counts in a few trials.
std::optional<FittingArea> FindFittingArea(const Model& model, double tooSmall, const MeshTrial& there,
                                           const MesherOptions& mesher);

// An area as the check writes it: rounded to fifteen significant digits,
// then as ShortestText writes it ("0.0416", "0.0000001", "1e-60").
std::string AreaText(double area, char decimalPoint);
