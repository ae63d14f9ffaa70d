#pragma once
// Reads a DXF drawing into the neutral form of Drawing.h, through dxflib.
// The file is looked at before dxflib sees it: a missing file, one past the
// size the program reads, a binary DXF, one with NUL bytes or without its
// closing EOF are refused with a sentence. What dxflib hands over is checked
// as well: a coordinate that is not finite or lies past kDrawingLimit
// refuses the drawing, and blocks are placed only so deep and so often.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/import/Drawing.h"

// The largest DXF file read: 256 MiB.
inline constexpr int64_t kDxfMaxBytes = int64_t(256) << 20;
// No coordinate, radius or offset of a drawing may exceed this in size.
inline constexpr double kDrawingLimit = 1e9;
// The most curves a drawing may hold once its blocks are placed.
inline constexpr int32_t kDrawingMaxCurves = 250'000;

struct DxfResult {
  bool ok = false;
  std::string message;  // a short Polish sentence when !ok
  Drawing drawing;
};

DxfResult ReadDxfFile(const std::string& path);
// The same from the file's bytes.
DxfResult ReadDxfBytes(std::string_view bytes);
