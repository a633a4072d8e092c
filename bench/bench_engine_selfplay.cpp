// Whole games per second: the engine and the computer opponent against a bot that acts
// only through card clicks and the action button. The goal is 20,000 games per second
// with the random bot and 36 cards on one core. The same run also measures the bare
// shuffle-and-deal as the baseline, so the ratio of the two says what a game costs
// beyond starting it.
#include <benchmark/benchmark.h>

#include "self_play.h"

namespace {

void RunGames(benchmark::State& state, tarlyk::BotKind bot, int deck, bool check) {
  tarlyk::SelfPlayConfig config;
  config.seed = 12345;
  config.bot = bot;
  config.deck = deck;
  config.check = check;
  config.timeDecisions = false;
  tarlyk::SelfPlayer player(config);
  for (auto _ : state) {
    if (!player.PlayGame()) {
      state.SkipWithError(player.Failure().c_str());
      break;
    }
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["games/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_SelfPlayRandom36(benchmark::State& state) {
  RunGames(state, tarlyk::BotKind::kRandom, 36, false);
}
BENCHMARK(BM_SelfPlayRandom36);

void BM_SelfPlayLowest36(benchmark::State& state) {
  RunGames(state, tarlyk::BotKind::kLowest, 36, false);
}
BENCHMARK(BM_SelfPlayLowest36);

void BM_SelfPlayRandom52(benchmark::State& state) {
  RunGames(state, tarlyk::BotKind::kRandom, 52, false);
}
BENCHMARK(BM_SelfPlayRandom52);

// With every invariant checked after each event, for comparison.
void BM_SelfPlayRandom36Checked(benchmark::State& state) {
  RunGames(state, tarlyk::BotKind::kRandom, 36, true);
}
BENCHMARK(BM_SelfPlayRandom36Checked);

// Baseline: only the new-game command (shuffle and deal) of each game.
void BM_NewGameOnly(benchmark::State& state) {
  tarlyk::SimDriver driver;
  for (auto _ : state) {
    driver.Data().GameActive = false;
    driver.Data().N4Click();
    benchmark::DoNotOptimize(driver.Data().UserCards);
  }
  state.counters["games/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_NewGameOnly);

}  // namespace

BENCHMARK_MAIN();
