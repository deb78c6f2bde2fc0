#include "runtime/numbers.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace runtime {

double RoundHalfEven(double v) {
  // nearbyint follows the current rounding mode, which the program never changes from
  // round-to-nearest-even.
  return std::nearbyint(v);
}

double Int(double v) { return std::floor(v); }
double Fix(double v) { return std::trunc(v); }

namespace {

// The one checked conversion of an already whole floating value to an integer type.
template <class I>
std::optional<I> CheckedWhole(double whole) {
  if (!std::isfinite(whole)) return std::nullopt;
  // Compare in double: both limits of the integer types used here are exact doubles.
  if (whole < static_cast<double>(std::numeric_limits<I>::min()) ||
      whole > static_cast<double>(std::numeric_limits<I>::max()))
    return std::nullopt;
  return static_cast<I>(whole);
}

}  // namespace

std::optional<int32_t> ToLong(double v) { return CheckedWhole<int32_t>(RoundHalfEven(v)); }
std::optional<int16_t> ToInteger(double v) { return CheckedWhole<int16_t>(RoundHalfEven(v)); }
std::optional<int32_t> FixToLong(double v) { return CheckedWhole<int32_t>(Fix(v)); }
std::optional<int32_t> IntToLong(double v) { return CheckedWhole<int32_t>(Int(v)); }

int32_t ToLongOr(double v, int32_t fallback) { return ToLong(v).value_or(fallback); }

int32_t ClampLong(int32_t x, int32_t lower, int32_t upper) {
  if (x < lower) return lower;
  if (x > upper) return upper;
  return x;
}

float ClampSingle(float x, float lower, float upper) {
  if (std::isnan(x)) return lower;
  if (x < lower) return lower;
  if (x > upper) return upper;
  return x;
}

int32_t LeadingWholeClamped(std::string_view text, float lower, float upper) {
  const int32_t lo = ToLongOr(lower, lower < 0 ? INT32_MIN : INT32_MAX);
  const int32_t hi = ToLongOr(upper, upper < 0 ? INT32_MIN : INT32_MAX);
  double v = Val(text);
  // Values beyond the 32-bit range take the nearer end before the whole-number conversion.
  if (!(v >= -2147483648.0)) v = -2147483648.0;
  if (v > 2147483647.0) v = 2147483647.0;
  return ClampLong(ToLongOr(v, 0), lo, hi);
}

namespace {

// Blanks, tabs and line feeds; a carriage return ends a number like any other character.
bool IsSkippedBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Parses a run of "sign digits [sep digits] [exp]" from `s` starting at `i`, ignoring blanks
// when `skipBlanks` is set. Returns the number of characters consumed (0: no number) and
// fills `out` with a normalised "." form for strtod.
size_t ScanNumber(std::string_view s, bool skipBlanks, bool commaIsDecimal, std::string& out) {
  size_t i = 0;
  auto skip = [&] {
    if (skipBlanks)
      while (i < s.size() && IsSkippedBlank(s[i])) ++i;
  };
  out.clear();
  skip();
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    if (s[i] == '-') out.push_back('-');
    ++i;
    skip();
  }
  bool digits = false, sep = false;
  size_t lastGood = 0;
  while (i < s.size()) {
    char c = s[i];
    if (std::isdigit(static_cast<unsigned char>(c))) {
      out.push_back(c);
      digits = true;
      ++i;
      lastGood = i;
    } else if ((c == '.' || (commaIsDecimal && c == ',')) && !sep) {
      sep = true;
      out.push_back('.');
      ++i;
      if (digits) lastGood = i;
    } else if (skipBlanks && IsSkippedBlank(c)) {
      ++i;
    } else {
      break;
    }
  }
  if (!digits) return 0;
  // Optional exponent; only taken when at least one digit follows it.
  size_t save = i;
  std::string mant = out;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    ++i;
    skip();
    std::string exp = "e";
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
      exp.push_back(s[i]);
      ++i;
      skip();
    }
    bool expDigits = false;
    while (i < s.size()) {
      if (std::isdigit(static_cast<unsigned char>(s[i]))) {
        exp.push_back(s[i]);
        expDigits = true;
        ++i;
        lastGood = i;
      } else if (skipBlanks && IsSkippedBlank(s[i])) {
        ++i;
      } else {
        break;
      }
    }
    if (expDigits) {
      out += exp;
      return lastGood;
    }
    out = mant;
    i = save;
  }
  return lastGood;
}

}  // namespace

double Val(std::string_view text) {
  std::string norm;
  if (ScanNumber(text, true, false, norm) == 0) return 0.0;
  double v = std::strtod(norm.c_str(), nullptr);
  return v;
}

bool IsNumeric(std::string_view text, double* value) {
  std::string t = TrimBlanks(text);
  if (t.empty()) return false;
  std::string norm;
  size_t used = ScanNumber(t, false, true, norm);
  if (used == 0 || used != t.size()) return false;
  double v = std::strtod(norm.c_str(), nullptr);
  if (value) *value = v;
  return true;
}

namespace {

// Shared formatter: `digits` significant digits, exponent form when the decimal exponent
// is below -4 or at least `digits`.
std::string FormatSignificant(double v, int digits) {
  if (std::isnan(v)) return "NaN";
  if (std::isinf(v)) return v < 0 ? "-Inf" : "Inf";
  if (v == 0.0) return "0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", digits - 1, v);
  // buf: [-]d.ddddde[+-]xx
  std::string s(buf);
  size_t epos = s.find('e');
  std::string mant = s.substr(0, epos);
  int exp = std::atoi(s.c_str() + epos + 1);
  bool neg = mant[0] == '-';
  if (neg) mant.erase(0, 1);
  std::string ds;  // the significant digits without the point
  for (char c : mant)
    if (c != '.') ds.push_back(c);
  while (ds.size() > 1 && ds.back() == '0') ds.pop_back();
  std::string out;
  if (exp < -4 || exp >= digits) {
    out = ds.substr(0, 1);
    if (ds.size() > 1) out += "." + ds.substr(1);
    char eb[16];
    std::snprintf(eb, sizeof eb, "E%c%02d", exp < 0 ? '-' : '+', exp < 0 ? -exp : exp);
    out += eb;
  } else if (exp < 0) {
    out = "0." + std::string(static_cast<size_t>(-exp - 1), '0') + ds;
  } else {
    size_t intLen = static_cast<size_t>(exp) + 1;
    if (ds.size() <= intLen) {
      out = ds + std::string(intLen - ds.size(), '0');
    } else {
      out = ds.substr(0, intLen) + "." + ds.substr(intLen);
    }
  }
  return neg ? "-" + out : out;
}

}  // namespace

std::string SingleToText(float v) { return FormatSignificant(static_cast<double>(v), 7); }
std::string DoubleToText(double v) { return FormatSignificant(v, 15); }
std::string LongToText(int64_t v) { return std::to_string(v); }

std::string TrimBlanks(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && text[b] == ' ') ++b;
  while (e > b && text[e - 1] == ' ') --e;
  return std::string(text.substr(b, e - b));
}

std::string ToUpperAscii(std::string_view text) {
  std::string s(text);
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

}  // namespace runtime
