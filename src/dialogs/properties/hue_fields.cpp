#include "dialogs/properties/hue_fields.h"

#include <QPalette>
#include <QStackedLayout>

#include <optional>

#include "platform/controls/controls.h"
#include "store/typed_readers.h"
#include "model/colors.h"
#include "runtime/numbers.h"
#include "host/display_settings.h"
#include "dialogs/properties/field_rules.h"
#include "dialogs/properties/props_controls.h"
#include "dialogs/properties/type_lists.h"

namespace dialogs {

namespace {

uint32_t PaletteRgb(const QWidget& w, QPalette::ColorRole role) {
  return static_cast<uint32_t>(w.palette().color(role).rgb()) & 0xFFFFFFu;
}

// Cone field ranges and spinner steps, in field order (step 0: SyncTextToScroll chooses).
struct ConeFieldRange {
  int16_t lower, upper, maxLength, step;
};
constexpr ConeFieldRange kConeFields[4] = {{0, 100, 3, 0}, {0, 100, 3, 0}, {0, 999, 3, 0}, {-999, 999, 4, 5}};

// The chosen panel in front and enabled, every other one disabled behind it.
template <class Panels>
void SelectExtrasPanel(const Panels& panels, const controls::ComboBox& selector) {
  const int32_t chosen = selector.ListIndex();
  const int32_t count = selector.ListCount();
  for (int32_t i = 0; i < count; ++i) {
    if (controls::Frame* panel = panels.Find(i)) panel->SetEnabled(i == chosen);
  }
  controls::Frame* front = panels.Find(chosen);
  if (front == nullptr) return;
  // The chosen panel covers the others; a stacking layout that holds the panels is told so.
  for (int32_t i = 0; i < count; ++i)
    if (controls::Frame* panel = panels.Find(i); panel != nullptr && i != chosen) panel->lower();
  front->raise();
  if (QWidget* holder = front->parentWidget()) {
    for (QStackedLayout* stack : holder->findChildren<QStackedLayout*>())
      if (stack->indexOf(front) >= 0) stack->setCurrentWidget(front);
  }
}

}  // namespace

HueWheelPicture::HueWheelPicture(PropsControls& c) : HueWheelPicture(c.picHueWheel, c.imgHueWheel) {}

int32_t HueWheelPicture::InnerWidthPx() const { return picture_->ScaleWidth(); }
int32_t HueWheelPicture::InnerHeightPx() const { return picture_->ScaleHeight(); }

void HueWheelPicture::ClearPicture() { picture_->Cls(); }

void HueWheelPicture::SetPixel(int32_t x, int32_t y, int32_t colourRef) {
  picture_->PSet(x, y, static_cast<uint32_t>(model::ToDisplayColorOrder(colourRef)));
}

void HueWheelPicture::PublishToImage() { image_->SetPicture(picture_->image()); }

void EnableFilterEditing(PropsControls& c) {
  for (int i = 0; i < 3; ++i) {
    controls::TextBox& box = c.txtFilterRGB[i];
    box.SetEnabled(true);
    box.SetLocked(false);
    // The window background colour as the system gives it: the box inherits the palette again
    // (a colour set on the box would hold in every state), so while a preview locks the window
    // the box greys like every other locked field.
    box.setPalette(QPalette());
    box.setAutoFillBackground(false);
    box.SetToolTipText("");
  }
}

void PrepareFilterAndConeFields(PropsControls& c) {
  for (int i = 0; i < 4; ++i) {
    const ConeFieldRange& r = kConeFields[i];
    controls::SyncTextToScroll(c.txtColorProps[i], c.spnHue[i], r.lower, r.upper, r.maxLength, r.step);
  }
  // The names only: the filter takes effect when the entry is selected below.
  c.cboFilterEffect->Clear();
  for (int32_t i = 0; i < host::kFilterEffectCount; ++i) c.cboFilterEffect->AddItem(host::FilterEffectRow(i).Name);
  c.cboFilterEffect->SetListIndex(store::GetSettingLong("General", "FilterEffect", 0));
  EnableFilterEditing(c);
}

void cboGalaxExtras_Click(PropsControls& c) { SelectExtrasPanel(c.fraGalProp, *c.cboGalaxExtras); }

void cboUniExtras_Click(PropsControls& c) {
  SelectExtrasPanel(c.fraUniProp, *c.cboUniExtras);
  if (c.cboUniExtras->ListIndex() == 3) {
    FillCompositeList(c, false);
    c.fraUniProp[3].update();
  }
}

void AttachHueFieldHandlers(PropsControls& c, engine::HueConeDialog& cone) {
  PropsControls* pc = &c;
  engine::HueConeDialog* hc = &cone;
  host::DisplayFields* dc = &c;

  // The disc's corners show the frame's colour, as the window around the image does.
  c.picHueWheel->SetBackColor(PaletteRgb(*c.picHueWheel, QPalette::Button));

  // The spinners start in step with the design texts (see AttachUniverseFieldHandlers).
  for (const auto& [index, spinner] : c.spnHue) {
    if (const std::optional<int32_t> v = SpinnerValueOfText(c.txtColorProps[index].Text())) spinner->SetValue(*v);
  }
  for (const auto& [index, box] : c.txtColorProps) {
    const auto i = static_cast<int16_t>(index);
    box->Change = [pc, i] {
      if (const std::optional<int32_t> v = SpinnerValueOfText(pc->txtColorProps[i].Text())) pc->spnHue[i].SetValue(*v);
    };
    box->GotFocus = [] { controls::SelectAllText(); };
    box->KeyDown = [hc, i](int& keyCode, int) { engine::ColorPropsArrowKey(*hc, i, static_cast<int16_t>(keyCode)); };
    box->KeyPress = [](int& keyAscii) { controls::NumericKeyPress(keyAscii); };
    box->LostFocus = [hc, i] { engine::ValidateColorProp(*hc, i); };
  }
  for (const auto& [index, spinner] : c.spnHue) {
    const int i = index;
    spinner->Change = [pc, hc, i] {
      pc->txtColorProps[i].SetText(runtime::LongToText(pc->spnHue[i].Value()));
      if (engine::HueConePicture* disc = hc->HueWheelPicture()) engine::BuildHueConeColors(*disc);
    };
  }

  c.cboFilterEffect->Click = [pc, dc] { host::FilterEffectTable(pc->cboFilterEffect->ListIndex(), 0, dc); };
  for (const auto& [index, box] : c.txtFilterRGB) {
    const int i = index;
    box->GotFocus = [] { controls::SelectAllText(); };
    box->KeyPress = [](int& keyAscii) { controls::NumericKeyPress(keyAscii); };
    box->KeyDown = [pc, i](int& keyCode, int) { StepFieldByArrow(pc->txtFilterRGB[i], FilterMaskRule(i), keyCode); };
    box->LostFocus = [pc, dc, i] {
      ClampFieldOnLeaving(pc->txtFilterRGB[i], FilterMaskRule(i));
      // The mask bytes as they now stand go to the compositor with the chosen filter's mode.
      host::FilterEffectTable(pc->cboFilterEffect->ListIndex(), 1, dc);
    };
  }
  for (const auto& [index, box] : c.txtDesktopBlend) {
    const int i = index;
    box->GotFocus = [] { controls::SelectAllText(); };
    box->KeyPress = [](int& keyAscii) { controls::NumericKeyPress(keyAscii); };
    box->KeyDown = [pc, i](int& keyCode, int) { StepFieldByArrow(pc->txtDesktopBlend[i], DesktopBlendRule(i), keyCode); };
    box->LostFocus = [pc, i] { ClampFieldOnLeaving(pc->txtDesktopBlend[i], DesktopBlendRule(i)); };
  }

  c.cboGalaxExtras->Click = [pc] { cboGalaxExtras_Click(*pc); };
  c.cboUniExtras->Click = [pc] { cboUniExtras_Click(*pc); };
}

}  // namespace dialogs
