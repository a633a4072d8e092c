#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

#include "engine_core/cards_for_tests.h"
#include "game/piles.h"
#include "game/random.h"

namespace tarlyk {
namespace {

using testing::Desk;
using testing::Hand;
using testing::MakeCard;

TEST(CardNumbering, FiftyTwoDistinctCardsInPictureOrder) {
  std::set<std::pair<int, int>> seen;
  for (int n = 1; n <= 52; ++n) {
    const TCardRec c = CardFromNumber(n);
    EXPECT_EQ(c.ID, n - 1);
    seen.insert({c.Value, c.Suid});
  }
  EXPECT_EQ(seen.size(), 52u);
  EXPECT_EQ(CardFromNumber(1).Value, kAce);
  EXPECT_EQ(CardFromNumber(2).Value, 1);  // two
  EXPECT_EQ(CardFromNumber(13).Value, kKing);
  EXPECT_EQ(CardFromNumber(14).Suid, kDiamonds);
  EXPECT_EQ(CardFromNumber(27).Suid, kHearts);
  EXPECT_EQ(CardFromNumber(52).Suid, kSpades);
}

TEST(Piles, AddCardRespectsStartAndFillsHoles) {
  Desk desk{};
  EXPECT_FALSE(AddCardToArray(desk, TCardRec{}, 1));
  EXPECT_EQ(GetCardsCount(desk), 0);

  for (int i = 6; i < 12; ++i) desk[i] = MakeCard(kSix, kClubs);
  EXPECT_FALSE(AddCardToArray(desk, MakeCard(kAce, kHearts), 7));   // computer half full
  EXPECT_FALSE(AddCardToArray(desk, MakeCard(kAce, kHearts), 13));  // past the last slot

  desk[0] = MakeCard(kSix, kSpades);
  desk[2] = MakeCard(kSix, kDiamonds);
  EXPECT_TRUE(AddCardToArray(desk, MakeCard(kAce, kHearts), 1));
  EXPECT_EQ(desk[1].Value, kAce);
  EXPECT_EQ(desk[1].ID, MakeCard(kAce, kHearts).ID);
}

TEST(Piles, FirstIdAndRemoveSpaces) {
  Hand pile{};
  EXPECT_EQ(GetFirstID(pile), -1);
  pile[12] = MakeCard(kJack, kSpades);
  EXPECT_EQ(GetFirstID(pile), 12);

  pile = Hand{};
  pile[3] = MakeCard(kSix, kClubs);
  pile[7] = MakeCard(kAce, kSpades);
  pile[9] = MakeCard(kSix, kHearts);
  RemoveSpaces(pile);
  EXPECT_EQ(pile[0].Suid, kClubs);
  EXPECT_EQ(pile[1].Value, kAce);
  EXPECT_EQ(pile[2].Suid, kHearts);
  EXPECT_EQ(GetCardsCount(pile), 3);
  for (int i = 3; i < 52; ++i) EXPECT_FALSE(IsPresent(pile[i])) << i;
  EXPECT_EQ(pile[7].ID, -1);  // a vacated source is a cleared slot
}

TEST(Piles, SortPutsTrumpsLastAndBreaksTiesBySuitCode) {
  Hand pile{};
  pile[40] = MakeCard(kAce, kClubs);
  pile[2] = MakeCard(kSix, kHearts);
  pile[17] = MakeCard(kSix, kSpades);
  pile[30] = MakeCard(kSix, kClubs);
  pile[5] = MakeCard(kKing, kHearts);
  SortCards(pile, kHearts);
  const std::pair<int, int> expected[] = {
      {kSix, kClubs}, {kSix, kSpades}, {kAce, kClubs}, {kSix, kHearts}, {kKing, kHearts}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(pile[i].Value, expected[i].first) << i;
    EXPECT_EQ(pile[i].Suid, expected[i].second) << i;
  }
  EXPECT_EQ(GetCardsCount(pile), 5);

  Hand empty{};
  SortCards(empty, kHearts);
  EXPECT_EQ(GetCardsCount(empty), 0);
}

TEST(Piles, GetMinCardEdgeSlots) {
  Hand pile{};
  pile[4] = MakeCard(kSix, kDiamonds);
  pile[9] = MakeCard(kSix, kClubs);
  EXPECT_EQ(GetMinCard(pile, 0, kHearts), 0);  // an empty start slot is kept
  EXPECT_EQ(GetMinCard(pile, 4, kHearts), 9);  // equal face value: lower suit code wins
  EXPECT_EQ(GetMinCard(pile, 60, kHearts), 60);
}

// The fast sort must give the same order as selecting the minimum slot by slot.
TEST(Piles, SortMatchesSelectionByGetMinCard) {
  SeededRandom rng(20240611);
  for (int round = 0; round < 500; ++round) {
    Hand pile{};
    std::array<int, 52> numbers{};
    for (int i = 0; i < 52; ++i) numbers[i] = i + 1;
    const int count = rng.Random(53);
    for (int k = 0; k < count; ++k) {
      std::swap(numbers[k], numbers[k + rng.Random(52 - k)]);
      int slot = rng.Random(52);
      while (IsPresent(pile[slot])) slot = (slot + 1) % 52;
      pile[slot] = CardFromNumber(numbers[k]);
    }
    if (round % 3 == 0 && count < 52) {  // a record without a face value keeps its slot
      int slot = rng.Random(52);
      while (IsPresent(pile[slot])) slot = (slot + 1) % 52;
      pile[slot].Value = 20;
      pile[slot].ID = 99;
    }
    const uint8_t kozir = static_cast<uint8_t>(rng.Random(4));
    Hand reference = pile;
    for (int i = 0; i < 52; ++i) {
      const int m = GetMinCard(reference, i, kozir);
      if (m != i) std::swap(reference[i], reference[m]);
    }
    RemoveSpaces(reference);
    SortCards(pile, kozir);
    for (int i = 0; i < 52; ++i) ASSERT_EQ(pile[i].ID, reference[i].ID) << round << " " << i;
  }
}

TEST(Piles, FaceValuesAndNames) {
  EXPECT_EQ(ValueToInt(0), 0);
  EXPECT_EQ(ValueToInt(1), 2);
  EXPECT_EQ(ValueToInt(13), 14);
  EXPECT_EQ(ValueToInt(14), 0);

  EXPECT_EQ(CardToString(MakeCard(kSix, kHearts)), "Шестёрка черви");
  EXPECT_EQ(CardToString(MakeCard(6, kClubs)), "Семерка крести");
  EXPECT_EQ(CardToString(MakeCard(kJack, kDiamonds)), "Валет буби");
  EXPECT_EQ(CardToString(TCardRec{}), "(пустота)");
  TCardRec odd = MakeCard(kAce, 7);
  EXPECT_EQ(CardToString(odd), "Туз  (нет масти)");
  odd.Value = 20;
  odd.Suid = kSpades;
  EXPECT_EQ(CardToString(odd), "(нет данных)пики");
}

TEST(Random, StaysInRangeAndRepeatsFromTheSameSeed) {
  SeededRandom a(7), b(7);
  std::array<int, 5> hits{};
  for (int i = 0; i < 2000; ++i) {
    const int r = a.Random(5);
    ASSERT_GE(r, 0);
    ASSERT_LT(r, 5);
    ++hits[r];
    ASSERT_EQ(r, b.Random(5));
  }
  for (int h : hits) EXPECT_GT(h, 300);
  EXPECT_EQ(a.Random(1), 0);
}

}  // namespace
}  // namespace tarlyk
