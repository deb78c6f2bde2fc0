#include "platform/controls/spinner.h"

#include <QSignalBlocker>

#include <algorithm>

namespace controls {

namespace {
bool IsInteger16(int32_t v) { return v >= -32768 && v <= 32767; }
}  // namespace

// The scroll bar runs from -Max at the top to -Min at the bottom, so the up arrow (which
// lowers a scroll bar's value) raises the spinner's.
Spinner::Spinner(QWidget* parent, std::string name, int index)
    : ControlWidget<QScrollBar>(parent, std::move(name), index, Qt::Vertical) {
  setSingleStep(1);
  setPageStep(1);
  ApplyRange();
  setValue(0);
  lastChangeValue_ = Value();
  QObject::connect(this, &QAbstractSlider::valueChanged, [this] {
    if (isSliderDown()) {
      Raise(Scroll);
      return;
    }
    if (Value() == lastChangeValue_) return;
    lastChangeValue_ = Value();
    Raise(Change);
  });
  QObject::connect(this, &QAbstractSlider::sliderReleased, [this] {
    if (Value() == lastChangeValue_) return;
    lastChangeValue_ = Value();
    Raise(Change);
  });
}

int32_t Spinner::Value() const { return -value(); }

bool Spinner::SetValue(int32_t v) {
  if (v < std::min(min_, max_) || v > std::max(min_, max_)) return false;
  setValue(-v);
  return true;
}

void Spinner::ApplyRange() { setRange(-std::max(min_, max_), -std::min(min_, max_)); }

bool Spinner::SetMin(int32_t min) {
  if (!IsInteger16(min)) return false;
  min_ = min;
  ApplyRange();
  return true;
}

bool Spinner::SetMax(int32_t max) {
  if (!IsInteger16(max)) return false;
  max_ = max;
  ApplyRange();
  return true;
}

bool Spinner::SetRange(int32_t a, int32_t b) {
  if (!IsInteger16(a) || !IsInteger16(b)) return false;
  min_ = std::min(a, b);
  max_ = std::max(a, b);
  ApplyRange();
  return true;
}

int32_t Spinner::SmallChange() const { return singleStep(); }
int32_t Spinner::LargeChange() const { return pageStep(); }

bool Spinner::SetSmallChange(int32_t step) {
  if (step < 1 || step > 32767) return false;
  setSingleStep(step);
  return true;
}

bool Spinner::SetLargeChange(int32_t step) {
  if (step < 1 || step > 32767) return false;
  setPageStep(step);
  return true;
}

}  // namespace controls
