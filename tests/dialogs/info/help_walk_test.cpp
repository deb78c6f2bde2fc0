// Every window of the program, created offscreen: each help number that F1, Shift+F1 or its Help
// button can open from it names a titled topic of the shipped help.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "dialogs/info/all_windows.h"
#include "dialogs/properties/frm_props.h"
#include "dialogs/properties/props_fixture.h"
#include "platform/controls/controls.h"
#include "platform/help/help_index.h"
#include "platform/help/help_viewer.h"

namespace {

using windowwalk::AllWindows;
using windowwalk::WindowMaker;

// The Properties window's fresh process state, with the help pages of the source tree.
class HelpWalk : public dialogs::testing::PropsTest {
 protected:
  void SetUp() override {
    PropsTest::SetUp();
    platform::SetHelpFolder(ZV_HELP_SOURCE);
  }
  void TearDown() override {
    platform::ShowHelp(nullptr, platform::HELP_QUIT, 0);
    platform::SetHelpFolder("");
    PropsTest::TearDown();
    RunDeferredDeletes();
  }

  // Every number F1 (the widget's own, else its nearest parent's) or Shift+F1 can open.
  static std::set<int32_t> NumbersOf(QWidget& window) {
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.append(&window);
    std::set<int32_t> numbers;
    for (const QWidget* w : widgets) {
      numbers.insert(platform::ContextNumberFor(w));
      numbers.insert(platform::WhatsThisNumberFor(w));
    }
    numbers.erase(0);  // no number: the contents
    return numbers;
  }

  void ExpectTitledTopics(const std::set<int32_t>& numbers) {
    for (int32_t n : numbers) {
      SCOPED_TRACE(n);
      const platform::HelpTopic* topic = index.Find(n);
      ASSERT_NE(topic, nullptr);
      EXPECT_FALSE(topic->title.empty());
      EXPECT_FALSE(platform::HtmlTitleOf(topic->file).empty());
    }
  }

  // Each Help button opens the topic of its window's number, never the contents.
  static void ExpectHelpButtonsOpenTheirTopic(controls::Form& window, const platform::HelpIndex& index) {
    for (controls::Control* c : window.Controls()) {
      if (c->Name() != "cmdHelp") continue;
      platform::ShowHelp(nullptr, platform::HELP_QUIT, 0);
      static_cast<controls::CommandButton*>(c)->PerformClick();
      const platform::HelpViewer* viewer = platform::OpenHelpViewer();
      ASSERT_NE(viewer, nullptr);
      const platform::HelpTopic* topic = index.Find(window.HelpContextID());
      ASSERT_NE(topic, nullptr);
      EXPECT_EQ(viewer->CurrentFile(), topic->file);
      EXPECT_NE(viewer->CurrentFile(), index.ContentsPath());
    }
  }

  const platform::HelpIndex index = platform::HelpIndex::Load(ZV_HELP_SOURCE);
};

TEST_F(HelpWalk, EveryNumberOfEveryWindowHasATitledTopic) {
  dialogs::frmProps* props = dialogs::frmProps::Create();
  std::set<int32_t> seen;
  // The Properties dialog with each galaxy style shown.
  for (int style = 0; style < props->c.cboGalStyle->ListCount(); ++style) {
    SCOPED_TRACE(style);
    props->c.cboGalStyle->SetListIndex(style);
    const std::set<int32_t> numbers = NumbersOf(*props);
    ExpectTitledTopics(numbers);
    seen.insert(numbers.begin(), numbers.end());
  }
  EXPECT_EQ(props->c.cboGalStyle->ListCount(), 10);
  // Every number the galaxy styles give their fields was met.
  for (int32_t n : {6015, 6020, 6025, 6040, 6041, 6045, 6046, 6105, 6120, 6130, 6140, 6510, 6511, 6512, 6520, 6521,
                    6522, 6530, 6531, 6540, 6541, 6542, 6543, 6544, 6545, 6546, 6550, 6560, 6570, 6571, 6572, 6573})
    EXPECT_TRUE(seen.count(n)) << n;
  for (const WindowMaker& maker : AllWindows()) {
    SCOPED_TRACE(maker.name);
    controls::Form* window = maker.make(*props);
    window->EnsureLoaded();
    if (maker.loaded) maker.loaded(*window);
    EXPECT_EQ(window->Name(), maker.name);
    const std::set<int32_t> numbers = NumbersOf(*window);
    ExpectTitledTopics(numbers);
    ExpectHelpButtonsOpenTheirTopic(*window, index);
    seen.insert(numbers.begin(), numbers.end());
    window->Unload();
    window->Release();
  }
  // The windows with a Help button carry their own numbers; the property copy its three.
  for (int32_t n : {500, 550, 7100, 7300, 7400, 8000, 8500, 6810, 6820, 6830}) EXPECT_TRUE(seen.count(n)) << n;
  props->Unload();
  props->Release();
}

// The control of the window with that name and index (-1: not in an array), or nullptr.
controls::Control* ControlNamed(controls::Form& window, std::string_view name, int index) {
  for (controls::Control* c : window.Controls())
    if (c->Name() == name && c->Index() == index) return c;
  return nullptr;
}

std::string RelativeToHelp(const std::string& file) {
  const std::string root = QFileInfo(QStringLiteral(ZV_HELP_SOURCE)).canonicalFilePath().toStdString() + "/";
  return file.rfind(root, 0) == 0 ? file.substr(root.size()) : file;
}

// F1 on a control of the Properties window without a number of its own opens its section or the
// topic of the frame or panel that holds it, never the contents; a control with a number keeps
// opening that number's topic.
TEST_F(HelpWalk, F1InAPropertiesControlWithoutANumberOpensItsPanelsTopic) {
  platform::InstallHelpKeys();
  dialogs::frmProps& props = Open();
  struct Case {
    const char* control;
    int index;
    const char* file;
    const char* anchor;
  } cases[] = {
      {"txtUni", 10, "universe_creation.html", "expansion-speed"},
      {"spnUni", 17, "universe_creation.html", "hues"},
      {"cboUniProfile", -1, "universe_creation.html", "profile"},
      {"cmdPreviewUni", -1, "previews.html", "start"},
      {"txtUni", 20, "universe_stars.html", "new-frequency"},
      {"txtUni", 41, "universe_stars.html", "ambient"},  // through its frame "Ambient Stars"
      {"chkUniTour", -1, "universe_tour.html", "tour"},
      {"txtUni", 31, "universe_tour.html", "visit-points"},
      {"cboTourGalaxies", -1, "universe_tour.html", "tour-list"},
      {"txtUni", 34, "universe_tour.html", ""},  // the never-shown camera ramping: its panel
      {"txtUni", 51, "universe_gravity.html", "vectors"},
      {"txtUni", 0, "universe.html", "stars"},
      {"lstUniGalaxy", -1, "universe.html", "types"},
      {"cboUniExtras", -1, "universe.html", "extras"},
      {"cboUniTheme", -1, "universe_themes.html", ""},
      {"txtColorProps", 3, "hue_cone.html", "twist"},
      {"imgHueWheel", -1, "hue_cone.html", ""},
      {"cboResolution", -1, "display.html", "resolution"},
      {"txtFilterRGB", 1, "display.html", "filter"},
      {"txtDesktopBlend", 0, "display.html", "blend"},
      {"txtUni", 3, "display.html", "particle-blending"},
      {"cmdCaptureImage", 2, "previews.html", "capture"},
      {"cmdAccept", -1, "properties.html", ""},
      {"cmdPropCopy", -1, "property_copy.html", "copy"},  // its own number
      {"cboGalTheme", -1, "galaxy_themes.html", ""},
      {"cboGalaxExtras", -1, "galaxy_page.html", "extras"},
      {"cboGalColor", -1, "galaxy_hues.html", "computation"},
      {"spnGalaxy", 7, "galaxy_hues.html", "multiplier"},
      {"txtPixHue", 2, "galaxy_hues.html", "rgb"},
      {"txtPixHue", 4, "galaxy_hues.html", "blend"},
      {"cboGalStyle", -1, "galaxy_page.html", "style"},
      {"spnGalaxy", 4, "galaxy_page.html", ""},  // a shared box's spinner: its panel
      {"txtGalaxy", 96, "galaxy_page.html", "huewheel"},
      {"chkCP_AdvHW", -1, "galaxy_page.html", "nebula-options"},
      {"txtGalaxy", 11, "galaxy_events.html", "newstars"},  // through its frame "New Stars"
      {"txtGalaxy", 22, "galaxy_events.html", "novae"},
      {"cboPulsarShape", -1, "galaxy_events.html", "pulsars"},
      {"chkCometVector", -1, "galaxy_events.html", "comets"},
      {"txtGalaxy", 49, "galaxy_events.html", "colors"},
      {"lstCompMinor", -1, "composites.html", "members"},
      {"txtCompGalPct", -1, "composites.html", "composites"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.control) + "(" + std::to_string(c.index) + ")");
    controls::Control* control = ControlNamed(props, c.control, c.index);
    ASSERT_NE(control, nullptr);
    platform::ShowHelp(nullptr, platform::HELP_QUIT, 0);
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(control->Widget(), &f1);
    const platform::HelpViewer* viewer = platform::OpenHelpViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(RelativeToHelp(viewer->CurrentFile()), c.file);
    EXPECT_EQ(viewer->CurrentAnchor(), c.anchor);
  }
}

// Every control of the Properties window opens a topic about itself or its frame: only the
// window's own buttons open the window's topic. Every line of the control table names a
// control of its window (the Properties or the Advanced Settings window) and a section that
// exists.
TEST_F(HelpWalk, EveryPropertiesControlHasATopicAndEveryTableLineAControl) {
  dialogs::frmProps& props = Open();
  const platform::HelpTopic* window = platform::HelpTopicFor(&props, index);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(RelativeToHelp(window->file), "properties.html");
  for (controls::Control* c : props.Controls()) {
    const controls::ControlKind kind = c->Kind();
    if (kind == controls::ControlKind::Menu || kind == controls::ControlKind::MenuItem ||
        kind == controls::ControlKind::Line || c->Name() == "cmdAccept" || c->Name() == "cmdDismiss")
      continue;
    SCOPED_TRACE(c->Name() + "(" + std::to_string(c->Index()) + ")");
    const platform::HelpTopic* topic = platform::HelpTopicFor(c->Widget(), index);
    ASSERT_NE(topic, nullptr);
    EXPECT_NE(topic->file, window->file);
  }
  auto* advanced = new dialogs::frmAdvanced;
  advanced->FormLet(&props);
  advanced->EnsureLoaded();
  const std::map<std::string, controls::Form*> windows = {{"frmProps", &props}, {"frmAdvanced", advanced}};
  ASSERT_FALSE(index.controlTopics().empty());
  for (const platform::HelpControlTopic& row : index.controlTopics()) {
    SCOPED_TRACE(row.window + " " + row.control + "(" + std::to_string(row.index) + ") " +
                 RelativeToHelp(row.topic.file) + "#" + row.topic.anchor);
    const auto window = windows.find(row.window);
    ASSERT_NE(window, windows.end());
    const controls::Form& form = *window->second;
    const bool named = row.control == row.window ||
                       std::any_of(form.Controls().begin(), form.Controls().end(),
                                   [&](const controls::Control* c) {
                                     return c->Name() == row.control && (row.index < 0 || c->Index() == row.index);
                                   }) ||
                       (row.index < 0 && form.findChild<QWidget*>(QString::fromStdString(row.control)) != nullptr);
    EXPECT_TRUE(named);
    EXPECT_FALSE(row.topic.title.empty());
    if (!row.topic.anchor.empty()) {
      QFile f(QString::fromStdString(row.topic.file));
      ASSERT_TRUE(f.open(QIODevice::ReadOnly));
      EXPECT_TRUE(f.readAll().contains(("name=\"" + row.topic.anchor + "\"").c_str()));
    }
  }
  advanced->Unload();
  advanced->Release();
}

}  // namespace
