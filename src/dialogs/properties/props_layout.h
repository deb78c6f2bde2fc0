// The Properties window's layout: Qt layouts over the controls of PropsControls.
//
// Left column: hue cone, display and property copy frames at their natural width, then the
// preview frame, which takes all extra width and height, and the Accept and Cancel buttons
// (Cancel right-aligned under the preview). Right column, at its natural width against the
// right edge: the universe frame, then the galaxy and universe pages in one place (switching
// never resizes); on the universe page the galaxy list takes the extra height, and the
// "Extras:" panels of each page lie in one place. Each page's "Extras:" selector sits on its
// panels' top border right of the caption, the tour check box on the border of the frame it
// switches, and the capture buttons on the preview frame's top edge. The galaxy and composite
// lists draw their percents in one column. Numeric text boxes are as wide as their maximum
// length in digits; the window's minimum size is the layout's.
#pragma once

class QLineEdit;

namespace dialogs {

struct PropsControls;

void LayOutPropsControls(PropsControls& c);

// The width a text box needs to show `digits` digits in its font.
int TextBoxWidthForDigits(const QLineEdit& box, int digits);

}  // namespace dialogs
