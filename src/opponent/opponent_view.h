// What the computer opponent may see and touch from its seat: its own hand (whose
// weights and flags are its own notes), the table, the trump, the stock count and
// whether the person still holds cards. The person's hand is not reachable from here.
#pragma once

#include <span>

#include "game/card.h"
#include "game/move_rules.h"
#include "game/piles.h"

namespace tarlyk {

struct OpponentView {
  Pile hand;                      // CPUCards
  std::span<TCardRec, 12> desk;   // DeskCards; MakeStep lays cards on its half
  TCardRec kozir;                 // the turned-up trump
  int stockCount = 0;             // cards left in the stock
  bool humanHasCards = false;     // the person still holds at least one card
  uint8_t WhoGoing = 0;
  bool ThrowInMode = false;
  long double GameStage = 1.0L;

  TableView Table() const { return TableView{desk, hand, kozir.Suid, WhoGoing, ThrowInMode}; }
};

}  // namespace tarlyk
