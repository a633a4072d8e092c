// Loading all 64 card pictures (decode, mask, tint, key, turn) compared with a baseline
// measured in the same run: a plain fill of a 710 x 480 picture and 40 card draws.
// The goal is a full load under 5 ms; the ratio to the baseline is printed at the end.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

#include "view/card_images.h"

namespace {

class ZeroRandom : public tarlyk::IRandom {
 public:
  int Random(int) override { return 0; }
};

void BM_Baseline(benchmark::State& state) {
  QImage card(71, 96, QImage::Format_ARGB32_Premultiplied);
  card.fill(Qt::white);
  QImage table(710, 480, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    QPainter p(&table);
    p.fillRect(table.rect(), QColor(218, 234, 253));
    for (int i = 0; i < 40; ++i) p.drawImage((i * 16) % 640, (i / 10) * 96, card);
    p.end();
    benchmark::DoNotOptimize(table.constBits());
  }
}
BENCHMARK(BM_Baseline)->Unit(benchmark::kMillisecond);

void BM_LoadCardImages(benchmark::State& state) {
  ZeroRandom random;
  for (auto _ : state) {
    tarlyk::CardImages images;
    std::array<tarlyk::TCardRec, 53> allCards{};
    const auto result = tarlyk::LoadCardImages(TARLYK_CARDS_DIR, qRgb(218, 234, 253), images,
                                               allCards, {}, {}, {}, -1, random);
    if (result.status != tarlyk::CardLoadResult::kOk) {
      state.SkipWithError("card library did not load");
      break;
    }
    benchmark::DoNotOptimize(images.ilCards[0].constBits());
  }
}
BENCHMARK(BM_LoadCardImages)->Unit(benchmark::kMillisecond);

// Keeps the best time of every benchmark (over repetitions, if any) so the ratio to the
// baseline can be printed. CPU time is reported too: on a busy machine it is the
// steadier figure.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  struct Best {
    double real = 1e300;
    double cpu = 1e300;
  };
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
      Best& b = best[run.run_name.function_name];
      b.real = std::min(b.real, run.GetAdjustedRealTime());
      b.cpu = std::min(b.cpu, run.GetAdjustedCPUTime());
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, Best> best;
};

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto base = reporter.best.find("BM_Baseline");
  const auto load = reporter.best.find("BM_LoadCardImages");
  if (base != reporter.best.end() && load != reporter.best.end()) {
    std::printf(
        "load of all card pictures: %.2f ms real (%.1fx the baseline), %.2f ms CPU (%.1fx); "
        "goal: under 5 ms\n",
        load->second.real, load->second.real / base->second.real, load->second.cpu,
        load->second.cpu / base->second.cpu);
  }
  benchmark::Shutdown();
  return 0;
}
