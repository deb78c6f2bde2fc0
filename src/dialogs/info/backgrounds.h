// The backgrounds of the welcome and about windows, drawn into the window's persistent image
// (pixel units): a radial gradient of filled concentric circles and a bevelled four-colour
// border. Colours are given as colour values with red in the low byte, then green, then blue.
#pragma once

#include <QImage>
#include <cstdint>

namespace dialogs {

// The colours every window passes: from (32, 16, 64) to (64, 128, 176), 40 steps, mode 7,
// centre (60, 48).
inline constexpr int32_t kGradientFrom = 0x401020;
inline constexpr int32_t kGradientTo = 0xB08040;
inline constexpr int32_t kGradientSteps = 40;
inline constexpr int32_t kGradientMode = 7;
inline constexpr int32_t kGradientCentreX = 60;
inline constexpr int32_t kGradientCentreY = 48;

// Mode 7: R = the largest distance from the centre to the four corners (0, 0), (W, 0), (W, H),
// (0, H) of the image; circle k = 0 .. steps - 1 has radius R (steps - k) / steps and, channel by
// channel, the colour from + (to - from) k / steps, rounded (halves to even) on the channel
// values in place (green and blue at their byte positions) and then shifted down. Each circle
// is drawn over the one before, filling every pixel (x, y) whose distance from the centre is at
// most its radius. So the area beyond the second circle keeps the colour `from` and the colour
// `to` itself is never painted. Other modes, and steps below 1, draw nothing.
void DrawGradient(QImage& image, int32_t colourFrom, int32_t colourTo, int32_t steps, int32_t mode, int32_t centreX,
                  int32_t centreY);

// The colour of circle k of a gradient (a colour value, red in the low byte).
int32_t GradientStepColour(int32_t colourFrom, int32_t colourTo, int32_t k, int32_t steps);

// Five passes i = 0 .. 4 of four filled boxes (each box includes both corner points; clipped to
// the image), W and H the image's size: left (i - 3, H - i - 1)-(i, i) in (144, 160, 255), top
// (i, i - 3)-(W - i - 1, i) in (255, 60, 160), right (W - i - 1, i)-(W - i + 2, H - i - 1) in
// (80, 160, 255), bottom (W - i - 1, H - i - 1)-(i, H - i + 2) in (96, 192, 192).
void DrawDialogBorder(QImage& image);

// Both, with the colours every window uses.
void PaintInfoBackground(QImage& image);

}  // namespace dialogs
