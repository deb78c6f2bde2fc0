// What the diagnostics window reports about this machine: the primary display, the system, the
// processor, the monitors, the locale and its number conversions, and whether the program can
// write its settings; the plain-text report built from it.
//
// Field numbers: 0, 1 screen size in twips; 2 twips per pixel; 3 display colours; 9, 10 screen
// size in pixels; 30 system; 31 processor; 32 monitors; 33 graphics note (hidden, report only);
// 40 locale name; 41, 42 "1.25" converted by the locale and with "." as the decimal point;
// 50 registry write test.
#pragma once

#include <QLocale>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dialogs {

// Everything the gathering reads, so tests can give their own.
struct DiagnosticsSources {
  int32_t twipsWidth = 0, twipsHeight = 0, twipsPerPixel = 0;
  int32_t pixelWidth = 0, pixelHeight = 0;
  int32_t depth = 0;  // bits per pixel of the primary screen
  std::vector<std::pair<int32_t, int32_t>> monitors;  // width, height of each further monitor
  std::string sysname, release, machine;              // uname
  std::string osRelease;                               // text of os-release
  std::string cpuinfo;                                 // text of /proc/cpuinfo
  QLocale locale;
};

// This machine: the screen metrics recorded at start-up, the primary screen's depth, uname,
// /etc/os-release (else /usr/lib/os-release), /proc/cpuinfo and the system locale.
DiagnosticsSources MachineDiagnosticsSources();

struct DiagnosticsFields {
  std::map<int32_t, std::string> text;
  std::set<int32_t> problem;  // display fields shown as "???" on red
  const std::string& operator[](int32_t field) const;
};

DiagnosticsFields GatherDiagnostics(const DiagnosticsSources& src);

// The pieces, each as its field shows it.
// 2^n, n = depth capped at 31, grouped by thousands with the locale's separator; empty for a
// depth of 0 or less.
std::string ColorCountText(int32_t depth, const QLocale& locale);
// sysname + ":  " + major.minor of the release + "   " + PRETTY_NAME of the os-release text.
std::string SystemLine(std::string_view sysname, std::string_view release, std::string_view osRelease);
// The processor's model name, "<machine> Family f Model m Stepping s" and vendor, one a line
// (CR LF between); a missing value leaves its line empty.
std::string ProcessorText(std::string_view cpuinfo, std::string_view machine);
// The primary monitor's line and one line per further monitor, each ended by CR LF.
std::string MonitorsText(int32_t width, int32_t height, const std::vector<std::pair<int32_t, int32_t>>& monitors);
// "1.25" read with the locale's separators (its group separator dropped, its decimal separator
// taken as the point; any other character fails) and written back with its decimal separator;
// "Error # 13" when it cannot be read.
std::string LocaleSingleText(std::string_view text, const QLocale& locale);
// The leading number of the text read with "." as the point, written with the locale's
// decimal separator.
std::string LocaleValText(std::string_view text, const QLocale& locale);
// Writes "OK" as RegistryReadWriteTest of section "General" and reads it back: "OK" only when
// this write succeeded and the value reads back as "OK", else "No Access".
std::string RegistryWriteTest();

// The report mailed by the window (lines end in CR LF).
std::string DiagnosticsReport(const DiagnosticsFields& fields);

}  // namespace dialogs
