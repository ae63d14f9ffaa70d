#pragma once
// The sparse direct solve of a symmetric positive definite system: CHOLMOD's
// supernodal Cholesky factorisation, whose dense blocks run in the system's
// BLAS (OpenBLAS where installed).

#include <atomic>
#include <cstdint>

enum class FactorOutcome { Solved, Singular, Cancelled };

// True once the user asked for the solve to end (a null flag never asks).
inline bool CancelAsked(const std::atomic<bool>* cancel) {
  return cancel != nullptr && cancel->load(std::memory_order_relaxed);
}

// The matrix is given by its upper triangle in compressed columns, rows
// sorted within each column, already numbered in the order to factorise it
// in. Solves A x = b into x (size n). A pivot that is not clearly positive
// (below 1e-10 of the largest, in LDLᵀ terms) makes the system singular: a
// motion or a level that nothing fixes, which rounding leaves tiny rather
// than zero.
FactorOutcome SolvePositiveDefinite(int32_t n, const int32_t* columnStart, const int32_t* rows,
                                    const double* values, const double* b, double* x,
                                    const std::atomic<bool>* cancel);
