#include "capture/compressor_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>

#include "host/qt_test_app.h"
#include "store/registry_access.h"
#include "store/typed_readers.h"
#include "support/test_support.h"

namespace {

using capture::VideoCompressionDialog;
using capture::VideoCompressOptions;

class CompressorDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::EnsureQtApplication(); }
  testsupport::TempConfig config;
};

TEST_F(CompressorDialogTest, ListsUncompressedFirstThenTheCommonOnes) {
  VideoCompressionDialog dialog;
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Video Compression"));
  ASSERT_GE(dialog.cboCompressor->count(), 4);
  EXPECT_EQ(dialog.cboCompressor->itemText(0), QStringLiteral("Uncompressed"));
  EXPECT_EQ(dialog.cboCompressor->itemData(1).toUInt(), avi::FourCC("MJPG"));
  EXPECT_EQ(dialog.cboCompressor->itemData(2).toUInt(), avi::FourCC("FFV1"));
  EXPECT_EQ(dialog.cboCompressor->itemData(3).toUInt(), avi::FourCC("FMP4"));
  EXPECT_EQ(static_cast<size_t>(dialog.cboCompressor->count()), avi::AviEncoders().size());
  // Uncompressed takes no setting; MPEG-4 takes all three; FFV1 only key frames.
  EXPECT_EQ(dialog.cboCompressor->currentIndex(), 0);
  EXPECT_FALSE(dialog.sldQuality->isEnabled());
  EXPECT_FALSE(dialog.chkKeyFrames->isEnabled());
  EXPECT_FALSE(dialog.chkDataRate->isEnabled());
  dialog.cboCompressor->setCurrentIndex(3);
  EXPECT_TRUE(dialog.sldQuality->isEnabled());
  EXPECT_TRUE(dialog.chkKeyFrames->isEnabled());
  EXPECT_TRUE(dialog.chkDataRate->isEnabled());
  dialog.cboCompressor->setCurrentIndex(2);
  EXPECT_FALSE(dialog.sldQuality->isEnabled());
  EXPECT_TRUE(dialog.chkKeyFrames->isEnabled());
}

TEST_F(CompressorDialogTest, ChoiceFillsTheElevenValues) {
  VideoCompressionDialog dialog;
  dialog.cboCompressor->setCurrentIndex(3);
  dialog.sldQuality->setValue(60);
  dialog.chkKeyFrames->setChecked(true);
  dialog.spnKeyFrames->setValue(12);
  dialog.chkDataRate->setChecked(true);
  dialog.spnDataRate->setValue(500);
  const VideoCompressOptions o = dialog.Choice();
  capture::SaveCompressOptions(o);
  const int32_t expected[11] = {static_cast<int32_t>(avi::FourCC("vids")),
                                static_cast<int32_t>(avi::FourCC("FMP4")),
                                12,
                                6000,
                                512000,
                                capture::kCompressValid | capture::kCompressKeyFrames | capture::kCompressDataRate,
                                0,
                                0,
                                0,
                                0,
                                0};
  for (size_t i = 0; i < 11; ++i) {
    EXPECT_EQ(store::GetSettingString("Video", capture::kDefaultParmsNames[i], "missing"),
              std::to_string(expected[i]))
        << capture::kDefaultParmsNames[i];
  }
  const avi::CompressOptions w = capture::ToWriterOptions(capture::LoadCompressOptions());
  EXPECT_EQ(w.fourcc, avi::FourCC("FMP4"));
  EXPECT_EQ(w.quality, 6000);
  EXPECT_EQ(w.keyFrameEvery, 12);
  EXPECT_EQ(w.bytesPerSecond, 512000);

  // The stored choice is preselected by the next dialog.
  VideoCompressionDialog next;
  next.Load(capture::LoadCompressOptions());
  EXPECT_EQ(next.cboCompressor->currentIndex(), 3);
  EXPECT_EQ(next.sldQuality->value(), 60);
  EXPECT_TRUE(next.chkKeyFrames->isChecked());
  EXPECT_EQ(next.spnKeyFrames->value(), 12);
  EXPECT_EQ(next.spnDataRate->value(), 500);

  capture::ClearCompressOptions();
  EXPECT_EQ(store::GetSettingString("Video", "DefaultParms_fccHandler", "missing"), "0");
  const avi::CompressOptions cleared = capture::ToWriterOptions(capture::LoadCompressOptions());
  EXPECT_EQ(cleared.fourcc, 0u);
  EXPECT_EQ(cleared.quality, -1);
}

TEST_F(CompressorDialogTest, UnknownCodeOrInvalidRecordShowsTheDefaults) {
  VideoCompressionDialog dialog;
  VideoCompressOptions o;
  o.fccHandler = static_cast<int32_t>(avi::FourCC("ZZZZ"));
  o.dwQuality = 0;
  dialog.Load(o);
  EXPECT_EQ(dialog.cboCompressor->currentIndex(), 0);
  EXPECT_EQ(dialog.sldQuality->value(), 75);
  EXPECT_FALSE(dialog.chkKeyFrames->isChecked());
}

TEST_F(CompressorDialogTest, OkAndCancel) {
  VideoCompressOptions o;
  o.fccHandler = static_cast<int32_t>(avi::FourCC("MJPG"));
  o.dwFlags = capture::kCompressValid;
  o.dwQuality = 9000;
  VideoCompressOptions kept = o;
  QTimer::singleShot(0, [] {
    if (QWidget* w = QApplication::activeModalWidget()) static_cast<QDialog*>(w)->reject();
  });
  EXPECT_FALSE(capture::AVISaveOptions(nullptr, kept));
  EXPECT_EQ(kept.fccType, 0);  // unchanged
  QTimer::singleShot(0, [] {
    if (auto* d = dynamic_cast<VideoCompressionDialog*>(QApplication::activeModalWidget())) d->cmdOK->click();
  });
  ASSERT_TRUE(capture::AVISaveOptions(nullptr, o));
  EXPECT_EQ(o.fccType, static_cast<int32_t>(avi::FourCC("vids")));
  EXPECT_EQ(o.fccHandler, static_cast<int32_t>(avi::FourCC("MJPG")));
  EXPECT_EQ(o.dwQuality, 9000);
}

}  // namespace
