#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "runtime/inline_numbers.h"
#include "runtime/numbers.h"

using namespace runtime;

namespace {

std::optional<int32_t> Inline(bool (*convert)(double, int32_t&), double v) {
  int32_t out = 0;
  if (!convert(v, out)) return std::nullopt;
  return out;
}

}  // namespace

// The inline conversions must agree with the out-of-line ones everywhere: at halves, around
// zero, at both ends of the 32-bit range and beyond it, and for values that are no number.
TEST(InlineConversions, AgreeWithTheOutOfLineConversionsAtTheEdges) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double cases[] = {0.0,
                          -0.0,
                          0.5,
                          -0.5,
                          1.5,
                          2.5,
                          -2.5,
                          0.49999999999999994,
                          -0.49999999999999994,
                          1e9 + 0.5,
                          1073741824.5,
                          2147483646.5,
                          2147483647.0,
                          2147483647.4999998,
                          2147483647.5,
                          2147483647.9,
                          2147483648.0,
                          -2147483647.5,
                          -2147483648.0,
                          -2147483648.5,
                          -2147483648.5000005,
                          -2147483648.9,
                          -2147483649.0,
                          1e300,
                          -1e300,
                          std::numeric_limits<double>::denorm_min(),
                          inf,
                          -inf,
                          nan};
  for (double v : cases) {
    EXPECT_EQ(Inline(ToLongInline, v), ToLong(v)) << v;
    EXPECT_EQ(Inline(FixToLongInline, v), FixToLong(v)) << v;
  }
}

TEST(InlineConversions, AgreeWithTheOutOfLineConversionsOnASweep) {
  // Quarters hit every half twice per unit; the odd step and the scaled float values hit
  // the fractions of projected screen positions and hues.
  for (int32_t k = -4000; k <= 4000; ++k) {
    for (double v : {k * 0.25, k * 0.3183098861837907 + 0.5, static_cast<double>(static_cast<float>(k) * 0.1f),
                     k * 524287.5}) {
      ASSERT_EQ(Inline(ToLongInline, v), ToLong(v)) << v;
      ASSERT_EQ(Inline(FixToLongInline, v), FixToLong(v)) << v;
    }
  }
}
