// The editors' preview road, driven through a small editor window and a fake pacer: what it
// saves and restores, a refused commit, the window's state while it runs, the Escape role,
// closing while it runs, and the universe values it reads.
#include "dialogs/editors/editor_preview.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/editors/editor_window.h"
#include "dialogs/editors/editor_pacer.h"
#include "dialogs/editors/fake_props_fields.h"
#include "engine/engine_fixture.h"
#include "engine/universe_settings.h"
#include "host/picture_box.h"
#include "host/qt_test_app.h"
#include "model/hue_ranges.h"
#include "platform/controls/controls.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"
#include "support/test_support.h"

namespace {

using dialogs::EditorPreview;
using model::GalaxyTypeProps;

constexpr int32_t kIndex = 3;

GalaxyTypeProps& Record() { return model::records().GalaxyTypes[kIndex]; }

// An editor of the atom block with one galaxy box and one other box; its commit writes a
// changed atom block unless told to refuse.
class TestEditor : public controls::Form, public dialogs::PreviewedEditor {
 public:
  explicit TestEditor(dialogs::PropsFields& props) : controls::Form(nullptr, "frmTest"), props_(props) {
    using namespace controls;
    txtGalaxy = new TextBox(this, "txtGalaxy");
    txtGalaxy->Move(120, 120, 1200, 285);
    txtOther = new TextBox(this, "txtOther");
    txtOther->Move(120, 480, 1200, 285);
    txtDisabled = new TextBox(this, "txtDisabled");
    txtDisabled->SetEnabled(false);
    cmdPreview = new CommandButton(this, "cmdPreview");
    cmdPreview->SetCaption("Preview Test");
    cmdPreview->Move(1440, 120, 1200, 375);
    cmdDismiss = new CommandButton(this, "cmdDismiss");
    cmdDismiss->SetCaption("Cancel");
    cmdDismiss->Move(1440, 600, 1200, 375);
    cmdOK = new CommandButton(this, "cmdOK");
    cmdOK->SetCaption("OK");
    picPreview = new host::PictureBox(Client());
    picPreview->setGeometry(200, 10, 64, 48);
    cmdPreview->SetDefault(true);
    cmdDismiss->SetCancel(true);
    cmdPreview->Click = [this] { preview.Click(); };
    cmdDismiss->Click = [this] { preview.AfterPreview([this] { Unload(); }); };
    cmdOK->Click = [this] {
      preview.AfterPreview([this] {
        Record().Galaxy_Radius = dialogs::WholeOfBoxText(txtGalaxy->Text(), 0, 30000).value_or(-1);
        Unload();
      });
    };
    resize(400, 200);
  }

  controls::Form& PreviewWindow() override { return *this; }
  controls::CommandButton& PreviewButton() override { return *cmdPreview; }
  controls::CommandButton& DismissButton() override { return *cmdDismiss; }
  host::PictureBox& PreviewPicture() override { return *picPreview; }
  dialogs::PropsFields& PreviewProps() override { return props_; }
  int32_t PreviewIndex() const override { return index; }
  std::string_view IdleCaption() const override { return "Preview Test"; }
  void CopyPreviewFields(const GalaxyTypeProps& from, GalaxyTypeProps& to) const override {
    dialogs::CopyMoleculePreviewFields(from, to);
  }
  bool CommitForPreview() override {
    radiusAtCommit.push_back(Record().Galaxy_Radius);
    dialogs::WriteGalaxyValues(Record(), txtGalaxy->Text(), "7", "8");
    if (refuse) return false;
    Record().Atoms.Galaxy_Atoms = 1;
    Record().Atoms.AtomElement[0] = 6;
    return true;
  }
  void PreviewStopped() override { ++stops; }

  controls::TextBox* txtGalaxy = nullptr;
  controls::TextBox* txtOther = nullptr;
  controls::TextBox* txtDisabled = nullptr;
  controls::CommandButton* cmdPreview = nullptr;
  controls::CommandButton* cmdDismiss = nullptr;
  controls::CommandButton* cmdOK = nullptr;
  host::PictureBox* picPreview = nullptr;
  EditorPreview preview{*this};
  int32_t index = kIndex;
  bool refuse = false;
  int stops = 0;
  std::vector<int32_t> radiusAtCommit;  // the record's radius when each commit began

 protected:
  void Form_QueryUnload(int& Cancel, int) override {
    if (preview.DeferUnload()) Cancel = 1;
  }

 private:
  dialogs::PropsFields& props_;
};

class EditorPreviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureQtApplication();
    enginetest::ResetEngineModules(11);
    enginetest::InstallFakeHost(&pacer);
    props.uni = {{0, "500"}, {16, "100"}, {17, "200"}};
    editor = new TestEditor(props);
    editor->Show();
    // The record as stored: everything the preview saves differs from what the editor writes.
    Record().Galaxy_Radius = 1111;
    Record().Galaxy_Rotation = 2222;
    Record().Galaxy_Distance = 3333;
    Record().Atoms.Galaxy_Atoms = 4;
    Record().Atoms.AtomElement = {1, 8, 9, 10};
    Record().Atoms.AtomOffX[2] = 1.5f;
    before = Record();
  }
  void TearDown() override {
    editor->Release();
    enginetest::InstallFakeHost(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  void ExpectRecordAsBefore() {
    EXPECT_EQ(std::memcmp(&Record().Atoms, &before.Atoms, sizeof before.Atoms), 0);
    EXPECT_EQ(Record().Galaxy_Radius, before.Galaxy_Radius);
    EXPECT_EQ(Record().Galaxy_Rotation, before.Galaxy_Rotation);
    EXPECT_EQ(Record().Galaxy_Distance, before.Galaxy_Distance);
  }
  void ExpectIdleWindow() {
    EXPECT_EQ(editor->preview.state(), EditorPreview::State::Idle);
    EXPECT_EQ(editor->cmdPreview->Caption(), "Preview Test");
    EXPECT_EQ(editor->CancelButton(), editor->cmdDismiss);
    EXPECT_EQ(editor->DefaultButton(), editor->cmdPreview);
    EXPECT_TRUE(editor->txtGalaxy->Enabled());
    EXPECT_TRUE(editor->cmdDismiss->Enabled());
    EXPECT_FALSE(editor->txtDisabled->Enabled());
  }

  testsupport::TempConfig config;
  testsupport::MessageRecorder messages;
  dialogs::testing::FakePropsFields props;
  dialogstest::Pacer pacer;
  TestEditor* editor = nullptr;
  GalaxyTypeProps before;
};

TEST_F(EditorPreviewTest, RunsTheEditedValuesAndPutsBackEverySavedFieldAfterStop) {
  editor->txtGalaxy->SetText("45000");
  bool sawEditedRecord = false;
  pacer.onPace = [&] {
    if (pacer.paces == 2) {
      // Running: the record holds the editor's values, the window is locked but the button.
      sawEditedRecord = Record().Galaxy_Radius == 30000 && Record().Galaxy_Rotation == 7 &&
                        Record().Atoms.Galaxy_Atoms == 1 && Record().Atoms.AtomElement[0] == 6;
      EXPECT_EQ(editor->preview.state(), EditorPreview::State::Running);
      EXPECT_EQ(editor->cmdPreview->Caption(), "Stop");
      EXPECT_EQ(editor->CancelButton(), editor->cmdPreview);
      EXPECT_EQ(editor->DefaultButton(), editor->cmdPreview);
      EXPECT_TRUE(editor->cmdPreview->Enabled());
      EXPECT_FALSE(editor->txtGalaxy->Enabled());
      EXPECT_FALSE(editor->cmdDismiss->Enabled());
      EXPECT_EQ(presentation::render().RenderTarget, editor->picPreview);
      editor->cmdPreview->PerformClick();  // Stop
      // Stopping: the window is given back at once, the record only when the run returns.
      EXPECT_EQ(editor->preview.state(), EditorPreview::State::Stopping);
      EXPECT_EQ(Record().Galaxy_Radius, 30000);
      EXPECT_EQ(editor->cmdPreview->Caption(), "Preview Test");
      EXPECT_EQ(editor->CancelButton(), editor->cmdDismiss);
      EXPECT_TRUE(editor->txtGalaxy->Enabled());
    }
  };
  editor->cmdPreview->PerformClick();
  EXPECT_TRUE(sawEditedRecord);
  EXPECT_GT(pacer.frames, 0);
  EXPECT_EQ(pacer.paces, 3);  // stopped in the third frame's events
  EXPECT_EQ(editor->stops, 1);
  ExpectRecordAsBefore();
  ExpectIdleWindow();
  EXPECT_EQ(editor->txtGalaxy->Text(), "45000");  // the editor keeps its values

  // A second run clears the stop flag again and runs normally.
  pacer.onPace = [&] {
    if (pacer.paces == 6) editor->cmdPreview->PerformClick();
  };
  editor->cmdPreview->PerformClick();
  EXPECT_EQ(pacer.paces, 7);
  ExpectRecordAsBefore();
  ExpectIdleWindow();
}

TEST_F(EditorPreviewTest, ARefusedCommitRunsNothingAndChangesNothing) {
  editor->refuse = true;
  editor->txtGalaxy->SetText("10");
  editor->cmdPreview->PerformClick();
  EXPECT_EQ(pacer.paces, 0);
  EXPECT_EQ(pacer.frames, 0);
  EXPECT_EQ(editor->stops, 0);
  ExpectRecordAsBefore();
  ExpectIdleWindow();
  EXPECT_EQ(presentation::render().RenderTarget, nullptr);
}

TEST_F(EditorPreviewTest, EscapeStopsARunningPreviewAndClosesAnIdleEditor) {
  pacer.onPace = [&] {
    if (pacer.paces == 3) QTest::keyClick(editor, Qt::Key_Escape);
  };
  // Enter starts (the preview button is the default button).
  QTest::keyClick(editor->txtOther, Qt::Key_Return);
  EXPECT_EQ(pacer.paces, 4);
  EXPECT_TRUE(editor->IsLoaded());
  ExpectRecordAsBefore();
  ExpectIdleWindow();

  // Enter stops a running preview too.
  pacer.onPace = [&] {
    if (pacer.paces == 5) QTest::keyClick(editor, Qt::Key_Return);
  };
  QTest::keyClick(editor->txtOther, Qt::Key_Return);
  EXPECT_EQ(pacer.paces, 6);
  EXPECT_TRUE(editor->IsLoaded());

  // Idle, Escape from a box closes the editor without committing.
  QTest::keyClick(editor->txtOther, Qt::Key_Escape);
  EXPECT_FALSE(editor->IsLoaded());
  ExpectRecordAsBefore();
}

// OK, Cancel and the close box while the start call is on the stack: running (they stop it)
// or already stopped. Each acts only after the restore, so OK's value stays.
TEST_F(EditorPreviewTest, ClosingWhileAStartCallIsOnTheStackActsAfterTheRestore) {
  struct Case {
    const char* name;
    bool stopFirst;
    std::function<void(TestEditor&)> close;
    int32_t radiusAfter;
  };
  const Case cases[] = {
      {"OK while running", false, [](TestEditor& e) { e.cmdOK->PerformClick(); }, 1234},
      {"OK right after Stop", true, [](TestEditor& e) { e.cmdOK->PerformClick(); }, 1234},
      {"Cancel after Stop", true, [](TestEditor& e) { e.cmdDismiss->PerformClick(); }, 1111},
      {"close box while running", false, [](TestEditor& e) { e.close(); }, 1111},
      {"close box after Stop", true, [](TestEditor& e) { e.close(); }, 1111},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    Record() = before;
    editor->Show();
    editor->txtGalaxy->SetText("1234");
    pacer.paces = 0;
    pacer.onPace = [&] {
      if (pacer.paces != 2) return;
      if (k.stopFirst) editor->cmdPreview->PerformClick();
      k.close(*editor);
      EXPECT_TRUE(editor->IsLoaded());  // nothing goes while the display runs
    };
    editor->cmdPreview->PerformClick();
    EXPECT_LE(pacer.paces, 3);
    EXPECT_FALSE(editor->IsLoaded());
    EXPECT_EQ(Record().Galaxy_Radius, k.radiusAfter);
    EXPECT_EQ(Record().Galaxy_Rotation, before.Galaxy_Rotation);
    EXPECT_EQ(std::memcmp(&Record().Atoms, &before.Atoms, sizeof before.Atoms), 0);
    EXPECT_EQ(editor->preview.state(), EditorPreview::State::Idle);
  }
}

TEST_F(EditorPreviewTest, PreviewPressedAgainRightAfterStopStartsOnceTheFirstRunHasRestored) {
  pacer.onPace = [&] {
    const size_t runs = editor->radiusAtCommit.size();
    if (runs == 1 && pacer.paces == 2) {
      editor->cmdPreview->PerformClick();  // Stop
      editor->cmdPreview->PerformClick();  // Preview again, in the same pass of events
      EXPECT_EQ(editor->preview.state(), EditorPreview::State::Stopping);
    }
    if (runs == 2 && pacer.paces == 4) editor->cmdPreview->PerformClick();
  };
  editor->cmdPreview->PerformClick();
  // The second run began from the restored record.
  EXPECT_EQ(editor->radiusAtCommit, (std::vector<int32_t>{1111, 1111}));
  EXPECT_EQ(pacer.paces, 5);
  ExpectRecordAsBefore();
  ExpectIdleWindow();
}

// The star count of the universe field is clamped to 10..99999, the universe hue wheel bounds
// to 0..999.
TEST_F(EditorPreviewTest, UniverseStarsAndHuesAreClampedForThePreview) {
  struct Case {
    const char* stars;
    int32_t shown;
  };
  const Case cases[] = {{"5", 10}, {"", 10}, {"abc", 10}, {"10", 10}, {"4321", 4321},
                        {"99999", 99999}, {"250000", 99999}, {"99999999999", 99999}};
  pacer.stopAt = 2;
  for (const Case& k : cases) {
    SCOPED_TRACE(k.stars);
    pacer.paces = 0;
    props.uni[0] = k.stars;
    editor->cmdPreview->PerformClick();
    EXPECT_EQ(engine::universeSettings().Universe_Stars, k.shown);
    ExpectIdleWindow();
  }
  EXPECT_EQ(dialogs::EditorPreview::PreviewStarCount("123456"), 99999);

  props.uni[16] = "5000";
  props.uni[17] = "1200";
  pacer.paces = 0;
  editor->cmdPreview->PerformClick();
  const auto used = model::hueRangeState().UniverseHueRangeTable;
  model::SetUniverseHueWheel(999, 999);
  EXPECT_EQ(used, model::hueRangeState().UniverseHueRangeTable);
}

TEST_F(EditorPreviewTest, AnIndexOutsideTheEditableTypesRunsNothing) {
  editor->index = 50;
  editor->cmdPreview->PerformClick();
  EXPECT_EQ(pacer.paces, 0);
  ExpectIdleWindow();
}

// What each editor's preview saves and puts back; everything else stays as it is.
TEST(PreviewFields, EachEditorCopiesItsOwnFields) {
  GalaxyTypeProps from;
  from.Galaxy_Radius = 11;
  from.Galaxy_Rotation = 12;
  from.Galaxy_Distance = 13;
  from.Galaxy_StdLevels = 4;
  from.Galaxy_StdLevDRad = 5;
  from.Galaxy_StdLevHSca = 2.5f;
  from.Galaxy_StdLevB_HS = 1;
  from.Galaxy_StdLevB_A0 = 1;
  from.Galaxy_StdLevB_A1 = 1;
  from.Ifs.Galaxy_IFS_Points = 3;
  from.Ifs.IfsOffX[4] = 0.5f;
  from.Atoms.Galaxy_Atoms = 9;
  from.Atoms.AtomExtra087[31] = 0.25f;
  from.Galaxy_HueStart = 99;
  const GalaxyTypeProps plain;

  struct Case {
    const char* name;
    void (*copy)(const GalaxyTypeProps&, GalaxyTypeProps&);
    bool atoms, ifs, levels, rotation;
  };
  const Case cases[] = {
      {"molecule", &dialogs::CopyMoleculePreviewFields, true, false, false, true},
      {"IFS", &dialogs::CopyIfsPreviewFields, false, true, false, true},
      {"levels", &dialogs::CopyLevelsPreviewFields, false, false, true, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    GalaxyTypeProps to;
    k.copy(from, to);
    EXPECT_EQ(to.Galaxy_Radius, 11);
    EXPECT_EQ(to.Galaxy_Distance, 13);
    EXPECT_EQ(to.Galaxy_Rotation, k.rotation ? 12 : plain.Galaxy_Rotation);
    EXPECT_EQ(std::memcmp(&to.Atoms, k.atoms ? &from.Atoms : &plain.Atoms, sizeof to.Atoms), 0);
    EXPECT_EQ(std::memcmp(&to.Ifs, k.ifs ? &from.Ifs : &plain.Ifs, sizeof to.Ifs), 0);
    const GalaxyTypeProps& lv = k.levels ? from : plain;
    EXPECT_EQ(to.Galaxy_StdLevels, lv.Galaxy_StdLevels);
    EXPECT_EQ(to.Galaxy_StdLevDRad, lv.Galaxy_StdLevDRad);
    EXPECT_EQ(to.Galaxy_StdLevHSca, lv.Galaxy_StdLevHSca);
    EXPECT_EQ(to.Galaxy_StdLevB_HS, lv.Galaxy_StdLevB_HS);
    EXPECT_EQ(to.Galaxy_StdLevB_A0, lv.Galaxy_StdLevB_A0);
    EXPECT_EQ(to.Galaxy_StdLevB_A1, lv.Galaxy_StdLevB_A1);
    EXPECT_EQ(to.Galaxy_HueStart, plain.Galaxy_HueStart);
  }
}

// The molecule and IFS previews write the three galaxy values as committed boxes read them; a
// text that is no number leaves its field.
TEST(PreviewFields, GalaxyValuesAreWholeNumbersWithinTheirRange) {
  struct Case {
    const char* text;
    int32_t value;
  };
  const Case cases[] = {{"", 0}, {"250", 250}, {"2.5", 2}, {"3.5", 4}, {"30001", 30000},
                        {"99999999999999", 30000}, {"x", 77}, {"12abc", 77}};
  for (const Case& k : cases) {
    GalaxyTypeProps r;
    r.Galaxy_Radius = r.Galaxy_Rotation = r.Galaxy_Distance = 77;
    dialogs::WriteGalaxyValues(r, k.text, k.text, k.text);
    EXPECT_EQ(r.Galaxy_Radius, k.value) << k.text;
    EXPECT_EQ(r.Galaxy_Rotation, k.value) << k.text;
    EXPECT_EQ(r.Galaxy_Distance, k.value) << k.text;
  }
}

}  // namespace
