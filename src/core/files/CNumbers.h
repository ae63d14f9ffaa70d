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

class NumberReader {
 public:
  enum class Status { Ok, End, NotANumber };

  explicit NumberReader(std::string_view text) : text_(text) {}

  // Each reads the next white-space separated token, which must be a whole
  // number (a decimal one for readFloat) and nothing else. "nan" and "inf"
  // are numbers to readFloat, as they are to scanf.
  Status readInt(int32_t& value);
  Status readFloat(float& value);

 private:
  template <typename T>
  Status read(T& value);
  std::string_view nextToken();
  std::string_view text_;
  size_t pos_ = 0;
};
