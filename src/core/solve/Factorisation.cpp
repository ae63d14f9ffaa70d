#include "core/solve/Factorisation.h"

#include <cholmod.h>
#include <omp.h>

#include <cmath>
#include <cstring>
#include <new>

namespace {

// One CHOLMOD workspace for one solve; everything it made goes with it.
class Cholmod {
 public:
  Cholmod() {
    // CHOLMOD scatters each supernode's update on four OpenMP threads,
    // however many cores there are. On a plane mesh's small supernodes
    // waking them costs more than they do: a million triangles factorised
    // in 1.9 s with them and in 1.05 s without, on two cores. The solve
    // runs on one core; nothing else in the program uses OpenMP.
    omp_set_max_active_levels(0);
    cholmod_start(&c);
    c.print = 0;
    c.error_handler = nullptr;
    c.supernodal = CHOLMOD_SUPERNODAL;
    // The columns come numbered in nested dissection: kept as they are.
    c.nmethods = 1;
    c.method[0].ordering = CHOLMOD_NATURAL;
    c.postorder = 1;
  }
  ~Cholmod() {
    if (x != nullptr) cholmod_free_dense(&x, &c);
    if (rhs != nullptr) cholmod_free_dense(&rhs, &c);
    if (factor != nullptr) cholmod_free_factor(&factor, &c);
    cholmod_finish(&c);
  }
  Cholmod(const Cholmod&) = delete;
  Cholmod& operator=(const Cholmod&) = delete;

  cholmod_common c{};
  cholmod_factor* factor = nullptr;
  cholmod_dense* rhs = nullptr;
  cholmod_dense* x = nullptr;
};

}  // namespace

FactorOutcome SolvePositiveDefinite(int32_t n, const int32_t* columnStart, const int32_t* rows,
                                    const double* values, const double* b, double* x,
                                    const std::atomic<bool>* cancel) {
  Cholmod w;
  // The caller's arrays as a CHOLMOD matrix, not copied: CHOLMOD only
  // reads them.
  cholmod_sparse a{};
  a.nrow = a.ncol = size_t(n);
  a.nzmax = size_t(columnStart[n]);
  a.p = const_cast<int32_t*>(columnStart);
  a.i = const_cast<int32_t*>(rows);
  a.x = const_cast<double*>(values);
  a.stype = 1;  // the upper triangle holds the matrix
  a.itype = CHOLMOD_INT;
  a.xtype = CHOLMOD_REAL;
  a.dtype = CHOLMOD_DOUBLE;
  a.sorted = 1;
  a.packed = 1;
  w.factor = cholmod_analyze(&a, &w.c);
  if (w.factor == nullptr) throw std::bad_alloc();
  if (CancelAsked(cancel)) return FactorOutcome::Cancelled;
  const int factorised = cholmod_factorize(&a, w.factor, &w.c);
  if (w.c.status == CHOLMOD_OUT_OF_MEMORY) throw std::bad_alloc();
  if (CancelAsked(cancel)) return FactorOutcome::Cancelled;
  // For LLᵀ, rcond is (min Lᵢᵢ / max Lᵢᵢ)², the smallest pivot of LDLᵀ
  // over the largest.
  if (!factorised || w.c.status == CHOLMOD_NOT_POSDEF || w.factor->minor < size_t(n) ||
      !(cholmod_rcond(w.factor, &w.c) > 1e-10)) {
    return FactorOutcome::Singular;
  }
  w.rhs = cholmod_allocate_dense(size_t(n), 1, size_t(n), CHOLMOD_REAL, &w.c);
  if (w.rhs == nullptr) throw std::bad_alloc();
  std::memcpy(w.rhs->x, b, sizeof(double) * size_t(n));
  w.x = cholmod_solve(CHOLMOD_A, w.factor, w.rhs, &w.c);
  if (w.x == nullptr) throw std::bad_alloc();
  const double* solution = static_cast<const double*>(w.x->x);
  for (int32_t i = 0; i < n; ++i) {
    if (!std::isfinite(solution[i])) return FactorOutcome::Singular;
    x[i] = solution[i];
  }
  return FactorOutcome::Solved;
}
