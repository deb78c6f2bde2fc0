#include "capture/compressor_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include "store/registry_access.h"
#include "store/typed_readers.h"

namespace capture {
namespace {

constexpr const char* kSection = "Video";
constexpr int32_t kDefaultQuality = 7500;

std::array<int32_t*, 11> Fields(VideoCompressOptions& o) {
  return {&o.fccType,  &o.fccHandler, &o.dwKeyFrameEvery, &o.dwQuality, &o.dwBytesPerSecond, &o.dwFlags,
          &o.lpFormat, &o.cbFormat,   &o.lpParms,         &o.cbParms,   &o.dwInterleaveEvery};
}

}  // namespace

const std::array<const char*, 11> kDefaultParmsNames = {
    "DefaultParms_fccType",       "DefaultParms_fccHandler", "DefaultParms_dwKeyFrameEvery",
    "DefaultParms_dwQuality",     "DefaultParms_dwBytesPerSecond", "DefaultParms_dwFlags",
    "DefaultParms_lpFormat",      "DefaultParms_cbFormat",   "DefaultParms_lpParms",
    "DefaultParms_cbParms",       "DefaultParms_dwInterleaveEvery"};

VideoCompressOptions LoadCompressOptions() {
  VideoCompressOptions o;
  const auto fields = Fields(o);
  for (size_t i = 0; i < fields.size(); ++i) *fields[i] = store::GetSettingLong(kSection, kDefaultParmsNames[i], 0);
  return o;
}

void SaveCompressOptions(const VideoCompressOptions& options) {
  VideoCompressOptions o = options;
  const auto fields = Fields(o);
  for (size_t i = 0; i < fields.size(); ++i) store::SaveRegSetting(kSection, kDefaultParmsNames[i], *fields[i]);
}

void ClearCompressOptions() { SaveCompressOptions(VideoCompressOptions{}); }

avi::CompressOptions ToWriterOptions(const VideoCompressOptions& o) {
  avi::CompressOptions w;
  w.fourcc = static_cast<uint32_t>(o.fccHandler);
  const bool valid = (o.dwFlags & kCompressValid) != 0;
  w.quality = valid ? o.dwQuality : -1;
  w.keyFrameEvery = valid && (o.dwFlags & kCompressKeyFrames) ? o.dwKeyFrameEvery : 0;
  w.bytesPerSecond = valid && (o.dwFlags & kCompressDataRate) ? o.dwBytesPerSecond : 0;
  return w;
}

VideoCompressionDialog::VideoCompressionDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Video Compression"));
  setModal(true);
  cboCompressor = new QComboBox(this);
  for (const avi::EncoderInfo& e : avi::AviEncoders()) {
    cboCompressor->addItem(QString::fromStdString(e.title), QVariant::fromValue(e.fourcc));
  }
  lblQuality = new QLabel(this);
  sldQuality = new QSlider(Qt::Horizontal, this);
  sldQuality->setRange(0, 100);
  chkKeyFrames = new QCheckBox(QStringLiteral("&Key Frame Every"), this);
  spnKeyFrames = new QSpinBox(this);
  spnKeyFrames->setRange(1, 9999);
  spnKeyFrames->setSuffix(QStringLiteral(" frames"));
  chkDataRate = new QCheckBox(QStringLiteral("&Data Rate"), this);
  spnDataRate = new QSpinBox(this);
  spnDataRate->setRange(1, 2000000);
  spnDataRate->setSuffix(QStringLiteral(" KB/sec"));

  auto* grid = new QGridLayout;
  auto* lblCompressor = new QLabel(QStringLiteral("&Compressor:"), this);
  lblCompressor->setBuddy(cboCompressor);
  grid->addWidget(lblCompressor, 0, 0);
  grid->addWidget(cboCompressor, 0, 1);
  grid->addWidget(lblQuality, 1, 0);
  grid->addWidget(sldQuality, 1, 1);
  grid->addWidget(chkKeyFrames, 2, 0);
  grid->addWidget(spnKeyFrames, 2, 1);
  grid->addWidget(chkDataRate, 3, 0);
  grid->addWidget(spnDataRate, 3, 1);

  auto* buttons = new QDialogButtonBox(this);
  cmdOK = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  cmdCancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  cmdOK->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttons);

  connect(cboCompressor, &QComboBox::currentIndexChanged, this, [this] { UpdateEnabled(); });
  connect(chkKeyFrames, &QCheckBox::toggled, this, [this] { UpdateEnabled(); });
  connect(chkDataRate, &QCheckBox::toggled, this, [this] { UpdateEnabled(); });
  connect(sldQuality, &QSlider::valueChanged, this, [this](int v) {
    lblQuality->setText(QStringLiteral("Compression &Quality: %1").arg(v));
  });
  Load(VideoCompressOptions{});
}

void VideoCompressionDialog::Load(const VideoCompressOptions& o) {
  const int index = cboCompressor->findData(QVariant::fromValue(static_cast<uint32_t>(o.fccHandler)));
  cboCompressor->setCurrentIndex(index >= 0 ? index : 0);
  const bool valid = (o.dwFlags & kCompressValid) != 0;
  const int32_t quality = valid && o.dwQuality >= 0 && o.dwQuality <= 10000 ? o.dwQuality : kDefaultQuality;
  sldQuality->setValue(quality / 100);
  lblQuality->setText(QStringLiteral("Compression &Quality: %1").arg(sldQuality->value()));
  lblQuality->setBuddy(sldQuality);
  const bool keyFrames = valid && (o.dwFlags & kCompressKeyFrames) && o.dwKeyFrameEvery > 0;
  chkKeyFrames->setChecked(keyFrames);
  spnKeyFrames->setValue(keyFrames ? o.dwKeyFrameEvery : 15);
  const bool dataRate = valid && (o.dwFlags & kCompressDataRate) && o.dwBytesPerSecond > 0;
  chkDataRate->setChecked(dataRate);
  spnDataRate->setValue(dataRate ? std::max(1, o.dwBytesPerSecond / 1024) : 300);
  UpdateEnabled();
}

VideoCompressOptions VideoCompressionDialog::Choice() const {
  VideoCompressOptions o;
  o.fccType = static_cast<int32_t>(avi::FourCC("vids"));
  o.fccHandler = static_cast<int32_t>(cboCompressor->currentData().toUInt());
  o.dwQuality = sldQuality->value() * 100;
  o.dwFlags = kCompressValid;
  if (chkKeyFrames->isEnabled() && chkKeyFrames->isChecked()) {
    o.dwFlags |= kCompressKeyFrames;
    o.dwKeyFrameEvery = spnKeyFrames->value();
  }
  if (chkDataRate->isEnabled() && chkDataRate->isChecked()) {
    o.dwFlags |= kCompressDataRate;
    o.dwBytesPerSecond = spnDataRate->value() * 1024;
  }
  return o;
}

void VideoCompressionDialog::UpdateEnabled() {
  const int index = cboCompressor->currentIndex();
  const auto& list = avi::AviEncoders();
  const avi::EncoderInfo* e = index >= 0 && static_cast<size_t>(index) < list.size() ? &list[index] : nullptr;
  const bool quality = e != nullptr && e->quality;
  lblQuality->setEnabled(quality);
  sldQuality->setEnabled(quality);
  chkKeyFrames->setEnabled(e != nullptr && e->keyFrames);
  spnKeyFrames->setEnabled(chkKeyFrames->isEnabled() && chkKeyFrames->isChecked());
  chkDataRate->setEnabled(e != nullptr && e->dataRate);
  spnDataRate->setEnabled(chkDataRate->isEnabled() && chkDataRate->isChecked());
}

void VideoCompressionDialog::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  raise();
  activateWindow();
}

bool AVISaveOptions(QWidget* owner, VideoCompressOptions& options) {
  VideoCompressionDialog dialog(owner);
  dialog.Load(options);
  if (dialog.exec() != QDialog::Accepted) return false;
  options = dialog.Choice();
  return true;
}

}  // namespace capture
