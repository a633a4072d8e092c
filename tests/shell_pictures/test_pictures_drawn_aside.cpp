// The splash and title pictures for a screen of pixel ratio 1.5, drawn on a second thread
// during start-up: the compiled-in picture stands in at first, the finer one replaces it
// once the event loop runs (the title's once the table has been painted), and it is exactly the picture drawn for that ratio, in the
// colours the window has by then. On Qt's offscreen platform with one screen of ratio 1.5
// (at 2 the splash has a compiled-in picture of its own).
#include <gtest/gtest.h>

#include <QPainter>
#include <QScreen>
#include <QTest>
#include <memory>

#include "art/look.h"
#include "art/render/built_in_pictures.h"
#include "art/splash_picture.h"
#include "art/title_picture.h"
#include "offscreen_screens.h"
#include "shell/backing_store_warm_up.h"
#include "shell/main_window.h"
#include "shell/splash_window.h"

namespace tarlyk {
namespace {

constexpr int kWaitMs = 10000;
constexpr qreal kRatio = 1.5;

bool SamePixels(const QImage& a, const QImage& b) {
  return a.size() == b.size() && a.devicePixelRatio() == b.devicePixelRatio() &&
         a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

TEST(PicturesDrawnAside, SplashShowsTheCompiledInPictureThenTheFinerOne) {
  SplashWindow splash;
  ASSERT_EQ(splash.devicePixelRatioF(), kRatio);
  EXPECT_EQ(splash.Picture().constBits(), BuiltInSplashPicture().constBits());
  splash.ShowNow();
  QTRY_COMPARE_WITH_TIMEOUT(splash.Picture().devicePixelRatio(), kRatio, kWaitMs);
  EXPECT_TRUE(SamePixels(splash.Picture(), DrawSplashPicture(kRatio)));

  // What the window shows is the finer picture at its device pixels, not the enlarged one.
  QTest::qWait(50);
  const QImage shown = splash.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage finer = splash.Picture().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shown.size(), finer.size());
  int different = 0;
  for (int y = 90; y < finer.height(); ++y) {  // below the text and the animation
    for (int x = 0; x < finer.width(); ++x) different += shown.pixel(x, y) != finer.pixel(x, y);
  }
  EXPECT_EQ(different, 0);
  splash.hide();
}

// A window whose backing store was made and its pages touched ahead of showing shows
// its first painting whole, at the screen's device pixels; a second start is harmless.
TEST(PicturesDrawnAside, WindowWarmedUpShowsItsFirstPainting) {
  class Filled : public QWidget {
   protected:
    void paintEvent(QPaintEvent*) override {
      QPainter p(this);
      p.fillRect(rect(), QColor(20, 120, 200));
      p.fillRect(QRect(10, 10, 30, 20), QColor(250, 200, 10));
    }
  } window;
  window.setAttribute(Qt::WA_OpaquePaintEvent);
  window.setFixedSize(200, 150);
  QImage picture(300, 225, QImage::Format_RGB32);
  picture.fill(Qt::black);
  BackingStoreWarmUp warmUp;
  warmUp.Start(&window, picture);
  warmUp.Start(&window, picture);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QTest::qWait(20);
  warmUp.Wait();
  const QImage shown = window.screen()->grabWindow(window.winId()).toImage();
  ASSERT_FALSE(shown.isNull());
  const qreal scale = shown.width() / 200.0;
  ASSERT_EQ(shown.height(), qRound(150 * scale));
  EXPECT_EQ(QColor(shown.pixel(qRound(5 * scale), qRound(5 * scale))), QColor(20, 120, 200));
  EXPECT_EQ(QColor(shown.pixel(qRound(20 * scale), qRound(20 * scale))), QColor(250, 200, 10));
  EXPECT_EQ(QColor(shown.pixel(shown.width() - 1, shown.height() - 1)), QColor(20, 120, 200));
}

TEST(PicturesDrawnAside, SplashGoneBeforeItsPictureIsDrawn) {
  // Closed at once: the drawing still under way ends with the window, and its hand-over
  // reaches nothing.
  for (int i = 0; i < 3; ++i) {
    auto splash = std::make_unique<SplashWindow>();
    splash->ShowNow();
    splash.reset();
    QTest::qWait(5);
  }
}

TEST(PicturesDrawnAside, TitleIsDrawnFinerInTheColoursOfTheMoment) {
  const QSize size(TfrmMain::kDeskWidth, TfrmMain::kDeskHeight);
  SettleLook(ColorScheme::kClassic);
  TfrmMain main;
  ASSERT_EQ(main.devicePixelRatioF(), kRatio);
  const QColor table = main.TableColor();
  const QColor shade = main.TableShadeColor();
  // The compiled-in picture stands in while the finer one is drawn.
  EXPECT_EQ(main.DeskImage().constBits(), BuiltInTitlePicture(size, table, shade).constBits());
  // The finer one waits for the table's first painting, out of start-up's way.
  QTest::qWait(300);
  EXPECT_EQ(main.DeskImage().constBits(), BuiltInTitlePicture(size, table, shade).constBits());
  main.show();
  QTRY_COMPARE_WITH_TIMEOUT(main.DeskImage().devicePixelRatio(), kRatio, kWaitMs);
  EXPECT_TRUE(SamePixels(main.DeskImage(), DrawTitlePicture(size, table, shade, kRatio)));

  // Colours changed twice while a picture is being drawn: the table ends in the last.
  SettleLook(ColorScheme::kOlive);
  main.ApplyLook();
  SettleLook(ColorScheme::kClassic);
  main.ApplyLook();
  SettleLook(ColorScheme::kOlive);
  main.ApplyLook();
  const QColor oliveTable = main.TableColor();
  const QColor oliveShade = main.TableShadeColor();
  ASSERT_NE(oliveTable, table);
  const QImage olive = DrawTitlePicture(size, oliveTable, oliveShade, kRatio);
  QTRY_VERIFY_WITH_TIMEOUT(SamePixels(main.DeskImage(), olive), kWaitMs);
  QTest::qWait(200);  // and nothing older comes after it
  EXPECT_TRUE(SamePixels(main.DeskImage(), olive));

  // A window made in colours with no compiled-in picture shows theirs at ratio 1 until
  // the finer one is drawn, never an empty table.
  TfrmMain second;
  EXPECT_TRUE(SamePixels(second.DeskImage(), DrawTitlePicture(size, oliveTable, oliveShade)));
  SettleLook(ColorScheme::kClassic);
}

}  // namespace
}  // namespace tarlyk

int main(int argc, char** argv) {
  return tarlyk::RunTestsOnScreens(argc, argv, R"({"screens": [
    {"name": "fine", "x": 0, "y": 0, "width": 2560, "height": 2048, "dpr": 1.5}]})");
}
