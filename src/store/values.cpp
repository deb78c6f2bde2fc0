#include "store/values.h"

#include "runtime/numbers.h"

namespace store {

int16_t MaxInteger(int16_t a, int16_t b) { return a > b ? a : b; }
int32_t MaxLong(int32_t a, int32_t b) { return a > b ? a : b; }
int16_t MinInteger(int16_t a, int16_t b) { return a < b ? a : b; }
int32_t MinLong(int32_t a, int32_t b) { return a < b ? a : b; }
float MaxSingle(float a, float b) { return a > b ? a : b; }

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

}  // namespace store
