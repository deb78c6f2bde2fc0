// Shared set-up of the placement tests: fresh galaxy records and shape tables, and a random
// table primed so that the next draws of each read head return chosen values.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "model/galaxy_types.h"
#include "model/random_table.h"
#include "engine/shape_tables.h"

namespace placementtest {

// Where the integer head starts, far from the draws of the single head.
inline constexpr int32_t kIntegerStart = 8192;

// A draw of NextRandomSingle at position p XORs entry p with entry p + 1 and returns the
// result; entry p + 1 is still untouched then. So filling the table backwards from a zero
// entry makes draw i return exactly values[i].
inline void PrimeHead(int32_t start, const std::vector<int32_t>& values) {
  auto& t = model::randomState().RandomTable;
  int32_t next = 0;
  t[static_cast<size_t>(start) + values.size()] = 0;
  for (size_t i = values.size(); i-- > 0;) {
    t[static_cast<size_t>(start) + i] = values[i] ^ next;
    next = t[static_cast<size_t>(start) + i];
  }
}

// Zeroes the table and primes both heads: `singles` are the 15-bit values behind the next
// NextRandomSingle draws (value / 32768), `integers` the next NextRandomInteger results.
inline void InjectDraws(const std::vector<int32_t>& singles, const std::vector<int32_t>& integers = {}) {
  auto& s = model::randomState();
  s.RandomTable.fill(0);
  s.singlePos = 0;
  s.integerPos = kIntegerStart;
  PrimeHead(0, singles);
  PrimeHead(kIntegerStart, integers);
}

// Draws taken through each head since InjectDraws.
inline int32_t SinglesDrawn() { return model::randomState().singlePos; }
inline int32_t IntegersDrawn() { return model::randomState().integerPos - kIntegerStart; }

// The Single that a 15-bit table value gives.
inline double Draw(int32_t v) { return v / 32768.0; }

// The cosine and sine of a Single angle as stored after a double-precision evaluation.
inline float StoredCos(float a) { return static_cast<float>(std::cos(static_cast<double>(a))); }
inline float StoredSin(float a) { return static_cast<float>(std::sin(static_cast<double>(a))); }

// The first Single at or above `from` for which `differs` holds (0 when none within a
// million steps); used to find angles where single-precision trigonometry would show.
template <class Pred>
float FirstAngleWhere(float from, Pred differs) {
  float a = from;
  for (int i = 0; i < 1000000; ++i, a = std::nextafter(a, 100.0f))
    if (differs(a)) return a;
  return 0.0f;
}

class PlacementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    model::ResetGalaxyRecords();
    engine::shapeTables() = engine::ShapeTables{};
    model::InitRandomTableWithSeed(12345);
  }
  void TearDown() override {
    model::ResetGalaxyRecords();
    engine::shapeTables() = engine::ShapeTables{};
  }
  static model::GalaxyTypeProps& Type(int32_t t) {
    return model::records().GalaxyTypes[static_cast<size_t>(t)];
  }
};

}  // namespace placementtest
