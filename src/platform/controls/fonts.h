// The fonts the windows are laid out in. Layouts are measured in twips for "Arial" and the
// column lists line up in "Courier New"; where those faces are not installed the windows ask
// for their metric-compatible Liberation faces (fonts-liberation) by name, so that neither the
// layouts nor the fixed-pitch lists depend on what the font system would substitute (another
// monospaced face, or a proportional one).
#pragma once

#include <QFont>
#include <QString>

#include <string_view>

namespace controls {

inline constexpr std::string_view kWindowFontFamily = "Arial";
inline constexpr std::string_view kFixedPitchFontFamily = "Courier New";

// The metric-compatible stand-in of a window family ("Liberation Sans" for "Arial", "Liberation
// Mono" for "Courier New", "Liberation Serif" for "Times New Roman", any case); empty for other
// families.
std::string_view MetricCompatibleFamily(std::string_view family);

// The family to ask for when a window wants `family`: the family itself when it is installed,
// else its stand-in when that is installed, else `family` (the font system picks its nearest).
QString LayoutFamily(std::string_view family);

// The windows' font: Arial or its stand-in, at the application font's size.
QFont WindowFont();
// The font of column lists and their headers: Courier New or its stand-in, fixed pitch asked for.
QFont FixedPitchFont();

}  // namespace controls
