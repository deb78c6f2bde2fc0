#include "runtime/link_schemes.h"

#include <array>
#include <cctype>
#include <string>

namespace runtime {

bool IsOutgoingLink(std::string_view address) {
  const size_t colon = address.find(':');
  if (colon == std::string_view::npos) return false;
  std::string scheme;
  for (const char c : address.substr(0, colon)) scheme += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  constexpr std::array<std::string_view, 3> kAllowed = {"http", "https", "mailto"};
  for (const std::string_view allowed : kAllowed)
    if (scheme == allowed) return true;
  return false;
}

}  // namespace runtime
