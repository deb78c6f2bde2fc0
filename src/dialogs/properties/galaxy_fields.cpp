#include "dialogs/properties/galaxy_fields.h"

#include <array>
#include <optional>
#include <span>
#include <string>

#include "dialogs/properties/props_controls.h"
#include "model/galaxy_types.h"
#include "runtime/numbers.h"
#include "store/typed_readers.h"

namespace dialogs {

namespace {

using model::GalaxyTypeProps;

constexpr int32_t kNebulaStyle = 4;
constexpr int32_t kMoleculeStyle = 9;
constexpr int32_t kNebulaColorComp = 5;
constexpr int32_t kMoleculeColorComp = 6;

// One text box and the record field it shows: a whole number or a Single.
struct TextRow {
  bool pixHue;  // txtPixHue, else txtGalaxy
  int16_t index;
  int32_t GalaxyTypeProps::*whole;
  float GalaxyTypeProps::*single;
};

constexpr TextRow W(int16_t index, int32_t GalaxyTypeProps::*field) { return {false, index, field, nullptr}; }
constexpr TextRow S(int16_t index, float GalaxyTypeProps::*field) { return {false, index, nullptr, field}; }
constexpr TextRow Hue(int16_t index, int32_t GalaxyTypeProps::*field) { return {true, index, field, nullptr}; }

// Rows in the order the record reaches the page, between the steps that set other controls.
constexpr std::array kHueAndSize{
    Hue(0, &GalaxyTypeProps::Galaxy_HueRed),   Hue(1, &GalaxyTypeProps::Galaxy_HueGrn),
    Hue(2, &GalaxyTypeProps::Galaxy_HueBlu),   Hue(3, &GalaxyTypeProps::Galaxy_HueBase),
    Hue(4, &GalaxyTypeProps::Galaxy_DX_Blend), W(0, &GalaxyTypeProps::Galaxy_Radius),
    W(1, &GalaxyTypeProps::Galaxy_Rotation),   W(2, &GalaxyTypeProps::Galaxy_Distance),
};
constexpr std::array kStarEvents{
    W(7, &GalaxyTypeProps::Galaxy_ColorMult),     S(8, &GalaxyTypeProps::Galaxy_QG_Force),
    W(9, &GalaxyTypeProps::Galaxy_StdLevels),     W(10, &GalaxyTypeProps::Galaxy_NewFreq),
    W(11, &GalaxyTypeProps::Galaxy_NewFrames),    W(12, &GalaxyTypeProps::Galaxy_NewExtMult),
    W(20, &GalaxyTypeProps::Galaxy_NovaFreq),     W(21, &GalaxyTypeProps::Galaxy_NovaFrames),
    W(22, &GalaxyTypeProps::Galaxy_NovaExtMult),  W(30, &GalaxyTypeProps::Galaxy_PulsarFreq),
    W(31, &GalaxyTypeProps::Galaxy_PulsarDepth),  W(32, &GalaxyTypeProps::Galaxy_PulsarCycles),
    W(33, &GalaxyTypeProps::Galaxy_PulsarFrames), W(34, &GalaxyTypeProps::Galaxy_PulsarMinExt),
    W(35, &GalaxyTypeProps::Galaxy_PulsarMaxExt),
};
constexpr std::array kComets{
    W(40, &GalaxyTypeProps::Galaxy_CometFreq),     W(41, &GalaxyTypeProps::Galaxy_CometStars),
    W(42, &GalaxyTypeProps::Galaxy_CometOrbit),    W(43, &GalaxyTypeProps::Galaxy_CometSpeed),
    W(44, &GalaxyTypeProps::Galaxy_CometSWind),    S(45, &GalaxyTypeProps::Galaxy_CometCPersist),
    S(46, &GalaxyTypeProps::Galaxy_CometSPersist),
};
constexpr std::array kHues{
    W(47, &GalaxyTypeProps::Galaxy_HWC_Start), W(48, &GalaxyTypeProps::Galaxy_HWC_End),
    S(49, &GalaxyTypeProps::Galaxy_HWC_Inc),   S(90, &GalaxyTypeProps::Galaxy_GHW_Ratio),
    S(91, &GalaxyTypeProps::Galaxy_RadiusExp), S(92, &GalaxyTypeProps::Galaxy_HeightExp),
};
constexpr std::array kTiltAndWheel{
    S(94, &GalaxyTypeProps::Galaxy_AngleTInc),
    W(95, &GalaxyTypeProps::Galaxy_HueStart),
    S(96, &GalaxyTypeProps::Galaxy_HWheelInc),
};
// The shared boxes 3, 4, 5, 6 and 93: the radial set and the control-point set.
constexpr std::array kRadialSet{
    W(3, &GalaxyTypeProps::Galaxy_RadSegs),  S(4, &GalaxyTypeProps::Galaxy_RadFill),
    W(5, &GalaxyTypeProps::Galaxy_RadBands), S(6, &GalaxyTypeProps::Galaxy_RadBFill),
    S(93, &GalaxyTypeProps::Galaxy_AngleTilt),
};
constexpr std::array kControlPointSet{
    W(3, &GalaxyTypeProps::Galaxy_CP_Points), W(4, &GalaxyTypeProps::Galaxy_CP_Steps),
    W(5, &GalaxyTypeProps::Galaxy_CP_B_Pts),  W(6, &GalaxyTypeProps::Galaxy_CP_B_Exp),
    W(93, &GalaxyTypeProps::Galaxy_CP_B_Spd),
};

controls::TextBox& BoxOf(PropsControls& c, const TextRow& row) {
  return row.pixHue ? c.txtPixHue[row.index] : c.txtGalaxy[row.index];
}

void Show(PropsControls& c, const GalaxyTypeProps& g, std::span<const TextRow> rows) {
  for (const TextRow& row : rows)
    BoxOf(c, row).SetText(row.whole != nullptr ? runtime::LongToText(g.*row.whole) : runtime::SingleToText(g.*row.single));
}

void Store(PropsControls& c, GalaxyTypeProps& g, std::span<const TextRow> rows) {
  for (const TextRow& row : rows) {
    const double v = runtime::Val(BoxOf(c, row).Text());
    if (row.whole != nullptr) {
      if (const std::optional<int32_t> whole = runtime::ToLong(v)) g.*row.whole = *whole;
    } else if (const std::optional<float> single = store::ToSingle(v)) {
      g.*row.single = *single;
    }
  }
}

GalaxyTypeProps* Record(int32_t n) {
  if (n < 0 || n >= model::kEditableGalaxyTypes) return nullptr;
  return &model::records().GalaxyTypes[static_cast<size_t>(n)];
}

}  // namespace

void GalaxyRecordToControls(PropsControls& c, int32_t n) {
  const GalaxyTypeProps* record = Record(n);
  if (record == nullptr) return;
  // The change handlers below may run anything; the page is filled from a copy.
  const GalaxyTypeProps g = *record;
  const bool nebula = g.Galaxy_GalStyle == kNebulaStyle;
  const auto& sharedSet = nebula ? std::span<const TextRow>(kControlPointSet) : std::span<const TextRow>(kRadialSet);

  Show(c, g, kHueAndSize);
  Show(c, g, sharedSet.first(4));
  Show(c, g, kStarEvents);
  c.cboPulsarShape->SetListIndex(g.Galaxy_PulsarShape);
  Show(c, g, kComets);
  c.chkCometVector->SetValue(g.Galaxy_CometVector ? 1 : 0);
  Show(c, g, kHues);
  Show(c, g, sharedSet.last(1));
  Show(c, g, kTiltAndWheel);
  c.chkCP_Closed->SetValue(g.Galaxy_CP_Close);
  c.chkCP_AdvHW->SetValue(g.Galaxy_CP_AdvHW);
  c.cboGalStyle->SetListIndex(g.Galaxy_GalStyle);
  c.cboGalPlane->SetListIndex(g.Galaxy_AxisPlane);
  c.cboGalColor->SetListIndex(g.Galaxy_ColorComp);
  c.cboGalProfile->SetListIndex(g.Galaxy_Profile);
}

void GalaxyControlsToRecord(PropsControls& c, int32_t n) {
  GalaxyTypeProps* record = Record(n);
  if (record == nullptr) return;
  GalaxyTypeProps& g = *record;
  Store(c, g, kHueAndSize);
  Store(c, g, kStarEvents);
  Store(c, g, kComets);
  Store(c, g, kHues);
  Store(c, g, kTiltAndWheel);
  g.Galaxy_PulsarShape = c.cboPulsarShape->ListIndex();
  g.Galaxy_CometVector = c.chkCometVector->Value() == 1;
  // Both sets of the shared boxes take their numbers, whatever the style.
  Store(c, g, kRadialSet);
  const int32_t style = c.cboGalStyle->ListIndex();
  g.Galaxy_GalStyle = style;
  g.Galaxy_ColorComp = style == kNebulaStyle     ? kNebulaColorComp
                       : style == kMoleculeStyle ? kMoleculeColorComp
                                                 : c.cboGalColor->ListIndex();
  Store(c, g, kControlPointSet);
  g.Galaxy_CP_Close = c.chkCP_Closed->Value();
  g.Galaxy_CP_AdvHW = c.chkCP_AdvHW->Value();
  g.Galaxy_AxisPlane = c.cboGalPlane->ListIndex();
  g.Galaxy_Profile = c.cboGalProfile->ListIndex();
}

}  // namespace dialogs
