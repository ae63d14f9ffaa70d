#include "front/ui/LocaleNumbers.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

QLocale UserLocale() {
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
  return locale;
}

}  // namespace

QString GeneralText(double value) {
  const QLocale locale = UserLocale();
  // Rounded to 15 significant digits first: the rounding decides the form.
  char digits[32];
  std::snprintf(digits, sizeof digits, "%.14e", value);
  const char* e = std::strchr(digits, 'e');
  const int exponent = std::isfinite(value) && e != nullptr ? std::atoi(e + 1) : 99;
  if (value == 0.0 || exponent < -5 || exponent >= 15) return locale.toString(value, 'g', 15);
  QString text = locale.toString(std::strtod(digits, nullptr), 'f', std::max(0, 14 - exponent));
  if (text.contains(locale.decimalPoint())) {
    while (text.endsWith(QLatin1Char('0'))) text.chop(1);
    if (text.endsWith(locale.decimalPoint())) text.chop(locale.decimalPoint().size());
  }
  return text;
}

QString FloatText(float value) {
  char digits[32];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  QString text = QString::fromLatin1(digits, end - digits);
  return text.replace(u'.', UserLocale().decimalPoint());
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
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<float> ParseFloat(const QString& text) {
  const std::optional<double> value = ParseNumber(text);
  if (!value || !std::isfinite(static_cast<float>(*value))) return std::nullopt;
  return static_cast<float>(*value);
}

std::optional<double> ParseTypedNumber(const QString& text) {
  if (const std::optional<double> value = ParseNumber(text)) return value;
  QLocale c = QLocale::c();
  c.setNumberOptions(QLocale::RejectGroupSeparator);
  bool ok = false;
  const double value = c.toDouble(text.trimmed(), &ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<float> ParseCoordinate(const QString& text) {
  const std::optional<double> value = ParseTypedNumber(text);
  if (!value || !std::isfinite(static_cast<float>(*value))) return std::nullopt;
  return static_cast<float>(*value);
}

QString DecimalsText(double value, int decimals) {
  return UserLocale().toString(value, 'f', decimals);
}

QString MeshCoordinateText(double value) {
  if (std::isfinite(value) && std::fabs(value) >= 9999999999.5) return UserLocale().toString(value, 'E', 9);
  char digits[32];
  std::snprintf(digits, sizeof digits, "%.9e", value);  // ten significant digits
  return UserLocale().toString(std::strtod(digits, nullptr), 'f', 5);
}

std::optional<int32_t> ParseInteger(const QString& text) {
  bool ok = false;
  const int value = UserLocale().toInt(text.trimmed(), &ok);
  if (!ok) return std::nullopt;
  return value;
}

char UserDecimalPoint() {
  const QString point = UserLocale().decimalPoint();
  return point.size() == 1 && point[0].unicode() < 128 ? char(point[0].unicode()) : '.';
}
