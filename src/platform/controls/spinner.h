// A spinner: a vertical scroll bar paired with a text box. See controls.h for the model.
#pragma once

#include <QScrollBar>

#include <cstdint>
#include <string>

#include "platform/controls/control.h"

namespace controls {

// Value, Min, Max, SmallChange and LargeChange are 16-bit values (-32768 to 32767); a new
// spinner spans 0 to 32767 with steps 1. Its UP arrow (and the Up key) RAISES the value, the
// thumb stands at the top at Max. A value outside the range is refused; narrowing the range
// moves the value into it (raising Change).
class Spinner : public ControlWidget<QScrollBar> {
 public:
  explicit Spinner(QWidget* parent, std::string name = {}, int index = -1);
  ControlKind Kind() const override { return ControlKind::Spinner; }

  int32_t Value() const;
  // Raises Change when the value changes; false (nothing changes) outside Min..Max.
  bool SetValue(int32_t value);
  int32_t Min() const { return min_; }
  int32_t Max() const { return max_; }
  // Each setter refuses (false) a value outside -32768..32767. When Min is set above Max
  // (or Max below Min) the range runs between the two, from the smaller to the larger.
  bool SetMin(int32_t min);
  bool SetMax(int32_t max);
  // Sets both bounds at once (in either order).
  bool SetRange(int32_t a, int32_t b);
  int32_t SmallChange() const;
  int32_t LargeChange() const;
  // Steps from 1 to 32767; others are refused.
  bool SetSmallChange(int32_t step);
  bool SetLargeChange(int32_t step);

  // The value changed (arrow, key, page click, the end of a thumb drag, or code).
  Handler Change;
  // The thumb is being dragged.
  Handler Scroll;

 private:
  void ApplyRange();
  int32_t min_ = 0, max_ = 32767;
  int32_t lastChangeValue_ = 0;
};

}  // namespace controls
