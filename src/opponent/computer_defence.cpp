#include "opponent/computer_defence.h"

#include <cstddef>

namespace tarlyk {

int FindGoingCardWhichCanBitsa(const OpponentView& seat) {
  int best = -1;
  for (std::size_t i = 0; i < seat.hand.size(); ++i) {
    const TCardRec& c = seat.hand[i];
    if (!IsPresent(c) || !c.BitsaFlag) continue;
    if (best < 0 || c.BitsaKoef > seat.hand[static_cast<std::size_t>(best)].BitsaKoef) {
      best = static_cast<int>(i);
    }
  }
  if (best < 0) return -1;
  // Until the late game a queen, king or ace of trumps is kept: the computer takes instead.
  const TCardRec& chosen = seat.hand[static_cast<std::size_t>(best)];
  if (seat.GameStage < 0.8L && chosen.Suid == seat.kozir.Suid && chosen.Value >= kQueen) return -1;
  return best + 1;
}

}  // namespace tarlyk
