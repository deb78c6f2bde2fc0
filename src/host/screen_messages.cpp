#include "host/screen_messages.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "model/colors.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"
#include "runtime/numbers.h"

namespace host {

MessageState& messageState() {
  static MessageState s;
  return s;
}

void ResetMessageState() { messageState() = MessageState{}; }

std::string ComposeMessageText(double nowSeconds) {
  const presentation::RenderState& r = presentation::render();
  MessageState& m = messageState();
  if (r.LockMessageText.empty()) return "";
  if (r.MessageMinutes == 0) return r.LockMessageText;
  if (!m.countdownStarted) {
    m.countdownStarted = true;
    m.CountdownStart = nowSeconds;
  }
  const double elapsed = std::fabs(nowSeconds - m.CountdownStart);
  m.CountdownMinutesLeft = runtime::Int((static_cast<double>(r.MessageMinutes) * 60.0 + 59.0 - elapsed) / 60.0);
  if (m.CountdownMinutesLeft <= 0) return r.MessageZeroText;
  std::string t = runtime::LongToText(static_cast<int64_t>(m.CountdownMinutesLeft)) + " minute";
  if (m.CountdownMinutesLeft >= 2) t += "s";
  const std::string marker = runtime::TrimBlanks(r.MessageTimeText);
  if (!marker.empty()) {
    // The marker as stored (untrimmed) is what is searched and replaced.
    const size_t p = r.LockMessageText.find(r.MessageTimeText);
    if (p != std::string::npos)
      return r.LockMessageText.substr(0, p) + t + r.LockMessageText.substr(p + r.MessageTimeText.size());
  }
  return r.LockMessageText + " " + t;
}

void DrawScreenMessages() {
  const presentation::RenderState& r = presentation::render();
  if (presentation::pacing().RunMode != presentation::kRunSaver || r.LockMessageText.empty()) return;
  MessageState& m = messageState();
  if (!m.hueStarted) {
    m.hueStarted = true;
    m.MessageTextHue = r.MessageHueStart;
  }
  m.MessageTextHue += r.MessageHueStep * 0.04;
  const std::string text = ComposeMessageText(presentation::hostPlatform().GetTickCount() * 0.001);
  if (text == m.LastMessageText) return;
  m.LastMessageText = text;
  const int32_t hue = runtime::ToLongOr(m.MessageTextHue, 0);
  int32_t deg = hue % 360;
  if (deg < 0) deg += 360;
  RasterizeTextToPixels(text, r.MessageFontName, r.MessageFontSize, model::HueToColor(deg));
}

void RasterizeTextToPixels(const std::string& text, const std::string& fontName, int32_t fontSize, int32_t colour) {
  presentation::RenderState& r = presentation::render();
  QFont font(QString::fromStdString(fontName));
  font.setPointSize(fontSize > 0 ? fontSize : 12);
  font.setBold(false);
  const QString qtext = QString::fromStdString(text);
  const QFontMetrics fm(font);
  const int w = std::max(1, fm.horizontalAdvance(qtext));
  const int h = std::max(1, fm.height());
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(Qt::black);
  {
    QPainter p(&img);
    p.setFont(font);
    // The colour is in colour-reference order: red in the low byte.
    p.setPen(QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
    p.drawText(0, fm.ascent(), qtext);
  }
  const int32_t x0 = runtime::ToLongOr((r.RenderWidth - w) * 0.5, 0);
  const int32_t capacity = std::min<int32_t>(presentation::kMessagePointCapacity, static_cast<int32_t>(r.MessagePointX.size()));
  int32_t n = 0;
  for (int y = 0; y < h && n < capacity; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    for (int x = 0; x < w && n < capacity; ++x) {
      if ((row[x] & 0xFFFFFF) == 0) continue;
      r.MessagePointX[static_cast<size_t>(n)] = x + x0;
      r.MessagePointY[static_cast<size_t>(n)] = y;
      ++n;
    }
  }
  r.MessagePointCount = n;
}

}  // namespace host
