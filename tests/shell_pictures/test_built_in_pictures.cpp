// The pictures compiled into the program must be exactly what the drawing code draws
// now (the build renders them with that code, in the same font), and the main window
// must find the title picture for its colours rather than draw it at every start.
#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QImage>
#include <QTest>
#include <cstring>
#include <vector>

#include "art/look.h"
#include "art/raw_picture.h"
#include "art/render/built_in_pictures.h"
#include "art/splash_picture.h"
#include "art/title_picture.h"
#include "shell/main_window.h"

namespace tarlyk {
namespace {

// Pixels that differ between two pictures of the same size and format.
int DifferentPixels(const QImage& a, const QImage& b) {
  int count = 0;
  for (int y = 0; y < a.height(); ++y) {
    const auto* ra = reinterpret_cast<const QRgb*>(a.constScanLine(y));
    const auto* rb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
    for (int x = 0; x < a.width(); ++x) count += ra[x] != rb[x] ? 1 : 0;
  }
  return count;
}

void ExpectSamePicture(const QImage& builtIn, const QImage& drawn) {
  ASSERT_FALSE(builtIn.isNull());
  ASSERT_EQ(builtIn.size(), drawn.size());
  ASSERT_EQ(builtIn.format(), drawn.format());
  EXPECT_EQ(DifferentPixels(builtIn, drawn), 0);
}

TEST(BuiltInPictures, TitleForTheClassicLookIsTheDrawnOneAndTheMainWindowUsesIt) {
  SettleLook(ColorScheme::kClassic);
  TfrmMain main;
  const QSize size(TfrmMain::kDeskWidth, TfrmMain::kDeskHeight);
  const QImage builtIn = BuiltInTitlePicture(size, main.TableColor(), main.TableShadeColor());
  ExpectSamePicture(builtIn, DrawTitlePicture(size, main.TableColor(), main.TableShadeColor()));
  EXPECT_EQ(DifferentPixels(main.DeskImage().convertToFormat(builtIn.format()), builtIn), 0);
  EXPECT_TRUE(IsBuiltInTitlePicture(main.DeskImage()));
  EXPECT_FALSE(IsBuiltInTitlePicture(DrawTitlePicture(size, main.TableColor(), main.TableShadeColor())));

  // Painted, its pages go back to the system; the picture reads the same from the
  // program file after that, and the table painted anew shows it whole.
  main.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
  QTest::qWait(50);
  const QImage drawn = DrawTitlePicture(size, main.TableColor(), main.TableShadeColor());
  EXPECT_EQ(DifferentPixels(main.DeskImage().convertToFormat(drawn.format()), drawn), 0);
  main.update();
  QTest::qWait(50);
  const QImage shown = main.imgDesk->grab().toImage().convertToFormat(drawn.format());
  EXPECT_EQ(DifferentPixels(shown, drawn), 0);
}

TEST(BuiltInPictures, SplashIsTheDrawnOneAtRatiosOneAndTwo) {
  ExpectSamePicture(BuiltInSplashPicture(), DrawSplashPicture());
  EXPECT_EQ(SplashPicture().size(), kSplashPictureSize);
  const QImage fine = BuiltInSplashPicture(2.0);
  ExpectSamePicture(fine, DrawSplashPicture(2.0));
  EXPECT_EQ(fine.devicePixelRatio(), 2.0);
  EXPECT_EQ(SplashPicture(2.0).constBits(), fine.constBits());
  EXPECT_TRUE(BuiltInSplashPicture(1.5).isNull());
}

TEST(BuiltInPictures, OtherColoursAreDrawn) {
  const LookColors olive = LookFor(ColorScheme::kOlive);
  const TableColors colors = TableColorsFrom(olive.buttonRest.first, olive.buttonRest.second);
  const QSize size(TfrmMain::kDeskWidth, TfrmMain::kDeskHeight);
  EXPECT_TRUE(BuiltInTitlePicture(size, colors.table, colors.shade).isNull());
  EXPECT_TRUE(
      BuiltInTitlePicture(QSize(700, 480), QColor(218, 234, 253), QColor(136, 174, 228)).isNull());
  const QImage drawn = TitlePicture(size, colors.table, colors.shade);
  EXPECT_EQ(DifferentPixels(drawn, DrawTitlePicture(size, colors.table, colors.shade)), 0);

  // The main window takes the new colours' picture when the look changes.
  SettleLook(ColorScheme::kOlive);
  TfrmMain main;
  EXPECT_EQ(main.TableColor(), colors.table);
  EXPECT_EQ(DifferentPixels(main.DeskImage().convertToFormat(drawn.format()), drawn), 0);
  SettleLook(ColorScheme::kClassic);
}

// A picture with a different value and alpha in every pixel, so shifted or cut rows show.
QImage Pattern(QSize size) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < size.height(); ++y) {
    for (int x = 0; x < size.width(); ++x) {
      const int a = (x * 7 + y * 3) % 256;
      image.setPixel(x, y, qRgba(x % (a + 1), y % (a + 1), (x + y) % (a + 1), a));
    }
  }
  return image;
}

TEST(RawPicture, RoundTripAlignedOrNotAndRejectsWhatDoesNotFit) {
  const QImage image = Pattern(QSize(23, 11));
  const PictureColors colors{0xff102030, 0xff405060};
  const QByteArray raw = EncodeRawPicture(image, colors);
  const auto* data = reinterpret_cast<const uchar*>(raw.constData());
  EXPECT_EQ(DecodeRawPicture(data, raw.size(), image.size(), colors), image);

  // Bytes at an odd address are copied rather than read in place.
  std::vector<uchar> shifted(static_cast<size_t>(raw.size()) + 1);
  std::memcpy(shifted.data() + 1, data, static_cast<size_t>(raw.size()));
  EXPECT_EQ(DecodeRawPicture(shifted.data() + 1, raw.size(), image.size(), colors), image);

  EXPECT_TRUE(DecodeRawPicture(data, raw.size(), image.size(), {colors.first, 0}).isNull());
  EXPECT_TRUE(DecodeRawPicture(data, raw.size(), QSize(11, 23), colors).isNull());
  EXPECT_TRUE(DecodeRawPicture(data, raw.size() - 1, image.size(), colors).isNull());
  EXPECT_TRUE(DecodeRawPicture(data, 10, image.size(), colors).isNull());
  QByteArray damaged = raw;
  damaged[0] = 'X';
  EXPECT_TRUE(DecodeRawPicture(reinterpret_cast<const uchar*>(damaged.constData()), damaged.size(),
                               image.size(), colors)
                  .isNull());
  EXPECT_TRUE(EncodeRawPicture(image.convertToFormat(QImage::Format_RGB888), colors).isEmpty());
}

}  // namespace
}  // namespace tarlyk
