#include "front/app/Language.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>
#include <cstdlib>

#include "core/text/Tr.h"
#include "front/app/PolishTranslation.h"

namespace {

constexpr std::string_view kOption = "--lang";

std::optional<Language> ByName(std::string_view name) {
  if (name == "pl") return Language::Polish;
  if (name == "en") return Language::English;
  return std::nullopt;
}

// The value an argument gives, with how many arguments it took (1 or 2);
// 0 when the argument is not the option.
size_t ValueAt(const std::vector<std::string>& args, size_t i, std::string_view& value) {
  const std::string_view a = args[i];
  if (a == kOption) {
    value = i + 1 < args.size() ? std::string_view(args[i + 1]) : std::string_view();
    return i + 1 < args.size() ? 2 : 1;
  }
  if (a.starts_with(kOption) && a.size() > kOption.size() && a[kOption.size()] == '=') {
    value = a.substr(kOption.size() + 1);
    return 1;
  }
  return 0;
}

std::string TranslateForCore(const char* context, const char* source) {
  return QCoreApplication::translate(context, source).toStdString();
}

}  // namespace

std::optional<Language> LanguageArgument(const std::vector<std::string>& args, std::string& why) {
  std::optional<Language> chosen;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--") break;
    std::string_view value;
    const size_t taken = ValueAt(args, i, value);
    if (taken == 0) continue;
    chosen = ByName(value);
    if (!chosen) {
      why = "--lang: " + std::string(value) + " (pl, en)";
      return std::nullopt;
    }
    i += taken - 1;
  }
  return chosen;
}

std::vector<std::string> WithoutLanguageArgument(const std::vector<std::string>& args) {
  std::vector<std::string> rest;
  for (size_t i = 0; i < args.size();) {
    if (args[i] == "--") {
      rest.insert(rest.end(), args.begin() + long(i), args.end());
      break;
    }
    std::string_view value;
    const size_t taken = ValueAt(args, i, value);
    if (taken == 0) rest.push_back(args[i]);
    i += taken == 0 ? 1 : taken;
  }
  return rest;
}

Language LanguageOfLocale(std::string_view locale) {
  return locale.starts_with("en") &&
                 (locale.size() == 2 || locale[2] == '_' || locale[2] == '.' || locale[2] == '@')
             ? Language::English
             : Language::Polish;
}

LanguageChoice ChooseLanguage(const std::vector<std::string>& args) {
  std::string why;
  if (const std::optional<Language> given = LanguageArgument(args, why)) return {*given, true};
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return {LanguageOfLocale(value), false};
  }
  return {};
}

bool InstallLanguage(LanguageChoice choice) {
  if (choice.explicitChoice) {
    QLocale::setDefault(choice.language == Language::English
                            ? QLocale(QLocale::English, QLocale::UnitedStates)
                            : QLocale(QLocale::Polish, QLocale::Poland));
  }
  if (choice.language == Language::Polish) return InstallPolishTranslation();
  static QTranslator english;
  if (english.isEmpty() && !english.load(QStringLiteral(":/i18n/vendrel_en.qm"))) return false;
  InstallTranslator(&TranslateForCore);
  return QCoreApplication::installTranslator(&english);
}
