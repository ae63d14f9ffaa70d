#include "core/import/DrawingHelper.h"

#include <sys/stat.h>

#include <csignal>

#include "core/files/ShownName.h"
#include "core/import/DrawingProtocol.h"
#include "core/process/HelperProcess.h"

namespace {

std::string Unreadable(const std::string& path, const std::string& what) {
  return "Nie udało się odczytać rysunku " + ShownName(path) + ": program czytający rysunek " + what + ".";
}

// What went wrong in the helper, in the user's words.
std::string FaultText(const HelperOutcome& out) {
  switch (out.fault) {
    case HelperFault::NotStarted: return "nie dał się uruchomić";
    case HelperFault::TimedOut: return "przekroczył limit czasu i został zatrzymany";
    case HelperFault::TooLong: return "przysłał zbyt długą odpowiedź";
    case HelperFault::Signalled:
      return out.signal == SIGXCPU ? "przekroczył limit czasu procesora"
                                   : "zakończył się awarią (sygnał " + std::to_string(out.signal) + ")";
    case HelperFault::Failed:
      return out.status == kReaderOutOfMemory
                 ? "przekroczył limit pamięci"
                 : "zakończył się błędem (kod " + std::to_string(out.status) + ")";
    case HelperFault::None:
    case HelperFault::Cancelled: break;
  }
  return "przysłał błędną odpowiedź";
}

}  // namespace

std::string DefaultDrawingReaderPath() {
  return HelperBesideProgram("vendrel-dxf");
}

DxfResult ReadDrawing(const std::string& path, const DrawingReadOptions& options) {
  DxfResult r;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
    r.message = "Nie można otworzyć pliku " + ShownName(path) + ".";
    return r;
  }
  HelperRun run;
  run.path = options.helperPath;
  run.args = {"--", path};
  // Twenty seconds, and one more for every 4 MiB of the file.
  run.timeLimit = options.timeLimit.count() > 0
                      ? options.timeLimit
                      : std::chrono::milliseconds(20'000 + int64_t(st.st_size) / 4'194);
  run.replyLimit = MaxDrawingReplyBytes();
  run.whileWaiting = options.whileWaiting;
  run.cancelled = options.cancelled;
  const HelperOutcome out = RunHelper(run, std::string());
  if (out.fault == HelperFault::Cancelled) {
    r.cancelled = true;
    return r;
  }
  std::optional<DxfResult> decoded;
  if (out.fault == HelperFault::None) decoded = DecodeDrawingReply(out.reply);
  if (!decoded) {
    r.message = Unreadable(path, FaultText(out));
    r.readerFailed = true;
    return r;
  }
  return *decoded;
}
