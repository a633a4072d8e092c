// Where the cards of a hand lie on the table, and which card a point hits.
// Shared by the painter and the turn controller, so both see the same layout.
#pragma once

#include "game/card.h"

namespace tarlyk {

// Left x of the k-th drawn card (k = 0..n-1) of a hand of n >= 1 cards on a table
// W pixels wide, halves rounded to even.
int HandCardX(int k, int n, int tableWidth);
// 1-based position of the hand's card under (x, y), or -1. n is the number of cards
// in the (sorted, gap-free) hand; an empty hand hits nothing.
int UnderCard(int x, int y, int n, int tableWidth, int tableHeight);

}  // namespace tarlyk
