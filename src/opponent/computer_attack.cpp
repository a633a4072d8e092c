#include "opponent/computer_attack.h"

#include <cstddef>

namespace tarlyk {

int FindGoingCard(const OpponentView& seat) {
  int best = -1;
  for (std::size_t i = 0; i < seat.hand.size(); ++i) {
    const TCardRec& c = seat.hand[i];
    if (!IsPresent(c)) continue;
    if (best < 0 || c.GoKoef < seat.hand[static_cast<std::size_t>(best)].GoKoef) {
      best = static_cast<int>(i);
    }
  }
  return best < 0 ? -1 : best + 1;
}

int FindGoingCardWhichCanGo(const OpponentView& seat) {
  // A defender without cards gets nothing more.
  if (!seat.opponentHasCards) return -1;
  int best = -1;
  for (std::size_t i = 0; i < seat.hand.size(); ++i) {
    const TCardRec& c = seat.hand[i];
    if (!IsPresent(c) || !c.GoFlag) continue;
    if (best < 0 || c.GoKoef < seat.hand[static_cast<std::size_t>(best)].GoKoef) {
      best = static_cast<int>(i);
    }
  }
  if (best < 0) return -1;
  // Past the first fifth of the stock a high trump is kept rather than thrown in.
  if (seat.GameStage > 0.2L && seat.hand[static_cast<std::size_t>(best)].GoKoef > 25) return -1;
  return best + 1;
}

}  // namespace tarlyk
