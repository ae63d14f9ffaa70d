#include "factor/CholmodMatrix.h"

#include <dlfcn.h>
#include <omp.h>

#include <cstdlib>
#include <new>

namespace factor {
namespace {

// Whether the user set a thread count in the environment under this name.
bool UserSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// A symbol of the libraries this module was loaded with. The module is
// loaded with its own scope, out of the global one, so it looks in that.
void* LoadedSymbol(const char* name) {
  Dl_info self{};
  if (::dladdr(reinterpret_cast<void*>(&LoadedSymbol), &self) == 0 || self.dli_fname == nullptr)
    return nullptr;
  void* handle = ::dlopen(self.dli_fname, RTLD_NOW | RTLD_NOLOAD);
  if (handle == nullptr) return nullptr;
  void* symbol = ::dlsym(handle, name);
  ::dlclose(handle);
  return symbol;
}

}  // namespace

// OpenBLAS's threaded build may be called from several threads at once (it
// locks what its calls share), its sequential build may not: with any other
// BLAS the parts are factorised as one matrix.
bool BlasCallableFromThreads() {
  static const bool ok = [] {
    const auto parallel = reinterpret_cast<int (*)()>(LoadedSymbol("openblas_get_parallel"));
    constexpr int kPthreads = 1;
    return parallel != nullptr && LoadedSymbol("openblas_set_num_threads") != nullptr &&
           parallel() == kPthreads;
  }();
  return ok;
}

// A thread count the user set for OpenBLAS is theirs and left alone.
void SetBlasThreads(int threads) {
  if (threads < 1 || UserSet("OPENBLAS_NUM_THREADS") || UserSet("GOTO_NUM_THREADS") ||
      UserSet("OMP_NUM_THREADS"))
    return;
  static const auto set = reinterpret_cast<void (*)(int)>(LoadedSymbol("openblas_set_num_threads"));
  if (set != nullptr) set(threads);
}

namespace {

// CHOLMOD scatters each supernode's update on four OpenMP threads, however
// many cores there are. On a plane mesh's small supernodes waking them
// costs more than they do (docs/benchmarks.md has the figures), so its
// parallel regions are turned off, unless the user set OMP_NUM_THREADS:
// then one thread keeps them off and more lets CHOLMOD have its threads.
// The setting is the calling thread's; nothing else in the program uses
// OpenMP.
void SetCholmodThreads() {
  const char* wanted = std::getenv("OMP_NUM_THREADS");
  const bool more = wanted != nullptr && std::atoi(wanted) > 1;
  omp_set_max_active_levels(more ? 1 : 0);
}

}  // namespace

CholmodMatrix::CholmodMatrix(bool postorder) {
  cholmod_start(&c_);
  c_.print = 0;
  c_.error_handler = nullptr;
  c_.supernodal = CHOLMOD_SUPERNODAL;
  // The columns come numbered in nested dissection: kept as they are
  // (with postorder off, exactly as they are).
  c_.nmethods = 1;
  c_.method[0].ordering = CHOLMOD_NATURAL;
  c_.postorder = postorder ? 1 : 0;
}

CholmodMatrix::~CholmodMatrix() {
  if (factor_ != nullptr) cholmod_free_factor(&factor_, &c_);
  cholmod_finish(&c_);
}

void CholmodMatrix::analyse(int32_t n, const int32_t* columnStart, const int32_t* rows) {
  a_.nrow = a_.ncol = size_t(n);
  a_.nzmax = size_t(columnStart[n]);
  a_.p = const_cast<int32_t*>(columnStart);
  a_.i = const_cast<int32_t*>(rows);
  a_.stype = 1;  // the upper triangle holds the matrix
  a_.itype = CHOLMOD_INT;
  a_.xtype = CHOLMOD_PATTERN;
  a_.dtype = CHOLMOD_DOUBLE;
  a_.sorted = 1;
  a_.packed = 1;
  factor_ = cholmod_analyze(&a_, &c_);
  if (factor_ == nullptr) throw std::bad_alloc();
}

bool CholmodMatrix::factorise(const double* values) {
  a_.x = const_cast<double*>(values);
  a_.xtype = CHOLMOD_REAL;
  SetCholmodThreads();
  const int factorised = cholmod_factorize(&a_, factor_, &c_);
  if (c_.status == CHOLMOD_OUT_OF_MEMORY) throw std::bad_alloc();
  return factorised && c_.status != CHOLMOD_NOT_POSDEF && factor_->minor >= a_.nrow;
}

double CholmodMatrix::pivotRatio() {
  return cholmod_rcond(factor_, &c_);
}

bool CholmodMatrix::unpermuted() const {
  const auto* perm = static_cast<const int32_t*>(factor_->Perm);
  for (size_t i = 0; i < factor_->n; ++i) {
    if (perm != nullptr && perm[i] != int32_t(i)) return false;
  }
  return factor_->is_super && factor_->is_ll;
}

void CholmodMatrix::diagonalRange(int32_t count, double& low, double& high) const {
  const auto* super = static_cast<const int32_t*>(factor_->super);
  const auto* pi = static_cast<const int32_t*>(factor_->pi);
  const auto* px = static_cast<const int32_t*>(factor_->px);
  const auto* x = static_cast<const double*>(factor_->x);
  for (size_t k = 0; k < factor_->nsuper && super[k] < count; ++k) {
    const int32_t rows = pi[k + 1] - pi[k];
    for (int32_t col = super[k]; col < std::min(super[k + 1], count); ++col) {
      const double d = x[px[k] + (col - super[k]) * (rows + 1)];
      low = std::min(low, d), high = std::max(high, d);
    }
  }
}

void CholmodMatrix::solve(int sys, double* inout) {
  cholmod_dense b{};
  b.nrow = b.d = b.nzmax = a_.nrow;
  b.ncol = 1;
  b.x = inout;
  b.xtype = CHOLMOD_REAL;
  b.dtype = CHOLMOD_DOUBLE;
  cholmod_dense* x = cholmod_solve(sys, factor_, &b, &c_);
  if (x == nullptr) throw std::bad_alloc();
  std::copy_n(static_cast<const double*>(x->x), a_.nrow, inout);
  cholmod_free_dense(&x, &c_);
}

}  // namespace factor
