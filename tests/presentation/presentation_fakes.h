// Fakes of the platform pieces the presentation layer talks to, and a fixture that gives every
// test a fresh settings store and fresh module state.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "presentation/compositor.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"
#include "support/test_support.h"

namespace presentationtest {

// A clock that moves only when told (or by `step` on every reading); records sleeps.
class FakeHost : public presentation::HostPlatform {
 public:
  void DoEvents() override {
    ++events;
    if (onEvents) onEvents();
  }
  uint32_t GetTickCount() override {
    ++tickReads;
    const uint32_t t = now;
    now += step;
    return t;
  }
  void Sleep(uint32_t ms) override {
    sleeps.push_back(ms);
    now += ms;
  }
  bool IsWindow(int64_t) override {
    ++windowChecks;
    return hostAlive;
  }
  void HideCursor() override { ++cursorHides; }

  uint32_t now = 1000;
  uint32_t step = 0;
  int events = 0, tickReads = 0, windowChecks = 0, cursorHides = 0;
  bool hostAlive = true;
  std::vector<uint32_t> sleeps;
  std::function<void()> onEvents;
};

// Records every call in order, with the first pixel of each copied frame.
class RecordingSink : public presentation::FrameSink {
 public:
  struct Copy {
    presentation::FrameDestination dest;
    const uint32_t* data;
    uint32_t firstPixel;
    int32_t w, h;
    presentation::FrameRect rect;
  };
  void StretchFrame(presentation::FrameDestination dest, std::span<const uint32_t> bits, int32_t w, int32_t h,
                    const presentation::FrameBitmapHeader&, const presentation::FrameRect& rect) override {
    copies.push_back({dest, bits.data(), bits.empty() ? 0u : bits[0], w, h, rect});
    calls.push_back("copy");
  }
  void WriteVideoFrame() override { calls.push_back("video"); }
  std::vector<Copy> copies;
  std::vector<std::string> calls;
};

class PresentationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    presentation::ResetRenderState();
    presentation::ResetPacingState();
    presentation::ResetCompositorState();
    presentation::InstallHostPlatform(&clock);
    presentation::InstallFrameSink(&sink);
  }
  void TearDown() override {
    presentation::InstallHostPlatform(nullptr);
    presentation::InstallFrameSink(nullptr);
    presentation::InstallMessageOverlay(nullptr);
    presentation::SetColorTablesReload(nullptr);
  }
  testsupport::TempConfig config;
  FakeHost clock;
  RecordingSink sink;
};

}  // namespace presentationtest
