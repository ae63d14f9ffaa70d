#include "core/text/NumberText.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "core/text/Tr.h"

void AppendFixed(std::string& out, double value, int decimals) {
  // Big enough for any double in fixed notation (309 digits) plus decimals.
  std::array<char, 400> buffer{};
  auto [end, ec] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
  if (ec == std::errc{}) {
    out.append(buffer.data(), end);
  }
}

std::string FormatFixed(double value, int decimals) {
  std::string out;
  AppendFixed(out, value, decimals);
  return out;
}

void AppendInt(std::string& out, int32_t value) {
  std::array<char, 16> buffer{};
  auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  (void)ec;
  out.append(buffer.data(), end);
}

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// from_chars takes no leading plus; scanf does.
std::string_view WithoutPlus(std::string_view token) {
  if (token.size() > 1 && token[0] == '+' && token[1] != '+' && token[1] != '-') {
    token.remove_prefix(1);
  }
  return token;
}

// Whether a number's text that lies out of its type's range lies past it
// rather than too near zero: the place of its first nonzero digit (0 for
// the units, -1 for the tenths), moved by its exponent, is not below the
// units.
bool Vast(std::string_view token) {
  const size_t e = token.find_first_of("eE");
  const std::string_view digits = token.substr(0, e);
  const size_t point = std::min(digits.find('.'), digits.size());
  const size_t first = digits.find_first_of("123456789");
  if (first == std::string_view::npos) return false;
  const int64_t place = first < point ? int64_t(point - first) - 1 : -int64_t(first - point);
  int64_t exponent = 0;
  if (e != std::string_view::npos) {
    std::string_view tail = token.substr(e + 1);
    const bool negative = !tail.empty() && tail[0] == '-';
    if (!tail.empty() && (tail[0] == '-' || tail[0] == '+')) tail.remove_prefix(1);
    for (char c : tail) exponent = std::min<int64_t>(exponent * 10 + (c - '0'), int64_t(1) << 40);
    if (negative) exponent = -exponent;
  }
  return place + exponent >= 0;
}

}  // namespace

std::string_view NumberReader::nextToken() {
  while (pos_ < text_.size() && IsSpace(text_[pos_])) line_ += text_[pos_++] == '\n' ? 1 : 0;
  const size_t start = pos_;
  while (pos_ < text_.size() && !IsSpace(text_[pos_])) ++pos_;
  return text_.substr(start, pos_ - start);
}

template <typename T>
NumberReader::Status NumberReader::read(T& value) {
  token_ = nextToken();
  const std::string_view token = WithoutPlus(token_);
  if (token.empty()) return Status::End;
  T parsed{};
  auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), parsed);
  if (end != token.data() + token.size()) return Status::NotANumber;
  if (ec == std::errc::result_out_of_range) {
    if (!Vast(token)) return Status::NearZero;
    return token[0] == '-' ? Status::BelowRange : Status::AboveRange;
  }
  if (ec != std::errc{}) return Status::NotANumber;
  value = parsed;
  return Status::Ok;
}

NumberReader::Status NumberReader::readInt(int32_t& value) {
  return read(value);
}

NumberReader::Status NumberReader::readFloat(float& value) {
  return read(value);
}

namespace {

// Past this many characters a number is written in exponent form.
constexpr size_t kLongestFixed = 20;

template <typename T>
std::string Shortest(T value, char decimalPoint) {
  // Room for the longest fixed-point text of a double (309 digits).
  std::array<char, 400> buffer{};
  char* const first = buffer.data();
  char* const last = first + buffer.size();
  std::string text(first, std::to_chars(first, last, value, std::chars_format::fixed).ptr);
  if (text.size() > kLongestFixed)
    text.assign(first, std::to_chars(first, last, value, std::chars_format::scientific).ptr);
  for (char& c : text) {
    if (c == '.') c = decimalPoint;
  }
  return text;
}

}  // namespace

std::string ShortestText(double value, char decimalPoint) {
  return Shortest(value, decimalPoint);
}

std::string ShortestText(float value, char decimalPoint) {
  return Shortest(value, decimalPoint);
}

std::string Thousands(int64_t value) {
  std::string digits = std::to_string(value);
  const size_t first = digits[0] == '-' ? 1 : 0;
  for (size_t i = digits.size(); i > first + 3; i -= 3) digits.insert(i - 3, 1, ' ');
  return digits;
}

std::string CountOf(int64_t count, const char* one, const char* few, const char* many) {
  const int64_t units = count % 10, tens = count % 100 / 10;
  const char* noun = count == 1 ? one : units >= 2 && units <= 4 && tens != 1 ? few : many;
  return Thousands(count) + " " + noun;
}

// The noun's three Polish forms, each translated on its own: a language
// with fewer forms repeats one.
std::string Triangles(int64_t count) {
  return CountOf(count, Tr("Numbers", "trójkąt").c_str(), Tr("Numbers", "trójkąty").c_str(),
                 Tr("Numbers", "trójkątów").c_str());
}

std::string Nodes(int64_t count) {
  return CountOf(count, Tr("Numbers", "węzeł").c_str(), Tr("Numbers", "węzły").c_str(),
                 Tr("Numbers", "węzłów").c_str());
}
