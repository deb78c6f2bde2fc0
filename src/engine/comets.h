// Comets: a galaxy type may throw comets. A head is placed on the galaxy like one of its
// particles, moves with the galaxy's own motion (or, with the comet vector option, straight
// outwards) and sheds a tail of stars that the solar wind blows away from the centre; the
// tail stars are single pixels whose colour runs down the type's hue range as they age.
//
// The pool of heads is module data (201 slots, never re-sized); the tail star list belongs
// to the display loop, which allocates one CometTailList per display.
#pragma once

#include <array>
#include <cstdint>

namespace engine {

inline constexpr int kCometSlots = 201;            // heads 0 to 200
inline constexpr int kMaxCometCount = 200;         // slots in use at most
inline constexpr int kCometTailCapacity = 5000;    // tail stars 0 to 4999
inline constexpr int kCometTailColourRows = 80;    // ages drawn: 0 to 79

// The tail stars of a display. Comet k owns entries k * S to (k + 1) * S - 1, S the tail
// stars per comet of the comet galaxy's type. Positions are relative to the galaxy centre,
// already tilted.
struct CometTailList {
  std::array<float, kCometTailCapacity> TailX{}, TailY{}, TailZ{};
  std::array<float, kCometTailCapacity> TailVelX{}, TailVelY{}, TailVelZ{};
  std::array<int32_t, kCometTailCapacity> TailAge{};
  std::array<bool, kCometTailCapacity> TailAlive{};
};

// The heads. A slot is free while CometStarsLeft is 0.
struct CometPool {
  std::array<bool, kCometSlots> CometAlive{};         // the head exists and sheds stars
  std::array<int32_t, kCometSlots> CometStarsLeft{};  // tail stars still alive
  std::array<int32_t, kCometSlots> CometLevel{};      // level whose tilt the head takes
  std::array<float, kCometSlots> CometX{}, CometY{}, CometZ{};           // head, untilted
  std::array<float, kCometSlots> CometVelX{}, CometVelY{}, CometVelZ{};  // vector option
  std::array<float, kCometSlots> CometSpinCos{}, CometSpinSin{};         // turn per frame
  std::array<float, kCometSlots> CometPathT{};  // place on the galaxy's ribbon (nebula style)
};
CometPool& cometPool();

// Comet slots for a type: Min(Int(5000 / Max(1, Galaxy_CometStars)), 200), so all tails fit.
int32_t CometCountFor(int32_t galaxyType);

// bClear > 0 clears TailAlive; CometCount from the type's tail length; then RedimCometPool.
void InitCometPool(CometTailList& tails, int32_t& CometCount, int32_t bClear, int32_t galaxyType);
// Every head slot back to its empty state.
void RedimCometPool();

// One frame of comets of galaxy `galaxy` (centre relative to the camera given) with the
// comet settings of `galaxyType`: starts at most one comet in a free slot (only from tour
// leg 3 on), then moves every head and its tail, draws the tail stars, and lets heads die.
void SpawnComet(CometTailList& tails, float centreX, float centreY, float centreZ, int32_t galaxy,
                int32_t galaxyType, int32_t CometCount, int32_t TourLeg);

}  // namespace engine
