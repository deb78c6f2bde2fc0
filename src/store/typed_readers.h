// The typed settings readers. Each returns a value in every case: the stored value when it
// is usable, the default when the value is missing or not a number, 0 for a number outside
// the type's range. Numbers are read with "." or "," as the decimal separator.
// GetSettingSingle reads a text that holds a "." by its leading number (0 when there is
// none), so "2.5x" gives 2.5 and "a.b" gives 0 rather than the default.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/registry_access.h"

namespace store {

std::string GetSettingString(std::string_view section, std::string_view key, const runtime::TextValue& def,
                             int32_t hive = store::kCurrentUser, std::string_view app = store::kAppKey);
int32_t GetSettingLong(std::string_view section, std::string_view key, int32_t def,
                       int32_t hive = store::kCurrentUser, std::string_view app = store::kAppKey);
float GetSettingSingle(std::string_view section, std::string_view key, const runtime::TextValue& def,
                       int32_t hive = store::kCurrentUser, std::string_view app = store::kAppKey);

// The conversions behind the readers, shared with the template readers.
int32_t TextToLong(std::string_view text, int32_t def);
float TextToSingle(std::string_view text, float def);

// The nearest Single to v; nothing when v is not finite or lies beyond the Single range.
std::optional<float> ToSingle(double v);

}  // namespace store
