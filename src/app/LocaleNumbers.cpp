#include "app/LocaleNumbers.h"

#include <QLocale>
#include <cmath>

namespace {

QLocale UserLocale() {
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
  return locale;
}

}  // namespace

QString GeneralText(double value) {
  return UserLocale().toString(value, 'g', 15);
}

QString ExponentText(double value) {
  return UserLocale().toString(value, 'E', 4);
}

QString FixedText(double value) {
  if (std::isfinite(value) && std::fabs(value) >= 99999.5) return ExponentText(value);
  // Five significant digits first, then two decimals.
  const double rounded = UserLocale().toDouble(UserLocale().toString(value, 'g', 5));
  return UserLocale().toString(rounded, 'f', 2);
}

std::optional<double> ParseNumber(const QString& text) {
  bool ok = false;
  const double value = UserLocale().toDouble(text.trimmed(), &ok);
  if (!ok) return std::nullopt;
  return value;
}

std::optional<int32_t> ParseInteger(const QString& text) {
  bool ok = false;
  const int value = UserLocale().toInt(text.trimmed(), &ok);
  if (!ok) return std::nullopt;
  return value;
}
