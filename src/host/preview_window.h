// The preview inside a host window (the desktop's saver settings): the picture is placed into
// the foreign window, sized to it, and runs the universes at the preview's reduced settings
// until the host window goes away.
#pragma once

#include <cstdint>

namespace host {

inline constexpr const char* kPreviewCaption = "ZIDI:Preview Zorvane 6.0";

// The whole preview run; returns the process exit status.
int RunPreviewRun(int64_t hostWindow);

}  // namespace host
