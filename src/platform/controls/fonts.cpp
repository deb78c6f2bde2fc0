#include "platform/controls/fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStringList>

#include <array>
#include <utility>

namespace controls {
namespace {

bool SameFamily(std::string_view a, std::string_view b) {
  return QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size()))
             .compare(QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size())), Qt::CaseInsensitive) == 0;
}

// Whether a face of that family is installed: a family the font system only substitutes for
// (an alias) is not. A family offered by several foundries is listed as "Family [Foundry]".
bool Installed(const QString& family) {
  for (const QString& listed : QFontDatabase::families()) {
    const qsizetype bracket = listed.indexOf(QStringLiteral(" ["));
    const QString name = bracket < 0 ? listed : listed.left(bracket);
    if (name.compare(family, Qt::CaseInsensitive) == 0) return true;
  }
  return false;
}

}  // namespace

std::string_view MetricCompatibleFamily(std::string_view family) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 3> kStandIns = {{
      {"Arial", "Liberation Sans"},
      {"Courier New", "Liberation Mono"},
      {"Times New Roman", "Liberation Serif"},
  }};
  for (const auto& [name, standIn] : kStandIns)
    if (SameFamily(family, name)) return standIn;
  return {};
}

QString LayoutFamily(std::string_view family) {
  const QString wanted = QString::fromUtf8(family.data(), static_cast<qsizetype>(family.size()));
  if (Installed(wanted)) return wanted;
  const std::string_view standIn = MetricCompatibleFamily(family);
  if (!standIn.empty()) {
    const QString candidate = QString::fromUtf8(standIn.data(), static_cast<qsizetype>(standIn.size()));
    if (Installed(candidate)) return candidate;
  }
  return wanted;
}

QFont WindowFont() {
  QFont font = QApplication::font();
  font.setFamily(LayoutFamily(kWindowFontFamily));
  font.setStyleHint(QFont::SansSerif);
  return font;
}

QFont FixedPitchFont() {
  QFont font = QApplication::font();
  font.setFamily(LayoutFamily(kFixedPitchFontFamily));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

}  // namespace controls
