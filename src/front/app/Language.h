#pragma once
// The interface's language: Polish, the default, or English. Chosen by
// "--lang pl|en" when given, otherwise by the locale (LC_ALL, LC_MESSAGES,
// LANG, the first one set): English under en_*, Polish under anything else.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class Language { Polish, English };

struct LanguageChoice {
  Language language = Language::Polish;
  bool explicitChoice = false;  // set by --lang, not by the locale
};

// The value of "--lang X" or "--lang=X" among the arguments; "pl" and "en"
// only. Empty when not given; `why` says what is wrong with a bad value.
std::optional<Language> LanguageArgument(const std::vector<std::string>& args, std::string& why);
// The arguments without any "--lang X" or "--lang=X".
std::vector<std::string> WithoutLanguageArgument(const std::vector<std::string>& args);
// The language a locale name such as "en_GB.UTF-8" asks for.
Language LanguageOfLocale(std::string_view locale);
// The language from the arguments, else from the environment.
LanguageChoice ChooseLanguage(const std::vector<std::string>& args);

// Installs the chosen language's translations: the program's own (English)
// or Qt's Polish for its standard buttons and dialogs, and the core's
// translator. An explicit choice also sets the numbers' decimal point to
// the language's. Needs the application object; false when a translation
// could not be loaded.
bool InstallLanguage(LanguageChoice choice);
