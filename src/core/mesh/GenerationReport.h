#pragma once
// One generation from the area asked for to the last word said of it: the
// mesh made and put into the model, or after a failure what stopped it and
// an area to try. The window and the command line show the same report,
// each in its own words where a remedy names a menu or an option.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/mesh/MeshDriver.h"
#include "core/mesh/ModelCheck.h"

struct ReportLine {
  enum class Kind : uint8_t { Success, Refusal, Failure };
  std::string text;
  Kind kind = Kind::Failure;
  bool operator==(const ReportLine&) const = default;
};

struct GenerationReport {
  MeshOutcome outcome = MeshOutcome::Failure;
  MeshTrial trial;
  // In the order they are read; the last one says success or failure. A
  // cancelled generation says nothing.
  std::vector<ReportLine> lines;
  // After a failure: whether the model was checked for its cause, and the
  // errors the check found.
  bool checked = false;
  std::vector<Finding> causes;
  // After an overflow: an area tried and found to fit.
  std::optional<double> suggestedArea;
};

// An area too small to write (see AreaTooSmallToWrite), in a sentence.
std::string AreaTooSmallText(double area, char decimalPoint);

// Runs one generation into `model` with the mesher's options and limits,
// then looks for the cause of a failure (the model check, or under a large
// limit an area that fits). Numbers carry `decimalPoint`.
GenerationReport RunGeneration(Model& model, double area, const MesherOptions& mesher, char decimalPoint);
