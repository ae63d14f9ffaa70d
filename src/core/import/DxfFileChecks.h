#pragma once
// A DXF file's text looked at before dxflib sees a byte. dxflib reads a
// number it cannot make out as 0, hangs on a line of 1 024 characters or
// more, and allocates whatever a count in the file asks for; so every
// group code and every number is checked strictly here, a count may not
// promise more than the pairs left in the file, an entity the program
// takes must carry each coordinate it needs, and a text value too long for
// dxflib is cut (texts are not imported). Whatever fails is refused with
// its line number.

#include <string>
#include <string_view>

#include "core/import/ReaderSentence.h"

// What the drawing says when a coordinate is not finite or too large.
extern const char* const kDxfNonFinite;

// The longest value line dxflib gets; longer text values are cut to it.
inline constexpr size_t kDxfMaxValue = 1000;

struct DxfText {
  ReaderSentence why;   // why the text cannot be read, or nothing
  std::string refusal;  // the same in the user's language, or empty
  std::string text;     // the text as dxflib reads it, when there is no refusal
};

DxfText CheckDxfText(std::string_view bytes);
