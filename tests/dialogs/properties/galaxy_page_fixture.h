// The Properties dialog's controls with the galaxy page's field handlers and the style panel
// attached as well (props_fields_fixture.h), the spinner ranges of the window's load applied.
#pragma once

#include "dialogs/properties/galaxy_field_handlers.h"
#include "props_fields_fixture.h"

namespace dialogs {

class GalaxyPageTest : public PropsFieldsTest {
 protected:
  void SetUp() override {
    PropsFieldsTest::SetUp();
    AttachGalaxyFieldHandlers(form->c);
    for (const SpinnerRange& r : form->c.SpinnerRanges())
      controls::SyncTextToScroll(*r.box, *r.spinner, r.lower, r.upper, r.maxLength, 0);
  }
};

}  // namespace dialogs
