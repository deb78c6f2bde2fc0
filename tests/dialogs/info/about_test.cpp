// The about window: its texts and links, the hidden switches, and the demo of the factory
// galaxy types that leaves the user's records as they were, driven by a fake pacer.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "dialogs/info/frm_about.h"
#include "dialogs/info/frm_credits.h"
#include "dialogs/info/mail_links.h"
#include "dialogs/info/perf_switches.h"
#include "dialogs/info/product_info.h"
#include "engine/engine_fixture.h"
#include "host/qt_test_app.h"
#include "host/window_state.h"
#include "model/galaxy_types.h"
#include "presentation/frame_pacing.h"
#include "settings/factory_galaxies.h"
#include "store/typed_readers.h"
#include "support/test_support.h"

namespace {

std::vector<std::string> opened;
void Record(std::string_view address) { opened.emplace_back(address); }

// A pacer that runs `onPace` at every pacer call and `onFrame` at every frame shown.
class Pacer : public enginetest::FakeHost {
 public:
  std::function<void()> onPace, onFrame;

 protected:
  void OnPace() override {
    if (onPace) onPace();
  }
  void OnFrame() override {
    if (onFrame) onFrame();
  }
};

// The user's records: every one made different from the factory and from the defaults.
void MakeUserRecords() {
  auto& r = model::records();
  for (int n = 0; n < 50; ++n) {
    auto& g = r.GalaxyTypes[static_cast<size_t>(n)];
    g._UniGalName = "User galaxy " + std::to_string(n);
    g._UniGalPct = 7 + n;
    g.Galaxy_Radius = 1000 + n;
    g.Galaxy_Rotation = 2000 + n;
    g.Galaxy_HueStart = n;
    g.Ifs.Galaxy_IFS_Points = n % 5;
    g.Ifs.IfsX[1] = 300 + n;
    g.Atoms.Galaxy_Atoms = n % 32;
    g.Galaxy_RadiusExp = 0.5f + 0.01f * static_cast<float>(n);
    g.OrbitAngle = 0.25f * static_cast<float>(n);
    g.LevelTilt[2] = static_cast<float>(n);
    g.Atoms.AtomExtra087[4] = 0.5f * static_cast<float>(n);
  }
  for (int c = 0; c < 16; ++c) {
    auto& comp = r.CompositeGalaxies[static_cast<size_t>(c)];
    comp._CompGalName = "User composite " + std::to_string(c);
    comp._CompGalPct = 11 + c;
    comp.CompGal_Count = 2;
    comp.CompGal_Type[1] = c;
    comp.CompGal_CumWeight[3] = 40 + c;
  }
}

struct Snapshot {
  std::array<model::GalaxyTypeProps, 50> types;
  std::array<model::CompositeRecord, 16> composites;
};
Snapshot Take() {
  Snapshot s;
  for (size_t i = 0; i < 50; ++i) s.types[i] = model::records().GalaxyTypes[i];
  for (size_t i = 0; i < 16; ++i) s.composites[i] = model::records().CompositeGalaxies[i];
  return s;
}
void ExpectRecordsEqual(const Snapshot& s) {
  for (size_t i = 0; i < 50; ++i) {
    SCOPED_TRACE(i);
    const auto& a = s.types[i];
    const auto& b = model::records().GalaxyTypes[i];
    EXPECT_EQ(a._UniGalName, b._UniGalName);
    EXPECT_EQ(a._UniGalPct, b._UniGalPct);
    EXPECT_EQ(a.Galaxy_Radius, b.Galaxy_Radius);
    EXPECT_EQ(a.Galaxy_Rotation, b.Galaxy_Rotation);
    EXPECT_EQ(a.Galaxy_Distance, b.Galaxy_Distance);
    EXPECT_EQ(a.Galaxy_StdLevels, b.Galaxy_StdLevels);
    EXPECT_EQ(a.Galaxy_HueStart, b.Galaxy_HueStart);
    EXPECT_EQ(a.Galaxy_RadiusExp, b.Galaxy_RadiusExp);
    EXPECT_EQ(std::memcmp(&a.Ifs, &b.Ifs, sizeof a.Ifs), 0);
    EXPECT_EQ(std::memcmp(&a.Atoms, &b.Atoms, sizeof a.Atoms), 0);
    EXPECT_TRUE(a == b);  // every field, run-time values included
  }
  for (size_t i = 0; i < 16; ++i) {
    SCOPED_TRACE(i);
    const auto& a = s.composites[i];
    const auto& b = model::records().CompositeGalaxies[i];
    EXPECT_EQ(a._CompGalName, b._CompGalName);
    EXPECT_EQ(a._CompGalPct, b._CompGalPct);
    EXPECT_EQ(a.CompGal_Count, b.CompGal_Count);
    EXPECT_EQ(a.CompGal_Type, b.CompGal_Type);
    EXPECT_TRUE(a == b);
  }
}

class AboutWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureQtApplication();
    enginetest::ResetEngineModules(7);
    enginetest::InstallFakeHost(&pacer);
    opened.clear();
    dialogs::SetLinkOpener(&Record);
    MakeUserRecords();
  }
  void TearDown() override {
    enginetest::InstallFakeHost(nullptr);
    dialogs::SetLinkOpener(nullptr);
    dialogs::SetInputBox(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  static void Activate(QWidget* w) {
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(w, &activate);
  }
  testsupport::TempConfig config;
  Pacer pacer;
};

TEST_F(AboutWindow, DemoPlaysFactoryTypesAndLeavesTheUsersRecords) {
  const Snapshot before = Take();
  settings::LoadFactoryDefaults();
  std::vector<int32_t> weights;
  for (size_t i = 0; i < 50; ++i) weights.push_back(model::records().GalaxyTypes[i]._UniGalPct);
  for (size_t i = 0; i < 50; ++i) model::records().GalaxyTypes[i] = before.types[i];
  for (size_t i = 0; i < 16; ++i) model::records().CompositeGalaxies[i] = before.composites[i];
  // The types the demo plays: 0, then every type with a factory weight above 0, in order.
  std::vector<int32_t> expected{0};
  for (int32_t k = 1; k < 50 && expected.size() < 3; ++k)
    if (weights[static_cast<size_t>(k)] > 0) expected.push_back(k);
  ASSERT_EQ(expected.size(), 3u);

  auto* w = new dialogs::frmAbout;
  w->FormLet(dialogs::CreditLines());
  w->EnsureLoaded();
  std::vector<int32_t> played;
  bool factoryShown = true;
  pacer.onPace = [&] {
    if (pacer.paces == 0) return;  // the events let run once before the demo starts
    if (played.empty() || played.back() != w->DemoType()) played.push_back(w->DemoType());
    const auto& shown = model::records().GalaxyTypes[0];
    factoryShown = factoryShown && !(shown.Galaxy_Radius == 1000 && shown.Galaxy_Rotation == 2000);
    if (played.size() == 3 && pacer.paces > 2 * 300) w->cmdDismiss_Click();
  };
  Activate(w);  // the demo runs inside the activation until OK
  EXPECT_TRUE(factoryShown);
  EXPECT_EQ(played, expected);
  EXPECT_FALSE(w->IsLoaded());
  EXPECT_TRUE(presentation::pacing().G_bCancel);
  ExpectRecordsEqual(before);

  // An activation after the close starts no demo.
  const int paces = pacer.paces;
  Activate(w);
  EXPECT_EQ(pacer.paces, paces);
  w->Release();
}

TEST_F(AboutWindow, ClosingTheWindowAnyWayEndsTheDemoAndRestoresTheRecords) {
  const Snapshot before = Take();
  auto* w = new dialogs::frmAbout;
  w->EnsureLoaded();
  pacer.onPace = [&] {
    if (pacer.paces == 5) w->close();  // the close box, not OK
  };
  Activate(w);
  EXPECT_TRUE(presentation::pacing().G_bCancel);
  EXPECT_LT(pacer.paces, 10);
  ExpectRecordsEqual(before);
  w->Release();
}

TEST_F(AboutWindow, EachOpeningStartsAtTypeZeroWithFreshCredits) {
  std::vector<int32_t> firstType;
  std::vector<size_t> credits;
  for (int round = 0; round < 2; ++round) {
    pacer.paces = 0;
    pacer.onPace = [&] {
      auto* w = dynamic_cast<dialogs::frmAbout*>(QApplication::activeModalWidget());
      if (w == nullptr || pacer.paces != 3) return;
      firstType.push_back(w->DemoType());
      credits.push_back(w->Credits().size());
      w->cmdDismiss_Click();
    };
    dialogs::ShowAbout();
  }
  EXPECT_EQ(firstType, (std::vector<int32_t>{0, 0}));
  EXPECT_EQ(credits, (std::vector<size_t>{37, 37}));
}

// A build from the project's history carries its revision as build number, never a bare 0.
TEST(ProductVersion, BuildNumberIsTheSourceRevision) {
  const std::filesystem::path source = std::filesystem::path(ZV_HELP_SOURCE).parent_path();
  const std::string readable = "git -C '" + source.string() + "' rev-list --count HEAD >/dev/null 2>&1";
  if (!std::filesystem::exists(source / ".git") || std::system(readable.c_str()) != 0)
    GTEST_SKIP() << "not built from a readable checkout";
  EXPECT_GT(dialogs::kBuildNumber, 0);
  EXPECT_NE(dialogs::AboutVersionLine().find("    Build: " + std::to_string(dialogs::kBuildNumber) + " for"),
            std::string::npos);
}

TEST_F(AboutWindow, TextsLinksAndShadows) {
  auto* w = new dialogs::frmAbout;
  w->EnsureLoaded();
  EXPECT_EQ(w->Caption(), "About Zorvane");
  EXPECT_EQ(dialogs::AboutVersionLine(), std::string("Version ") + dialogs::kVersionText + "    Build: " +
                                             std::to_string(dialogs::kBuildNumber) + " for Windows Vista++");
  EXPECT_EQ(dialogs::AboutParagraph(),
            "Complete documentation can be found in the online Help.  Send your questions and suggestions via email "
            "to the author.  Cheers.");
  const struct {
    controls::ControlArray<controls::Label>& array;
    int face;
    std::string text;
  } texts[] = {
      {w->lblProduct, 0, "Zorvane"},
      {w->lblVersion, 0, dialogs::AboutVersionLine()},
      {w->lblContact, 0, "Contact the Product Author for Information:"},
      {w->lblEmail, 0, "Email: "},
      {w->lblEmail, 2, dialogs::kContactAddress},
      {w->lblWeb, 0, "Web:   "},
      {w->lblWeb, 2, "FAQ:   "},
      {w->lblWeb, 4, dialogs::kHomePage},
      {w->lblWeb, 6, dialogs::kFaqPage},
      {w->lblSmall, 0, dialogs::AboutParagraph()},
      {w->lblCopy, 0, dialogs::kNotice},
      {w->lblZORV, 0, dialogs::kMakerLine},
  };
  const int32_t px = presentation::render().TwipsPerPixelX, py = presentation::render().TwipsPerPixelY;
  for (const auto& t : texts) {
    SCOPED_TRACE(t.text);
    EXPECT_EQ(t.array[t.face].Caption(), t.text);
    EXPECT_EQ(t.array[t.face + 1].Caption(), t.text);
    const int dx = &t.array == &w->lblProduct ? 2 : 1;
    EXPECT_EQ(t.array[t.face + 1].Left(), t.array[t.face].Left() + dx * px);
    EXPECT_EQ(t.array[t.face + 1].Top(), t.array[t.face].Top() + py);
  }
  EXPECT_EQ(w->lblEmail[2].Width(), 4500);
  EXPECT_EQ(w->lblWeb[6].Width(), 5100);
  EXPECT_EQ(w->cmdTellFriend->Caption(), "&Email a Friend...");
  EXPECT_EQ(w->cmdDismiss->Caption(), "OK");
  EXPECT_EQ(w->DefaultButton(), w->cmdDismiss);
  EXPECT_EQ(w->CancelButton(), w->cmdDismiss);

  for (int i : {0, 1}) w->lblEmail_Click(i);
  for (int i : {0, 1, 2, 3}) w->lblWeb_Click(i);
  EXPECT_TRUE(opened.empty());
  for (int i : {2, 3}) w->lblEmail_Click(i);
  for (int i : {4, 5, 6, 7}) w->lblWeb_Click(i);
  w->cmdTellFriend_Click();
  const std::string contact = dialogs::ContactMailLink();
  EXPECT_EQ(opened, (std::vector<std::string>{contact, contact, dialogs::kHomePage, dialogs::kHomePage,
                                              dialogs::kFaqPage, dialogs::kFaqPage,
                                              dialogs::RecommendationMailLink()}));
  w->Release();
}

TEST_F(AboutWindow, CreditLinesKeepTheirForms) {
  const std::vector<std::string> lines = dialogs::CreditLines();
  ASSERT_EQ(lines.size(), 37u);
  for (int heading : {0, 2, 20, 30}) {
    EXPECT_NE(lines[heading][0], ' ') << heading;
    EXPECT_EQ(lines[heading].back(), ':') << heading;
  }
  EXPECT_EQ(lines[0], "Software Engineer:");
  EXPECT_EQ(lines[3], "     B-Splines, World Rotation ");
  EXPECT_EQ(lines[4], "     and Perspective Transforms: ");
  EXPECT_EQ(lines[5], "     >  Fund. of Comp. Graphics");
  EXPECT_EQ(lines[7], "     Geometry and Clipping: ");
  EXPECT_EQ(lines[8], "     >  A Programmer's Geometry");
  EXPECT_EQ(lines[10], "     Physical Models:");
  EXPECT_EQ(lines[11], "     >  College Physics 4th Ed.");
  EXPECT_EQ(lines[13], "     Chemistry Background:");
  EXPECT_EQ(lines[14], "     >  Chemistry - The Central");
  EXPECT_EQ(lines[15], "        Science  6th Ed.");
  EXPECT_EQ(lines[17], "     Screen Saver Tips:");
  EXPECT_EQ(lines[18], "     >  32-Bit Saver Programming");
  for (int author : {6, 9, 12, 16, 19}) EXPECT_EQ(lines[author].rfind("     -   ", 0), 0u) << author;
  for (int tester = 21; tester <= 29; ++tester) {
    EXPECT_EQ(lines[tester].rfind("     -  ", 0), 0u) << tester;
    EXPECT_NE(lines[tester][8], ' ') << tester;
  }
  for (int body = 31; body <= 33; ++body) EXPECT_EQ(lines[body].rfind("     ", 0), 0u) << body;
  EXPECT_EQ(lines[34], "     Cheers.");
  EXPECT_EQ(lines[35], " ");
  EXPECT_EQ(lines[36], dialogs::kNotice);
  EXPECT_NE(lines[36][0], ' ');
}

// The demo type at every frame shown. A type plays kDemoFrames frames, so the frames fall into
// blocks of that length, one a type played.
constexpr size_t kDemoFrames = 300;
std::vector<int32_t> PlayedBlocks(const std::vector<int32_t>& types) {
  std::vector<int32_t> blocks;
  for (size_t i = 0; i + kDemoFrames <= types.size(); i += kDemoFrames) {
    for (size_t j = i; j < i + kDemoFrames; ++j) EXPECT_EQ(types[j], types[i]) << j;
    blocks.push_back(types[i]);
  }
  return blocks;
}

TEST_F(AboutWindow, DemoOrderFollowsTheFactoryWeights) {
  settings::InitGalaxyStyleNames();
  const std::vector<int32_t> factory = settings::factoryGalaxies().GalaxyStylePcts;
  const struct {
    std::map<int, int32_t> weights;  // every other type weighs 0
    std::vector<int32_t> order;
  } cases[] = {
      {{{49, 5}}, {0, 49, 0, 49}},           // types of weight 0 are skipped; after 49 comes 0
      {{}, {0, 0, 0}},                       // type 0 alone plays again and again
      {{{3, 1}, {7, -2}, {8, 2}}, {0, 3, 8}},  // type 0 plays whatever its weight; -2 counts as none
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.order.size() * 100 + c.order[1]);
    auto& pcts = settings::factoryGalaxies().GalaxyStylePcts;
    std::fill(pcts.begin(), pcts.end(), 0);
    for (auto [type, weight] : c.weights) pcts[static_cast<size_t>(type)] = weight;
    auto* w = new dialogs::frmAbout;
    w->EnsureLoaded();
    std::vector<int32_t> types;
    pacer.onFrame = [&] { types.push_back(w->DemoType()); };
    pacer.onPace = [&] {
      // The last frame of a galaxy has no pacer call of its own.
      if (types.size() >= c.order.size() * kDemoFrames && w->IsLoaded()) w->cmdDismiss_Click();
    };
    Activate(w);
    EXPECT_EQ(PlayedBlocks(types), c.order);
    w->Release();
  }
  settings::factoryGalaxies().GalaxyStylePcts = factory;
}

TEST_F(AboutWindow, CreditsPauseTheDemoWhichGoesOnWithTheTypePlaying) {
  for (int openings : {1, 2}) {
    SCOPED_TRACE(openings);
    MakeUserRecords();
    const Snapshot before = Take();
    auto* w = new dialogs::frmAbout;
    w->FormLet(dialogs::CreditLines());
    w->EnsureLoaded();
    ASSERT_TRUE(w->cmdCredits->Visible());
    std::vector<int32_t> types;
    std::vector<size_t> openedAt;
    int creditPaces = 0;
    struct Seen {
      int32_t stars;
      float speed, step;
      size_t lines;
      int width;
    };
    std::vector<Seen> seen;
    pacer.onFrame = [&] {
      if (dynamic_cast<dialogs::frmCredits*>(QApplication::activeModalWidget()) == nullptr)
        types.push_back(w->DemoType());
    };
    pacer.onPace = [&] {
      if (auto* credits = dynamic_cast<dialogs::frmCredits*>(QApplication::activeModalWidget())) {
        if (++creditPaces % 7 != 0) return;
        seen.push_back({credits->StarCount, credits->StarSpeed, credits->ScrollStep, credits->CreditLines.size(),
                        credits->width()});
        // The factory types stay loaded while the credits run.
        EXPECT_NE(model::records().GalaxyTypes[0].Galaxy_Radius, 1000);
        credits->cmdDismiss_Click();
        return;
      }
      // Open the credits in the middle of the second and the fourth galaxy played.
      const size_t n = types.size();
      if (openedAt.size() < static_cast<size_t>(openings) && n >= (2 * openedAt.size() + 1) * kDemoFrames + 120) {
        openedAt.push_back(n);
        w->cmdCredits_Click();  // returns once the restarted demo has ended
        return;
      }
      if (n >= (2 * static_cast<size_t>(openings) + 3) * kDemoFrames && w->IsLoaded()) w->cmdDismiss_Click();
    };
    Activate(w);
    EXPECT_FALSE(w->IsLoaded());
    EXPECT_TRUE(presentation::pacing().G_bCancel);
    ExpectRecordsEqual(before);
    ASSERT_EQ(openedAt.size(), static_cast<size_t>(openings));
    ASSERT_EQ(seen.size(), static_cast<size_t>(openings));
    for (const Seen& s : seen) {
      EXPECT_EQ(s.stars, 1200);
      EXPECT_FLOAT_EQ(s.speed, 0.005f);
      EXPECT_FLOAT_EQ(s.step, 1.0f);
      EXPECT_EQ(s.lines, 37u);
      EXPECT_EQ(s.width, static_cast<int>(std::nearbyint(1.05 * w->width())));
    }
    // After each opening the type that was playing starts again from its first frame and plays
    // a whole galaxy; the one before it was cut short.
    for (size_t at : openedAt) {
      const int32_t playing = types[at - 1];
      size_t run = 0;
      while (at + run < types.size() && types[at + run] == playing) ++run;
      EXPECT_EQ(run, kDemoFrames) << at;
    }
    w->Release();
  }
}

std::string lastPrompt, lastTitle, lastDefault, answer;
std::string FakeInput(const std::string& prompt, const std::string& title, const std::string& def) {
  lastPrompt = prompt;
  lastTitle = title;
  lastDefault = def;
  return answer;
}

TEST_F(AboutWindow, HiddenSwitchesAskAndStore) {
  dialogs::SetInputBox(&FakeInput);
  auto* w = new dialogs::frmAbout;
  w->EnsureLoaded();
  store::SaveRegSetting("DirectX", "DX_WriteLog", "40");
  answer = "";
  w->lblCopy[1].DblClick();
  EXPECT_EQ(lastTitle, dialogs::kLogSwitchTitle);
  EXPECT_EQ(lastPrompt, dialogs::LogSwitchPrompt(host::PerUserDataFolderName()));
  EXPECT_EQ(lastDefault, "40");
  EXPECT_EQ(store::GetSettingString("DirectX", "DX_WriteLog", ""), "40");
  answer = "1";
  w->lblSmall[0].DblClick();
  EXPECT_EQ(lastTitle, dialogs::kDisplaySwitchTitle);
  EXPECT_EQ(lastPrompt, dialogs::DisplaySwitchPrompt());
  EXPECT_EQ(store::GetSettingString("DirectX", "DX_ShowFPS", ""), "1");
  EXPECT_EQ(store::GetSettingString("DirectX", "DX_WriteLog", ""), "100");
  w->Release();
}

}  // namespace
