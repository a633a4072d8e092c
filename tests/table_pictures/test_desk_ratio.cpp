// The table of the main window with its picture drawn as the program draws it: once for
// all the repaints of an event, showing what an immediate repaint would, and again when
// the window moves to a screen of another pixel ratio. Two screens side by side, of
// pixel ratio 1 and 2, on Qt's offscreen platform.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <memory>
#include <vector>

#include "art/fonts.h"
#include "fixed_random.h"
#include "game/hand_layout.h"
#include "game/options_values.h"
#include "game/random.h"
#include "game/tdm_data.h"
#include "offscreen_screens.h"
#include "shell/main_window.h"
#include "view/card_images.h"
#include "view/table_painter.h"
#include "widget_events.h"

namespace tarlyk {
namespace {

const CardImages& Images() {
  static const CardImages images = [] {
    CardImages im;
    std::array<TCardRec, 53> allCards{};
    FixedRandom random(0);
    EXPECT_EQ(
        LoadCardImages(TARLYK_CARDS_DIR, qRgb(218, 234, 253), im, allCards, {}, {}, {}, 2, random)
            .status,
        CardLoadResult::kOk);
    return im;
  }();
  return images;
}

// The main window wired to a game and the painter as the program wires them.
struct Table {
  TfrmMain window;
  OptionValues options;
  SeededRandom random{11};
  ScoreCounters score;
  TdmData data{window, options, random, score, "Игрок"};
  PanelPictures pictures;
  TablePainter painter{Images(), pictures};
  std::vector<RainDrop> drops;
  int composed = 0;

  Table() {
    data.AllCards = [] {
      std::array<TCardRec, 53> all{};
      for (int i = 1; i <= 52; ++i) all[static_cast<size_t>(i)] = CardFromNumber(i);
      return all;
    }();
    window.SetGame(&data);
    window.SetDeskComposer([this]() -> DeskWidget::Drawing {
      ++composed;
      auto scene = std::make_shared<const TableScene>(Compose());
      return [this, scene](QImage& picture) { painter.Render(picture, *scene); };
    });
    window.SetRainComposer([this]() -> DeskWidget::Drawing {
      const RainDrop drop = NextRainDrop(QSize(710, 480), random);
      drops.push_back(drop);
      return [this, drop](QImage& picture) { painter.DrawRainDrop(picture, drop); };
    });
  }
  TableScene Compose() const {
    return painter.Compose(data, TablePalette{}, TahomaPx(11, true), QSize(710, 480));
  }
  // What painting the game as it is now gives at `ratio`, with the rain so far.
  QImage Expected(qreal ratio) const {
    QImage img(DeviceSize(QSize(710, 480), ratio), QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(ratio);
    painter.Render(img, Compose());
    for (const RainDrop& d : drops) painter.DrawRainDrop(img, d);
    return img;
  }
};

TEST(DeskRatio, RepaintsOfOneEventDrawOnce) {
  TfrmMain w;
  int composed = 0, drawn = 0;
  w.SetDeskComposer([&]() -> DeskWidget::Drawing {
    const int n = ++composed;
    return [&drawn, n](QImage& img) {
      ++drawn;
      img.fill(qRgb(n, 0, 0));
    };
  });
  w.RepaintDesk();
  w.RepaintDesk();
  EXPECT_EQ(composed, 2);
  EXPECT_EQ(drawn, 0);
  EXPECT_FALSE(w.TitleShown());
  EXPECT_EQ(w.DeskImage().pixel(5, 5), qRgb(2, 0, 0));
  EXPECT_EQ(drawn, 1);
  const uchar* const bits = w.DeskImage().constBits();
  w.RepaintDesk();
  EXPECT_EQ(w.DeskImage().pixel(5, 5), qRgb(3, 0, 0));
  EXPECT_EQ(drawn, 2);
  EXPECT_EQ(w.DeskImage().constBits(), bits);  // the same picture, drawn over
}

// Whatever the person does, the table shown after each event is what painting the game
// at the end of the event gives.
TEST(DeskRatio, EveryEventShowsWhatAnImmediateRepaintWould) {
  if (!RegisterTahoma()) GTEST_SKIP() << "the table font is not installed";
  Table t;
  t.options.firstStep = 2;  // the person leads
  t.window.N4->trigger();
  ASSERT_TRUE(t.data.GameActive);
  int events = 0;
  for (int step = 0; step < 60 && t.data.GameActive; ++step) {
    const int n = GetCardsCount(t.data.UserCards);
    if (step % 5 == 4 && t.window.btnEvent->isVisible()) {
      t.window.btnEvent->click();
    } else if (n > 0) {
      Click(t.window.imgDesk, Qt::LeftButton, QPoint(HandCardX(step % n, n, 710) + 3, 420));
    } else {
      Click(t.window.imgDesk, Qt::LeftButton, QPoint(300, 300));
    }
    ++events;
    ASSERT_EQ(t.window.DeskImage(), t.Expected(1.0)) << "after event " << events;
  }
  EXPECT_GT(t.composed, events);  // clicks repaint twice, and show one picture
}

TEST(DeskRatio, MovingToAScreenOfAnotherRatioDrawsTableAndRainAgain) {
  if (!RegisterTahoma()) GTEST_SKIP() << "the table font is not installed";
  const QList<QScreen*> screens = QGuiApplication::screens();
  ASSERT_EQ(screens.size(), 2);
  Table t;
  t.options.firstStep = 2;
  t.options.endAnimation = true;
  t.window.move(20, 20);
  t.window.show();
  t.window.N4->trigger();
  RunEventsFor(50);
  EXPECT_EQ(t.window.DeskImage().devicePixelRatio(), 1.0);
  t.window.SetAnimationTimer(true);
  RunEventsFor(300);
  t.window.SetAnimationTimer(false);
  ASSERT_GE(t.drops.size(), 2u);
  EXPECT_EQ(t.window.DeskImage(), t.Expected(1.0));

  t.window.windowHandle()->setScreen(screens[1]);
  t.window.move(screens[1]->geometry().topLeft() + QPoint(20, 20));
  RunEventsFor(50);
  ASSERT_EQ(t.window.imgDesk->devicePixelRatioF(), 2.0);
  const QImage& shown = t.window.DeskImage();
  EXPECT_EQ(shown.size(), QSize(1420, 960));
  EXPECT_EQ(shown, t.Expected(2.0));

  // A repaint there wipes the rain, as everywhere.
  t.window.RepaintDesk();
  t.drops.clear();
  EXPECT_EQ(t.window.DeskImage(), t.Expected(2.0));
}

}  // namespace
}  // namespace tarlyk

int main(int argc, char** argv) {
  // Two screens side by side: pixel ratio 1 on the left, 2 on the right.
  return tarlyk::RunTestsOnScreens(argc, argv, R"({"screens": [
    {"name": "one", "x": 0, "y": 0, "width": 1280, "height": 1024, "dpr": 1.0},
    {"name": "two", "x": 1280, "y": 0, "width": 2560, "height": 2048, "dpr": 2.0}]})");
}
