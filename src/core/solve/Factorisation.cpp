#include "core/solve/Factorisation.h"

#include <dlfcn.h>
#include <unistd.h>

#include <map>
#include <mutex>
#include <new>

#include "core/process/HelperProcess.h"
#include "core/solve/FactorModule.h"
#include "core/text/Tr.h"

namespace {

std::mutex modulesMutex;
// The modules loaded, by path; never unloaded, as their libraries keep
// threads of their own.
std::map<std::string, const FactorFunctions*> modules;

[[noreturn]] void Missing(const std::string& path, const std::string& why) {
  throw FactorModuleMissing(
      Tr("Factorisation", "Nie można wczytać modułu rozwiązującego %1: %2. Zainstaluj program ponownie.")
          .with(path, why));
}

// A status from the module as this side's outcome; a lack of memory is
// thrown, as everywhere else in the solver.
FactorOutcome Outcome(FactorStatus status) {
  switch (status) {
    case FactorStatus::Solved: return FactorOutcome::Solved;
    case FactorStatus::Cancelled: return FactorOutcome::Cancelled;
    case FactorStatus::OutOfMemory: throw std::bad_alloc();
    case FactorStatus::Singular: break;
  }
  return FactorOutcome::Singular;
}

}  // namespace

const FactorFunctions& LoadFactorModule(const std::string& path) {
  const std::lock_guard lock(modulesMutex);
  if (const auto found = modules.find(path); found != modules.end()) return *found->second;
  // Its own scope: CHOLMOD's and the BLAS's symbols stay out of the
  // program's.
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    if (::access(path.c_str(), F_OK) != 0) Missing(path, Tr("Factorisation", "nie ma takiego pliku"));
    // The loader's words, without the path it puts before them.
    const char* said = ::dlerror();
    std::string why = said != nullptr ? std::string(said) : Tr("Factorisation", "nieznany błąd");
    if (why.rfind(path + ": ", 0) == 0) why.erase(0, path.size() + 2);
    Missing(path, why);
  }
  const auto entry = reinterpret_cast<FactorEntry>(::dlsym(handle, kFactorEntryName));
  const FactorFunctions* functions = entry != nullptr ? entry(kFactorInterfaceVersion) : nullptr;
  if (functions == nullptr) {
    ::dlclose(handle);
    Missing(path, entry == nullptr ? Tr("Factorisation", "to nie jest moduł tego programu")
                                   : Tr("Factorisation", "moduł pochodzi z innej wersji programu"));
  }
  modules.emplace(path, functions);
  return *functions;
}

const FactorFunctions& DefaultFactorModule() {
  static const std::string path = HelperBesideProgram(kFactorModuleName);
  return LoadFactorModule(path);
}

struct PositiveDefiniteSolver::Impl {
  const FactorFunctions* module = nullptr;
  FactorEngine* engine = nullptr;
  ~Impl() {
    if (engine != nullptr) module->destroy(engine);
  }
};

PositiveDefiniteSolver::PositiveDefiniteSolver(const UpperPattern& pattern, int32_t first, int32_t second,
                                               FactorOptions options)
    : impl_(std::make_unique<Impl>()) {
  impl_->module = &DefaultFactorModule();
  if (Outcome(impl_->module->create(&pattern, first, second, &options, &impl_->engine)) !=
          FactorOutcome::Solved ||
      impl_->engine == nullptr)
    throw std::bad_alloc();
}

PositiveDefiniteSolver::~PositiveDefiniteSolver() = default;

bool PositiveDefiniteSolver::split() const {
  return impl_->module->split(impl_->engine);
}

FactorOutcome PositiveDefiniteSolver::factorise(const double* values, const std::atomic<bool>* cancel) {
  return Outcome(impl_->module->factorise(impl_->engine, values, cancel));
}

FactorOutcome PositiveDefiniteSolver::solve(const double* b, double* x) const {
  return Outcome(impl_->module->solve(impl_->engine, b, x));
}
