// Questions about a foreign X11 window (the host window of the preview): whether it still
// exists and where it is. The program keeps its own connection to the display named by
// $DISPLAY; without a display every window reads as missing.
#pragma once

#include <cstdint>

namespace host {

bool X11WindowExists(uint32_t window);
// The window's size in pixels; false when it does not exist.
bool X11WindowSize(uint32_t window, int32_t& width, int32_t& height);

}  // namespace host
