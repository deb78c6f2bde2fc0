#include "host/startup.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "host/help_folder.h"
#include "platform/controls/control.h"
#include "platform/help/help_viewer.h"
#include "model/colors.h"
#include "model/hue_wheel.h"
#include "model/random_table.h"
#include "presentation/compositor.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"
#include "store/registry_access.h"
#include "store/values.h"
#include "runtime/numbers.h"
#include "settings/factory_galaxies.h"
#include "store/typed_readers.h"

namespace host {

StartupState& startup() {
  static StartupState s;
  return s;
}

void ResetStartupState() { startup() = StartupState{}; }

namespace {

int16_t ToInt16Clamped(int32_t v) {
  if (v > INT16_MAX) return INT16_MAX;
  if (v < INT16_MIN) return INT16_MIN;
  return static_cast<int16_t>(v);
}

}  // namespace

int32_t MonitorEnumProc(const MonitorRect& m) {
  presentation::RenderState& r = presentation::render();
  StartupState& s = startup();
  if (!m.primary) {
    r.MonitorTop.push_back(m.top);
    r.MonitorLeft.push_back(m.left);
    r.MonitorWidth.push_back(m.right - m.left);
    r.MonitorHeight.push_back(m.bottom - m.top);
    r.MonitorCount = ToInt16Clamped(static_cast<int32_t>(r.MonitorLeft.size()));
  }
  if (m.right > s.DesktopMaxRight) s.DesktopMaxRight = ToInt16Clamped(m.right);
  if (m.bottom > s.DesktopMaxBottom) s.DesktopMaxBottom = ToInt16Clamped(m.bottom);
  if (m.left < s.DesktopMinLeft) s.DesktopMinLeft = m.left;
  if (m.top < s.DesktopMinTop) s.DesktopMinTop = m.top;
  return 1;
}

void RecordScreenMetrics(int32_t widthPx, int32_t heightPx, double logicalDpiX, double logicalDpiY) {
  presentation::RenderState& r = presentation::render();
  StartupState& s = startup();
  // Twips per pixel: 1440 twips to the inch.
  auto twips = [](double dpi) { return dpi > 0 ? runtime::ToLongOr(1440.0 / dpi, 15) : 15; };
  r.TwipsPerPixelX = twips(logicalDpiX);
  r.TwipsPerPixelY = twips(logicalDpiY);
  if (r.TwipsPerPixelX < 1) r.TwipsPerPixelX = 1;
  if (r.TwipsPerPixelY < 1) r.TwipsPerPixelY = 1;
  controls::state().twipsPerPixelX = r.TwipsPerPixelX;  // the dialogs' positions in twips
  controls::state().twipsPerPixelY = r.TwipsPerPixelY;
  s.ScreenTwipsWidth = runtime::ToLongOr(static_cast<double>(widthPx) * r.TwipsPerPixelX, 0);
  s.ScreenTwipsHeight = runtime::ToLongOr(static_cast<double>(heightPx) * r.TwipsPerPixelY, 0);
  r.ScreenPixelWidth = runtime::ToLongOr(static_cast<double>(s.ScreenTwipsWidth) / r.TwipsPerPixelX, widthPx);
  r.ScreenPixelHeight = runtime::ToLongOr(static_cast<double>(s.ScreenTwipsHeight) / r.TwipsPerPixelY, heightPx);
}

void BuildWindowSizeList() {
  presentation::RenderState& r = presentation::render();
  r.RenderBitsPerPixel = 32;
  r.WindowSizeList.assign(1, presentation::WindowSize{640, 480});
  static constexpr presentation::WindowSize kStandard[] = {{800, 600}, {1024, 768}, {1280, 1024}, {1600, 1200}};
  for (const presentation::WindowSize& w : kStandard) {
    if (r.ScreenPixelWidth >= w.Width && r.ScreenPixelHeight >= w.Height)
      r.WindowSizeList.push_back(w);
    else
      break;
  }
  const presentation::WindowSize& last = r.WindowSizeList.back();
  if (!(r.ScreenPixelWidth <= last.Width && r.ScreenPixelHeight <= last.Height))
    r.WindowSizeList.push_back({r.ScreenPixelWidth, r.ScreenPixelHeight});
}

int32_t GetOSPlatformId() { return 2; }

void EnsureStoredRenderSize() {
  if (store::GetSettingLong("DirectX", "DX_WinWidth", 0) != 0) return;
  store::SaveRegSetting("DirectX", "DX_WinWidth", presentation::render().ScreenPixelWidth);
  store::SaveRegSetting("DirectX", "DX_WinHeight", presentation::render().ScreenPixelHeight);
}

int32_t CommandLineHandle(std::string_view rest) {
  // Reading stops at the first character that cannot continue a decimal number.
  return runtime::ToLongOr(runtime::Val(rest), 0);
}

std::optional<int64_t> DaemonWindowId(const char* value) {
  if (value == nullptr) return std::nullopt;
  const std::string text(runtime::TrimBlanks(value));
  if (text.empty()) return std::nullopt;
  // Digits only (strtoull alone would take a sign and blanks inside).
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const size_t first = hex ? 2 : 0;
  for (size_t i = first; i < text.size(); ++i)
    if (!(hex ? std::isxdigit(static_cast<unsigned char>(text[i])) : std::isdigit(static_cast<unsigned char>(text[i]))))
      return 0;
  errno = 0;
  const unsigned long long id = std::strtoull(text.c_str() + first, nullptr, hex ? 16 : 10);
  // X window ids are 29-bit numbers; anything beyond 32 bits names no window.
  if (errno != 0 || id > 0xFFFFFFFFULL) return 0;
  return static_cast<int64_t>(id);
}

void DispatchCommandLine(std::string_view cmd, StartupActions& actions) {
  if (runtime::TrimBlanks(cmd).empty()) {
    if (actions.IsWindowOpen(kPropertiesCaption))
      actions.BringWindowToFront(kPropertiesCaption);
    else
      actions.ShowProperties();
    return;
  }
  const std::string head = runtime::ToUpperAscii(cmd.substr(0, 2));
  const std::string_view rest = cmd.size() > 2 ? cmd.substr(2) : std::string_view{};
  if (head == "/C") {
    DispatchCommandLine("", actions);
  } else if (head == "/S") {
    if (!actions.IsWindowOpen(kSaverCaption)) actions.RunSaverLoop();
  } else if (head == "/P") {
    presentation::pacing().PreviewParentHwnd = CommandLineHandle(rest);
    presentation::pacing().RunMode = 2;
    actions.RunPreview();
  } else if (head == "/A") {
    actions.ChangePassword(CommandLineHandle(rest));
  } else if (cmd.size() >= 4 &&
             runtime::ToUpperAscii(cmd.substr(cmd.size() - 4)) == "." + runtime::ToUpperAscii(startup().TemplateExtension)) {
    actions.ApplyTemplate(std::string(cmd));
    actions.RunSaverLoop();
  } else {
    actions.RunSaverLoop();
  }
}

void ReloadColorTables() {
  // The stored hue wheel settings, never the unsaved boxes of an open advanced window.
  model::LoadHueWheelSettings();
  model::RebuildColorTables(true, true);
}

void InitialiseAfterScreens(const std::string& programFolder) {
  presentation::pacing().G_bCancel = false;
  // Every binding of a render target reloads the hue wheel and rebuilds the colour tables.
  presentation::SetColorTablesReload(&ReloadColorTables);
  startup().OsPlatformId = GetOSPlatformId();
  model::InitRandomTable();
  BuildWindowSizeList();
  EnsureStoredRenderSize();
  settings::InitGalaxyStyleNames();
  StartupState& s = startup();
  s.HelpFilePath = HelpFolderOf(programFolder);
  // Every help road (F1, the Help buttons, the Help menu) opens the folder found here.
  platform::SetHelpFolder(s.HelpFilePath);
  presentation::pacing().RunMode = 0;
  ReadMonitorAndLogSettings();
}

void ReadMonitorAndLogSettings() {
  // The mode is kept as stored: 2 keeps the saver on the primary monitor, 0 copies the frame
  // to every monitor, any other value spans all monitors and draws on the primary one only.
  // A stored number beyond the 16-bit range leaves the mode as it was.
  const int32_t mode = store::GetSettingLong("Advanced", "Adv_MultiMonitor", 0);
  if (mode >= INT16_MIN && mode <= INT16_MAX) presentation::render().MultiMonitorMode = static_cast<int16_t>(mode);
  presentation::compositor().PerfLogFrames = store::GetSettingLong("DirectX", "DX_WriteLog", 0);
}

}  // namespace host
