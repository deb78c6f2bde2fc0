#include "dialogs/info/frm_system_diag.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>

#include "dialogs/info/mail_links.h"
#include "host/window_state.h"
#include "platform/help/help_viewer.h"
#include "platform/message_box.h"
#include "presentation/render_state.h"

namespace dialogs {

namespace {

constexpr const char* kWindowSection = "General\\SystemDiag";
constexpr int32_t kOneLineFields[] = {0, 1, 9, 10, 2, 3, 30, 40, 41, 42, 50};
constexpr int32_t kRed = 0xFF0000;
constexpr int32_t kClientWidth = 8520;  // twips

int32_t PixelsY(int32_t px) { return px * presentation::render().TwipsPerPixelY; }

std::string FindOnPath(const std::string& name) {
  if (diagnosticsServices().findProgram) return diagnosticsServices().findProgram(name);
  return QStandardPaths::findExecutable(QString::fromStdString(name)).toStdString();
}

bool StartProgram(const std::string& program) {
  if (diagnosticsServices().startProgram) return diagnosticsServices().startProgram(program);
  return QProcess::startDetached(QString::fromStdString(program), {});
}

}  // namespace

DiagnosticsServices& diagnosticsServices() {
  static DiagnosticsServices s;
  return s;
}

std::string RegistryInfoText() {
  return "The Registry is used to store the values necessary for this product.  "
         "If the word OK appears in the test field, then you have write access.  "
         "If you do not have write access, then you will have to change your "
         "administrative privileges with respect to your user account.";
}

frmSystemDiag::frmSystemDiag() : controls::Form(nullptr, "frmSystemDiag") {
  SetCaption("System Diagnostics");
  SetHelpContextID(kDiagnosticsHelpContext);
  SetReleaseOnUnload(false);
  using namespace controls;
  auto row = [this](Frame* frame, int label, const char* caption, int top, std::initializer_list<int> fields) {
    if (caption != nullptr) {
      Label& l = lblDiagnostics.Create(frame, label);
      l.SetCaption(caption);
      l.Move(120, top + 30, 3000, 240);
    }
    int left = 3240;
    for (int f : fields) {
      TextBox& t = txtDiagnostics.Create(frame, f);
      t.SetLocked(true);
      t.setAlignment(Qt::AlignRight);
      t.Move(left, top, 1500, 285);
      left += 1560;
    }
  };
  fraDelay = new Frame(this, "fraDelay");
  fraDelay->SetCaption("Primary Display / Problematic values in Red");
  fraDelay->Move(120, 60, 6600, 1620);
  row(fraDelay, 0, "Width, height (twips):", 300, {0, 1});
  row(fraDelay, 1, "Width, height (pixels):", 630, {9, 10});
  row(fraDelay, 2, "Device Twips per pixel ratio:", 960, {2});
  row(fraDelay, 3, "Total display colors:", 1290, {3});

  fraOpsys = new Frame(this, "fraOpsys");
  fraOpsys->SetCaption("OS / Hardware / Monitors / Direct X");
  fraOpsys->Move(120, 1740, 6600, 3300);
  TextBox& t30 = txtDiagnostics.Create(fraOpsys, 30);
  t30.SetLocked(true);
  t30.Move(120, 270, 6360, 285);
  int top = 615;
  for (const auto& [field, height] : {std::pair{31, 780}, {32, 780}, {33, 780}}) {
    MultiLineTextBox& m = txtDiagnosticsLines.Create(fraOpsys, field);
    m.SetLocked(true);
    m.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m.Move(120, top, 6360, height);
    top += height + 60;
  }

  fraRegional = new Frame(this, "fraRegional");
  fraRegional->SetCaption("Regional Settings / Handling Floating Point Values");
  fraRegional->Move(120, 5100, 6600, 1020);
  Label& l40 = lblDiagnostics.Create(fraRegional, 4);
  l40.SetCaption("Country (Region):");
  l40.Move(120, 300, 1800, 240);
  TextBox& t40 = txtDiagnostics.Create(fraRegional, 40);
  t40.SetLocked(true);
  t40.Move(1980, 270, 4500, 285);
  Label& l41 = lblDiagnostics.Create(fraRegional, 5);
  l41.SetCaption("Show \"1.25\" via Single(), Val():");
  l41.Move(120, 630, 3000, 240);
  for (const auto& [field, left] : {std::pair{41, 3240}, {42, 4860}}) {
    TextBox& t = txtDiagnostics.Create(fraRegional, field);
    t.SetLocked(true);
    t.Move(left, 600, 1500, 285);
  }

  fraRegistry = new Frame(this, "fraRegistry");
  fraRegistry->SetCaption("Registry Access");
  fraRegistry->Move(120, 6180, 6600, 1500);
  lblRegInfo = new Label(fraRegistry, "lblRegInfo");
  lblRegInfo->SetWordWrap(true);
  lblRegInfo->Move(120, 270, 6360, 780);
  Label& l50 = lblDiagnostics.Create(fraRegistry, 6);
  l50.SetCaption("Registry write test (passed test if value is OK):");
  l50.Move(120, 1110, 4200, 240);
  TextBox& t50 = txtDiagnostics.Create(fraRegistry, 50);
  t50.SetLocked(true);
  t50.Move(4380, 1080, 2100, 285);

  auto button = [this](const char* name, const char* caption, int top) {
    auto* b = new CommandButton(this, name);
    b->SetCaption(caption);
    b->Move(6840, top, 1560, 375);
    return b;
  };
  cmdDismiss = button("cmdDismiss", "OK", 120);
  cmdHelp = button("cmdHelp", "&Help", 600);
  cmdSysInfo = button("cmdSysInfo", "&System Info...", 1080);
  cmdSendEmail = button("cmdSendEmail", "Send &Email...", 1560);
  SetDefaultButton(cmdDismiss);
  SetCancelButton(cmdDismiss);
  cmdDismiss->Click = [this] { cmdDismiss_Click(); };
  cmdHelp->Click = [this] { cmdHelp_Click(); };
  cmdSysInfo->Click = [this] { cmdSysInfo_Click(); };
  cmdSendEmail->Click = [this] { cmdSendEmail_Click(); };
  SetClientSize(kClientWidth, 7740);
}

std::string frmSystemDiag::FieldText(int32_t field) const {
  if (const auto* t = txtDiagnostics.Find(field)) return t->Text();
  if (const auto* m = txtDiagnosticsLines.Find(field)) {
    // The box keeps its lines apart with line feeds; the field's lines end in CR LF.
    std::string text;
    for (char c : m->Text()) {
      if (c == '\n') text += '\r';
      if (c != '\r') text += c;
    }
    return text;
  }
  return {};
}

void frmSystemDiag::Form_Load() {
  host::RestoreWindowState(*this, kWindowSection, false);
  lblRegInfo->SetCaption(RegistryInfoText());
  LayoutRegistryFrame();
  GatherDiagnostics();
}

void frmSystemDiag::LayoutRegistryFrame() {
  // The explanation starts below the frame's caption and takes as many lines as its words
  // need in this font; the test row and the frame's bottom follow it.
  fraRegistry->ensurePolished();
  const int32_t top = std::max<int32_t>(270, controls::PixelsToTwipsY(fraRegistry->contentsRect().top() + 2));
  const int32_t lines = controls::PixelsToTwipsY(lblRegInfo->heightForWidth(lblRegInfo->width()));
  const int32_t height = std::max<int32_t>(780, lines);
  lblRegInfo->Move(lblRegInfo->Left(), top, lblRegInfo->Width(), height);
  const int32_t rowTop = top + height + 60;
  controls::Label& l50 = lblDiagnostics[6];
  l50.Move(l50.Left(), rowTop + 30, l50.Width(), l50.Height());
  controls::TextBox& t50 = txtDiagnostics[50];
  t50.Move(t50.Left(), rowTop, t50.Width(), t50.Height());
  fraRegistry->Move(fraRegistry->Left(), fraRegistry->Top(), fraRegistry->Width(), rowTop + t50.Height() + 135);
}

void frmSystemDiag::GatherDiagnostics() {
  const DiagnosticsSources src =
      diagnosticsServices().sources ? diagnosticsServices().sources() : MachineDiagnosticsSources();
  fields_ = dialogs::GatherDiagnostics(src);
  for (const auto& [field, text] : fields_.text) {
    if (auto* t = txtDiagnostics.Find(field)) {
      t->SetText(text);
      if (fields_.problem.count(field) != 0) t->SetBackColor(kRed);
    } else if (auto* m = txtDiagnosticsLines.Find(field)) {
      m->SetText(text);
    }
  }
  // The graphics note is for the report only: the system frame ends where it began.
  fraOpsys->SetCaption("OS / Hardware / Monitors");
  txtDiagnosticsLines[33].SetVisible(false);
  fraOpsys->Move(fraOpsys->Left(), fraOpsys->Top(), fraOpsys->Width(), txtDiagnosticsLines[33].Top() + PixelsY(2));
  fraRegional->Move(fraRegional->Left(), fraOpsys->Top() + fraOpsys->Height() + PixelsY(5));
  fraRegistry->Move(fraRegistry->Left(), fraRegional->Top() + fraRegional->Height() + PixelsY(5));
  SetClientSize(kClientWidth, fraRegistry->Top() + fraRegistry->Height() + PixelsY(5));
}

void frmSystemDiag::Form_Unload(int&) { host::SaveWindowState(*this, kWindowSection); }

void frmSystemDiag::cmdDismiss_Click() { Unload(); }

void frmSystemDiag::cmdHelp_Click() { platform::ShowHelp(this, platform::HELP_CONTEXT, kDiagnosticsHelpContext); }

void frmSystemDiag::cmdSysInfo_Click() { ShowSystemInfo(); }

void frmSystemDiag::cmdSendEmail_Click() {
  // The report goes from the fields as they stand straight into the mail; it is kept nowhere.
  DiagnosticsFields shown = fields_;
  for (auto& [field, text] : shown.text) text = FieldText(field);
  OpenLink(DiagnosticsMailLink(DiagnosticsReport(shown)));
}

bool frmSystemDiag::GetKeyValue(platform::Hive hive, std::string_view keyPath, std::string_view valueName,
                                std::string& value) {
  value.clear();
  const auto v = platform::Registry().value(hive, keyPath, valueName);
  if (!v || v->type != platform::ValueType::Text) return false;
  value = v->data;
  if (!value.empty() && value.back() == '\0') value.pop_back();
  return true;
}

void ShowSystemInfo() {
  std::string tool;
  std::string value;
  if (frmSystemDiag::GetKeyValue(platform::Hive::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                                 value) &&
      !value.empty()) {
    tool = value;
  } else if (frmSystemDiag::GetKeyValue(platform::Hive::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location",
                                        "MSINFO", value) &&
             QFileInfo::exists(QString::fromStdString(value + "/MSINFO32.EXE"))) {
    tool = value + "/MSINFO32.EXE";
  } else {
    for (const char* name : {"hardinfo", "kinfocenter"}) {
      tool = FindOnPath(name);
      if (!tool.empty()) break;
    }
  }
  if (tool.empty() || !StartProgram(tool))
    platform::ShowMessage("System Information Is Unavailable.", platform::kProductName, platform::MsgIcon::Information,
                          platform::MsgButtons::Ok);
}

void ShowSystemDiag() {
  auto* window = new frmSystemDiag;
  window->ShowModal();
  window->Release();
}

}  // namespace dialogs
