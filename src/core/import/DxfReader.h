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

DxfResult ReadDxfFile(const std::string& path);
// The same from the file's bytes.
DxfResult ReadDxfBytes(std::string_view bytes);
