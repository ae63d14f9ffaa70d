#pragma once
// A fresh directory for one test, removed with everything in it afterwards.

#include <string>

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// Runs fn in a child process and returns its exit status (-1 on a signal),
// for tests that must drop privileges or lower resource limits.
int RunInChild(int (*fn)(void*), void* arg);
