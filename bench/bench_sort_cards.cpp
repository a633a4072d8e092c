// SortCards runs before every repaint. The baseline is the slot-by-slot selection with
// GetMinCard; compare the two figures of one run.
#include <benchmark/benchmark.h>

#include <array>
#include <utility>

#include "game/piles.h"
#include "game/random.h"

namespace tarlyk {
namespace {

using Hand = std::array<TCardRec, 52>;

// A hand of `count` distinct cards scattered over the 52 slots.
Hand ScatteredHand(int count, uint64_t seed) {
  SeededRandom rng(seed);
  Hand h{};
  std::array<int, 52> numbers{};
  for (int i = 0; i < 52; ++i) numbers[i] = i + 1;
  for (int k = 0; k < count; ++k) {
    std::swap(numbers[k], numbers[k + rng.Random(52 - k)]);
    int slot = rng.Random(52);
    while (IsPresent(h[slot])) slot = (slot + 1) % 52;
    h[slot] = CardFromNumber(numbers[k]);
  }
  return h;
}

void BaselineSelection(benchmark::State& state) {
  const Hand start = ScatteredHand(static_cast<int>(state.range(0)), 5);
  for (auto _ : state) {
    Hand h = start;
    for (int i = 0; i < 52; ++i) {
      const int m = GetMinCard(h, i, kHearts);
      if (m != i) std::swap(h[i], h[m]);
    }
    RemoveSpaces(h);
    benchmark::DoNotOptimize(h);
  }
}

void FastSortCards(benchmark::State& state) {
  const Hand start = ScatteredHand(static_cast<int>(state.range(0)), 5);
  for (auto _ : state) {
    Hand h = start;
    SortCards(h, kHearts);
    benchmark::DoNotOptimize(h);
  }
}

BENCHMARK(BaselineSelection)->Arg(6)->Arg(18)->Arg(36);
BENCHMARK(FastSortCards)->Arg(6)->Arg(18)->Arg(36);

}  // namespace
}  // namespace tarlyk
