#include <gtest/gtest.h>

#include <filesystem>

#include "store/template_lookup.h"
#include "support/test_support.h"

using store::ReadTemplateValue;

namespace {

class TemplateLookup : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testsupport::MakeTempDir();
    store::ClearTemplateCache();
    store::templateState().TemplatePath.clear();
  }
  void TearDown() override {
    store::ClearTemplateCache();
    std::filesystem::remove_all(dir_);
  }
  std::string Write(const std::string& name, const std::string& text) {
    std::string p = dir_ + "/" + name;
    testsupport::WriteFile(p, text);
    return p;
  }
  std::string dir_;
};

}  // namespace

TEST_F(TemplateLookup, SectionsKeysAndValues) {
  const std::string path = Write("a.glx",
                                 "[General]\r\n"
                                 "Name=First\r\n"
                                 "Note=the Name=hijack\r\n"
                                 "Empty=\r\n"
                                 "Spaced = 1\r\n"
                                 "Trail=x  \r\n"
                                 "Bracket=a[b\r\n"
                                 "After=found\r\n"
                                 "\r\n"
                                 "[Universe]\r\n"
                                 "Universe_Stars=18000\r\n"
                                 "[General]\r\n"
                                 "Late=never\r\n"
                                 "[Last]\r\n"
                                 "NoEnd=1");
  struct Case {
    const char *section, *key, *expect;
  } cases[] = {
      {"General", "Name", "First"},
      {"General", "Empty", ""},             // an empty value is not the default
      {"General", "Spaced", "default"},     // blanks around "=" do not match
      {"General", "Trail", "x  "},          // untrimmed
      {"General", "Bracket", "a[b"},        // "[" inside a value does not end the section
      {"General", "After", "found"},
      {"General", "Late", "default"},       // only the first header of a name is searched
      {"general", "Name", "default"},       // case counts
      {"General", "name", "default"},
      {"Universe", "Universe_Stars", "18000"},
      {"Universe", "Stars", "default"},     // a key matches only at the start of a line
      {"Last", "NoEnd", "default"},         // no line end after the value
      {"Missing", "Name", "default"},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadTemplateValue(c.section, c.key, "default", path), c.expect) << c.key;
  // "Note=the Name=hijack" must not answer for Name even when it comes first.
  const std::string hijack = Write("b.glx", "[S]\r\nNote=Key=bad\r\nKey=good\r\n");
  EXPECT_EQ(ReadTemplateValue("S", "Key", "", hijack), "good");
}

TEST_F(TemplateLookup, LineFeedEndsAndCachePerPath) {
  const std::string lf = Write("lf.glx", "[S]\nA=1\nB=two\n[T]\nA=3\n");
  EXPECT_EQ(ReadTemplateValue("S", "B", "", lf), "two");
  EXPECT_EQ(ReadTemplateValue("T", "A", "", lf), "3");
  // A new file is read, not the cached one.
  const std::string other = Write("other.glx", "[S]\r\nB=other\r\n");
  EXPECT_EQ(ReadTemplateValue("S", "B", "", other), "other");
  // The current template path is used when no path is given.
  store::templateState().TemplatePath = lf;
  EXPECT_EQ(ReadTemplateValue("S", "A", ""), "1");
  // The cache holds until cleared: a change on disk shows only after that.
  testsupport::WriteFile(lf, "[S]\r\nA=changed\r\n");
  EXPECT_EQ(ReadTemplateValue("S", "A", ""), "1");
  store::ClearTemplateCache();
  EXPECT_EQ(ReadTemplateValue("S", "A", ""), "changed");
}

TEST_F(TemplateLookup, UnreadableOrEmptyFilesGiveDefaults) {
  EXPECT_EQ(ReadTemplateValue("S", "A", 42, dir_ + "/missing.glx"), "42");
  EXPECT_EQ(ReadTemplateValue("S", "A", "d", Write("empty.glx", "")), "d");
  // Windows-1252 text reads as UTF-8.
  EXPECT_EQ(ReadTemplateValue("S", "Name", "", Write("cp.glx", "[S]\r\nName=Caf\xE9\r\n")), "Caf\xC3\xA9");
}

TEST_F(TemplateLookup, NamesTheIndexCannotHoldAreSearched) {
  const std::string path = Write("odd.glx",
                                 "[a]b]\r\n"
                                 "x=y=1\r\n"
                                 "K=first\r\n"
                                 "K=second\r\n"
                                 "[a]\r\n"
                                 "K=plain\r\n");
  EXPECT_TRUE(store::LoadTemplateText(path));
  EXPECT_EQ(ReadTemplateValue("a]b", "x=y", "d", path), "1");  // "]" in the name, "=" in the key
  EXPECT_EQ(ReadTemplateValue("a]b", "K", "d", path), "first");
  EXPECT_EQ(ReadTemplateValue("a", "K", "d", path), "first");   // "[a]b]" is the first "[a]"
  EXPECT_EQ(ReadTemplateValue("a", "x", "d", path), "y=1");
  EXPECT_FALSE(store::LoadTemplateText(dir_ + "/missing.glx"));
}

// A file larger than 16 MiB is refused as unreadable, whatever it holds; up to that size a
// file of section headers alone loads and is read like any other.
TEST_F(TemplateLookup, FilesAboveSixteenMebibytesAreRefused) {
  const std::string tail = "[Universe]\r\nUniverse_Stars=5\r\n";
  const std::string header = "[UniGal\r\n";
  struct Case {
    size_t bytes;
    bool loads;
  } cases[] = {{15u << 20, true}, {store::kMaxTemplateBytes, true},
               {store::kMaxTemplateBytes + 1, false}, {17u << 20, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    std::string text;
    text.reserve(c.bytes);
    while (text.size() + header.size() + tail.size() <= c.bytes) text += header;
    text.append(c.bytes - tail.size() - text.size(), '\n');
    text += tail;
    ASSERT_EQ(text.size(), c.bytes);
    const std::string path = Write("big.glx", text);
    store::ClearTemplateCache();
    EXPECT_EQ(store::LoadTemplateText(path), c.loads);
    EXPECT_EQ(ReadTemplateValue("Universe", "Universe_Stars", "d", path), c.loads ? "5" : "d");
    EXPECT_EQ(ReadTemplateValue("UniGal", "Universe_Stars", "d", path), "d");
    EXPECT_EQ(store::templateState().TemplateText.empty(), !c.loads);
  }
}
