// The molecule editor opened offscreen on one galaxy type whose record holds a known molecule,
// with a stand-in Properties dialog, a message recorder and a fake pacer for previews.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <cstring>
#include <functional>
#include <string>

#include "dialogs/editors/editor_pacer.h"
#include "dialogs/editors/fake_props_fields.h"
#include "dialogs/editors/frm_molecule.h"
#include "engine/engine_fixture.h"
#include "host/qt_test_app.h"
#include "model/galaxy_types.h"
#include "platform/controls/controls.h"
#include "support/test_support.h"

namespace dialogstest {

inline constexpr int32_t kMoleculeIndex = 5;

inline model::GalaxyTypeProps& MoleculeRecord() { return model::records().GalaxyTypes[kMoleculeIndex]; }

// An atom as the record keeps it.
struct Atom {
  int32_t element, type, x, y, z, radius, extra;
  bool operator==(const Atom&) const = default;
};

inline Atom AtomOf(const model::AtomBlock& a, int32_t i) {
  const auto k = static_cast<size_t>(i);
  return {a.AtomElement[k], a.AtomType[k], a.AtomX[k], a.AtomY[k], a.AtomZ[k], a.AtomRadius[k], a.AtomExtra[k]};
}

inline void PutAtom(model::AtomBlock& a, int32_t i, const Atom& atom) {
  const auto k = static_cast<size_t>(i);
  a.AtomElement[k] = atom.element;
  a.AtomType[k] = atom.type;
  a.AtomX[k] = atom.x;
  a.AtomY[k] = atom.y;
  a.AtomZ[k] = atom.z;
  a.AtomRadius[k] = atom.radius;
  a.AtomExtra[k] = atom.extra;
}

class MoleculeEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureQtApplication();
    enginetest::ResetEngineModules(5);
    enginetest::InstallFakeHost(&pacer);
    controls::ResetState();
    controls::state().beep = [this] { ++beeps; };
    props.galName = "My Molecule";
    props.galaxy = {{0, "111"}, {1, "222"}, {2, "333"}, {95, "240"}};
    props.uni = {{0, "800"}, {16, "170"}, {17, "250"}};
    // The stored molecule: sulphur at the origin and a hexagonal grid of sodium.
    model::GalaxyTypeProps& r = MoleculeRecord();
    r.Galaxy_GalStyle = 9;
    r.Galaxy_Radius = 1500;
    r.Galaxy_Rotation = 700;
    r.Galaxy_Distance = 2500;
    r.Atoms.Galaxy_Atoms = 2;
    r.Atoms.Atom_CenterX = 10;
    r.Atoms.Atom_CenterY = 20;
    r.Atoms.Atom_CenterZ = 30;
    PutAtom(r.Atoms, 0, {16, 0, 100, 200, 300, 100, 0});
    PutAtom(r.Atoms, 1, {11, 7, 4, 0, 0, 40, 200});
    r.Atoms.AtomPoints[0] = r.Atoms.AtomPoints[1] = 1;
    stored = r;
    Open();
  }
  void TearDown() override {
    Close();
    enginetest::InstallFakeHost(nullptr);
    controls::ResetState();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  void Open(int32_t index = kMoleculeIndex) {
    w = new dialogs::frmMolecule(props);
    w->FormLet(index);
    w->EnsureLoaded();
  }
  void Close() {
    if (w == nullptr) return;
    w->Release();
    w = nullptr;
  }
  // Shows the window and gives it the keyboard.
  void ShowActive() {
    w->show();
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
  }
  // The edit boxes as Add and Update read them.
  void Pick(int32_t element, int32_t type, std::initializer_list<const char*> boxes) {
    w->cboElement->SetListIndex(element - 1);
    w->cboType->SetListIndex(type);
    int i = 0;
    for (const char* b : boxes) w->txtProps[i++].SetText(b);
  }
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    for (int32_t i = 0; i < w->lstElements->ListCount(); ++i) rows.push_back(w->lstElements->List(i));
    return rows;
  }
  void ExpectAtomsAsStored() {
    EXPECT_EQ(std::memcmp(&MoleculeRecord().Atoms, &stored.Atoms, sizeof stored.Atoms), 0);
    EXPECT_EQ(MoleculeRecord().Galaxy_Radius, stored.Galaxy_Radius);
    EXPECT_EQ(MoleculeRecord().Galaxy_Rotation, stored.Galaxy_Rotation);
    EXPECT_EQ(MoleculeRecord().Galaxy_Distance, stored.Galaxy_Distance);
  }

  testsupport::TempConfig config;
  testsupport::MessageRecorder messages;
  dialogs::testing::FakePropsFields props;
  Pacer pacer;
  dialogs::frmMolecule* w = nullptr;
  model::GalaxyTypeProps stored;
  int beeps = 0;
};

}  // namespace dialogstest
