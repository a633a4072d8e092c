#include <gtest/gtest.h>

#include "engine_core/cards_for_tests.h"
#include "game/move_rules.h"

namespace tarlyk {
namespace {

using testing::C;

struct Table {
  testing::Desk desk{};
  testing::Hand cpu{};
  TableView view(uint8_t who, bool throwIn = false) const {
    return TableView{desk, cpu, kHearts, who, throwIn};
  }
};

TEST(MoveRules, BeatingRelationWithHeartsTrump) {
  EXPECT_TRUE(Beats(C(kSix, kHearts), C(kAce, kSpades), kHearts));
  EXPECT_FALSE(Beats(C(kAce, kSpades), C(kSix, kHearts), kHearts));
  EXPECT_FALSE(Beats(C(9, kSpades), C(8, kClubs), kHearts));
  EXPECT_TRUE(Beats(C(9, kClubs), C(8, kClubs), kHearts));
  EXPECT_FALSE(Beats(C(6, kHearts), C(7, kHearts), kHearts));
  EXPECT_TRUE(Beats(C(7, kHearts), C(6, kHearts), kHearts));
}

TEST(MoveRules, CanBitsaCoversOnlyTheOpenAttackCard) {
  Table t;
  EXPECT_TRUE(CanBitsa(C(kSix, kClubs), t.view(1)));
  t.desk[6] = C(9, kClubs);  // the computer's attack, covered by the person
  t.desk[0] = C(kJack, kClubs);
  EXPECT_FALSE(CanBitsa(C(kAce, kHearts), t.view(1)));
  t.desk[7] = C(kJack, kSpades);  // a second, open attack card
  EXPECT_TRUE(CanBitsa(C(kQueen, kSpades), t.view(1)));
  EXPECT_FALSE(CanBitsa(C(kQueen, kClubs), t.view(1)));
  EXPECT_FALSE(CanBitsa(C(kAce, kHearts), t.view(2)));
}

TEST(MoveRules, CanGoRulesApplyInOrder) {
  Table t;
  EXPECT_TRUE(CanGo(C(kSix, kClubs), t.view(0)));  // empty table, even with no computer card
  t.desk[0] = C(kKing, kClubs);
  t.desk[6] = C(kAce, kClubs);
  EXPECT_FALSE(CanGo(C(kKing, kSpades), t.view(0)));  // the defender holds nothing
  t.cpu[3] = C(7, kSpades);
  EXPECT_TRUE(CanGo(C(kKing, kSpades), t.view(0)));
  EXPECT_TRUE(CanGo(C(kAce, kHearts), t.view(0)));
  EXPECT_FALSE(CanGo(C(kQueen, kClubs), t.view(0)));
  for (int i = 1; i < 6; ++i) t.desk[i] = C(kKing, static_cast<uint8_t>(i % 4));
  EXPECT_FALSE(CanGo(C(kKing, kSpades), t.view(0)));  // six of the person's cards
  EXPECT_FALSE(CanGo(C(kKing, kSpades), t.view(1)));
}

TEST(MoveRules, ThrowInAllowsNoMoreThanTheComputerHeld) {
  Table t;  // three computer cards: one covered the first attack, then it took
  t.desk[0] = C(kSix, kClubs);
  t.desk[6] = C(6, kClubs);
  t.desk[1] = C(kSix, kSpades);
  t.cpu[0] = C(kJack, kDiamonds);
  t.cpu[4] = C(kQueen, kDiamonds);
  EXPECT_TRUE(ApplyRules(C(kSix, kDiamonds), false, t.view(0, true)));  // h 2 < t 3
  t.desk[2] = C(kSix, kDiamonds);
  EXPECT_FALSE(CanGo(C(kSix, kHearts), t.view(0, true)));  // h 3 = t 3
  EXPECT_TRUE(CanGo(C(kSix, kHearts), t.view(0, false)));
}

// Six attack cards a round at most: the sixth may still come, a seventh never, whoever
// attacks and however many cards the defender holds.
TEST(MoveRules, TheAttackStopsAtSixCards) {
  const uint8_t suits[] = {kClubs, kSpades, kDiamonds, kHearts};
  Table t;  // the computer holds ten cards and has declared that it takes
  for (int i = 0; i < 10; ++i) t.cpu[i] = C(static_cast<uint8_t>(8 + i % 6), suits[2 + i / 6]);
  for (int i = 0; i < 5; ++i) t.desk[i] = C(static_cast<uint8_t>(kSix + i % 2), suits[i % 4]);
  EXPECT_TRUE(CanGo(C(kSix, kHearts), t.view(0, true)));  // the sixth
  t.desk[5] = C(kSix, kHearts);
  EXPECT_FALSE(CanGo(C(6, kHearts), t.view(0, true)));  // t 10 > h 6, yet no seventh
  EXPECT_FALSE(ApplyRules(C(kSix, kDiamonds), false, t.view(0, true)));

  Table beaten;  // the person attacks, every card covered, the computer holds a card
  beaten.cpu[0] = C(kAce, kHearts);
  for (int i = 0; i < 5; ++i) {
    beaten.desk[i] = C(kSix, suits[i % 4]);
    beaten.desk[i + 6] = C(6, suits[i % 4]);
  }
  EXPECT_TRUE(CanGo(C(6, kHearts), beaten.view(0)));
  beaten.desk[5] = C(6, kHearts);
  EXPECT_FALSE(CanGo(C(kSix, kHearts), beaten.view(0)));
  beaten.desk[11] = C(7, kHearts);
  EXPECT_FALSE(CanGo(C(kSix, kHearts), beaten.view(0)));

  Table defended;  // the computer attacks with five cards, all covered by the person
  defended.cpu[0] = C(kSix, kHearts);
  for (int i = 0; i < 5; ++i) {
    defended.desk[i + 6] = C(kSix, suits[i % 4]);
    defended.desk[i] = C(6, suits[i % 4]);
  }
  EXPECT_TRUE(CanGo(C(kSix, kHearts), defended.view(1)));  // the sixth
  defended.desk[11] = C(kSix, kHearts);
  defended.desk[5] = C(6, kHearts);  // the person's sixth cover
  EXPECT_FALSE(CanGo(C(6, kClubs), defended.view(1)));
}

}  // namespace
}  // namespace tarlyk
