#include "host/display_settings.h"

#include <algorithm>
#include <array>
#include <functional>
#include <string_view>

#include "presentation/compositor.h"
#include "presentation/render_state.h"
#include "store/registry_access.h"
#include "store/template_lookup.h"
#include "store/values.h"
#include "runtime/numbers.h"
#include "store/typed_readers.h"
#include "settings/template_file.h"

namespace host {
namespace {

constexpr const char* kSection = "DirectX";

constexpr std::array<FilterEffect, kFilterEffectCount> kFilterEffects{{
    {"Normal (Default)", 0, 0x000000},
    {"Fire Red", 1, 0xFF0000},
    {"Alien Green", 1, 0x00FF00},
    {"Pure Blue", 1, 0x0000FF},
    {"Red & Green", 1, 0xFFFF00},
    {"Green & Blue", 1, 0x00FFFF},
    {"Contours / Few Shades", 1, 0xE0E0E0},
    {"Contours / Many Shades", 1, 0xF0F0F0},
    {"Film Negative", 2, 0xFFFFFF},
    {"Reverse All Red", 2, 0xFF0000},
    {"Reverse All Blue", 2, 0x0000FF},
    {"Reverse Dark Blue", 2, 0x00001F},
    {"Reverse Light Blue", 2, 0x0F0F0F},
    {"Reverse Bright Colors", 2, 0xF0F0F0},
    {"High Contrast Shells", 2, 0x1F0F07},
    {"Green Sea Paint", 2, 0x0F3F03},
}};

constexpr std::array<const char*, 3> kMaskNames{"DX_FilterMaskR", "DX_FilterMaskG", "DX_FilterMaskB"};
constexpr std::array<const char*, 2> kDesktopNames{"DX_DesktopPercent", "DX_DesktopFrames"};
constexpr std::array<int, 3> kMaskShifts{16, 8, 0};

constexpr int32_t kMaxDesktopPercent = 99;
constexpr int32_t kMaxDesktopFrames = 999;

int32_t MaskFromBytes(int32_t red, int32_t green, int32_t blue) {
  return store::ClampLong(red, 0, 255) * 65536 + store::ClampLong(green, 0, 255) * 256 + store::ClampLong(blue, 0, 255);
}

// The eight display values as they are stored.
struct DisplayValues {
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t FilterIndex = 0;
  std::array<int32_t, 3> Mask{};
  std::array<int32_t, 2> Desktop{};
};

// Reads the eight values through `read(name, default)`.
DisplayValues ReadValues(const std::function<int32_t(const char*, int32_t)>& read) {
  const presentation::RenderState& r = presentation::render();
  DisplayValues v;
  v.Width = read("DX_WinWidth", r.ScreenPixelWidth);
  v.Height = read("DX_WinHeight", r.ScreenPixelHeight);
  v.FilterIndex = read("DX_FilterIndex", 0);
  for (size_t i = 0; i < kMaskNames.size(); ++i) v.Mask[i] = read(kMaskNames[i], 0);
  for (size_t i = 0; i < kDesktopNames.size(); ++i) v.Desktop[i] = read(kDesktopNames[i], 0);
  return v;
}

// The first line of the render-size list whose size entry is width x height; -1 when none.
int32_t FindSizeLine(const DisplayFields& fields, int32_t width, int32_t height) {
  const auto& sizes = presentation::render().WindowSizeList;
  const int32_t lines = std::min<int32_t>(fields.ResolutionCount(), static_cast<int32_t>(sizes.size()));
  for (int32_t i = 0; i < lines; ++i) {
    if (sizes[static_cast<size_t>(i)].Width == width && sizes[static_cast<size_t>(i)].Height == height) return i;
  }
  return -1;
}

void ApplyToFields(DisplayFields& fields, const DisplayValues& v) {
  // A stored size that no line shows leaves the list without a selection, so that the screen
  // size can be chosen below.
  fields.SetResolutionIndex(FindSizeLine(fields, v.Width, v.Height));
  // The list's handler sets the compositor's filter and shows the row's mask bytes; the stored
  // bytes replace them next. An index outside the list leaves the selection as it is.
  if (v.FilterIndex >= 0 && v.FilterIndex < kFilterEffectCount) fields.SetFilterIndex(v.FilterIndex);
  for (size_t i = 0; i < v.Mask.size(); ++i)
    fields.SetFilterMaskText(static_cast<int32_t>(i), runtime::LongToText(v.Mask[i]));
  for (size_t i = 0; i < v.Desktop.size(); ++i)
    fields.SetDesktopBlendText(static_cast<int32_t>(i), runtime::LongToText(v.Desktop[i]));
  if (fields.ResolutionIndex() < 0) {
    const presentation::RenderState& r = presentation::render();
    fields.SetResolutionIndex(FindSizeLine(fields, r.ScreenPixelWidth, r.ScreenPixelHeight));
  }
}

// Writes the fields' eight values through `write(name, text)`.
void WriteFields(const DisplayFields& fields, const std::function<void(const char*, const std::string&)>& write) {
  // "width * height": a line without "*" (no selection) keeps the stored size rather than
  // storing empty texts.
  const std::string line = fields.ResolutionText();
  const size_t star = line.find('*');
  if (star != std::string::npos) {
    write("DX_WinWidth", runtime::TrimBlanks(std::string_view(line).substr(0, star)));
    write("DX_WinHeight", runtime::TrimBlanks(std::string_view(line).substr(star + 1)));
  }
  write("DX_FilterIndex", runtime::LongToText(fields.FilterIndex()));
  for (size_t i = 0; i < kMaskNames.size(); ++i) write(kMaskNames[i], fields.FilterMaskText(static_cast<int32_t>(i)));
  for (size_t i = 0; i < kDesktopNames.size(); ++i)
    write(kDesktopNames[i], fields.DesktopBlendText(static_cast<int32_t>(i)));
}

}  // namespace

const FilterEffect& FilterEffectRow(int32_t index) {
  if (index < 0 || index >= kFilterEffectCount) return kFilterEffects[0];
  return kFilterEffects[static_cast<size_t>(index)];
}

std::string FilterEffectTable(int32_t index, int16_t action, DisplayFields* fields) {
  const FilterEffect& row = FilterEffectRow(index);
  presentation::CompositorState& c = presentation::compositor();
  int32_t mask = row.Mask;
  int32_t percent = c.DesktopPercent;
  int32_t frames = c.DesktopFrames;
  switch (action) {
    case 0:
      if (fields != nullptr) {
        for (size_t i = 0; i < kMaskShifts.size(); ++i)
          fields->SetFilterMaskText(static_cast<int32_t>(i), runtime::LongToText((mask >> kMaskShifts[i]) & 0xFF));
      }
      break;
    case 1:
      if (fields != nullptr) {
        mask = MaskFromBytes(store::LeadingWholeClamped(fields->FilterMaskText(0), 0, 255),
                             store::LeadingWholeClamped(fields->FilterMaskText(1), 0, 255),
                             store::LeadingWholeClamped(fields->FilterMaskText(2), 0, 255));
      }
      break;
    case 2:
      mask = MaskFromBytes(store::GetSettingLong(kSection, kMaskNames[0], 0),
                           store::GetSettingLong(kSection, kMaskNames[1], 0),
                           store::GetSettingLong(kSection, kMaskNames[2], 0));
      percent = store::ClampLong(store::GetSettingLong(kSection, kDesktopNames[0], 0), 0, kMaxDesktopPercent);
      frames = store::ClampLong(store::GetSettingLong(kSection, kDesktopNames[1], 0), 0, kMaxDesktopFrames);
      break;
    default:
      break;
  }
  presentation::SetFilterAndDesktopBlend(row.Mode, mask, percent, frames);
  return row.Name;
}

void ReadWriteDisplaySettings(DisplayFields& fields, int32_t mode) {
  switch (mode) {
    case 0:
      ApplyToFields(fields, ReadValues([](const char* name, int32_t def) {
                      return store::GetSettingLong(kSection, name, def);
                    }));
      break;
    case 1:
      // Each template value is taken as its leading number, rounded; a value that does not fit
      // a whole 32-bit number gives the default.
      ApplyToFields(fields, ReadValues([](const char* name, int32_t def) {
                      return runtime::ToLongOr(runtime::Val(store::ReadTemplateValue(kSection, name, def)), def);
                    }));
      break;
    case 2: {
      const presentation::RenderState& r = presentation::render();
      store::SaveRegSetting(kSection, "DX_WinWidth", r.ScreenPixelWidth);
      store::SaveRegSetting(kSection, "DX_WinHeight", r.ScreenPixelHeight);
      store::SaveRegSetting(kSection, "DX_FilterIndex", 0);
      DisplayValues factory;
      factory.Width = r.ScreenPixelWidth;
      factory.Height = r.ScreenPixelHeight;
      ApplyToFields(fields, factory);
      break;
    }
    case 3:
      WriteFields(fields, [](const char* name, const std::string& text) { store::SaveRegSetting(kSection, name, text); });
      break;
    case 4:
      WriteFields(fields,
                  [](const char* name, const std::string& text) { settings::WriteTemplateValue(kSection, name, text); });
      break;
    default:
      break;
  }
}

void LoadStoredDisplayEffects() {
  FilterEffectTable(store::GetSettingLong(kSection, "DX_FilterIndex", 0), 2);
}

}  // namespace host
