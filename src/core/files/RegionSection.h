#pragma once
// The materials and region points of a project file. They follow the end
// marker, where a reader that stops at the problem kind never looks, so such
// a reader still gets the whole base model:
//
//   Koniec pliku
//   Obszary
//   M R
//   "name" property1 property2        (M lines, "%f %f")
//   x y material area                 (R lines, "%f %f %d %f")
//
// every line ending with CR LF. A name stands in double quotes; inside them
// a printable ASCII character stands for itself except " and \, written \"
// and \\, and every other byte is written \xHH (two hex digits), so the file
// stays ASCII and a name cannot break its line.

#include <string>
#include <string_view>

#include "core/model/Model.h"

inline constexpr std::string_view kEndMarker = "Koniec pliku";
inline constexpr std::string_view kRegionMarker = "Obszary";
// The longest material name, in bytes.
inline constexpr size_t kMaxMaterialName = 64;

// Appends the section (its line break after the end marker included), or
// nothing for a project without materials and region points.
void AppendRegionSection(std::string& out, const Model& model);

// A name as the file writes it, quotes included.
std::string QuotedName(std::string_view name);

// Reads the section from `rest`, the file's text past the problem kind;
// `line` is the line that text starts on. Text that does not go on with the
// end marker and the section's marker has no section: the model keeps no
// materials and no region points. Returns an empty string, or why the
// section is malformed.
std::string ReadRegionSection(std::string_view rest, int64_t line, Model& model);
