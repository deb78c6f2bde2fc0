// The ten sample molecules: each one chosen and committed by OK gives the record the values of
// its table; choosing one only fills the editor.
#include "dialogs/editors/molecule_themes.h"

#include <vector>

#include "dialogs/editors/molecule_fixture.h"

namespace dialogstest {
namespace {

struct ThemeTable {
  const char* name;
  std::array<int32_t, 3> centre;
  std::array<int32_t, 3> galaxy;  // radius, rotation, distance
  std::vector<Atom> atoms;
};

std::vector<Atom> Octanitrocubane() {
  std::vector<Atom> atoms = {
      {6, 0, 900, 900, 900, 40, 0},      {6, 0, 900, 900, 1100, 40, 0},    {6, 0, 900, 1100, 900, 40, 0},
      {6, 0, 900, 1100, 1100, 40, 0},    {6, 0, 1100, 900, 900, 40, 0},    {6, 0, 1100, 900, 1100, 40, 0},
      {6, 0, 1100, 1100, 900, 40, 0},    {6, 0, 1100, 1100, 1100, 40, 0},  {7, 0, 800, 800, 800, 50, 0},
      {7, 0, 800, 800, 1200, 50, 0},     {7, 0, 800, 1200, 800, 50, 0},    {7, 0, 800, 1200, 1200, 50, 0},
      {7, 0, 1200, 800, 800, 50, 0},     {7, 0, 1200, 800, 1200, 50, 0},   {7, 0, 1200, 1200, 800, 50, 0},
      {7, 0, 1200, 1200, 1200, 50, 0},   {8, 0, 800, 700, 800, 20, 0},     {8, 0, 700, 800, 700, 20, 0},
      {8, 0, 800, 700, 1200, 20, 0},     {8, 0, 700, 800, 1300, 20, 0},    {8, 0, 800, 1300, 800, 20, 0},
      {8, 0, 700, 1200, 700, 20, 0},     {8, 0, 800, 1300, 1200, 20, 0},   {8, 0, 700, 1200, 1300, 20, 0},
      {8, 0, 1200, 700, 800, 20, 0},     {8, 0, 1300, 800, 700, 20, 0},    {8, 0, 1200, 700, 1200, 20, 0},
      {8, 0, 1300, 800, 1300, 20, 0},    {8, 0, 1200, 1300, 800, 20, 0},   {8, 0, 1300, 1200, 700, 20, 0},
      {8, 0, 1200, 1300, 1200, 20, 0},   {8, 0, 1300, 1200, 1300, 20, 0}};
  return atoms;
}

const std::vector<ThemeTable>& Tables() {
  static const std::vector<ThemeTable> t = {
      {"Methane", {1000, 1000, 1000}, {1000, 1500, 750},
       {{6, 0, 1000, 1000, 1000, 200, 0}, {1, 0, 1000, 1400, 1000, 75, 0}, {1, 0, 1000, 775, 700, 75, 0},
        {1, 0, 750, 775, 1200, 75, 0}, {1, 0, 1250, 775, 1200, 75, 0}}},
      {"Octanitrocubane", {1000, 1000, 1000}, {1500, 750, 1250}, Octanitrocubane()},
      {"Hexagonal Plane", {0, 0, 0}, {2000, 750, 2000},
       {{16, 0, 0, 0, 0, 100, 0}, {11, 7, 2, 0, 0, 40, 200}, {8, 7, 5, 0, 0, 10, 100}, {9, 7, 8, 0, 0, 0, 100}}},
      {"Tetrahedral Lattice", {0, 0, 0}, {4000, 500, 5000},
       {{7, 9, 11, 0, 0, 0, 200}, {6, 9, 7, 0, 0, 5, 200}, {9, 9, 5, 0, 0, 15, 200}, {10, 9, 3, 0, 0, 50, 200}}},
      {"Cubic Hydrocarbon Lattice", {0, 0, 0}, {2000, 1000, 2500},
       {{8, 8, 11, 0, 0, 1, 100}, {6, 8, 7, 0, 0, 8, 100}, {1, 8, 3, 0, 0, 15, 100}}},
      {"Hexagonal Nested Lattice", {0, 0, 0}, {2000, 1000, 5000},
       {{6, 11, 3, 0, 0, 35, 200}, {9, 11, 5, 0, 0, 15, 200}, {8, 11, 9, 0, 0, 0, 200}}},
      {"Active Gas Configuration", {0, 0, 0}, {500, 1000, 300},
       {{1, 1, 0, 0, 0, 35, 150}, {8, 2, 0, 0, 0, 50, 120}, {9, 2, 0, 0, 0, 15, 120}, {7, 3, 0, 0, 0, 20, 300}}},
      {"Shells and Points Configuration", {0, 0, 0}, {1000, 2000, 600},
       {{1, 4, 0, 0, 0, 15, 100}, {17, 3, 0, 0, 0, 30, 200}, {7, 2, 0, 0, 0, 50, 175}, {10, 1, 0, 0, 0, 20, 325}}},
      {"Nested Shell Configuration", {0, 0, 0}, {1200, 500, 1800},
       {{8, 5, 0, 0, 0, 80, 750}, {11, 5, 0, 0, 0, 40, 750}, {16, 5, 0, 0, 0, 20, 750}, {7, 4, 0, 0, 0, 40, 250},
        {6, 4, 0, 0, 0, 20, 250}, {1, 4, 0, 0, 0, 10, 250}}},
      {"Star Point System", {0, 0, 0}, {1000, 500, 2000},
       {{16, 3, 0, 0, 0, 10, 100}, {11, 3, 0, 0, 0, 20, 175}, {8, 3, 0, 0, 0, 30, 250}, {8, 3, 0, 0, 0, 30, 250},
        {17, 4, 0, 0, 0, 75, 600}, {17, 4, 0, 0, 0, 75, 600}, {1, 4, 0, 0, 0, 25, 600}, {6, 5, 0, 0, 0, 30, 1100},
        {7, 5, 0, 0, 0, 20, 1175}, {9, 5, 0, 0, 0, 10, 1250}}},
  };
  return t;
}

TEST_F(MoleculeEditorTest, EveryThemeCommittedByOkGivesTheRecordItsTable) {
  const int32_t points[] = {1, 6, 8, 18, 26, 38, 1, 1, 1, 1, 1, 1};
  for (int32_t n = 1; n <= 10; ++n) {
    const ThemeTable& t = Tables()[static_cast<size_t>(n - 1)];
    SCOPED_TRACE(t.name);
    EXPECT_EQ(dialogs::MoleculeThemeName(n), t.name);
    EXPECT_EQ(w->cboTheme->List(n), t.name);
    props.galaxyWrites.clear();
    w->cboTheme->SetListIndex(n);
    EXPECT_EQ(w->lblTheme->Caption(), std::string(t.name) + ".");
    EXPECT_EQ(w->lstElements->ListCount(), static_cast<int32_t>(t.atoms.size()));
    w->cmdOK->PerformClick();
    ASSERT_FALSE(w->IsLoaded());

    const model::GalaxyTypeProps& r = MoleculeRecord();
    ASSERT_EQ(r.Atoms.Galaxy_Atoms, static_cast<int32_t>(t.atoms.size()));
    EXPECT_EQ(r.Atoms.Atom_CenterX, t.centre[0]);
    EXPECT_EQ(r.Atoms.Atom_CenterY, t.centre[1]);
    EXPECT_EQ(r.Atoms.Atom_CenterZ, t.centre[2]);
    EXPECT_EQ(r.Galaxy_Radius, t.galaxy[0]);
    EXPECT_EQ(r.Galaxy_Rotation, t.galaxy[1]);
    EXPECT_EQ(r.Galaxy_Distance, t.galaxy[2]);
    for (size_t i = 0; i < t.atoms.size(); ++i) {
      EXPECT_EQ(AtomOf(r.Atoms, static_cast<int32_t>(i)), t.atoms[i]) << "atom " << i;
      EXPECT_EQ(r.Atoms.AtomPoints[i], points[t.atoms[i].type]) << "atom " << i;
    }
    EXPECT_EQ(props.galaxyWrites,
              (std::vector<std::pair<int, std::string>>{{0, std::to_string(t.galaxy[0])},
                                                        {1, std::to_string(t.galaxy[1])},
                                                        {2, std::to_string(t.galaxy[2])}}));
    Close();
    Open();
  }
}

TEST_F(MoleculeEditorTest, AThemeOnlyFillsTheEditor) {
  // "Select a Theme" loads nothing.
  w->cboTheme->SetListIndex(3);
  w->cboTheme->SetListIndex(0);
  EXPECT_EQ(w->lstElements->ListCount(), 4);
  EXPECT_EQ(w->lblTheme->Caption(), "Hexagonal Plane.");

  // Theme 3: a sulphur single at the origin and three hexagonal grids of 2, 5 and 8 points per
  // edge; the element and type combos and the property boxes are not touched.
  w->cboElement->SetListIndex(2);
  w->txtProps[0].SetText("42");
  ASSERT_EQ(w->lstElements->ListCount(), 4);
  EXPECT_EQ(w->lstElements->List(0), "Sulphur           Single         0     0     0     100       0");
  EXPECT_EQ(w->lstElements->List(1), "Sodium            Hexagrid       2     0     0      40     200");
  EXPECT_EQ(w->lstElements->List(2), "Oxygen            Hexagrid       5     0     0      10     100");
  EXPECT_EQ(w->lstElements->List(3), "Flourine          Hexagrid       8     0     0       0     100");
  EXPECT_EQ(w->txtCenter[0].Text(), "0");
  EXPECT_EQ(w->txtGalaxy[2].Text(), "2000");
  EXPECT_EQ(w->cboElement->ListIndex(), 2);
  EXPECT_EQ(w->txtProps[0].Text(), "42");

  // Theme 2 holds 32 rows, so Add refuses another.
  w->cboTheme->SetListIndex(2);
  EXPECT_EQ(w->lstElements->ListCount(), 32);
  w->cboType->SetListIndex(0);
  w->cmdAction[0].PerformClick();
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(w->lstElements->ListCount(), 32);

  // Cancel leaves the record as stored.
  w->cmdDismiss->PerformClick();
  EXPECT_FALSE(w->IsLoaded());
  ExpectAtomsAsStored();
  EXPECT_TRUE(props.galaxyWrites.empty());
}

TEST(MoleculeThemeTexts, TextsEndWithACommaAndOnlyTenExist) {
  for (int32_t n = 1; n <= 10; ++n) {
    const std::string text = dialogs::GetMoleculeThemeText(n);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), ',');
  }
  for (int32_t n : {0, 11, -1}) EXPECT_EQ(dialogs::GetMoleculeThemeText(n), "");
  EXPECT_EQ(dialogs::MoleculeThemeName(0), "Select a Theme");
  EXPECT_EQ(dialogs::MoleculeThemeName(11), "");
}

}  // namespace
}  // namespace dialogstest
