// Minimum, maximum, clamps and comma-separated fields. Each returns its first argument only
// when its comparison holds strictly, so ties (and a Single that is not a number) give the
// second; in a clamp the lower bound is tested last and wins when the bounds cross.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/numbers.h"

namespace store {

int16_t MaxInteger(int16_t a, int16_t b);
int32_t MaxLong(int32_t a, int32_t b);
int16_t MinInteger(int16_t a, int16_t b);
int32_t MinLong(int32_t a, int32_t b);
float MaxSingle(float a, float b);

// The clamps belong to the number rules, where the control layer below reaches them too.
using runtime::ClampLong;
using runtime::ClampSingle;

// Field `index` (from 0) of a comma-separated text, trimmed of blanks; the empty text for an
// index outside the fields.
std::string GetCsvField(std::string_view text, int32_t index);

// The leading number of a text, whole and clamped (the form of whole-number fields).
using runtime::LeadingWholeClamped;

}  // namespace store
