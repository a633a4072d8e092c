// The rules that say whether a card may be played now: lead/throw-in (CanGo) and
// cover (CanBitsa). Both read only what lies open on the table and the computer's hand.
#pragma once

#include <span>

#include "game/card.h"
#include "game/piles.h"

namespace tarlyk {

// What the move rules read: the table, the computer's hand (its size limits the attack),
// the trump suit, the attacker and the throw-in state. The human's hand is not part of it.
struct TableView {
  std::span<const TCardRec, 12> desk;
  ConstPile cpuHand;
  uint8_t kozirSuid = 0;
  uint8_t WhoGoing = 0;
  bool ThrowInMode = false;
};

// The beating relation: does cover beat attack with this trump suit?
bool Beats(const TCardRec& cover, const TCardRec& attack, uint8_t kozirSuid);
// May the card be laid on the table as an attack card now?
bool CanGo(const TCardRec& card, const TableView& table);
// Does the card cover the open attack card now?
bool CanBitsa(const TCardRec& card, const TableView& table);
// CanGo while ThrowInMode or goMode, otherwise CanBitsa.
bool ApplyRules(const TCardRec& card, bool goMode, const TableView& table);
// Stores CanGo (computer attacks) or CanBitsa (computer defends) in each of the
// computer's cards' GoFlag / BitsaFlag.
void PrepareCardsForGoing(Pile cpuHand, const TableView& table);

}  // namespace tarlyk
