#include "core/files/ShownName.h"

#include <cstdint>
#include <cstdio>
#include <utility>

namespace {

// Characters that do not show as themselves: controls, the line and
// paragraph separators, and Unicode's format characters (category Cf).
bool Hidden(char32_t c) {
  static constexpr char32_t kRanges[][2] = {
      {0x0000, 0x001F},   {0x007F, 0x009F},   {0x00AD, 0x00AD},   {0x0600, 0x0605},   {0x061C, 0x061C},
      {0x06DD, 0x06DD},   {0x070F, 0x070F},   {0x0890, 0x0891},   {0x08E2, 0x08E2},   {0x180E, 0x180E},
      {0x200B, 0x200F},   {0x2028, 0x202E},   {0x2060, 0x2064},   {0x2066, 0x206F},   {0xFEFF, 0xFEFF},
      {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD}, {0x110CD, 0x110CD}, {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3},
      {0x1D173, 0x1D17A}, {0xE0001, 0xE0001}, {0xE0020, 0xE007F},
  };
  for (const auto& [first, last] : kRanges) {
    if (c >= first && c <= last) return true;
  }
  return false;
}

// The character that starts at `at`, and its length in bytes; a length of 0
// for a byte that starts no well-formed UTF-8 sequence (overlong forms,
// surrogates and values past U+10FFFF included).
std::pair<char32_t, size_t> Decode(std::string_view s, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(s[i]); };
  const uint8_t lead = byte(at);
  if (lead < 0x80) return {lead, 1};
  size_t length = 0;
  char32_t c = 0, least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, c = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, c = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, c = lead & 0x07, least = 0x10000;
  } else {
    return {0, 0};
  }
  if (at + length > s.size()) return {0, 0};
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return {0, 0};
    c = (c << 6) | (byte(at + i) & 0x3F);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return {0, 0};
  return {c, length};
}

}  // namespace

std::string ShownName(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  char escape[16];
  for (size_t at = 0; at < name.size();) {
    const auto [c, length] = Decode(name, at);
    if (length == 0) {
      std::snprintf(escape, sizeof escape, "\\x{%02X}",
                    static_cast<unsigned>(static_cast<uint8_t>(name[at])));
      out += escape;
      ++at;
      continue;
    }
    if (Hidden(c)) {
      std::snprintf(escape, sizeof escape, "\\u{%04X}", static_cast<unsigned>(c));
      out += escape;
    } else {
      out.append(name, at, length);
    }
    at += length;
  }
  return out;
}
