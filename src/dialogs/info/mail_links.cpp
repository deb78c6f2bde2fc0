#include "dialogs/info/mail_links.h"

#include "dialogs/info/product_info.h"
#include "host/window_state.h"

namespace dialogs {

namespace {

LinkOpener& opener() {
  static LinkOpener o = nullptr;
  return o;
}

std::string E(std::string_view text) { return PercentEncode(text); }
std::string Address(std::string_view text) { return PercentEncode(text, "@"); }

}  // namespace

std::string PercentEncode(std::string_view text, std::string_view keep) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size() * 3);
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                            c == '.' || c == '_' || c == '~';
    if (unreserved || (c != 0 && keep.find(ch) != std::string_view::npos)) {
      out += ch;
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

std::string FeedbackMailLink() {
  return "mailto:" + Address(kFeedbackAddress) + "?Subject=" + E(kProductName) + "%20Feedback%20" + "&Body=";
}

std::string RecommendationMailLink() {
  return "mailto:?Subject=I%20Recommend%20" + E(kFamilyName) + "%20(" + E(kFamilyAbbreviation) + ")" +
         "&Body=Greetings%20-%0D%0A%0D%0A" + "I%20am%20writing%20to%20recommend%20that%20you%20check%20out%20" +
         E(kFamilyName) + "%20%28" + E(kFamilyAbbreviation) + "%29.%20%20" +
         "They%20are%20effective%20real-time%20particle%20animation%20graphics%20products.%0D%0A%0D%0A" +
         "Here%20is%20the%20website%3A%20%20" + E(kHomePage) + "%0D%0A%0D%0A" + "Cheers.";
}

std::string ContactMailLink() {
  return "mailto:" + Address(kContactAddress) + "?Subject=Regarding%20" + E(kFamilyName) + "%20(" +
         E(kFamilyAbbreviation) + ")";
}

std::string DiagnosticsMailLink(std::string_view report) {
  return "mailto:" + Address(kFeedbackAddress) + "?Subject=PC%20System%20Diagnostics%20(ZORV)" + "&Body=" + E(report);
}

void SetLinkOpener(LinkOpener o) { opener() = o; }

void OpenLink(std::string_view address) {
  if (opener() != nullptr)
    opener()(address);
  else
    host::OpenWebPage(address);
}

}  // namespace dialogs
