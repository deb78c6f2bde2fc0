// Every window of the program, created offscreen: each help number that F1, Shift+F1 or its Help
// button can open from it names a titled topic of the shipped help.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <functional>
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

}  // namespace
