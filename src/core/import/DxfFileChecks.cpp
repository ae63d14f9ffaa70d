#include "core/import/DxfFileChecks.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/import/ReaderTexts.h"

const char* const kDxfNonFinite = reader_text::kNonFinite;

namespace {

namespace rt = reader_text;

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

// A piece of a line for a message: printable ASCII only, at most 24
// characters, so that no control or direction mark reaches a dialog.
std::string Quoted(std::string_view s) {
  std::string out;
  for (const char ch : s.substr(0, 24)) out += ch >= 0x20 && ch < 0x7f ? ch : '?';
  if (s.size() > 24) out += "…";
  return "„" + out + "”";
}

enum class ValueKind { Text, Real, Integer };

ValueKind KindOf(int code) {
  if ((code >= 10 && code <= 59) || (code >= 110 && code <= 149) || (code >= 210 && code <= 239) ||
      (code >= 460 && code <= 469) || (code >= 1010 && code <= 1059)) {
    return ValueKind::Real;
  }
  if ((code >= 60 && code <= 99) || (code >= 160 && code <= 179) || (code >= 270 && code <= 299) ||
      (code >= 370 && code <= 389) || (code >= 400 && code <= 409) || (code >= 420 && code <= 429) ||
      (code >= 440 && code <= 459) || (code >= 1060 && code <= 1071)) {
    return ValueKind::Integer;
  }
  return ValueKind::Text;
}

// The group codes DXF has: 0–481, 999 and 1000–1071.
bool KnownCode(int code) {
  return (code >= 0 && code <= 481) || code == 999 || (code >= 1000 && code <= 1071);
}

// A whole decimal number, nothing before or after it but blanks; false,
// with `overflow` set, for one past the largest double or not finite.
bool WholeNumber(std::string_view s, double& value, bool& overflow) {
  overflow = false;
  if (s.starts_with('+')) s.remove_prefix(1);
  if (s.empty() || s.front() == '+') return false;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (end != s.data() + s.size()) return false;
  // "inf" and "nan" are numbers, if not finite ones.
  if (ec == std::errc() && !std::isfinite(value)) {
    overflow = true;
    return false;
  }
  if (ec == std::errc::result_out_of_range) {
    // Past the largest double, or below the smallest one; the second is
    // junk, the first a number too large.
    overflow = std::fabs(std::strtod(std::string(s).c_str(), nullptr)) > 1.0;
    return false;
  }
  return ec == std::errc() && std::isfinite(value);
}

bool WholeInteger(std::string_view s, int64_t& value, int code) {
  if (s.starts_with('+')) s.remove_prefix(1);
  if (s.empty() || s.front() == '+') return false;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size()) return false;
  // 64-bit only in 160–169; dxflib reads the others as int.
  return (code >= 160 && code <= 169) || (value >= INT32_MIN && value <= INT32_MAX);
}

// The counts by which dxflib allocates an entity's arrays.
bool CountCode(std::string_view entity, int code) {
  if (entity == "LWPOLYLINE") return code == 90;
  if (entity == "SPLINE") return code >= 72 && code <= 74;
  if (entity == "LEADER") return code == 76;
  if (entity == "HATCH")
    return code == 91 || code == 93 || code == 95 || code == 96 || code == 97 || code == 98;
  return false;
}

// The codes an entity the program takes cannot do without.
std::string_view Required(std::string_view entity) {
  static const std::pair<std::string_view, std::string_view> table[] = {
      {"LINE", "10 20 11 21"},   {"CIRCLE", "10 20 40"},
      {"ARC", "10 20 40 50 51"}, {"ELLIPSE", "10 20 11 21 40 41 42"},
      {"VERTEX", "10 20"},       {"INSERT", "2 10 20"},
  };
  for (const auto& [name, codes] : table) {
    if (name == entity) return codes;
  }
  return {};
}

class Scan {
 public:
  // The lines are walked, not kept: the file is all the memory they take.
  explicit Scan(std::string_view bytes) : bytes_(bytes) {
    // Blank lines at the end are no pairs.
    while (!bytes_.empty() && std::isspace(static_cast<unsigned char>(bytes_.back())))
      bytes_.remove_suffix(1);
    if (!bytes_.empty()) lineCount_ = size_t(std::count(bytes_.begin(), bytes_.end(), '\n')) + 1;
  }

  ReaderSentence run(std::string& text) {
    if (lineCount_ % 2 != 0) return ReaderSentence(rt::kLastCodeAlone);
    text.reserve(bytes_.size() + bytes_.size() / 8);
    pairs_ = lineCount_ / 2;
    for (size_t p = 0; p < pairs_; ++p) {
      if (ReaderSentence why = pair(p, text); why.said()) return why;
    }
    if (ReaderSentence why = endEntity(); why.said()) return why;
    if (polyline_ > 0) return unendedPolyline();
    return {};
  }

 private:
  // The p-th pair (from 0) checked and appended to `text`.
  ReaderSentence pair(size_t p, std::string& text) {
    const size_t line = 2 * p + 1;  // the code's line, from 1
    const std::string_view codeText = Trimmed(nextLine());
    std::string_view value = nextLine();
    if (!value.empty() && value.back() == '\r') value.remove_suffix(1);
    int code = -1;
    const auto [end, ec] = std::from_chars(codeText.data(), codeText.data() + codeText.size(), code);
    if (ec != std::errc() || end != codeText.data() + codeText.size() || !KnownCode(code))
      return ReaderSentence(rt::kBadCode, line, Quoted(codeText));
    const std::string_view trimmed = Trimmed(value);
    if (ReaderSentence why = checkValue(code, trimmed, p); why.said()) return why;
    if (code == 0) {
      if (ReaderSentence why = endEntity(); why.said()) return why;
      startEntity(trimmed, line);
    } else if (code < int(seen_.size())) {
      seen_[size_t(code)] = true;
      if (code == 10) ++xs_;
      if (code == 20) ++ys_;
    }
    // dxflib keeps a line of at most 1 024 characters; a longer text is
    // cut at a character's start (a number that long is refused above).
    if (value.size() > kDxfMaxValue) {
      size_t cut = kDxfMaxValue;
      while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80) --cut;
      value = value.substr(0, cut);
    }
    text.append(codeText);
    text += '\n';
    text.append(value);
    text += '\n';
    return {};
  }

  // The value of the p-th pair, a number where its code wants one, and a
  // count no larger than the pairs left.
  ReaderSentence checkValue(int code, std::string_view value, size_t p) {
    const size_t line = 2 * p + 2;  // the value's line, from 1
    const ValueKind kind = KindOf(code);
    if (kind == ValueKind::Real) {
      double v = 0.0;
      bool overflow = false;
      if (WholeNumber(value, v, overflow)) return {};
      if (overflow) return ReaderSentence(rt::kNonFinite);
      return ReaderSentence(rt::kBadNumber, line, code, Quoted(value));
    }
    if (kind != ValueKind::Integer) return {};
    int64_t n = 0;
    if (!WholeInteger(value, n, code)) return ReaderSentence(rt::kBadInteger, line, code, Quoted(value));
    const size_t left = pairs_ - p - 1;
    if (CountCode(entity_, code) && (n < 0 || uint64_t(n) > left))
      return ReaderSentence(rt::kCountPastEnd, line, entity_, n, code, left);
    if (entity_ == "LWPOLYLINE" && code == 90) declared_ = n;
    return {};
  }

  void startEntity(std::string_view name, size_t line) {
    // Sections and tables are not entities; their names follow as code 2.
    entity_ = name.size() <= 32 ? name : std::string_view();
    entityLine_ = line;
    std::fill(seen_.begin(), seen_.end(), false);
    xs_ = ys_ = 0;
    declared_ = -1;
    // A POLYLINE's vertices follow as entities of their own, to SEQEND.
    if (polyline_ > 0 && entity_ != "VERTEX" && entity_ != "SEQEND") return;
    if (entity_ == "POLYLINE") polyline_ = line;
    if (entity_ == "SEQEND") polyline_ = 0;
  }

  ReaderSentence unendedPolyline() const { return ReaderSentence(rt::kUnendedPolyline, polyline_ + 1); }

  ReaderSentence endEntity() {
    if (entity_.empty()) return {};
    const size_t line = entityLine_ + 1;
    if (polyline_ > 0 && polyline_ != entityLine_ && entity_ != "VERTEX" && entity_ != "SEQEND") {
      return unendedPolyline();
    }
    std::string_view codes = Required(entity_);
    while (!codes.empty()) {
      const size_t space = codes.find(' ');
      const std::string_view code = codes.substr(0, space);
      codes = space == std::string_view::npos ? std::string_view() : codes.substr(space + 1);
      int c = 0;
      std::from_chars(code.data(), code.data() + code.size(), c);
      if (!seen_[size_t(c)]) return ReaderSentence(rt::kMissingCode, entity_, line, code);
    }
    if (entity_ == "LWPOLYLINE" && (declared_ < 0 || xs_ != declared_ || ys_ != declared_)) {
      return ReaderSentence(rt::kVertexCount, entity_, line, std::max<int64_t>(0, declared_),
                            std::min(xs_, ys_));
    }
    return {};
  }

  std::string_view nextLine() {
    const size_t end = std::min(bytes_.find('\n', at_), bytes_.size());
    const std::string_view line = bytes_.substr(at_, end - at_);
    at_ = end + 1;
    return line;
  }

  std::string_view bytes_;
  size_t lineCount_ = 0;
  size_t pairs_ = 0;
  size_t at_ = 0;  // where the next line starts
  std::string_view entity_;
  size_t entityLine_ = 0;
  size_t polyline_ = 0;  // the line of a POLYLINE whose SEQEND has not come
  std::vector<bool> seen_ = std::vector<bool>(100, false);
  int64_t xs_ = 0, ys_ = 0, declared_ = -1;
};

// The last two lines that are not blank: "0" and "EOF", as every DXF ends.
bool EndsWithEof(std::string_view bytes) {
  const auto trimmedLine = [&](size_t& end) {
    while (end > 0 && std::isspace(static_cast<unsigned char>(bytes[end - 1]))) --end;
    size_t begin = end;
    while (begin > 0 && bytes[begin - 1] != '\n') --begin;
    const std::string_view line = Trimmed(bytes.substr(begin, end - begin));
    end = begin;
    return line;
  };
  size_t end = bytes.size();
  const std::string_view last = trimmedLine(end);
  const std::string_view code = trimmedLine(end);
  return code == "0" && (last == "EOF" || last == "eof");
}

}  // namespace

DxfText CheckDxfText(std::string_view bytes) {
  DxfText r;
  if (bytes.starts_with("AutoCAD Binary DXF")) {
    r.why = ReaderSentence(rt::kBinary);
  } else if (bytes.find('\0') != std::string_view::npos) {
    r.why = ReaderSentence(rt::kNotText);
  } else if (!EndsWithEof(bytes)) {
    r.why = ReaderSentence(rt::kNoEof);
  } else {
    r.why = Scan(bytes).run(r.text);
  }
  if (r.why.said()) {
    r.refusal = r.why.text();
    r.text.clear();
  }
  return r;
}
