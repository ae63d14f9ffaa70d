#pragma once
// The factorisation's module, vendrel-factor.so, and the program's side of
// it. CHOLMOD, LAPACK and the BLAS (whose threaded build starts its threads
// as soon as it is loaded) are linked into the module alone; the program
// loads it at its first solve, so that starting, meshing and exporting never
// load them. No exception and no C++ object crosses between the two: the
// module answers through a table of plain functions and status codes.

#include <cstdint>
#include <stdexcept>
#include <string>

#include "core/solve/Factorisation.h"

inline constexpr const char* kFactorModuleName = "vendrel-factor.so";
inline constexpr const char* kFactorEntryName = "vk_factor_functions";
// Raised whenever the table below changes shape, so that a module of
// another build is refused rather than called wrongly.
inline constexpr uint32_t kFactorInterfaceVersion = 2;

enum class FactorStatus : int32_t { Solved, Singular, Cancelled, OutOfMemory };

struct FactorEngine;  // the module's, never looked into here

struct FactorFunctions {
  uint32_t version;
  // Analyses the pattern (see PositiveDefiniteSolver); *made is set when
  // the answer is Solved.
  FactorStatus (*create)(const UpperPattern* pattern, int32_t first, int32_t second,
                         const FactorOptions* options, FactorEngine** made);
  void (*destroy)(FactorEngine* engine);
  bool (*split)(const FactorEngine* engine);
  FactorStatus (*factorise)(FactorEngine* engine, const double* values, const std::atomic<bool>* cancel);
  FactorStatus (*solve)(FactorEngine* engine, const double* b, double* x);
};

// The module's one exported function: its table when it speaks `version`,
// null otherwise.
extern "C" using FactorEntry = const FactorFunctions * (*)(uint32_t version);

// The module could not be loaded: missing, broken or of another build. The
// text says which file and why, in the program's language.
class FactorModuleMissing : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Loads the module at `path` (once per process for a path that loaded) and
// returns its table. Throws FactorModuleMissing.
const FactorFunctions& LoadFactorModule(const std::string& path);

// The module beside the program, or in its private folder once installed,
// loaded at the first call.
const FactorFunctions& DefaultFactorModule();
