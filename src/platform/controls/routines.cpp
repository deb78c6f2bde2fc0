#include "platform/controls/routines.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetricsF>

#include <algorithm>
#include <cfloat>
#include <string>

#include "platform/controls/basic_controls.h"
#include "platform/controls/form.h"
#include "platform/controls/list_controls.h"
#include "platform/controls/spinner.h"
#include "runtime/numbers.h"

namespace controls {

void ClampTextBox(TextBox& box, int kind, float lower, float upper) {
  if (kind == 0 || kind == 2) {
    box.SetText(runtime::LongToText(runtime::LeadingWholeClamped(box.Text(), lower, upper)));
  } else if (kind == 1) {
    // A number beyond the Single range stands at the range's end before the clamp.
    const double v = std::clamp(runtime::Val(box.Text()), -static_cast<double>(FLT_MAX), static_cast<double>(FLT_MAX));
    box.SetText(runtime::SingleToText(runtime::ClampSingle(static_cast<float>(v), lower, upper)));
  }
}

int16_t SpinnerStepFor(int16_t upper, int16_t step) {
  if (step >= 1) return step;
  if (upper <= 100) return 1;
  if (upper <= 998) return 5;
  if (upper <= 9997) return 10;
  return 50;
}

void SyncTextToScroll(TextBox& box, Spinner& spinner, int16_t lower, int16_t upper, int16_t maxLength,
                      int16_t step) {
  box.SetMaxLength(12);
  box.SetText(runtime::LongToText(runtime::LeadingWholeClamped(box.Text(), lower, upper)));
  box.SetMaxLength(maxLength);
  spinner.SetRange(lower, upper);
  spinner.SetSmallChange(SpinnerStepFor(upper, step));
}

void SelectAllText() {
  auto* box = dynamic_cast<TextBox*>(QApplication::focusWidget());
  if (box == nullptr || box->Locked()) return;
  box->SetSelStart(0);
  box->SetSelLength(static_cast<int>(box->text().size()));
}

namespace {
bool IsDigitKey(int key) { return key >= '0' && key <= '9'; }
void Refuse(int& key) {
  key = 0;
  Beep();
}
}  // namespace

void NumericKeyPress(int& keyAscii) {
  if (IsDigitKey(keyAscii) || keyAscii == keys::kBack) return;
  Refuse(keyAscii);
}

void DecimalKeyPress(const TextBox& box, int& keyAscii) {
  if (IsDigitKey(keyAscii) || keyAscii == keys::kBack) return;
  if (keyAscii != '.') {
    Refuse(keyAscii);
    return;
  }
  const bool textHasPeriod = box.Text().find('.') != std::string::npos;
  const bool selectionHasPeriod = box.SelText().find('.') != std::string::npos;
  if (textHasPeriod && !selectionHasPeriod) Refuse(keyAscii);
}

void SizeComboToText(ListControl& list, std::string_view text, int32_t number, bool add) {
  const QFontMetricsF metrics(list.ListFont());
  const double twips = state().twipsPerPixelX;
  const double textWidth = metrics.horizontalAdvance(ToQString(text)) * twips;
  const double blankWidth = metrics.horizontalAdvance(QStringLiteral(" ")) * twips;
  int32_t blanks = 3;
  if (blankWidth > 0) blanks = std::max(3, runtime::ToLongOr((2400.0 - textWidth) / blankWidth, 3));
  const std::string line = std::string(text) + std::string(static_cast<size_t>(blanks), ' ') + runtime::LongToText(number);
  if (add)
    list.AddItem(line);
  else
    list.SetList(list.ListIndex(), line);
}

int32_t ListIndexOfText(const ListControl& list, std::string_view text) {
  for (int32_t i = 0; i < list.ListCount(); ++i)
    if (list.List(i) == text) return i;
  return 0;
}

void FillListBox(ListControl& list) {
  list.Clear();
  for (const QString& family : QFontDatabase::families()) list.AddItem(family.toStdString());
}

void EnableContainerControls(Control& container, bool enabled) {
  container.SetEnabled(enabled);
  Form* form = container.Window();
  if (form == nullptr) return;
  // A copy: the walk does not depend on the window's list staying as it is.
  const std::vector<Control*> all = form->Controls();
  for (Control* c : all) {
    if (c == &container || c->Kind() == ControlKind::Line || c->Kind() == ControlKind::Menu ||
        c->Kind() == ControlKind::MenuItem || c->Container() != &container)
      continue;
    if (c->Kind() == ControlKind::Frame)
      EnableContainerControls(*c, enabled);
    else
      c->SetEnabled(enabled);
  }
}

void UpdateFormMenus(Form& window, bool running, std::string_view keepName) {
  const bool record = running && window.busyRecord_.empty();
  const std::vector<Control*> all = window.Controls();
  for (Control* c : all) {
    const std::string& name = c->Name();
    if (c->Kind() == ControlKind::Line || name == "mnuFileArray" || name == "mnuEditArray" || name == "mnuHelpArray")
      continue;
    if (record) window.busyRecord_[c] = c->Enabled();
    if (running) {
      c->SetEnabled(c->Kind() == ControlKind::Frame || name == "cmdCaptureImage" || name == keepName);
    } else {
      auto it = window.busyRecord_.find(c);
      c->SetEnabled(it == window.busyRecord_.end() || it->second);
    }
  }
  if (!running) window.busyRecord_.clear();
}

}  // namespace controls
