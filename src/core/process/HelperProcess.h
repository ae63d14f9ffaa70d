#pragma once
// A helper program run once for one piece of work that must not reach the
// program when it goes wrong (Triangle, which ends its process on an error;
// a reader of files from elsewhere). The helper gets its input on standard
// input and answers on standard output, both one socket; standard error
// goes nowhere. It learns the program's number from kHelperParentVariable,
// so that it can end itself should the program be gone already.

#include <chrono>
#include <functional>
#include <string>
#include <vector>

inline constexpr const char* kHelperParentVariable = "VK_MESHER_PARENT";

struct HelperRun {
  std::string path;               // the helper program
  std::vector<std::string> args;  // after its name
  std::chrono::milliseconds timeLimit{5000};
  size_t replyLimit = 0;  // the most bytes its answer may have
  // Called now and then while the helper works, so a window can repaint.
  std::function<void()> whileWaiting;
  // Asked as often; true kills the helper at once.
  std::function<bool()> cancelled;
};

enum class HelperFault {
  None,        // it answered and exited with status 0
  NotStarted,  // it could not be started
  Failed,      // it exited with another status, or broke off the exchange
  Signalled,   // a signal ended it
  TimedOut,    // it ran past the time limit and was killed
  TooLong,     // its answer passed the reply limit
  Cancelled,   // the user ended it
};

struct HelperOutcome {
  HelperFault fault = HelperFault::NotStarted;
  int status = -1;  // the exit status, when it exited
  int signal = 0;   // the signal, when one ended it
  std::string reply;
};

// Starts the helper, sends `input`, collects the answer until the helper
// closes its side, and waits for its end. A helper still running when the
// run ends for any reason is killed and reaped.
HelperOutcome RunHelper(const HelperRun& run, const std::string& input);

// The helper `name` beside the running program, or in the private folder
// libexec/vendrel-korbel/ of the installation it belongs to.
std::string HelperBesideProgram(const std::string& name);
