#pragma once
// The sparse direct solve of a symmetric positive definite system: CHOLMOD's
// supernodal Cholesky factorisation, whose dense blocks run in the system's
// BLAS (OpenBLAS where installed). A large system whose unknowns fall into
// two parts joined only through a separator is factorised on two threads.
// The work is done in the factorisation module (FactorModule.h), loaded at
// the first solver made; making one throws FactorModuleMissing when it
// cannot be loaded and std::bad_alloc when memory runs out.

#include <atomic>
#include <cstdint>
#include <memory>

enum class FactorOutcome { Solved, Singular, Cancelled };

// True once the user asked for the solve to end (a null flag never asks).
inline bool CancelAsked(const std::atomic<bool>* cancel) {
  return cancel != nullptr && cancel->load(std::memory_order_relaxed);
}

// A matrix's pattern: n unknowns, the upper triangle in compressed columns,
// rows sorted within each column, numbered in the order to factorise in.
struct UpperPattern {
  int32_t n = 0;
  const int32_t* columnStart = nullptr;  // n + 1 of them
  const int32_t* rows = nullptr;
};

// How many threads a factorisation may take: `workers` for its parts (below
// two, it is never split), and `blasThreads` for the BLAS, shared among the
// parts when it is split (0 leaves the BLAS's own count). A thread count the
// user set for the BLAS in the environment always wins over this one.
struct FactorOptions {
  int32_t workers = 2;
  int32_t blasThreads = 0;
};

class PositiveDefiniteSolver {
 public:
  // Analyses the pattern, whose arrays must outlive this. With `first` and
  // `second` above zero the unknowns come as [first | second | separator],
  // no entry joining the first two parts. Each part is then factorised on
  // its own thread together with the separator, and the two are joined
  // through the separator's Schur complement, a dense matrix. Parts that
  // do touch are factorised as one matrix.
  explicit PositiveDefiniteSolver(const UpperPattern& pattern, int32_t first = 0, int32_t second = 0,
                                  FactorOptions options = {});
  ~PositiveDefiniteSolver();
  PositiveDefiniteSolver(const PositiveDefiniteSolver&) = delete;
  PositiveDefiniteSolver& operator=(const PositiveDefiniteSolver&) = delete;

  // Whether the two parts are factorised apart.
  bool split() const;

  // Factorises the matrix with these values, one per entry of the pattern.
  // A pivot that is not clearly positive
  // (below 1e-10 of the largest, in LDLᵀ terms) makes the system singular:
  // a motion or a level that nothing fixes, which rounding leaves tiny
  // rather than zero. The solver hands it the matrix scaled to a unit
  // diagonal, so that the ratio tells how the mesh is held, not how large
  // its properties are.
  FactorOutcome factorise(const double* values, const std::atomic<bool>* cancel);

  // After a factorisation: x = A⁻¹ b, both of n. Singular when the
  // solution is not finite.
  FactorOutcome solve(const double* b, double* x) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
