#pragma once
// Names from outside the program (file names and paths, a drawing's layer
// names, command-line arguments) as a message or a dialog shows them.

#include <string>
#include <string_view>

// The name with what would not show as itself written out: control
// characters (C0, DEL, C1), line and paragraph separators and the
// invisible format characters, among them every direction mark and
// embedding (U+200E, U+200F, U+202A-U+202E, U+2066-U+2069, U+061C), as
// "\u{200F}"; bytes that are no UTF-8 as "\x{FF}". A right-to-left mark
// in a file name thus cannot turn the rest of a message around, nor a line
// break in it start a line of its own.
std::string ShownName(std::string_view name);
