// The full-screen saver: a frameless, topmost window over the primary monitor (or over all
// monitors) that shows the animated universes until a key, a button or repeated mouse movement
// ends it, with the exit fade.
#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>

#include "host/picture_box.h"

namespace host {

class CaptionChannel;

class SaverWindow : public QWidget {
 public:
  SaverWindow();
  ~SaverWindow() override;

  // The render target (sized to the render size, kept hidden) and the canvas that covers the
  // window, onto which every composed frame is copied.
  PictureBox* picScreen() const { return picScreen_; }
  PictureBox* canvas() const { return canvas_; }
  // The effect loop; returns when G_bCancel is set.
  void DisplayEffects();
  // Mouse movement rule: the fourth move of more than 75 pixels from the last counted
  // position ends the saver; counted moves more than 10 s after the first start the count
  // again.
  void CheckMouseMove(float x, float y);
  void EndSaver();
  // Key rules; key is a Qt key code, text the character typed (may be empty).
  void HandleKeyDown(int key);
  void HandleKeyPress(const QString& text);

  bool IgnoreMouseMove = false;
  bool CaptureKeysOn = false;
  // False when a screen-saver daemon owns the keyboard and the mouse: keys, buttons and mouse
  // movement then never end the saver.
  bool InputEndsSaver = true;
  // Whether the exit road (the fade and the cursor's return) ran: false after a stop request.
  bool ExitRoadRan() const { return closed_ && endRequested_; }
  int32_t MoveCount = 0;
  uint32_t FirstMoveTick = 0;
  float LastMoveX = 0, LastMoveY = 0;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  PictureBox* picScreen_;
  PictureBox* canvas_;
  std::unique_ptr<CaptionChannel> channel_;
  bool endRequested_ = false;
  bool closed_ = false;
};

// Composes the current frame again with falling blend levels (or a rising desktop share when
// the desktop is blended in): the exit fade.
void FadeOutOnExit(int32_t lSteps, int32_t lStepSize);

// The whole saver run; returns the process exit status. With `daemonWindow` (the window a
// screen-saver daemon gave in XSCREENSAVER_WINDOW) the saver draws into that window, sized to
// it as to a screen, leaves the input to the daemon and ends when the window is gone; an id of
// no existing window ends the run at once.
int RunSaverLoop(std::optional<int64_t> daemonWindow = std::nullopt);

}  // namespace host
