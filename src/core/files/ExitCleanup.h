#pragma once
// What must not outlive the program when a signal ends it: the temporary
// files it is writing and the helper processes it runs. Once installed,
// SIGTERM, SIGINT and SIGHUP remove the first and kill the second, then end
// the program as the signal would have.

#include <sys/types.h>

#include <string>

void InstallExitCleanup();

// A temporary file, removed should a signal end the program while this lives.
class CleanupTempFile {
 public:
  explicit CleanupTempFile(const std::string& path);
  ~CleanupTempFile();
  CleanupTempFile(const CleanupTempFile&) = delete;
  CleanupTempFile& operator=(const CleanupTempFile&) = delete;

 private:
  int slot_;
};

// A child process, killed should a signal end the program while this lives.
class CleanupChild {
 public:
  explicit CleanupChild(pid_t pid);
  ~CleanupChild();
  CleanupChild(const CleanupChild&) = delete;
  CleanupChild& operator=(const CleanupChild&) = delete;

 private:
  int slot_;
};

// While one lives, those signals wait: for work that must not stop
// halfway, such as a file rewritten in place. The last one to go delivers
// a signal that came meanwhile.
class HoldExitSignals {
 public:
  HoldExitSignals();
  ~HoldExitSignals();
  HoldExitSignals(const HoldExitSignals&) = delete;
  HoldExitSignals& operator=(const HoldExitSignals&) = delete;
};
