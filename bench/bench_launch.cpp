// Time from starting a program to its first top-level window mapped on the
// X display, for two programs taken in turn, so that both see the same load:
//   bench_launch RUNS PROGRAM_A PROGRAM_B
// Each run starts with a fresh, empty XDG_DATA_HOME (no recovery copy to
// offer). Prints each program's median, minimum and maximum in ms, and the
// ratio of the medians.
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds from the fork to the first map of a window that is not an
// override-redirect one (a menu or tooltip), or -1 after ten seconds.
double TimeToWindow(Display* display, const char* program, const std::string& dataHome) {
  while (XPending(display) > 0) {
    XEvent skipped;
    XNextEvent(display, &skipped);
  }
  const auto start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
    freopen("/dev/null", "w", stderr);
    execl(program, program, static_cast<char*>(nullptr));
    _exit(127);
  }
  double ms = -1.0;
  const int fd = ConnectionNumber(display);
  while (Clock::now() - start < std::chrono::seconds(10) && ms < 0) {
    if (XPending(display) == 0) {
      fd_set ready;
      FD_ZERO(&ready);
      FD_SET(fd, &ready);
      timeval wait{0, 10000};
      select(fd + 1, &ready, nullptr, nullptr, &wait);
      continue;
    }
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == MapNotify && !event.xmap.override_redirect)
      ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  return ms;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.size() % 2 == 1 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s RUNS PROGRAM_A PROGRAM_B (with DISPLAY set)\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "no X display\n");
    return 2;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  const int runs = std::max(1, std::atoi(argv[1]));
  const std::string dataHome =
      (std::filesystem::temp_directory_path() / ("bench-launch-" + std::to_string(getpid()))).string();
  std::vector<double> times[2];
  for (int run = 0; run < runs; ++run) {
    for (int p = 0; p < 2; ++p) {
      std::filesystem::remove_all(dataHome);
      std::filesystem::create_directories(dataHome);
      const double ms = TimeToWindow(display, argv[2 + p], dataHome);
      if (ms < 0) {
        std::fprintf(stderr, "%s showed no window within 10 s\n", argv[2 + p]);
        return 1;
      }
      times[p].push_back(ms);
    }
  }
  std::filesystem::remove_all(dataHome);
  for (int p = 0; p < 2; ++p) {
    std::printf("%-40s median %7.1f ms  min %7.1f  max %7.1f  (%d runs)\n", argv[2 + p], Median(times[p]),
                *std::min_element(times[p].begin(), times[p].end()),
                *std::max_element(times[p].begin(), times[p].end()), runs);
  }
  std::printf("ratio of the medians: %.2f\n", Median(times[0]) / Median(times[1]));
  XCloseDisplay(display);
  return 0;
}
