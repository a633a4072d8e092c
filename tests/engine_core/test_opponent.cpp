#include <gtest/gtest.h>

#include "engine_core/cards_for_tests.h"
#include "game/move_rules.h"
#include "opponent/card_weights.h"
#include "opponent/computer_attack.h"
#include "opponent/computer_defence.h"

namespace tarlyk {
namespace {

using testing::Desk;
using testing::Hand;
using testing::MakeCard;

// Extended-precision comparison to 1e-12.
::testing::AssertionResult Near(long double actual, long double expected) {
  const long double diff = actual > expected ? actual - expected : expected - actual;
  if (diff <= 1e-12L) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << static_cast<double>(actual) << " vs " << static_cast<double>(expected);
}

// The computer's seat with hearts as trump.
struct Seat {
  Hand hand{};
  Desk desk{};
  OpponentView view(int stock, int cardsCountOption, bool humanHasCards = true) {
    OpponentView v{hand, desk, MakeCard(kSix, kHearts)};
    v.stockCount = stock;
    v.humanHasCards = humanHasCards;
    v.GameStage = CalcGameStage(stock, cardsCountOption);
    return v;
  }
};

Hand WorkedHand() {
  Hand h{};
  h[0] = MakeCard(kSix, kSpades);
  h[1] = MakeCard(kSix, kDiamonds);
  h[3] = MakeCard(kKing, kSpades);  // a hole in slot 2
  h[4] = MakeCard(8, kClubs);       // nine
  h[5] = MakeCard(6, kHearts);      // seven of trumps
  h[6] = MakeCard(kAce, kHearts);
  return h;
}

TEST(CardWeights, WorkedHandAtNormalLevel) {
  Hand h = WorkedHand();
  h[2].GoKoef = 99;  // an empty slot keeps what it held
  CalcKoefs(h, 51, kHearts, 0);
  const long double go[] = {-9.0L / 13, 30.0L / 13, 99, 6.5L, 9, 70, 140};
  const long double bitsa[] = {48, 36, 0, 26, 1.0L / 9, -0.7L, -1.4L};
  for (int i = 0; i < 7; ++i) {
    EXPECT_TRUE(Near(h[i].GoKoef, go[i])) << i;
    EXPECT_TRUE(Near(h[i].BitsaKoef, bitsa[i])) << i;
  }
  Seat s;
  s.hand = h;
  EXPECT_EQ(FindGoingCard(s.view(24, 0)), 1);  // the six of spades
}

TEST(CardWeights, WorkedHandAtMaximumLevel) {
  Hand h = WorkedHand();
  CalcKoefs(h, 51, kHearts, 2);
  const long double go[] = {-2.0L / 3, 1, 0, 13.0L / 6, 9, 70, 140};
  const long double bitsa[] = {13.0L / 12, 1, 0, 1.0L / 26, 1.0L / 9, -0.7L, -1.4L};
  for (int i : {0, 1, 3, 4, 5, 6}) {
    EXPECT_TRUE(Near(h[i].GoKoef, go[i])) << i;
    EXPECT_TRUE(Near(h[i].BitsaKoef, bitsa[i])) << i;
  }
}

TEST(CardWeights, CountsAndRange) {
  Hand h = WorkedHand();
  h[10] = MakeCard(kSix, kClubs);  // beyond the range below
  EXPECT_EQ(ThisValueCount(kSix, h, 6, kHearts), 2);
  EXPECT_EQ(ThisValueCount(kSix, h, 51, kHearts), 3);
  EXPECT_EQ(ThisValueCount(6, h, 51, kHearts), 0);  // the seven is a trump
  EXPECT_EQ(ThisSuidCount(kHearts, h, 51), 2);      // trumps counted
  CalcKoefs(h, 6, kHearts, 0);
  EXPECT_EQ(h[10].GoKoef, 0);
  EXPECT_TRUE(Near(h[0].GoKoef, -9.0L / 13));
}

TEST(CardWeights, GameStage) {
  EXPECT_TRUE(Near(CalcGameStage(24, 0), -1.0L / 23));
  EXPECT_TRUE(Near(CalcGameStage(1, 0), 1 - 1.0L / 23));
  EXPECT_EQ(CalcGameStage(0, 0), 1.0L);
  EXPECT_TRUE(Near(CalcGameStage(40, 1), -1.0L / 39));
  EXPECT_TRUE(Near(CalcGameStage(24, 1), 1 - 24.0L / 39));  // the option, not the deck
  EXPECT_TRUE(Near(CalcGameStage(24, -1), -1.0L / 23));     // no selection
}

TEST(ComputerAttack, LeadsLowestWeightLowestSlotFirst) {
  Seat s;
  EXPECT_EQ(FindGoingCard(s.view(0, 0)), -1);
  s.hand[2] = MakeCard(kKing, kHearts);
  s.hand[7] = MakeCard(7, kHearts);
  s.hand[9] = MakeCard(kAce, kHearts);
  CalcKoefs(s.hand, 51, kHearts, 0);
  EXPECT_EQ(FindGoingCard(s.view(10, 0)), 8);  // lowest trump

  Seat t;
  t.hand[4] = MakeCard(9, kClubs);
  t.hand[1] = MakeCard(9, kDiamonds);
  t.hand[1].GoKoef = t.hand[4].GoKoef = 10;
  EXPECT_EQ(FindGoingCard(t.view(10, 0)), 2);
}

// The only possible throw-in is a trump eight (GoKoef 80).
void ExpectTrumpThrowIn(int stock, int option, int expected) {
  Seat s;
  s.hand[3] = MakeCard(7, kHearts);
  s.hand[3].GoFlag = true;
  s.hand[5] = MakeCard(kAce, kClubs);  // not allowed now
  CalcKoefs(s.hand, 51, kHearts, 0);
  EXPECT_EQ(FindGoingCardWhichCanGo(s.view(stock, option)), expected) << stock;
}

TEST(ComputerAttack, HoldsBackTrumpThrowInsLate) {
  ExpectTrumpThrowIn(19, 0, 4);
  ExpectTrumpThrowIn(18, 0, -1);
  ExpectTrumpThrowIn(32, 1, 4);
  ExpectTrumpThrowIn(31, 1, -1);

  Seat s;
  s.hand[0] = MakeCard(1, kHearts);  // trump two: GoKoef 20 is never held back
  s.hand[0].GoFlag = true;
  s.hand[1] = MakeCard(kAce, kSpades);
  s.hand[1].GoFlag = true;
  CalcKoefs(s.hand, 51, kHearts, 0);
  EXPECT_EQ(FindGoingCardWhichCanGo(s.view(0, 1)), 2);
  s.hand[1] = TCardRec{};
  EXPECT_EQ(FindGoingCardWhichCanGo(s.view(0, 1)), 1);
  EXPECT_EQ(FindGoingCardWhichCanGo(s.view(30, 1, false)), -1);  // the person has no cards
}

// The person attacks with a trump ten; the computer holds one trump that could beat it.
int DefendAgainstTrumpTen(uint8_t trumpRank, int stock, int option) {
  Seat s;
  s.desk[0] = MakeCard(9, kHearts);
  s.hand[2] = MakeCard(kSix, kClubs);
  s.hand[6] = MakeCard(trumpRank, kHearts);
  CalcKoefs(s.hand, 51, kHearts, 0);
  OpponentView v = s.view(stock, option);
  PrepareCardsForGoing(v.hand, v.Table());
  return FindGoingCardWhichCanBitsa(v);
}

TEST(ComputerDefence, HoldsBackHighTrumpsUntilLate) {
  EXPECT_EQ(DefendAgainstTrumpTen(kQueen, 5, 0), -1);
  EXPECT_EQ(DefendAgainstTrumpTen(kQueen, 4, 0), 7);
  EXPECT_EQ(DefendAgainstTrumpTen(kAce, 8, 1), -1);
  EXPECT_EQ(DefendAgainstTrumpTen(kAce, 7, 1), 7);
  EXPECT_EQ(DefendAgainstTrumpTen(kJack, 24, 0), 7);
  EXPECT_EQ(DefendAgainstTrumpTen(8, 24, 0), -1);  // a nine cannot beat the ten
}

TEST(ComputerDefence, PrefersTheSuitOverATrumpAndTheLowestSlotOnTies) {
  Seat s;
  s.desk[0] = MakeCard(kSix, kSpades);
  s.hand[0] = MakeCard(7, kHearts);
  s.hand[3] = MakeCard(kKing, kSpades);
  s.hand[4] = MakeCard(kQueen, kClubs);
  CalcKoefs(s.hand, 51, kHearts, 2);
  OpponentView v = s.view(20, 0);
  PrepareCardsForGoing(v.hand, v.Table());
  EXPECT_EQ(FindGoingCardWhichCanBitsa(v), 4);

  s.hand[0].BitsaKoef = s.hand[3].BitsaKoef = 5;
  s.hand[0].Suid = kSpades;
  EXPECT_EQ(FindGoingCardWhichCanBitsa(v), 1);
}

TEST(ComputerAttack, MakeStepMovesToTheComputersHalf) {
  Seat s;
  s.desk[6] = MakeCard(kSix, kClubs);
  s.hand[2] = MakeCard(kAce, kSpades);
  s.hand[2].GoFlag = true;
  s.hand[2].SortKey = 5;
  s.hand[2].GoKoef = 3;
  s.hand[2].BitsaKoef = 4;
  OpponentView v = s.view(10, 0);
  MakeStep(v, 3, 2);  // unknown kind: nothing happens
  EXPECT_TRUE(IsPresent(s.hand[2]));
  MakeStep(v, 3, 1);
  EXPECT_EQ(s.desk[7].Value, kAce);
  EXPECT_EQ(s.desk[7].GoKoef, 3);
  const TCardRec& slot = s.hand[2];
  EXPECT_EQ(slot.Value, 0);
  EXPECT_EQ(slot.Suid, 1);
  EXPECT_EQ(slot.ID, -1);
  EXPECT_EQ(slot.GoKoef, 0);
  EXPECT_EQ(slot.BitsaKoef, 0);
  EXPECT_TRUE(slot.GoFlag);
  EXPECT_EQ(slot.SortKey, 5);
}

}  // namespace
}  // namespace tarlyk
