// A game engine wired to a fake window, plain option values and a scripted generator,
// with helpers to lay out positions card by card.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <span>

#include "fake_window.h"
#include "game/hand_layout.h"
#include "game/options_values.h"
#include "game/tdm_data.h"

namespace tarlyk {

// The card of this rank code and suit.
inline TCardRec Card(uint8_t value, uint8_t suid) {
  int block = 0;
  switch (suid) {
    case kClubs:
      block = 0;
      break;
    case kDiamonds:
      block = 1;
      break;
    case kHearts:
      block = 2;
      break;
    default:
      block = 3;
      break;
  }
  return CardFromNumber(block * 13 + (value == kAce ? 1 : value + 1));
}

inline int CardNumber(const TCardRec& c) {
  return c.ID + 1;
}

class FlowTest : public ::testing::Test {
 protected:
  FakeWindow window;
  OptionValues options;
  ScriptedRandom random;
  ScoreCounters score;
  TdmData d{window, options, random, score, "Вася"};

  // Fills a pile from slot `from` on.
  template <size_t N>
  static void Put(std::array<TCardRec, N>& pile, std::initializer_list<TCardRec> cards,
                  size_t from = 0) {
    for (const TCardRec& c : cards) pile[from++] = c;
  }

  // A game in progress with this trump, hands and stock (stock cards at its top slots,
  // the last one being the trump's place); the computer's weights are computed.
  void Position(TCardRec trump, std::initializer_list<TCardRec> user,
                std::initializer_list<TCardRec> cpu, std::initializer_list<TCardRec> stock,
                uint8_t whoGoing) {
    d.ClearArrays();
    d.KozirCard = trump;
    Put(d.UserCards, user);
    Put(d.CPUCards, cpu);
    Put(d.ColodaCards, stock, 36 - stock.size());
    d.WhoGoing = whoGoing;
    d.PrepareStep();
    if (whoGoing == 0) {
      d.SetAction(kActionDone, "Отбой", false);
    } else {
      d.SetAction(kActionTake, "Беру", true);
    }
    d.RepaintDesk();
  }

  // The next deal gives exactly these cards first, then every other card by number.
  void ForceDeck(std::initializer_list<TCardRec> first) {
    auto& order = d.ForcedDeckOrder;
    order.clear();
    for (const TCardRec& c : first) order.push_back(CardNumber(c));
    for (int n = 1; n <= 52; ++n) {
      if (std::find(order.begin(), order.end(), n) == order.end()) order.push_back(n);
    }
  }

  // Left click near the left edge of this card of the person's (sorted) hand.
  void Click(const TCardRec& card) {
    const int n = GetCardsCount(d.UserCards);
    for (int i = 0; i < n; ++i) {
      if (d.UserCards[i].ID == card.ID) {
        d.imgDeskMouseUp(MouseButton::kLeft, HandCardX(i, n, 710) + 2, 420);
        return;
      }
    }
    ADD_FAILURE() << "card " << CardNumber(card) << " not in hand";
  }

  static bool Holds(std::span<const TCardRec> pile, const TCardRec& card) {
    for (const TCardRec& c : pile) {
      if (IsPresent(c) && c.ID == card.ID) return true;
    }
    return false;
  }
};

}  // namespace tarlyk
