#include "core/files/RegionSection.h"

#include <cmath>

#include "core/text/NumberText.h"
#include "core/text/Tr.h"

namespace {

constexpr std::string_view kEol = "\r\n";
constexpr char kHex[] = "0123456789ABCDEF";

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The section's text line by line, CR LF or LF ends, counting lines as the
// file does.
class Lines {
 public:
  Lines(std::string_view text, int64_t line) : text_(text), line_(line) {}

  // The next line without its end; false past the text.
  bool next(std::string_view& out) {
    if (pos_ >= text_.size()) return false;
    if (started_) ++line_;
    started_ = true;
    const size_t end = text_.find('\n', pos_);
    const size_t stop = end == std::string_view::npos ? text_.size() : end;
    out = text_.substr(pos_, stop - pos_);
    if (!out.empty() && out.back() == '\r') out.remove_suffix(1);
    pos_ = end == std::string_view::npos ? text_.size() : end + 1;
    return true;
  }
  int64_t line() const { return line_; }

 private:
  std::string_view text_;
  size_t pos_ = 0;
  int64_t line_;
  bool started_ = false;
};

// Why a number on a line could not be read, or nothing.
std::string NumberProblem(NumberReader::Status status) {
  using Status = NumberReader::Status;
  switch (status) {
    case Status::Ok: return {};
    case Status::End: return Tr("RegionSection", "brakuje liczby");
    case Status::NotANumber: return Tr("RegionSection", "w miejscu liczby stoi inny tekst");
    case Status::AboveRange:
    case Status::BelowRange:
    case Status::NearZero: return Tr("RegionSection", "liczba poza zakresem jej pola");
  }
  return Tr("RegionSection", "niepoprawna liczba");
}

// Reads a line's numbers in order; anything left on the line is a problem.
class LineNumbers {
 public:
  explicit LineNumbers(std::string_view text) : text_(text), in_(text) {}
  void read(int32_t& v) {
    if (problem.empty()) problem = NumberProblem(in_.readInt(v));
  }
  void read(float& v) {
    if (problem.empty()) problem = NumberProblem(in_.readFloat(v));
  }
  // The problem met, or the text left over.
  std::string finish() {
    if (!problem.empty()) return problem;
    for (size_t i = in_.position(); i < text_.size(); ++i) {
      if (!IsBlank(text_[i])) return Tr("RegionSection", "nadmiarowy tekst na końcu wiersza");
    }
    return {};
  }
  std::string problem;

 private:
  std::string_view text_;
  NumberReader in_;
};

// The quoted name at the start of `line` (blanks before it allowed); moves
// `line` past the closing quote. Returns why it is malformed, or nothing.
std::string ReadName(std::string_view& line, std::string& name) {
  size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  if (i >= line.size() || line[i] != '"')
    return Tr("RegionSection", "nazwa materiału musi stać w cudzysłowie");
  for (++i; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"') {
      line.remove_prefix(i + 1);
      if (name.empty() || name.size() > kMaxMaterialName) {
        return Tr("RegionSection", "nazwa materiału musi mieć od 1 do %1 bajtów").with(kMaxMaterialName);
      }
      return {};
    }
    if (c == '\\') {
      if (i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\')) {
        name += line[++i];
      } else if (i + 3 < line.size() && line[i + 1] == 'x' && HexValue(line[i + 2]) >= 0 &&
                 HexValue(line[i + 3]) >= 0) {
        name += static_cast<char>(HexValue(line[i + 2]) * 16 + HexValue(line[i + 3]));
        i += 3;
      } else {
        return Tr("RegionSection",
                  "niepoprawny zapis znaku w nazwie materiału (dozwolone \\\", \\\\ i \\xHH)");
      }
    } else if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7e) {
      return Tr("RegionSection",
                "znak spoza drukowalnych znaków ASCII w nazwie materiału (zapisuje się go jako \\xHH)");
    } else {
      name += c;
    }
  }
  return Tr("RegionSection", "nazwa materiału nie ma zamykającego cudzysłowu");
}

std::string ReadSection(Lines& lines, Model& m) {
  std::string_view line;
  int32_t materials = 0, points = 0;
  if (!lines.next(line)) return Tr("RegionSection", "brakuje liczby materiałów i punktów obszarów");
  LineNumbers counts(line);
  counts.read(materials);
  counts.read(points);
  if (std::string why = counts.finish(); !why.empty()) return why;
  if (materials < 0 || materials > kMaxMaterials) {
    return Tr("RegionSection", "liczba materiałów %1 poza zakresem od 0 do %2")
        .with(materials, kMaxMaterials);
  }
  if (points < 0 || points > kMaxRegionPoints) {
    return Tr("RegionSection", "liczba punktów obszarów %1 poza zakresem od 0 do %2")
        .with(points, kMaxRegionPoints);
  }
  for (int32_t i = 1; i <= materials; ++i) {
    if (!lines.next(line)) return Tr("RegionSection", "plik kończy się przed końcem sekcji");
    Material row;
    if (std::string why = ReadName(line, row.name); !why.empty()) return why;
    LineNumbers values(line);
    values.read(row.property1);
    values.read(row.property2);
    if (std::string why = values.finish(); !why.empty()) return why;
    m.MaterialTable[i] = std::move(row);
    m.materialCount = i;
  }
  for (int32_t i = 1; i <= points; ++i) {
    if (!lines.next(line)) return Tr("RegionSection", "plik kończy się przed końcem sekcji");
    RegionPoint row;
    LineNumbers values(line);
    values.read(row.x);
    values.read(row.y);
    values.read(row.material);
    values.read(row.area);
    if (std::string why = values.finish(); !why.empty()) return why;
    if (row.material < 0 || row.material > materials) {
      return Tr("RegionSection", "punkt obszaru nr %1 wskazuje materiał nr %2, którego nie ma")
          .with(i, row.material);
    }
    if (!std::isfinite(row.area) || row.area < 0.0f) {
      return Tr("RegionSection",
                "największe pole trójkąta punktu obszaru nr %1 musi być liczbą skończoną nie mniejszą od "
                "zera")
          .with(i);
    }
    m.RegionPointTable[i] = row;
    m.regionPointCount = i;
  }
  while (lines.next(line)) {
    if (line.find_first_not_of(" \t\v\f") != std::string_view::npos)
      return Tr("RegionSection", "nadmiarowy tekst po sekcji obszarów");
  }
  return {};
}

}  // namespace

std::string QuotedName(std::string_view name) {
  std::string out = "\"";
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte > 0x7e) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += c;
    }
  }
  return out + '"';
}

void AppendRegionSection(std::string& out, const Model& m) {
  if (m.materialCount <= 0 && m.regionPointCount <= 0) return;
  out += kEol;
  out += kRegionMarker;
  out += kEol;
  AppendInt(out, m.materialCount);
  out += ' ';
  AppendInt(out, m.regionPointCount);
  out += kEol;
  for (int32_t i = 1; i <= m.materialCount; ++i) {
    const Material& row = m.MaterialTable[i];
    out += QuotedName(row.name);
    out += ' ';
    AppendFixed(out, row.property1, 6);
    out += ' ';
    AppendFixed(out, row.property2, 6);
    out += kEol;
  }
  for (int32_t i = 1; i <= m.regionPointCount; ++i) {
    const RegionPoint& row = m.RegionPointTable[i];
    AppendFixed(out, row.x, 6);
    out += ' ';
    AppendFixed(out, row.y, 6);
    out += ' ';
    AppendInt(out, row.material);
    out += ' ';
    AppendFixed(out, row.area, 6);
    out += kEol;
  }
}

std::string ReadRegionSection(std::string_view rest, int64_t line, Model& m) {
  m.materialCount = 0;
  m.regionPointCount = 0;
  // Past the end marker and the blanks after it, or nothing that matters.
  size_t pos = 0;
  const auto skipBlanks = [&] {
    while (pos < rest.size() && IsBlank(rest[pos])) line += rest[pos++] == '\n' ? 1 : 0;
  };
  skipBlanks();
  if (rest.substr(pos, kEndMarker.size()) != kEndMarker) return {};
  pos += kEndMarker.size();
  skipBlanks();
  const std::string_view marker = rest.substr(pos, kRegionMarker.size());
  const size_t after = pos + kRegionMarker.size();
  if (marker != kRegionMarker || (after < rest.size() && !IsBlank(rest[after]))) return {};
  Lines lines(rest.substr(pos), line);
  std::string_view markerLine;
  lines.next(markerLine);
  std::string why = markerLine.find_first_not_of(" \t", kRegionMarker.size()) == std::string_view::npos
                        ? ReadSection(lines, m)
                        : Tr("RegionSection", "nadmiarowy tekst na końcu wiersza");
  if (why.empty()) return {};
  m.materialCount = 0;
  m.regionPointCount = 0;
  return Tr("RegionSection", "Plik zawiera niepoprawną sekcję obszarów (wiersz %1): %2.")
      .with(lines.line(), why);
}
