// The "System Diagnostics" window: what this machine has and whether the program can write its
// settings, gathered once when the window loads; it mails the report, starts the desktop's
// system information tool and opens its help topic.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <string_view>

#include "dialogs/info/diagnostics.h"
#include "platform/controls/controls.h"
#include "platform/registry_store.h"

namespace dialogs {

inline constexpr int kDiagnosticsHelpContext = 550;

class frmSystemDiag : public controls::Form {
 public:
  frmSystemDiag();

  // The one-line fields (0-3, 9, 10, 30, 40-42, 50) and the fields of several lines (31-33).
  controls::ControlArray<controls::TextBox> txtDiagnostics{"txtDiagnostics"};
  controls::ControlArray<controls::MultiLineTextBox> txtDiagnosticsLines{"txtDiagnostics"};
  controls::ControlArray<controls::Label> lblDiagnostics{"lblDiagnostics"};
  controls::Frame* fraDelay = nullptr;
  controls::Frame* fraOpsys = nullptr;
  controls::Frame* fraRegional = nullptr;
  controls::Frame* fraRegistry = nullptr;
  controls::Label* lblRegInfo = nullptr;
  controls::CommandButton* cmdDismiss = nullptr;
  controls::CommandButton* cmdHelp = nullptr;
  controls::CommandButton* cmdSysInfo = nullptr;
  controls::CommandButton* cmdSendEmail = nullptr;

  // The text of a field, whichever box holds it.
  std::string FieldText(int32_t field) const;
  // The fields as they stand (the report is built from them).
  const DiagnosticsFields& Fields() const { return fields_; }

  void cmdDismiss_Click();
  void cmdHelp_Click();
  void cmdSysInfo_Click();
  void cmdSendEmail_Click();

  // Reads one text value of the settings store for reading only; false (and an empty value)
  // when the key or value is missing.
  static bool GetKeyValue(platform::Hive hive, std::string_view keyPath, std::string_view valueName,
                          std::string& value);

 protected:
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;

 private:
  void GatherDiagnostics();
  void LayoutRegistryFrame();
  DiagnosticsFields fields_;
};

// The text of lblRegInfo.
std::string RegistryInfoText();

// Starts the desktop's system information tool: a path stored under
// SOFTWARE\Microsoft\Shared Tools\MSINFO "PATH", else MSINFO32.EXE in the folder stored under
// SOFTWARE\Microsoft\Shared Tools Location "MSINFO", else hardinfo or kinfocenter on PATH.
// "System Information Is Unavailable." when there is none or it cannot be started.
void ShowSystemInfo();

// Creates the window, shows it modally and releases it.
void ShowSystemDiag();

// What the window reads and starts, replaceable for tests.
struct DiagnosticsServices {
  std::function<DiagnosticsSources()> sources;                 // empty: MachineDiagnosticsSources
  std::function<bool(const std::string& program)> startProgram;  // empty: a detached process
  std::function<std::string(const std::string& name)> findProgram;  // empty: search PATH
};
DiagnosticsServices& diagnosticsServices();

}  // namespace dialogs
