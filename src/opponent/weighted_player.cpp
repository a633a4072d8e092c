#include "opponent/weighted_player.h"

#include "opponent/card_weights.h"
#include "opponent/computer_attack.h"
#include "opponent/computer_defence.h"

namespace tarlyk {

void WeightedPlayer::PrepareStep(OpponentView& seat) {
  CalcKoefs(seat.hand, 51, seat.kozir.Suid, level_);
}

int WeightedPlayer::Lead(const OpponentView& seat) {
  return FindGoingCard(seat);
}

int WeightedPlayer::ThrowIn(const OpponentView& seat) {
  return FindGoingCardWhichCanGo(seat);
}

int WeightedPlayer::Cover(const OpponentView& seat) {
  return FindGoingCardWhichCanBitsa(seat);
}

}  // namespace tarlyk
