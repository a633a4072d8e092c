#include <gtest/gtest.h>

#include "engine_core/cards_for_tests.h"
#include "game/move_rules.h"
#include "opponent/card_weights.h"
#include "opponent/computer_attack.h"
#include "opponent/computer_defence.h"

namespace tarlyk {
namespace {

using testing::C;

::testing::AssertionResult Near(long double actual, long double expected) {
  const long double diff = actual > expected ? actual - expected : expected - actual;
  if (diff <= 1e-12L) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << static_cast<double>(actual) << " vs " << static_cast<double>(expected);
}

// The computer's seat with hearts as trump and the stage of the given stock.
struct Seat {
  testing::Hand hand{};
  testing::Desk desk{};
  OpponentView view(int stock, int cardsCountOption, bool humanHasCards = true) {
    return OpponentView{hand,
                        desk,
                        C(kSix, kHearts),
                        stock,
                        humanHasCards,
                        0,
                        false,
                        CalcGameStage(stock, cardsCountOption)};
  }
};

// Spades 6, diamonds 6, (hole), spades king, clubs 9, hearts 7, hearts ace.
void ExpectWorkedHand(int level, const long double (&go)[7], const long double (&bitsa)[7]) {
  Seat s;
  s.hand = {C(kSix, kSpades), C(kSix, kDiamonds), TCardRec{},      C(kKing, kSpades),
            C(8, kClubs),     C(6, kHearts),      C(kAce, kHearts)};
  CalcKoefs(s.hand, 51, kHearts, level);
  for (int i : {0, 1, 3, 4, 5, 6}) {
    EXPECT_TRUE(Near(s.hand[i].GoKoef, go[i])) << level << " go " << i;
    EXPECT_TRUE(Near(s.hand[i].BitsaKoef, bitsa[i])) << level << " bitsa " << i;
  }
  EXPECT_EQ(FindGoingCard(s.view(24, 0)), 1);  // the six of spades is led
}

TEST(CardWeights, WorkedHandAtBothLevels) {
  ExpectWorkedHand(0, {-9.0L / 13, 30.0L / 13, 0, 6.5L, 9, 70, 140},
                   {48, 36, 0, 26, 1.0L / 9, -0.7L, -1.4L});
  ExpectWorkedHand(1, {-2.0L / 3, 1, 0, 13.0L / 6, 9, 70, 140},
                   {13.0L / 12, 1, 0, 1.0L / 26, 1.0L / 9, -0.7L, -1.4L});
}

TEST(ComputerAttack, LeadsTheLowestTrumpAndTheLowestSlotOnTies) {
  Seat s;
  EXPECT_EQ(FindGoingCard(s.view(0, 0)), -1);
  s.hand[2] = C(kKing, kHearts);
  s.hand[7] = C(7, kHearts);
  CalcKoefs(s.hand, 51, kHearts, 0);
  EXPECT_EQ(FindGoingCard(s.view(10, 0)), 8);
  s.hand[1] = C(9, kDiamonds);
  s.hand[4] = C(9, kClubs);
  s.hand[1].GoKoef = s.hand[4].GoKoef = 10;
  EXPECT_EQ(FindGoingCard(s.view(10, 0)), 2);
}

// Position of the throw-in when the only allowed card is the given trump.
int TrumpThrowIn(uint8_t rank, int stock, int option, bool humanHasCards = true) {
  Seat s;
  s.hand[3] = C(rank, kHearts);
  s.hand[3].GoFlag = true;
  s.hand[5] = C(kAce, kClubs);  // lower weight, but not allowed now
  CalcKoefs(s.hand, 51, kHearts, 0);
  return FindGoingCardWhichCanGo(s.view(stock, option, humanHasCards));
}

TEST(ComputerAttack, HoldsBackTrumpThrowInsLate) {
  EXPECT_EQ(TrumpThrowIn(7, 19, 0), 4);
  EXPECT_EQ(TrumpThrowIn(7, 18, 0), -1);
  EXPECT_EQ(TrumpThrowIn(7, 32, 1), 4);
  EXPECT_EQ(TrumpThrowIn(7, 31, 1), -1);
  EXPECT_EQ(TrumpThrowIn(1, 0, 1), 4);           // the trump two weighs 20, never held back
  EXPECT_EQ(TrumpThrowIn(1, 30, 1, false), -1);  // the person has no cards
}

// The person attacks with a trump ten; the computer holds a six of clubs and one trump.
int DefendTrumpTen(uint8_t rank, int stock, int option) {
  Seat s;
  s.desk[0] = C(9, kHearts);
  s.hand[2] = C(kSix, kClubs);
  s.hand[6] = C(rank, kHearts);
  CalcKoefs(s.hand, 51, kHearts, 0);
  OpponentView v = s.view(stock, option);
  PrepareCardsForGoing(v.hand, v.Table());
  return FindGoingCardWhichCanBitsa(v);
}

TEST(ComputerDefence, HoldsBackHighTrumpsUntilLate) {
  EXPECT_EQ(DefendTrumpTen(kQueen, 5, 0), -1);
  EXPECT_EQ(DefendTrumpTen(kQueen, 4, 0), 7);
  EXPECT_EQ(DefendTrumpTen(kAce, 8, 1), -1);
  EXPECT_EQ(DefendTrumpTen(kAce, 7, 1), 7);
  EXPECT_EQ(DefendTrumpTen(kJack, 24, 0), 7);
  EXPECT_EQ(DefendTrumpTen(8, 0, 0), -1);  // a nine cannot beat it
}

TEST(ComputerDefence, BeatsWithTheSuitBeforeATrump) {
  Seat s;
  s.desk[0] = C(kSix, kSpades);
  s.hand[0] = C(7, kHearts);
  s.hand[3] = C(kKing, kSpades);
  CalcKoefs(s.hand, 51, kHearts, 1);
  OpponentView v = s.view(20, 0);
  PrepareCardsForGoing(v.hand, v.Table());
  EXPECT_EQ(FindGoingCardWhichCanBitsa(v), 4);
}

}  // namespace
}  // namespace tarlyk
