#include "core/import/DrawingHelper.h"

#include <sys/stat.h>

#include <csignal>

#include "core/files/ShownName.h"
#include "core/import/DrawingProtocol.h"
#include "core/process/HelperProcess.h"
#include "core/text/Tr.h"

namespace {

// What went wrong in the helper, in the user's words, naming the file.
std::string FaultText(const HelperOutcome& out, const std::string& path) {
  const std::string file = ShownName(path);
  switch (out.fault) {
    case HelperFault::NotStarted:
      return Tr("DrawingHelper",
                "Nie udało się odczytać rysunku %1: program czytający rysunek nie dał się uruchomić.")
          .with(file);
    case HelperFault::TimedOut:
      return Tr("DrawingHelper",
                "Nie udało się odczytać rysunku %1: "
                "program czytający rysunek przekroczył limit czasu i został zatrzymany.")
          .with(file);
    case HelperFault::TooLong:
      return Tr("DrawingHelper",
                "Nie udało się odczytać rysunku %1: program czytający rysunek przysłał zbyt długą odpowiedź.")
          .with(file);
    case HelperFault::Signalled:
      if (out.signal == SIGXCPU) {
        return Tr("DrawingHelper",
                  "Nie udało się odczytać rysunku %1: program czytający rysunek przekroczył limit czasu "
                  "procesora.")
            .with(file);
      }
      return Tr("DrawingHelper",
                "Nie udało się odczytać rysunku %1: "
                "program czytający rysunek zakończył się awarią (sygnał %2).")
          .with(file, out.signal);
    case HelperFault::Failed:
      if (out.status == kReaderOutOfMemory) {
        return Tr("DrawingHelper",
                  "Nie udało się odczytać rysunku %1: program czytający rysunek przekroczył limit pamięci.")
            .with(file);
      }
      return Tr("DrawingHelper",
                "Nie udało się odczytać rysunku %1: program czytający rysunek zakończył się błędem (kod %2).")
          .with(file, out.status);
    case HelperFault::None:
    case HelperFault::Cancelled: break;
  }
  return Tr("DrawingHelper",
            "Nie udało się odczytać rysunku %1: program czytający rysunek przysłał błędną odpowiedź.")
      .with(file);
}

}  // namespace

std::string DefaultDrawingReaderPath() {
  return HelperBesideProgram("vendrel-dxf");
}

DxfResult ReadDrawing(const std::string& path, const DrawingReadOptions& options) {
  DxfResult r;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
    r.message = Tr("DrawingHelper", "Nie można otworzyć pliku %1.").with(ShownName(path));
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
    r.message = FaultText(out, path);
    r.readerFailed = true;
    return r;
  }
  return *decoded;
}
