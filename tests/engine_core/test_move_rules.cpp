#include <gtest/gtest.h>

#include "engine_core/cards_for_tests.h"
#include "game/move_rules.h"

namespace tarlyk {
namespace {

using testing::Desk;
using testing::Hand;
using testing::MakeCard;

struct Table {
  Desk desk{};
  Hand cpu{};
  TableView view(uint8_t whoGoing, bool throwIn = false) const {
    return TableView{desk, cpu, kHearts, whoGoing, throwIn};
  }
};

TEST(MoveRules, BeatingRelationWithHeartsTrump) {
  EXPECT_TRUE(Beats(MakeCard(kSix, kHearts), MakeCard(kAce, kSpades), kHearts));
  EXPECT_FALSE(Beats(MakeCard(kAce, kSpades), MakeCard(kSix, kHearts), kHearts));
  EXPECT_FALSE(Beats(MakeCard(9, kSpades), MakeCard(8, kClubs), kHearts));
  EXPECT_TRUE(Beats(MakeCard(9, kClubs), MakeCard(8, kClubs), kHearts));
  EXPECT_FALSE(Beats(MakeCard(8, kClubs), MakeCard(9, kClubs), kHearts));
  EXPECT_FALSE(Beats(MakeCard(6, kHearts), MakeCard(7, kHearts), kHearts));
  EXPECT_TRUE(Beats(MakeCard(7, kHearts), MakeCard(6, kHearts), kHearts));
}

TEST(MoveRules, CanBitsaCoversOnlyTheOpenAttackCard) {
  Table t;
  EXPECT_TRUE(CanBitsa(MakeCard(kSix, kClubs), t.view(1)));  // nothing to cover

  // The computer attacked with a ten of clubs; the person has covered it.
  t.desk[6] = MakeCard(9, kClubs);
  t.desk[0] = MakeCard(kJack, kClubs);
  EXPECT_FALSE(CanBitsa(MakeCard(kAce, kHearts), t.view(1)));

  // A second attack card is open now; only it counts.
  t.desk[7] = MakeCard(kJack, kSpades);
  EXPECT_TRUE(CanBitsa(MakeCard(kQueen, kSpades), t.view(1)));
  EXPECT_FALSE(CanBitsa(MakeCard(kQueen, kClubs), t.view(1)));
  EXPECT_FALSE(CanBitsa(MakeCard(kAce, kHearts), t.view(2)));

  // The person attacks: the open card is his highest unanswered one.
  Table h;
  h.desk[0] = MakeCard(kKing, kClubs);
  h.desk[6] = MakeCard(kAce, kClubs);
  h.desk[1] = MakeCard(kKing, kDiamonds);
  EXPECT_TRUE(CanBitsa(MakeCard(kAce, kDiamonds), h.view(0)));
  EXPECT_FALSE(CanBitsa(MakeCard(kQueen, kDiamonds), h.view(0)));
}

TEST(MoveRules, CanGoRulesApplyInOrder) {
  Table t;
  // An empty table takes any card, even with the computer's hand empty.
  EXPECT_TRUE(CanGo(MakeCard(kSix, kClubs), t.view(0)));

  // The person attacks with a king, the computer covers with an ace.
  t.cpu[3] = MakeCard(7, kSpades);
  t.desk[0] = MakeCard(kKing, kClubs);
  t.desk[6] = MakeCard(kAce, kClubs);
  EXPECT_TRUE(CanGo(MakeCard(kKing, kSpades), t.view(0)));
  EXPECT_TRUE(CanGo(MakeCard(kAce, kHearts), t.view(0)));
  EXPECT_FALSE(CanGo(MakeCard(kQueen, kClubs), t.view(0)));

  // No defender's card left: nothing more.
  Table empty = t;
  empty.cpu = Hand{};
  EXPECT_FALSE(CanGo(MakeCard(kKing, kSpades), empty.view(0)));

  // Six of the person's cards on the table stop everything, matching rank or not.
  Table six = t;
  for (int i = 0; i < 6; ++i) six.desk[i] = MakeCard(kKing, static_cast<uint8_t>(i % 4));
  EXPECT_FALSE(CanGo(MakeCard(kKing, kSpades), six.view(0)));
  EXPECT_FALSE(CanGo(MakeCard(kKing, kSpades), six.view(1)));
}

TEST(MoveRules, ThrowInLimitedByTheComputersCards) {
  // The computer began with three cards: it covered the first attack, then took.
  Table t;
  t.desk[0] = MakeCard(kSix, kClubs);
  t.desk[6] = MakeCard(6, kClubs);
  t.desk[1] = MakeCard(kSix, kSpades);
  t.cpu[0] = MakeCard(kJack, kDiamonds);
  t.cpu[4] = MakeCard(kQueen, kDiamonds);
  const TCardRec six = MakeCard(kSix, kDiamonds);
  EXPECT_TRUE(CanGo(six, t.view(0, true)));              // h = 2 < t = 3
  EXPECT_TRUE(ApplyRules(six, false, t.view(0, true)));  // throw-in ignores goMode
  t.desk[2] = six;
  EXPECT_FALSE(CanGo(MakeCard(kSix, kHearts), t.view(0, true)));  // h = 3 = t
  EXPECT_TRUE(CanGo(MakeCard(kSix, kHearts), t.view(0, false)));  // limit only when taking
}

TEST(MoveRules, PrepareSetsOnlyTheFlagOfTheCurrentRole) {
  Table t;
  t.desk[0] = MakeCard(kSix, kClubs);
  t.cpu[0] = MakeCard(9, kClubs);
  t.cpu[0].GoFlag = true;
  t.cpu[2] = MakeCard(kSix, kSpades);
  t.cpu[2].BitsaFlag = true;
  t.cpu[5].GoFlag = true;  // an empty slot stays as it is
  PrepareCardsForGoing(t.cpu, t.view(0));
  EXPECT_TRUE(t.cpu[0].BitsaFlag);
  EXPECT_TRUE(t.cpu[0].GoFlag);
  EXPECT_FALSE(t.cpu[2].BitsaFlag);
  EXPECT_TRUE(t.cpu[5].GoFlag);
  EXPECT_FALSE(t.cpu[5].BitsaFlag);

  t.desk[6] = t.cpu[0];
  t.cpu[0] = TCardRec{};
  PrepareCardsForGoing(t.cpu, t.view(1));
  EXPECT_FALSE(t.cpu[2].BitsaFlag);
  EXPECT_TRUE(t.cpu[2].GoFlag);  // a six is on the table
}

}  // namespace
}  // namespace tarlyk
