// Inline forms of the rounded and truncated 32-bit conversions of numbers.h, for loops that
// convert once per star or per pixel. Each gives exactly the result of its out-of-line
// counterpart (the same whole number, and false where that one gives nothing), without a
// library call and without an optional.
#pragma once

#include <cfloat>
#include <cstdint>

namespace runtime {

// The rounding below relies on additions being carried out in double, not in a wider type.
static_assert(FLT_EVAL_METHOD == 0, "double arithmetic must be evaluated in double");

// ToLong(v): rounded to the nearest whole number, halves to even; false when v is not a
// number or the rounded value lies outside the 32-bit range.
inline bool ToLongInline(double v, int32_t& out) {
  // Exactly the values whose rounding lies in range: -2^31 - 0.5 rounds (to even) to -2^31,
  // 2^31 - 0.5 rounds to 2^31. NaN fails both tests.
  if (!(v >= -2147483648.5 && v < 2147483647.5)) return false;
  // Adding 1.5 x 2^52 moves v to where the spacing of doubles is exactly 1, so the addition
  // itself rounds v to a whole number in the current rounding mode (nearest, halves to even,
  // which the program never changes); taking the constant away again is exact.
  constexpr double kShift = 6755399441055744.0;
  out = static_cast<int32_t>((v + kShift) - kShift);
  return true;
}

// FixToLong(v): truncated toward zero; false when v is not a number or the whole part lies
// outside the 32-bit range.
inline bool FixToLongInline(double v, int32_t& out) {
  if (!(v > -2147483649.0 && v < 2147483648.0)) return false;
  out = static_cast<int32_t>(v);
  return true;
}

}  // namespace runtime
