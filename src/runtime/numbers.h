// Number rules the whole system leans on: rounding, whole-number conversions that report
// overflow, the leading-number reader, the numeric test of the settings readers, and the
// text forms of numbers. Nothing here throws; a conversion that cannot be done returns
// an empty optional and the caller skips its step.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace runtime {

// Where a Single meets a Long (a product, sum, difference or quotient, or a comparison), the
// value is worked in Double: the Single is widened, the operation is carried out in Double,
// and only the statement's own conversion rounds the result (Fix, Int, rounding to a whole
// number, or storing it into a Single). A Single with an Integer or another Single
// stays a Single. So Fix(r * 18000) of the random Single r = 14995 / 32768 is 8236 (the
// product is 8236.99...), where a product taken in Single would round up to 8237 first.
// In code: static_cast<double>(single) * long, never static_cast<float>(long) * single.

// Rounds to the nearest whole value, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double v);

// Int: towards minus infinity. Fix: towards zero.
double Int(double v);
double Fix(double v);

// Whole-number conversions of the system: rounding halves to even, overflow reported. NaN,
// infinities and values outside the type's range give nothing.
std::optional<int32_t> ToLong(double v);     // 32-bit, rounded
std::optional<int16_t> ToInteger(double v);  // 16-bit, rounded
std::optional<int32_t> FixToLong(double v);  // 32-bit, towards zero
std::optional<int32_t> IntToLong(double v);  // 32-bit, towards minus infinity

// Rounded 32-bit conversion that gives `fallback` where the value cannot be converted.
int32_t ToLongOr(double v, int32_t fallback);

// Clamps: the lower bound is tested last and wins when the bounds cross; a Single that is not
// a number gives the lower bound.
int32_t ClampLong(int32_t x, int32_t lower, int32_t upper);
float ClampSingle(float x, float lower, float upper);

// The leading number of a text read as a whole number (halves to even) and clamped; the text
// form that whole-number fields get. A number outside the 32-bit range is first clamped as a
// decimal.
int32_t LeadingWholeClamped(std::string_view text, float lower, float upper);

// Leading number of a text: blanks, tabs and line feeds are ignored wherever they stand;
// an optional sign, digits with at most one "." and an optional exponent (E or D);
// reading stops at the first character that cannot continue the number. No number: 0.
double Val(std::string_view text);

// The numeric test of the typed settings readers. After leading and trailing blanks the
// text must be: optional sign, digits with at most one decimal separator ("." or ","),
// optional exponent. On success the value is stored in *value (when given).
bool IsNumeric(std::string_view text, double* value = nullptr);

// Text forms. "." is always the decimal separator.
// Single: at most 7 significant digits, no trailing zeros, exponent form for extremes
// ("1E+10", "1.5E-07"); "-0" is written "0".
std::string SingleToText(float v);
// Double: the same rules with at most 15 significant digits.
std::string DoubleToText(double v);
std::string LongToText(int64_t v);

// Trims leading and trailing blanks (spaces only).
std::string TrimBlanks(std::string_view text);

// Upper-case copy of an ASCII text; comparisons that ignore case use it.
std::string ToUpperAscii(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);

// A value of any type turned into its text, as settings and templates store it: whole
// numbers in decimal, Singles and Doubles by SingleToText/DoubleToText, texts unchanged.
// Booleans have no implicit text; callers store them as 1 or 0.
class TextValue {
 public:
  TextValue(std::string_view s) : text_(s) {}
  TextValue(const std::string& s) : text_(s) {}
  TextValue(const char* s) : text_(s ? s : "") {}
  TextValue(int v) : text_(LongToText(v)) {}
  TextValue(long v) : text_(LongToText(v)) {}
  TextValue(long long v) : text_(LongToText(v)) {}
  TextValue(short v) : text_(LongToText(v)) {}
  TextValue(float v) : text_(SingleToText(v)) {}
  TextValue(double v) : text_(DoubleToText(v)) {}
  TextValue(bool) = delete;
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace runtime
