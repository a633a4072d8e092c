// The normal (level 0) and maximum (any other level) computer players: weights on each
// card of the hand at the start of a round, then the lowest going weight leads or is
// thrown in and the highest beating weight covers.
#pragma once

#include "opponent/computer_player.h"

namespace tarlyk {

class WeightedPlayer final : public ComputerPlayer {
 public:
  explicit WeightedPlayer(int level) : level_(level) {}

  void PrepareStep(OpponentView& seat) override;
  int Lead(const OpponentView& seat) override;
  int ThrowIn(const OpponentView& seat) override;
  int Cover(const OpponentView& seat) override;

 private:
  int level_;
};

}  // namespace tarlyk
