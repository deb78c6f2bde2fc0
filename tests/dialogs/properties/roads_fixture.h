// The Properties dialog's controls with their field handlers attached (props_fields_fixture.h),
// prepared for the settings roads: the render sizes in the size list, a private settings
// store, fresh galaxy and composite records, a folder for template files (TemplatePath is its
// "t.glx"), no registered windows, and a recorder of message boxes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "dialogs/properties/props_openers.h"
#include "model/galaxy_types.h"
#include "presentation/render_state.h"
#include "props_fields_fixture.h"
#include "runtime/numbers.h"
#include "settings/factory_galaxies.h"
#include "settings/template_file.h"
#include "store/registry_access.h"
#include "store/template_lookup.h"

namespace dialogs {

class RoadsTest : public PropsFieldsTest {
 protected:
  void SetUp() override {
    presentation::ResetRenderState();
    presentation::RenderState& r = presentation::render();
    r.WindowSizeList = {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}};
    r.ScreenPixelWidth = 1024;
    r.ScreenPixelHeight = 768;
    model::ResetGalaxyRecords();
    settings::InitGalaxyStyleNames();
    ResetPropsOpeners();
    PropsFieldsTest::SetUp();
    FillSizeList(form->c);
    dir = testsupport::MakeTempDir();
    settings::CloseTemplateFile();
    store::ClearTemplateCache();
    store::templateState().TemplatePath = dir + "/t.glx";
  }
  void TearDown() override {
    settings::CloseTemplateFile();
    store::ClearTemplateCache();
    store::templateState().TemplatePath.clear();
    ResetPropsOpeners();
    PropsFieldsTest::TearDown();
    presentation::ResetRenderState();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }

  // The size list as the window's load fills it.
  static void FillSizeList(PropsControls& c) {
    for (const presentation::WindowSize& s : presentation::render().WindowSizeList)
      c.cboResolution->AddItem(runtime::LongToText(s.Width) + " * " + runtime::LongToText(s.Height));
  }

  // A stored value, or "<missing>".
  static std::string Raw(std::string_view section, std::string_view key) {
    return store::GetRegSettingRaw(section, key, "<missing>");
  }

  std::string dir;
  testsupport::MessageRecorder messages;
};

}  // namespace dialogs
