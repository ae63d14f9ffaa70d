#pragma once
// The program's sentences in the user's language, without Qt in the core.
//
// Every text the user reads is written once, in Polish, as Tr("Context",
// "source"); lupdate collects these calls into the translation files, and the
// program installs a translator that looks each one up. With no translator
// installed the source text itself is returned, so the core's own tests and
// a Polish run read exactly what they always did.
//
// "%1" to "%9" mark where arguments go: Tr("Solver", "Trójkąt nr %1").with(t).
// All arguments are placed in one pass, so an argument that itself holds
// "%2" (a file name, a material's name) stays as it is.

#include <concepts>
#include <initializer_list>
#include <string>
#include <string_view>

// One argument of a text: a text, or a whole number written in full.
class TextArg {
 public:
  TextArg(std::string_view text) : text_(text) {}    // NOLINT: implicit by design
  TextArg(const std::string& text) : text_(text) {}  // NOLINT
  TextArg(const char* text) : text_(text) {}         // NOLINT
  template <std::integral N>
  requires(!std::same_as<N, char> && !std::same_as<N, bool>) TextArg(N number)
      : text_(std::to_string(number)) {}  // NOLINT
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// A translated text: a string, plus the placing of arguments.
class Text : public std::string {
 public:
  explicit Text(std::string text) : std::string(std::move(text)) {}
  // The text with "%1"... replaced by the arguments in order; a marker
  // without an argument stays as it is.
  template <class... A>
  std::string with(const A&... args) const {
    return Substitute(*this, {TextArg(args)...});
  }

 private:
  static std::string Substitute(std::string_view text, std::initializer_list<TextArg> args);
};

// Looks up `source` in `context`; returns the translation, or the source
// when there is none.
using Translator = std::string (*)(const char* context, const char* source);

// Installed once at start, before any thread but the main one runs; nullptr
// (the default) gives the source texts.
void InstallTranslator(Translator translator);

Text Tr(const char* context, const char* source);

// Marks a text in a table for translation without translating it there;
// the code that shows the entry passes it through Tr with the same context.
constexpr const char* TrNoop(const char* /*context*/, const char* source) {
  return source;
}
