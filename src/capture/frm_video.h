// The video capture window "Zorvane Video Creation": the recording settings (length and its
// unit, frame rate, frame size, black frames at the beginning and the end, the cycle-themes
// box, the output folder and file), the preview picture in which the recorded animation runs
// at exactly the video's size, the Begin/Stop button and the status of a running recording.
//
// Its settings live in section "Video" (written when the window unloads; the output file when
// it is chosen; the compressor choice once a recording has opened its file), its place in
// "General\Video". Begin is the default button (Enter) and Close the cancel button (Esc);
// while a recording runs Esc stops it, and closing the window finishes the recording as Stop
// does and then closes it.
//
// Frames are recorded only while this window is the window of the program that was activated
// last; it activates itself when the compressor dialog closes.
#pragma once

#include <QPointer>
#include <QWindow>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "capture/file_io.h"
#include "capture/video_frames.h"
#include "capture/video_recording.h"
#include "host/picture_box.h"
#include "platform/controls/controls.h"

namespace capture {

inline constexpr int kVideoHelpContext = 8500;
inline constexpr const char* kBeginCaption = "Select Video Compression / Begin Video Recording";
inline constexpr const char* kStopCaption = "Stop Video Creation";

// What lives on between openings of the window: the file dialog object of the output file and
// the window of this program activated last.
struct VideoWindowState {
  std::optional<clsFileIO> VideoFileDialog;
  QPointer<QWindow> LastActivated;
  bool Tracking = false;  // LastActivated follows the program's window activations
};
VideoWindowState& videoWindow();
// Back to a fresh process state (tests); the activation tracking stays connected.
void ResetVideoWindowState();
// Records `window` as the window of this program activated last (it asked for the activation
// itself, so the record does not wait for the window system's answer).
void NoteActivated(QWindow* window);

class frmVideo : public controls::Form, public VideoWindow {
 public:
  frmVideo();
  ~frmVideo() override;

  controls::Frame* fraProps;
  controls::ComboBox* cboCapture;
  controls::TextBox* txtFrames;
  controls::ComboBox* cboFPS;
  controls::Label* lblFPS;
  controls::TextBox* txtWidth;
  controls::TextBox* txtHeight;
  controls::Label* lblWidth;
  controls::ControlArray<controls::TextBox> txtBlackFrames{"txtBlackFrames"};
  controls::Label* lblBlackFrames;
  controls::Label* lblTotalFrames;
  controls::CommandButton* cmdCalcFrames;
  controls::CheckBox* chkCycleThemes;
  controls::TextBox* txtVideoDir;
  controls::TextBox* txtVideoFile;
  controls::CommandButton* cmdSelectFile;
  controls::CommandButton* cmdRestoreDefaults;
  controls::Frame* fraPreview;
  host::PictureBox* picPreview;
  controls::CommandButton* cmdDispPreview;
  controls::Label* lblFrameStatus;
  controls::CommandButton* cmdHelp;
  controls::CommandButton* cmdClose;

  // The output folder and file the next recording goes to.
  const std::string& VideoDirectory() const { return videoDirectory_; }
  const std::string& VideoTargetPath() const { return videoTargetPath_; }

  // Runs the recorded animation until G_bCancel; by default the universe of the Properties
  // dialog's fields in the bound picture (the stored universe when no dialog is open).
  AnimationRunner RunAnimation;

  // Handlers.
  void cboCapture_Click();
  void cboFPS_Click();
  void cmdCalcFrames_Click();
  void cmdClose_Click();
  void cmdDispPreview_Click();
  void cmdRestoreDefaults_Click();
  void cmdSelectFile_Click();
  void cmdHelp_Click();
  void txtWidth_LostFocus();
  void txtHeight_LostFocus();
  void txtFrames_LostFocus();
  void txtBlackFrames_LostFocus(int Index);

  // Computes, shows and returns the planned number of animation frames (1 to 108000).
  int32_t UpdateTotalFrames();
  // Sizes the picture to the frame size, then its frame and the window.
  void SizeVideoPreview();

  // VideoWindow
  bool IsRecordingWindowActive() const override;
  void ShowFrameStatus(const std::string& text) override;

 protected:
  void Form_Load() override;
  void Form_QueryUnload(int& Cancel, int UnloadMode) override;
  void Form_Unload(int& Cancel) override;
  void Form_Resize() override;
  void showEvent(QShowEvent* e) override;

 private:
  void Begin();
  // Switches between recording (Stop caption, Esc stops, settings disabled) and idle.
  void SetRecordingControls(bool recording);
  // txtVideoFile in red when a file exists at the target, else in black.
  void ShowTargetState();
  void ActivateSelf();
  // Moves a window that grew past its screen back onto it as far as its size allows.
  void KeepOnScreen();
  // The width of the client area's part on the screen (at least the smallest client width).
  int VisibleClientWidth() const;
  void ClampWidth();
  void ClampFields();

  std::string videoDirectory_;
  std::string videoTargetPath_;
  bool closeAfterRecording_ = false;
};

// Creates the window, shows it modally and releases it. While a display of the Properties
// dialog runs, that display is stopped and the window opens once it has returned.
void ShowVideoWindow();

}  // namespace capture
