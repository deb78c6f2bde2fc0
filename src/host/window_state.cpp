#include "host/window_state.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QWidget>
#include <algorithm>
#include <cstdio>

#include "presentation/render_state.h"
#include "store/registry_access.h"
#include "platform/message_box.h"
#include "runtime/numbers.h"
#include "store/typed_readers.h"

namespace host {

std::string FormatWindowSize(double leftTw, double topTw, double widthTw, double heightTw) {
  std::string out;
  for (double v : {leftTw, topTw, widthTw, heightTw}) {
    int32_t n = runtime::ToLongOr(std::clamp(v, 0.0, 99999.0), 0);
    char buf[8];
    std::snprintf(buf, sizeof buf, "%05d", static_cast<int>(std::clamp(n, 0, 99999)));
    out += buf;
  }
  return out;
}

std::array<int32_t, 4> ParseWindowSize(std::string_view stored) {
  std::array<int32_t, 4> f{};
  for (size_t i = 0; i < 4; ++i) {
    std::string_view piece = stored.size() > i * 5 ? stored.substr(i * 5, 5) : std::string_view{};
    f[i] = runtime::ToLongOr(runtime::Val(piece), 0);
  }
  return f;
}

PixelRect FitRectOntoScreens(PixelRect r, const std::vector<PixelRect>& screens) {
  if (screens.empty()) return r;
  const PixelRect* best = &screens.front();
  int64_t bestArea = 0;
  for (const PixelRect& s : screens) {
    const int64_t w = std::min<int64_t>(r.left + r.width, s.left + s.width) - std::max(r.left, s.left);
    const int64_t h = std::min<int64_t>(r.top + r.height, s.top + s.height) - std::max(r.top, s.top);
    if (w > 0 && h > 0 && w * h > bestArea) {
      bestArea = w * h;
      best = &s;
    }
  }
  const PixelRect& s = *best;
  r.width = std::min(r.width, s.width);
  r.height = std::min(r.height, s.height);
  r.left = std::clamp(r.left, s.left, s.left + s.width - r.width);
  r.top = std::clamp(r.top, s.top, s.top + s.height - r.height);
  return r;
}

namespace {

std::vector<PixelRect> ScreenRects() {
  std::vector<PixelRect> out;
  if (QScreen* p = QGuiApplication::primaryScreen()) {
    const QRect g = p->availableGeometry();
    out.push_back({g.x(), g.y(), g.width(), g.height()});
  }
  for (QScreen* s : QGuiApplication::screens()) {
    if (s == QGuiApplication::primaryScreen()) continue;
    const QRect g = s->availableGeometry();
    out.push_back({g.x(), g.y(), g.width(), g.height()});
  }
  return out;
}

}  // namespace

void SaveWindowState(QWidget& window, std::string_view section) {
  store::SaveRegSetting(section, "WindowState", window.isMaximized() ? 2 : 0);
  if (window.isMinimized()) return;
  const presentation::RenderState& r = presentation::render();
  // The position of the frame (what move() restores) and the size of the inside (what resize()
  // restores), so that a window reopens exactly where it was and does not creep by its frame.
  const QPoint at = window.pos();
  store::SaveRegSetting(section, "WindowSize",
                 FormatWindowSize(static_cast<double>(at.x()) * r.TwipsPerPixelX,
                                  static_cast<double>(at.y()) * r.TwipsPerPixelY,
                                  static_cast<double>(window.width()) * r.TwipsPerPixelX,
                                  static_cast<double>(window.height()) * r.TwipsPerPixelY));
}

void RestoreWindowState(QWidget& window, std::string_view section, bool sizable) {
  const int32_t state = store::GetSettingLong(section, "WindowState", -1);
  if (state == -1) {
    FitFormToScreen(window);
    return;
  }
  window.setWindowState(state == 2 ? Qt::WindowMaximized : Qt::WindowNoState);
  const std::string stored = runtime::TrimBlanks(store::GetSettingString(section, "WindowSize", ""));
  if (stored.empty() || state != 0) return;
  const presentation::RenderState& r = presentation::render();
  const auto f = ParseWindowSize(stored);
  PixelRect rect{f[0] / r.TwipsPerPixelX, f[1] / r.TwipsPerPixelY, window.width(), window.height()};
  if (sizable && f[2] > 0 && f[3] > 0) {
    rect.width = f[2] / r.TwipsPerPixelX;
    rect.height = f[3] / r.TwipsPerPixelY;
  }
  rect = FitRectOntoScreens(rect, ScreenRects());
  if (sizable) window.resize(rect.width, rect.height);
  window.move(rect.left, rect.top);
}

void FitFormToScreen(QWidget& window) {
  if (window.isMaximized() || window.isMinimized()) return;
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect g = screen->geometry();
  window.move(g.x() + runtime::ToLongOr((g.width() - window.width()) * 0.5, 0),
              g.y() + runtime::ToLongOr((g.height() - window.height()) * 0.5, 0));
}

std::string PerUserDataFolderName() {
  // <data folder>/zorvane: the application's own data location would add the organisation's
  // folder as well.
  const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  return dir.isEmpty() ? std::string() : (dir + QStringLiteral("/zorvane")).toStdString();
}

std::string DataFolderFailureText() {
  const std::string name = PerUserDataFolderName();
  return "The folder " + (name.empty() ? std::string("for the program's own files") : "'" + name + "'") +
         " could not be made.";
}

std::string PerUserDataFolder() {
  const std::string dir = PerUserDataFolderName();
  if (dir.empty() || !QDir().mkpath(QString::fromStdString(dir))) return {};
  return dir;
}

void SetHourglass(bool on) {
  if (on) {
    if (!QGuiApplication::overrideCursor()) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
  }
}

}  // namespace host
