#pragma once
// One matrix's CHOLMOD analysis and factor, and how many threads the BLAS
// and CHOLMOD may take for it.

#include <cholmod.h>

#include <algorithm>
#include <cstdint>

namespace factor {

// Whether parts may be factorised at once, calling the BLAS from several
// threads: only with OpenBLAS's threaded build. Decided once per process.
bool BlasCallableFromThreads();

// Has OpenBLAS run its calls on `threads` threads of its own from now on,
// unless the user set their number in the environment (then theirs stays),
// or `threads` is 0, or the BLAS is another one.
void SetBlasThreads(int threads);

// One matrix's CHOLMOD analysis and factor; everything CHOLMOD made goes
// with it.
class CholmodMatrix {
 public:
  explicit CholmodMatrix(bool postorder);
  ~CholmodMatrix();
  CholmodMatrix(const CholmodMatrix&) = delete;
  CholmodMatrix& operator=(const CholmodMatrix&) = delete;

  // The arrays are viewed, not copied: CHOLMOD only reads them.
  void analyse(int32_t n, const int32_t* columnStart, const int32_t* rows);

  // False when the matrix is not positive definite.
  bool factorise(const double* values);

  // For LLᵀ, rcond is (min Lᵢᵢ / max Lᵢᵢ)², the smallest pivot of LDLᵀ
  // over the largest.
  double pivotRatio();

  // Whether L is numbered exactly as the matrix (no permutation at all).
  bool unpermuted() const;

  // Calls visit(row, column, value) for each stored entry of L in the
  // columns from `first` on.
  template <typename Visit>
  void columnsFrom(int32_t first, const Visit& visit) const {
    const auto* super = static_cast<const int32_t*>(factor_->super);
    const auto* pi = static_cast<const int32_t*>(factor_->pi);
    const auto* px = static_cast<const int32_t*>(factor_->px);
    const auto* s = static_cast<const int32_t*>(factor_->s);
    const auto* x = static_cast<const double*>(factor_->x);
    for (size_t k = factor_->nsuper; k-- > 0;) {
      const int32_t k1 = super[k], k2 = super[k + 1];
      if (k2 <= first) break;
      const int32_t rows = pi[k + 1] - pi[k];
      for (int32_t col = std::max(k1, first); col < k2; ++col) {
        const int32_t c = col - k1;
        for (int32_t r = c; r < rows; ++r) visit(s[pi[k] + r], col, x[px[k] + c * rows + r]);
      }
    }
  }

  // The smallest and largest diagonal entries of L in columns [0, count).
  void diagonalRange(int32_t count, double& low, double& high) const;

  // Solves A x = b (sys CHOLMOD_A), L x = b (CHOLMOD_L) or Lᵀ x = b
  // (CHOLMOD_Lt) in place, over all of the matrix's unknowns.
  void solve(int sys, double* inout);

 private:
  cholmod_common c_{};
  cholmod_sparse a_{};
  cholmod_factor* factor_ = nullptr;
};

}  // namespace factor
