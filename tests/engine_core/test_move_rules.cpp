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

}  // namespace
}  // namespace tarlyk
