// The video capture window on real widgets (offscreen): its load, fields, layout, Restore
// Defaults, the output file, its unload, and recordings begun, stopped and closed through it.
#include "capture/frm_video.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "capture/compressor_dialog.h"
#include "capture/modal_driver.h"
#include "capture/recording_sink.h"
#include "engine/dialog_previews.h"
#include "engine/universe_settings.h"
#include "host/qt_test_app.h"
#include "model/galaxy_types.h"
#include "model/random_table.h"
#include "presentation/compositor.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"
#include "store/registry_access.h"
#include "store/typed_readers.h"
#include "support/avi_read_back.h"
#include "support/file_dialog_double.h"
#include "support/test_support.h"

namespace capture {
namespace {

namespace fs = std::filesystem;

// The Properties dialog as a recording reads it: a small universe, a picture of its own.
struct SmallUniverseDialog : engine::UniverseDialog {
  std::string UniText(int index) const override { return index == 0 ? "10" : index == 1 ? "3" : ""; }
  int32_t UniProfileIndex() const override { return 51; }
  int32_t UniTourValue() const override { return 1; }
  int32_t VisitSeqValue() const override { return 0; }
  std::string TourGalaxiesText() const override { return ""; }
  int32_t GalaxyListIndex() const override { return 0; }
  int32_t CompositeListIndex() const override { return -1; }
  presentation::RenderSurface* PreviewPicture() override { return &picture; }
  presentation::HeadlessRenderSurface picture{200, 100};
};

class VideoWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureQtApplication();
    testsupport::ResetRecordingState();
    ResetVideoWindowState();
    controls::ResetState();
    controls::state().beep = [this] { ++beeps; };
    presentation::InstallFrameSink(&sink);
    dir = testsupport::MakeTempDir();
  }
  void TearDown() override {
    window.reset();
    presentation::InstallFrameSink(nullptr);
    ResetVideoState();
    ResetVideoWindowState();
    engine::ResetDialogPreviewState();
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  // The window, loaded and shown with the keyboard.
  frmVideo& Open() {
    window = std::make_unique<frmVideo>();
    window->Show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    return *window;
  }
  // A window recording into the test's folder.
  frmVideo& OpenForRecording(const char* frames, const char* blackBegin, const char* blackEnd) {
    store::SaveRegSetting("Video", "DefaultDirectory", dir);
    store::SaveRegSetting("Video", "FrameTotal", frames);
    store::SaveRegSetting("Video", "BlackFramesBegin", blackBegin);
    store::SaveRegSetting("Video", "BlackFramesEnd", blackEnd);
    return Open();
  }
  // Composes (black) frames until the animation is stopped, calling `each` after frame n.
  static AnimationRunner Frames(std::function<void(int)> each) {
    return [each] {
      for (int n = 1; !presentation::pacing().G_bCancel && n < 500; ++n) {
        presentation::zDX8_BlendBlit_Surface(-1, -1);
        each(n);
        presentation::hostPlatform().DoEvents();
      }
    };
  }
  // The compressor dialog answers with its preselected choice.
  static void ConfirmCompressor() {
    testsupport::WhenModalShows<VideoCompressionDialog>([](VideoCompressionDialog& d) { d.cmdOK->click(); });
  }
  std::string Target() const { return dir + "/Zorvane_Video.AVI"; }

  testsupport::TempConfig config;
  testsupport::MessageRecorder messages;
  testsupport::ForwardingSink sink;
  std::unique_ptr<frmVideo> window;
  std::string dir;
  int beeps = 0;
};

TEST_F(VideoWindowTest, LoadShowsTheStoredSettingsOrTheDefaults) {
  {
    SCOPED_TRACE("nothing stored");
    frmVideo& w = Open();
    const std::string videos = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation).toStdString();
    EXPECT_EQ(w.Caption(), "Zorvane Video Creation");
    EXPECT_EQ(w.HelpContextID(), 8500);
    EXPECT_EQ(w.fraProps->Caption(), "Video Capture Properties");
    EXPECT_EQ(w.cmdRestoreDefaults->Caption(), "Restore Defaults:\r\n(If Video Compression fails)");
    EXPECT_EQ(w.cmdDispPreview->Caption(), "Select Video Compression / Begin Video Recording");
    EXPECT_EQ(w.cmdDispPreview->ToolTipText(), "Display effects in the Preview window for the current properties");
    EXPECT_EQ(w.lblFrameStatus->Caption(), "Frame Count / Est Time (00:00)");
    EXPECT_EQ(w.cmdSelectFile->Caption(), "Select Directory Set Video File...");
    EXPECT_EQ(w.DefaultButton(), w.cmdDispPreview);
    EXPECT_EQ(w.CancelButton(), w.cmdClose);
    // Both captions of Begin/Stop fit the button, which stays clear of Help and Close.
    for (const char* caption : {kBeginCaption, kStopCaption}) {
      QPushButton probe(QString::fromUtf8(caption));
      probe.setFont(w.cmdDispPreview->font());
      EXPECT_LE(probe.sizeHint().width(), w.cmdDispPreview->width()) << caption;
    }
    EXPECT_LT(w.cmdDispPreview->geometry().right(), w.cmdHelp->x());
    EXPECT_LT(w.cmdDispPreview->geometry().right(), w.cmdClose->x());
    ASSERT_EQ(w.cboCapture->ListCount(), 3);
    EXPECT_EQ(w.cboCapture->List(2), "Minutes of Animation:");
    EXPECT_EQ(w.cboCapture->ListIndex(), 0);
    ASSERT_EQ(w.cboFPS->ListCount(), 30);
    EXPECT_EQ(w.cboFPS->List(29), "30");
    EXPECT_EQ(w.cboFPS->Text(), "24");
    EXPECT_EQ(w.txtFrames->Text(), "360");
    EXPECT_EQ(w.lblTotalFrames->Caption(), "Total Frames:  360");
    EXPECT_EQ(w.txtWidth->Text(), "320");
    EXPECT_EQ(w.txtHeight->Text(), "240");
    EXPECT_EQ(w.txtBlackFrames[0].Text(), "0");
    EXPECT_EQ(w.txtBlackFrames[1].Text(), "0");
    EXPECT_EQ(w.chkCycleThemes->Value(), 0);
    EXPECT_EQ(w.VideoDirectory(), videos);
    EXPECT_EQ(w.VideoTargetPath(), videos + "/Zorvane_Video.AVI");
    EXPECT_EQ(w.txtVideoDir->Text(), videos);
    EXPECT_EQ(w.txtVideoFile->Text(), videos + "/Zorvane_Video.AVI");
    EXPECT_EQ(w.picPreview->width(), 320);
    EXPECT_EQ(w.picPreview->height(), 240);
    w.Unload();
  }
  {
    SCOPED_TRACE("values out of range stored");
    for (const auto& [key, value] : {std::pair{"FrameTimeQty", "7"}, {"FrameRate", "45"}, {"ImageWidth", "33"},
                                     {"ImageHeight", "20"}, {"BlackFramesBegin", "5000"}, {"CycleThemes", "1"},
                                     {"DefaultDirectory", "/srv/clips/"}})
      store::SaveRegSetting("Video", key, value);
    testsupport::WriteFile(dir + "/there.avi", "x");
    store::SaveRegSetting("Video", "VideoFilename", dir + "/there.avi");
    frmVideo& w = Open();
    EXPECT_EQ(w.cboCapture->ListIndex(), -1);
    EXPECT_EQ(w.cboFPS->ListIndex(), -1);
    EXPECT_EQ(w.lblTotalFrames->Caption(), "Total Frames:  1");
    EXPECT_EQ(w.txtWidth->Text(), "36");
    EXPECT_EQ(w.txtHeight->Text(), "32");
    EXPECT_EQ(w.txtBlackFrames[0].Text(), "999");
    EXPECT_EQ(w.chkCycleThemes->Value(), 1);
    EXPECT_EQ(w.VideoDirectory(), "/srv/clips/");
    EXPECT_EQ(w.txtVideoFile->palette().color(QPalette::Text), QColor(255, 0, 0));
  }
}

TEST_F(VideoWindowTest, TotalFramesFollowTheUnitAndTheRate) {
  frmVideo& w = Open();
  struct Case {
    int unit;
    const char* frames;
    int rateIndex;
    int32_t total;
  } cases[] = {
      {0, "10", 23, 10},  {1, "10", 23, 240},       {2, "10", 23, 14400}, {2, "3000", 29, 108000},
      {0, "0", 23, 1},    {1, "2.5", 4, 12},        {-1, "50", 23, 1},    {1, "abc", 23, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.unit) + " " + c.frames);
    w.cboCapture->SetListIndex(c.unit);
    w.cboFPS->SetListIndex(c.rateIndex);
    w.txtFrames->SetText(c.frames);
    w.cmdCalcFrames->PerformClick();
    EXPECT_EQ(w.lblTotalFrames->Caption(), "Total Frames:  " + std::to_string(c.total));
    EXPECT_EQ(w.UpdateTotalFrames(), c.total);
  }
}

TEST_F(VideoWindowTest, FieldsAreClampedWhenTheyLoseTheFocus) {
  frmVideo& w = Open();
  struct Case {
    controls::TextBox* box;
    const char* typed;
    const char* after;
  } cases[] = {
      {w.txtWidth, "33", "36"},      {w.txtWidth, "1919", "1920"}, {w.txtWidth, "5000", "1920"},
      {w.txtWidth, "3x3-", "36"},    {w.txtHeight, "2000", "1080"}, {w.txtHeight, "7", "32"},
      {w.txtFrames, "0", "1"},       {&w.txtBlackFrames[0], "1500", "999"}, {&w.txtBlackFrames[1], "12", "12"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box->Name() + " " + c.typed);
    c.box->SetFocus();
    // Entering the box selects its text, so typing replaces it.
    QTest::keyClicks(c.box, c.typed);
    w.cmdCalcFrames->SetFocus();
    EXPECT_EQ(c.box->Text(), c.after);
  }
  EXPECT_EQ(w.lblTotalFrames->Caption(), "Total Frames:  1");
  EXPECT_EQ(w.picPreview->width(), 36);
  EXPECT_EQ(w.picPreview->height(), 32);
}

TEST_F(VideoWindowTest, PreviewFrameAndWindowFollowTheFrameSize) {
  frmVideo& w = Open();
  // Placed towards the bottom right, where a larger picture takes the window past the screen.
  const QRect screen = w.screen()->availableGeometry();
  w.move(screen.right() - w.frameGeometry().width() - 20, screen.bottom() - w.frameGeometry().height() - 10);
  struct Case {
    const char *width, *height;
    int picW, picH;
  } cases[] = {{"640", "480", 640, 480}, {"32", "32", 32, 32}, {"1000", "700", 1000, 700}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    w.txtWidth->SetText(c.width);
    w.txtHeight->SetText(c.height);
    w.SizeVideoPreview();
    EXPECT_EQ(w.picPreview->width(), c.picW);
    EXPECT_EQ(w.picPreview->height(), c.picH);
    const int left = w.picPreview->x(), top = w.picPreview->y();
    const int frameW = std::max(400, 2 * left + c.picW), frameH = std::max(100, top + c.picH + 3);
    EXPECT_EQ(w.fraPreview->width(), frameW);
    EXPECT_EQ(w.fraPreview->height(), frameH);
    // The client area holds the frame with equal margins and ends 3 pixels below it.
    EXPECT_EQ(w.width(), frameW + 2 * w.fraPreview->x());
    EXPECT_EQ(w.height(), w.fraPreview->y() + frameH + 3);
    // The window stays on the screen as far as its size allows; the settings and the buttons on
    // the right keep to the part of it on the screen (all of it when it fits).
    const QRect free = w.screen()->availableGeometry();
    const QRect outer = w.frameGeometry();
    EXPECT_EQ(outer.left(), std::clamp(outer.left(), free.left(), std::max(free.left(), free.right() + 1 - outer.width())));
    EXPECT_EQ(outer.top(), std::clamp(outer.top(), free.top(), std::max(free.top(), free.bottom() + 1 - outer.height())));
    const int shownW = std::min(w.width(), free.right() + 1 - w.geometry().x());
    EXPECT_EQ(w.fraProps->width(), shownW - 2 * w.fraProps->x());
    for (QWidget* b : {static_cast<QWidget*>(w.cmdClose), static_cast<QWidget*>(w.cmdHelp)})
      EXPECT_EQ(b->x() + b->width(), shownW - 5);
    EXPECT_EQ(w.cmdRestoreDefaults->x() + w.cmdRestoreDefaults->width(), w.fraProps->width() - 9);
    EXPECT_EQ(w.txtVideoFile->x() + w.txtVideoFile->width(), w.cmdRestoreDefaults->x() - 5);
    for (QWidget* b : {static_cast<QWidget*>(w.cmdClose), static_cast<QWidget*>(w.cmdHelp),
                       static_cast<QWidget*>(w.cmdRestoreDefaults)})
      EXPECT_TRUE(free.contains(QRect(b->mapToGlobal(QPoint(0, 0)), b->size()))) << b->objectName().toStdString();
  }
  // A window made smaller by the user keeps its smallest client area.
  w.resize(100, 100);
  EXPECT_EQ(w.width(), 420);
  EXPECT_EQ(w.height(), 240);
}

TEST_F(VideoWindowTest, RestoreDefaultsOnlyWhenConfirmed) {
  for (platform::MsgResult answer : {platform::MsgResult::No, platform::MsgResult::Yes}) {
    const bool yes = answer == platform::MsgResult::Yes;
    SCOPED_TRACE(yes ? "Yes" : "No");
    store::SaveRegSetting("Video", "DefaultParms_fccHandler", "1196444237");
    store::SaveRegSetting("Video", "DefaultParms_dwQuality", "5000");
    testsupport::MessageRecorder asked(answer);
    frmVideo& w = Open();
    w.txtFrames->SetText("5");
    w.cboCapture->SetListIndex(2);
    w.cboFPS->SetListIndex(9);
    w.txtWidth->SetText("640");
    w.txtWidth_LostFocus();
    w.txtBlackFrames[1].SetText("7");
    w.chkCycleThemes->SetValue(1);
    w.cmdRestoreDefaults->PerformClick();
    ASSERT_EQ(asked.messages.size(), 1u);
    EXPECT_EQ(asked.messages[0].text,
              "Confirm Restore Defaults\r\n\r\nRestoring the Video Default settings will reset\r\n"
              "the Video Capture properties and will also clear\r\nany of previously setup Video Compression "
              "properties.\r\nThis can be necessary if you are experiencing problems\r\nwhen attempting to select "
              "the Video Compression type.\r\n\r\nAre you sure you want to Restore Defaults?");
    EXPECT_EQ(asked.messages[0].title, "Zorvane");
    EXPECT_EQ(asked.messages[0].icon, platform::MsgIcon::Question);
    EXPECT_EQ(asked.messages[0].buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(w.cboCapture->ListIndex(), yes ? 0 : 2);
    EXPECT_EQ(w.cboFPS->Text(), yes ? "24" : "10");
    EXPECT_EQ(w.txtFrames->Text(), yes ? "360" : "5");
    EXPECT_EQ(w.txtWidth->Text(), yes ? "320" : "640");
    EXPECT_EQ(w.txtBlackFrames[1].Text(), yes ? "0" : "7");
    EXPECT_EQ(w.lblTotalFrames->Caption(), yes ? "Total Frames:  360" : "Total Frames:  3000");
    EXPECT_EQ(w.picPreview->width(), yes ? 320 : 640);
    EXPECT_EQ(w.chkCycleThemes->Value(), 1);
    for (const char* name : kDefaultParmsNames)
      EXPECT_EQ(store::GetSettingString("Video", name, "<none>"),
                yes ? "0" : (std::string(name) == "DefaultParms_fccHandler" ? "1196444237"
                             : std::string(name) == "DefaultParms_dwQuality" ? "5000"
                                                                              : "<none>"))
          << name;
    window.reset();
  }
}

TEST_F(VideoWindowTest, OutputFileChosenOrKept) {
  testsupport::FileDialogDouble dialogs;
  frmVideo& w = Open();
  const std::string before = w.VideoTargetPath();
  dialogs.Cancel();
  w.cmdSelectFile->PerformClick();
  ASSERT_EQ(dialogs.requests.size(), 1u);
  const platform::FileDialogRequest& r = dialogs.requests[0];
  EXPECT_EQ(r.kind, platform::FileDialogKind::Save);
  EXPECT_EQ(r.title, "Choose a filename to save AVI to...");
  EXPECT_EQ(r.defaultExtension, "AVI");
  EXPECT_EQ(r.fileName, before);
  ASSERT_EQ(r.filters.size(), 1u);
  EXPECT_EQ(r.filters[0], (std::pair<std::string, std::string>{"AVI Files", "*.avi"}));
  EXPECT_EQ(w.VideoTargetPath(), before);
  EXPECT_EQ(store::GetSettingString("Video", "VideoFilename", "<none>"), "<none>");
  EXPECT_EQ(store::GetSettingString("Video", "DefaultDirectory", "<none>"), "<none>");

  testsupport::WriteFile(dir + "/clip.avi", "x");
  dialogs.Accept(dir + "/clip.avi");
  w.cmdSelectFile->PerformClick();
  EXPECT_EQ(w.VideoTargetPath(), dir + "/clip.avi");
  EXPECT_EQ(w.VideoDirectory(), dir + "/");
  EXPECT_EQ(w.txtVideoDir->Text(), dir + "/");
  EXPECT_EQ(w.txtVideoFile->Text(), dir + "/clip.avi");
  EXPECT_EQ(w.txtVideoFile->palette().color(QPalette::Text), QColor(255, 0, 0));
  EXPECT_EQ(store::GetSettingString("Video", "VideoFilename", ""), dir + "/clip.avi");
  EXPECT_EQ(store::GetSettingString("Video", "DefaultDirectory", ""), dir + "/");
  // The next dialog of the run starts in that folder.
  dialogs.Cancel();
  w.cmdSelectFile->PerformClick();
  EXPECT_EQ(dialogs.requests.back().initialDirectory, dir + "/");
}

TEST_F(VideoWindowTest, UnloadStoresTheSettingsInTheirRanges) {
  frmVideo& w = Open();
  w.cboCapture->SetListIndex(1);
  w.cboFPS->SetListIndex(29);
  w.txtFrames->SetText("0");
  w.txtWidth->SetText("641");
  w.txtHeight->SetText("4000");
  w.txtBlackFrames[0].SetText("3");
  w.txtBlackFrames[1].SetText("4");
  w.chkCycleThemes->SetValue(1);
  QTest::keyClick(&w, Qt::Key_Escape);
  EXPECT_FALSE(w.IsLoaded());
  const std::vector<std::pair<const char*, const char*>> stored = {
      {"FrameTimeQty", "1"}, {"FrameTotal", "1"},       {"FrameRate", "30"},     {"ImageWidth", "644"},
      {"ImageHeight", "1080"}, {"BlackFramesBegin", "3"}, {"BlackFramesEnd", "4"}, {"CycleThemes", "1"}};
  for (const auto& [key, value] : stored) EXPECT_EQ(store::GetSettingString("Video", key, "<none>"), value) << key;
}

TEST_F(VideoWindowTest, EnterBeginsAndTheRecordingFillsTheFile) {
  frmVideo& w = OpenForRecording("6", "2", "1");
  w.txtWidth->SetText("321");
  ConfirmCompressor();
  QTest::keyClick(&w, Qt::Key_Return);
  const testsupport::AviReadBack r = testsupport::ReadAvi(Target());
  EXPECT_EQ(r.packets, 2 + 6 + 1);
  EXPECT_EQ(r.width, 324);
  EXPECT_EQ(r.height, 240);
  EXPECT_EQ(w.txtWidth->Text(), "324");
  EXPECT_EQ(w.picPreview->width(), 324);
  EXPECT_EQ(w.lblFrameStatus->Caption().rfind("Frame: 9  Time (min:sec): 0 : 00\r\nEst. Time Left: ", 0), 0u);
  EXPECT_EQ(w.cmdDispPreview->Caption(), kBeginCaption);
  EXPECT_EQ(w.CancelButton(), w.cmdClose);
  EXPECT_TRUE(w.cmdClose->Enabled());
  EXPECT_TRUE(w.txtWidth->Enabled());
  EXPECT_EQ(w.txtVideoFile->palette().color(QPalette::Text), QColor(255, 0, 0));
  EXPECT_EQ(beeps, 1);
  EXPECT_FALSE(HasRecordingTempFile(dir));
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(VideoWindowTest, TheRecordingShowsThePropertiesDialogsUniverseInItsOwnPicture) {
  SmallUniverseDialog props;
  engine::SetUniverseDialog(&props);
  frmVideo& w = OpenForRecording("6", "0", "0");
  ConfirmCompressor();
  w.cmdDispPreview->PerformClick();
  EXPECT_EQ(testsupport::ReadAvi(Target()).packets, 6);
  EXPECT_EQ(engine::universeSettings().Universe_Stars, 10);
  EXPECT_EQ(engine::universeSettings().Universe_Galaxy, 3);
  // The frames went into the window's own picture; the dialog's was left alone.
  EXPECT_EQ(presentation::render().RenderTarget, static_cast<presentation::RenderSurface*>(w.picPreview));
  EXPECT_EQ(props.picture.InnerWidthPx(), 200);
  EXPECT_EQ(props.picture.clears, 0);
}

TEST_F(VideoWindowTest, OpeningWhileADialogDisplayRunsEndsThatDisplayFirst) {
  engine::dialogPreview().DisplayDepth = 1;
  presentation::pacing().G_bCancel = false;
  ShowVideoWindow();
  EXPECT_TRUE(presentation::pacing().G_bCancel);
  std::string shown;
  testsupport::WhenModalShows<frmVideo>([&](frmVideo& v) {
    shown = v.Caption();
    v.cmdClose->PerformClick();
  });
  QTest::qWait(50);
  EXPECT_EQ(shown, "");
  // The display has returned: the window opens.
  engine::dialogPreview().DisplayDepth = 0;
  EXPECT_TRUE(QTest::qWaitFor([&] { return !shown.empty(); }, 2000));
  EXPECT_EQ(shown, "Zorvane Video Creation");
}

TEST_F(VideoWindowTest, EscStopsARecording) {
  frmVideo& w = OpenForRecording("100", "2", "3");
  std::vector<std::string> during;
  w.RunAnimation = Frames([&](int n) {
    if (n != 3) return;
    during = {w.cmdDispPreview->Caption(), w.CancelButton() == w.cmdDispPreview ? "Esc stops" : "Esc closes",
              w.cmdClose->Enabled() ? "Close enabled" : "Close disabled",
              w.txtFrames->Enabled() ? "fields enabled" : "fields disabled"};
    QTest::keyClick(&w, Qt::Key_Escape);
  });
  ConfirmCompressor();
  w.cmdDispPreview->PerformClick();
  EXPECT_EQ(during, (std::vector<std::string>{kStopCaption, "Esc stops", "Close disabled", "fields disabled"}));
  // The lead-in and the frames so far; no trailer.
  EXPECT_EQ(testsupport::ReadAvi(Target()).packets, 2 + 3);
  EXPECT_TRUE(w.IsLoaded());
  EXPECT_EQ(w.cmdDispPreview->Caption(), kBeginCaption);
  EXPECT_EQ(w.CancelButton(), w.cmdClose);
  EXPECT_EQ(beeps, 1);
}

TEST_F(VideoWindowTest, ClosingTheWindowWhileRecordingFinishesTheFileThenCloses) {
  frmVideo& w = OpenForRecording("100", "0", "3");
  w.RunAnimation = Frames([&](int n) {
    if (n == 4) w.close();
  });
  ConfirmCompressor();
  w.cmdDispPreview->PerformClick();
  EXPECT_EQ(testsupport::ReadAvi(Target()).packets, 4);
  EXPECT_FALSE(w.IsLoaded());
  EXPECT_FALSE(RecordingRunning());
  EXPECT_EQ(store::GetSettingString("Video", "FrameTotal", ""), "100");
}

TEST_F(VideoWindowTest, FramesAreRecordedOnlyWhileTheWindowWasActivatedLast) {
  frmVideo& w = OpenForRecording("4", "0", "0");
  QWidget other;
  other.resize(100, 100);
  std::vector<int32_t> written;
  w.RunAnimation = Frames([&](int n) {
    written.push_back(video().VideoFramesWritten);
    if (n == 2) {
      other.show();
      other.activateWindow();
      EXPECT_TRUE(QTest::qWaitForWindowActive(&other));
    }
    if (n == 5) {
      w.activateWindow();
      EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    }
  });
  ConfirmCompressor();
  w.cmdDispPreview->PerformClick();
  // Frames 3 to 5 were composed while the other window was active.
  EXPECT_EQ(written, (std::vector<int32_t>{1, 2, 2, 2, 2, 3, 4}));
  EXPECT_EQ(testsupport::ReadAvi(Target()).packets, 4);
}

TEST_F(VideoWindowTest, BeginThatRecordsNothing) {
  for (const bool cycleThemes : {true, false}) {
    SCOPED_TRACE(cycleThemes ? "cycle themes" : "compressor cancelled");
    frmVideo& w = OpenForRecording("5", "0", "0");
    w.chkCycleThemes->SetValue(cycleThemes ? 1 : 0);
    bool asked = false;
    QPointer<QTimer> watch = testsupport::WhenModalShows<VideoCompressionDialog>([&](VideoCompressionDialog& d) {
      asked = true;
      d.cmdCancel->click();
    });
    w.cmdDispPreview->PerformClick();
    delete watch.data();
    EXPECT_EQ(asked, !cycleThemes);
    EXPECT_FALSE(fs::exists(Target()));
    EXPECT_FALSE(HasRecordingTempFile(dir));
    EXPECT_EQ(store::GetSettingString("Video", "DefaultParms_fccType", "<none>"), "<none>");
    EXPECT_EQ(w.cmdDispPreview->Caption(), kBeginCaption);
    EXPECT_TRUE(w.cmdClose->Enabled());
    EXPECT_EQ(beeps, 0);
    EXPECT_TRUE(messages.messages.empty());
    window.reset();
  }
}

}  // namespace
}  // namespace capture
