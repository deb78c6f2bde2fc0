// The compressor choice of a video recording and its dialog "Video Compression".
//
// The choice is kept in the eleven fields of a compression options record, stored as the
// values "DefaultParms_<field>" of section "Video": fccType "vids", fccHandler the AVI
// four-character code of the compressor (0: uncompressed), the key-frame interval, the
// quality (0..10000), the data rate in bytes a second, the flags saying which of these are
// set, and 0 in the format, parameter and interleave fields (a recording never carries
// addresses from one run to the next).
#pragma once

#include <QDialog>

#include <array>
#include <cstdint>

#include "platform/avi/avi_writer.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;

namespace capture {

// Which fields of the record are set.
inline constexpr int32_t kCompressDataRate = 2;
inline constexpr int32_t kCompressKeyFrames = 4;
inline constexpr int32_t kCompressValid = 8;

struct VideoCompressOptions {
  int32_t fccType = 0;
  int32_t fccHandler = 0;
  int32_t dwKeyFrameEvery = 0;
  int32_t dwQuality = 0;
  int32_t dwBytesPerSecond = 0;
  int32_t dwFlags = 0;
  int32_t lpFormat = 0;
  int32_t cbFormat = 0;
  int32_t lpParms = 0;
  int32_t cbParms = 0;
  int32_t dwInterleaveEvery = 0;
};

// The value names, in field order.
extern const std::array<const char*, 11> kDefaultParmsNames;

// The stored choice (a missing or non-numeric value reads as 0); writing stores all eleven.
VideoCompressOptions LoadCompressOptions();
void SaveCompressOptions(const VideoCompressOptions& options);
// Writes "0" to all eleven values.
void ClearCompressOptions();
// What the AVI writer takes of a choice.
avi::CompressOptions ToWriterOptions(const VideoCompressOptions& options);

// The modal dialog: the compressors the AVI muxer accepts (avi::AviEncoders), the quality, the
// key-frame interval and the data rate where the chosen compressor takes them, OK and Cancel.
class VideoCompressionDialog : public QDialog {
 public:
  explicit VideoCompressionDialog(QWidget* parent = nullptr);
  // Shows a choice: its compressor (Uncompressed when the code is not listed) and, when the
  // record is valid, its numbers; else the defaults (quality 7500, no key-frame interval, no data
  // rate).
  void Load(const VideoCompressOptions& options);
  // The choice as the dialog shows it.
  VideoCompressOptions Choice() const;

  QComboBox* cboCompressor;
  QLabel* lblQuality;
  QSlider* sldQuality;
  QCheckBox* chkKeyFrames;
  QSpinBox* spnKeyFrames;
  QCheckBox* chkDataRate;
  QSpinBox* spnDataRate;  // KB a second
  QPushButton* cmdOK;
  QPushButton* cmdCancel;

 protected:
  // The dialog takes the keyboard when it shows (no window manager may give it).
  void showEvent(QShowEvent* e) override;

 private:
  void UpdateEnabled();
};

// Shows the dialog modally over `owner`, starting from `options`; on OK fills `options` and
// returns true, on Cancel leaves them and returns false.
bool AVISaveOptions(QWidget* owner, VideoCompressOptions& options);

}  // namespace capture
