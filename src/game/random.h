// The program's pseudo-random generator: one object, seeded once.
#pragma once

#include <cstdint>
#include <random>

#include "game/game_interfaces.h"

namespace tarlyk {

class SeededRandom final : public IRandom {
 public:
  explicit SeededRandom(uint64_t seed) : engine_(seed) {}
  // Seeds from the clock.
  static SeededRandom FromClock();
  void Seed(uint64_t seed) { engine_.seed(seed); }
  int Random(int range) override;

 private:
  std::mt19937_64 engine_;
};

}  // namespace tarlyk
