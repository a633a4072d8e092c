// The computer's lead and throw-in by its weights.
#pragma once

#include "opponent/opponent_view.h"

namespace tarlyk {

// Position (index + 1) of the card with the lowest GoKoef, lowest slot on ties; -1 if none.
int FindGoingCard(const OpponentView& seat);
// Position of the card to throw in among those with GoFlag, or -1 (held back late
// in the game when the best one is a high trump, or when the other side has no cards).
int FindGoingCardWhichCanGo(const OpponentView& seat);

}  // namespace tarlyk
