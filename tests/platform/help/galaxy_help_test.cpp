// The shipped help of the galaxy settings: the title search finds the star events, composites,
// hues and themes by the words a user would type, and the contents page links every topic file
// of the index.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QString>
#include <set>
#include <string>
#include <vector>

#include "platform/help/help_index.h"

namespace {

using platform::HelpIndex;
using platform::HelpTopic;

std::string RelativeToHelp(const std::string& file) {
  const std::string root = QFileInfo(QStringLiteral(ZV_HELP_SOURCE)).canonicalFilePath().toStdString() + "/";
  return file.rfind(root, 0) == 0 ? file.substr(root.size()) : file;
}

TEST(GalaxyHelp, TitleSearchFindsTheGalaxySettingsByTheirWords) {
  const HelpIndex index = HelpIndex::Load(ZV_HELP_SOURCE);
  struct Case {
    const char* words;
    std::vector<std::string> targets;  // each must be among the hits, as file#anchor
  } cases[] = {
      {"comet", {"galaxy_events.html#comets", "galaxy_events.html#colors"}},
      {"pulsar", {"galaxy_events.html#pulsars"}},
      {"nova", {"galaxy_events.html#novae", "galaxy_events.html"}},
      {"new stars", {"galaxy_events.html#newstars"}},
      {"composite", {"composites.html#composites", "composites.html#members"}},
      {"hue", {"galaxy_hues.html", "galaxy_hues.html#rgb", "galaxy_page.html#huewheel"}},
      {"galaxy themes", {"galaxy_themes.html"}},
      {"galaxy style", {"galaxy_page.html#style"}},
      {"COPY TO ALL", {"property_copy.html#styles"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.words);
    std::set<std::string> found;
    for (const HelpTopic* t : index.Search(c.words))
      found.insert(RelativeToHelp(t->file) + (t->anchor.empty() ? "" : "#" + t->anchor));
    for (const std::string& want : c.targets) EXPECT_TRUE(found.count(want)) << want;
  }
}

TEST(GalaxyHelp, ContentsPageLinksEveryTopicFileOfTheIndex) {
  const HelpIndex index = HelpIndex::Load(ZV_HELP_SOURCE);
  QFile contents(QString::fromStdString(index.ContentsPath()));
  ASSERT_TRUE(contents.open(QIODevice::ReadOnly));
  const QByteArray page = contents.readAll();
  std::set<std::string> files;
  for (const HelpTopic& t : index.topics()) files.insert(RelativeToHelp(t.file));
  ASSERT_TRUE(files.count("galaxy_events.html"));
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    EXPECT_TRUE(page.contains(("href=\"" + file).c_str()));
  }
}

}  // namespace
