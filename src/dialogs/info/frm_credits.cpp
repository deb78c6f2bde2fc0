#include "dialogs/info/frm_credits.h"

#include <QFont>
#include <QFontMetrics>

#include <algorithm>

#include "dialogs/info/product_info.h"
#include "engine/hue_cone.h"
#include "host/window_state.h"
#include "model/colors.h"
#include "model/random_table.h"
#include "platform/pixlib/pixlib.h"
#include "presentation/compositor.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"
#include "runtime/numbers.h"

namespace dialogs {

namespace {

constexpr int32_t kHeadingChars = 32;
constexpr int32_t kBodyChars = 40;
// The hue-cone row of every star: 1024 x 0.66 x 64, rounded.
constexpr int32_t kStarColour = 43254;

// The first n characters (not bytes) of a UTF-8 text.
std::string LeftChars(const std::string& text, int32_t n) {
  return QString::fromStdString(text).left(n).toStdString();
}

QFont SizedFont(const QWidget& widget, int32_t points) {
  QFont f = widget.font();
  f.setPointSize(std::max(1, points));
  return f;
}

}  // namespace

std::vector<CreditPrint> CreditsPrintLines(const std::vector<std::string>& creditLines, int32_t twipsPerPixelX) {
  std::vector<CreditPrint> out = {
      {kProductName, twipsPerPixelX == 12 ? 20 : 18},
      {"", 8},
      {kMakerName1, 14},
      {kMakerName2, 14},
      {"", 8},
      {std::string("Version ") + kVersionText, 12},
  };
  std::vector<std::string> lines = creditLines;
  lines.insert(lines.end(), {" ", " Product designed and developed", " in the United States of America."});
  for (const std::string& line : lines) {
    const std::string trimmed = runtime::TrimBlanks(line);
    if (line.empty() || line[0] != ' ') {
      out.push_back({"", 8});
      out.push_back({LeftChars(trimmed, kHeadingChars), 10});
    } else {
      out.push_back({"     " + LeftChars(trimmed, kBodyChars), 8});
    }
  }
  return out;
}

frmCredits::frmCredits() : controls::Form(nullptr, "frmCredits") {
  SetCaption(std::string(kProductName) + " Credits");
  using namespace controls;
  picField = new host::PictureBox(this);
  picFrame = new PictureBox(this, "picFrame");
  picCredits = new PictureBox(picFrame, "picCredits");
  cmdDismiss = new CommandButton(this, "cmdDismiss");
  cmdDismiss->SetCaption("OK");
  cmdDismiss->resize(80, 25);
  SetDefaultButton(cmdDismiss);
  SetCancelButton(cmdDismiss);
  cmdDismiss->Click = [this] { cmdDismiss_Click(); };
  picField->MouseDown = [this](int button, int, int32_t, int32_t) { picField_MouseDown(button); };
  // The design size; the about window sizes the window before showing it.
  resize(420, 300);
  Client()->resize(420, 300);
  picField->setGeometry(0, 0, 420, 300);
  picFrame->setGeometry(80, 45, 260, 210);
}

frmCredits::~frmCredits() { presentation::UnbindRenderTarget(picField); }

void frmCredits::FormLet(int32_t starCount, float starSpeed, float scrollStep,
                         const std::vector<std::string>& creditLines) {
  StarCount = starCount;
  StarSpeed = starSpeed;
  ScrollStep = scrollStep;
  CreditLines = creditLines;
}

void frmCredits::SizeAndCentre(int32_t width, int32_t height) {
  resize(std::max(1, width), std::max(1, height));
  // The layout gives the client area the same size once the window is shown; the controls are
  // laid out for it now, so the star field is bound at its final size.
  Client()->resize(size());
  ArrangeControls();
  host::FitFormToScreen(*this);
}

void frmCredits::Form_Load() { BuildCreditsText(); }

void frmCredits::SizeCreditsFrame() {
  PrintTop = 10.0f;
  creditsHeight_ = PrintTop;
  const QFont font = SizedFont(*picFrame, 10);
  picFrame->setFont(font);
  const std::string notice = CreditLines.empty() ? std::string() : CreditLines.back();
  const int32_t textWidth = QFontMetrics(font).horizontalAdvance(QString::fromStdString("      " + notice));
  const int32_t width = std::max(260, textWidth);
  picFrame->setGeometry((Client()->width() - width) / 2, picFrame->y(), width, picFrame->height());
  picCredits->setGeometry(0, picCredits->y(), width, runtime::ToLongOr(creditsHeight_, 10));
  picCredits->Cls();
}

void frmCredits::BuildCreditsText() {
  SizeCreditsFrame();
  printed_.clear();
  for (const CreditPrint& line : CreditsPrintLines(CreditLines, presentation::render().TwipsPerPixelX))
    PrintCreditLine(line.text, line.size);
}

void frmCredits::PrintCreditLine(std::string text, int32_t size) {
  if (text.empty()) text = " ";
  const QFont font = SizedFont(*picCredits, size);
  picCredits->setFont(font);
  const QFontMetrics metrics(font);
  const float lineHeight = 1.2f * static_cast<float>(metrics.height());
  creditsHeight_ += lineHeight;
  picCredits->resize(picCredits->width(), runtime::ToLongOr(creditsHeight_, picCredits->height()));
  const int32_t textWidth = metrics.horizontalAdvance(QString::fromStdString(text));
  const int32_t centred = runtime::FixToLong((picCredits->ScaleWidth() - textWidth) / 2.0).value_or(0);
  const int32_t top = runtime::FixToLong(PrintTop).value_or(0);
  const bool small = size <= 9;
  // The shadow one pixel right and below, then the face.
  const Printed shadow{text, size > 9 ? 6 : centred + 1, top + 1, small ? 0x20C040u : 0x20B0C0u};
  const Printed face{text, size > 9 ? 5 : centred, top, small ? 0x60FFB0u : 0x80E0FFu};
  for (const Printed& p : {shadow, face}) {
    picCredits->DrawText(p.x, p.y, p.text, p.colour);
    printed_.push_back(p);
  }
  PrintTop += lineHeight;
}

void frmCredits::Form_Activate() {
  if (activated_ || closed_) return;
  activated_ = true;
  presentation::pacing().G_bCancel = false;
  RunCreditsStarfield();
}

void frmCredits::RunCreditsStarfield() {
  StarCount = runtime::ClampLong(StarCount, 10, 2000);
  StarSpeed = runtime::ClampSingle(StarSpeed, 0.0025f, 0.25f);
  ScrollStep = runtime::ClampSingle(ScrollStep, 0.5f, 10.0f);
  const size_t stars = static_cast<size_t>(StarCount);
  StarRecords.assign(8 * stars + 1, 0.0f);
  StarColors.assign(stars, kStarColour);
  presentation::LoadPropsInitDX();
  presentation::render().BlendLevel = 96;
  const int32_t centreX = picField->ScaleWidth() / 2;
  const int32_t centreY = picField->ScaleHeight() / 2;
  for (size_t i = 0; i < stars; ++i) {
    float* star = &StarRecords[8 * i];
    star[0] = 2.0f * model::NextRandomSingle() - 1.0f;
    star[1] = 2.0f * model::NextRandomSingle() - 1.0f;
    star[2] = 0.9f * model::NextRandomSingle() + 0.1f;
    star[3] = 0.0f;
    star[4] = 0.005f;
  }
  pixlib::CalcHueConeBrightness(model::colorState().HueColorTable, engine::hueCone().HueConeTable, 1, 100, 0, 100,
                                90, 0.0f, 0.0f, 0.0f);
  for (;;) {
    presentation::pacing().FrameStartTick = presentation::hostPlatform().GetTickCount();
    presentation::RenderState& r = presentation::render();
    pixlib::DisplayCreditsStarfield(centreX, centreY, r.RenderWidth, r.BufferStride, r.PlotMaxY, r.FrameBuffer,
                                    engine::hueCone().HueConeTable, StarCount, StarRecords, StarColors, StarSpeed,
                                    fieldHue_, fieldAngle_);
    presentation::zDX8_BlendBlit_Surface(-1, -1);
    if (presentation::PaceFrame()) break;
    // Once the text has left the frame at the top it comes back just above the frame's bottom.
    if (creditsTop_ < -static_cast<float>(picCredits->height()))
      PlaceCredits(static_cast<float>(picFrame->height() - 10));
    else
      PlaceCredits(creditsTop_ - ScrollStep);
  }
}

void frmCredits::PlaceCredits(float top) {
  creditsTop_ = top;
  picCredits->move(0, runtime::ToLongOr(top, 0));
}

void frmCredits::Form_Resize() { ArrangeControls(); }

void frmCredits::ArrangeControls() {
  const int32_t w = Client()->width(), h = Client()->height();
  if (w < 240 || h < 160) return;
  picField->setGeometry(0, 0, w, h);
  picFrame->setGeometry((w - picFrame->width()) / 2, 45, picFrame->width(), h - 90);
  PlaceCredits(static_cast<float>(picFrame->height() - 10));
  const int32_t bh = cmdDismiss->height();
  cmdDismiss->move((w - cmdDismiss->width()) / 2, runtime::ToLongOr(h - 1.25 * bh, h - bh));
}

void frmCredits::Form_QueryUnload(int&, int) {
  // However the window closes, the star field ends at its next frame.
  presentation::pacing().G_bCancel = true;
  closed_ = true;
}

void frmCredits::cmdDismiss_Click() {
  presentation::pacing().G_bCancel = true;
  Unload();
}

void frmCredits::picField_MouseDown(int button) {
  int32_t& level = presentation::render().BlendLevel;
  if (button == 1) level = std::max(0, level - 1);
  if (button == 2) level = std::min(100, level + 1);
}

}  // namespace dialogs
