#include "engine/dialog_previews.h"

#include <optional>

#include "engine/display_universe.h"
#include "engine/galaxy_preview.h"
#include "engine/hue_cone.h"
#include "engine/universe_settings.h"
#include "model/hue_ranges.h"
#include "model/hue_wheel.h"
#include "presentation/render_state.h"
#include "runtime/numbers.h"
#include "store/typed_readers.h"

namespace engine {

namespace {

// Where a setting comes from: a txtUni field (its index) or one of the other controls.
constexpr int kFromProfileList = -1;
constexpr int kFromTourCheck = -2;
constexpr int kFromVisitCheck = -3;

enum class Take : uint8_t {
  Long,         // a whole number into a Long setting
  WholeSingle,  // a whole number into a Single setting
  Single,       // a Single
  Flag,         // 0 or 1, on when 1
};

struct FieldSetting {
  int source;
  Take take;
  int32_t UniverseSettings::*longField;
  float UniverseSettings::*singleField;
  bool UniverseSettings::*flagField;
  float lower, upper;
};

constexpr FieldSetting LongRow(int source, int32_t UniverseSettings::*field, float lower, float upper) {
  return {source, Take::Long, field, nullptr, nullptr, lower, upper};
}
constexpr FieldSetting WholeSingleRow(int source, float UniverseSettings::*field, float lower, float upper) {
  return {source, Take::WholeSingle, nullptr, field, nullptr, lower, upper};
}
constexpr FieldSetting SingleRow(int source, float UniverseSettings::*field, float lower, float upper) {
  return {source, Take::Single, nullptr, field, nullptr, lower, upper};
}
constexpr FieldSetting FlagRow(int source, bool UniverseSettings::*field) {
  return {source, Take::Flag, nullptr, nullptr, field, 0.0f, 1.0f};
}

using U = UniverseSettings;

// The settings the dialog's fields give, in the order they are taken, with the fields' ranges.
constexpr FieldSetting kFieldSettings[] = {
    LongRow(0, &U::Universe_Stars, 10, 99999),
    LongRow(1, &U::Universe_Galaxy, 1, 999),
    WholeSingleRow(10, &U::Universe_Expand, 0, 99999),
    LongRow(11, &U::Universe_ESteps, 1, 9999),
    SingleRow(12, &U::Universe_Persist, 0.25f, 1.0f),
    SingleRow(14, &U::Universe_Damping, 0.0f, 1.0f),
    LongRow(18, &U::Universe_Recycle, 1, 999),
    LongRow(kFromProfileList, &U::Universe_Profile, 0, 51),
    LongRow(20, &U::Universe_NewFreq, 0, 9999),
    WholeSingleRow(21, &U::Universe_NewPctStEx, 0, 100),
    FlagRow(kFromTourCheck, &U::Universe_Tour),
    FlagRow(kFromVisitCheck, &U::Universe_GVisit),
    LongRow(30, &U::Universe_GSteps, 1, 9999),
    LongRow(31, &U::Universe_GPCtrl, 1, 999),
    LongRow(32, &U::Universe_GCCtrl, 0, 999),
    WholeSingleRow(33, &U::Universe_DstCen, 0, 999999),
    LongRow(40, &U::Universe_AmStar, 0, 9999),
    SingleRow(41, &U::Universe_AmPers, 0.25f, 1.0f),
    SingleRow(42, &U::Universe_AmCAge, 0.0f, 10.0f),
    LongRow(43, &U::Universe_AmFrames, 0, 999),
    WholeSingleRow(44, &U::Universe_AmMaxExt, 1, 9999),
    WholeSingleRow(50, &U::Universe_GravForce, 0, 999999),
    LongRow(51, &U::Universe_GravFrame, 1, 999),
    WholeSingleRow(2, &U::DX_BlendUniBurst, 0, 100),
    WholeSingleRow(3, &U::DX_BlendUniTravel, 0, 100),
};

// The whole number a field's text holds (rounded, halves to even); nothing for a text that is
// not a number or does not fit a Long.
std::optional<int32_t> WholeOfText(const std::string& text) {
  double v = 0.0;
  if (!runtime::IsNumeric(text, &v)) return std::nullopt;
  return runtime::ToLong(v);
}

std::optional<float> SingleOfText(const std::string& text) {
  double v = 0.0;
  if (!runtime::IsNumeric(text, &v)) return std::nullopt;
  return store::ToSingle(v);
}

// The whole-number value of one row's control, clamped.
std::optional<int32_t> WholeOfControl(const UniverseDialog& dialog, const FieldSetting& row) {
  std::optional<int32_t> value;
  switch (row.source) {
    case kFromProfileList: value = dialog.UniProfileIndex(); break;
    case kFromTourCheck: value = dialog.UniTourValue(); break;
    case kFromVisitCheck: value = dialog.VisitSeqValue(); break;
    default: value = WholeOfText(dialog.UniText(row.source)); break;
  }
  if (!value) return std::nullopt;
  return runtime::ClampLong(*value, runtime::ToLongOr(row.lower, 0), runtime::ToLongOr(row.upper, 0));
}

void TakeFieldSetting(const UniverseDialog& dialog, const FieldSetting& row, UniverseSettings& u) {
  if (row.take == Take::Single) {
    if (const std::optional<float> v = SingleOfText(dialog.UniText(row.source)))
      u.*row.singleField = runtime::ClampSingle(*v, row.lower, row.upper);
    return;
  }
  const std::optional<int32_t> v = WholeOfControl(dialog, row);
  if (!v) return;
  switch (row.take) {
    case Take::Long: u.*row.longField = *v; break;
    case Take::WholeSingle: u.*row.singleField = static_cast<float>(*v); break;
    case Take::Flag: u.*row.flagField = *v == 1; break;
    case Take::Single: break;
  }
}

// The hue wheel rebuilt, its universe range from txtUni(16) and (17); a range whose ends are
// not both numbers leaves the universe range as it was.
void TakeUniverseHueRange(const UniverseDialog& dialog) {
  model::BuildHueWheelTable();
  const std::optional<int32_t> start = WholeOfText(dialog.UniText(16));
  const std::optional<int32_t> end = WholeOfText(dialog.UniText(17));
  if (start && end) model::SetUniverseHueWheel(runtime::ClampLong(*start, 0, 999), runtime::ClampLong(*end, 0, 999));
}

// Counts a display started here for as long as it runs.
class DisplayScope {
 public:
  DisplayScope() { ++dialogPreview().DisplayDepth; }
  ~DisplayScope() { --dialogPreview().DisplayDepth; }
  DisplayScope(const DisplayScope&) = delete;
  DisplayScope& operator=(const DisplayScope&) = delete;
};

}  // namespace

DialogPreviewState& dialogPreview() {
  static DialogPreviewState s;
  return s;
}

void ResetDialogPreviewState() { dialogPreview() = DialogPreviewState{}; }

void SetUniverseDialog(UniverseDialog* dialog) { dialogPreview().Dialog = dialog; }
UniverseDialog* universeDialog() { return dialogPreview().Dialog; }

bool DialogDisplayRunning() { return dialogPreview().DisplayDepth > 0; }

void TakeUniverseDialogSettings(const UniverseDialog& dialog) {
  TakeUniverseHueRange(dialog);
  UniverseSettings& u = universeSettings();
  for (const FieldSetting& row : kFieldSettings) TakeFieldSetting(dialog, row, u);
  ParseGalaxyVisitList(dialog.TourGalaxiesText());
  if (const HueConeDialog* cone = hueConeDialog())
    LoadColorConeSettings(*cone);
  else
    LoadStoredConeSettings();
}

bool ApplyUniverseDialogSettings(bool bindPreview) {
  UniverseDialog* dialog = universeDialog();
  if (dialog == nullptr || DialogDisplayRunning()) return false;
  if (bindPreview) {
    presentation::RenderSurface* picture = dialog->PreviewPicture();
    if (picture == nullptr) return false;
    presentation::LoadSaverProperties(*picture, false, 1.0f, 0);
  }
  DisplayScope running;
  TakeUniverseDialogSettings(*dialog);
  DisplayUniverse();
  return true;
}

bool ApplyUniverseGalaxyChoice(presentation::RenderSurface& picTarget, bool bComposite) {
  UniverseDialog* dialog = universeDialog();
  if (dialog == nullptr || DialogDisplayRunning()) return false;
  DisplayScope running;
  presentation::LoadSaverProperties(picTarget, false, 1.0f, 0);
  TakeUniverseHueRange(*dialog);
  const int32_t index = bComposite ? dialog->CompositeListIndex() : dialog->GalaxyListIndex();
  UniverseSettings& u = universeSettings();
  const int32_t stars = WholeOfText(dialog->UniText(0)).value_or(u.Universe_Stars);
  DisplayGalaxyPreview(index, 0, 0, runtime::ClampLong(stars, 10, 99999), bComposite, 1.0f);
  return true;
}

}  // namespace engine
