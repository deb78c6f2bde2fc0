// The engine's random numbers: a ring of 16384 15-bit integers, filled once at start-up and
// stepped by a lagged exclusive-or. Two read heads walk the same table; a draw through one
// changes what the other will find, so the sequence depends on the order of all draws.
#pragma once

#include <array>
#include <cstdint>

namespace model {

inline constexpr int kRandomTableSize = 16384;

struct RandomState {
  std::array<int32_t, kRandomTableSize> RandomTable{};
  int32_t singlePos = 0;   // read head of NextRandomSingle
  int32_t integerPos = 0;  // read head of NextRandomInteger
};
RandomState& randomState();

// Fills the table from a generator seeded by the clock; both heads back to 0.
void InitRandomTable();
// The same from a given seed (tests, benchmarks).
void InitRandomTableWithSeed(uint64_t seed);

// Next number in [0, 1): at most 32767/32768.
inline float NextRandomSingle() {
  RandomState& s = randomState();
  const int32_t p = s.singlePos;
  const int32_t q = (p + 1) & (kRandomTableSize - 1);
  s.RandomTable[p] ^= s.RandomTable[q];
  const float r = static_cast<float>(s.RandomTable[p]) * 3.0517578125E-05f;
  s.singlePos = q;
  return r;
}

// Next 16-bit integer, 0 to 32767.
inline int16_t NextRandomInteger() {
  RandomState& s = randomState();
  const int32_t p = s.integerPos;
  const int32_t q = (p + 1) & (kRandomTableSize - 1);
  s.RandomTable[p] ^= s.RandomTable[q];
  const auto r = static_cast<int16_t>(s.RandomTable[p] & 0x7FFF);
  s.integerPos = q;
  return r;
}

}  // namespace model
