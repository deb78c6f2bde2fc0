#include <gtest/gtest.h>

#include "model/hue_wheel.h"
#include "presentation/compositor.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"
#include "store/registry_access.h"
#include "host/startup.h"
#include "store/typed_readers.h"
#include "support/test_support.h"

using namespace host;

namespace {

struct FakeActions : StartupActions {
  bool propertiesOpen = false, saverOpen = false;
  std::vector<std::string> calls;
  bool IsWindowOpen(std::string_view caption) override {
    return caption == kPropertiesCaption ? propertiesOpen : caption == kSaverCaption ? saverOpen : false;
  }
  void BringWindowToFront(std::string_view c) override { calls.push_back("front:" + std::string(c)); }
  void ShowProperties() override { calls.push_back("properties"); }
  void RunSaverLoop() override { calls.push_back("saver"); }
  void RunPreview() override { calls.push_back("preview:" + std::to_string(presentation::pacing().PreviewParentHwnd)); }
  void ChangePassword(int32_t owner) override { calls.push_back("password:" + std::to_string(owner)); }
  void ApplyTemplate(const std::string& path) override { calls.push_back("template:" + path); }
};

std::string Join(const std::vector<std::string>& v) {
  std::string s;
  for (const auto& x : v) s += (s.empty() ? "" : "|") + x;
  return s;
}

}  // namespace

TEST(Startup, CommandLineDispatch) {
  struct Case {
    const char* cmd;
    bool propertiesOpen, saverOpen;
    const char* expect;
  } cases[] = {
      {"", false, false, "properties"},
      {"   ", true, false, "front:Zorvane Properties"},
      {"/c:1234", false, false, "properties"},
      {"/C", true, false, "front:Zorvane Properties"},
      {"/s", false, false, "saver"},
      {"/S", false, true, ""},
      {"/x", false, true, "saver"},
      {" /S", false, true, "saver"},
      {"/p 1234", false, false, "preview:1234"},
      {"/P1234", false, false, "preview:1234"},
      {"/p:1234", false, false, "preview:0"},
      {"/a 77", false, false, "password:77"},
      {"c:\\themes\\deep.GLX", false, false, "template:c:\\themes\\deep.GLX|saver"},
      {"/home/u/My Themes/deep.glx", false, false, "template:/home/u/My Themes/deep.glx|saver"},
      {"\"deep.glx\"", false, false, "saver"},
      {"deep.txt", false, true, "saver"},
  };
  for (const auto& c : cases) {
    FakeActions a;
    a.propertiesOpen = c.propertiesOpen;
    a.saverOpen = c.saverOpen;
    presentation::pacing().PreviewParentHwnd = -1;
    DispatchCommandLine(c.cmd, a);
    EXPECT_EQ(Join(a.calls), c.expect) << "[" << c.cmd << "]";
  }
  presentation::ResetPacingState();
}

TEST(Startup, WindowSizeListFollowsTheScreen) {
  struct Case {
    int32_t w, h;
    std::vector<std::pair<int, int>> expect;
  } cases[] = {
      {1920, 1080, {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}, {1920, 1080}}},
      {1366, 768, {{640, 480}, {800, 600}, {1024, 768}, {1366, 768}}},
      {640, 480, {{640, 480}}},
      {320, 240, {{640, 480}}},
      {1600, 1200, {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}, {1600, 1200}}},
  };
  for (const auto& c : cases) {
    presentation::render().ScreenPixelWidth = c.w;
    presentation::render().ScreenPixelHeight = c.h;
    BuildWindowSizeList();
    std::vector<std::pair<int, int>> got;
    for (const auto& e : presentation::render().WindowSizeList) got.emplace_back(e.Width, e.Height);
    EXPECT_EQ(got, c.expect) << c.w << "x" << c.h;
    EXPECT_EQ(presentation::render().RenderBitsPerPixel, 32);
  }
  presentation::ResetRenderState();
}

TEST(Startup, MonitorsAndScreenMetrics) {
  presentation::ResetRenderState();
  ResetStartupState();
  RecordScreenMetrics(1920, 1080, 96.0, 96.0);
  EXPECT_EQ(presentation::render().TwipsPerPixelX, 15);
  EXPECT_EQ(startup().ScreenTwipsWidth, 28800);
  EXPECT_EQ(presentation::render().ScreenPixelWidth, 1920);
  EXPECT_EQ(presentation::render().ScreenPixelHeight, 1080);
  // The primary monitor and one to its left.
  EXPECT_EQ(MonitorEnumProc({0, 0, 1920, 1080, true}), 1);
  EXPECT_EQ(presentation::render().MonitorCount, 0);
  EXPECT_EQ(startup().DesktopMaxRight, 1920);
  MonitorEnumProc({-1280, 100, 0, 1124, false});
  ASSERT_EQ(presentation::render().MonitorCount, 1);
  EXPECT_EQ(presentation::render().MonitorLeft[0], -1280);
  EXPECT_EQ(presentation::render().MonitorTop[0], 100);
  EXPECT_EQ(presentation::render().MonitorWidth[0], 1280);
  EXPECT_EQ(presentation::render().MonitorHeight[0], 1024);
  EXPECT_EQ(startup().DesktopMaxRight, 1920);
  EXPECT_EQ(startup().DesktopMaxBottom, 1124);
  EXPECT_EQ(startup().DesktopMinLeft, -1280);
  presentation::ResetRenderState();
  ResetStartupState();
}

TEST(Startup, StoredRenderSizeWrittenOnlyWhenMissing) {
  testsupport::TempConfig cfg;
  presentation::render().ScreenPixelWidth = 1366;
  presentation::render().ScreenPixelHeight = 768;
  ASSERT_TRUE(store::SaveRegSetting("DirectX", "DX_WinHeight", 999));
  EnsureStoredRenderSize();
  EXPECT_EQ(store::GetSettingLong("DirectX", "DX_WinWidth", 0), 1366);
  EXPECT_EQ(store::GetSettingLong("DirectX", "DX_WinHeight", 0), 768);
  presentation::render().ScreenPixelWidth = 800;
  presentation::render().ScreenPixelHeight = 600;
  ASSERT_TRUE(store::SaveRegSetting("DirectX", "DX_WinWidth", 1024));
  EnsureStoredRenderSize();
  EXPECT_EQ(store::GetSettingLong("DirectX", "DX_WinWidth", 0), 1024);
  EXPECT_EQ(store::GetSettingLong("DirectX", "DX_WinHeight", 0), 768);
  presentation::ResetRenderState();
}

TEST(Startup, MonitorModeAndLogFramesReadAsStored) {
  struct Case {
    const char* mode;  // nullptr: not stored
    int16_t expect;
  } cases[] = {
      {nullptr, 0}, {"1", 1}, {"2", 2}, {"3", 3}, {"-1", -1},
      {"40000", 7},  // beyond the 16-bit range: the mode stays as it was
  };
  for (const auto& c : cases) {
    testsupport::TempConfig cfg;
    presentation::render().MultiMonitorMode = 7;
    if (c.mode) {
      ASSERT_TRUE(store::SaveRegSetting("Advanced", "Adv_MultiMonitor", c.mode));
    }
    ASSERT_TRUE(store::SaveRegSetting("DirectX", "DX_WriteLog", 100));
    ReadMonitorAndLogSettings();
    EXPECT_EQ(presentation::render().MultiMonitorMode, c.expect) << (c.mode ? c.mode : "missing");
    EXPECT_EQ(presentation::compositor().PerfLogFrames, 100);
  }
  presentation::ResetRenderState();
  presentation::ResetCompositorState();
}

TEST(Startup, BindingARenderTargetReadsTheStoredHueWheel) {
  // Boxes of an open advanced window that hold other divisions than the stored ones.
  struct Boxes : model::HueWheelFields {
    std::string HueWheelText(int) const override { return "0"; }
  } boxes;
  testsupport::TempConfig cfg;
  ASSERT_TRUE(store::SaveRegSetting("Advanced", "Adv_HueWheel0", 10));
  model::SetAdvancedHueWheelFields(&boxes);
  presentation::SetColorTablesReload(&ReloadColorTables);
  presentation::HeadlessRenderSurface target(64, 48);
  presentation::LoadSaverProperties(target, false, 1.0f);
  EXPECT_EQ(model::hueWheelState().HueWheelDiv[0], 28);  // 10 degrees of the stored settings
  model::SetAdvancedHueWheelFields(nullptr);
  presentation::SetColorTablesReload(nullptr);
  presentation::UnbindRenderTarget(&target);
  presentation::ResetRenderState();
}

// The window a screen-saver daemon hands over: none when the variable is unset or blank, 0 for
// a text that is no window id.
TEST(Startup, DaemonWindowIdFromTheEnvironment) {
  struct Case {
    const char* value;
    std::optional<int64_t> id;
  } cases[] = {
      {nullptr, std::nullopt}, {"", std::nullopt},      {"   ", std::nullopt},  {"0x3a00007", 0x3a00007},
      {"0X1F", 0x1F},          {" 4194311 ", 4194311},  {"0", 0},               {"junk", 0},
      {"0x", 0},               {"12ab", 0},             {"-5", 0},              {"+5", 0},
      {"0x100000000", 0},      {"0xFFFFFFFF", 0xFFFFFFFFLL}, {"99999999999999999999999", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(DaemonWindowId(c.value), c.id) << (c.value ? c.value : "(unset)");
}
