// The live preview of the galaxy editors (molecule, IFS and levels): one button, cmdPreview,
// starts the galaxy being edited in the editor's own picture and stops it again.
//
// A start saves the record fields that the editor's preview writes, lets the editor write its
// values and commit them, and runs the single-galaxy display inside the click until Stop (the
// button, Enter, or Escape, whose role the button takes while it runs) sets G_bCancel; then it
// puts every saved field back. A refused commit runs nothing and restores at once. While it
// runs every control of the window but the button is disabled.
//
// OK, Cancel and the close box go through AfterPreview: while a start call is on the stack they
// stop the preview and act only once that call has restored the record, so a commit is never
// undone by the restore and the window never goes away under its own display loop.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "model/galaxy_types.h"

namespace controls {
class CommandButton;
class Form;
}  // namespace controls
namespace host {
class PictureBox;
}  // namespace host
namespace presentation {
class RenderSurface;
}  // namespace presentation

namespace dialogs {

class PropsFields;

// What an editor gives its preview.
class PreviewedEditor {
 public:
  virtual ~PreviewedEditor() = default;
  virtual controls::Form& PreviewWindow() = 0;
  virtual controls::CommandButton& PreviewButton() = 0;  // cmdPreview, the default button
  virtual controls::CommandButton& DismissButton() = 0;  // cmdDismiss, the cancel button when idle
  virtual host::PictureBox& PreviewPicture() = 0;        // picPreview
  virtual PropsFields& PreviewProps() = 0;               // the Properties dialog's universe fields
  virtual int32_t PreviewIndex() const = 0;              // the galaxy type being edited
  virtual std::string_view IdleCaption() const = 0;      // cmdPreview's caption when idle
  // Copies the record fields that the preview writes from `from` to `to` (the save before a
  // run and the restore after it).
  virtual void CopyPreviewFields(const model::GalaxyTypeProps& from, model::GalaxyTypeProps& to) const = 0;
  // Writes the editor's own galaxy fields into record PreviewIndex() and commits the editor's
  // values; false when the commit is refused (the editor has shown why).
  virtual bool CommitForPreview() = 0;
  // Runs after a stop has enabled the window again.
  virtual void PreviewStopped() {}
};

// The fields each editor's preview saves and restores. Molecule: the whole atom block and the
// galaxy radius, rotation and distance; IFS: the whole IFS block and the same three; levels:
// the levels, level radius step, height multiplier, the three level switches, the radius and
// the distance.
void CopyMoleculePreviewFields(const model::GalaxyTypeProps& from, model::GalaxyTypeProps& to);
void CopyIfsPreviewFields(const model::GalaxyTypeProps& from, model::GalaxyTypeProps& to);
void CopyLevelsPreviewFields(const model::GalaxyTypeProps& from, model::GalaxyTypeProps& to);

// The molecule and IFS previews' own step: radius, rotation and distance from the three texts,
// each read as a committed box (WholeOfBoxText) within 0 to 30000; a text that is no number
// leaves its field as it was.
void WriteGalaxyValues(model::GalaxyTypeProps& record, std::string_view radius, std::string_view rotation,
                       std::string_view distance);
// The same three texts, read the same way, into the Properties dialog's galaxy boxes 0 to 2.
void MirrorGalaxyValues(PropsFields& props, std::string_view radius, std::string_view rotation,
                        std::string_view distance);

class EditorPreview {
 public:
  enum class State {
    Idle,      // no start call on the stack
    Running,   // the display runs; the button reads "Stop"
    Stopping,  // stopped, but the start call has not yet left the display and restored
  };

  explicit EditorPreview(PreviewedEditor& editor);
  // Unbinds the picture from the engine when it was bound.
  ~EditorPreview();
  EditorPreview(const EditorPreview&) = delete;
  EditorPreview& operator=(const EditorPreview&) = delete;

  State state() const { return state_; }
  // True while a start call is on the stack (running or stopping).
  bool Active() const { return state_ != State::Idle; }

  // cmdPreview_Click: starts when the button shows its idle caption, else stops.
  void Click();
  // The editor's preview procedure. A start while a stopped start call is still on the stack
  // starts once that call has returned; a stop while idle only sets G_bCancel.
  void Toggle(bool start);
  // Runs `action` now when no start call is on the stack; otherwise stops a running preview and
  // runs `action` once the start call has restored the record. A later closing action replaces
  // a pending one.
  void AfterPreview(std::function<void()> action);
  // For the window's Form_QueryUnload: while a start call is on the stack, stops the preview,
  // schedules the window's unload for when the call has restored the record, and returns true
  // (the window stays open until then). False when idle.
  bool DeferUnload();
  // The window is going: the engine forgets the picture.
  void Unbind();

  // The number of stars a preview shows for the universe star count text: 10 to 99999.
  static int32_t PreviewStarCount(std::string_view text);

 private:
  void Start();
  void Stop();
  void RestoreIdleRoles();

  PreviewedEditor& editor_;
  State state_ = State::Idle;
  const presentation::RenderSurface* bound_ = nullptr;  // the picture bound as render target
  std::function<void()> pending_;
};

}  // namespace dialogs
