// Angle constants of the engine: pi and 2 pi as the engine writes them everywhere, and the
// Single forms its comparisons use.
#pragma once

namespace model {

inline constexpr double kPi = 3.14159265358979;
inline constexpr double kTwoPi = 6.28318530717958;
inline constexpr float kTwoPiSingle = 6.2831855f;
inline constexpr float kPiSingle = 3.1415927f;

}  // namespace model
