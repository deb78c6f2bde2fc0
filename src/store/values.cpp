#include "store/values.h"

#include <cmath>

#include "runtime/numbers.h"

namespace store {

int16_t MaxInteger(int16_t a, int16_t b) { return a > b ? a : b; }
int32_t MaxLong(int32_t a, int32_t b) { return a > b ? a : b; }
int16_t MinInteger(int16_t a, int16_t b) { return a < b ? a : b; }
int32_t MinLong(int32_t a, int32_t b) { return a < b ? a : b; }
float MaxSingle(float a, float b) { return a > b ? a : b; }

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

std::string GetCsvField(std::string_view text, int32_t index) {
  if (index < 0) return "";
  size_t start = 0;
  for (int32_t i = 0; i < index; ++i) {
    size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) return "";  // past the last field
    start = comma + 1;
  }
  size_t end = text.find(',', start);
  if (end == std::string_view::npos) end = text.size();
  return runtime::TrimBlanks(text.substr(start, end - start));
}

int32_t LeadingWholeClamped(std::string_view text, float lower, float upper) {
  const int32_t lo = runtime::ToLongOr(lower, lower < 0 ? INT32_MIN : INT32_MAX);
  const int32_t hi = runtime::ToLongOr(upper, upper < 0 ? INT32_MIN : INT32_MAX);
  double v = runtime::Val(text);
  // Values beyond the 32-bit range take the nearer end before the whole-number conversion.
  if (!(v >= -2147483648.0)) v = -2147483648.0;
  if (v > 2147483647.0) v = 2147483647.0;
  return ClampLong(runtime::ToLongOr(v, 0), lo, hi);
}

}  // namespace store
