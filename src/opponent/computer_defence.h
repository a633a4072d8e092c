// The computer's choice of a beating card, or its decision to take.
#pragma once

#include "opponent/opponent_view.h"

namespace tarlyk {

// Position (index + 1) of the card with the highest BitsaKoef among those with
// BitsaFlag, or -1 when the computer takes.
int FindGoingCardWhichCanBitsa(const OpponentView& seat);

}  // namespace tarlyk
