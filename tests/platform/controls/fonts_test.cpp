// The windows' fonts: Arial and Courier New, or their metric-compatible Liberation faces, whatever
// other faces the font system would pick for those names. tests/CMakeLists.txt runs these tests
// once more under a font configuration that resolves the names to other faces.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

#include <string>
#include <string_view>

#include "host/qt_test_app.h"
#include "platform/controls/controls.h"

namespace controls {
namespace {

class WindowFonts : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureQtApplication();
    for (const char* family : {"Liberation Sans", "Liberation Mono"})
      ASSERT_TRUE(QFontDatabase::hasFamily(family)) << family << " is missing: scripts/setup installs fonts-liberation";
  }
  // Under the font configuration of tests/fixtures/fonts the plain names resolve to other faces.
  static bool NamesResolveElsewhere() { return qEnvironmentVariableIsSet("ZV_FONTS_RESOLVED_ELSEWHERE"); }
};

TEST(MetricCompatibleFamily, NamesTheLiberationFaceOfEachLayoutFamily) {
  const struct {
    std::string_view family, standIn;
  } cases[] = {
      {"Arial", "Liberation Sans"},           {"arial", "Liberation Sans"},
      {"Courier New", "Liberation Mono"},     {"COURIER NEW", "Liberation Mono"},
      {"Times New Roman", "Liberation Serif"}, {"Verdana", ""},
      {"Courier", ""},                        {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(MetricCompatibleFamily(c.family), c.standIn) << c.family;
}

// The fixed-pitch font is drawn in Courier New or Liberation Mono, fixed pitch, even where the
// name "Courier New" alone gives another face.
TEST_F(WindowFonts, ColumnListsGetAFixedPitchFaceWithCourierNewMetrics) {
  const QFontInfo drawn(FixedPitchFont());
  EXPECT_TRUE(drawn.family() == "Courier New" || drawn.family() == "Liberation Mono") << drawn.family().toStdString();
  EXPECT_TRUE(drawn.fixedPitch());
  if (NamesResolveElsewhere()) {
    QFont plain(QStringLiteral("Courier New"));
    plain.setStyleHint(QFont::TypeWriter);
    EXPECT_EQ(QFontInfo(plain).family(), "DejaVu Sans") << "the configuration under test no longer substitutes";
  }
}

// Every window is laid out in Arial or Liberation Sans, at the application font's size.
TEST_F(WindowFonts, WindowsAreLaidOutInAFaceWithArialMetrics) {
  Form form(nullptr, "frmFonts");
  auto* label = new Label(&form, "lblText");
  for (const QWidget* w : {static_cast<const QWidget*>(&form), static_cast<const QWidget*>(label)}) {
    const QFontInfo drawn(w->font());
    EXPECT_TRUE(drawn.family() == "Arial" || drawn.family() == "Liberation Sans") << drawn.family().toStdString();
    EXPECT_EQ(w->font().pointSizeF(), QApplication::font().pointSizeF());
  }
  if (NamesResolveElsewhere()) {
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Arial"))).family(), "DejaVu Serif") << "the configuration under test no longer substitutes";
  }
}

// A family that is installed is asked for as it is; an unknown one without a stand-in is left to
// the font system.
TEST_F(WindowFonts, InstalledAndUnknownFamiliesAreAskedForByTheirOwnName) {
  EXPECT_EQ(LayoutFamily("Liberation Mono"), "Liberation Mono");
  EXPECT_EQ(LayoutFamily("DejaVu Sans"), "DejaVu Sans");
  EXPECT_EQ(LayoutFamily("No Such Family Anywhere"), "No Such Family Anywhere");
}

}  // namespace
}  // namespace controls
