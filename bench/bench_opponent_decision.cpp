// How long the searching player (level 2) takes for one choice, over whole games against
// the lowest-card bot on one core. Goals: a median of at most 20 ms and a 99th percentile
// of at most 100 ms. Each iteration is one game; the counters are in milliseconds.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "self_play.h"

namespace {

void DecisionTimes(benchmark::State& state, int deck) {
  tarlyk::SelfPlayConfig config;
  config.seed = 2024;
  config.bot = tarlyk::BotKind::kLowest;
  config.level = 2;
  config.deck = deck;
  tarlyk::SelfPlayer player(config);
  for (auto _ : state) {
    if (!player.PlayGame()) {
      state.SkipWithError(player.Failure().c_str());
      break;
    }
  }
  const std::vector<double>& seconds = player.DecisionSeconds();
  const tarlyk::TimeSummary t = tarlyk::SummariseTimes(seconds);
  state.counters["decisions"] = static_cast<double>(seconds.size());
  state.counters["median_ms"] = t.median * 1e3;
  state.counters["p99_ms"] = t.p99 * 1e3;
  state.counters["max_ms"] =
      seconds.empty() ? 0 : *std::max_element(seconds.begin(), seconds.end()) * 1e3;
}

void BM_Level2Decision36(benchmark::State& state) {
  DecisionTimes(state, 36);
}
BENCHMARK(BM_Level2Decision36)->Iterations(300)->Unit(benchmark::kMillisecond);

void BM_Level2Decision52(benchmark::State& state) {
  DecisionTimes(state, 52);
}
BENCHMARK(BM_Level2Decision52)->Iterations(150)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
