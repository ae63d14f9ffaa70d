#pragma once
// A sentence of the DXF reader helper's, kept as its source text and
// arguments, so that it can cross from the helper and be put into the
// user's language on the program's side (the texts: ReaderTexts.h).

#include <concepts>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The most arguments a reader's sentence takes, and the longest of them.
inline constexpr size_t kReaderMaxArgs = 5;
inline constexpr size_t kReaderMaxArg = 64 * 1024;

// A sentence of the reader's: a source text of ReaderTexts.h and its arguments.
struct ReaderSentence {
  const char* source = nullptr;  // nullptr: nothing said
  std::vector<std::string> args;

  ReaderSentence() = default;
  template <class... A>
  explicit ReaderSentence(const char* text, const A&... a) : source(text), args{Arg(a)...} {}

  bool said() const { return source != nullptr; }
  // In the user's language, with the arguments placed.
  std::string text() const;

 private:
  static std::string Arg(std::string_view s) { return std::string(s); }
  template <std::integral N>
  static std::string Arg(N n) {
    return std::to_string(n);
  }
};
