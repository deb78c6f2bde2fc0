#include "store/typed_readers.h"

#include <cmath>
#include <limits>

namespace store {

std::string GetSettingString(std::string_view section, std::string_view key, const runtime::TextValue& def,
                             int32_t hive, std::string_view app) {
  return store::GetRegSettingRaw(section, key, def, hive, app);
}

int32_t TextToLong(std::string_view text, int32_t def) {
  double v = 0;
  if (!runtime::IsNumeric(text, &v)) return def;
  return runtime::ToLong(v).value_or(0);
}

std::optional<float> ToSingle(double v) {
  if (!std::isfinite(v) || std::fabs(v) > static_cast<double>(std::numeric_limits<float>::max())) return std::nullopt;
  return static_cast<float>(v);
}

float TextToSingle(std::string_view text, float def) {
  double v = 0;
  if (!runtime::IsNumeric(text, &v)) return def;
  return ToSingle(v).value_or(0.0f);
}

int32_t GetSettingLong(std::string_view section, std::string_view key, int32_t def, int32_t hive,
                       std::string_view app) {
  return TextToLong(GetSettingString(section, key, def, hive, app), def);
}

float GetSettingSingle(std::string_view section, std::string_view key, const runtime::TextValue& def, int32_t hive,
                       std::string_view app) {
  // The default itself may be a text; a default that is not a number reads as 0.
  const float fallback = TextToSingle(def.text(), 0.0f);
  std::string text = GetSettingString(section, key, def, hive, app);
  // The comma is a decimal separator here, so a text holding a point is taken as written
  // with a decimal point: its leading number is what counts ("2.5 cm" reads 2.5, "a.b" 0).
  // A leading number beyond the Double range leaves the text as it is.
  if (text.find('.') != std::string::npos) {
    const double lead = runtime::Val(text);
    if (std::isfinite(lead)) text = runtime::DoubleToText(lead);
  }
  return TextToSingle(text, fallback);
}

}  // namespace store
