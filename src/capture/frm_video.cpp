#include "capture/frm_video.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "capture/compressor_dialog.h"
#include "engine/dialog_previews.h"
#include "engine/display_universe.h"
#include "engine/universe_settings.h"
#include "host/window_state.h"
#include "platform/help/help_viewer.h"
#include "platform/message_box.h"
#include "presentation/frame_pacing.h"
#include "runtime/numbers.h"
#include "store/registry_access.h"
#include "store/typed_readers.h"

namespace capture {

namespace {

constexpr const char* kWindowSection = "General\\Video";
constexpr const char* kSection = "Video";
constexpr uint32_t kRed = 0xFF0000;  // 0xRRGGBB
constexpr uint32_t kBlack = 0x000000;
constexpr int32_t kMaxTotalFrames = 108000;
// Smallest client area, in twips.
constexpr int32_t kMinClientWidth = 6300;
constexpr int32_t kMinClientHeight = 3600;

int PxX(int32_t twips) { return controls::TwipsToPixelsX(twips); }
int PxY(int32_t twips) { return controls::TwipsToPixelsY(twips); }

bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

// The leading number of a field as a whole number (halves to even), limited to `lower`..`upper`.
int32_t FieldWhole(const controls::TextBox& box, int32_t lower, int32_t upper) {
  return runtime::LeadingWholeClamped(box.Text(), static_cast<float>(lower), static_cast<float>(upper));
}

std::string DefaultVideoFile(const std::string& directory) {
  std::string name = std::string(platform::kProductName) + "_Video.AVI";
  std::replace(name.begin(), name.end(), ' ', '_');
  const bool ends = !directory.empty() && (directory.back() == '/' || directory.back() == '\\');
  return directory + (ends ? "" : "/") + name;
}

// The universe of the Properties dialog's fields in the picture the recording bound; the
// stored universe when no Properties dialog is open.
void RunRecordedUniverse() {
  if (engine::universeDialog() != nullptr) {
    engine::ApplyUniverseDialogSettings(false);
    return;
  }
  engine::LoadUniverseSettings(false);
  engine::DisplayUniverse();
}

}  // namespace

VideoWindowState& videoWindow() {
  static VideoWindowState state;
  return state;
}

void ResetVideoWindowState() {
  VideoWindowState& w = videoWindow();
  w.VideoFileDialog.reset();
  w.LastActivated = nullptr;
}

void NoteActivated(QWindow* window) {
  if (window != nullptr) videoWindow().LastActivated = window;
}

frmVideo::frmVideo() : controls::Form(nullptr, "frmVideo") {
  using namespace controls;
  SetHelpContextID(kVideoHelpContext);
  SetReleaseOnUnload(false);
  RunAnimation = RunRecordedUniverse;

  fraProps = new Frame(this, "fraProps");
  fraProps->SetCaption("Video Capture Properties");
  fraProps->Move(150, 60, 6000, 3660);
  cboCapture = new ComboBox(fraProps, "cboCapture");
  cboCapture->Move(120, 300, 2580, 315);
  txtFrames = new TextBox(fraProps, "txtFrames");
  txtFrames->Move(2760, 300, 900, 315);
  lblFPS = new Label(fraProps, "lblFPS");
  lblFPS->SetCaption("Frames per Second:");
  lblFPS->Move(180, 735, 2520, 240);
  cboFPS = new ComboBox(fraProps, "cboFPS");
  cboFPS->Move(2760, 690, 900, 315);
  lblWidth = new Label(fraProps, "lblWidth");
  lblWidth->SetCaption("Frame Width, Height:");
  lblWidth->Move(180, 1125, 2520, 240);
  txtWidth = new TextBox(fraProps, "txtWidth");
  txtWidth->Move(2760, 1080, 780, 315);
  txtHeight = new TextBox(fraProps, "txtHeight");
  txtHeight->Move(3600, 1080, 780, 315);
  lblBlackFrames = new Label(fraProps, "lblBlackFrames");
  lblBlackFrames->SetCaption("Black Frames Begin, End:");
  lblBlackFrames->Move(180, 1515, 2520, 240);
  txtBlackFrames.Create(fraProps, 0).Move(2760, 1470, 780, 315);
  txtBlackFrames.Create(fraProps, 1).Move(3600, 1470, 780, 315);
  lblTotalFrames = new Label(fraProps, "lblTotalFrames");
  lblTotalFrames->SetCaption("Total Frames:");
  lblTotalFrames->Move(180, 1905, 2520, 240);
  cmdCalcFrames = new CommandButton(fraProps, "cmdCalcFrames");
  cmdCalcFrames->SetCaption("Calc Frames");
  cmdCalcFrames->Move(2760, 1860, 1620, 375);
  chkCycleThemes = new CheckBox(fraProps, "chkCycleThemes");
  chkCycleThemes->SetCaption("Cycle Themes");
  chkCycleThemes->Move(3780, 330, 1800, 270);
  txtVideoDir = new TextBox(fraProps, "txtVideoDir");
  txtVideoDir->Move(120, 2400, 3000, 315);
  txtVideoFile = new TextBox(fraProps, "txtVideoFile");
  txtVideoFile->Move(120, 2790, 3000, 315);
  // The boxes show the paths; the paths are chosen through the file dialog.
  txtVideoDir->SetLocked(true);
  txtVideoFile->SetLocked(true);
  cmdSelectFile = new CommandButton(fraProps, "cmdSelectFile");
  cmdSelectFile->SetCaption("Select Directory Set Video File...");
  cmdSelectFile->Move(120, 3180, 3600, 375);
  cmdRestoreDefaults = new CommandButton(fraProps, "cmdRestoreDefaults");
  cmdRestoreDefaults->Move(3240, 2400, 2640, 705);

  cmdDispPreview = new CommandButton(this, "cmdDispPreview");
  cmdDispPreview->SetCaption(kBeginCaption);
  cmdDispPreview->SetToolTipText("Display effects in the Preview window for the current properties");
  // As wide as its longer caption needs in this font (it stays clear of Help and Close).
  cmdDispPreview->Move(150, 3840, std::max(4635, controls::PixelsToTwipsX(cmdDispPreview->sizeHint().width())), 375);
  lblFrameStatus = new Label(this, "lblFrameStatus");
  lblFrameStatus->SetCaption("Frame Count / Est Time (00:00)");
  lblFrameStatus->Move(150, 4275, 4560, 480);
  cmdHelp = new CommandButton(this, "cmdHelp");
  cmdHelp->SetCaption("Help");
  cmdHelp->Move(4860, 3840, 1215, 375);
  cmdClose = new CommandButton(this, "cmdClose");
  cmdClose->SetCaption("Close");
  cmdClose->Move(4860, 4275, 1215, 375);
  fraPreview = new Frame(this, "fraPreview");
  fraPreview->Move(150, 4860, 6000, 1500);
  picPreview = new host::PictureBox(fraPreview);
  picPreview->setObjectName("picPreview");
  picPreview->Move(120, 270, 4800, 3600);

  SetDefaultButton(cmdDispPreview);
  SetCancelButton(cmdClose);

  cboCapture->Click = [this] { cboCapture_Click(); };
  cboFPS->Click = [this] { cboFPS_Click(); };
  cmdCalcFrames->Click = [this] { cmdCalcFrames_Click(); };
  cmdClose->Click = [this] { cmdClose_Click(); };
  cmdDispPreview->Click = [this] { cmdDispPreview_Click(); };
  cmdRestoreDefaults->Click = [this] { cmdRestoreDefaults_Click(); };
  cmdSelectFile->Click = [this] { cmdSelectFile_Click(); };
  cmdHelp->Click = [this] { cmdHelp_Click(); };
  auto numeric = [](controls::TextBox& box, std::function<void()> lost) {
    box.GotFocus = [] { controls::SelectAllText(); };
    box.KeyPress = [](int& key) { controls::NumericKeyPress(key); };
    box.LostFocus = std::move(lost);
  };
  numeric(*txtWidth, [this] { txtWidth_LostFocus(); });
  numeric(*txtHeight, [this] { txtHeight_LostFocus(); });
  numeric(*txtFrames, [this] { txtFrames_LostFocus(); });
  for (int i = 0; i < 2; ++i) numeric(txtBlackFrames[i], [this, i] { txtBlackFrames_LostFocus(i); });

  video().Window = this;
  VideoWindowState& w = videoWindow();
  if (!w.Tracking) {
    w.Tracking = true;
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, qApp, [](QWindow* focused) { NoteActivated(focused); });
  }
}

frmVideo::~frmVideo() {
  if (video().Window == this) video().Window = nullptr;
  presentation::UnbindRenderTarget(picPreview);
}

void frmVideo::Form_Load() {
  SetCaption(std::string(platform::kProductName) + " Video Creation");
  cmdRestoreDefaults->SetCaption("Restore Defaults:\r\n(If Video Compression fails)");
  host::RestoreWindowState(*this, kWindowSection, false);
  for (const char* item : {"Frames of Animation:", "Seconds of Animation:", "Minutes of Animation:"})
    cboCapture->AddItem(item);
  // A stored index outside the list leaves the list without a selection.
  cboCapture->SetListIndex(store::GetSettingLong(kSection, "FrameTimeQty", 0));
  txtFrames->SetText(store::GetSettingString(kSection, "FrameTotal", 360));
  for (int i = 1; i <= 30; ++i) cboFPS->AddItem(runtime::LongToText(i));
  const int32_t rate = store::GetSettingLong(kSection, "FrameRate", 24);
  cboFPS->SetListIndex(rate >= 1 && rate <= 30 ? rate - 1 : -1);
  UpdateTotalFrames();
  txtWidth->SetText(store::GetSettingString(kSection, "ImageWidth", 320));
  txtHeight->SetText(store::GetSettingString(kSection, "ImageHeight", 240));
  txtBlackFrames[0].SetText(store::GetSettingString(kSection, "BlackFramesBegin", 0));
  txtBlackFrames[1].SetText(store::GetSettingString(kSection, "BlackFramesEnd", 0));
  chkCycleThemes->SetValue(store::GetSettingLong(kSection, "CycleThemes", 0));
  // Stored sizes and black frames are taken only within their ranges.
  ClampFields();

  videoDirectory_ = store::GetSettingString(kSection, "DefaultDirectory",
                                            clsFileIO::GetSpecialFolderLocation(kFolderVideos));
  videoTargetPath_ = store::GetSettingString(kSection, "VideoFilename", DefaultVideoFile(videoDirectory_));
  txtVideoDir->SetText(videoDirectory_);
  txtVideoFile->SetText(videoTargetPath_);
  ShowTargetState();
  SizeVideoPreview();
  SetRecordingControls(false);
}

void frmVideo::showEvent(QShowEvent* e) {
  controls::Form::showEvent(e);
  // Without a window manager nobody else gives the window the keyboard.
  ActivateSelf();
}

void frmVideo::ActivateSelf() {
  raise();
  activateWindow();
  NoteActivated(windowHandle());
}

void frmVideo::Form_QueryUnload(int& Cancel, int /*UnloadMode*/) {
  // Closing while recording finishes the recording as Stop does; the window closes after it.
  if (RecordingRunning()) {
    closeAfterRecording_ = true;
    StopRecording();
    Cancel = 1;
  }
}

void frmVideo::Form_Unload(int& /*Cancel*/) {
  host::SaveWindowState(*this, kWindowSection);
  ClampFields();
  controls::ClampTextBox(*txtFrames, 0, 1, kMaxTotalFrames);
  store::SaveRegSetting(kSection, "FrameTimeQty", cboCapture->ListIndex());
  store::SaveRegSetting(kSection, "FrameTotal", txtFrames->Text());
  store::SaveRegSetting(kSection, "FrameRate", cboFPS->Text());
  store::SaveRegSetting(kSection, "ImageWidth", txtWidth->Text());
  store::SaveRegSetting(kSection, "ImageHeight", txtHeight->Text());
  store::SaveRegSetting(kSection, "BlackFramesBegin", txtBlackFrames[0].Text());
  store::SaveRegSetting(kSection, "BlackFramesEnd", txtBlackFrames[1].Text());
  store::SaveRegSetting(kSection, "CycleThemes", chkCycleThemes->Value());
  presentation::UnbindRenderTarget(picPreview);
}

int32_t frmVideo::UpdateTotalFrames() {
  const double frames = runtime::Val(txtFrames->Text());
  const double fps = runtime::Val(cboFPS->Text());
  double total = 0;
  switch (cboCapture->ListIndex()) {
    case 0: total = frames; break;
    case 1: total = frames * fps; break;
    case 2: total = frames * fps * 60; break;
    default: break;
  }
  // Limited before it is made whole, so that no product is too large to convert.
  if (!(total >= 1)) total = 1;
  if (total > kMaxTotalFrames) total = kMaxTotalFrames;
  const int32_t whole = runtime::ClampLong(runtime::ToLongOr(total, 1), 1, kMaxTotalFrames);
  lblTotalFrames->SetCaption("Total Frames:  " + runtime::LongToText(whole));
  return whole;
}

void frmVideo::ClampWidth() {
  controls::ClampTextBox(*txtWidth, 0, 32, 1920);
  const int32_t w = FieldWhole(*txtWidth, 32, 1920);
  txtWidth->SetText(runtime::LongToText((w + 3) / 4 * 4));
}

void frmVideo::ClampFields() {
  ClampWidth();
  controls::ClampTextBox(*txtHeight, 0, 32, 1080);
  for (int i = 0; i < 2; ++i) controls::ClampTextBox(txtBlackFrames[i], 0, 0, 999);
}

void frmVideo::SizeVideoPreview() {
  const int32_t w = FieldWhole(*txtWidth, 32, 1920);
  const int32_t h = FieldWhole(*txtHeight, 32, 1080);
  picPreview->ResizeInnerPx(w, h);
  const int left = picPreview->x();
  const int top = picPreview->y();
  fraPreview->resize(std::max(PxX(6000), 2 * left + w), std::max(PxY(1500), top + h + 3));
  // The window keeps its place; its client area holds the frame and ends 3 pixels below it.
  resize(fraPreview->width() + 2 * fraPreview->x(), fraPreview->y() + fraPreview->height() + 3);
  KeepOnScreen();
  Form_Resize();
  txtWidth->SetText(runtime::LongToText(w));
  txtHeight->SetText(runtime::LongToText(h));
  picPreview->ResizeInnerPx(w, h);
}

void frmVideo::KeepOnScreen() {
  // A window grown past its screen moves up and left as far as it must (never past the screen's
  // top left corner); its size stays, since the picture has the video's size.
  QScreen* s = screen();
  if (s == nullptr || !(isVisible() || testAttribute(Qt::WA_Moved))) return;
  const QRect free = s->availableGeometry();
  const QRect f = frameGeometry();
  const host::PixelRect fitted = host::FitRectOntoScreens({f.x(), f.y(), f.width(), f.height()},
                                                          {{free.x(), free.y(), free.width(), free.height()}});
  if (fitted.left != f.x() || fitted.top != f.y()) move(fitted.left, fitted.top);
}

int frmVideo::VisibleClientWidth() const {
  QScreen* s = screen();
  if (s == nullptr || !(isVisible() || testAttribute(Qt::WA_Moved))) return width();
  const int onScreen = s->availableGeometry().right() + 1 - geometry().x();
  return std::clamp(onScreen, std::min(PxX(kMinClientWidth), width()), width());
}

void frmVideo::Form_Resize() {
  const int minW = PxX(kMinClientWidth);
  const int minH = PxY(kMinClientHeight);
  // The window has no menu bar: its client area is the whole window.
  if (width() < minW || height() < minH) resize(std::max(width(), minW), std::max(height(), minH));
  const int clientW = width();
  // The settings and the buttons on the right keep to the part of the window on the screen
  // (all of it unless the video is wider than the screen); the preview's frame holds the picture.
  const int shownW = VisibleClientWidth();
  const int margin = fraProps->x();
  fraProps->resize(shownW - 2 * margin, fraProps->height());
  fraPreview->resize(clientW - 2 * margin, fraPreview->height());
  cmdRestoreDefaults->move(fraProps->width() - 9 - cmdRestoreDefaults->width(), cmdRestoreDefaults->y());
  for (controls::TextBox* box : {txtVideoDir, txtVideoFile})
    box->resize(std::max(1, cmdRestoreDefaults->x() - 5 - box->x()), box->height());
  for (controls::CommandButton* b : {cmdHelp, cmdClose}) b->move(shownW - 5 - b->width(), b->y());
}

void frmVideo::ShowTargetState() { txtVideoFile->SetForeColor(FileExists(videoTargetPath_) ? kRed : kBlack); }

void frmVideo::cboCapture_Click() { UpdateTotalFrames(); }
void frmVideo::cboFPS_Click() { UpdateTotalFrames(); }
void frmVideo::cmdCalcFrames_Click() { UpdateTotalFrames(); }

void frmVideo::txtWidth_LostFocus() {
  ClampWidth();
  SizeVideoPreview();
}

void frmVideo::txtHeight_LostFocus() {
  controls::ClampTextBox(*txtHeight, 0, 32, 1080);
  SizeVideoPreview();
}

void frmVideo::txtFrames_LostFocus() {
  controls::ClampTextBox(*txtFrames, 0, 1, kMaxTotalFrames);
  UpdateTotalFrames();
}

void frmVideo::txtBlackFrames_LostFocus(int Index) { controls::ClampTextBox(txtBlackFrames[Index], 0, 0, 999); }

void frmVideo::cmdClose_Click() {
  presentation::pacing().G_bCancel = true;
  Unload();
}

void frmVideo::cmdHelp_Click() { platform::ShowHelp(this, platform::HELP_CONTEXT, kVideoHelpContext); }

void frmVideo::cmdRestoreDefaults_Click() {
  const platform::MsgResult answer = platform::ShowMessage(
      "Confirm Restore Defaults\r\n\r\n"
      "Restoring the Video Default settings will reset\r\n"
      "the Video Capture properties and will also clear\r\n"
      "any of previously setup Video Compression properties.\r\n"
      "This can be necessary if you are experiencing problems\r\n"
      "when attempting to select the Video Compression type.\r\n\r\n"
      "Are you sure you want to Restore Defaults?",
      platform::kProductName, platform::MsgIcon::Question, platform::MsgButtons::YesNo);
  if (answer != platform::MsgResult::Yes) return;
  cboCapture->SetListIndex(0);
  cboFPS->SetListIndex(23);
  txtFrames->SetText("360");
  txtWidth->SetText("320");
  txtHeight->SetText("240");
  txtBlackFrames[0].SetText("0");
  txtBlackFrames[1].SetText("0");
  UpdateTotalFrames();
  SizeVideoPreview();
  ClearCompressOptions();
}

void frmVideo::cmdSelectFile_Click() {
  VideoWindowState& w = videoWindow();
  if (!w.VideoFileDialog) w.VideoFileDialog.emplace();
  clsFileIO& dialog = *w.VideoFileDialog;
  dialog.DefaultExt("AVI");
  dialog.DlgTitle("Choose a filename to save AVI to...");
  dialog.Filter("AVI Files|*.avi");
  dialog.OwnerHwnd(static_cast<int64_t>(winId()));
  // A cancelled dialog leaves the file name as it was.
  if (!dialog.VBGetSaveFileName(videoTargetPath_)) return;
  videoDirectory_ = dialog.InitDirectory();
  store::SaveRegSetting(kSection, "VideoFilename", videoTargetPath_);
  txtVideoDir->SetText(videoDirectory_);
  txtVideoFile->SetText(videoTargetPath_);
  ShowTargetState();
}

void frmVideo::cmdDispPreview_Click() {
  if (cmdDispPreview->Caption() == kStopCaption) {
    StopRecording();
    return;
  }
  Begin();
}

void frmVideo::Begin() {
  if (RecordingRunning()) return;
  RecordingPlan plan;
  plan.framesPerSecond = cboFPS->ListIndex() + 1;  // no rate selected: the plan takes 1
  plan.totalFrames = UpdateTotalFrames();
  ClampFields();
  // The picture, its frame and the window take the frame size before the picture is bound.
  SizeVideoPreview();
  plan.width = FieldWhole(*txtWidth, 32, 1920);
  plan.height = FieldWhole(*txtHeight, 32, 1080);
  plan.blackBegin = FieldWhole(txtBlackFrames[0], 0, 999);
  plan.blackEnd = FieldWhole(txtBlackFrames[1], 0, 999);
  // There is no list of themes to cycle through: with the box set nothing is recorded.
  video().VideoCycleThemes = chkCycleThemes->Value() != 0;
  if (video().VideoCycleThemes) return;
  plan.directory = videoDirectory_;
  plan.targetPath = videoTargetPath_;
  // The user's videos folder may not have been made yet.
  std::error_code ec;
  if (!videoDirectory_.empty()) std::filesystem::create_directories(videoDirectory_, ec);

  closeAfterRecording_ = false;
  const auto choose = [this](VideoCompressOptions& options) {
    const bool chosen = AVISaveOptions(this, options);
    ActivateSelf();
    if (chosen) SetRecordingControls(true);
    return chosen;
  };
  const RecordingEnd end = RecordVideo(plan, *picPreview, choose, RunAnimation);
  SetRecordingControls(false);
  ShowTargetState();
  if (end == RecordingEnd::Finished || end == RecordingEnd::Stopped) controls::Beep();
  if (closeAfterRecording_) {
    closeAfterRecording_ = false;
    Unload();
  }
}

void frmVideo::SetRecordingControls(bool recording) {
  cmdDispPreview->SetCaption(recording ? kStopCaption : kBeginCaption);
  SetCancelButton(recording ? cmdDispPreview : cmdClose);
  for (controls::Control* c : std::initializer_list<controls::Control*>{
           cmdClose, cmdHelp, cmdSelectFile, cboCapture, txtFrames, cboFPS, txtWidth, txtHeight, chkCycleThemes,
           &txtBlackFrames[0], &txtBlackFrames[1], cmdRestoreDefaults, cmdCalcFrames})
    c->SetEnabled(!recording);
  if (!recording) presentation::pacing().G_bCancel = true;
}

bool frmVideo::IsRecordingWindowActive() const {
  const QWindow* last = videoWindow().LastActivated.data();
  return last != nullptr && last == windowHandle();
}

void frmVideo::ShowFrameStatus(const std::string& text) {
  lblFrameStatus->SetCaption(text);
  lblFrameStatus->repaint();
}

void ShowVideoWindow() {
  // A display of the Properties dialog that runs below this call ends first (it shares the
  // frame with the recording); the window opens once it has returned.
  if (engine::DialogDisplayRunning()) {
    presentation::pacing().G_bCancel = true;
    QTimer::singleShot(10, qApp, &ShowVideoWindow);
    return;
  }
  auto* window = new frmVideo;
  window->ShowModal();
  window->Release();
}

}  // namespace capture
