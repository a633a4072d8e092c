#include <gtest/gtest.h>

#include <numeric>
#include <utility>

#include "engine_core/cards_for_tests.h"
#include "game/piles.h"
#include "game/random.h"

namespace tarlyk {
namespace {

using testing::C;

TEST(Piles, AddFirstIdAndCompact) {
  testing::Desk desk{};
  EXPECT_FALSE(AddCardToArray(desk, TCardRec{}, 1));
  for (int i = 6; i < 12; ++i) desk[i] = C(kSix, kClubs);
  EXPECT_FALSE(AddCardToArray(desk, C(kAce, kHearts), 7));  // slots 0..5 free, yet refused
  desk[0] = C(kSix, kSpades);
  EXPECT_TRUE(AddCardToArray(desk, C(kAce, kHearts), 1));
  EXPECT_EQ(desk[1].Value, kAce);  // the lowest hole

  testing::Hand pile{};
  EXPECT_EQ(GetFirstID(pile), -1);
  pile[9] = C(kSix, kHearts);
  pile[3] = C(kSix, kClubs);
  pile[7] = C(kAce, kSpades);
  EXPECT_EQ(GetFirstID(pile), 3);
  RemoveSpaces(pile);
  EXPECT_EQ(pile[0].Suid, kClubs);
  EXPECT_EQ(pile[1].Value, kAce);
  EXPECT_EQ(pile[2].Suid, kHearts);
  EXPECT_EQ(GetCardsCount(pile), 3);
}

TEST(Piles, SortPutsTrumpsLastAndTiesBySuitCode) {
  testing::Hand pile{};
  pile[40] = C(kAce, kClubs);
  pile[2] = C(kSix, kHearts);
  pile[17] = C(kSix, kSpades);
  pile[30] = C(kSix, kClubs);
  pile[5] = C(kKing, kHearts);
  SortCards(pile, kHearts);
  const TCardRec expected[] = {C(kSix, kClubs), C(kSix, kSpades), C(kAce, kClubs), C(kSix, kHearts),
                               C(kKing, kHearts)};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(pile[i].ID, expected[i].ID) << i;
  EXPECT_EQ(GetCardsCount(pile), 5);
}

// The fast sort must give exactly the order of a slot-by-slot selection by GetMinCard.
TEST(Piles, SortMatchesSelectionByGetMinCard) {
  SeededRandom rng(20240611);
  for (int round = 0; round < 500; ++round) {
    testing::Hand pile{};
    auto put = [&](const TCardRec& card) {
      int slot = rng.Random(52);
      while (IsPresent(pile[slot])) slot = (slot + 1) % 52;
      pile[slot] = card;
    };
    std::array<int, 52> deck{};
    std::iota(deck.begin(), deck.end(), 1);
    const int count = rng.Random(52);
    for (int k = 0; k < count; ++k) {
      std::swap(deck[k], deck[k + rng.Random(52 - k)]);
      put(CardFromNumber(deck[k]));
    }
    if (round % 3 == 0) put(TCardRec{0, 20, 1, 99});  // no face value: keeps its slot
    const uint8_t kozir = static_cast<uint8_t>(rng.Random(4));
    testing::Hand reference = pile;
    for (int i = 0; i < 52; ++i) {
      const int m = GetMinCard(reference, i, kozir);
      if (m != i) std::swap(reference[i], reference[m]);
    }
    RemoveSpaces(reference);
    SortCards(pile, kozir);
    for (int i = 0; i < 52; ++i) ASSERT_EQ(pile[i].ID, reference[i].ID) << round << " " << i;
  }
}

// The one check of a sorted hand: order by face value (trumps last) then suit, holes noted.
TEST(Piles, FirstUnsortedSlotAndHoles) {
  testing::Hand pile{};
  bool gap = true;
  EXPECT_EQ(FirstUnsortedSlot(pile, kHearts, &gap), -1);
  EXPECT_FALSE(gap);
  pile[0] = C(kSix, kClubs);
  pile[1] = C(kSix, kSpades);
  pile[2] = C(kAce, kClubs);
  pile[3] = C(kSix, kHearts);
  EXPECT_EQ(FirstUnsortedSlot(pile, kHearts, &gap), -1);
  EXPECT_FALSE(gap);
  EXPECT_EQ(FirstUnsortedSlot(pile, kClubs), 1);  // clubs trump: the six of spades is out
  pile[1] = TCardRec{};                           // a played card leaves a hole
  EXPECT_EQ(FirstUnsortedSlot(pile, kHearts, &gap), -1);
  EXPECT_TRUE(gap);
  SortCards(pile, kHearts);
  EXPECT_EQ(pile[1].ID, C(kAce, kClubs).ID);
  EXPECT_EQ(pile[2].ID, C(kSix, kHearts).ID);
  EXPECT_FALSE(IsPresent(pile[3]));
  pile[7] = TCardRec{0, 20, kSpades, 0};  // no face value: never in order
  EXPECT_EQ(FirstUnsortedSlot(pile, kHearts), 7);
}

TEST(Piles, FaceValuesAndNames) {
  EXPECT_EQ(ValueToInt(0), 0);
  EXPECT_EQ(ValueToInt(13), 14);
  EXPECT_EQ(ValueToInt(14), 0);
  EXPECT_EQ(CardToString(C(kSix, kHearts)), "Шестёрка черви");
  EXPECT_EQ(CardToString(C(6, kClubs)), "Семерка крести");
  EXPECT_EQ(CardToString(TCardRec{}), "(пустота)");
  EXPECT_EQ(CardToString(TCardRec{0, kAce, 7, 0}), "Туз  (нет масти)");
  EXPECT_EQ(CardToString(TCardRec{0, 20, kSpades, 0}), "(нет данных)пики");
}

}  // namespace
}  // namespace tarlyk
