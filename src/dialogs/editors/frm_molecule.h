// The molecule editor "User Defined Molecules": the atoms of one galaxy type of the molecule
// shape (up to 32, each a chemical element in one of 12 structure types around a common
// centre), with the galaxy's radius, rotation and distance, ten sample molecules and a live
// preview. The list, the boxes and the combos are the working copy; OK commits them into the
// galaxy type record and mirrors the three galaxy values into the Properties dialog.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dialogs/editors/galaxy_editor.h"
#include "platform/controls/controls.h"

namespace dialogs {

inline constexpr int kMoleculeHelpContext = 7300;

// A list box whose rows can be selected several at once; its ListIndex is the current row
// while that row is selected, else the first selected row, else -1.
class MultiSelectListBox : public controls::ListBox {
 public:
  explicit MultiSelectListBox(QWidget* parent, std::string name = {}, int index = -1);
  int32_t ListIndex() const override;
};

class frmMolecule : public GalaxyEditorWindow {
 public:
  explicit frmMolecule(PropsFields& props);
  ~frmMolecule() override;

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
  controls::CommandButton* cmdOK = nullptr;
  controls::CommandButton* cmdClear = nullptr;
  controls::CommandButton* cmdHelp = nullptr;
  controls::Frame* fraPreview = nullptr;
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

  // PreviewedEditor.
  void CopyPreviewFields(const model::GalaxyTypeProps& from, model::GalaxyTypeProps& to) const override;
  bool CommitForPreview() override;
  void PreviewStopped() override;

 protected:
  void Form_Load() override;
  void Form_Resize() override;
  void Form_Unload(int& Cancel) override;

 private:
  void CreateControls();
  void FitAtomsFrame();
  void AddRow(int32_t element, const std::string& row);
};

}  // namespace dialogs
