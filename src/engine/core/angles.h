// Angle constants of the engine: 2 pi as the engine writes it everywhere, and the Single
// forms its comparisons use.
#pragma once

namespace engine {

inline constexpr double kTwoPi = 6.28318530717958;
inline constexpr float kTwoPiSingle = 6.2831855f;
inline constexpr float kPiSingle = 3.1415927f;

}  // namespace engine
