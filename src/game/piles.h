// Pile operations: every pile is a fixed-size array of card records; the span carries
// the highest index. Positions handed to callers are index + 1, or -1.
#pragma once

#include <span>
#include <string>

#include "game/card.h"

namespace tarlyk {

using Pile = std::span<TCardRec>;
using ConstPile = std::span<const TCardRec>;

// Copies card into the first empty slot with index >= startFrom - 1.
bool AddCardToArray(Pile pile, const TCardRec& card, int startFrom);
int GetCardsCount(ConstPile pile);
// Index of the lowest occupied slot, or -1.
int GetFirstID(ConstPile pile);
// Compacts the pile in place, keeping the cards' relative order.
void RemoveSpaces(Pile pile);
// Index of the smallest card at or after start (face value, x100 for trumps, then suit).
int GetMinCard(ConstPile pile, int start, uint8_t kozirSuid);
// Sorts ascending by face value (trumps after all others), ties by suit code; no gaps.
void SortCards(Pile pile, uint8_t kozirSuid);
// Slot of the first card out of the order SortCards gives (a card without a face value is
// out of order), or -1 when the cards are in order; empty slots are passed over. When the
// cards are in order, *gap (if given) tells whether an empty slot lies before a card.
int FirstUnsortedSlot(ConstPile pile, uint8_t kozirSuid, bool* gap = nullptr);
int ValueToInt(uint8_t value);
// The cards of a pile as a set.
CardSet CardsOf(ConstPile pile);
// Russian name of a card: rank name followed directly by the suit word.
std::string CardToString(const TCardRec& card);

}  // namespace tarlyk
