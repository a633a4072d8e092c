// What a computer player may see from its seat: its own hand, the table, the trump, the
// stock count, how many cards the other side holds, and what it has witnessed (the discard
// pile, and the cards it saw go into the other side's hand). The other side's hand itself
// is not part of the view, so no player can read it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "game/card.h"
#include "game/move_rules.h"
#include "game/piles.h"

namespace tarlyk {

// The two seats at the table.
enum class Seat : uint8_t { kPerson, kComputer };

// The seat's own cards. A view held const reads them only; the weights and flags on them
// are written through a view that is not const (the game state preparing the flags, the
// player writing its weights at the start of a round).
class OwnCards {
 public:
  OwnCards() = default;
  // A hand converts implicitly, as a pile does.
  OwnCards(Pile cards) : cards_(cards) {}
  template <std::size_t N>
  OwnCards(std::array<TCardRec, N>& cards) : cards_(cards) {}

  std::size_t size() const { return cards_.size(); }
  const TCardRec& operator[](std::size_t i) const { return cards_[i]; }
  TCardRec& operator[](std::size_t i) { return cards_[i]; }
  operator ConstPile() const { return cards_; }
  operator Pile() { return cards_; }

 private:
  Pile cards_;
};

struct OpponentView {
  OwnCards hand;                       // the seat's own hand
  std::span<const TCardRec, 12> desk;  // DeskCards: 0..5 the person's, 6..11 the computer's
  TCardRec kozir{};                    // the turned-up trump
  int stockCount = 0;                  // cards left in the stock, the trump at its bottom
  bool opponentHasCards = false;       // the other side still holds at least one card
  uint8_t WhoGoing = 0;                // 0 the person attacks, 1 the computer
  bool ThrowInMode = false;            // the computer has declared that it takes
  long double GameStage = 1.0L;
  // Whose seat this is; the table and WhoGoing keep the game's own sides.
  Seat seat = Seat::kComputer;
  int opponentCount = 0;      // cards in the other side's hand
  CardSet discarded = 0;      // the discard pile
  CardSet opponentKnown = 0;  // cards seen going into the other side's hand, still there
  int lastCardsTo = 0;        // the refill rule in force (the LastCardsTo option)

  // The table as the move rules read it, from the computer's seat.
  TableView Table() const { return TableView{desk, hand, kozir.Suid, WhoGoing, ThrowInMode}; }
};

}  // namespace tarlyk
