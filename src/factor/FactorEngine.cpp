// The factorisation module: CHOLMOD's supernodal Cholesky factorisation,
// whose dense blocks run in the system's BLAS (OpenBLAS where installed). A
// large system whose unknowns fall into two parts joined only through a
// separator is factorised on two threads. The program reaches it only
// through the table that vk_factor_functions hands out.
//
// The split stops at two parts, however many workers there are. Each part
// is factorised by CHOLMOD, whose dense supernodes run in the BLAS on the
// workers the parts leave (blasThreads shared among them), so more cores
// are used without more parts. Four parts would take the ordering's second
// cuts as well: two more separators whose Schur complements are dense and
// joined in a second level, for parts half as large, whose factorisation
// costs fall faster than the joining's do not; and the top separator stays
// the same size. On a plane mesh two parts already keep two cores busy for
// almost all of the factorisation, and how far more pays could not be
// measured on a machine of two cores, so the simpler join is kept.

#include <cholmod.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <new>
#include <vector>

#include "core/parallel/ForkJoin.h"
#include "core/solve/FactorModule.h"
#include "factor/CholmodMatrix.h"

// The dense Schur complement's operations, from LAPACK and BLAS (Fortran
// interfaces, each character argument followed by its hidden length).
extern "C" {
void dsyrk_(const char* uplo, const char* trans, const int* n, const int* k, const double* alpha,
            const double* a, const int* lda, const double* beta, double* c, const int* ldc, size_t uploLength,
            size_t transLength);
void dpotrf_(const char* uplo, const int* n, double* a, const int* lda, int* info, size_t uploLength);
void dpotrs_(const char* uplo, const int* n, const int* nrhs, const double* a, const int* lda, double* b,
             const int* ldb, int* info, size_t uploLength);
}

using factor::BlasCallableFromThreads;
using factor::CholmodMatrix;
using factor::SetBlasThreads;

namespace {

// The largest pivot ratio (LLᵀ diagonal, squared) taken as singular.
constexpr double kSingularRatio = 1e-10;

// A part of a split system: its own unknowns, then the separator's, and the
// matrix over them taken from the whole one's entries.
struct SplitPart {
  int32_t own = 0;     // its own unknowns, numbered first
  int32_t offset = 0;  // where they start in the whole system
  std::vector<int32_t> columnStart, rows;
  std::vector<int64_t> from;  // each entry's place among the whole matrix's values
  std::vector<double> values;
  CholmodMatrix matrix{false};
  std::vector<double> last;   // its factor's last block D (the separator's), lower
  std::vector<double> schur;  // its share of the separator's Schur complement, D Dᵀ
  std::vector<double> y;      // a solve's vector over its unknowns and the separator's

  // With its factor L = [L_p 0; M D]: y_p = L_p⁻¹ b_p (into b_p's place)
  // and M y_p, taken from L [y_p; w] = [b_p; 0], where D w = -M y_p.
  void forward(double* bp, double* coupled) {
    const auto s = y.size() - size_t(own);
    std::fill(std::copy_n(bp, own, y.begin()), y.end(), 0.0);
    matrix.solve(CHOLMOD_L, y.data());
    std::copy_n(y.begin(), own, bp);
    const double* w = y.data() + own;
    for (size_t r = 0; r < s; ++r) {
      double sum = 0.0;
      for (size_t c = 0; c <= r; ++c) sum += last[r + c * s] * w[c];
      coupled[r] = -sum;
    }
  }
  // x_p = L_p⁻ᵀ (y_p - Mᵀ x_s) (into y_p's place), from Lᵀ [x_p; x_s] =
  // [y_p; Dᵀ x_s].
  void backward(double* yp, const double* xs) {
    const auto s = y.size() - size_t(own);
    std::copy_n(yp, own, y.begin());
    for (size_t c = 0; c < s; ++c) {
      double sum = 0.0;
      for (size_t r = c; r < s; ++r) sum += last[r + c * s] * xs[r];
      y[size_t(own) + c] = sum;
    }
    matrix.solve(CHOLMOD_Lt, y.data());
    std::copy_n(y.begin(), own, yp);
  }
};

}  // namespace

// One matrix's analysis and factor, whole or in two parts.
struct FactorEngine {
  FactorOptions options;
  UpperPattern whole;
  std::unique_ptr<CholmodMatrix> single;
  std::array<std::unique_ptr<SplitPart>, 2> parts;
  int32_t separator = 0;      // its unknowns, last in the whole system
  std::vector<double> schur;  // its Schur complement's Cholesky factor (lower)

  int32_t separatorStart() const { return whole.n - separator; }

  // The part's matrix: its own columns (rows in the part) and the
  // separator's columns with the rows of the part and of the separator.
  void buildPart(SplitPart& p) const {
    const int32_t sepStart = separatorStart(), ownEnd = p.offset + p.own;
    p.columnStart.assign(1, 0);
    const auto column = [&](int32_t j) {
      for (int32_t k = whole.columnStart[j]; k < whole.columnStart[j + 1]; ++k) {
        const int32_t i = whole.rows[k];
        if (i >= p.offset && i < ownEnd) {
          p.rows.push_back(i - p.offset);
        } else if (i >= sepStart) {
          p.rows.push_back(i - sepStart + p.own);
        } else {
          continue;
        }
        p.from.push_back(k);
      }
      p.columnStart.push_back(int32_t(p.rows.size()));
    };
    for (int32_t j = p.offset; j < ownEnd; ++j) column(j);
    for (int32_t j = sepStart; j < whole.n; ++j) column(j);
    p.values.resize(p.rows.size());
  }

  // Each part's contribution S_p = D Dᵀ, where D is the last block of its
  // factor: the separator's block minus the part's couplings through it.
  void partSchur(SplitPart& p) const {
    const int s = separator;
    p.last.assign(size_t(s) * size_t(s), 0.0);
    p.matrix.columnsFrom(p.own, [&](int32_t row, int32_t col, double v) {
      p.last[size_t(row - p.own) + size_t(col - p.own) * size_t(s)] = v;
    });
    p.schur.assign(size_t(s) * size_t(s), 0.0);
    const double one = 1.0, zero = 0.0;
    dsyrk_("L", "N", &s, &s, &one, p.last.data(), &s, &zero, p.schur.data(), &s, 1, 1);
    p.y.resize(size_t(p.own) + size_t(s));
  }
};

namespace {

// Analyses the pattern: with `first` and `second` above zero the unknowns
// come as [first | second | separator], and each part is factorised on its
// own thread with the separator, as long as the parts do not touch.
void Analyse(FactorEngine& m, const UpperPattern& pattern, int32_t first, int32_t second) {
  m.whole = pattern;
  const int32_t separator = pattern.n - first - second;
  bool apart =
      first > 0 && second > 0 && separator > 0 && m.options.workers >= 2 && BlasCallableFromThreads();
  // No entry may join the parts: the second part's columns hold no row of
  // the first.
  for (int32_t j = first; apart && j < first + second; ++j) {
    const int32_t k = pattern.columnStart[j];
    apart = k == pattern.columnStart[j + 1] || pattern.rows[k] >= first;
  }
  if (apart) {
    m.separator = separator;
    for (int p = 0; p < 2; ++p) {
      m.parts[size_t(p)] = std::make_unique<SplitPart>();
      m.parts[size_t(p)]->own = p == 0 ? first : second;
      m.parts[size_t(p)]->offset = p == 0 ? 0 : first;
    }
    const auto analyse = [&m](SplitPart& p) {
      m.buildPart(p);
      p.matrix.analyse(p.own + m.separator, p.columnStart.data(), p.rows.data());
    };
    RunTogether(
        2, [&] { analyse(*m.parts[0]); }, [&] { analyse(*m.parts[1]); });
    if (m.parts[0]->matrix.unpermuted() && m.parts[1]->matrix.unpermuted()) return;
    m.parts = {};
    m.separator = 0;
  }
  m.single = std::make_unique<CholmodMatrix>(true);
  m.single->analyse(pattern.n, pattern.columnStart, pattern.rows);
}

// A pivot that is not clearly positive (below kSingularRatio of the
// largest, in LDLᵀ terms) makes the system singular.
FactorStatus Factorise(FactorEngine& m, const double* values, const std::atomic<bool>* cancel) {
  // The parts, when split, share the BLAS's threads.
  const int32_t blas = m.options.blasThreads;
  SetBlasThreads(m.single || blas == 0 ? blas : std::max(1, blas / int32_t(m.parts.size())));
  if (m.single) {
    if (!m.single->factorise(values)) return FactorStatus::Singular;
    if (CancelAsked(cancel)) return FactorStatus::Cancelled;
    return m.single->pivotRatio() > kSingularRatio ? FactorStatus::Solved : FactorStatus::Singular;
  }
  const auto factorisePart = [&m, values](SplitPart& p) {
    for (size_t k = 0; k < p.values.size(); ++k) p.values[k] = values[p.from[k]];
    if (!p.matrix.factorise(p.values.data())) return false;
    m.partSchur(p);
    return true;
  };
  std::array<bool, 2> factorised{};
  RunTogether(
      2, [&] { factorised[0] = factorisePart(*m.parts[0]); },
      [&] { factorised[1] = factorisePart(*m.parts[1]); });
  if (!factorised[0] || !factorised[1]) return FactorStatus::Singular;
  if (CancelAsked(cancel)) return FactorStatus::Cancelled;
  // S = S₁ + S₂ - A_ss: each part's share holds the separator's own block
  // once.
  const int s = m.separator;
  const int32_t sepStart = m.separatorStart();
  m.schur.resize(size_t(s) * size_t(s));
  for (size_t k = 0; k < m.schur.size(); ++k) m.schur[k] = m.parts[0]->schur[k] + m.parts[1]->schur[k];
  for (int32_t j = sepStart; j < m.whole.n; ++j) {
    for (int32_t k = m.whole.columnStart[j]; k < m.whole.columnStart[j + 1]; ++k) {
      const int32_t i = m.whole.rows[k];
      if (i >= sepStart) m.schur[size_t(j - sepStart) + size_t(i - sepStart) * size_t(s)] -= values[k];
    }
  }
  int info = 0;
  dpotrf_("L", &s, m.schur.data(), &s, &info, 1);
  if (info != 0) return FactorStatus::Singular;
  double low = INFINITY, high = 0.0;
  for (int i = 0; i < s; ++i) {
    low = std::min(low, m.schur[size_t(i) * size_t(s + 1)]);
    high = std::max(high, m.schur[size_t(i) * size_t(s + 1)]);
  }
  for (const auto& p : m.parts) p->matrix.diagonalRange(p->own, low, high);
  return (low / high) * (low / high) > kSingularRatio ? FactorStatus::Solved : FactorStatus::Singular;
}

FactorStatus Solve(FactorEngine& m, const double* b, double* x) {
  const int32_t n = m.whole.n;
  if (m.single) {
    std::copy_n(b, n, x);
    m.single->solve(CHOLMOD_A, x);
  } else {
    // L = [L₁ 0 0; 0 L₂ 0; M₁ M₂ L_s] with L_s L_sᵀ = S: forward y_p =
    // L_p⁻¹ b_p, then S x_s = b_s - Σ M_p y_p, and back x_p = L_p⁻ᵀ (y_p -
    // M_pᵀ x_s).
    const int32_t sepStart = m.separatorStart();
    const auto inParts = [&](const auto& each) {
      RunTogether(
          2, [&] { each(*m.parts[0], 0); }, [&] { each(*m.parts[1], 1); });
    };
    std::copy_n(b, n, x);
    std::array<std::vector<double>, 2> coupled;
    inParts([&](SplitPart& p, int k) {
      coupled[size_t(k)].resize(size_t(m.separator));
      p.forward(x + p.offset, coupled[size_t(k)].data());
    });
    double* xs = x + sepStart;
    for (int32_t i = 0; i < m.separator; ++i) xs[i] -= coupled[0][size_t(i)] + coupled[1][size_t(i)];
    const int s = m.separator, one = 1;
    int info = 0;
    dpotrs_("L", &s, &one, m.schur.data(), &s, xs, &s, &info, 1);
    inParts([&](SplitPart& p, int) { p.backward(x + p.offset, xs); });
  }
  for (int32_t i = 0; i < n; ++i) {
    if (!std::isfinite(x[i])) return FactorStatus::Singular;
  }
  return FactorStatus::Solved;
}

// Runs one of the calls above, turning what it throws into a status: no
// exception leaves the module. A thread that cannot be started is a lack
// of resources as much as memory is.
template <typename Call>
FactorStatus Guarded(const Call& call) noexcept {
  try {
    return call();
  } catch (const std::exception&) {
    return FactorStatus::OutOfMemory;
  }
}

FactorStatus Create(const UpperPattern* pattern, int32_t first, int32_t second, const FactorOptions* options,
                    FactorEngine** made) {
  return Guarded([&] {
    auto engine = std::make_unique<FactorEngine>();
    engine->options = *options;
    Analyse(*engine, *pattern, first, second);
    *made = engine.release();
    return FactorStatus::Solved;
  });
}

void Destroy(FactorEngine* engine) {
  delete engine;
}

bool Split(const FactorEngine* engine) {
  return engine->single == nullptr;
}

FactorStatus FactoriseGuarded(FactorEngine* engine, const double* values, const std::atomic<bool>* cancel) {
  return Guarded([&] { return Factorise(*engine, values, cancel); });
}

FactorStatus SolveGuarded(FactorEngine* engine, const double* b, double* x) {
  return Guarded([&] { return Solve(*engine, b, x); });
}

constexpr FactorFunctions kFunctions{kFactorInterfaceVersion, Create,      Destroy, Split,
                                     FactoriseGuarded,        SolveGuarded};

}  // namespace

extern "C" __attribute__((visibility("default"))) const FactorFunctions* vk_factor_functions(
    uint32_t version) {
  return version == kFactorInterfaceVersion ? &kFunctions : nullptr;
}
