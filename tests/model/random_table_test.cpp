#include <gtest/gtest.h>

#include "model/random_table.h"

using namespace model;

TEST(RandomTable, HeadsStepByLaggedXorAndWrap) {
  auto& s = model::randomState();
  for (int i = 0; i < model::kRandomTableSize; ++i) s.RandomTable[i] = i & 0x7FFF;
  s.singlePos = s.integerPos = 0;
  // First draw: entry 0 becomes 0 ^ 1 = 1.
  EXPECT_FLOAT_EQ(model::NextRandomSingle(), 1.0f / 32768.0f);
  EXPECT_EQ(s.RandomTable[0], 1);
  // The integer head starts at 0 too and sees the changed entry: 1 ^ 1 = 0.
  EXPECT_EQ(model::NextRandomInteger(), 0);
  for (int i = 1; i < model::kRandomTableSize; ++i) model::NextRandomSingle();
  EXPECT_EQ(s.singlePos, 0);
  // The last step of the ring reads entry 0 as its partner.
  EXPECT_EQ(s.integerPos, 1);
}

TEST(RandomTable, BoundsAndZeroTable) {
  model::InitRandomTableWithSeed(12345);
  auto& s = model::randomState();
  for (int v : s.RandomTable) {
    ASSERT_GE(v, 0);
    ASSERT_LE(v, 32766);
  }
  for (int i = 0; i < 100000; ++i) {
    float r = model::NextRandomSingle();
    ASSERT_GE(r, 0.0f);
    ASSERT_LE(r, 32767.0f / 32768.0f);
    ASSERT_GE(model::NextRandomInteger(), 0);
  }
  s.RandomTable.fill(0);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(model::NextRandomSingle(), 0.0f);
  // The same seed gives the same sequence.
  model::InitRandomTableWithSeed(7);
  float a = model::NextRandomSingle();
  model::InitRandomTableWithSeed(7);
  EXPECT_EQ(model::NextRandomSingle(), a);
}
