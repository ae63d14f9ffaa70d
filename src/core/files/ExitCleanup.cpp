#include "core/files/ExitCleanup.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>

namespace {

// Fixed slots, so that the handler reads them without locks or memory it
// would have to allocate. A slot is free (0), being filled (1) or set (2).
constexpr int kSlots = 16;
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

struct TempSlot {
  std::atomic<int> state{0};
  char path[PATH_MAX]{};
};
TempSlot tempSlots[kSlots];

struct ChildSlot {
  std::atomic<int> state{0};
  std::atomic<pid_t> pid{0};
};
ChildSlot childSlots[kSlots];

std::atomic<int> holds{0};
std::atomic<int> pendingSignal{0};

template <typename Slot>
int Claim(Slot (&slots)[kSlots]) {
  for (int i = 0; i < kSlots; ++i) {
    int free = 0;
    if (slots[i].state.compare_exchange_strong(free, 1)) return i;
  }
  return -1;  // every slot taken: that one goes unwatched
}

// Async-signal-safe: unlink and kill only.
void CleanUp() {
  for (TempSlot& s : tempSlots) {
    if (s.state.load() == 2) ::unlink(s.path);
  }
  for (ChildSlot& s : childSlots) {
    const pid_t pid = s.pid.load();
    if (s.state.load() == 2 && pid > 0) ::kill(pid, SIGKILL);
  }
}

void EndBy(int sig) {
  CleanUp();
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

void OnSignal(int sig) {
  const int saved = errno;
  if (holds.load() > 0) {
    pendingSignal.store(sig);
  } else {
    EndBy(sig);
  }
  errno = saved;
}

}  // namespace

void InstallExitCleanup() {
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  for (int sig : kSignals) sigaddset(&action.sa_mask, sig);
  action.sa_flags = SA_RESTART;
  for (int sig : kSignals) {
    // A signal ignored by whoever started the program stays ignored.
    struct sigaction old {};
    if (::sigaction(sig, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
    ::sigaction(sig, &action, nullptr);
  }
}

CleanupTempFile::CleanupTempFile(const std::string& path) : slot_(Claim(tempSlots)) {
  if (slot_ < 0) return;
  TempSlot& s = tempSlots[slot_];
  if (path.size() >= sizeof s.path) {
    s.state.store(0);
    slot_ = -1;
    return;
  }
  std::memcpy(s.path, path.c_str(), path.size() + 1);
  s.state.store(2);
}

CleanupTempFile::~CleanupTempFile() {
  if (slot_ >= 0) tempSlots[slot_].state.store(0);
}

CleanupChild::CleanupChild(pid_t pid) : slot_(Claim(childSlots)) {
  if (slot_ < 0) return;
  childSlots[slot_].pid.store(pid);
  childSlots[slot_].state.store(2);
}

CleanupChild::~CleanupChild() {
  if (slot_ < 0) return;
  childSlots[slot_].pid.store(0);
  childSlots[slot_].state.store(0);
}

HoldExitSignals::HoldExitSignals() {
  holds.fetch_add(1);
}

HoldExitSignals::~HoldExitSignals() {
  if (holds.fetch_sub(1) != 1) return;
  if (const int sig = pendingSignal.exchange(0); sig != 0) EndBy(sig);
}
