// The mail links and pages the information windows and the Help menu open. Every value put into
// a link (an address, a name, a report) is percent-encoded byte by byte as UTF-8: only the
// unreserved characters A-Z, a-z, 0-9, "-", ".", "_" and "~" stay as they are, so a "#", "&"
// or "%" in a value can neither cut nor change the link. The fixed parts of each link are
// written as they stand.
#pragma once

#include <string>
#include <string_view>

namespace dialogs {

// `keep` names further characters that stay unencoded (e.g. "@" of an address).
std::string PercentEncode(std::string_view text, std::string_view keep = {});

// "mailto:" + the feedback address + "?Subject=" + the product name + "%20Feedback%20&Body=".
std::string FeedbackMailLink();
// The recommendation mail of the about window, to no recipient.
std::string RecommendationMailLink();
// A mail to the contact address about the product family.
std::string ContactMailLink();
// The diagnostics report to the feedback address.
std::string DiagnosticsMailLink(std::string_view report);

// Opens a page or mail link through the installed opener (by default the desktop's).
using LinkOpener = void (*)(std::string_view address);
void SetLinkOpener(LinkOpener opener);  // nullptr: the desktop's again
void OpenLink(std::string_view address);

}  // namespace dialogs
