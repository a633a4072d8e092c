// The card pictures in a fresh process: loading them from the card library as the game
// does at start-up, then drawing the first table of a dealt game at a pixel ratio (the
// larger pictures are taken from the library or made at that moment), and a second
// table. For each step the processor time (kernel time for page faults included), the
// minor page faults and the growth of the resident memory; the table picture itself is
// made and touched beforehand, so the growth of the drawing is that of card pictures.
// Prints one line "<load ms> <load faults> <load KiB> <first ms> <first faults> <first KiB>
// <second ms>".
//   card_load_probe <card library dir> <ratio>
// bench/card_load.sh runs it in many fresh processes and prints medians.
#include <sys/resource.h>

#include <QFont>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

#include "game/options_values.h"
#include "game/random.h"
#include "game/tdm_data.h"
#include "null_window.h"
#include "view/card_images.h"
#include "view/scaled_cards.h"
#include "view/table_painter.h"

namespace {

using namespace tarlyk;

struct Usage {
  double cpuMs;
  long faults;
  long residentKiB;
};

long ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * 4;
}

Usage Now() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  return {static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6, r.ru_minflt,
          ResidentKiB()};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <card library dir> <ratio>\n", argv[0]);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const qreal ratio = std::atof(argv[2]);

  NullWindow window;
  OptionValues options;
  SeededRandom random(7);
  ScoreCounters score;
  TdmData data(window, options, random, score, "Игрок");
  CardImages images;

  const Usage start = Now();
  const CardLoadResult result =
      LoadCardImages(argv[1], qRgb(218, 234, 253), images, data.AllCards, {}, {}, {}, -1, random);
  const Usage loaded = Now();
  if (result.status != CardLoadResult::kOk) {
    std::fprintf(stderr, "card_load_probe: no card library in %s\n", argv[1]);
    return 1;
  }

  PanelPictures pictures;
  TablePainter painter(images, pictures);
  data.N4Click();
  const QFont font(QStringLiteral("Tahoma"), 8, QFont::Bold);
  QImage table(DeviceSize(QSize(710, 480), ratio), QImage::Format_ARGB32_Premultiplied);
  table.setDevicePixelRatio(ratio);
  table.fill(0);
  // The panels and the font are made ready too, so that only the cards are measured.
  painter.Render(table,
                 TableScene{QSize(710, 480), TablePalette{}, font, {}, {}, {}, {}, {}, {}, {}});

  const TableScene scene = painter.Compose(data, TablePalette{}, font, QSize(710, 480));
  const Usage before = Now();
  painter.Render(table, scene);
  const Usage first = Now();
  painter.Render(table, scene);
  const Usage second = Now();

  std::printf("%.3f %ld %ld %.3f %ld %ld %.3f\n", loaded.cpuMs - start.cpuMs,
              loaded.faults - start.faults, loaded.residentKiB - start.residentKiB,
              first.cpuMs - before.cpuMs, first.faults - before.faults,
              first.residentKiB - before.residentKiB, second.cpuMs - first.cpuMs);
  return 0;
}
