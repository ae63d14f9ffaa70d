#pragma once
// The program without its window: open a project, mesh it, export the mesh,
// for scripts and parameter sweeps.
//   vendrel --export OUT [--area A] [--msh-version 2.2] PROJECT.vdk
// or mesh it, solve it and write the mesh with the solution:
//   vendrel --solve OUT.vtu|OUT.msh [--area A] PROJECT.vdk
// and refine it where the estimated error is largest until it is small enough:
//   vendrel --solve OUT.vtu|OUT.msh --adapt 0.01 [--max-triangles N] PROJECT.vdk
// and print integrals of the solution, a "name value unit" line each:
//   vendrel --solve OUT.vtu --integrate condition:2 --integrate material:1 PROJECT.vdk

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/mesh/MeshDriver.h"

// The most refinements --adapt makes.
inline constexpr int32_t kAdaptSteps = 8;

// One exit status per outcome.
enum BatchStatus : int {
  kBatchDone = 0,
  kBatchBadArguments = 2,
  kBatchUnreadableProject = 3,
  kBatchMeshFailed = 4,
  kBatchExportFailed = 5,
  kBatchSolveRefused = 6,
};

// One option of the window-less run; each takes a value. The one table of
// them gives the parser its options, --help its usage line, and `main` its
// QCommandLineParser options, in this order.
struct BatchOption {
  std::string_view name;        // without the dashes: "export"
  std::string_view valueName;   // the value as the list of options names it
  std::string_view usageValue;  // the value as the usage line shows it
  bool required;                // shown without brackets in the usage line
  const char* description;      // the option's line in the list, untranslated
};
const std::vector<BatchOption>& BatchOptions();
// An option's description and a value's name in the user's language.
std::string BatchOptionDescription(const BatchOption& option);
std::string BatchOptionValue(std::string_view value);

// True when the arguments ask for the window-less run (any of its options).
bool AsksForBatchExport(const std::vector<std::string>& args);

// The options and the statuses, as --help lists them (Polish).
std::string BatchExportHelp();

// How a drawing given on the command line is cut, joined and scaled.
struct DrawingSettings {
  double tolerance = 0.0;  // the chord tolerance in drawing units; 0 for the drawing's default
  double join = -1.0;      // the join distance in drawing units; below 0 for the drawing's default
  double scale = 1.0;      // model units per drawing unit
  bool toMetres = false;   // the scale from the drawing's units ($INSUNITS) to metres
};

// Reads a drawing named where a project is expected (a .dxf file) into the
// model just initialised, its summary to `messages`; false, with the reason
// in `why` (naming the file), when it cannot. The program hands in its DXF import; the core
// itself reads projects only.
using DrawingReader = std::function<bool(const std::string& path, const DrawingSettings& settings,
                                         Model& model, std::string& why, std::ostream& messages)>;

// Runs it: `args` without the program's name. Messages, in the program's
// words, go to `messages`, the lines of --integrate to `integrals` (to
// `messages` when null) once the file is written; nothing is written to OUT
// unless the export succeeds, and a file already there stays as it was on
// any failure.
int RunBatchExport(const std::vector<std::string>& args, const MesherOptions& mesher, std::ostream& messages,
                   const DrawingReader& drawings = {}, std::ostream* integrals = nullptr);
