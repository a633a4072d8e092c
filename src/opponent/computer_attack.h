// The computer's lead and throw-in, and laying its card on the table.
#pragma once

#include "opponent/opponent_view.h"

namespace tarlyk {

// Position (index + 1) of the card with the lowest GoKoef, lowest slot on ties; -1 if none.
int FindGoingCard(const OpponentView& seat);
// Position of the card to throw in among those with GoFlag, or -1 (held back late
// in the game when the best one is a high trump, or when the person has no cards).
int FindGoingCardWhichCanGo(const OpponentView& seat);
// Moves the card at position onto the computer's half of the table. kind 1 lead or
// throw-in, 0 beating card; any other kind does nothing.
void MakeStep(OpponentView& seat, int position, int kind);
// The same move on the computer's hand and the table themselves: laying a chosen card
// needs nothing else of the seat.
void MakeStep(Pile hand, std::span<TCardRec, 12> desk, int position, int kind);

}  // namespace tarlyk
