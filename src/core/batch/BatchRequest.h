#pragma once
// What the command line asks of the window-less run, read from its
// arguments, and what --integrate names; shared by the reading of the
// options, the run and the printing of the integrals.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/batch/BatchExport.h"
#include "core/files/ExportFile.h"

struct Model;
struct Solution;

// What --integrate names: a condition row's elements, a material, the
// whole region.
struct IntegrationTarget {
  enum Kind { Condition, Material, Region } kind = Region;
  int32_t number = 0;
  std::string name;  // as the output's lines begin: "condition:2", "region"
};

struct Request {
  std::string out;
  std::string project;
  double area = kOfferedArea;
  bool solve = false;  // --solve: the mesh with its solution
  bool msh22 = false;
  bool mshVersionGiven = false;
  int32_t maxTriangles = 0;  // the large limit, when given
  double adapt = 0.0;        // --adapt: the relative error to refine to, when above 0
  DrawingSettings drawing;
  bool drawingGiven = false;                 // any of the drawing's options
  std::vector<IntegrationTarget> integrate;  // --integrate, in the order given
};

// The three solver layouts by their extensions, in any case.
std::optional<ExportLayout> LayoutByExtension(std::string_view name);

// The request, or the reason it is none.
std::optional<Request> ParseBatchRequest(const std::vector<std::string>& args, std::string& why);

// Why a target names nothing in the project, or empty.
std::string MissingTarget(const IntegrationTarget& target, const Model& model);
// One "name value unit" line per integral: the value in the shortest text
// that reads back as the same double, with a decimal point.
void PrintIntegrals(const IntegrationTarget& target, const Solution& solution, std::ostream& out);
