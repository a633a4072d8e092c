// Pictures outside the table at a device pixel ratio above 1: every icon is there at
// every size made for it, a finer screen gets finer pictures of the same drawing (not
// the 1x picture with its pixels doubled) at unchanged logical sizes, and a screen of
// ratio 1 asks for nothing but the shipped pictures.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTextStream>
#include <cmath>
#include <cstdlib>

#include "art/app_icon.h"
#include "art/render/built_in_pictures.h"
#include "art/splash_picture.h"
#include "art/title_picture.h"
#include "shell/lazy_icon_engine.h"
#include "shell/main_window.h"
#include "shell/options_dialog.h"
#include "shell/shell_icons.h"
#include "shell/splash_window.h"

namespace tarlyk {
namespace {

constexpr qreal kRatios[] = {1.0, 1.25, 1.5, 2.0, 3.0};

struct MadeIcon {
  QString name;
  QString drawing;
  QList<int> sizes;
};

// The icons made at build time, as the table the build reads lists them.
QList<MadeIcon> IconTable() {
  QFile file(QStringLiteral(TARLYK_ICON_TABLE));
  QList<MadeIcon> icons;
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return icons;
  QTextStream in(&file);
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    const QStringList fields = line.split(QRegularExpression(QStringLiteral("\\s+")));
    MadeIcon icon{fields[0], fields[1], {}};
    for (qsizetype i = 2; i < fields.size(); ++i) icon.sizes.append(fields[i].toInt());
    icons.append(icon);
  }
  return icons;
}

// The 16-pixel picture each icon of the windows starts from.
QString ShippedPath(const QString& name) {
  if (name == QStringLiteral("disguise")) return QStringLiteral(":/shell/icons/disguise-16.png");
  if (name.startsWith(QStringLiteral("about-"))) {
    return QStringLiteral(":/shell/icons/%1.png").arg(name);
  }
  return QStringLiteral(":/icons/%1.png").arg(name);
}

// The pixels of a picture, whatever its format and device pixel ratio.
QImage Pixels(const QImage& picture) {
  QImage image = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(1.0);
  return image;
}

// Share of the 2 x 2 blocks of a picture whose four pixels are not all the same: next to
// none for a picture enlarged by pixel doubling.
double MixedBlocks(const QImage& picture) {
  const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
  int mixed = 0;
  int blocks = 0;
  for (int y = 0; y + 1 < image.height(); y += 2) {
    for (int x = 0; x + 1 < image.width(); x += 2) {
      const QRgb a = image.pixel(x, y);
      ++blocks;
      if (image.pixel(x + 1, y) != a || image.pixel(x, y + 1) != a ||
          image.pixel(x + 1, y + 1) != a) {
        ++mixed;
      }
    }
  }
  return blocks == 0 ? 0.0 : static_cast<double>(mixed) / blocks;
}

// Mean difference per channel (0..255) between two pictures of the same size.
double MeanDifference(const QImage& a, const QImage& b) {
  const QImage x = a.convertToFormat(QImage::Format_ARGB32);
  const QImage y = b.convertToFormat(QImage::Format_ARGB32);
  double sum = 0;
  for (int j = 0; j < x.height(); ++j) {
    for (int i = 0; i < x.width(); ++i) {
      const QRgb p = x.pixel(i, j);
      const QRgb q = y.pixel(i, j);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
             std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
    }
  }
  return sum / (4.0 * x.width() * x.height());
}

// A drawing at ratio 2 is finer than the 1x one and shows the same thing: brought back
// to 1x it is close to it.
void ExpectFinerSameDrawing(const QImage& one, const QImage& two, const char* what) {
  SCOPED_TRACE(what);
  ASSERT_EQ(two.size(), one.size() * 2);
  EXPECT_EQ(two.devicePixelRatio(), 2.0);
  EXPECT_EQ(two.deviceIndependentSize(), QSizeF(one.size()));
  EXPECT_GT(MixedBlocks(two), 0.2);
  const QImage back = two.scaled(one.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  EXPECT_LT(MeanDifference(back, one), 12.0);
}

TEST(DevicePictures, EveryIconIsMadeAtEveryRatioFromItsOwnDrawing) {
  EnsureShellResources();
  TfrmMain main;                                        // registers the menu and button icons
  TfrmOptions options(nullptr, QStringLiteral("4.0"));  // and the options dialog's
  const QList<MadeIcon> icons = IconTable();
  ASSERT_EQ(icons.size(), 32);
  for (const MadeIcon& icon : icons) {
    SCOPED_TRACE(icon.name.toStdString());
    const QImage shipped(ShippedPath(icon.name));
    ASSERT_EQ(shipped.size(), QSize(16, 16));
    for (int size : icon.sizes) {
      const QImage made(MadeIconPath(icon.name, size));
      ASSERT_EQ(made.size(), QSize(size, size)) << size;
    }
    // The shipped picture is the theme's own for the drawing the larger ones come from.
    const QImage theme(QStringLiteral("/usr/share/icons/Tango/16x16/%1.png").arg(icon.drawing));
    if (!theme.isNull()) {
      EXPECT_EQ(theme.convertToFormat(QImage::Format_ARGB32),
                shipped.convertToFormat(QImage::Format_ARGB32));
    }
    // The 32-pixel picture is drawn for its size, not the 16-pixel one doubled.
    if (icon.sizes.contains(32)) {
      EXPECT_GT(MixedBlocks(QImage(MadeIconPath(icon.name, 32))), 0.1);
    }
    // Every ratio gets a picture of its own device size at the icon's logical size.
    const QIcon shown =
        icon.name == QStringLiteral("disguise") ? DisguiseIcon() : PngIcon(ShippedPath(icon.name));
    for (qreal ratio : kRatios) {
      const QPixmap pixmap = shown.pixmap(QSize(16, 16), ratio);
      const int device = static_cast<int>(std::lround(16 * ratio));
      EXPECT_EQ(pixmap.size(), QSize(device, device)) << ratio;
      EXPECT_EQ(pixmap.deviceIndependentSize(), QSizeF(16, 16)) << ratio;
    }
  }
}

TEST(DevicePictures, RatioOneReadsOnlyTheShippedPicturesAndFinerSizesOnDemand) {
  EnsureShellResources();
  QList<QSize> asked;
  const QImage small = QImage(QStringLiteral(":/shell/icons/about-info.png"));
  const QImage large = QImage(MadeIconPath(QStringLiteral("about-info"), 32));
  ASSERT_EQ(small.size(), QSize(16, 16));
  ASSERT_EQ(large.size(), QSize(32, 32));
  QIcon icon(new LazyIconEngine({QSize(16, 16)}, [&](QSize size) {
    asked.append(size);
    return size.width() > 16 ? large : small;
  }));
  EXPECT_EQ(icon.availableSizes(), QList<QSize>{QSize(16, 16)});
  EXPECT_EQ(Pixels(icon.pixmap(QSize(16, 16), 1.0).toImage()), Pixels(small));
  icon.pixmap(QSize(16, 16), 1.0, QIcon::Disabled);
  EXPECT_EQ(asked, QList<QSize>{QSize(16, 16)});

  const QPixmap fine = icon.pixmap(QSize(16, 16), 2.0);
  EXPECT_EQ(asked, (QList<QSize>{QSize(16, 16), QSize(32, 32)}));
  EXPECT_EQ(fine.devicePixelRatio(), 2.0);
  EXPECT_EQ(Pixels(fine.toImage()), Pixels(large));
  // The disabled look is made from the finer picture as well.
  EXPECT_EQ(icon.pixmap(QSize(16, 16), 2.0, QIcon::Disabled).size(), QSize(32, 32));

  // Painted on a finer device (as the windows' icon labels paint it) it takes the finer
  // picture too.
  QImage canvas(32, 32, QImage::Format_ARGB32_Premultiplied);
  canvas.setDevicePixelRatio(2.0);
  canvas.fill(Qt::transparent);
  {
    QPainter p(&canvas);
    icon.paint(&p, QRect(0, 0, 16, 16));
  }
  EXPECT_EQ(Pixels(canvas), Pixels(large));

  // A size between two pictures gets the larger one, which is then not asked for again
  // (a window icon at ratio 2 asks for 96 and then for 128: one picture read, not two).
  asked.clear();
  QIcon between(new LazyIconEngine({QSize(16, 16)}, [&](QSize size) {
    asked.append(size);
    return size.width() > 16 ? large : small;
  }));
  EXPECT_EQ(between.pixmap(QSize(24, 24), 1.0).size(), QSize(24, 24));
  EXPECT_EQ(Pixels(between.pixmap(QSize(32, 32), 1.0).toImage()), Pixels(large));
  EXPECT_EQ(asked, QList<QSize>{QSize(24, 24)});
}

TEST(DevicePictures, AppIconServesAnySizeAndNamesTheWindowSizes) {
  EnsureShellResources();
  const QIcon icon = AppIcon();
  EXPECT_EQ(icon.availableSizes(),
            (QList<QSize>{QSize(16, 16), QSize(32, 32), QSize(48, 48), QSize(64, 64)}));
  for (int size : kWindowIconSizes) {
    EXPECT_EQ(icon.pixmap(QSize(size, size), 1.0).toImage().convertToFormat(QImage::Format_ARGB32),
              QImage(QStringLiteral(":/shell/icons/tarlyk-%1.png").arg(size))
                  .convertToFormat(QImage::Format_ARGB32));
  }
  // The about window's 32-pixel icon at 1.25 is the 48-pixel picture made smaller, never
  // the 32-pixel one enlarged; beyond the largest shipped picture the icon is drawn.
  const QPixmap about = icon.pixmap(QSize(32, 32), 1.25);
  EXPECT_EQ(about.size(), QSize(40, 40));
  const QImage smaller = QImage(QStringLiteral(":/shell/icons/tarlyk-48.png"))
                            .scaled(40, 40, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  const QImage enlarged = QImage(QStringLiteral(":/shell/icons/tarlyk-32.png"))
                             .scaled(40, 40, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  EXPECT_LT(MeanDifference(about.toImage(), smaller), 2.0);
  EXPECT_GT(MeanDifference(about.toImage(), enlarged), 6.0);
  EXPECT_EQ(icon.pixmap(QSize(320, 320), 1.0).toImage().convertToFormat(QImage::Format_ARGB32),
            DrawAppIcon(320).convertToFormat(QImage::Format_ARGB32));
}

TEST(DevicePictures, TitleSplashAndAnimationAreDrawnFinerAtRatioTwo) {
  const QColor table(218, 234, 253);
  const QColor shade(136, 174, 228);
  ExpectFinerSameDrawing(DrawTitlePicture(kTitlePictureSize, table, shade),
                         TitlePicture(kTitlePictureSize, table, shade, 2.0), "title");
  ExpectFinerSameDrawing(DrawSplashPicture(), SplashPicture(2.0), "splash");
  ExpectFinerSameDrawing(SplashWindow::DrawFrames(), SplashWindow::DrawFrames(2.0), "frames");
  // At ratio 1 the compiled-in pictures are the ones taken.
  EXPECT_EQ(SplashPicture(1.0).constBits(), BuiltInSplashPicture().constBits());
  // An odd ratio keeps the logical size to within a device pixel.
  const QImage odd = SplashPicture(1.25);
  EXPECT_EQ(odd.size(), QSize(610, 450));
  EXPECT_EQ(odd.devicePixelRatio(), 1.25);
}

}  // namespace
}  // namespace tarlyk
