// Program start-up: the monitors and screen metrics, the render sizes offered, the stored render
// size, the file names of help and templates, and the dispatch of the command line with which
// the desktop starts a screen saver.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host {

inline constexpr const char* kPropertiesCaption = "Zorvane Properties";
inline constexpr const char* kSaverCaption = "ZIDI:Zorvane 6.0";

struct StartupState {
  int32_t ScreenTwipsWidth = 0;
  int32_t ScreenTwipsHeight = 0;
  int32_t OsPlatformId = 2;  // the NT family: the desktop's own locker guards the session
  int16_t DesktopMaxRight = 0;
  int16_t DesktopMaxBottom = 0;
  // Left and top of the bounding box of all monitors (negative when a monitor lies left of or
  // above the primary one); the saver window spanning all monitors starts there.
  int32_t DesktopMinLeft = 0;
  int32_t DesktopMinTop = 0;
  // Where the primary monitor lies on the display; monitor rectangles are recorded relative to
  // it, so the primary monitor is at (0, 0).
  int32_t PrimaryOriginX = 0;
  int32_t PrimaryOriginY = 0;
  std::string HelpFilePath;
  std::string TemplateExtension = "GLX";
  std::string TemplateFilter = "Zorvane Templates (*.glx)|*.glx|All Files (*.*)|*.*|";
};
StartupState& startup();
void ResetStartupState();

// One monitor as the desktop reports it, in virtual-screen pixels (right and bottom exclusive).
struct MonitorRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  bool primary = false;
};

// Records one monitor: a non-primary one is appended to the monitor arrays of the render state;
// every monitor widens DesktopMaxRight/DesktopMaxBottom (and DesktopMinLeft/DesktopMinTop).
// Returns 1 (go on).
int32_t MonitorEnumProc(const MonitorRect& monitor);

// Screen metrics from the primary screen's size in pixels and its logical DPI.
void RecordScreenMetrics(int32_t widthPx, int32_t heightPx, double logicalDpiX, double logicalDpiY);

// 640 x 480, then 800 x 600, 1024 x 768, 1280 x 1024, 1600 x 1200 while the screen holds them,
// then the screen size itself when it is larger than the last entry.
void BuildWindowSizeList();

int32_t GetOSPlatformId();

// Writes the screen size as the stored render size when none is stored ("DX_WinWidth" 0 or
// missing).
void EnsureStoredRenderSize();

// What the program does with its command line.
class StartupActions {
 public:
  virtual ~StartupActions() = default;
  virtual bool IsWindowOpen(std::string_view caption) = 0;
  virtual void BringWindowToFront(std::string_view caption) = 0;
  virtual void ShowProperties() = 0;
  virtual void RunSaverLoop() = 0;
  virtual void RunPreview() = 0;  // pacing().PreviewParentHwnd and RunMode are set
  virtual void ChangePassword(int32_t ownerWindow) = 0;
  // Applies the template file to the stored settings (all sections).
  virtual void ApplyTemplate(const std::string& path) = 0;
};

// The handle after "/P" or "/A": the leading number of the rest, rounded; 0 when there is none.
int32_t CommandLineHandle(std::string_view rest);

// The window that a screen-saver daemon gives in XSCREENSAVER_WINDOW (decimal, or hexadecimal
// after 0x; blanks around it allowed): none when the variable is unset or blank, 0 when its text
// is no window id (the run then ends quietly).
std::optional<int64_t> DaemonWindowId(const char* value);

// Dispatches the command line (the text after the program's name).
void DispatchCommandLine(std::string_view commandLine, StartupActions& actions);

// Reloads the stored hue wheel settings and rebuilds the colour tables; bound as the reload of
// every render-target binding.
void ReloadColorTables();

// MultiMonitorMode from "Adv_MultiMonitor" (section "Advanced") and PerfLogFrames from
// "DX_WriteLog" (section "DirectX"), both default 0.
void ReadMonitorAndLogSettings();

// The start-up sequence up to the dispatch: metrics and monitors must have been recorded.
void InitialiseAfterScreens(const std::string& programFolder);

}  // namespace host
