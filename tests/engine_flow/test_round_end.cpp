#include "flow_fixture.h"

namespace tarlyk {
namespace {

using RoundEndTest = FlowTest;

TEST_F(RoundEndTest, ScoreLinePercentages) {
  EXPECT_EQ(d.CountsText(), "Побед: 0 (0%), Поражений: 0 (0%), Ничьих: 0 (0%), Всего игр: 0");
  score = {1, 2, 0};
  EXPECT_EQ(d.CountsText(), "Побед: 1 (33,3%), Поражений: 2 (66,7%), Ничьих: 0 (0%), Всего игр: 3");
  score = {1, 1, 0};
  EXPECT_EQ(d.CountsText(), "Побед: 1 (50%), Поражений: 1 (50%), Ничьих: 0 (0%), Всего игр: 2");
  score = {1, 15, 0};  // 6.25 and 93.75 round up
  EXPECT_EQ(d.CountsText(),
            "Побед: 1 (6,3%), Поражений: 15 (93,8%), Ничьих: 0 (0%), Всего игр: 16");
  score = {1, 1999, 0};  // 0.05 up to 0.1, 99.95 up to 100
  EXPECT_EQ(d.CountsText(),
            "Побед: 1 (0,1%), Поражений: 1999 (100%), Ничьих: 0 (0%), Всего игр: 2000");
  window.separator = std::string(1, '.');
  score = {1, 7, 0};
  EXPECT_EQ(d.CountsText(), "Побед: 1 (12.5%), Поражений: 7 (87.5%), Ничьих: 0 (0%), Всего игр: 8");
  score = {INT32_MAX, INT32_MAX, 0};  // the total does not overflow
  EXPECT_EQ(d.CountsText(),
            "Побед: 2147483647 (50%), Поражений: 2147483647 (50%), Ничьих: 0 (0%), "
            "Всего игр: 4294967294");
}

TEST_F(RoundEndTest, GameGoesOnWhileTheStockHoldsACard) {
  Position(Card(9, kHearts), {}, {}, {Card(9, kHearts)}, 0);
  EXPECT_FALSE(d.IsGameEnd());
  EXPECT_TRUE(d.GameActive);
}

TEST_F(RoundEndTest, DeclaredResults) {
  // An empty hand wins even with cards still on the table.
  Position(Card(9, kHearts), {}, {Card(12, kHearts), Card(5, kClubs)}, {}, 0);
  d.DeskCards[0] = Card(7, kClubs);
  ASSERT_TRUE(d.IsGameEnd());
  EXPECT_EQ(score.Wins, 1);
  EXPECT_EQ(d.LastResult, 0);
  EXPECT_FALSE(d.GameActive);
  EXPECT_EQ(window.status, "Вася, Вы победили меня!");
  EXPECT_EQ(window.actionCaption, "Новая партия");
  EXPECT_TRUE(window.actionVisible);
  EXPECT_TRUE(window.animationOn);
  EXPECT_EQ(d.CPUCards[0].ID, Card(5, kClubs).ID);  // shown sorted
  EXPECT_NE(window.counts.find("Побед: 1 (100%)"), std::string::npos);

  Position(Card(9, kHearts), {Card(5, kClubs)}, {}, {}, 1);
  ASSERT_TRUE(d.IsGameEnd());
  EXPECT_EQ(score.Loses, 1);
  EXPECT_EQ(d.LastResult, 1);
  EXPECT_EQ(window.status, "К сожалению Вы проиграли, Вася.");

  options.endAnimation = false;
  d.SetAnimation(false);
  Position(Card(9, kHearts), {}, {}, {}, 0);
  ASSERT_TRUE(d.IsGameEnd());
  EXPECT_EQ(score.Nones, 1);
  EXPECT_EQ(d.LastResult, 2);
  EXPECT_EQ(window.status, "Вася, мы сыграли в ничью.");
  EXPECT_FALSE(window.animationOn);
}

TEST_F(RoundEndTest, TakenCardsFillHolesInTableOrder) {
  Position(Card(9, kHearts), {Card(5, kClubs), Card(6, kClubs), Card(7, kClubs)}, {}, {}, 1);
  d.UserCards[1] = EmptyCard();
  d.DeskCards[0] = Card(10, kSpades);
  d.DeskCards[6] = Card(11, kSpades);
  d.DeskCards[7] = Card(12, kSpades);
  d.MoveToUser();
  EXPECT_EQ(d.UserCards[1].ID, Card(10, kSpades).ID);
  EXPECT_EQ(d.UserCards[3].ID, Card(11, kSpades).ID);
  EXPECT_EQ(d.UserCards[4].ID, Card(12, kSpades).ID);
  EXPECT_EQ(GetCardsCount(d.DeskCards), 0);
}

}  // namespace
}  // namespace tarlyk
