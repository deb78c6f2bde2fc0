#include <gtest/gtest.h>

#include "engine/core/hue_wheel.h"
#include "host/presentation/compositor.h"
#include "host/presentation/frame_pacing.h"
#include "host/presentation/render_state.h"
#include "host/services/registry_access.h"
#include "host/startup.h"
#include "settings/store/typed_readers.h"
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
  void RunPreview() override { calls.push_back("preview:" + std::to_string(pacing().PreviewParentHwnd)); }
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
    pacing().PreviewParentHwnd = -1;
    DispatchCommandLine(c.cmd, a);
    EXPECT_EQ(Join(a.calls), c.expect) << "[" << c.cmd << "]";
  }
  ResetPacingState();
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
    render().ScreenPixelWidth = c.w;
    render().ScreenPixelHeight = c.h;
    BuildWindowSizeList();
    std::vector<std::pair<int, int>> got;
    for (const auto& e : render().WindowSizeList) got.emplace_back(e.Width, e.Height);
    EXPECT_EQ(got, c.expect) << c.w << "x" << c.h;
    EXPECT_EQ(render().RenderBitsPerPixel, 32);
  }
  ResetRenderState();
}

TEST(Startup, MonitorsAndScreenMetrics) {
  ResetRenderState();
  ResetStartupState();
  RecordScreenMetrics(1920, 1080, 96.0, 96.0);
  EXPECT_EQ(render().TwipsPerPixelX, 15);
  EXPECT_EQ(startup().ScreenTwipsWidth, 28800);
  EXPECT_EQ(render().ScreenPixelWidth, 1920);
  EXPECT_EQ(render().ScreenPixelHeight, 1080);
  // The primary monitor and one to its left.
  EXPECT_EQ(MonitorEnumProc({0, 0, 1920, 1080, true}), 1);
  EXPECT_EQ(render().MonitorCount, 0);
  EXPECT_EQ(startup().DesktopMaxRight, 1920);
  MonitorEnumProc({-1280, 100, 0, 1124, false});
  ASSERT_EQ(render().MonitorCount, 1);
  EXPECT_EQ(render().MonitorLeft[0], -1280);
  EXPECT_EQ(render().MonitorTop[0], 100);
  EXPECT_EQ(render().MonitorWidth[0], 1280);
  EXPECT_EQ(render().MonitorHeight[0], 1024);
  EXPECT_EQ(startup().DesktopMaxRight, 1920);
  EXPECT_EQ(startup().DesktopMaxBottom, 1124);
  EXPECT_EQ(startup().DesktopMinLeft, -1280);
  ResetRenderState();
  ResetStartupState();
}

TEST(Startup, StoredRenderSizeWrittenOnlyWhenMissing) {
  testsupport::TempConfig cfg;
  render().ScreenPixelWidth = 1366;
  render().ScreenPixelHeight = 768;
  ASSERT_TRUE(SaveRegSetting("DirectX", "DX_WinHeight", 999));
  EnsureStoredRenderSize();
  EXPECT_EQ(settings::GetSettingLong("DirectX", "DX_WinWidth", 0), 1366);
  EXPECT_EQ(settings::GetSettingLong("DirectX", "DX_WinHeight", 0), 768);
  render().ScreenPixelWidth = 800;
  render().ScreenPixelHeight = 600;
  ASSERT_TRUE(SaveRegSetting("DirectX", "DX_WinWidth", 1024));
  EnsureStoredRenderSize();
  EXPECT_EQ(settings::GetSettingLong("DirectX", "DX_WinWidth", 0), 1024);
  EXPECT_EQ(settings::GetSettingLong("DirectX", "DX_WinHeight", 0), 768);
  ResetRenderState();
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
    render().MultiMonitorMode = 7;
    if (c.mode) {
      ASSERT_TRUE(SaveRegSetting("Advanced", "Adv_MultiMonitor", c.mode));
    }
    ASSERT_TRUE(SaveRegSetting("DirectX", "DX_WriteLog", 100));
    ReadMonitorAndLogSettings();
    EXPECT_EQ(render().MultiMonitorMode, c.expect) << (c.mode ? c.mode : "missing");
    EXPECT_EQ(compositor().PerfLogFrames, 100);
  }
  ResetRenderState();
  ResetCompositorState();
}

TEST(Startup, BindingARenderTargetReadsTheStoredHueWheel) {
  // Boxes of an open advanced window that hold other divisions than the stored ones.
  struct Boxes : engine::HueWheelFields {
    std::string HueWheelText(int) const override { return "0"; }
  } boxes;
  testsupport::TempConfig cfg;
  ASSERT_TRUE(SaveRegSetting("Advanced", "Adv_HueWheel0", 10));
  engine::SetAdvancedHueWheelFields(&boxes);
  SetColorTablesReload(&ReloadColorTables);
  HeadlessRenderSurface target(64, 48);
  LoadSaverProperties(target, false, 1.0f);
  EXPECT_EQ(engine::hueWheelState().HueWheelDiv[0], 28);  // 10 degrees of the stored settings
  engine::SetAdvancedHueWheelFields(nullptr);
  SetColorTablesReload(nullptr);
  UnbindRenderTarget(&target);
  ResetRenderState();
}
