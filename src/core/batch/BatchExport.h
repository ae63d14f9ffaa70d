#pragma once
// The program without its window: open a project, mesh it, export the mesh,
// for scripts and parameter sweeps.
//   vendrel --export OUT [--area A] [--msh-version 2.2] PROJECT.vdk

#include <ostream>
#include <string>
#include <vector>

#include "core/mesh/MeshDriver.h"

// One exit status per outcome.
enum BatchStatus : int {
  kBatchDone = 0,
  kBatchBadArguments = 2,
  kBatchUnreadableProject = 3,
  kBatchMeshFailed = 4,
  kBatchExportFailed = 5,
};

// True when the arguments ask for the window-less run (any of its options).
bool AsksForBatchExport(const std::vector<std::string>& args);

// The options and the statuses, as --help lists them (Polish).
std::string BatchExportHelp();

// Runs it: `args` without the program's name. Messages, in the program's
// words, go to `messages`; nothing is written to OUT unless the export
// succeeds, and a file already there stays as it was on any failure.
int RunBatchExport(const std::vector<std::string>& args, const MesherOptions& mesher, std::ostream& messages);
