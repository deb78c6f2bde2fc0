#include "dialogs/properties/prop_copy.h"

#include <initializer_list>
#include <optional>
#include <string>

#include "dialogs/properties/galaxy_fields.h"
#include "dialogs/properties/props_controls.h"
#include "dialogs/properties/props_fields.h"
#include "dialogs/properties/props_lists.h"
#include "model/hue_wheel.h"
#include "platform/controls/controls.h"
#include "platform/message_box.h"
#include "runtime/numbers.h"
#include "store/typed_readers.h"

namespace dialogs {

namespace {

using G = model::GalaxyTypeProps;
using controls::CheckBox;
using controls::ComboBox;
using In = PropCopyInput;
using Ctl = PropCopyControl;

constexpr KeyFilter kDigits = KeyFilter::Digits;
constexpr KeyFilter kDecimal = KeyFilter::Decimal;

constexpr FieldClamp Whole(float lower, float upper) { return {0, lower, upper}; }
constexpr FieldClamp Decimal(float lower, float upper) { return {1, lower, upper}; }

constexpr StyleSet kAllStyles = 0x3FF;
constexpr StyleSet Only(int style) { return static_cast<StyleSet>(1u << style); }
constexpr StyleSet AllBut(std::initializer_list<int> styles) {
  StyleSet set = kAllStyles;
  for (int s : styles) set = static_cast<StyleSet>(set & ~Only(s));
  return set;
}

struct Field {
  int32_t G::*whole;
  float G::*single;
};
constexpr Field W(int32_t G::*field) { return {field, nullptr}; }
constexpr Field S(float G::*field) { return {nullptr, field}; }

struct Target {
  Ctl kind;
  int16_t index;
  ComboBox* PropsControls::*combo;
  CheckBox* PropsControls::*check;
};
constexpr Target Hue(int16_t index) { return {Ctl::PixHue, index, nullptr, nullptr}; }
constexpr Target Box(int16_t index) { return {Ctl::Galaxy, index, nullptr, nullptr}; }
constexpr Target Combo(ComboBox* PropsControls::*combo) { return {Ctl::Combo, -1, combo, nullptr}; }
constexpr Target Tick(CheckBox* PropsControls::*check) { return {Ctl::Check, -1, nullptr, check}; }

constexpr PropCopyRow Text(const char* caption, int16_t maxLength, KeyFilter keys, FieldClamp clamp, Field f,
                           StyleSet styles, Target t) {
  return {In::Text, caption, maxLength, keys, clamp, f.whole, f.single, styles, t.kind, t.index, t.combo, t.check};
}
constexpr PropCopyRow List(In input, Field f, Target t) {
  return {input, "", 0, kDigits, {}, f.whole, f.single, kAllStyles, t.kind, t.index, t.combo, t.check};
}
constexpr PropCopyRow CheckRow(const char* caption, Field f, StyleSet styles, Target t) {
  return {In::Check, caption, 0, kDigits, {}, f.whole, f.single, styles, t.kind, t.index, t.combo, t.check};
}

constexpr float k99_9 = 99.9f;
constexpr StyleSet kRadialStyles = AllBut({1, 2, 3});  // 0, and 4 and above

// clang-format off
constexpr PropCopyRow kRows[kPropCopyRows] = {
  /* 0 */ Text("Range (0 - 100):", 3, kDigits, Whole(0, 100), W(&G::Galaxy_HueRed), kAllStyles, Hue(0)),
  /* 1 */ Text("Range (0 - 100):", 3, kDigits, Whole(0, 100), W(&G::Galaxy_HueGrn), kAllStyles, Hue(1)),
  /* 2 */ Text("Range (0 - 100):", 3, kDigits, Whole(0, 100), W(&G::Galaxy_HueBlu), kAllStyles, Hue(2)),
  /* 3 */ Text("Range (0 - 100):", 3, kDigits, Whole(0, 100), W(&G::Galaxy_HueBase), kAllStyles, Hue(3)),
  /* 4 */ Text("Range (0 - 100):", 3, kDigits, Whole(0, 100), W(&G::Galaxy_DX_Blend), kAllStyles, Hue(4)),
  /* 5 */ Text("Range (1 - 30000):", 5, kDigits, Whole(1, 30000), W(&G::Galaxy_Radius), AllBut({7}), Box(0)),
  /* 6 */ Text("Range (0 - 30000):", 5, kDigits, Whole(0, 30000), W(&G::Galaxy_Rotation), kAllStyles, Box(1)),
  /* 7 */ Text("Range (0 - 30000):", 5, kDigits, Whole(0, 30000), W(&G::Galaxy_Distance), kAllStyles, Box(2)),
  /* 8 */ Text("Range (1 - 99):", 2, kDigits, Whole(1, 99), W(&G::Galaxy_RadSegs), kRadialStyles, Box(3)),
  /* 9 */ Text("Range (0 - 100):", 3, kDigits, Whole(0, 100), S(&G::Galaxy_RadFill), kRadialStyles, Box(4)),
  /* 10 */ Text("Range (1 - 99):", 2, kDigits, Whole(1, 99), W(&G::Galaxy_RadBands), AllBut({1, 2, 7}), Box(5)),
  /* 11 */ Text("Range (0 - 100):", 3, kDigits, Whole(0, 100), S(&G::Galaxy_RadBFill), AllBut({7}), Box(6)),
  /* 12 */ List(In::GalaxyList, W(&G::Galaxy_GalStyle), Combo(&PropsControls::cboGalStyle)),
  /* 13 */ List(In::PlaneList, W(&G::Galaxy_AxisPlane), Combo(&PropsControls::cboGalPlane)),
  /* 14 */ List(In::GalaxyList, W(&G::Galaxy_Profile), Combo(&PropsControls::cboGalProfile)),
  /* 15 */ Text("Range (0 - 99.9):", 8, kDecimal, Decimal(0, k99_9), S(&G::Galaxy_GHW_Ratio), kAllStyles, Box(90)),
  /* 16 */ Text("Range (0 - 99.9):", 8, kDecimal, Decimal(0, k99_9), S(&G::Galaxy_RadiusExp), AllBut({4, 7}), Box(91)),
  /* 17 */ Text("Range (0 - 99.9):", 8, kDecimal, Decimal(0, k99_9), S(&G::Galaxy_HeightExp), AllBut({4}), Box(92)),
  /* 18 */ Text("Range (0 - 359):", 3, kDecimal, Whole(0, 359), S(&G::Galaxy_AngleTilt), kAllStyles, Box(93)),
  /* 19 */ Text("Range (0 - 360.0):", 8, kDecimal, Decimal(0, 360), S(&G::Galaxy_AngleTInc), kAllStyles, Box(94)),
  /* 20 */ List(In::GalaxyList, W(&G::Galaxy_ColorComp), Combo(&PropsControls::cboGalColor)),
  /* 21 */ Text("Range (0 - 30000):", 5, kDigits, Whole(0, 30000), W(&G::Galaxy_ColorMult), kAllStyles, Box(7)),
  /* 22 */ Text("Range (0 - 359):", 3, kDigits, Whole(0, 359), W(&G::Galaxy_HueStart), kAllStyles, Box(95)),
  /* 23 */ Text("Range (0 - 360.0):", 8, kDecimal, Decimal(0, 360), S(&G::Galaxy_HWheelInc), kAllStyles, Box(96)),
  /* 24 */ Text("Range (0 - 9999):", 4, kDigits, Whole(0, 9999), W(&G::Galaxy_NewFreq), kAllStyles, Box(10)),
  /* 25 */ Text("Range (1 - 999):", 3, kDigits, Whole(1, 999), W(&G::Galaxy_NewFrames), kAllStyles, Box(11)),
  /* 26 */ Text("Range (1 - 9999):", 4, kDigits, Whole(1, 9999), W(&G::Galaxy_NewExtMult), kAllStyles, Box(12)),
  /* 27 */ Text("Range (0 - 9999):", 4, kDigits, Whole(0, 9999), W(&G::Galaxy_NovaFreq), kAllStyles, Box(20)),
  /* 28 */ Text("Range (1 - 999):", 3, kDigits, Whole(1, 999), W(&G::Galaxy_NovaFrames), kAllStyles, Box(21)),
  /* 29 */ Text("Range (1 - 9999):", 4, kDigits, Whole(1, 9999), W(&G::Galaxy_NovaExtMult), kAllStyles, Box(22)),
  /* 30 */ Text("Range (0 - 9999):", 4, kDigits, Whole(0, 9999), W(&G::Galaxy_PulsarFreq), kAllStyles, Box(30)),
  /* 31 */ Text("Range (0 - 9999):", 4, kDigits, Whole(0, 9999), W(&G::Galaxy_PulsarDepth), kAllStyles, Box(31)),
  /* 32 */ Text("Range (1 - 99):", 2, kDigits, Whole(1, 99), W(&G::Galaxy_PulsarCycles), kAllStyles, Box(32)),
  /* 33 */ Text("Range (1 - 99):", 2, kDigits, Whole(1, 99), W(&G::Galaxy_PulsarFrames), kAllStyles, Box(33)),
  /* 34 */ Text("Range (1 - 9999):", 4, kDigits, Whole(1, 9999), W(&G::Galaxy_PulsarMinExt), kAllStyles, Box(34)),
  /* 35 */ Text("Range (1 - 9999):", 4, kDigits, Whole(1, 9999), W(&G::Galaxy_PulsarMaxExt), kAllStyles, Box(35)),
  /* 36 */ List(In::GalaxyList, W(&G::Galaxy_PulsarShape), Combo(&PropsControls::cboPulsarShape)),
  /* 37 */ Text("Range (0 - 9999):", 4, kDigits, Whole(0, 9999), W(&G::Galaxy_CometFreq), kAllStyles, Box(40)),
  /* 38 */ Text("Range (1 - 999):", 3, kDigits, Whole(1, 999), W(&G::Galaxy_CometStars), kAllStyles, Box(41)),
  /* 39 */ Text("Range (0 - 9999):", 4, kDigits, Whole(0, 9999), W(&G::Galaxy_CometOrbit), kAllStyles, Box(42)),
  /* 40 */ Text("Range (0 - 9999):", 4, kDigits, Whole(0, 9999), W(&G::Galaxy_CometSpeed), kAllStyles, Box(43)),
  /* 41 */ Text("Range (0 - 9999):", 4, kDigits, Whole(0, 9999), W(&G::Galaxy_CometSWind), kAllStyles, Box(44)),
  /* 42 */ Text("Range (0.1 - 0.9999):", 8, kDecimal, Decimal(0.1f, 0.9999f), S(&G::Galaxy_CometCPersist), kAllStyles, Box(45)),
  /* 43 */ Text("Range (0.1 - 0.9999):", 8, kDecimal, Decimal(0.1f, 0.9999f), S(&G::Galaxy_CometSPersist), kAllStyles, Box(46)),
  /* 44 */ Text("Range (0 - 999):", 3, kDigits, Whole(0, 999), W(&G::Galaxy_HWC_Start), kAllStyles, Box(47)),
  /* 45 */ Text("Range (0 - 999):", 3, kDigits, Whole(0, 999), W(&G::Galaxy_HWC_End), kAllStyles, Box(48)),
  /* 46 */ Text("Range (1 - 99):", 2, kDigits, Whole(1, 99), W(&G::Galaxy_RadSegs), Only(1), Box(3)),
  /* 47 */ Text("Range (0 - 100):", 3, kDigits, Whole(0, 100), S(&G::Galaxy_RadFill), Only(1), Box(4)),
  /* 48 */ Text("Range (0 - 360):", 3, kDigits, Whole(0, 360), W(&G::Galaxy_RadBands), Only(1), Box(5)),
  /* 49 */ Text("Range (4 - 10):", 2, kDigits, Whole(4, 10), W(&G::Galaxy_RadSegs), Only(2), Box(3)),
  /* 50 */ Text("Range (0 - 100):", 3, kDigits, Whole(0, 100), S(&G::Galaxy_RadFill), Only(2), Box(4)),
  /* 51 */ Text("Range (1 - 99):", 2, kDigits, Whole(1, 99), W(&G::Galaxy_RadBands), Only(2), Box(5)),
  /* 52 */ Text("Range (4 - 10):", 2, kDigits, Whole(4, 10), W(&G::Galaxy_RadSegs), Only(3), Box(3)),
  /* 53 */ Text("Range (0 - 100):", 3, kDigits, Whole(0, 100), S(&G::Galaxy_RadFill), Only(3), Box(4)),
  /* 54 */ Text("Range (1 - 20):", 2, kDigits, Whole(1, 20), W(&G::Galaxy_CP_Points), Only(4), Box(3)),
  /* 55 */ Text("Range (1 - 9999):", 4, kDigits, Whole(1, 9999), W(&G::Galaxy_CP_Steps), Only(4), Box(4)),
  /* 56 */ Text("Range (1 - 99):", 2, kDigits, Whole(1, 99), W(&G::Galaxy_CP_B_Pts), Only(4), Box(5)),
  /* 57 */ Text("Range (0 - 100):", 3, kDigits, Whole(0, 100), W(&G::Galaxy_CP_B_Exp), Only(4), Box(6)),
  /* 58 */ Text("Range (0 - 999):", 3, kDigits, Whole(0, 999), W(&G::Galaxy_CP_B_Spd), Only(4), Box(93)),
  /* 59 */ Text("Range (0 - 99.9):", 8, kDecimal, Decimal(0, k99_9), S(&G::Galaxy_RadiusExp), Only(4), Box(91)),
  /* 60 */ Text("Range (0 - 99.9):", 8, kDecimal, Decimal(0, k99_9), S(&G::Galaxy_HeightExp), Only(4), Box(92)),
  /* 61 */ CheckRow("Control Point Loop is Closed?", W(&G::Galaxy_CP_Close), Only(4), Tick(&PropsControls::chkCP_Closed)),
  /* 62 */ Text("Range (0 - 99.9):", 8, kDecimal, Decimal(0, k99_9), S(&G::Galaxy_QG_Force), Only(5), Box(8)),
  /* 63 */ Text("Range (0 - 99.9):", 8, kDecimal, Decimal(0, k99_9), S(&G::Galaxy_QG_Force), Only(6), Box(8)),
  /* 64 */ Text("Range (1 - 30000):", 5, kDigits, Whole(1, 30000), W(&G::Galaxy_Radius), Only(7), Box(0)),
  /* 65 */ Text("Range (1 - 99):", 2, kDigits, Whole(1, 99), W(&G::Galaxy_RadBands), Only(7), Box(5)),
  /* 66 */ Text("Range (0 - 999):", 3, kDigits, Whole(0, 999), S(&G::Galaxy_RadBFill), Only(7), Box(6)),
  /* 67 */ Text("Range (0 - 99.9):", 8, kDecimal, Decimal(0, k99_9), S(&G::Galaxy_RadiusExp), Only(7), Box(91)),
};
// clang-format on

const PropCopyRow* RowOf(int32_t n) { return n >= 0 && n < kPropCopyRows ? &kRows[n] : nullptr; }

// The chosen property's row; nullptr while none is chosen.
const PropCopyRow* ChosenRow(const PropsControls& c) { return RowOf(c.cboPropCopyList->ListIndex()); }

// Writes the value into one record; a whole field takes it rounded (halves to even), and a
// value beyond the Long range leaves it as it was.
void WriteField(const PropCopyRow& row, G& g, float fValue) {
  if (row.single != nullptr) {
    g.*row.single = fValue;
  } else if (const std::optional<int32_t> whole = runtime::ToLong(fValue)) {
    g.*row.whole = *whole;
  }
}

// Shows the value in the row's control of the galaxy page, raising its handlers.
void ShowOnPage(PropsControls& c, const PropCopyRow& row, float fValue) {
  const std::optional<int16_t> position = runtime::ToInteger(fValue);
  switch (row.control) {
    case Ctl::PixHue: c.txtPixHue[row.index].SetText(runtime::SingleToText(fValue)); break;
    case Ctl::Galaxy: c.txtGalaxy[row.index].SetText(runtime::SingleToText(fValue)); break;
    case Ctl::Combo:
      if (position) (c.*row.combo)->SetListIndex(*position);
      break;
    case Ctl::Check:
      if (position) (c.*row.check)->SetValue(*position);
      break;
  }
}

bool IsEditableType(int32_t n) { return n >= 0 && n < model::kEditableGalaxyTypes; }

void Tell(const char* text) {
  platform::ShowMessage(text, platform::kProductName, platform::MsgIcon::Information);
}

}  // namespace

std::span<const PropCopyRow> PropCopyRows() { return kRows; }

bool PropCopyAppliesTo(const PropCopyRow& row, int32_t style) {
  return style >= 0 && style <= 9 && (row.styles & Only(style)) != 0;
}

void CopyPropValueToAllGalaxyTypes(PropsControls& c, int32_t lPropIndex, float fValue, int32_t editedType) {
  if (const PropCopyRow* row = RowOf(lPropIndex)) {
    const bool editing = IsEditableType(editedType);
    // The edited type's record first takes what its page shows, so that it is written by
    // the style the page has, and the page is reloaded from it afterwards.
    if (editing) GalaxyControlsToRecord(c, editedType);
    for (int32_t n = 0; n < model::kEditableGalaxyTypes; ++n) {
      // Reached afresh for every type: the page's handlers may run anything.
      G& g = model::records().GalaxyTypes[static_cast<size_t>(n)];
      if (!PropCopyAppliesTo(*row, g.Galaxy_GalStyle)) continue;
      WriteField(*row, g, fValue);
      if (!editing) ShowOnPage(c, *row, fValue);
    }
    if (editing) GalaxyRecordToControls(c, editedType);
  }
  model::BuildHueWheelTable();
}

void cboPropCopyList_Click(PropsControls& c) {
  const int32_t n = c.cboPropCopyList->ListIndex();
  c.txtPropCopy->SetText("");
  c.txtPropCopy->SetVisible(false);
  c.cboPropCopy->SetVisible(false);
  c.chkPropCopy->SetVisible(false);
  c.cboPropCopy->Clear();
  c.chkPropCopy->SetValue(0);

  const PropCopyRow* row = RowOf(n);
  const PropCopyInput input = row != nullptr ? row->input : In::Text;
  c.chkPropCopy->SetVisible(input == In::Check);
  c.cboPropCopy->SetVisible(input == In::GalaxyList || input == In::PlaneList);
  c.txtPropCopy->SetVisible(input == In::Text);
  c.lblPropCopy->SetVisible(c.txtPropCopy->Visible());
  if (row == nullptr) return;

  switch (input) {
    case In::Text:
      c.txtPropCopy->SetMaxLength(row->maxLength);
      c.lblPropCopy->SetCaption(row->caption);
      break;
    case In::GalaxyList: {
      const ComboBox& source = *(c.*row->combo);
      for (int32_t i = 0; i < source.ListCount(); ++i) c.cboPropCopy->AddItem(source.List(i));
      break;
    }
    case In::PlaneList:
      for (const char* item : kGalPlaneItems) c.cboPropCopy->AddItem(item);
      c.cboPropCopy->SetListIndex(0);
      break;
    case In::Check: c.chkPropCopy->SetCaption(row->caption); break;
  }
}

void txtPropCopy_KeyPress(PropsControls& c, int& KeyAscii) {
  const PropCopyRow* row = ChosenRow(c);
  if (row == nullptr || row->input != In::Text) return;
  if (row->keys == kDecimal)
    controls::DecimalKeyPress(*c.txtPropCopy, KeyAscii);
  else
    controls::NumericKeyPress(KeyAscii);
}

void txtPropCopy_LostFocus(PropsControls& c) {
  const PropCopyRow* row = ChosenRow(c);
  if (row == nullptr || row->input != In::Text) return;
  // An empty value stays empty, so that "Copy" asks for one instead of copying a bound.
  if (runtime::TrimBlanks(c.txtPropCopy->Text()).empty()) return;
  controls::ClampTextBox(*c.txtPropCopy, row->clamp.kind, row->clamp.lower, row->clamp.upper);
}

void cmdPropCopy_Click(PropsControls& c, PropsFields& dialog) {
  const int32_t n = c.cboPropCopyList->ListIndex();
  if (n < 0) {
    Tell("Please select a Property to copy.");
    c.cboPropCopyList->SetFocus();
    return;
  }
  const bool listShown = c.cboPropCopy->Visible();
  const bool textShown = c.txtPropCopy->Visible();
  std::optional<float> value;
  if (c.chkPropCopy->Visible()) {
    value = static_cast<float>(c.chkPropCopy->Value());
  } else if (listShown) {
    if (c.cboPropCopy->ListIndex() >= 0) value = static_cast<float>(c.cboPropCopy->ListIndex());
  } else if (textShown && !runtime::TrimBlanks(c.txtPropCopy->Text()).empty()) {
    value = store::ToSingle(runtime::Val(c.txtPropCopy->Text()));
  }
  if (!value) {
    if (listShown) {
      Tell("Please select a Property value.");
      c.cboPropCopy->SetFocus();
    } else {
      Tell("Please enter a Property value.");
      c.txtPropCopy->SetFocus();
    }
    return;
  }
  dialog.CopyPropValueToAllGalaxyTypes(n, *value);
}

void AttachPropCopyHandlers(PropsControls& c, PropsFields& dialog) {
  PropsControls* pc = &c;
  PropsFields* fields = &dialog;
  c.cboPropCopyList->Click = [pc] { cboPropCopyList_Click(*pc); };
  c.txtPropCopy->GotFocus = [] { controls::SelectAllText(); };
  c.txtPropCopy->KeyPress = [pc](int& keyAscii) { txtPropCopy_KeyPress(*pc, keyAscii); };
  c.txtPropCopy->LostFocus = [pc] { txtPropCopy_LostFocus(*pc); };
  c.cmdPropCopy->Click = [pc, fields] { cmdPropCopy_Click(*pc, *fields); };
}

}  // namespace dialogs
