// The molecule editor's atom rows: structure type names, the fixed columns, and reading a row
// back for the record.
#include "dialogs/editors/molecule_rows.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using dialogs::AtomValues;

TEST(MoleculeRows, StructureTypeNamesAreTenCharactersAndMatchExactly) {
  const auto& names = dialogs::StructureTypeNames();
  for (const std::string& n : names) EXPECT_EQ(n.size(), 10u) << "[" << n << "]";
  EXPECT_EQ(names[0], "Single    ");
  EXPECT_EQ(names[9], "Tetramatrx");
  struct Case {
    const char* name;
    int32_t index;
  };
  const Case cases[] = {{"Single    ", 0}, {" 6 Point  ", 1}, {"38 Shell  ", 5},  {"Hexagrid  ", 7},
                        {"Hexamatrix", 11}, {"Hexagrid", 0},  {"hexagrid  ", 0}, {"", 0}};
  for (const Case& k : cases) EXPECT_EQ(dialogs::GetStructureTypeIndex(k.name), k.index) << "[" << k.name << "]";
  EXPECT_EQ(dialogs::StructureTypeName(12), "");
  EXPECT_EQ(dialogs::StructureTypeName(-1), "");
}

TEST(MoleculeRows, RowsLayTheirColumnsOutAndReadBackWhatWasPutIn) {
  struct Case {
    const char* name;
    const char* type;
    AtomValues values;
    const char* row;
    int32_t type_index;
    std::array<int32_t, 5> back;
  };
  const Case cases[] = {
      {"Carbon", "Single    ", {1000, 1000, 1000, 200, 0},
       "Carbon            Single      1000  1000  1000     200       0", 0, {1000, 1000, 1000, 200, 0}},
      {"Phosphorus", "Hexagrid  ", {8, 0, 0, 0, 100},
       "Phosphorus        Hexagrid       8     0     0       0     100", 7, {8, 0, 0, 0, 100}},
      // Halves go to the even neighbour; values beyond the column's range take its bound.
      {"Neon", "38 Shell  ", {2.5, 3.5, -4, 12345.6, 1e12},
       "Neon              38 Shell       2     4     0    9999    9999", 5, {2, 4, 0, 9999, 9999}},
      // A name longer than its column is cut; a short type name is right-aligned.
      {"An element name of many letters", "Cube", {1, 2, 3, 4, 5},
       "An element name of      Cube     1     2     3       4       5", 0, {1, 2, 3, 4, 5}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    const std::string row = dialogs::FormatAtomRow(k.name, k.type, k.values);
    EXPECT_EQ(row, k.row);
    EXPECT_EQ(row.size(), 62u);
    const dialogs::AtomColumns back = dialogs::ParseAtomRow(row);
    EXPECT_EQ(back.type, k.type_index);
    EXPECT_EQ(back.numbers, k.back);
  }
}

// A grid type's points per edge read back within 1..99; other types keep X up to 9999.
TEST(MoleculeRows, GridPointsPerEdgeReadBackWithinTheirRange) {
  struct Case {
    const char* type;
    double x;
    int32_t back;
  };
  const Case cases[] = {{"Rectgrid  ", 0, 1},   {"Hexagrid  ", 150, 99}, {"Hexamatrix", 42, 42},
                        {"Single    ", 150, 150}, {" 8 Point  ", 0, 0}};
  for (const Case& k : cases) {
    const std::string row = dialogs::FormatAtomRow("Oxygen", k.type, {k.x, 0, 0, 0, 10});
    EXPECT_EQ(dialogs::ParseAtomRow(row).numbers[0], k.back) << k.type << " " << k.x;
  }
}

TEST(MoleculeRows, ShortOrForeignRowsReadAsZeros) {
  EXPECT_EQ(dialogs::ParseAtomRow("").numbers, (std::array<int32_t, 5>{}));
  EXPECT_EQ(dialogs::ParseAtomRow("Carbon            Single      12").numbers, (std::array<int32_t, 5>{12, 0, 0, 0, 0}));
  EXPECT_EQ(dialogs::RowTypeText("Carbon"), "");
  EXPECT_EQ(dialogs::ParseAtomRow("Carbon            Nothing       1").type, 0);
}

}  // namespace
