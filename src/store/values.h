// Minimum, maximum, clamps and comma-separated fields. Each returns its first argument only
// when its comparison holds strictly, so ties (and a Single that is not a number) give the
// second; in a clamp the lower bound is tested last and wins when the bounds cross.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace store {

int16_t MaxInteger(int16_t a, int16_t b);
int32_t MaxLong(int32_t a, int32_t b);
int16_t MinInteger(int16_t a, int16_t b);
int32_t MinLong(int32_t a, int32_t b);
float MaxSingle(float a, float b);

int32_t ClampLong(int32_t x, int32_t lower, int32_t upper);
float ClampSingle(float x, float lower, float upper);

// Field `index` (from 0) of a comma-separated text, trimmed of blanks; the empty text for an
// index outside the fields.
std::string GetCsvField(std::string_view text, int32_t index);

// The leading number of a text read as a whole number (halves to even) and clamped; the text
// form that numeric fields of kinds 0 and 2 get. A number outside the 32-bit range is first
// clamped as a decimal.
int32_t LeadingWholeClamped(std::string_view text, float lower, float upper);

}  // namespace store
