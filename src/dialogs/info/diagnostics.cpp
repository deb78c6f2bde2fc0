#include "dialogs/info/diagnostics.h"

#include <sys/utsname.h>

#include <QGuiApplication>
#include <QScreen>
#include <QString>
#include <cmath>
#include <fstream>
#include <sstream>

#include "dialogs/info/locale_names.h"
#include "dialogs/info/product_info.h"
#include "host/startup.h"
#include "presentation/render_state.h"
#include "runtime/numbers.h"
#include "store/registry_access.h"
#include "store/typed_readers.h"

namespace dialogs {

namespace {

constexpr const char* kCrLf = "\r\n";

std::string ReadWholeFile(const char* path) {
  std::ifstream f(path, std::ios::binary);
  if (!f) return {};
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

std::string TrimWhite(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t\r\n");
  return std::string(s.substr(first, last - first + 1));
}

// The value of the first "key: value" line of cpuinfo whose key is `key`; empty when none.
std::string CpuValue(std::string_view cpuinfo, std::string_view key) {
  size_t pos = 0;
  while (pos < cpuinfo.size()) {
    size_t end = cpuinfo.find('\n', pos);
    if (end == std::string_view::npos) end = cpuinfo.size();
    const std::string_view line = cpuinfo.substr(pos, end - pos);
    const size_t colon = line.find(':');
    if (colon != std::string_view::npos && TrimWhite(line.substr(0, colon)) == key)
      return TrimWhite(line.substr(colon + 1));
    pos = end + 1;
  }
  return {};
}

// The thousands of a whole number joined by the separator.
std::string Grouped(uint64_t v, const std::string& sep) {
  std::string digits = std::to_string(v);
  std::string out;
  const size_t n = digits.size();
  for (size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += sep;
    out += digits[i];
  }
  return out;
}

std::string WithDecimal(std::string text, const QLocale& locale) {
  const std::string dec = locale.decimalPoint().toStdString();
  std::string out;
  for (char c : text) {
    if (c == '.')
      out += dec;
    else
      out += c;
  }
  return out;
}

}  // namespace

const std::string& DiagnosticsFields::operator[](int32_t field) const {
  static const std::string kEmpty;
  const auto it = text.find(field);
  return it == text.end() ? kEmpty : it->second;
}

std::string ColorCountText(int32_t depth, const QLocale& locale) {
  if (depth <= 0) return {};
  const int32_t n = depth > 31 ? 31 : depth;
  return Grouped(uint64_t{1} << n, locale.groupSeparator().toStdString());
}

std::string SystemLine(std::string_view sysname, std::string_view release, std::string_view osRelease) {
  // major.minor of the kernel release ("6.1.0-18-amd64" -> "6.1").
  std::string version;
  size_t i = 0;
  while (i < release.size() && release[i] >= '0' && release[i] <= '9') version += release[i++];
  if (i + 1 < release.size() && release[i] == '.' && release[i + 1] >= '0' && release[i + 1] <= '9') {
    version += release[i++];
    while (i < release.size() && release[i] >= '0' && release[i] <= '9') version += release[i++];
  }
  std::string pretty;
  size_t pos = 0;
  while (pos < osRelease.size()) {
    size_t end = osRelease.find('\n', pos);
    if (end == std::string_view::npos) end = osRelease.size();
    const std::string line = TrimWhite(osRelease.substr(pos, end - pos));
    if (line.rfind("PRETTY_NAME=", 0) == 0) {
      pretty = line.substr(12);
      if (pretty.size() >= 2 && (pretty.front() == '"' || pretty.front() == '\'') && pretty.back() == pretty.front())
        pretty = pretty.substr(1, pretty.size() - 2);
      break;
    }
    pos = end + 1;
  }
  return std::string(sysname) + ":  " + version + "   " + pretty;
}

std::string ProcessorText(std::string_view cpuinfo, std::string_view machine) {
  const std::string family = CpuValue(cpuinfo, "cpu family");
  const std::string model = CpuValue(cpuinfo, "model");
  const std::string stepping = CpuValue(cpuinfo, "stepping");
  std::string identifier;
  if (!family.empty() || !model.empty() || !stepping.empty())
    identifier = std::string(machine) + " Family " + family + " Model " + model + " Stepping " + stepping;
  return CpuValue(cpuinfo, "model name") + kCrLf + identifier + kCrLf + CpuValue(cpuinfo, "vendor_id");
}

std::string MonitorsText(int32_t width, int32_t height, const std::vector<std::pair<int32_t, int32_t>>& monitors) {
  std::string out = "Primary Monitor:        Width=" + std::to_string(width) + "  Height=" + std::to_string(height) + kCrLf;
  for (const auto& [w, h] : monitors)
    out += "Secondary Monitor:  Width=" + std::to_string(w) + "  Height=" + std::to_string(h) + kCrLf;
  return out;
}

std::string LocaleSingleText(std::string_view text, const QLocale& locale) {
  static const std::string kTypeMismatch = "Error # 13";
  const QString dec = locale.decimalPoint();
  const QString group = locale.groupSeparator();
  const QString t = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).trimmed();
  std::string plain;
  bool seenPoint = false;
  for (qsizetype i = 0; i < t.size();) {
    if (!dec.isEmpty() && QStringView(t).mid(i).startsWith(dec)) {
      if (seenPoint) return kTypeMismatch;
      seenPoint = true;
      plain += '.';
      i += dec.size();
    } else if (!group.isEmpty() && !seenPoint && QStringView(t).mid(i).startsWith(group)) {
      i += group.size();
    } else {
      const QChar c = t[i];
      if (!(c.isDigit() && c.unicode() < 128) && c != u'+' && c != u'-' && c != u'e' && c != u'E') return kTypeMismatch;
      plain += static_cast<char>(c.unicode());
      ++i;
    }
  }
  double v = 0;
  if (!runtime::IsNumeric(plain, &v) || !std::isfinite(v)) return kTypeMismatch;
  const auto single = store::ToSingle(v);
  if (!single) return "Error # 6";  // beyond the Single range: overflow
  return WithDecimal(runtime::SingleToText(*single), locale);
}

std::string LocaleValText(std::string_view text, const QLocale& locale) {
  return WithDecimal(runtime::DoubleToText(runtime::Val(text)), locale);
}

std::string RegistryWriteTest() {
  const bool written = store::SaveRegSetting("General", "RegistryReadWriteTest", "OK");
  const std::string back = store::GetSettingString("General", "RegistryReadWriteTest", "");
  return written && back == "OK" ? "OK" : "No Access";
}

DiagnosticsSources MachineDiagnosticsSources() {
  DiagnosticsSources s;
  const host::StartupState& st = host::startup();
  const presentation::RenderState& r = presentation::render();
  s.twipsWidth = st.ScreenTwipsWidth;
  s.twipsHeight = st.ScreenTwipsHeight;
  s.twipsPerPixel = r.TwipsPerPixelX;
  s.pixelWidth = r.ScreenPixelWidth;
  s.pixelHeight = r.ScreenPixelHeight;
  if (QGuiApplication::instance() != nullptr && QGuiApplication::primaryScreen() != nullptr)
    s.depth = QGuiApplication::primaryScreen()->depth();
  for (int32_t i = 0; i < r.MonitorCount; ++i) {
    const auto at = static_cast<size_t>(i);
    if (at < r.MonitorWidth.size() && at < r.MonitorHeight.size()) s.monitors.emplace_back(r.MonitorWidth[at], r.MonitorHeight[at]);
  }
  struct utsname u {};
  if (uname(&u) == 0) {
    s.sysname = u.sysname;
    s.release = u.release;
    s.machine = u.machine;
  }
  s.osRelease = ReadWholeFile("/etc/os-release");
  if (s.osRelease.empty()) s.osRelease = ReadWholeFile("/usr/lib/os-release");
  s.cpuinfo = ReadWholeFile("/proc/cpuinfo");
  s.locale = QLocale::system();
  return s;
}

DiagnosticsFields GatherDiagnostics(const DiagnosticsSources& src) {
  DiagnosticsFields f;
  auto checked = [&f](int32_t field, std::string text) {
    if (text.empty() || text == "0") {
      text = "???";
      f.problem.insert(field);
    }
    f.text[field] = std::move(text);
  };
  checked(0, std::to_string(src.twipsWidth));
  checked(1, std::to_string(src.twipsHeight));
  checked(2, std::to_string(src.twipsPerPixel));
  checked(3, ColorCountText(src.depth, src.locale));
  checked(9, std::to_string(src.pixelWidth));
  checked(10, std::to_string(src.pixelHeight));
  f.text[30] = SystemLine(src.sysname, src.release, src.osRelease);
  f.text[31] = ProcessorText(src.cpuinfo, src.machine);
  f.text[32] = MonitorsText(src.pixelWidth, src.pixelHeight, src.monitors);
  f.text[33] = "No DirectX in use.";
  f.text[40] = GetLanguageName(LocaleIdText(src.locale.name().toStdString()));
  f.text[41] = LocaleSingleText("1.25", src.locale);
  f.text[42] = LocaleValText("1.25", src.locale);
  f.text[50] = RegistryWriteTest();
  return f;
}

std::string DiagnosticsReport(const DiagnosticsFields& f) {
  const std::string nl = kCrLf;
  return std::string("Product: ") + kProductName + "   Version: " + kVersionText + "   Build: " +
         std::to_string(kBuildNumber) + nl + nl + "Display Properties:" + nl + "*   Width : Height (pixels)  " + f[9] +
         " : " + f[10] + nl + "*   Twips per Pixel " + f[2] + nl + "*   Display Colors  " + f[3] + nl + nl +
         "OS / Hardware / Monitors / DX:  " + nl + f[30] + nl + f[31] + nl + nl + f[32] + nl + nl + f[33] + nl + nl +
         "*   Country (Region):  " + f[40] + nl + "*   Convert 1.25 Single() " + f[41] + nl +
         "*   Convert 1.25 Val()    " + f[42] + nl + nl + "Registry Test:   " + f[50];
}

}  // namespace dialogs
