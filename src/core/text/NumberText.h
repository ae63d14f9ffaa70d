#pragma once
// Numbers as text in the C locale, whatever locale the process runs in:
// fixed-point output identical to printf's "%.Nf" and "%d", and a reader of
// white-space separated numbers like scanf's "%d" and "%f".

#include <cstdint>
#include <string>
#include <string_view>

void AppendFixed(std::string& out, double value, int decimals);
std::string FormatFixed(double value, int decimals);
void AppendInt(std::string& out, int32_t value);
// A count as messages write it: "1 234 567", a space between thousands.
std::string Thousands(int64_t value);
// A count with its noun in the Polish form the number takes: `one` after 1
// ("1 trójkąt"), `few` after numbers ending in 2 to 4 but not 12 to 14
// ("22 trójkąty"), `many` after the rest ("5 trójkątów", "1 999 trójkątów").
std::string CountOf(int64_t count, const char* one, const char* few, const char* many);
std::string Triangles(int64_t count);
std::string Nodes(int64_t count);
// A number as messages write it: the fewest digits that read back as
// exactly this value ("0.1", "123456.79", "0.0000001"), in exponent form
// where fixed-point would take more than 20 characters ("1e-60", "1e+20"),
// so never a long string of digits. The float one reads back as the float.
std::string ShortestText(double value, char decimalPoint = '.');
std::string ShortestText(float value, char decimalPoint = '.');

class NumberReader {
 public:
  // A number past the type's range is above it (1e39 for a float,
  // 3000000000 for an int), below it (-1e39) or, for a float, too near zero
  // to be held (1e-50).
  enum class Status { Ok, End, NotANumber, AboveRange, BelowRange, NearZero };

  explicit NumberReader(std::string_view text) : text_(text) {}

  // Each reads the next white-space separated token, which must be a whole
  // number (a decimal one for readFloat) and nothing else. "nan" and "inf"
  // are numbers to readFloat, as they are to scanf.
  Status readInt(int32_t& value);
  Status readFloat(float& value);
  // The token last read and its line, counted from 1.
  std::string_view token() const { return token_; }
  int64_t line() const { return line_; }
  // Where the next token is looked for: the text past the last one read.
  size_t position() const { return pos_; }

 private:
  template <typename T>
  Status read(T& value);
  std::string_view nextToken();
  std::string_view text_;
  std::string_view token_;
  size_t pos_ = 0;
  int64_t line_ = 1;
};
