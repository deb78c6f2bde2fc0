// The mail links and pages of the information windows and the Help menu.
#include <gtest/gtest.h>

#include <QUrl>
#include <string>
#include <vector>

#include "dialogs/info/mail_links.h"
#include "dialogs/info/product_info.h"

namespace {

TEST(MailLinks, PercentEncodingKeepsOnlyUnreservedBytes) {
  const struct {
    const char* text;
    const char* keep;
    const char* encoded;
  } cases[] = {
      {"AZaz09-._~", "", "AZaz09-._~"},
      {"a b\r\n", "", "a%20b%0D%0A"},
      {"#&%?=+/:()", "", "%23%26%25%3F%3D%2B%2F%3A%28%29"},
      {"\xc3\xa9", "", "%C3%A9"},  // UTF-8 bytes one by one
      {"me@host", "@", "me@host"},
      {"me@host", "", "me%40host"},
  };
  for (const auto& c : cases) EXPECT_EQ(dialogs::PercentEncode(c.text, c.keep), c.encoded) << c.text;
}

std::string E(const char* s) { return dialogs::PercentEncode(s); }

TEST(MailLinks, EveryLinkOfTheWindows) {
  EXPECT_EQ(dialogs::FeedbackMailLink(),
            std::string("mailto:") + dialogs::kFeedbackAddress + "?Subject=Zorvane%20Feedback%20&Body=");
  EXPECT_EQ(dialogs::ContactMailLink(), std::string("mailto:") + dialogs::kContactAddress + "?Subject=Regarding%20" +
                                            E(dialogs::kFamilyName) + "%20(" + E(dialogs::kFamilyAbbreviation) + ")");
  const std::string recommend = dialogs::RecommendationMailLink();
  EXPECT_EQ(recommend, "mailto:?Subject=I%20Recommend%20" + E(dialogs::kFamilyName) + "%20(" +
                           E(dialogs::kFamilyAbbreviation) + ")" + "&Body=Greetings%20-%0D%0A%0D%0A" +
                           "I%20am%20writing%20to%20recommend%20that%20you%20check%20out%20" + E(dialogs::kFamilyName) +
                           "%20%28" + E(dialogs::kFamilyAbbreviation) + "%29.%20%20" +
                           "They%20are%20effective%20real-time%20particle%20animation%20graphics%20products.%0D%0A%0D%0A" +
                           "Here%20is%20the%20website%3A%20%20" + E(dialogs::kHomePage) + "%0D%0A%0D%0ACheers.");
  // The body as a mail program reads it.
  const std::string body = recommend.substr(recommend.find("&Body=") + 6);
  EXPECT_EQ(QUrl::fromPercentEncoding(QByteArray::fromStdString(body)).toStdString(),
            std::string("Greetings -\r\n\r\nI am writing to recommend that you check out ") + dialogs::kFamilyName + " (" +
                dialogs::kFamilyAbbreviation + ").  They are effective real-time particle animation graphics "
                "products.\r\n\r\nHere is the website:  " + dialogs::kHomePage + "\r\n\r\nCheers.");
  // Pages carry their scheme, so the desktop knows what to open them with.
  EXPECT_EQ(std::string(dialogs::kHomePage).rfind("https://", 0), 0u);
  EXPECT_EQ(std::string(dialogs::kFaqPage).rfind("https://", 0), 0u);
}

std::vector<std::string> opened;
void Record(std::string_view address) { opened.emplace_back(address); }

TEST(MailLinks, LinksGoThroughTheInstalledOpener) {
  opened.clear();
  dialogs::SetLinkOpener(&Record);
  dialogs::OpenLink("https://example.org/");
  dialogs::SetLinkOpener(nullptr);
  EXPECT_EQ(opened, std::vector<std::string>{"https://example.org/"});
}

}  // namespace
