// Window positions kept in the settings (one section per window: "WindowState" 2 maximised or
// 0, "WindowSize" left, top, width and height in twips as four five-digit fields), centring on
// the screen, the busy cursor and opening a web page.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace host {

struct PixelRect {
  int32_t left = 0, top = 0, width = 0, height = 0;
};

// "LLLLLTTTTTWWWWWHHHHH": each value in twips, rounded, a negative one as 0, one above 99999 as
// 99999.
std::string FormatWindowSize(double leftTw, double topTw, double widthTw, double heightTw);
// The four fields of a stored size; a missing or short field reads as 0.
std::array<int32_t, 4> ParseWindowSize(std::string_view stored);
// Moves `r` so that it lies on the screen it overlaps most, or on the first screen when it
// overlaps none (shrinking it only when it is larger than that screen).
PixelRect FitRectOntoScreens(PixelRect r, const std::vector<PixelRect>& screens);

void SaveWindowState(QWidget& window, std::string_view section);
// Restores the stored state; `sizable` windows also get their stored size. A window without a
// stored state is centred.
void RestoreWindowState(QWidget& window, std::string_view section, bool sizable);
// Centres a normal window on the primary screen; a maximised or minimised one is left alone.
void FitFormToScreen(QWidget& window);
void SetHourglass(bool on);
// The per-user folder for the files the program writes of its own accord (the performance
// log, the settings saved before a reset): <data folder>/zorvane, created when it is missing;
// empty when it cannot be made (nothing is then written elsewhere in its place).
std::string PerUserDataFolder();
// The name of that folder, made or not (empty without a data folder at all).
std::string PerUserDataFolderName();
// The text shown when the per-user folder cannot be made.
std::string DataFolderFailureText();
// Asks the desktop to open a page or a mail link. The desktop's opener (xdg-open) runs as a
// child that is watched without blocking: when it cannot start, or ends with an error or by a
// signal, the message "The Web Page could not be reached." names the address. Without an
// opener the toolkit's own open is tried, with the same message when it refuses.
void OpenWebPage(std::string_view address);
// The opener's command, to which the address is appended as one more argument (tests); an
// empty command finds xdg-open on PATH again.
void SetDesktopOpener(std::vector<std::string> command);
// The openers started and not yet seen to end.
size_t WatchedWebPageOpeners();

}  // namespace host
