#include <gtest/gtest.h>

#include "dialogs/editors/editor_openers.h"
#include "dialogs/editors/fake_props_fields.h"
#include "dialogs/properties/props_openers.h"
#include "host/qt_test_app.h"

namespace dialogs {
namespace {

class EditorOpenersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureQtApplication();
    ResetPropsOpeners();
  }
  void TearDown() override { ResetPropsOpeners(); }
};

// The galaxy editors are registered; a type outside 0-49 opens nothing and changes nothing.
TEST_F(EditorOpenersTest, RegistersTheGalaxyEditorsAndRefusesATypeOutsideTheRecords) {
  EXPECT_FALSE(propsOpeners().GalaxyEditor);
  RegisterEditorOpeners();
  ASSERT_TRUE(propsOpeners().GalaxyEditor);
  testing::FakePropsFields fields;
  for (GalaxyEditorKind kind : {GalaxyEditorKind::Levels, GalaxyEditorKind::UserDefIFS, GalaxyEditorKind::Molecule}) {
    for (int32_t n : {-1, 50}) EXPECT_FALSE(OpenGalaxyEditor(fields, kind, n));
  }
  EXPECT_TRUE(fields.galaxyWrites.empty());
  EXPECT_TRUE(fields.uniWrites.empty());
}

}  // namespace
}  // namespace dialogs
