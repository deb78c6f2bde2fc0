#include "model/random_table.h"

#include <chrono>
#include <cmath>
#include <random>

namespace model {

RandomState& randomState() {
  static RandomState s;
  return s;
}

void InitRandomTableWithSeed(uint64_t seed) {
  std::mt19937_64 gen(seed);
  std::uniform_real_distribution<double> uni(0.0, 1.0);
  RandomState& s = randomState();
  for (auto& e : s.RandomTable) {
    // floor(r * 32767) with r in [0, 1): 0 to 32766.
    e = static_cast<int32_t>(std::floor(uni(gen) * 32767.0));
    if (e > 32766) e = 32766;
  }
  s.singlePos = 0;
  s.integerPos = 0;
}

void InitRandomTable() {
  InitRandomTableWithSeed(static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                          static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
}

}  // namespace model
