// The "Zorvane Credits" window: the credit text printed once into a tall picture that scrolls
// upwards inside a centred frame, in front of a star field that the pixel library draws into
// the frame buffer and the compositor copies into the window. All positions of this window are
// pixels. The animation runs inside the first activation until G_bCancel is set; every way of
// closing the window sets it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/picture_box.h"
#include "platform/controls/controls.h"

namespace dialogs {

// One printed line of the credits: its text and its size in points.
struct CreditPrint {
  std::string text;
  int32_t size = 0;
  bool operator==(const CreditPrint&) const = default;
};

// What the credits print, in order: the product name (20 points at 12 twips per pixel, else
// 18), a gap, the maker's name in two lines, a gap, the version, then the credit lines with
// three closing lines appended. A heading (a line not beginning with a blank, or empty) gives a gap and
// the line trimmed and cut to 32 characters at 10 points; any other line gives five blanks and
// the trimmed line cut to 40 characters, at 8 points. A gap is an empty text at 8 points.
std::vector<CreditPrint> CreditsPrintLines(const std::vector<std::string>& creditLines, int32_t twipsPerPixelX);

class frmCredits : public controls::Form {
 public:
  frmCredits();
  ~frmCredits() override;

  // Star count, star speed, pixels the text moves per frame, and the credit lines.
  void FormLet(int32_t starCount, float starSpeed, float scrollStep, const std::vector<std::string>& creditLines);
  // Gives the window the outer size (pixels), lays out its controls for it and centres it on
  // the screen.
  void SizeAndCentre(int32_t width, int32_t height);

  host::PictureBox* picField = nullptr;       // the star field; covers the client area
  controls::PictureBox* picFrame = nullptr;   // the frame that clips the text
  controls::PictureBox* picCredits = nullptr; // the whole text, moved upwards inside the frame
  controls::CommandButton* cmdDismiss = nullptr;

  int32_t StarCount = 0;
  float StarSpeed = 0.0f;
  float ScrollStep = 0.0f;
  std::vector<std::string> CreditLines;
  float PrintTop = 10.0f;  // where the next line is printed inside picCredits
  // Eight values a star (x, y, depth, age, age step, three spare) and one more; a hue-cone
  // index a star. Sized when the animation starts, never per frame.
  std::vector<float> StarRecords;
  std::vector<int32_t> StarColors;

  // The text's top inside the frame, a real number; the picture stands at it rounded.
  float CreditsTop() const { return creditsTop_; }
  // The printed lines (text, left, top, colour), shadows included, in printing order.
  struct Printed {
    std::string text;
    int32_t x = 0, y = 0;
    uint32_t colour = 0;
  };
  const std::vector<Printed>& PrintedLines() const { return printed_; }

  void cmdDismiss_Click();
  // Left button: one step less trail (BlendLevel - 1, not below 0); right button: one more
  // (not above 100); any other button: nothing.
  void picField_MouseDown(int button);

 protected:
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Resize() override;
  void Form_QueryUnload(int& Cancel, int UnloadMode) override;

 private:
  void SizeCreditsFrame();
  void BuildCreditsText();
  void PrintCreditLine(std::string text, int32_t size);
  void RunCreditsStarfield();
  void ArrangeControls();
  void PlaceCredits(float top);

  std::vector<Printed> printed_;
  float creditsTop_ = 0.0f;
  float creditsHeight_ = 0.0f;
  // The two values the star field call may change between frames.
  float fieldHue_ = 43253.76f;
  float fieldAngle_ = 1.5707964f;
  bool activated_ = false;
  bool closed_ = false;
};

}  // namespace dialogs
