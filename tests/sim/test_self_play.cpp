// Self-play through the seam for computer players: the computer's own levels in the
// person's seat, and the summary of decision times.
#include <gtest/gtest.h>

#include "opponent/search_player.h"
#include "self_play.h"

namespace tarlyk {
namespace {

// The weights players fill the person's seat like any bot, with every check on.
TEST(SelfPlaySeam, LevelPlayersFinishCheckedGamesInThePersonsSeat) {
  for (BotKind bot : {BotKind::kLevel0, BotKind::kLevel1}) {
    for (int deck : {36, 52}) {
      SelfPlayConfig config;
      config.bot = bot;
      config.deck = deck;
      config.level = deck == 52 ? 0 : 1;
      config.check = true;
      config.seed = 31;
      SelfPlayer player(config);
      for (int g = 0; g < 100; ++g) ASSERT_TRUE(player.PlayGame()) << player.Failure();
      EXPECT_EQ(player.Tally().games, 100);
      EXPECT_GT(player.DecisionSeconds().size(), 100u);
    }
  }
}

// Level 2 in the person's seat sees that seat's view and only ever clicks allowed cards.
TEST(SelfPlaySeam, SearchingPlayerPlaysThePersonsSeat) {
  SelfPlayConfig config;
  config.bot = BotKind::kLevel2;
  config.level = 1;
  config.check = true;
  config.seed = 4;
  SelfPlayer player(config);
  for (int g = 0; g < 12; ++g) ASSERT_TRUE(player.PlayGame()) << player.Failure();
  EXPECT_GT(player.Tally().wins, player.Tally().losses);
}

// The same level in both seats is an even match: a seat that saw less than the other, or
// kept stale weights, would lose far more often.
TEST(SelfPlaySeam, SameLevelInBothSeatsIsEven) {
  for (int level : {0, 1}) {
    SelfPlayConfig config;
    config.bot = level == 0 ? BotKind::kLevel0 : BotKind::kLevel1;
    config.level = level;
    config.seed = 8;
    SelfPlayer player(config);
    for (int g = 0; g < 2000; ++g) ASSERT_TRUE(player.PlayGame()) << player.Failure();
    const SelfPlayTally& t = player.Tally();
    const double person = static_cast<double>(t.wins) / static_cast<double>(t.wins + t.losses);
    EXPECT_GT(person, 0.45) << level;
    EXPECT_LT(person, 0.55) << level;
  }
}

// The searching player, on a small budget, against the random and the lowest-card bots.
TEST(SelfPlaySeam, SearchingPlayerBeatsTheSimpleBots) {
  SearchSettings quick;
  quick.playouts = 150;
  quick.solveNodes = 5000;
  quick.endingPlayouts = 8;
  for (BotKind bot : {BotKind::kRandom, BotKind::kLowest}) {
    SelfPlayConfig config;
    config.bot = bot;
    config.level = 2;
    config.seed = 21;
    config.check = true;
    SelfPlayer player(config);
    player.Driver().Data().SetPlayerFactory(
        [&](int) { return std::make_unique<SearchPlayer>(1, quick); });
    for (int g = 0; g < 200; ++g) ASSERT_TRUE(player.PlayGame()) << player.Failure();
    const double computer = static_cast<double>(player.Tally().losses) / 200;
    EXPECT_GE(computer, bot == BotKind::kRandom ? 0.9 : 0.6) << static_cast<int>(bot);
  }
}

TEST(SelfPlaySeam, TimeSummaryPicksTheMedianAndThe99thPercentile) {
  std::vector<double> times;
  for (int i = 200; i >= 1; --i) times.push_back(i);
  const TimeSummary t = SummariseTimes(times);
  EXPECT_NEAR(t.median, 100.5, 0.51);
  EXPECT_NEAR(t.p99, 198, 1.01);
  EXPECT_EQ(SummariseTimes({}).median, 0);
}

}  // namespace
}  // namespace tarlyk
