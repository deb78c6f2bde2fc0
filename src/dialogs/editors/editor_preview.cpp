#include "dialogs/editors/editor_preview.h"

#include <optional>
#include <string>
#include <utility>

#include "dialogs/editors/editor_window.h"
#include "dialogs/properties/props_fields.h"
#include "engine/galaxy_preview.h"
#include "host/picture_box.h"
#include "model/hue_ranges.h"
#include "model/hue_wheel.h"
#include "platform/controls/controls.h"
#include "presentation/frame_pacing.h"
#include "presentation/render_state.h"
#include "runtime/numbers.h"

namespace dialogs {

namespace {

constexpr int32_t kGalaxyValueMax = 30000;
constexpr int32_t kMinPreviewStars = 10;
constexpr int32_t kMaxPreviewStars = 99999;
constexpr int32_t kMaxUniverseHue = 999;
constexpr const char* kStopCaption = "Stop";
constexpr const char* kPreviewButtonName = "cmdPreview";

bool ValidIndex(int32_t n) { return n >= 0 && n < model::kEditableGalaxyTypes; }

void CopyGalaxyValues(const model::GalaxyTypeProps& from, model::GalaxyTypeProps& to) {
  to.Galaxy_Radius = from.Galaxy_Radius;
  to.Galaxy_Rotation = from.Galaxy_Rotation;
  to.Galaxy_Distance = from.Galaxy_Distance;
}

}  // namespace

void CopyMoleculePreviewFields(const model::GalaxyTypeProps& from, model::GalaxyTypeProps& to) {
  to.Atoms = from.Atoms;
  CopyGalaxyValues(from, to);
}

void CopyIfsPreviewFields(const model::GalaxyTypeProps& from, model::GalaxyTypeProps& to) {
  to.Ifs = from.Ifs;
  CopyGalaxyValues(from, to);
}

void CopyLevelsPreviewFields(const model::GalaxyTypeProps& from, model::GalaxyTypeProps& to) {
  to.Galaxy_StdLevels = from.Galaxy_StdLevels;
  to.Galaxy_StdLevDRad = from.Galaxy_StdLevDRad;
  to.Galaxy_StdLevHSca = from.Galaxy_StdLevHSca;
  to.Galaxy_StdLevB_HS = from.Galaxy_StdLevB_HS;
  to.Galaxy_StdLevB_A0 = from.Galaxy_StdLevB_A0;
  to.Galaxy_StdLevB_A1 = from.Galaxy_StdLevB_A1;
  to.Galaxy_Radius = from.Galaxy_Radius;
  to.Galaxy_Distance = from.Galaxy_Distance;
}

void WriteGalaxyValues(model::GalaxyTypeProps& record, std::string_view radius, std::string_view rotation,
                       std::string_view distance) {
  const std::pair<std::string_view, int32_t*> fields[] = {
      {radius, &record.Galaxy_Radius}, {rotation, &record.Galaxy_Rotation}, {distance, &record.Galaxy_Distance}};
  for (const auto& [text, field] : fields)
    if (const std::optional<int32_t> v = WholeOfBoxText(text, 0, kGalaxyValueMax)) *field = *v;
}

void MirrorGalaxyValues(PropsFields& props, std::string_view radius, std::string_view rotation,
                        std::string_view distance) {
  const std::string_view texts[] = {radius, rotation, distance};
  for (int i = 0; i < 3; ++i)
    if (const std::optional<int32_t> v = WholeOfBoxText(texts[i], 0, kGalaxyValueMax))
      props.SetGalaxyText(i, std::to_string(*v));
}

int32_t EditorPreview::PreviewStarCount(std::string_view text) {
  return runtime::LeadingWholeClamped(text, kMinPreviewStars, kMaxPreviewStars);
}

EditorPreview::EditorPreview(PreviewedEditor& editor) : editor_(editor) {}

EditorPreview::~EditorPreview() { Unbind(); }

void EditorPreview::Unbind() {
  if (bound_ != nullptr) presentation::UnbindRenderTarget(bound_);
  bound_ = nullptr;
}

void EditorPreview::Click() {
  Toggle(editor_.PreviewButton().Caption() == editor_.IdleCaption());
}

void EditorPreview::Toggle(bool start) {
  if (!start) {
    Stop();
    return;
  }
  if (state_ == State::Idle) {
    Start();
    return;
  }
  // A start call is still on the stack: a new run begins once it has restored the record
  // (unless the window is about to close).
  if (state_ == State::Stopping && !pending_) pending_ = [this] { Toggle(true); };
}

void EditorPreview::AfterPreview(std::function<void()> action) {
  if (state_ == State::Idle) {
    if (action) action();
    return;
  }
  if (state_ == State::Running) Stop();
  pending_ = std::move(action);
}

bool EditorPreview::DeferUnload() {
  if (!Active()) return false;
  AfterPreview([this] { editor_.PreviewWindow().Unload(); });
  return true;
}

void EditorPreview::Start() {
  auto& pacing = presentation::pacing();
  pacing.G_bCancel = false;
  const int32_t index = editor_.PreviewIndex();
  if (!ValidIndex(index)) return;
  const size_t at = static_cast<size_t>(index);

  model::GalaxyTypeProps saved;
  editor_.CopyPreviewFields(model::records().GalaxyTypes[at], saved);
  state_ = State::Running;
  if (editor_.CommitForPreview()) {
    controls::Form& window = editor_.PreviewWindow();
    controls::UpdateFormMenus(window, true, kPreviewButtonName);
    editor_.PreviewButton().SetCaption(kStopCaption);
    editor_.PreviewButton().SetCancel(true);

    host::PictureBox& picture = editor_.PreviewPicture();
    presentation::LoadSaverProperties(picture, true, 1.0f, 0);
    bound_ = &picture;
    model::BuildHueWheelTable();
    PropsFields& props = editor_.PreviewProps();
    model::SetUniverseHueWheel(runtime::LeadingWholeClamped(props.UniText(16), 0, kMaxUniverseHue),
                               runtime::LeadingWholeClamped(props.UniText(17), 0, kMaxUniverseHue));
    const int32_t stars = PreviewStarCount(props.UniText(0));
    // A stop (or a closing action) may already have come while the fields were read.
    if (state_ == State::Running && !pacing.G_bCancel)
      engine::DisplayGalaxyPreview(index, 0, 0, stars, false, 1.0f);
    // The display also ends when something else sets the stop flag: the window is then given
    // back as a stop gives it.
    if (state_ == State::Running) Stop();
  }
  // The record read afresh: nothing is held across the display's frames.
  editor_.CopyPreviewFields(saved, model::records().GalaxyTypes[at]);
  state_ = State::Idle;
  if (pending_) {
    auto action = std::move(pending_);
    pending_ = nullptr;
    action();
  }
}

void EditorPreview::Stop() {
  presentation::pacing().G_bCancel = true;
  // Only a running preview has a window to give back.
  if (state_ != State::Running) return;
  state_ = State::Stopping;
  controls::UpdateFormMenus(editor_.PreviewWindow(), false, kPreviewButtonName);
  editor_.PreviewStopped();
  RestoreIdleRoles();
}

void EditorPreview::RestoreIdleRoles() {
  editor_.PreviewButton().SetCaption(editor_.IdleCaption());
  editor_.PreviewButton().SetCancel(false);
  editor_.DismissButton().SetCancel(true);
}

}  // namespace dialogs
