// The score: games won, lost and drawn by the person. Owned by the settings side, which
// loads and stores it; the engine counts the games into it and writes the score line.
#pragma once

#include <cstdint>

namespace tarlyk {

struct ScoreCounters {
  int32_t Wins = 0;
  int32_t Loses = 0;
  int32_t Nones = 0;
};

}  // namespace tarlyk
