#include "opponent/computer_player.h"

#include "opponent/search_player.h"
#include "opponent/weighted_player.h"

namespace tarlyk {

std::unique_ptr<ComputerPlayer> MakeComputerPlayer(int level, uint64_t seed) {
  if (level == 2) return std::make_unique<SearchPlayer>(seed);
  return std::make_unique<WeightedPlayer>(level);
}

}  // namespace tarlyk
