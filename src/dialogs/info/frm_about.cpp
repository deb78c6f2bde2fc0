#include "dialogs/info/frm_about.h"

#include <QApplication>
#include <QFont>

#include "dialogs/info/backgrounds.h"
#include "dialogs/info/frm_credits.h"
#include "dialogs/info/mail_links.h"
#include "dialogs/info/perf_switches.h"
#include "dialogs/info/product_info.h"
#include "engine/galaxy_preview.h"
#include "host/window_state.h"
#include "model/hue_ranges.h"
#include "model/hue_wheel.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"
#include "runtime/numbers.h"
#include "settings/factory_galaxies.h"

namespace dialogs {

namespace {

InputBoxFn& inputBox() {
  static InputBoxFn fn = nullptr;
  return fn;
}

std::string AskInput(const std::string& prompt, const std::string& title, const std::string& answer) {
  if (inputBox() != nullptr) return inputBox()(prompt, title, answer);
  return AskSwitchAnswer(QApplication::activeWindow(), prompt, title, answer);
}

struct PairStyle {
  uint32_t face, shadow;
};
constexpr PairStyle kTitle{0x60FFB0, 0x20C040};
constexpr PairStyle kPlain{0x00FFFF, 0x20B0C0};
constexpr PairStyle kLink{0x20FFC0, 0x20B0C0};
constexpr PairStyle kNoticeStyle{0x80E0FF, 0x20B0C0};

// Copies the first backup.size() records into the backup (save) or back from it, record by record.
template <class Records, class Backup>
void CopyRecords(Records& live, Backup& backup, bool save) {
  for (size_t i = 0; i < backup.size(); ++i) {
    if (save)
      backup[i] = live[i];
    else
      live[i] = backup[i];
  }
}

}  // namespace

void SetInputBox(InputBoxFn fn) { inputBox() = fn; }

std::string AboutVersionLine() {
  return std::string("Version ") + kVersionText + "    Build: " + std::to_string(kBuildNumber) + " for Windows Vista++";
}

std::string AboutParagraph() {
  return "Complete documentation can be found in the online Help.  "
         "Send your questions and suggestions via email to the author.  "
         "Cheers.";
}

std::vector<std::string> CreditLines() {
  const std::string five = "     ";
  auto authors = [&](int i) { return five + "-   " + kBookAuthors[i]; };
  std::vector<std::string> lines = {
      "Software Engineer:",
      five + kEngineerName,
      "Algorithms:",
      "     B-Splines, World Rotation ",
      "     and Perspective Transforms: ",
      "     >  Fund. of Comp. Graphics",
      authors(0),
      "     Geometry and Clipping: ",
      "     >  A Programmer's Geometry",
      authors(1),
      "     Physical Models:",
      "     >  College Physics 4th Ed.",
      authors(2),
      "     Chemistry Background:",
      "     >  Chemistry - The Central",
      "        Science  6th Ed.",
      authors(3),
      "     Screen Saver Tips:",
      "     >  32-Bit Saver Programming",
      authors(4),
      "Beta Testing:",
  };
  for (const char* tester : kTesters) lines.push_back(five + "-  " + tester);
  lines.push_back("Dedication:");
  for (const char* line : kDedication) lines.push_back(five + line);
  lines.push_back("     Cheers.");
  lines.push_back(" ");
  lines.push_back(kNotice);
  return lines;
}

frmAbout::frmAbout() : controls::Form(nullptr, "frmAbout") {
  SetCaption(std::string("About ") + kProductName);
  using namespace controls;
  picBack = new PictureBox(this, "picBack");
  picBack->Move(0, 0, 9180, 3945);
  picZIDI = new host::PictureBox(picBack);
  picZIDI->Move(240, 240, 2100, 2040);
  // Shadows are made first, so every face lies above its shadow.
  auto pair = [this](ControlArray<Label>& array, int face, int left, int top, int width) {
    Label& shadow = array.Create(picBack, face + 1);
    Label& front = array.Create(picBack, face);
    front.Move(left, top, width, 240);
    shadow.Move(left, top, width, 240);
  };
  pair(lblProduct, 0, 2580, 240, 6300);
  pair(lblVersion, 0, 2580, 720, 6300);
  pair(lblContact, 0, 2580, 1080, 6300);
  pair(lblEmail, 0, 2580, 1380, 900);
  pair(lblEmail, 2, 3480, 1380, 4500);
  pair(lblWeb, 0, 2580, 1680, 900);
  pair(lblWeb, 2, 2580, 1980, 900);
  pair(lblWeb, 4, 3480, 1680, 5100);
  pair(lblWeb, 6, 3480, 1980, 5100);
  pair(lblSmall, 0, 2580, 2340, 6300);
  pair(lblCopy, 0, 2580, 3000, 6300);
  pair(lblZORV, 0, 240, 2400, 2100);
  lblSmall[0].SetWordWrap(true);
  lblSmall[1].SetWordWrap(true);
  for (int i : {0, 1}) {
    lblSmall[i].Move(2580, 2340, 6300, 600);
    lblZORV[i].SetCaption(kMakerLine);
    lblZORV[i].SetWordWrap(true);
    lblZORV[i].Move(240, 2400, 2100, 480);
  }
  cmdCredits = new CommandButton(picBack, "cmdCredits");
  cmdCredits->SetCaption("*");
  cmdCredits->Move(240, 3405, 390, 360);
  cmdTellFriend = new CommandButton(picBack, "cmdTellFriend");
  cmdTellFriend->SetCaption("&Email a Friend...");
  cmdTellFriend->Move(5700, 3405, 1800, 375);
  cmdDismiss = new CommandButton(picBack, "cmdDismiss");
  cmdDismiss->SetCaption("OK");
  cmdDismiss->Move(7620, 3405, 1260, 375);
  SetDefaultButton(cmdDismiss);
  SetCancelButton(cmdDismiss);

  cmdDismiss->Click = [this] { cmdDismiss_Click(); };
  cmdCredits->Click = [this] { cmdCredits_Click(); };
  cmdTellFriend->Click = [this] { cmdTellFriend_Click(); };
  for (int i = 0; i < 4; ++i) lblEmail[i].Click = [this, i] { lblEmail_Click(i); };
  for (int i = 0; i < 8; ++i) lblWeb[i].Click = [this, i] { lblWeb_Click(i); };
  for (int i : {0, 1}) {
    lblCopy[i].DblClick = [this] { lblCopy_DblClick(); };
    lblSmall[i].DblClick = [this] { lblSmall_DblClick(); };
  }
  SetClientSize(9180, 3945);
}

frmAbout::~frmAbout() { presentation::UnbindRenderTarget(picZIDI); }

void frmAbout::FormLet(const std::vector<std::string>& creditLines) { creditLines_ = creditLines; }

void frmAbout::Form_Load() {
  host::FitFormToScreen(*this);
  lblProduct[0].SetCaption(kProductName);
  lblVersion[0].SetCaption(AboutVersionLine());
  lblContact[0].SetCaption("Contact the Product Author for Information:");
  lblEmail[0].SetCaption("Email: ");
  lblEmail[2].SetCaption(kContactAddress);
  lblWeb[0].SetCaption("Web:   ");
  lblWeb[2].SetCaption("FAQ:   ");
  lblWeb[4].SetCaption(kHomePage);
  lblWeb[6].SetCaption(kFaqPage);
  lblSmall[0].SetCaption(AboutParagraph());
  lblCopy[0].SetCaption(kNotice);
  QFont title = lblProduct[0].font();
  title.setPointSize(18);
  title.setBold(true);
  const int32_t px = presentation::render().TwipsPerPixelX, py = presentation::render().TwipsPerPixelY;
  auto style = [&](controls::ControlArray<controls::Label>& array, int face, PairStyle colours, int dx) {
    controls::Label& f = array[face];
    controls::Label& s = array[face + 1];
    s.SetCaption(f.Caption());
    f.SetForeColor(colours.face);
    s.SetForeColor(colours.shadow);
    f.raise();
    s.Move(f.Left() + dx * px, f.Top() + py, f.Width(), f.Height());
  };
  lblProduct[0].setFont(title);
  lblProduct[1].setFont(title);
  lblProduct[0].Move(lblProduct[0].Left(), lblProduct[0].Top(), lblProduct[0].Width(), 420);
  style(lblProduct, 0, kTitle, 2);
  style(lblVersion, 0, kTitle, 1);
  style(lblContact, 0, kPlain, 1);
  style(lblEmail, 0, kPlain, 1);
  style(lblEmail, 2, kLink, 1);
  for (int i : {0, 2, 4, 6}) style(lblWeb, i, i < 4 ? kPlain : kLink, 1);
  style(lblSmall, 0, kPlain, 1);
  style(lblCopy, 0, kNoticeStyle, 1);
  style(lblZORV, 0, kTitle, 1);
  // The contact lines take fixed sizes where they stand.
  for (int i : {0, 2}) {
    lblEmail[i].Move(lblEmail[i].Left(), lblEmail[i].Top(), 4500, 240);
    lblEmail[i + 1].Move(lblEmail[i].Left() + px, lblEmail[i].Top() + py, 4500, 240);
  }
  for (int i : {0, 2, 4, 6}) {
    lblWeb[i].Move(lblWeb[i].Left(), lblWeb[i].Top(), 5100, 240);
    lblWeb[i + 1].Move(lblWeb[i].Left() + px, lblWeb[i].Top() + py, 5100, 240);
  }
  cmdDismiss->raise();
}

void frmAbout::PaintBackground() {
  QImage background(picBack->width(), picBack->height(), QImage::Format_RGB32);
  PaintInfoBackground(background);
  picBack->DrawPicture(0, 0, background);
}

void frmAbout::Form_Activate() {
  // Only the first activation starts the demo; none after the window was closed, which would
  // play the factory records unseen and never return.
  if (activated_ || closed_) return;
  activated_ = true;
  presentation::pacing().G_bCancel = false;
  PaintBackground();
  presentation::hostPlatform().DoEvents();
  RunAboutDemo();
}

void frmAbout::Form_QueryUnload(int&, int) {
  // However the window closes, the demo ends at its next frame.
  presentation::pacing().G_bCancel = true;
  closed_ = true;
}

void frmAbout::RunAboutDemo() {
  BackupGalaxyRecords(true);
  BackupCompositeRecords(true);
  PlayDemo();
}

void frmAbout::PlayDemo() {
  settings::LoadFactoryDefaults();
  model::BuildHueWheelTable();
  model::SetUniverseHueWheel(-1, -1);
  while (!presentation::pacing().G_bCancel && !closed_) {
    presentation::LoadSaverProperties(*picZIDI, true, 1.3f, 0);
    const int32_t k = demoType_;
    if (k == 0 || model::records().GalaxyTypes[static_cast<size_t>(k)]._UniGalPct > 0)
      engine::DisplayGalaxyPreview(k, engine::kPreviewStopAfterFrames, 300, 6000, false, 1.0f);
    demoType_ = (k + 1) % 50;
  }
  BackupGalaxyRecords(false);
  BackupCompositeRecords(false);
  // The colours follow the user's records again.
  model::BuildHueWheelTable();
  model::SetUniverseHueWheel(-1, -1);
}

void frmAbout::BackupGalaxyRecords(bool save) { CopyRecords(model::records().GalaxyTypes, galaxyBackup_, save); }

void frmAbout::BackupCompositeRecords(bool save) {
  CopyRecords(model::records().CompositeGalaxies, compositeBackup_, save);
}

void frmAbout::cmdDismiss_Click() {
  presentation::pacing().G_bCancel = true;
  Unload();
}

void frmAbout::cmdCredits_Click() { ShowCredits(); }

// The credits run inside the demo's frame; when they close, the demo starts again with the type
// that was playing, from its first frame. The backups still hold the user's records.
void frmAbout::ShowCredits() {
  auto* credits = new frmCredits;
  credits->FormLet(1200, 0.005f, 1.0f, creditLines_);
  credits->EnsureLoaded();
  credits->SizeAndCentre(runtime::ToLongOr(1.05 * width(), width()), runtime::ToLongOr(1.25 * credits->height(), 1));
  presentation::LoadSaverProperties(*credits->picField, true, 1.0f, 0);
  credits->ShowModal();
  credits->Release();
  // No demo before the first activation (nothing is backed up yet) and none after a close.
  if (closed_ || !activated_) return;
  presentation::pacing().G_bCancel = false;
  PaintBackground();
  PlayDemo();
}

void frmAbout::cmdTellFriend_Click() { OpenLink(RecommendationMailLink()); }

void frmAbout::lblEmail_Click(int index) {
  if (index == 2 || index == 3) OpenLink(ContactMailLink());
}

void frmAbout::lblWeb_Click(int index) {
  if (index == 4 || index == 5) OpenLink(kHomePage);
  if (index == 6 || index == 7) OpenLink(kFaqPage);
}

void frmAbout::lblCopy_DblClick() {
  ApplyLogSwitchAnswer(AskInput(LogSwitchPrompt(host::PerUserDataFolderName()), kLogSwitchTitle, LogSwitchDefault()));
}

void frmAbout::lblSmall_DblClick() {
  ApplyDisplaySwitchAnswer(AskInput(DisplaySwitchPrompt(), kDisplaySwitchTitle, DisplaySwitchDefault()));
}

void ShowAbout() {
  auto* window = new frmAbout;
  window->FormLet(CreditLines());
  window->ShowModal();
  window->Release();
}

}  // namespace dialogs
