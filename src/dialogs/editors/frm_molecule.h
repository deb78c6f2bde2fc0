// The molecule editor "User Defined Molecules": the atoms of one galaxy type of the molecule
// shape (up to 32, each a chemical element in one of 12 structure types around a common
// centre), with the galaxy's radius, rotation and distance, ten sample molecules and a live
// preview. The list, the boxes and the combos are the working copy; OK commits them into the
// galaxy type record and mirrors the three galaxy values into the Properties dialog.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dialogs/editors/editor_preview.h"
#include "platform/controls/controls.h"

namespace host {
class PictureBox;
}  // namespace host

namespace dialogs {

class PropsFields;

inline constexpr int kMoleculeHelpContext = 7300;

// A list box whose rows can be selected several at once; its ListIndex is the current row
// while that row is selected, else the first selected row, else -1.
class MultiSelectListBox : public controls::ListBox {
 public:
  explicit MultiSelectListBox(QWidget* parent, std::string name = {}, int index = -1);
  int32_t ListIndex() const override;
};

class frmMolecule : public controls::Form, public PreviewedEditor {
 public:
  explicit frmMolecule(PropsFields& props);
  ~frmMolecule() override;

  // The galaxy type record to edit (0 to 49); set before the window is shown.
  void FormLet(int32_t index) { index_ = index; }
  int32_t FormIndex() const { return index_; }

  controls::Frame* fraTheme = nullptr;
  controls::ComboBox* cboTheme = nullptr;
  controls::Label* lblTheme = nullptr;
  controls::Frame* fraCenter = nullptr;
  controls::ControlArray<controls::TextBox> txtCenter{"txtCenter"};
  controls::ControlArray<controls::Label> lblCenter{"lblCenter"};
  controls::Frame* fraGalaxy = nullptr;
  controls::ControlArray<controls::TextBox> txtGalaxy{"txtGalaxy"};
  controls::ControlArray<controls::Label> lblGalaxy{"lblGalaxy"};
  controls::Frame* fraAtoms = nullptr;
  MultiSelectListBox* lstElements = nullptr;
  controls::Label* lblPickElement = nullptr;
  controls::ComboBox* cboElement = nullptr;
  controls::Label* lblElement = nullptr;
  controls::TextBox* txtPropNumber = nullptr;
  controls::TextBox* txtPropSymbol = nullptr;
  controls::PictureBox* picPropColor = nullptr;
  controls::PictureBox* picDispColor = nullptr;
  controls::Label* lblType = nullptr;
  controls::ComboBox* cboType = nullptr;
  controls::ControlArray<controls::TextBox> txtProps{"txtProps"};
  controls::Label* lblLocX = nullptr;
  controls::Label* lblLocY = nullptr;
  controls::Label* lblLocZ = nullptr;
  controls::Label* lblRadius = nullptr;
  controls::Label* lblSymRadius = nullptr;
  controls::ControlArray<controls::CommandButton> cmdAction{"cmdAction"};
  controls::CommandButton* cmdPreview = nullptr;
  controls::CommandButton* cmdOK = nullptr;
  controls::CommandButton* cmdDismiss = nullptr;
  controls::CommandButton* cmdClear = nullptr;
  controls::CommandButton* cmdHelp = nullptr;
  controls::Frame* fraPreview = nullptr;
  host::PictureBox* picPreview = nullptr;
  controls::MenuItem* mnuResize = nullptr;

  // Handlers.
  void cboElement_Click();
  void cboType_Click();
  void cboTheme_Click();
  void lstElements_Click();
  void cmdAction_Click(int Index);
  void cmdClear_Click();
  void cmdOK_Click();
  void cmdDismiss_Click();
  void cmdHelp_Click();
  void cmdPreview_Click();

  // The row of the edit boxes: element name, structure type and the five numbers.
  std::string FormatElementRow() const;
  // Enables and names the property boxes for structure type t.
  void UpdateStructureTypeLabels(int32_t t);
  // Writes the list, the centre and the galaxy values into the record; with an empty list it
  // shows why and writes nothing (false).
  bool CommitMolecule();
  void ToggleMoleculePreview(bool start);
  // Fills the centre, galaxy values and list from a theme text.
  void LoadMoleculeTheme(const std::string& text);
  EditorPreview& Preview() { return preview_; }

  // PreviewedEditor.
  controls::Form& PreviewWindow() override { return *this; }
  controls::CommandButton& PreviewButton() override { return *cmdPreview; }
  controls::CommandButton& DismissButton() override { return *cmdDismiss; }
  host::PictureBox& PreviewPicture() override { return *picPreview; }
  PropsFields& PreviewProps() override { return props_; }
  int32_t PreviewIndex() const override { return index_; }
  std::string_view IdleCaption() const override { return "Preview Molecule"; }
  void CopyPreviewFields(const model::GalaxyTypeProps& from, model::GalaxyTypeProps& to) const override;
  bool CommitForPreview() override;
  void PreviewStopped() override;

 protected:
  void Form_Load() override;
  void Form_Resize() override;
  void Form_QueryUnload(int& Cancel, int UnloadMode) override;
  void Form_Unload(int& Cancel) override;

 private:
  void CreateControls();
  void AddRow(int32_t element, const std::string& row);
  bool ValidRecordIndex() const;

  PropsFields& props_;
  int32_t index_ = -1;
  EditorPreview preview_{*this};
};

// Opens the molecule editor on galaxy type n (0 to 49) modally and releases it when it has
// closed; any other n opens nothing.
void ShowMoleculeEditor(PropsFields& props, int32_t n);

}  // namespace dialogs
