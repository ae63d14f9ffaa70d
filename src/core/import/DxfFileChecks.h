#pragma once
// A DXF file's text looked at before dxflib sees it: what dxflib would
// misread silently (a binary DXF, NUL bytes, a file cut short before its
// EOF, a number that is not finite) is refused here with a sentence.

#include <string>
#include <string_view>

// What the drawing says when a coordinate is not finite or too large.
extern const char* const kDxfNonFinite;

// Why the text cannot be read as a DXF drawing, or empty when it can.
std::string DxfTextRefusal(std::string_view bytes);
