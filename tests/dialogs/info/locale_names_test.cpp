// The locale table and the lookup of a locale's name.
#include <gtest/gtest.h>

#include <unicode/uloc.h>

#include <map>
#include <set>
#include <string>

#include "dialogs/info/locale_names.h"

namespace {

TEST(LocaleTable, HoldsTheRowsOfEveryGroupWithUniqueCodesKnownToIcu) {
  const auto table = dialogs::LocaleTable();
  ASSERT_EQ(table.size(), 126u);
  std::map<std::string, int> groups;
  std::set<std::string> codes;
  for (const dialogs::LocaleRow& row : table) {
    SCOPED_TRACE(row.name);
    const std::string name = row.name;
    const auto open = name.rfind(" (");
    ASSERT_NE(open, std::string::npos);
    ASSERT_EQ(name.back(), ')');
    ++groups[name.substr(open + 2, name.size() - open - 3)];
    EXPECT_TRUE(codes.insert(row.code).second) << "code used twice: " << row.code;
    const unsigned lcid = static_cast<unsigned>(std::stoul(row.code, nullptr, 16));
    char locale[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = uloc_getLocaleForLCID(lcid, locale, sizeof locale, &status);
    EXPECT_TRUE(U_SUCCESS(status) && length > 0) << "unknown locale identifier " << row.code;
  }
  const std::map<std::string, int> expected{
      {"Western Europe / US", 65}, {"Arabic", 18}, {"Cyrillic", 10}, {"Central Europe", 9}, {"Indic", 5},
      {"Turkic", 3}, {"Traditional Chinese", 3}, {"Baltic", 3}, {"Simplified Chinese", 2}, {"Armenian", 1},
      {"Georgian", 1}, {"Greek", 1}, {"Hebrew", 1}, {"Japanese", 1}, {"Korean", 1}, {"Thai", 1}, {"Vietnamese", 1}};
  EXPECT_EQ(groups, expected);
  EXPECT_STREQ(table.front().name, "Afrikaans (Western Europe / US)");
  EXPECT_STREQ(table.back().name, "Vietnamese (Vietnamese)");

  const std::map<std::string, std::string> telling{
      {"0436", "Afrikaans (Western Europe / US)"},
      {"0409", "English_United_States (Western Europe / US)"},
      {"0408", "Greek  (Greek)"},
      {"040a", "Spanish_Traditional_Sort (Western Europe / US)"},
      {"0c0a", "Spanish_Modern_Sort (Western Europe / US)"},
      {"081a", "Serbian_Latin (Central Europe)"},
      {"0c1a", "Serbian_Cyrillic (Cyrillic)"},
      {"042c", "Azeri_Latin (Turkic)"},
      {"082c", "Azeri_Cyrillic (Cyrillic)"},
      {"1404", "Chinese_Macau (Traditional Chinese)"},
      {"0457", "Konkani (Indic)"},
      {"042a", "Vietnamese (Vietnamese)"}};
  for (const auto& [code, name] : telling) EXPECT_EQ(dialogs::GetLanguageName(code), name) << code;
}

TEST(LocaleTable, GetLanguageNameTakesTheLastFourCharacters) {
  const struct {
    std::string text, name;
  } cases[] = {
      {"00000409", "English_United_States (Western Europe / US)"},
      {"00000C0A", "Spanish_Modern_Sort (Western Europe / US)"},
      {std::string("00000409\0", 9), "English_United_States (Western Europe / US)"},
      {"  00000409   ", "English_United_States (Western Europe / US)"},
      {"00000408", "Greek  (Greek)"},
      {"409", ""},
      {"", ""},
      {"0000ffff", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(dialogs::GetLanguageName(c.text), c.name) << c.text;
}

TEST(LocaleTable, LocaleIdTextOfLocaleNames) {
  const struct {
    const char* locale;
    const char* id;
  } cases[] = {
      {"de_DE", "00000407"}, {"de_DE.UTF-8", "00000407"}, {"en_US.utf8@euro", "00000409"}, {"fr_FR", "0000040C"},
      {"C", ""},             {"POSIX", ""},               {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(dialogs::LocaleIdText(c.locale), c.id) << c.locale;
  EXPECT_EQ(dialogs::GetLanguageName(dialogs::LocaleIdText("de_DE.UTF-8")), "German_Standard (Western Europe / US)");
}

}  // namespace
