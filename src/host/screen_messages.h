// The line of text shown over the full-screen saver: the lock message, optionally with a
// count-down of minutes built into it, and a final text when the count-down has run out.
// The text is rasterised only when it changes; every frame re-plots the stored points.
#pragma once

#include <cstdint>
#include <string>

namespace host {

struct MessageState {
  bool hueStarted = false;
  double MessageTextHue = 0;
  bool countdownStarted = false;
  double CountdownStart = 0;  // seconds of the tick counter at the first message
  double CountdownMinutesLeft = 0;
  std::string LastMessageText;
};
MessageState& messageState();
void ResetMessageState();

// The text of the frame at `nowSeconds` (tick counter in seconds); starts the count-down on its
// first call. Empty when there is no lock message.
std::string ComposeMessageText(double nowSeconds);

// Once per saver frame: advances the text hue, composes the text and rasterises it when it
// changed. Nothing outside the full-screen saver or without a lock message.
void DrawScreenMessages();

// Prints the text in the font (not bold) and turns its lit pixels into MessagePointX/Y (columns
// centred in the frame, rows from the text's top), at most 20000 in row order.
void RasterizeTextToPixels(const std::string& text, const std::string& fontName, int32_t fontSize, int32_t colour);

}  // namespace host
