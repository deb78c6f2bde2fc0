#include "dialogs/editors/editor_window.h"

#include <QLayout>
#include <QMenuBar>
#include <algorithm>
#include <cmath>
#include <string>

#include "platform/message_box.h"
#include "runtime/numbers.h"

namespace dialogs {

namespace {

// The number a committed box holds, as a Double; nothing when it is none.
std::optional<double> NumberOfBoxText(std::string_view text) {
  double v = 0;
  if (!runtime::IsNumeric("0" + std::string(text), &v) || std::isnan(v)) return std::nullopt;
  return v;
}

}  // namespace

void ShowResizeNote() {
  platform::ShowMessage(kResizeNoteText, platform::kProductName, platform::MsgIcon::Information);
}

controls::MenuItem& AddResizeMenuItem(controls::Form& window) {
  // The item lives in a menu that never shows; its action also sits in the menu bar itself,
  // so one click on the bar runs it.
  controls::Menu& holder = window.AddMenu("mnuResizeHolder", "Window can be Resized");
  controls::MenuItem& item = holder.AddItem("mnuResize", -1, "Window can be Resized");
  holder.SetVisible(false);
  window.MenuBar()->addAction(&item);
  item.Click = [] { ShowResizeNote(); };
  return item;
}

void FitEditorPreview(controls::Form& window, controls::Control& fraPreview, controls::Control& picPreview,
                      int32_t minWidth, int32_t minHeight) {
  // Before the window is first shown its client area has not followed the window's size yet.
  if (QLayout* layout = window.layout()) layout->activate();
  const int32_t w = window.ScaleWidth(), h = window.ScaleHeight();
  if (w < minWidth || h < minHeight) {
    window.SetClientSize(std::max(w, minWidth), std::max(h, minHeight));
    return;
  }
  const int32_t frameWidth = w - fraPreview.Left() - controls::PixelsToTwipsX(5);
  const int32_t frameHeight = h - fraPreview.Top() - controls::PixelsToTwipsY(3);
  fraPreview.Move(fraPreview.Left(), fraPreview.Top(), std::max(0, frameWidth), std::max(0, frameHeight));
  picPreview.Move(picPreview.Left(), picPreview.Top(), std::max(0, fraPreview.Width() - 2 * picPreview.Left()),
                  std::max(0, fraPreview.Height() - picPreview.Top() - controls::PixelsToTwipsY(5)));
}

void AttachWholeNumberBox(controls::TextBox& box, int32_t lower, int32_t upper, int maxLength) {
  box.SetMaxLength(maxLength);
  box.GotFocus = [] { controls::SelectAllText(); };
  box.KeyPress = [](int& key) { controls::NumericKeyPress(key); };
  box.LostFocus = [&box, lower, upper] {
    controls::ClampTextBox(box, 0, static_cast<float>(lower), static_cast<float>(upper));
  };
}

void AttachDecimalNumberBox(controls::TextBox& box, float lower, float upper, int maxLength) {
  box.SetMaxLength(maxLength);
  box.GotFocus = [] { controls::SelectAllText(); };
  box.KeyPress = [&box](int& key) { controls::DecimalKeyPress(box, key); };
  box.LostFocus = [&box, lower, upper] { controls::ClampTextBox(box, 1, lower, upper); };
}

std::optional<int32_t> WholeOfBoxText(std::string_view text, int32_t lower, int32_t upper) {
  const std::optional<double> v = NumberOfBoxText(text);
  if (!v) return std::nullopt;
  const double saturated = std::clamp(*v, -2147483648.0, 2147483647.0);
  return runtime::ClampLong(runtime::ToLongOr(saturated, 0), lower, upper);
}

std::optional<float> SingleOfBoxText(std::string_view text, float lower, float upper) {
  const std::optional<double> v = NumberOfBoxText(text);
  if (!v) return std::nullopt;
  const double saturated = std::clamp(*v, static_cast<double>(lower), static_cast<double>(upper));
  return runtime::ClampSingle(static_cast<float>(saturated), lower, upper);
}

}  // namespace dialogs
