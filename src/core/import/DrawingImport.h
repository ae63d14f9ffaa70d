#pragma once
// A planned import put into the model: nodes, elements with each layer's
// condition and boundary, a hole point per hole and a region point per
// chain with a material, appended after what the model holds; or refused whole, with the counts, when the
// tables have no room, or with the loose ends, when the drawing encloses nothing. The summary names the
// contours, the holes, what was turned, the gaps the join closed, the region points placed and the ends left
// loose.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/import/DrawingChains.h"
#include "core/model/Model.h"

// What a layer's elements get: a condition row and a boundary row. The
// boundary holds where its kind fits the chain: an outer contour gets an
// outer boundary and a hole an inner one, the layer's own when it is of
// that kind, else the model's first of that kind, else a new row.
struct LayerPhysics {
  int32_t condition = 1;
  int32_t boundary = 1;
};

// The rows an import adds to each table.
struct ImportCounts {
  int64_t nodes = 0, elements = 0, internalNodes = 0, boundaries = 0, regionPoints = 0;
};
ImportCounts CountsOf(const Model& model, const ImportPlan& plan, const std::vector<LayerPhysics>& layers);

// Why the plan does not fit the model, with the counts and what to do;
// nothing when it fits.
std::optional<std::string> FitRefusal(const Model& model, const ImportCounts& counts);

struct ImportOutcome {
  bool done = false;
  std::string message;  // the refusal, or the summary of what was added
};

// Adds the plan to the model, or refuses it and leaves the model as it was.
// `decimalPoint` writes the numbers of the summary and the refusal.
ImportOutcome ApplyImport(Model& model, const ImportPlan& plan, const Drawing& drawing,
                          const std::vector<LayerPhysics>& layers, char decimalPoint);
