// What the editors of one galaxy type share as windows: the Properties dialog's fields they
// read and write, the galaxy type they edit (given through FormLet before they are shown), and
// the parts their live preview works with. Closing the window while a preview runs stops the
// preview first; the window closes once the record has been put back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "dialogs/editors/editor_preview.h"
#include "dialogs/properties/props_fields.h"
#include "host/picture_box.h"
#include "model/galaxy_types.h"
#include "platform/controls/controls.h"

namespace dialogs {

class GalaxyEditorWindow : public controls::Form, public PreviewedEditor {
 public:
  // The type edited (0 to 49); any other number edits nothing.
  void FormLet(int32_t n) { index_ = n; }
  int32_t GalaxyIndex() const { return index_; }
  // The live preview (its state tells whether a start call is on the stack).
  EditorPreview& Preview() { return preview_; }

  // Made by each window: the preview button (the default button), Cancel (the cancel button
  // while no preview runs) and the preview's picture.
  controls::CommandButton* cmdPreview = nullptr;
  controls::CommandButton* cmdDismiss = nullptr;
  host::PictureBox* picPreview = nullptr;

 protected:
  GalaxyEditorWindow(PropsFields& props, std::string name, std::string_view idleCaption)
      : controls::Form(nullptr, std::move(name)), props_(props), idleCaption_(idleCaption) {}

  // The record edited; nullptr when the index is no editable galaxy type.
  model::GalaxyTypeProps* EditedRecord() const;

  void Form_QueryUnload(int& Cancel, int UnloadMode) override;

  controls::Form& PreviewWindow() override { return *this; }
  controls::CommandButton& PreviewButton() override { return *cmdPreview; }
  controls::CommandButton& DismissButton() override { return *cmdDismiss; }
  host::PictureBox& PreviewPicture() override { return *picPreview; }
  PropsFields& PreviewProps() override { return props_; }
  int32_t PreviewIndex() const override { return index_; }
  std::string_view IdleCaption() const override { return idleCaption_; }

  PropsFields& props_;

 private:
  int32_t index_ = -1;
  std::string_view idleCaption_;
  EditorPreview preview_{*this};
};

// Creates editor W on galaxy type n, shows it modally and releases it; nothing for n outside
// 0-49.
template <class W>
void ShowGalaxyEditor(PropsFields& props, int32_t n) {
  if (n < 0 || n >= model::kEditableGalaxyTypes) return;
  auto* window = new W(props);
  window->FormLet(n);
  window->ShowModal();
  window->Release();
}

}  // namespace dialogs
