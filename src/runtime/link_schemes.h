// The links the program hands to the desktop's opener: web pages (http, https) and mail links
// (mailto). Any other scheme (file, smb, a desktop's own handlers, ...) is refused, so that
// neither a help page nor a stored address can make the desktop run or open something else.
#pragma once

#include <string_view>

namespace runtime {

// True when `address` starts with "http:", "https:" or "mailto:" (any case).
bool IsOutgoingLink(std::string_view address);

}  // namespace runtime
