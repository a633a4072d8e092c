#include "game/random.h"

#include <chrono>

namespace tarlyk {

SeededRandom SeededRandom::FromClock() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const auto ticks = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
  return SeededRandom(static_cast<uint64_t>(ticks));
}

int SeededRandom::Random(int range) {
  if (range <= 1) return 0;
  // uniform_int_distribution rejects out-of-range draws, so every value is equally likely.
  std::uniform_int_distribution<int> dist(0, range - 1);
  return dist(engine_);
}

}  // namespace tarlyk
