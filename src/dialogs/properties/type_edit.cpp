#include "dialogs/properties/type_edit.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>

#include <algorithm>
#include <functional>
#include <optional>

#include "dialogs/properties/field_rules.h"
#include "dialogs/properties/props_controls.h"
#include "dialogs/properties/type_lists.h"
#include "model/galaxy_types.h"
#include "platform/controls/controls.h"
#include "platform/message_box.h"
#include "runtime/numbers.h"

namespace dialogs {

namespace {

constexpr int32_t kMaxPercent = 9999;
constexpr uint32_t kCyan = 0x00FFFF;

// The percent fields: Up and Down by 1 within 0 to 9999; the commit clamps them.
constexpr NumericFieldRule kPercentRule{0, KeyFilter::Digits, {0, 0, kMaxPercent}, {1, 0, kMaxPercent}, true};

void Tell(const char* text) { platform::ShowMessage(text, platform::kProductName, platform::MsgIcon::Information); }

bool IsIfsStyle(int32_t style) { return style == 1 || style == 2 || style == 3 || style == 8; }

bool IsGalaxyType(int32_t n) { return n >= 0 && n < model::kEditableGalaxyTypes; }

model::GalaxyTypeProps& GalaxyAt(int32_t n) { return model::records().GalaxyTypes[static_cast<size_t>(n)]; }
model::CompositeRecord& CompositeAt(int32_t k) {
  return model::records().CompositeGalaxies[static_cast<size_t>(k)];
}

// The whole number in a percent box after the commit's clamp.
int32_t CommittedPercent(controls::TextBox& box) {
  controls::ClampTextBox(box, 0, 0, kMaxPercent);
  return runtime::ToLongOr(runtime::Val(box.Text()), 0);
}

// The percent every line takes from a reset box; nothing (and the user is told) when it is
// empty.
std::optional<int32_t> ResetPercent(controls::TextBox& box) {
  if (runtime::TrimBlanks(box.Text()).empty()) {
    Tell("Please enter a value for the Reset percent.");
    box.SetFocus();
    return std::nullopt;
  }
  return runtime::LeadingWholeClamped("0" + box.Text(), 0, kMaxPercent);
}

// Gives every record of a list the percent of a reset box (the user is told when it is empty):
// `setPercent`(i, p) writes record i and returns the name of its line, which is selected (so
// the fields show it, as every selection does) and rewritten. The list ends on line 0.
void ResetPercents(controls::TextBox& box, controls::ListBox& list, int32_t count,
                   const std::function<std::string(int32_t, int32_t)>& setPercent) {
  const std::optional<int32_t> p = ResetPercent(box);
  if (!p) return;
  for (int32_t i = 0; i < count; ++i) {
    const std::string name = setPercent(i, *p);
    list.SetListIndex(i);
    if (list.ListIndex() == i) controls::SizeComboToText(list, name, *p, false);
  }
  list.SetTopIndex(0);
  list.SetListIndex(0);
}

// A name box keeps refused characters out of what is typed or pasted.
void FilterNameBox(controls::TextBox& box) {
  box.KeyPress = [](int& keyAscii) {
    if (keyAscii != controls::keys::kBack && IsRefusedNameChar(keyAscii)) keyAscii = 0;
  };
  QObject::connect(&box, &QLineEdit::textEdited, &box, [&box](const QString& text) {
    QString kept;
    int cursor = box.cursorPosition();
    const int oldCursor = cursor;
    for (int i = 0; i < text.size(); ++i) {
      if (IsRefusedNameChar(text[i].unicode())) {
        if (i < oldCursor) --cursor;
      } else {
        kept += text[i];
      }
    }
    if (kept == text) return;
    box.setText(kept);
    box.setCursorPosition(cursor);
  });
}

// A percent box and its spinner follow each other.
void CouplePercent(controls::TextBox& box, controls::Spinner& spinner) {
  box.Change = [&box, &spinner] {
    if (const std::optional<int32_t> v = SpinnerValueOfText(box.Text())) spinner.SetValue(*v);
  };
  // A spinner set from the box already stands for its text ("05" stays as typed).
  spinner.Change = [&box, &spinner] {
    if (SpinnerValueOfText(box.Text()) != spinner.Value()) box.SetText(runtime::LongToText(spinner.Value()));
  };
  box.KeyDown = [&box](int& keyCode, int) { StepFieldByArrow(box, &kPercentRule, keyCode); };
}

}  // namespace

bool IsRefusedNameChar(int ch) { return ch == '[' || ch == ']' || ch == ',' || ch == '=' || (ch >= 0 && ch < 0x20) || ch == 0x7F; }

std::string CleanTypeName(std::string_view name) {
  // UTF-8 keeps every byte below 0x80 for that character alone, so dropping bytes is safe.
  std::string kept;
  for (char ch : name)
    if (!IsRefusedNameChar(static_cast<unsigned char>(ch))) kept += ch;
  return runtime::TrimBlanks(kept);
}

int32_t CountCompositeIfsTypes(const PropsControls& c) {
  const int32_t major = c.cboCompMajor->ListIndex();
  if (!IsGalaxyType(major)) return 0;
  int32_t count = IsIfsStyle(GalaxyAt(major).Galaxy_GalStyle) ? 1 : 0;
  for (int32_t i = 0; i < c.lstCompMinor->ListCount() && i < model::kEditableGalaxyTypes; ++i)
    if (c.lstCompMinor->Selected(i) && IsIfsStyle(GalaxyAt(i).Galaxy_GalStyle)) ++count;
  return count;
}

void lstUniGalaxy_Click(PropsControls& c) {
  const int32_t i = c.lstUniGalaxy->ListIndex();
  if (i < 0) return;
  const std::string line = c.lstUniGalaxy->List(i);
  c.txtUniGalName->SetText(ListLineName(line));
  c.txtUniGalPct->SetText(ListLinePercent(line));
}

void cmdGalCommit_Click(PropsControls& c) {
  const int32_t i = c.lstUniGalaxy->ListIndex();
  if (!IsGalaxyType(i)) {
    Tell("Please select a Galaxy Type.");
    c.lstUniGalaxy->SetFocus();
    return;
  }
  const int32_t percent = CommittedPercent(*c.txtUniGalPct);
  const std::string name = CleanTypeName(c.txtUniGalName->Text());
  model::GalaxyTypeProps& g = GalaxyAt(i);
  g._UniGalPct = percent;
  g._UniGalName = name;
  c.txtUniGalName->SetText(name);
  controls::SizeComboToText(*c.lstUniGalaxy, name, percent, false);
}

void cmdResetGalPct_Click(PropsControls& c) {
  ResetPercents(*c.txtResetGalPct, *c.lstUniGalaxy, model::kEditableGalaxyTypes, [](int32_t i, int32_t p) {
    GalaxyAt(i)._UniGalPct = p;
    return GalaxyAt(i)._UniGalName;
  });
  lstUniGalaxy_Click(c);
}

void lstCompGalaxy_Click(PropsControls& c) {
  const int32_t k = c.lstCompGalaxy->ListIndex();
  if (k < 0) return;
  const std::string line = c.lstCompGalaxy->List(k);
  c.txtCompGalName->SetText(ListLineName(line));
  c.txtCompGalPct->SetText(ListLinePercent(line));
  c.cboCompMajor->SetListIndex(-1);
  c.lstCompMinor->SetTopIndex(0);
  for (int32_t i = 0; i < c.lstCompMinor->ListCount(); ++i) c.lstCompMinor->SetSelected(i, false);
  if (k >= model::kCompositeCount) return;
  // A copy: the handlers of the pickers may run anything.
  const model::CompositeRecord r = CompositeAt(k);
  const int32_t count = std::min(r.CompGal_Count, model::kCompositeMembers);
  if (count <= 0) return;
  c.cboCompMajor->SetListIndex(r.CompGal_Type[0]);
  for (int32_t m = 1; m < count; ++m) {
    const int32_t member = r.CompGal_Type[static_cast<size_t>(m)];
    if (c.lstCompMinor->SetSelected(member, true) || c.lstCompMinor->Selected(member))
      c.lstCompMinor->SetTopIndex(member);
  }
}

void UpdateCompositeIfsWarning(PropsControls& c) {
  controls::TextBox& name = *c.txtCompGalName;
  const uint32_t normal = static_cast<uint32_t>(QApplication::palette(&name).color(QPalette::Base).rgb()) & 0xFFFFFFu;
  name.SetBackColor(CountCompositeIfsTypes(c) >= 2 ? kCyan : normal);
}

void cmdCompCommit_Click(PropsControls& c) {
  const int32_t k = c.lstCompGalaxy->ListIndex();
  if (k < 0 || k >= model::kCompositeCount) {
    Tell("Please select a Composite Galaxy Type.");
    c.lstCompGalaxy->SetFocus();
    return;
  }
  const int32_t major = c.cboCompMajor->ListIndex();
  if (!IsGalaxyType(major)) {
    Tell("Please select a Major Galaxy Type.");
    c.cboCompMajor->SetFocus();
    return;
  }
  const int32_t percent = CommittedPercent(*c.txtCompGalPct);
  if (CountCompositeIfsTypes(c) >= 2)
    Tell("Note:\r\n\r\nTwo or more of the selected Galaxy Types have a Style of IFS.\r\n"
         "This may result in strange looking Galaxies.");
  const std::string name = CleanTypeName(c.txtCompGalName->Text());
  {
    model::CompositeRecord& r = CompositeAt(k);
    r._CompGalPct = percent;
    r._CompGalName = name;
    r.CompGal_Type[0] = major;
  }
  c.txtCompGalName->SetText(name);
  controls::SizeComboToText(*c.lstCompGalaxy, CompositeListName(k, name), percent, false);
  model::CompositeRecord& r = CompositeAt(k);
  int32_t members = 1;
  for (int32_t i = 0; i < model::kEditableGalaxyTypes && i < c.lstCompMinor->ListCount(); ++i) {
    if (!c.lstCompMinor->Selected(i) || i == major) continue;
    r.CompGal_Type[static_cast<size_t>(members)] = i;
    ++members;
  }
  r.CompGal_Count = members;
}

void cmdResetCompPct_Click(PropsControls& c) {
  ResetPercents(*c.txtResetCompPct, *c.lstCompGalaxy, model::kCompositeCount, [](int32_t k, int32_t p) {
    CompositeAt(k)._CompGalPct = p;
    return CompositeListName(k, CompositeAt(k)._CompGalName);
  });
  lstCompGalaxy_Click(c);
}

void AttachTypeEditHandlers(PropsControls& c) {
  PropsControls* pc = &c;
  c.lstUniGalaxy->Click = [pc] { lstUniGalaxy_Click(*pc); };
  c.cmdGalCommit->Click = [pc] { cmdGalCommit_Click(*pc); };
  c.cmdResetGalPct->Click = [pc] { cmdResetGalPct_Click(*pc); };
  c.lstCompGalaxy->Click = [pc] { lstCompGalaxy_Click(*pc); };
  // A double click starts or stops the composite preview, as its button does.
  c.lstCompGalaxy->DblClick = [pc] { pc->cmdPreviewComp->PerformClick(); };
  c.cboCompMajor->Click = [pc] { UpdateCompositeIfsWarning(*pc); };
  c.lstCompMinor->Click = [pc] { UpdateCompositeIfsWarning(*pc); };
  c.lstCompMinor->ItemCheck = [pc](int32_t) { UpdateCompositeIfsWarning(*pc); };
  c.cmdCompCommit->Click = [pc] { cmdCompCommit_Click(*pc); };
  c.cmdResetCompPct->Click = [pc] { cmdResetCompPct_Click(*pc); };
  FilterNameBox(*c.txtUniGalName);
  FilterNameBox(*c.txtCompGalName);
  CouplePercent(*c.txtUniGalPct, *c.spnUniGalPct);
  CouplePercent(*c.txtCompGalPct, *c.spnCompGalPct);
  for (controls::TextBox* box : {c.txtUniGalName, c.txtCompGalName, c.txtUniGalPct, c.txtCompGalPct,
                                 c.txtResetGalPct, c.txtResetCompPct})
    box->GotFocus = [] { controls::SelectAllText(); };
  for (controls::TextBox* box : {c.txtUniGalPct, c.txtCompGalPct, c.txtResetGalPct, c.txtResetCompPct})
    box->KeyPress = [](int& keyAscii) { controls::NumericKeyPress(keyAscii); };
}

}  // namespace dialogs
