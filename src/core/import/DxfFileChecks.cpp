#include "core/import/DxfFileChecks.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

const char* const kDxfNonFinite =
    "W rysunku jest liczba nieskończona albo większa niż 1 000 000 000 co do wartości.";

namespace {

// The last two lines that are not blank: "0" and "EOF", as every DXF ends.
bool EndsWithEof(std::string_view bytes) {
  const auto trimmedLine = [&](size_t& end) {
    while (end > 0 && std::isspace(static_cast<unsigned char>(bytes[end - 1]))) --end;
    size_t begin = end;
    while (begin > 0 && bytes[begin - 1] != '\n') --begin;
    std::string_view line = bytes.substr(begin, end - begin);
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.front()))) line.remove_prefix(1);
    end = begin;
    return line;
  };
  size_t end = bytes.size();
  const std::string_view last = trimmedLine(end);
  const std::string_view code = trimmedLine(end);
  return code == "0" && (last == "EOF" || last == "eof");
}

// dxflib reads a number it cannot make out as 0, "nan" and "inf" among
// them; the file's real-valued pairs are looked at first, so that such a
// coordinate refuses the drawing instead of landing at the origin.
bool NonFiniteReal(std::string_view bytes) {
  const auto line = [&](size_t& at) {
    if (at >= bytes.size()) {
      at = bytes.size();
      return std::string_view();
    }
    const size_t end = std::min(bytes.find('\n', at), bytes.size());
    std::string_view l = bytes.substr(at, end - at);
    at = end + 1;
    while (!l.empty() && std::isspace(static_cast<unsigned char>(l.front()))) l.remove_prefix(1);
    while (!l.empty() && std::isspace(static_cast<unsigned char>(l.back()))) l.remove_suffix(1);
    return l;
  };
  for (size_t at = 0; at < bytes.size();) {
    const std::string_view code = line(at);
    const std::string_view value = line(at);
    int c = 0;
    if (std::from_chars(code.data(), code.data() + code.size(), c).ec != std::errc()) continue;
    const bool real =
        (c >= 10 && c <= 59) || (c >= 110 && c <= 149) || (c >= 210 && c <= 239) || (c >= 1010 && c <= 1059);
    if (!real) continue;
    double v = 0.0;
    const char* begin = value.data() + (value.starts_with('+') ? 1 : 0);
    const auto [end, ec] = std::from_chars(begin, value.data() + value.size(), v);
    if (ec == std::errc::result_out_of_range || (ec == std::errc() && !std::isfinite(v))) return true;
  }
  return false;
}

}  // namespace

std::string DxfTextRefusal(std::string_view bytes) {
  if (bytes.starts_with("AutoCAD Binary DXF")) {
    return "To jest binarny plik DXF; zapisz rysunek jako DXF tekstowy (ASCII).";
  }
  if (bytes.find('\0') != std::string_view::npos) return "To nie jest tekstowy plik DXF.";
  if (!EndsWithEof(bytes)) return "Plik DXF jest niepełny albo uszkodzony: nie kończy się znacznikiem EOF.";
  if (NonFiniteReal(bytes)) return kDxfNonFinite;
  return {};
}
