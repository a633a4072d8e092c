// Processor time and page faults of answering a click on a card of the person's hand: the
// game's main window, wired to the game and the table painter as the program wires them,
// repaints for the click and for the turn, and the table is shown. Beside it, a bare Qt
// window of the same size that answers each click by filling a picture of the table's
// size and showing it. Both live in this process and are clicked in turn; each click is
// measured from the press until the events it caused are handled (the window drawn and
// sent to the X server). Prints the medians and their ratio.
//   click_probe <card library dir> [clicks]
// Run it under an X server (bench/click.sh), with QT_SCALE_FACTOR for other ratios.
#include <sys/resource.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

#include "art/fonts.h"
#include "art/look.h"
#include "game/hand_layout.h"
#include "game/options_values.h"
#include "game/random.h"
#include "game/tdm_data.h"
#include "shell/main_window.h"
#include "view/card_images.h"
#include "view/scaled_cards.h"
#include "view/table_painter.h"

namespace {

using namespace tarlyk;

struct Usage {
  double cpuMs;
  long faults;
};

Usage Now() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  return {static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6, r.ru_minflt};
}

void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

void Click(QWidget* w, QPoint at) {
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &event);
  }
}

// Answers a click by filling its picture and showing it.
class BareWindow : public QWidget {
 public:
  BareWindow() {
    setFixedSize(710, 531);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void mouseReleaseEvent(QMouseEvent*) override {
    const qreal ratio = devicePixelRatioF();
    if (picture_.devicePixelRatio() != ratio || picture_.isNull()) {
      picture_ = QImage(DeviceSize(QSize(710, 480), ratio), QImage::Format_ARGB32_Premultiplied);
      picture_.setDevicePixelRatio(ratio);
    }
    picture_.fill(qRgb(218, 234, (++clicks_ % 2) ? 253 : 252));
    update();
  }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(QRect(0, 480, 710, 51), Qt::white);
    if (!picture_.isNull()) p.drawImage(QPoint(0, 0), picture_);
  }

 private:
  QImage picture_;
  int clicks_ = 0;
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <card library dir> [clicks]\n", argv[0]);
    return 2;
  }
  const int clicks = argc > 2 ? std::atoi(argv[2]) : 200;

  CardImages images;
  OptionValues options;
  options.endAnimation = false;
  SeededRandom random(3);
  ScoreCounters score;
  TfrmMain window;
  TdmData data(window, options, random, score, "Игрок");
  if (LoadCardImages(argv[1], window.TableColor().rgb(), images, data.AllCards, {}, {}, {}, 0,
                     random)
          .status != CardLoadResult::kOk) {
    std::fprintf(stderr, "click_probe: no card library in %s\n", argv[1]);
    return 1;
  }
  PanelPictures pictures;
  TablePainter painter(images, pictures);
  window.SetGame(&data);
  window.SetQuestionBox([](const QString&, const QString&) { return true; });
  window.SetDeskComposer([&]() -> DeskWidget::Drawing {
    TablePalette palette;
    palette.tableColor = window.TableColor().rgb();
    palette.shadeColor = window.TableShadeColor().rgb();
    palette.textColor = syscolor::WindowText().rgb();
    palette.highlight = syscolor::ButtonHighlight().rgb();
    palette.shadow = syscolor::ButtonShadow().rgb();
    auto scene = std::make_shared<const TableScene>(
        painter.Compose(data, palette, TahomaPx(11, true), QSize(710, 480)));
    return [&painter, scene](QImage& picture) { painter.Render(picture, *scene); };
  });
  window.move(0, 0);
  window.show();
  BareWindow bare;
  bare.move(760, 0);
  bare.show();
  for (int i = 0; i < 50; ++i) Settle();

  std::vector<double> gameMs, bareMs, gameFaults, bareFaults;
  for (int i = 0; i < clicks; ++i) {
    // A dealt hand with a card that may be played now (not timed).
    int k = -1;
    for (int tries = 0; tries < 20 && k < 0; ++tries) {
      if (!data.GameActive) window.N4->trigger();
      Settle();
      const int n = GetCardsCount(data.UserCards);
      for (int j = 0; j < n && k < 0; ++j) {
        if (data.ApplyRules(data.UserCards[static_cast<size_t>(j)], data.WhoGoing == 0)) k = j;
      }
      if (k >= 0) break;
      if (window.btnEvent->isVisible()) {
        window.btnEvent->click();
      } else {
        window.N4->trigger();
      }
    }
    if (k < 0) continue;
    const int n = GetCardsCount(data.UserCards);
    const QPoint at(HandCardX(k, n, 710) + 5, 420);

    Usage before = Now();
    Click(window.imgDesk, at);
    Settle();
    Usage after = Now();
    gameMs.push_back(after.cpuMs - before.cpuMs);
    gameFaults.push_back(static_cast<double>(after.faults - before.faults));

    before = Now();
    Click(&bare, QPoint(300, 300));
    Settle();
    after = Now();
    bareMs.push_back(after.cpuMs - before.cpuMs);
    bareFaults.push_back(static_cast<double>(after.faults - before.faults));
  }
  const double g = Median(gameMs), b = Median(bareMs);
  std::printf(
      "click at ratio %g: %.2f ms processor, %.0f minor faults; bare window %.2f ms, %.0f "
      "faults: %.2fx (%zu clicks)\n",
      window.devicePixelRatioF(), g, Median(gameFaults), b, Median(bareFaults), b > 0 ? g / b : 0,
      gameMs.size());
  return 0;
}
