// The help folder's index, the viewer and its commands, the viewer beside a modal window, and
// the help keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QScreen>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <string_view>
#include <vector>
#include <filesystem>
#include <fstream>
#include <string>

#include "host/qt_test_app.h"
#include "platform/help/help_index.h"
#include "platform/help/help_viewer.h"
#include "support/test_support.h"

namespace {

using platform::HelpIndex;

std::string Html(const std::string& title) {
  return "<html><head><title>" + title + "</title></head><body><p>" + title + "</p></body></html>";
}

// A small help folder with good and bad index lines, and a topic beside the folder.
struct HelpFolderFixture {
  HelpFolderFixture() {
    root = testsupport::MakeTempDir();
    folder = root + "/help";
    std::filesystem::create_directories(folder + "/sub");
    testsupport::WriteFile(folder + "/contents.html", Html("Test Contents"));
    testsupport::WriteFile(folder + "/a.html", Html("Alpha Window"));
    testsupport::WriteFile(folder + "/sub/b.html", Html("Beta Fields"));
    testsupport::WriteFile(root + "/outside.html", Html("Outside"));
    std::filesystem::create_symlink(root + "/outside.html", folder + "/link.html");
    testsupport::WriteFile(folder + "/index.tsv",
                           "# comment\n"
                           "\n"
                           "100\ta.html\tAlpha Window\n"
                           "110\tsub/b.html#first\tBeta First Field\n"
                           "120\tsub/b.html#second\n"          // title from the file
                           "130\t../outside.html\tEscapes\n"   // outside: ignored
                           "131\t" + root + "/outside.html\tAbsolute\n"
                           "132\tlink.html\tLinked Out\n"
                           "133\tsub/../../outside.html\tDotted\n"
                           "140\tmissing.html\tMissing\n"
                           "abc\ta.html\tNo Number\n"
                           "150\n"
                           "100\tsub/b.html\tSecond line of a number\n");
  }
  std::string root, folder;
};

TEST(HelpIndex, ReadsGoodLinesAndIgnoresEntriesOutsideTheFolderOrMissing) {
  HelpFolderFixture fx;
  const HelpIndex index = HelpIndex::Load(fx.folder);
  const std::string canon = QFileInfo(QString::fromStdString(fx.folder)).canonicalFilePath().toStdString();
  EXPECT_EQ(index.folder(), canon);
  EXPECT_EQ(index.ContentsPath(), canon + "/contents.html");
  EXPECT_EQ(index.ContentsTitle(), "Test Contents");

  struct Case {
    int32_t context;
    const char* file;  // relative to the folder, or nullptr when the entry is ignored
    const char* anchor;
    const char* title;
  } cases[] = {
      {100, "a.html", "", "Alpha Window"},  // the first line of a number wins
      {110, "sub/b.html", "first", "Beta First Field"},
      {120, "sub/b.html", "second", "Beta Fields"},
      {130, nullptr, "", ""}, {131, nullptr, "", ""}, {132, nullptr, "", ""},
      {133, nullptr, "", ""}, {140, nullptr, "", ""}, {150, nullptr, "", ""},
      {999, nullptr, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.context);
    const platform::HelpTopic* t = index.Find(c.context);
    if (c.file == nullptr) {
      EXPECT_EQ(t, nullptr);
      continue;
    }
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->file, canon + "/" + c.file);
    EXPECT_EQ(t->anchor, c.anchor);
    EXPECT_EQ(t->title, c.title);
  }
}

TEST(HelpIndex, MissingFolderGivesAnEmptyIndex) {
  const HelpIndex index = HelpIndex::Load("/nonexistent/zorvane-help");
  EXPECT_TRUE(index.topics().empty());
  EXPECT_TRUE(index.ContentsPath().empty());
  EXPECT_EQ(index.Find(550), nullptr);
}

TEST(HelpIndex, SearchMatchesEveryWordOfTheTitlesIgnoringCase) {
  HelpFolderFixture fx;
  const HelpIndex index = HelpIndex::Load(fx.folder);
  auto titles = [&](const char* words) {
    std::vector<std::string> out;
    for (const platform::HelpTopic* t : index.Search(words)) out.push_back(t->title);
    return out;
  };
  EXPECT_EQ(titles("beta"), (std::vector<std::string>{"Beta Fields", "Beta First Field"}));
  EXPECT_EQ(titles("FIELD first"), (std::vector<std::string>{"Beta First Field"}));
  EXPECT_EQ(titles("gamma"), std::vector<std::string>{});
  EXPECT_EQ(titles(""), (std::vector<std::string>{"Alpha Window", "Beta Fields", "Beta First Field",
                                                  "Second line of a number"}));
}

// Pages of the folder that no index line names are found by their titles, under no number.
TEST(HelpIndex, SearchFindsThePagesWithoutANumber) {
  HelpFolderFixture fx;
  testsupport::WriteFile(fx.folder + "/g.html", Html("Gamma Window"));
  testsupport::WriteFile(fx.folder + "/untitled.html", "<html><body>no title</body></html>");
  const HelpIndex index = HelpIndex::Load(fx.folder);
  const auto found = index.Search("gamma");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0]->title, "Gamma Window");
  EXPECT_EQ(found[0]->context, 0);
  EXPECT_EQ(index.Find(0), nullptr);
  // The pages the index names, the contents, pages without a title and links out are not added
  // again; the shipped windows' pages are all found.
  EXPECT_EQ(index.Search("alpha").size(), 1u);
  EXPECT_TRUE(index.Search("test contents").empty());
  EXPECT_TRUE(index.Search("outside").empty());
  const HelpIndex shipped = HelpIndex::Load(ZV_HELP_SOURCE);
  for (const char* title : {"About Zorvane", "Zorvane Credits", "Welcome to Zorvane", "Zorvane Properties"}) {
    const auto hits = shipped.Search(title);
    EXPECT_TRUE(std::any_of(hits.begin(), hits.end(), [&](const platform::HelpTopic* t) { return t->title == title; }))
        << title;
  }
}

// The control table of a folder: a line naming a control and index wins over one naming every
// index; lines with a missing or outside target, or too few columns, are skipped. A "-" index
// line is a section the search finds under no number, and gives table lines their title.
void WriteControlTable(const HelpFolderFixture& fx) {
  std::ofstream(fx.folder + "/index.tsv", std::ios::app) << "-\tsub/b.html#third\tBeta Third Section\n"
                                                          << "-x\ta.html\tBad Number\n";
  testsupport::WriteFile(fx.folder + "/control_topics.tsv",
                         "# window, control, topic\n"
                         "win\tframe\tsub/b.html#third\n"
                         "win\tbox\tsub/b.html#first\n"
                         "win\tbox(2)\ta.html\n"
                         "win\tescape\t../outside.html\n"
                         "win\tmissing\tmissing.html\n"
                         "win\tshort\n"
                         "win\tbad(x)\ta.html\n"
                         "other\tframe\ta.html\n");
}

TEST(HelpIndex, ControlTableGivesTopicsByWindowControlAndIndex) {
  HelpFolderFixture fx;
  WriteControlTable(fx);
  const HelpIndex index = HelpIndex::Load(fx.folder);
  const std::string canon = QFileInfo(QString::fromStdString(fx.folder)).canonicalFilePath().toStdString();
  struct Case {
    const char* window;
    const char* control;
    int32_t index;
    const char* file;  // nullptr: no line
    const char* anchor;
    const char* title;
  } cases[] = {
      {"win", "frame", -1, "sub/b.html", "third", "Beta Third Section"},
      {"win", "frame", 4, "sub/b.html", "third", "Beta Third Section"},
      {"win", "box", 2, "a.html", "", "Alpha Window"},
      {"win", "box", 5, "sub/b.html", "first", "Beta First Field"},
      {"other", "frame", -1, "a.html", "", "Alpha Window"},
      {"win", "escape", -1, nullptr, "", ""},
      {"win", "missing", -1, nullptr, "", ""},
      {"win", "short", -1, nullptr, "", ""},
      {"win", "bad", -1, nullptr, "", ""},
      {"win", "bad(x)", -1, nullptr, "", ""},
      {"elsewhere", "frame", -1, nullptr, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.window) + " " + c.control + " " + std::to_string(c.index));
    const platform::HelpTopic* t = index.FindControl(c.window, c.control, c.index);
    if (c.file == nullptr) {
      EXPECT_EQ(t, nullptr);
      continue;
    }
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->file, canon + "/" + c.file);
    EXPECT_EQ(t->anchor, c.anchor);
    EXPECT_EQ(t->title, c.title);
  }
  EXPECT_EQ(index.controlTopics().size(), 4u);
  // The "-" line is found by its title under no number; the malformed number is not read.
  const auto third = index.Search("third");
  ASSERT_EQ(third.size(), 1u);
  EXPECT_EQ(third[0]->context, 0);
  EXPECT_EQ(third[0]->anchor, "third");
  EXPECT_TRUE(index.Search("bad number").empty());
}

// The shipped topics: every number the windows give their controls has a titled topic inside
// the folder, and the contents page exists.
TEST(HelpIndex, ShippedFolderHasATitledTopicForEveryNumber) {
  const HelpIndex index = HelpIndex::Load(ZV_HELP_SOURCE);
  ASSERT_FALSE(index.ContentsPath().empty());
  EXPECT_FALSE(index.ContentsTitle().empty());
  const int32_t numbers[] = {500,  550,  8000, 8500, 7400, 7100, 7110, 7120, 7130, 7140, 7150, 7210, 7220,
                             7300, 7310, 7320, 7330, 7340, 7350, 7355, 7356, 7360, 7375, 7380, 7390, 7391,
                             7392, 7250, 7260, 7261, 7262, 7263, 6015, 6020, 6025, 6040, 6041, 6045, 6046,
                             6105, 6120, 6130, 6140, 6510, 6511, 6512, 6520, 6521, 6522, 6530, 6531, 6540,
                             6541, 6542, 6543, 6544, 6545, 6546, 6550, 6560, 6570, 6571, 6572, 6573, 6810,
                             6820, 6830};
  for (int32_t n : numbers) {
    SCOPED_TRACE(n);
    const platform::HelpTopic* t = index.Find(n);
    ASSERT_NE(t, nullptr);
    EXPECT_FALSE(t->title.empty());
    EXPECT_FALSE(platform::HtmlTitleOf(t->file).empty());
    if (!t->anchor.empty()) {
      QFile f(QString::fromStdString(t->file));
      ASSERT_TRUE(f.open(QIODevice::ReadOnly));
      EXPECT_TRUE(f.readAll().contains(("name=\"" + t->anchor + "\"").c_str()));
    }
  }
}

// Every line of the shipped index and control table names a file of the folder and, after "#",
// an anchor of that file (the loader would skip a line whose file is missing, so the lines are
// read here as they stand).
TEST(HelpIndex, ShippedTablesNameExistingFilesAndAnchors) {
  const QString folder = QStringLiteral(ZV_HELP_SOURCE);
  for (const char* table : {"index.tsv", "control_topics.tsv"}) {
    QFile file(folder + "/" + table);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << table;
    int lines = 0;
    for (const QString& raw : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
      const QString line = raw.trimmed();
      if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
      SCOPED_TRACE(std::string(table) + ": " + line.toStdString());
      const QStringList cols = line.split(QLatin1Char('\t'));
      ASSERT_GE(cols.size(), 3);
      const QString target = cols[table == std::string("index.tsv") ? 1 : 2];
      const QString name = target.section(QLatin1Char('#'), 0, 0);
      const QString anchor = target.section(QLatin1Char('#'), 1);
      QFile topic(folder + "/" + name);
      ASSERT_TRUE(topic.open(QIODevice::ReadOnly));
      if (!anchor.isEmpty()) {
        EXPECT_TRUE(topic.readAll().contains(("name=\"" + anchor + "\"").toUtf8()));
      }
      ++lines;
    }
    EXPECT_GT(lines, 0) << table;
  }
}

// The title search finds a topic for every group of settings of the Properties window by the
// words a user would type, and the contents page links every page of the folder.
TEST(HelpIndex, ShippedSearchFindsEverySettingAndTheContentsLinkEveryPage) {
  const HelpIndex index = HelpIndex::Load(ZV_HELP_SOURCE);
  const std::string root = QFileInfo(QStringLiteral(ZV_HELP_SOURCE)).canonicalFilePath().toStdString() + "/";
  struct Case {
    const char* words;
    const char* target;  // one of the hits, as file#anchor; nullptr: any hit
  } cases[] = {
      {"universe", "universe.html"},
      {"expansion", "universe_creation.html#expansion-speed"},
      {"ambient", "universe_stars.html#ambient"},
      {"tour", "universe_tour.html#tour"},
      {"gravity", "universe_gravity.html"},
      {"universe themes", "universe_themes.html"},
      {"hue", "hue_cone.html"},
      {"resolution", "display.html#resolution"},
      {"filter", "display.html#filter"},
      {"blend", "display.html#blend"},
      {"preview", "previews.html"},
      {"capture", "previews.html#capture"},
      {"comet", nullptr},
      {"pulsar", nullptr},
      {"nova", nullptr},
      {"composite", nullptr},
      {"frame delay", "advanced.html#delay"},
      {"focal length", "advanced.html#focal-length"},
      {"max. files", "advanced.html#capture-files"},
      {"message font", "advanced.html#font"},
      {"count down", "advanced.html#countdown"},
      {"hue wheel divisions", "advanced.html#hue-wheel"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.words);
    const auto hits = index.Search(c.words);
    EXPECT_FALSE(hits.empty());
    if (c.target == nullptr) continue;
    EXPECT_TRUE(std::any_of(hits.begin(), hits.end(), [&](const platform::HelpTopic* t) {
      return t->file.substr(root.size()) + (t->anchor.empty() ? "" : "#" + t->anchor) == c.target;
    }));
  }
  QFile contents(QString::fromStdString(index.ContentsPath()));
  ASSERT_TRUE(contents.open(QIODevice::ReadOnly));
  const QByteArray links = contents.readAll();
  const QStringList pages = QDir(QStringLiteral(ZV_HELP_SOURCE)).entryList({QStringLiteral("*.html")}, QDir::Files);
  EXPECT_GT(pages.size(), 20);
  for (const QString& page : pages) {
    if (page == QLatin1String("contents.html")) continue;
    EXPECT_TRUE(links.contains(("href=\"" + page + "\"").toUtf8())) << page.toStdString();
  }
}

class HelpViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureQtApplication();
    platform::SetHelpFolder(fx.folder);
  }
  void TearDown() override {
    platform::ShowHelp(nullptr, platform::HELP_QUIT, 0);
    platform::SetHelpFolder("");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  static std::string Rel(const std::string& file, const std::string& folder) {
    const std::string canon = QFileInfo(QString::fromStdString(folder)).canonicalFilePath().toStdString();
    return file.rfind(canon + "/", 0) == 0 ? file.substr(canon.size() + 1) : file;
  }
  std::string Shown() const { return Rel(platform::OpenHelpViewer()->CurrentFile(), fx.folder); }
  HelpFolderFixture fx;
};

TEST_F(HelpViewerTest, CommandsShowTopicsInOneWindow) {
  ASSERT_TRUE(platform::ShowHelp(nullptr, platform::HELP_CONTEXT, 110));
  platform::HelpViewer* v = platform::OpenHelpViewer();
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->windowTitle().toStdString(), "Zorvane Help");
  EXPECT_TRUE(v->isVisible());
  EXPECT_EQ(Shown(), "sub/b.html");
  EXPECT_EQ(v->CurrentAnchor(), "first");

  struct Case {
    int32_t command, data;
    const char* shown;
  } cases[] = {
      {platform::HELP_CONTEXT, 100, "a.html"},
      {platform::HELP_CONTEXT, 999, "contents.html"},  // unknown number
      {platform::HELP_CONTEXT, 130, "contents.html"},  // entry outside the folder
      {platform::HELP_CONTEXT, 120, "sub/b.html"},
      {platform::HELP_CONTENTS, 0, "contents.html"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.data);
    ASSERT_TRUE(platform::ShowHelp(nullptr, c.command, c.data));
    EXPECT_EQ(platform::OpenHelpViewer(), v);  // still the one window
    EXPECT_EQ(Shown(), c.shown);
  }
  EXPECT_FALSE(platform::ShowHelp(nullptr, 99, 0));

  ASSERT_TRUE(platform::ShowHelp(nullptr, platform::HELP_FINDER, 0));
  v->searchBox()->setText(QStringLiteral("beta first"));
  ASSERT_EQ(v->results()->count(), 1);
  EXPECT_EQ(v->results()->item(0)->text().toStdString(), "Beta First Field");
  v->results()->setCurrentRow(0);
  EXPECT_EQ(Shown(), "sub/b.html");
  EXPECT_EQ(v->CurrentAnchor(), "first");

  ASSERT_TRUE(platform::ShowHelp(nullptr, platform::HELP_QUIT, 0));
  EXPECT_EQ(platform::OpenHelpViewer(), nullptr);
}

TEST_F(HelpViewerTest, EscapeClosesTheWindowFromItsSearchBoxOrItsTopic) {
  for (const char* part : {"helpSearch", "helpBrowser"}) {
    SCOPED_TRACE(part);
    ASSERT_TRUE(platform::ShowHelp(nullptr, platform::HELP_CONTEXT, 100));
    platform::HelpViewer* v = platform::OpenHelpViewer();
    ASSERT_NE(v, nullptr);
    ASSERT_TRUE(v->isVisible());
    QWidget* target = v->findChild<QWidget*>(QString::fromLatin1(part));
    ASSERT_NE(target, nullptr);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &escape);
    EXPECT_FALSE(v->isVisible());
    platform::ShowHelp(nullptr, platform::HELP_QUIT, 0);
  }
}

TEST_F(HelpViewerTest, ViewerOpensOverItsOwnerWithItsLabelsAndTitlesWhole) {
  platform::SetHelpFolder(ZV_HELP_SOURCE);
  QWidget owner;
  const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
  owner.resize(300, 200);
  owner.move(free.left() + 20, free.top() + 20);
  owner.show();
  ASSERT_TRUE(platform::ShowHelp(&owner, platform::HELP_CONTENTS, 0));
  platform::HelpViewer* v = platform::OpenHelpViewer();
  ASSERT_NE(v, nullptr);
  QCoreApplication::processEvents();
  // Within the screen, as near the owner's middle as the screen lets it be.
  const QRect g = v->frameGeometry();
  EXPECT_TRUE(free.contains(g)) << g.x() << "," << g.y() << " " << g.width() << "x" << g.height();
  const QPoint want = owner.frameGeometry().center();
  EXPECT_LE(std::abs(g.center().x() - std::clamp(want.x(), free.left() + g.width() / 2, free.right() - g.width() / 2)),
            40);
  EXPECT_LE(std::abs(g.center().y() - std::clamp(want.y(), free.top() + g.height() / 2, free.bottom() - g.height() / 2)),
            40);
  // "&Find a topic:" marks its access key instead of showing the "&".
  const auto* find = v->findChild<QLabel*>(QStringLiteral("helpFind"));
  ASSERT_NE(find, nullptr);
  EXPECT_EQ(find->buddy(), v->searchBox());
  // Every title of the shipped topics fits the list beside the topic.
  const int room = v->results()->viewport()->width();
  ASSERT_GT(v->results()->count(), 0);
  for (int i = 0; i < v->results()->count(); ++i) {
    const QString title = v->results()->item(i)->text();
    EXPECT_LE(v->results()->fontMetrics().horizontalAdvance(title), room) << title.toStdString();
  }
}

TEST_F(HelpViewerTest, LinksLeavingTheFolderAreNotFollowed) {
  ASSERT_TRUE(platform::ShowHelp(nullptr, platform::HELP_CONTEXT, 100));
  platform::HelpViewer* v = platform::OpenHelpViewer();
  v->browser()->setSource(QUrl(QStringLiteral("../outside.html")));
  EXPECT_EQ(Shown(), "a.html");
  v->browser()->setSource(QUrl(QStringLiteral("sub/b.html")));
  EXPECT_EQ(Shown(), "sub/b.html");
}

std::vector<std::string>& openedLinks() {
  static std::vector<std::string> links;
  return links;
}

// A topic's web page and mail links go to the desktop's opener; links of any other scheme are
// refused and the topic stays.
TEST_F(HelpViewerTest, OnlyWebPagesAndMailLinksLeaveTheViewer) {
  ASSERT_TRUE(platform::ShowHelp(nullptr, platform::HELP_CONTEXT, 100));
  platform::HelpViewer* v = platform::OpenHelpViewer();
  platform::SetHelpLinkOpener([](std::string_view address) { openedLinks().emplace_back(address); });
  const struct {
    const char* link;
    bool opened;
  } cases[] = {
      {"https://zorvane.org/", true},
      {"http://zorvane.org/page", true},
      {"mailto:me@example.org?Subject=Hi", true},
      {"smb://host/share/run.desktop", false},
      {"ftp://host/file", false},
      {"javascript:alert(1)", false},
      {"x-terminal-emulator:anything", false},
      {"ssh://host", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.link);
    openedLinks().clear();
    v->browser()->setSource(QUrl(QString::fromLatin1(c.link)));
    EXPECT_EQ(openedLinks(), c.opened ? std::vector<std::string>{c.link} : std::vector<std::string>{});
    EXPECT_EQ(Shown(), "a.html");
  }
  platform::SetHelpLinkOpener(nullptr);
}

TEST_F(HelpViewerTest, MissingFolderShowsAMessageInsteadOfATopic) {
  platform::SetHelpFolder(fx.root + "/nothing-here");
  ASSERT_TRUE(platform::ShowHelp(nullptr, platform::HELP_CONTEXT, 100));
  EXPECT_TRUE(platform::OpenHelpViewer()->browser()->toPlainText().startsWith("The help topics could not be found"));
}

// A modal window blocks every other window; the viewer opened from it, or open when it appears,
// stays usable, and is a window of its own again once the modal window has closed.
TEST_F(HelpViewerTest, ViewerStaysUsableWhileAModalWindowIsOpen) {
  platform::InstallHelpKeys();
  ASSERT_TRUE(platform::ShowHelp(nullptr, platform::HELP_CONTENTS, 0));
  QPointer<platform::HelpViewer> v = platform::OpenHelpViewer();

  bool blockedWhileModal = true, followedModal = false, blockedInner = true;
  QDialog dialog;
  QTimer::singleShot(0, &dialog, [&] {
    QCoreApplication::processEvents();
    followedModal = v && v->parentWidget() == &dialog;
    blockedWhileModal = !v || v->IsBlocked();
    // Help asked for from a second modal window above the first.
    QDialog inner(&dialog);
    QTimer::singleShot(0, &inner, [&] {
      platform::ShowHelp(&inner, platform::HELP_CONTEXT, 100);
      QCoreApplication::processEvents();
      blockedInner = !v || v->IsBlocked();
      inner.accept();
    });
    inner.exec();
    dialog.accept();
  });
  dialog.exec();
  QCoreApplication::processEvents();

  ASSERT_FALSE(v.isNull());
  EXPECT_TRUE(followedModal);
  EXPECT_FALSE(blockedWhileModal);
  EXPECT_FALSE(blockedInner);
  EXPECT_EQ(v->parentWidget(), nullptr);
  EXPECT_TRUE(v->isVisible());
  EXPECT_FALSE(v->IsBlocked());
  EXPECT_EQ(Shown(), "a.html");
}

void Press(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent e(QEvent::KeyPress, key, mods);
  QApplication::sendEvent(w, &e);
}
void Click(QWidget* w) {
  const QPointF p(1, 1);
  QMouseEvent press(QEvent::MouseButtonPress, p, w->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, p, w->mapToGlobal(p), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &release);
}

TEST_F(HelpViewerTest, F1OpensTheNearestNumberAndShiftF1ThenAClickTheWhatsThisNumber) {
  platform::InstallHelpKeys();
  QWidget window;
  window.setProperty("HelpContextID", 100);
  auto* frame = new QWidget(&window);
  frame->setProperty("HelpContextID", 120);
  auto* box = new QLineEdit(frame);
  box->setProperty("HelpContextID", 110);
  auto* bare = new QLineEdit(frame);  // no number: its frame's
  auto* label = new QLabel(QStringLiteral("Label"), &window);
  label->setProperty("WhatsThisHelpID", 110);
  auto* plain = new QLabel(QStringLiteral("Plain"), &window);  // no number: the window's
  QWidget lonely;                                              // no number anywhere: contents
  auto* lonelyBox = new QLineEdit(&lonely);

  EXPECT_EQ(platform::ContextNumberFor(bare), 120);
  EXPECT_EQ(platform::ContextNumberFor(plain), 100);
  EXPECT_EQ(platform::ContextNumberFor(lonelyBox), 0);
  EXPECT_EQ(platform::WhatsThisNumberFor(label), 110);
  EXPECT_EQ(platform::WhatsThisNumberFor(box), 110);

  struct Case {
    QWidget* target;
    const char* shown;
    const char* anchor;
  } f1[] = {{box, "sub/b.html", "first"}, {bare, "sub/b.html", "second"}, {plain, "a.html", ""},
            {lonelyBox, "contents.html", ""}};
  for (const Case& c : f1) {
    SCOPED_TRACE(c.shown);
    Press(c.target, Qt::Key_F1);
    ASSERT_NE(platform::OpenHelpViewer(), nullptr);
    EXPECT_EQ(Shown(), c.shown);
    EXPECT_EQ(platform::OpenHelpViewer()->CurrentAnchor(), c.anchor);
  }

  Press(box, Qt::Key_F1, Qt::ShiftModifier);
  Click(label);
  EXPECT_EQ(Shown(), "sub/b.html");
  EXPECT_EQ(platform::OpenHelpViewer()->CurrentAnchor(), "first");
  // The click was taken by the help mode; the next click is an ordinary one again.
  platform::ShowHelp(nullptr, platform::HELP_CONTENTS, 0);
  Click(label);
  EXPECT_EQ(Shown(), "contents.html");
  // Esc leaves the mode without opening anything.
  Press(box, Qt::Key_F1, Qt::ShiftModifier);
  Press(box, Qt::Key_Escape);
  Click(plain);
  EXPECT_EQ(Shown(), "contents.html");
}

// F1 on a widget without a number opens the table's topic of the widget or of the nearest frame
// the table names; a number on the way wins; with neither the contents. Shift+F1 and a click
// follow the same table.
TEST_F(HelpViewerTest, F1WithoutANumberOpensTheTopicTheControlTableGivesItsFrame) {
  WriteControlTable(fx);
  platform::InstallHelpKeys();
  QWidget window;
  window.setObjectName(QStringLiteral("win"));
  auto* frame = new QWidget(&window);
  frame->setObjectName(QStringLiteral("frame"));
  auto* inFrame = new QLineEdit(frame);
  auto* numbered = new QLineEdit(frame);
  numbered->setProperty("HelpContextID", 110);
  auto* box = new QLineEdit(frame);  // its own line wins over its frame's
  box->setObjectName(QStringLiteral("box"));
  auto* outside = new QLineEdit(&window);  // no line on the way, no number: the contents
  QWidget otherWindow;
  otherWindow.setObjectName(QStringLiteral("other"));
  auto* otherFrame = new QWidget(&otherWindow);
  otherFrame->setObjectName(QStringLiteral("frame"));
  auto* otherBox = new QLineEdit(otherFrame);

  struct Case {
    QWidget* target;
    const char* shown;
    const char* anchor;
  } cases[] = {{inFrame, "sub/b.html", "third"}, {numbered, "sub/b.html", "first"}, {box, "sub/b.html", "first"},
               {outside, "contents.html", ""},   {otherBox, "a.html", ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.shown) + "#" + c.anchor);
    platform::ShowHelp(nullptr, platform::HELP_QUIT, 0);
    Press(c.target, Qt::Key_F1);
    ASSERT_NE(platform::OpenHelpViewer(), nullptr);
    EXPECT_EQ(Shown(), c.shown);
    EXPECT_EQ(platform::OpenHelpViewer()->CurrentAnchor(), c.anchor);
    const platform::HelpTopic* t = platform::HelpTopicFor(c.target, platform::OpenHelpViewer()->index());
    EXPECT_EQ(t == nullptr, std::string(c.shown) == "contents.html");
  }
  platform::ShowHelp(nullptr, platform::HELP_CONTENTS, 0);
  Press(outside, Qt::Key_F1, Qt::ShiftModifier);
  Click(inFrame);
  EXPECT_EQ(Shown(), "sub/b.html");
  EXPECT_EQ(platform::OpenHelpViewer()->CurrentAnchor(), "third");
}


// F1 in the open drop-down list of a combo box opens the combo box's topic (its number, its
// table line or its frame's), not the contents, and closes the list; Shift+F1 and a click on
// the list do the same. The list is a popup window of its own, parented to the combo box.
TEST_F(HelpViewerTest, F1InAnOpenComboListOpensTheCombosTopic) {
  WriteControlTable(fx);
  platform::InstallHelpKeys();
  QWidget window;
  window.setObjectName(QStringLiteral("win"));
  auto* frame = new QWidget(&window);
  frame->setObjectName(QStringLiteral("frame"));
  auto* layout = new QVBoxLayout(frame);
  auto* numbered = new QComboBox;  // its own number
  numbered->setProperty("HelpContextID", 100);
  auto* named = new QComboBox;  // its own table line
  named->setObjectName(QStringLiteral("box"));
  auto* inFrame = new QComboBox;  // its frame's line
  for (QComboBox* combo : {numbered, named, inFrame}) {
    combo->addItems({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")});
    layout->addWidget(combo);
  }
  window.show();
  QApplication::setActiveWindow(&window);

  struct Case {
    QComboBox* combo;
    const char* shown;
    const char* anchor;
  } cases[] = {{numbered, "a.html", ""}, {named, "sub/b.html", "first"}, {inFrame, "sub/b.html", "third"}};
  for (bool whatsThis : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.shown) + "#" + c.anchor + (whatsThis ? " (Shift+F1)" : " (F1)"));
      platform::ShowHelp(nullptr, platform::HELP_QUIT, 0);
      c.combo->setFocus();
      c.combo->showPopup();
      QAbstractItemView* list = c.combo->view();
      ASSERT_TRUE(list->isVisible());
      QWidget* popup = list->window();
      ASSERT_NE(popup, &window);
      QWidget* focused = QApplication::focusWidget();
      ASSERT_NE(focused, nullptr);
      ASSERT_EQ(focused->window(), popup);
      EXPECT_EQ(platform::ContextNumberFor(focused), c.combo == numbered ? 100 : 0);
      if (whatsThis) {
        Press(focused, Qt::Key_F1, Qt::ShiftModifier);
        Click(list->viewport());
      } else {
        Press(focused, Qt::Key_F1);
      }
      ASSERT_NE(platform::OpenHelpViewer(), nullptr);
      EXPECT_EQ(Shown(), c.shown);
      EXPECT_EQ(platform::OpenHelpViewer()->CurrentAnchor(), c.anchor);
      EXPECT_FALSE(list->isVisible());
    }
  }
}

}  // namespace
