// The previews of the Properties window run offscreen: the frames reach picPreview, the
// window is locked while they run and given back when they stop, and frames are captured.
#include "dialogs/properties/previews.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTest>

#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "dialogs/properties/props_fixture.h"
#include "engine/dialog_previews.h"
#include "host/qt_platform.h"
#include "host/screen_capture.h"
#include "model/random_table.h"
#include "presentation/compositor.h"
#include "store/registry_access.h"

namespace dialogs::testing {
namespace {

// The program's pacer services with a hook: `atPace` runs inside the n-th pacer call of a
// preview (counted from 1), where a user's clicks would be handled.
class ScriptedPlatform : public presentation::HostPlatform {
 public:
  void DoEvents() override {
    QCoreApplication::processEvents();
    ++paces;
    if (atPace) atPace(paces);
  }
  uint32_t GetTickCount() override { return host::qtPlatform().GetTickCount(); }
  void Sleep(uint32_t) override {}
  bool IsWindow(int64_t) override { return true; }
  void HideCursor() override {}

  int paces = 0;
  std::function<void(int)> atPace;
};

// Counts the frames shown in the bound render target and the lit pixels of the last one.
class CountingSink : public presentation::FrameSink {
 public:
  void StretchFrame(presentation::FrameDestination dest, std::span<const uint32_t> bits, int32_t srcWidth,
                    int32_t srcHeight, const presentation::FrameBitmapHeader& header,
                    const presentation::FrameRect& rect) override {
    if (dest != presentation::FrameDestination::RenderTarget) return;
    ++frames;
    host::qtFrameSink().StretchFrame(dest, bits, srcWidth, srcHeight, header, rect);
    lit = 0;
    uint64_t hash = 1469598103934665603ull;
    for (uint32_t px : bits) {
      lit += (px & 0xFFFFFF) != 0 ? 1 : 0;
      hash = (hash ^ px) * 1099511628211ull;
    }
    hashes.push_back(hash);
  }
  void WriteVideoFrame() override {}
  int frames = 0;
  int lit = 0;
  std::vector<uint64_t> hashes;  // one per frame shown
};

class PreviewsTest : public PropsTest {
 protected:
  void SetUp() override {
    PropsTest::SetUp();
    engine::ResetDialogPreviewState();
    presentation::InstallHostPlatform(&platform);
    presentation::InstallFrameSink(&sink);
    host::ResetScreenCaptureState();
    host::screenCapture().CaptureFolder = config.dir() + "/captures";
  }
  void TearDown() override {
    presentation::InstallHostPlatform(nullptr);
    presentation::InstallFrameSink(nullptr);
    PropsTest::TearDown();
    engine::ResetDialogPreviewState();
  }

  // A loaded window with few stars, the galaxy type 3 and composite 2 selected.
  frmProps& OpenSmall() {
    frmProps& d = Open();
    d.c.txtUni[0].SetText("500");
    d.c.txtUni[1].SetText("5");
    d.c.lstUniGalaxy->SetListIndex(3);
    d.c.lstCompGalaxy->SetListIndex(2);
    return d;
  }

  ScriptedPlatform platform;
  CountingSink sink;
};

struct PreviewCase {
  const char* name;
  controls::CommandButton* PropsControls::*button;
  const char *idle, *running;
  const char* screenCapt;
  bool captureShown;
};

// Each preview: its button toggles, the window is locked but for that button, the capture
// buttons and the menu items, the capture buttons show by "Adv_ScreenCapt", Esc stops, and
// afterwards every control has its former state back.
TEST_F(PreviewsTest, EachPreviewLocksTheWindowAndStopsOnEscape) {
  const PreviewCase cases[] = {
      {"universe, capture unset", &PropsControls::cmdPreviewUni, "Preview Universe", "Stop Preview", nullptr,
       false},
      {"galaxy", &PropsControls::cmdPreviewGal, "Preview Galaxy", "Stop", "1", true},
      {"composite", &PropsControls::cmdPreviewComp, "Preview Comp", "Stop", "1", true},
      {"universe", &PropsControls::cmdPreviewUni, "Preview Universe", "Stop Preview", "1", true},
      {"galaxy, no capture", &PropsControls::cmdPreviewGal, "Preview Galaxy", "Stop", "0", false},
  };
  for (const PreviewCase& k : cases) {
    SCOPED_TRACE(k.name);
    frmProps& d = OpenSmall();
    // Read at each start (the first opening stores the factory value "0").
    if (k.screenCapt != nullptr) store::SaveRegSetting("Advanced", "Adv_ScreenCapt", k.screenCapt);
    PropsControls& c = d.c;
    controls::CommandButton& button = *(c.*k.button);
    c.txtUni[12].SetEnabled(false);  // a control disabled before the preview stays so
    platform.paces = 0;
    sink.frames = 0;
    d.show();
    QCoreApplication::processEvents();
    const QRect idlePlace = button.geometry();
    bool checked = false;
    platform.atPace = [&](int pace) {
      if (pace != 4) return;
      checked = true;
      EXPECT_EQ(button.Caption(), k.running);
      EXPECT_EQ(button.geometry(), idlePlace) << "the running caption moves the button";
      EXPECT_TRUE(button.Enabled());
      EXPECT_EQ(d.CancelButton(), &button);
      for (controls::Control* locked : std::initializer_list<controls::Control*>{
               c.cmdAccept, c.cmdDismiss, c.lstUniGalaxy, &c.txtUni[0], c.cmdPreviewGal == &button ? c.cmdPreviewUni : c.cmdPreviewGal})
        EXPECT_FALSE(locked->Enabled()) << locked->Name();
      EXPECT_TRUE(c.mnuFileArray[5].Enabled());
      // The colour-filter mask fields look as locked as any other field.
      for (auto [index, mask] : c.txtFilterRGB) {
        EXPECT_FALSE(mask->isEnabled()) << index;
        EXPECT_EQ(mask->palette().brush(QPalette::Disabled, QPalette::Base),
                  c.txtUni[0].palette().brush(QPalette::Disabled, QPalette::Base))
            << "mask " << index;
        EXPECT_EQ(mask->autoFillBackground(), c.txtUni[0].autoFillBackground()) << index;
      }
      for (auto [index, capture] : c.cmdCaptureImage) {
        EXPECT_EQ(capture->Visible(), k.captureShown) << index;
        if (k.captureShown) {
          EXPECT_TRUE(capture->Enabled()) << index;
        }
      }
      QTest::keyClick(&d, Qt::Key_Escape);
    };
    button.PerformClick();
    platform.atPace = nullptr;
    EXPECT_TRUE(checked);
    EXPECT_EQ(platform.paces, 4);  // Esc ended the preview at the frame it was pressed in
    EXPECT_GE(sink.frames, 4);
    EXPECT_TRUE(d.IsLoaded());
    EXPECT_EQ(button.Caption(), k.idle);
    EXPECT_EQ(d.CancelButton(), c.cmdDismiss);
    for (auto [index, capture] : c.cmdCaptureImage) EXPECT_FALSE(capture->Visible()) << index;
    EXPECT_TRUE(c.cmdAccept->Enabled());
    EXPECT_TRUE(c.lstUniGalaxy->Enabled());
    EXPECT_FALSE(c.txtUni[12].Enabled());
    d.Unload();
    RunDeferredDeletes();
  }
}

// A galaxy preview draws lit frames into picPreview; "Save File" writes the frame as a
// bitmap of the preview's size; Stop ends the preview.
TEST_F(PreviewsTest, AGalaxyPreviewDrawsACaptureWritesABitmapAndStopEndsIt) {
  frmProps& d = OpenSmall();
  store::SaveRegSetting("Advanced", "Adv_ScreenCapt", "1");
  PropsControls& c = d.c;
  d.show();
  int litWhenCaptured = 0;
  platform.atPace = [&](int pace) {
    if (pace != 6) return;
    litWhenCaptured = sink.lit;
    c.cmdCaptureImage[2].PerformClick();
    c.cmdPreviewGal->PerformClick();
  };
  c.cmdPreviewGal->PerformClick();
  EXPECT_EQ(platform.paces, 6);
  EXPECT_GT(litWhenCaptured, 0);
  EXPECT_EQ(presentation::render().RenderTarget, c.picPreview);
  EXPECT_EQ(presentation::render().RenderWidth % 4, 0);
  EXPECT_GE(presentation::render().RenderWidth, c.picPreview->InnerWidthPx() - 3);

  host::BitmapFileHeader file;
  host::BitmapInfoHeader info;
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(host::ReadFileBytes(host::CaptureFilePath(1), file, info, bytes));
  EXPECT_EQ(info.biWidth, presentation::render().RenderWidth);
  EXPECT_EQ(info.biHeight, presentation::render().RenderHeight);
  EXPECT_EQ(info.biBitCount, 24);
  bool anyLit = false;
  for (uint8_t b : bytes) anyLit = anyLit || b != 0;
  EXPECT_TRUE(anyLit);
  EXPECT_EQ(c.cmdPreviewGal->Caption(), "Preview Galaxy");
}

// Each preview animates in picPreview: with the random table filled as at start-up, lit frames
// that change from frame to frame reach the picture, and its Stop leaves the window idle.
TEST_F(PreviewsTest, EachPreviewDrawsChangingLitFramesIntoThePicture) {
  const struct {
    const char* name;
    controls::CommandButton* PropsControls::*button;
  } cases[] = {{"galaxy", &PropsControls::cmdPreviewGal},
               {"composite", &PropsControls::cmdPreviewComp},
               {"universe", &PropsControls::cmdPreviewUni}};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    model::InitRandomTableWithSeed(7);
    frmProps& d = OpenSmall();
    PropsControls& c = d.c;
    d.show();
    sink.hashes.clear();
    platform.paces = 0;
    int lit = 0;
    platform.atPace = [&](int pace) {
      if (pace != 12) return;
      lit = sink.lit;
      (c.*k.button)->PerformClick();  // Stop
    };
    (c.*k.button)->PerformClick();
    platform.atPace = nullptr;
    EXPECT_EQ(platform.paces, 12);
    EXPECT_GT(lit, 200);
    ASSERT_GE(sink.hashes.size(), 4u);
    const std::set<uint64_t> lastFrames(sink.hashes.end() - 4, sink.hashes.end());
    EXPECT_EQ(lastFrames.size(), 4u) << "the frames stand still";
    EXPECT_EQ(presentation::render().RenderTarget, c.picPreview);
    EXPECT_EQ((c.*k.button)->Caption().rfind("Preview", 0), 0u);
    EXPECT_TRUE(c.cmdAccept->Enabled());
    EXPECT_EQ(d.CancelButton(), c.cmdDismiss);
    d.Unload();
    RunDeferredDeletes();
  }
  model::randomState() = {};  // the other tests run on the empty table
}

// Without a selection the galaxy and composite previews say so, give the list the focus and
// change nothing.
TEST_F(PreviewsTest, NoSelectionShowsTheMessageAndChangesNothing) {
  struct Case {
    controls::CommandButton* PropsControls::*button;
    controls::ListBox* PropsControls::*list;
    const char* message;
  };
  frmProps& d = Open();
  PropsControls& c = d.c;
  d.show();
  d.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
  for (const Case k : {Case{&PropsControls::cmdPreviewGal, &PropsControls::lstUniGalaxy, "Please select a Galaxy Type."},
                       Case{&PropsControls::cmdPreviewComp, &PropsControls::lstCompGalaxy,
                            "Please select a Composite Galaxy Type."}}) {
    c.cboUniExtras->SetListIndex(3);  // the composite panel in front, as its button needs
    (c.*k.list)->SetListIndex(-1);
    messages.messages.clear();
    platform.paces = 0;
    (c.*k.button)->PerformClick();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, k.message);
    EXPECT_EQ(messages.messages[0].title, "Zorvane");
    EXPECT_EQ(messages.messages[0].icon, platform::MsgIcon::Information);
    EXPECT_EQ(d.ActiveControl(), c.*k.list);
    EXPECT_EQ(platform.paces, 0);
    EXPECT_TRUE(c.cmdAccept->Enabled());
    EXPECT_EQ(d.CancelButton(), c.cmdDismiss);
  }
}

// Stop followed by a start before the stopped preview reached its next frame: the start is
// ignored (one preview ran, and it ended).
TEST_F(PreviewsTest, AStartBeforeTheStoppedPreviewReturnedIsIgnored) {
  frmProps& d = OpenSmall();
  PropsControls& c = d.c;
  d.show();
  platform.atPace = [&](int pace) {
    if (pace != 3) return;
    c.cmdPreviewGal->PerformClick();   // Stop
    c.cmdPreviewGal->PerformClick();   // "Preview Galaxy" again, at once
    c.cmdPreviewUni->PerformClick();
    EXPECT_EQ(c.cmdPreviewGal->Caption(), "Preview Galaxy");
    EXPECT_EQ(c.cmdPreviewUni->Caption(), "Preview Universe");
  };
  c.cmdPreviewGal->PerformClick();
  EXPECT_EQ(platform.paces, 3);
  EXPECT_TRUE(presentation::pacing().G_bCancel);
  EXPECT_TRUE(c.cmdAccept->Enabled());
  // Once it has returned, a start runs again.
  platform.atPace = [&](int pace) {
    if (pace == 5) c.cmdPreviewGal->PerformClick();
  };
  c.cmdPreviewGal->PerformClick();
  EXPECT_EQ(platform.paces, 5);
}

// Closing the window while a preview runs ends the preview; the window goes only after the
// click that runs the preview has returned, its picture unbound and its registrations dropped.
TEST_F(PreviewsTest, ClosingTheWindowDuringAPreviewEndsItBeforeTheWindowGoes) {
  struct Case {
    const char* name;
    std::function<void(frmProps&)> close;
  };
  const Case cases[] = {
      {"close box", [](frmProps& d) { d.close(); }},
      {"File > Exit", [](frmProps& d) { d.c.mnuFileArray[5].Click(); }},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    QPointer<frmProps> d = &OpenSmall();
    d->show();
    platform.paces = 0;
    platform.atPace = [&](int pace) {
      if (pace == 2) k.close(*d);
    };
    d->c.cmdPreviewUni->PerformClick();
    platform.atPace = nullptr;
    EXPECT_EQ(platform.paces, 2);  // no frame after the close
    ASSERT_FALSE(d.isNull());
    EXPECT_FALSE(d->IsLoaded());
    EXPECT_EQ(presentation::render().RenderTarget, nullptr);
    EXPECT_EQ(engine::universeDialog(), nullptr);
    EXPECT_EQ(engine::hueConeDialog(), nullptr);
    RunDeferredDeletes();
    EXPECT_TRUE(d.isNull());
  }
}

}  // namespace
}  // namespace dialogs::testing
