// One full table repaint, timed against a baseline measured in the same run: a plain
// fill of a 710 x 480 picture and 40 card draws. Prints each repaint as a ratio to it.
#include <benchmark/benchmark.h>

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <cstdio>
#include <map>
#include <string>

#include "game/options_values.h"
#include "game/random.h"
#include "game/tdm_data.h"
#include "null_window.h"
#include "view/scaled_cards.h"
#include "view/table_painter.h"

namespace tarlyk {
namespace {

QImage card(int w, int h, QRgb colour) {
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  img.fill(colour);
  QPainter p(&img);
  p.fillRect(15, 20, w - 30, h - 40, Qt::white);
  p.end();
  for (int x : {0, 1}) img.setPixel(x, 0, 0);
  img.setPixel(0, 1, 0);
  return img;
}

struct Fixture {
  NullWindow window;
  OptionValues options;
  SeededRandom random{1};
  ScoreCounters score{40, 12, 3};
  TdmData data{window, options, random, score, "Игрок"};
  CardImages images;
  PanelPictures pictures;
  TablePalette palette;
  QFont font{"Tahoma", 8, QFont::Bold};

  Fixture() {
    for (int i = 0; i < 52; ++i) {
      images.ilCards[i] = card(71, 96, qRgb(40 + i * 3, 90, 160));
      images.ilLightCards[i] = card(71, 96, qRgb(180, 200, 230));
    }
    for (int b = 0; b < 12; ++b) {
      images.ilShorts[b] = card(71, 96, qRgb(150, 30, 30 + b));
      images.ilShorts90[b] = card(96, 71, qRgb(150, 30, 30 + b));
    }
    options.showMedals = true;
  }

  // A game in progress: the computer attacks with two cards, one covered; 20 in the stock.
  void midGame(int handSize, int marking) {
    options.disabledCardsType = marking;
    data.GameActive = true;
    data.WhoGoing = 1;
    data.KozirCard = CardFromNumber(30);
    for (int i = 0; i < 20; ++i) data.ColodaCards[51 - i] = CardFromNumber(1 + i);
    for (int i = 0; i < 6; ++i) data.CPUCards[i] = CardFromNumber(21 + i);
    data.DeskCards[6] = CardFromNumber(40);
    data.DeskCards[0] = CardFromNumber(41);
    data.DeskCards[7] = CardFromNumber(2);
    for (int i = 0; i < handSize; ++i) data.UserCards[i] = CardFromNumber(i + 1);
  }
};

Fixture& fixture() {
  static Fixture f;
  return f;
}

void BM_Baseline(benchmark::State& state) {
  Fixture& f = fixture();
  QImage img(710, 480, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    img.fill(f.palette.tableColor);
    QPainter p(&img);
    for (int i = 0; i < 40; ++i) p.drawImage(5 + i * 15, 5 + (i % 4) * 90, f.images.ilCards[i]);
    p.end();
    benchmark::DoNotOptimize(img.constBits());
  }
}
BENCHMARK(BM_Baseline);

void paintBench(benchmark::State& state, int handSize, int marking, qreal ratio = 1.0) {
  Fixture& f = fixture();
  f.midGame(handSize, marking);
  const TablePainter painter(f.images, f.pictures);
  QImage img(DeviceSize(QSize(710, 480), ratio), QImage::Format_ARGB32_Premultiplied);
  img.setDevicePixelRatio(ratio);
  for (auto _ : state) {
    painter.Paint(img, f.data, f.palette, f.font);
    benchmark::DoNotOptimize(img.constBits());
  }
}
void BM_RepaintTinted(benchmark::State& s) {
  paintBench(s, 6, 0);
}
void BM_RepaintEmbossed(benchmark::State& s) {
  paintBench(s, 6, 1);
}
void BM_RepaintEmbossed36(benchmark::State& s) {
  paintBench(s, 36, 1);
}
// The same at the pixel ratio 2 (four times the pixels), the card pictures enlarged once.
void BM_RepaintTinted2x(benchmark::State& s) {
  paintBench(s, 6, 0, 2.0);
}
void BM_RepaintEmbossed36At2x(benchmark::State& s) {
  paintBench(s, 36, 1, 2.0);
}
BENCHMARK(BM_RepaintTinted);
BENCHMARK(BM_RepaintEmbossed);
BENCHMARK(BM_RepaintEmbossed36);
BENCHMARK(BM_RepaintTinted2x);
BENCHMARK(BM_RepaintEmbossed36At2x);

// Console output plus, at the end, every result as a ratio to the baseline.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    // Single runs, or the medians when repetitions are asked for; CPU time, so that other
    // processes on a shared machine disturb the ratio less.
    for (const Run& r : runs) {
      if (r.run_type == Run::RT_Aggregate && r.aggregate_name != "median") continue;
      times_[r.run_name.function_name] = r.GetAdjustedCPUTime();
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto base = times_.find("BM_Baseline");
    if (base == times_.end() || base->second <= 0) return;
    std::printf(
        "\nCPU time as a ratio to the baseline (goal: a full repaint at most 2x; at ratio 2 the "
        "picture has four times the pixels):\n");
    for (const auto& [name, t] : times_)
      std::printf("  %-24s %8.1f us  %5.2fx\n", name.c_str(), t / 1000.0, t / base->second);
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace
}  // namespace tarlyk

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  tarlyk::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
