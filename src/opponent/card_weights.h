// The computer's weights on each card of its hand and the game stage.
#pragma once

#include "game/piles.h"

namespace tarlyk {

// 1 - stockCount / D with D = 39 for the 52-card option, 23 otherwise.
long double CalcGameStage(int stockCount, int cardsCountOption);
// Rewrites GoKoef and BitsaKoef of every present card in slots 0..high.
void CalcKoefs(Pile cards, int high, uint8_t kozirSuid, int level);
// Present non-trump cards of this rank in slots 0..high.
int ThisValueCount(uint8_t value, ConstPile cards, int high, uint8_t kozirSuid);
// Present cards of this suit in slots 0..high, trumps included.
int ThisSuidCount(uint8_t suid, ConstPile cards, int high);

}  // namespace tarlyk
