#include "dialogs/info/frm_welcome.h"

#include <QFont>

#include "dialogs/info/backgrounds.h"
#include "dialogs/info/product_info.h"
#include "host/window_state.h"
#include "presentation/render_state.h"

namespace dialogs {

namespace {

constexpr int32_t kTextWidth = 7500;  // twips
constexpr int32_t kTextLeft = 300;
constexpr int32_t kTextTop = 780;

int32_t Px(int32_t px) { return px * presentation::render().TwipsPerPixelX; }
int32_t PxY(int32_t px) { return px * presentation::render().TwipsPerPixelY; }

}  // namespace

std::string WelcomeTitle() { return std::string("Welcome to ") + kProductName + " " + kVersionText + "."; }

std::string WelcomeText() {
  const std::string nl = "\r\n";
  const std::string product = std::string(kProductName) + " " + kVersionText;
  std::string t = "Thank you for installing " + product + ".  " +
                  "You can use this product to simulate a Universe populated by several user-defined Galaxies.  "
                  "Watch as the camera tours the Universe, visiting the Galaxies based on a trajectory that you "
                  "provide. " + nl + nl;
  const std::string lines[] = {
      "Please consider the following:",
      "*   The Product has been modified to work on Windows Vista.",
      "*   The Factory settings have been optimized for a 1.7 GHz CPU.",
      "*   Disable mouse-move sensitivity from menu:  Edit-> Advanced Settings.",
      "",
      "*   Features in " + product + ":",
      "      -  Capture Video Files from Animation.",
      "      -  Set Custom Color Filtering Effects.",
      "      -  Blend Animation with Windows Desktop",
      "      -  Select from various display resolutions.",
      "      -  Works on Microsoft Windows 98 / 2000 / ME / XP / Vista.",
      "      -  Specify Hue Cone properties including colors and intensity.",
      "      -  Capture images to Windows Clipboard and Image Files.",
      "      -  Set Windows Desktop Wallpaper to displayed graphic effects.",
      "      -  Cycle through Template / Themes in a Windows Directory.",
      "      -  Major Performance Enhancement in True Color - 32 bpp Mode.",
      "      -  International / Regional Settings supported.",
      "      -  Define Pulsars as a new type of star.",
      "      -  Set Galaxy randomization values.",
      "",
      "*   Contact the author with comments, questions or suggestions:",
      std::string("      -   email:        ") + kFeedbackAddress,
      std::string("      -   Home:       ") + kHomePage,
      std::string("      -   FAQ:          ") + kFaqPage,
      "      This information can be found in the About Box from the Help menu.",
      "",
  };
  for (const std::string& line : lines) t += line + nl;
  return t + "Cheers.";
}

frmWelcome::frmWelcome() : controls::Form(nullptr, "frmWelcome") {
  SetCaption(std::string("Welcome to ") + kProductName);
  using namespace controls;
  picBack = new PictureBox(this, "picBack");
  for (int i : {1, 0}) {  // the shadow first, so the face lies above it
    Label& p = lblProduct.Create(picBack, i);
    QFont f = controls::WindowFont();
    f.setPointSize(16);
    f.setBold(true);
    p.setFont(f);
    Label& s = lblSmall.Create(picBack, i);
    s.SetWordWrap(true);
  }
  cmdDismiss = new CommandButton(picBack, "cmdDismiss");
  SetDefaultButton(cmdDismiss);
  SetCancelButton(cmdDismiss);
  cmdDismiss->Click = [this] { cmdDismiss_Click(); };
}

void frmWelcome::Form_Load() {
  host::FitFormToScreen(*this);
  for (int i : {0, 1}) lblSmall[i].SetCaption(WelcomeText());
  cmdDismiss->SetCaption("OK");
  for (int i : {0, 1}) lblProduct[i].SetCaption(WelcomeTitle());

  // Title: green face, darker shadow two pixels right and down.
  lblProduct[0].SetForeColor(0x00FF00);
  lblProduct[1].SetForeColor(0x00C000);
  lblProduct[0].Move(kTextLeft, 240, kTextWidth, 420);
  lblProduct[1].Move(kTextLeft + Px(2), 240 + PxY(2), kTextWidth, 420);
  // The text: its height decides where the button stands and how tall the window is.
  lblSmall[0].SetForeColor(0x80E0FF);
  lblSmall[1].SetForeColor(0x20B0C0);
  const int32_t textPx = lblSmall[0].heightForWidth(std::max(1, kTextWidth / presentation::render().TwipsPerPixelX));
  const int32_t textHeight = PxY(std::max(textPx, 1));
  lblSmall[0].Move(kTextLeft, kTextTop, kTextWidth, textHeight);
  lblSmall[1].Move(kTextLeft + Px(1), kTextTop + PxY(1), kTextWidth, textHeight);
  const int32_t buttonTop = kTextTop + textHeight + 180;
  cmdDismiss->Move(kTextLeft + (kTextWidth - 1200) / 2, buttonTop, 1200, 375);
  const int32_t clientWidth = kTextLeft * 2 + kTextWidth;
  const int32_t clientHeight = buttonTop + 375 + 240;
  picBack->Move(0, 0, clientWidth, clientHeight);
  SetClientSize(clientWidth, clientHeight);
}

void frmWelcome::Form_Activate() {
  if (drawn_) return;
  drawn_ = true;
  QImage background(picBack->width(), picBack->height(), QImage::Format_RGB32);
  PaintInfoBackground(background);
  picBack->DrawPicture(0, 0, background);
}

void frmWelcome::cmdDismiss_Click() { hide(); }

void ShowWelcome() {
  auto* window = new frmWelcome;
  window->ShowModal();
  window->Release();
}

}  // namespace dialogs
