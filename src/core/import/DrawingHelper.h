#pragma once
// A drawing read where a fault cannot reach the user's work: the reader
// program (vendrel-dxf, beside the mesher helper) checks the file's text,
// reads it with dxflib under limits of memory and time, and sends back the
// neutral drawing, which is checked again here before anyone believes it.
// A crash, a hang or an exhausted memory there is a refusal here.

#include <chrono>
#include <functional>
#include <string>

#include "core/import/Drawing.h"

struct DrawingReadOptions {
  std::string helperPath;  // the vendrel-dxf program
  // How long the helper may take; 0 for twenty seconds and one more per
  // 4 MiB of the file.
  std::chrono::milliseconds timeLimit{0};
  // Called now and then while the helper works, so a window can repaint.
  std::function<void()> whileWaiting;
  // Asked as often; true kills the helper, and the result is cancelled.
  std::function<bool()> cancelled;
};

// The reader beside the running program, or in the private folder
// libexec/vendrel-korbel/ of the installation it belongs to.
std::string DefaultDrawingReaderPath();

// Reads the DXF file at `path` in the helper. Not ok, with a sentence, when
// the file is refused or the helper fails; cancelled when the user ended it.
DxfResult ReadDrawing(const std::string& path, const DrawingReadOptions& options);
