#pragma once
// Recovery copies: while a project has unsaved changes, the program keeps
// its project file in the user's data folder, so that work survives a crash,
// a kill or an ending the user regrets. Each running program keeps its own
// copy, named by its process id, beside a lock file it holds locked while it
// runs; the kernel drops the lock however the program ends, so a copy whose
// lock can be taken was left by a program that no longer runs.
//
//   <pid>.vdk   the project file, written safely
//   <pid>.name  the project's own file name, empty for a project never saved
//   <pid>.lock  held locked by the program that writes the copy

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/SafeFile.h"

// $XDG_DATA_HOME/vendrel-korbel/recovery, or ~/.local/share/vendrel-korbel/
// recovery where XDG_DATA_HOME is unset, empty or not an absolute path;
// empty when neither can be found.
std::string RecoveryFolder();

// This program's copy.
class RecoveryCopy {
 public:
  explicit RecoveryCopy(std::string folder);
  ~RecoveryCopy();
  RecoveryCopy(const RecoveryCopy&) = delete;
  RecoveryCopy& operator=(const RecoveryCopy&) = delete;

  // Writes (or rewrites) the copy: the project file's bytes and its own
  // file name. The folder is made and the lock taken the first time.
  // False when any of it fails; the previous copy then stays as it was.
  bool write(std::string_view projectBytes, const std::string& projectName);
  // Removes the copy; the lock stays held while the program runs.
  void remove();
  // The copy's file, once the first write has named it.
  const std::string& path() const { return path_; }
  const std::string& folder() const { return folder_; }

 private:
  bool lock();

  std::string folder_, path_, namePath_, lockPath_;
  UniqueFd lock_;
};

// A copy left by a program that no longer runs. While this lives the copy
// is locked, so that a second program starting at the same time does not
// offer it too.
struct LeftCopy {
  std::string path;         // the project file
  std::string projectName;  // its own file name; empty for an unnamed project
  std::time_t writtenAt = 0;
  UniqueFd lock;
};

// The copies in the folder left by programs no longer running, the newest
// first. Lock files left without a copy are removed on the way.
std::vector<LeftCopy> FindLeftCopies(const std::string& folder);

// Removes a left copy, its name and its lock.
void DiscardLeftCopy(LeftCopy& copy);
