#pragma once
// Why a boundary may not mesh: a look at the model as the mesher will get
// it, naming the nodes, elements and internal nodes at fault.

#include <cstdint>
#include <string>
#include <vector>

#include "core/model/Model.h"

enum class FindingKind : uint8_t {
  NotFinite,      // a node or internal node off the number line
  MissingNode,    // an element names a node that is not there
  ZeroLength,     // an element whose ends lie in one point
  DoubleNodes,    // nodes in one point, used by elements
  Crossing,       // two elements cross, touch or overlap away from a shared end
  OpenEnd,        // a node used by one element only
  Branch,         // a node used by three or more elements
  HoleOutside,    // an internal node inside no closed contour
  HoleInRegion,   // an internal node in the region itself, which it would eat
  HoleOnElement,  // an internal node on an element
  TooFine,        // the region needs more triangles than the output holds
};

struct Finding {
  FindingKind kind = FindingKind::NotFinite;
  std::vector<int32_t> nodes;
  std::vector<int32_t> elements;
  std::vector<int32_t> internalNodes;
  std::string text;  // one short Polish sentence
};

// The largest triangle count the output tables take.
inline constexpr int32_t kMostTriangles = 1999;

// Every finding, in the order of the kinds above. `maxArea` is the largest
// triangle area asked for; without a positive one the region is not weighed.
// Numbers in the texts carry the user's decimal point.
std::vector<Finding> CheckModel(const Model& model, double maxArea, char decimalPoint = '.');
