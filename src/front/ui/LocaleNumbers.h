#pragma once
// Numbers shown to and typed by the user, in the user's locale (decimal
// separator), never with group separators.

#include <QString>
#include <cstdint>
#include <optional>

// Shortest form, at most 15 significant digits: 12 -> "12", 0.5 -> "0,5";
// fixed-point from 0.00001 up to below 10^15, exponent form outside.
QString GeneralText(double value);
// A single-precision value as the shortest text that reads back as exactly
// it, with the user's decimal point: 0.6f -> "0,6", not "0,600000023841858".
QString FloatText(float value);
// Five significant digits in exponent form: 2 -> "2,0000E+00".
QString ExponentText(double value);
// Rounded to five significant digits, two decimals: 50 -> "50,00"; exponent
// form when the integer part has more than five digits.
QString FixedText(double value);
// The locale's text-to-number conversion: optional sign and exponent,
// surrounding blanks ignored. Empty when the text is not a number or the
// number is not finite ("inf", "nan").
std::optional<double> ParseNumber(const QString& text);
// A number as stored in single precision; empty when the text is not a
// number or the number is not finite once narrowed ("1e39").
std::optional<float> ParseFloat(const QString& text);
// A number as typed: like ParseNumber, but a point is taken as the decimal
// separator too, since users type both.
std::optional<double> ParseTypedNumber(const QString& text);
// A coordinate as typed: ParseTypedNumber as stored in single precision.
std::optional<float> ParseCoordinate(const QString& text);
// Fixed-point with the given decimals in the user's locale: "%.3f".
QString DecimalsText(double value, int decimals);
// A mesh coordinate: rounded to 10 significant digits, then five decimals
// (0.5 -> "0,50000"); exponent form past 10 digits before the separator.
QString MeshCoordinateText(double value);
// The user's decimal point as one character, for texts the core writes.
char UserDecimalPoint();
// A whole number as typed; empty when the text is not one.
std::optional<int32_t> ParseInteger(const QString& text);
