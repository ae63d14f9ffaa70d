#include "core/files/CNumbers.h"

#include <array>
#include <charconv>

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

}  // namespace

std::string_view NumberReader::nextToken() {
  while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
  const size_t start = pos_;
  while (pos_ < text_.size() && !IsSpace(text_[pos_])) ++pos_;
  return text_.substr(start, pos_ - start);
}

template <typename T>
NumberReader::Status NumberReader::read(T& value) {
  const std::string_view token = WithoutPlus(nextToken());
  if (token.empty()) return Status::End;
  T parsed{};
  auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), parsed);
  if (ec != std::errc{} || end != token.data() + token.size()) return Status::NotANumber;
  value = parsed;
  return Status::Ok;
}

NumberReader::Status NumberReader::readInt(int32_t& value) {
  return read(value);
}

NumberReader::Status NumberReader::readFloat(float& value) {
  return read(value);
}

std::string Thousands(int64_t value) {
  std::string digits = std::to_string(value);
  const size_t first = digits[0] == '-' ? 1 : 0;
  for (size_t i = digits.size(); i > first + 3; i -= 3) digits.insert(i - 3, 1, ' ');
  return digits;
}
