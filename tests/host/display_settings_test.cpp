#include "host/display_settings.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "presentation/compositor.h"
#include "presentation/render_state.h"
#include "store/registry_access.h"
#include "store/template_lookup.h"
#include "settings/template_file.h"
#include "support/test_support.h"

using namespace host;

namespace {

// The display fields as the dialog's controls behave: an unchanged selection raises nothing, an
// index outside a list is refused, and a changed filter selection runs the list's handler.
class MemoryDisplayFields : public DisplayFields {
 public:
  MemoryDisplayFields() {
    for (const presentation::WindowSize& s : presentation::render().WindowSizeList)
      lines.push_back(std::to_string(s.Width) + " * " + std::to_string(s.Height));
  }
  int32_t ResolutionCount() const override { return static_cast<int32_t>(lines.size()); }
  int32_t ResolutionIndex() const override { return resolution; }
  void SetResolutionIndex(int32_t i) override {
    if (i >= -1 && i < ResolutionCount()) resolution = i;
  }
  std::string ResolutionText() const override { return resolution >= 0 ? lines[static_cast<size_t>(resolution)] : ""; }
  int32_t FilterIndex() const override { return filter; }
  void SetFilterIndex(int32_t i) override {
    if (i < -1 || i >= kFilterEffectCount || i == filter) return;
    filter = i;
    if (i >= 0) FilterEffectTable(i, 0, this);
  }
  std::string FilterMaskText(int32_t i) const override { return masks.at(static_cast<size_t>(i)); }
  void SetFilterMaskText(int32_t i, const std::string& t) override { masks.at(static_cast<size_t>(i)) = t; }
  std::string DesktopBlendText(int32_t i) const override { return desktop.at(static_cast<size_t>(i)); }
  void SetDesktopBlendText(int32_t i, const std::string& t) override { desktop.at(static_cast<size_t>(i)) = t; }

  std::vector<std::string> lines;
  int32_t resolution = -1;
  int32_t filter = -1;
  std::array<std::string, 3> masks{"x", "x", "x"};
  std::array<std::string, 2> desktop{"x", "x"};
};

std::string Stored(const char* name) { return store::GetRegSettingRaw("DirectX", name, "<missing>"); }

void Store(const std::vector<std::pair<const char*, const char*>>& values) {
  for (const auto& [name, text] : values) store::SaveRegSetting("DirectX", name, text);
}

class DisplaySettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    presentation::ResetRenderState();
    presentation::ResetCompositorState();
    store::ClearTemplateCache();
    store::templateState() = store::TemplateLookupState{};
    presentation::RenderState& r = presentation::render();
    r.WindowSizeList = {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}};
    r.ScreenPixelWidth = 1280;
    r.ScreenPixelHeight = 1024;
  }
  void TearDown() override { store::ClearTemplateCache(); }

  testsupport::TempConfig config;
};

}  // namespace

TEST_F(DisplaySettingsTest, FilterTableRowsSetModeAndMask) {
  struct Row {
    int32_t index;
    const char* name;
    int32_t mode, mask;
  } rows[] = {
      {0, "Normal (Default)", 0, 0x000000},       {1, "Fire Red", 1, 0xFF0000},
      {2, "Alien Green", 1, 0x00FF00},            {3, "Pure Blue", 1, 0x0000FF},
      {4, "Red & Green", 1, 0xFFFF00},            {5, "Green & Blue", 1, 0x00FFFF},
      {6, "Contours / Few Shades", 1, 0xE0E0E0},  {7, "Contours / Many Shades", 1, 0xF0F0F0},
      {8, "Film Negative", 2, 0xFFFFFF},          {9, "Reverse All Red", 2, 0xFF0000},
      {10, "Reverse All Blue", 2, 0x0000FF},      {11, "Reverse Dark Blue", 2, 0x00001F},
      {12, "Reverse Light Blue", 2, 0x0F0F0F},    {13, "Reverse Bright Colors", 2, 0xF0F0F0},
      {14, "High Contrast Shells", 2, 0x1F0F07},  {15, "Green Sea Paint", 2, 0x0F3F03},
      {16, "Normal (Default)", 0, 0x000000},      {-1, "Normal (Default)", 0, 0x000000},
  };
  for (const Row& row : rows) {
    presentation::compositor().FilterMode = 7;
    presentation::compositor().FilterMask = 0x123456;
    EXPECT_EQ(FilterEffectTable(row.index, 9), row.name) << row.index;
    EXPECT_EQ(presentation::compositor().FilterMode, row.mode) << row.index;
    EXPECT_EQ(presentation::compositor().FilterMask, row.mask) << row.index;
  }
}

TEST_F(DisplaySettingsTest, ActionZeroShowsTheMaskBytes) {
  MemoryDisplayFields fields;
  EXPECT_EQ(FilterEffectTable(8, 0, &fields), "Film Negative");
  EXPECT_EQ(fields.masks, (std::array<std::string, 3>{"255", "255", "255"}));
  EXPECT_EQ(presentation::compositor().FilterMode, 2);

  FilterEffectTable(14, 0, &fields);
  EXPECT_EQ(fields.masks, (std::array<std::string, 3>{"31", "15", "7"}));
}

TEST_F(DisplaySettingsTest, ActionOneRebuildsTheMaskFromTheFields) {
  MemoryDisplayFields fields;
  fields.masks = {"300", " 12.5abc", "-4"};
  FilterEffectTable(1, 1, &fields);
  EXPECT_EQ(presentation::compositor().FilterMode, 1);  // the row's mode stays
  EXPECT_EQ(presentation::compositor().FilterMask, 255 * 65536 + 12 * 256 + 0);

  fields.masks = {"", "abc", "7"};
  FilterEffectTable(9, 1, &fields);
  EXPECT_EQ(presentation::compositor().FilterMode, 2);
  EXPECT_EQ(presentation::compositor().FilterMask, 7);

  // Without fields the row's own mask holds.
  FilterEffectTable(9, 1);
  EXPECT_EQ(presentation::compositor().FilterMask, 0xFF0000);
}

TEST_F(DisplaySettingsTest, ActionTwoTakesTheStoredMaskAndDesktopBlend) {
  struct Case {
    std::vector<std::pair<const char*, const char*>> stored;
    int32_t mask, percent, frames;
  } cases[] = {
      {{}, 0, 0, 0},
      {{{"DX_FilterMaskR", "16"}, {"DX_FilterMaskG", "2.5"}, {"DX_FilterMaskB", "1"},
        {"DX_DesktopPercent", "40"}, {"DX_DesktopFrames", "30"}},
       0x100201, 40, 30},
      {{{"DX_FilterMaskR", "300"}, {"DX_FilterMaskG", "-1"}, {"DX_FilterMaskB", "abc"},
        {"DX_DesktopPercent", "150"}, {"DX_DesktopFrames", "5000"}},
       0xFF0000, 99, 999},
      {{{"DX_DesktopPercent", "-5"}, {"DX_DesktopFrames", "-1"}}, 0, 0, 0},
  };
  for (const Case& c : cases) {
    testsupport::TempConfig fresh;
    Store(c.stored);
    EXPECT_EQ(FilterEffectTable(10, 2), "Reverse All Blue");
    EXPECT_EQ(presentation::compositor().FilterMode, 2);
    EXPECT_EQ(presentation::compositor().FilterMask, c.mask);
    EXPECT_EQ(presentation::compositor().DesktopPercent, c.percent);
    EXPECT_EQ(presentation::compositor().DesktopFrames, c.frames);
  }

  // Picking a filter later keeps the desktop blend.
  MemoryDisplayFields fields;
  Store({{"DX_DesktopPercent", "40"}});
  FilterEffectTable(0, 2);
  FilterEffectTable(3, 0, &fields);
  EXPECT_EQ(presentation::compositor().DesktopPercent, 40);
}

TEST_F(DisplaySettingsTest, StoredEffectsReachTheCompositor) {
  Store({{"DX_FilterIndex", "8"}, {"DX_FilterMaskR", "1"}, {"DX_FilterMaskG", "2"}, {"DX_FilterMaskB", "3"},
         {"DX_DesktopPercent", "50"}, {"DX_DesktopFrames", "20"}});
  LoadStoredDisplayEffects();
  EXPECT_EQ(presentation::compositor().FilterMode, 2);
  EXPECT_EQ(presentation::compositor().FilterMask, 0x010203);
  EXPECT_EQ(presentation::compositor().DesktopPercent, 50);
  EXPECT_EQ(presentation::compositor().DesktopFrames, 20);

  testsupport::TempConfig empty;
  LoadStoredDisplayEffects();
  EXPECT_EQ(presentation::compositor().FilterMode, 0);
  EXPECT_EQ(presentation::compositor().DesktopPercent, 0);
}

TEST_F(DisplaySettingsTest, RegistryToFields) {
  Store({{"DX_WinWidth", "800"}, {"DX_WinHeight", "600"}, {"DX_FilterIndex", "8"}, {"DX_FilterMaskR", "1"},
         {"DX_FilterMaskG", "2"}, {"DX_FilterMaskB", "300"}, {"DX_DesktopPercent", "40"},
         {"DX_DesktopFrames", "30"}});
  MemoryDisplayFields fields;
  ReadWriteDisplaySettings(fields, 0);
  EXPECT_EQ(fields.resolution, 1);
  EXPECT_EQ(fields.filter, 8);
  EXPECT_EQ(presentation::compositor().FilterMode, 2);  // the list's handler ran
  // The stored bytes replace the ones the handler showed, as they stand.
  EXPECT_EQ(fields.masks, (std::array<std::string, 3>{"1", "2", "300"}));
  EXPECT_EQ(fields.desktop, (std::array<std::string, 2>{"40", "30"}));
}

TEST_F(DisplaySettingsTest, RenderSizeLineFallsBackToTheScreenSize) {
  struct Case {
    const char* width;  // nullptr: not stored
    const char* height;
    int32_t screenW, screenH;
    int32_t selectedBefore, expect;
  } cases[] = {
      {"1024", "768", 1280, 1024, -1, 2},
      {nullptr, nullptr, 1280, 1024, -1, 3},  // the screen size is the default
      {"1000", "700", 1280, 1024, -1, 3},
      {"1000", "700", 1920, 1080, 2, -1},  // no line for the screen either: no selection
      {"640", "480", 1920, 1080, 3, 0},
  };
  for (const Case& c : cases) {
    testsupport::TempConfig fresh;
    if (c.width) Store({{"DX_WinWidth", c.width}, {"DX_WinHeight", c.height}});
    presentation::render().ScreenPixelWidth = c.screenW;
    presentation::render().ScreenPixelHeight = c.screenH;
    MemoryDisplayFields fields;
    fields.resolution = c.selectedBefore;
    ReadWriteDisplaySettings(fields, 0);
    EXPECT_EQ(fields.resolution, c.expect) << (c.width ? c.width : "none") << " on " << c.screenW;
  }
}

TEST_F(DisplaySettingsTest, StoredFilterIndexOutsideTheListKeepsTheSelection) {
  for (const char* index : {"16", "-1"}) {
    testsupport::TempConfig fresh;
    Store({{"DX_FilterIndex", index}});
    MemoryDisplayFields fields;
    fields.filter = 5;
    ReadWriteDisplaySettings(fields, 0);
    EXPECT_EQ(fields.filter, 5) << index;
    EXPECT_EQ(fields.masks, (std::array<std::string, 3>{"0", "0", "0"})) << index;
  }
}

TEST_F(DisplaySettingsTest, TemplateToFields) {
  const std::string dir = testsupport::MakeTempDir();
  const std::string path = dir + "/deep.glx";
  testsupport::WriteFile(path,
                         "\r\n[General]\r\nDX_WinWidth=1\r\n"
                         "\r\n[DirectX]\r\nDX_WinWidth=1024\r\nDX_WinHeight=767.6\r\nDX_FilterIndex=3 \r\n"
                         "DX_FilterMaskR=12abc\r\nDX_FilterMaskG=\r\nDX_DesktopPercent=2.5\r\n"
                         "DX_DesktopFrames=99999999999\r\n");
  store::templateState().TemplatePath = path;
  MemoryDisplayFields fields;
  ReadWriteDisplaySettings(fields, 1);
  EXPECT_EQ(fields.resolution, 2);
  EXPECT_EQ(fields.filter, 3);
  // Missing "DX_FilterMaskB" takes its default; an unconvertible number takes the default.
  EXPECT_EQ(fields.masks, (std::array<std::string, 3>{"12", "0", "0"}));
  EXPECT_EQ(fields.desktop, (std::array<std::string, 2>{"2", "0"}));
  EXPECT_EQ(Stored("DX_WinWidth"), "<missing>");  // the registry is not touched
}

TEST_F(DisplaySettingsTest, FactoryValuesStoreOnlySizeAndFilter) {
  Store({{"DX_WinWidth", "800"}, {"DX_WinHeight", "600"}, {"DX_FilterIndex", "4"}, {"DX_FilterMaskR", "5"},
         {"DX_DesktopPercent", "7"}, {"DX_DesktopFrames", "8"}});
  MemoryDisplayFields fields;
  fields.filter = 4;
  fields.masks = {"9", "9", "9"};
  ReadWriteDisplaySettings(fields, 2);
  EXPECT_EQ(Stored("DX_WinWidth"), "1280");
  EXPECT_EQ(Stored("DX_WinHeight"), "1024");
  EXPECT_EQ(Stored("DX_FilterIndex"), "0");
  EXPECT_EQ(Stored("DX_FilterMaskR"), "5");
  EXPECT_EQ(Stored("DX_DesktopPercent"), "7");
  EXPECT_EQ(fields.resolution, 3);
  EXPECT_EQ(fields.filter, 0);
  EXPECT_EQ(presentation::compositor().FilterMode, 0);
  EXPECT_EQ(fields.masks, (std::array<std::string, 3>{"0", "0", "0"}));
  EXPECT_EQ(fields.desktop, (std::array<std::string, 2>{"0", "0"}));

  // The next save stores the zeros the fields show.
  ReadWriteDisplaySettings(fields, 3);
  EXPECT_EQ(Stored("DX_FilterMaskR"), "0");
  EXPECT_EQ(Stored("DX_DesktopPercent"), "0");
  EXPECT_EQ(Stored("DX_DesktopFrames"), "0");
}

TEST_F(DisplaySettingsTest, FieldsToRegistry) {
  MemoryDisplayFields fields;
  fields.resolution = 2;
  fields.filter = 5;
  fields.masks = {"255", " 12 ", "abc"};
  fields.desktop = {"40", "30"};
  ReadWriteDisplaySettings(fields, 3);
  const std::pair<const char*, const char*> expect[] = {
      {"DX_WinWidth", "1024"},   {"DX_WinHeight", "768"},      {"DX_FilterIndex", "5"},
      {"DX_FilterMaskR", "255"}, {"DX_FilterMaskG", "12"},     {"DX_FilterMaskB", "abc"},
      {"DX_DesktopPercent", "40"}, {"DX_DesktopFrames", "30"},
  };
  for (const auto& [name, text] : expect) EXPECT_EQ(Stored(name), text) << name;

  // A list without a selection keeps the stored size instead of storing empty texts.
  fields.resolution = -1;
  fields.filter = 1;
  ReadWriteDisplaySettings(fields, 3);
  EXPECT_EQ(Stored("DX_WinWidth"), "1024");
  EXPECT_EQ(Stored("DX_WinHeight"), "768");
  EXPECT_EQ(Stored("DX_FilterIndex"), "1");

  // Any other mode does nothing.
  fields.filter = 2;
  for (int32_t mode : {-1, 5}) ReadWriteDisplaySettings(fields, mode);
  EXPECT_EQ(Stored("DX_FilterIndex"), "1");
  EXPECT_EQ(fields.resolution, -1);
}

TEST_F(DisplaySettingsTest, FieldsToTemplate) {
  const std::string path = testsupport::MakeTempDir() + "/out.glx";
  MemoryDisplayFields fields;
  fields.resolution = 1;
  fields.filter = 8;
  fields.masks = {"1", "2", "3"};
  fields.desktop = {"4", "5"};
  settings::WriteTemplateValue("DirectX", "DX_Probe", "open", path);  // opens the file
  ReadWriteDisplaySettings(fields, 4);
  settings::CloseTemplateFile();
  EXPECT_EQ(testsupport::ReadFile(path),
            "\r\n[DirectX]\r\nDX_Probe=open\r\nDX_WinWidth=800\r\nDX_WinHeight=600\r\nDX_FilterIndex=8\r\n"
            "DX_FilterMaskR=1\r\nDX_FilterMaskG=2\r\nDX_FilterMaskB=3\r\nDX_DesktopPercent=4\r\n"
            "DX_DesktopFrames=5\r\n");
  EXPECT_EQ(Stored("DX_WinWidth"), "<missing>");
}
