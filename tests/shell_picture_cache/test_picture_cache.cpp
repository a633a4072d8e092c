#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

#include "shell/picture_cache.h"

namespace tarlyk {
namespace {

class PictureCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    qputenv("XDG_CACHE_HOME", dir_.path().toLocal8Bit());
  }
  void TearDown() override { qunsetenv("XDG_CACHE_HOME"); }

  // A picture with different colours and alpha in every pixel, so any shift or
  // truncation of the stored bytes shows.
  QImage Draw(QSize size) {
    ++draws_;
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < size.height(); ++y) {
      for (int x = 0; x < size.width(); ++x) {
        const int a = (x * 7 + y * 3) % 256;
        image.setPixel(x, y, qRgba(x % a1(a), y % a1(a), (x + y) % a1(a), a));
      }
    }
    return image;
  }
  static int a1(int a) { return a + 1; }

  QTemporaryDir dir_;
  int draws_ = 0;
};

TEST_F(PictureCacheTest, SecondRequestReadsTheSamePixelsWithoutDrawing) {
  const QSize size(37, 11);  // odd width: rows must not be padded or shifted
  const QImage first = CachedPicture("title-x", size, [&] { return Draw(size); });
  const QImage second = CachedPicture("title-x", size, [&] { return Draw(size); });
  EXPECT_EQ(draws_, 1);
  EXPECT_EQ(second.format(), QImage::Format_ARGB32_Premultiplied);
  EXPECT_EQ(first, second);
  EXPECT_EQ(second, Draw(size));
  EXPECT_TRUE(PictureCacheDir().startsWith(dir_.path()));

  // Another key (other colours) is drawn afresh.
  CachedPicture("title-y", size, [&] { return Draw(size); });
  EXPECT_EQ(draws_, 3);
}

TEST_F(PictureCacheTest, DamagedOrMismatchedFilesAreDrawnAgain) {
  const QSize size(20, 10);
  CachedPicture("splash", size, [&] { return Draw(size); });
  const QStringList files = QDir(PictureCacheDir()).entryList(QDir::Files);
  ASSERT_EQ(files.size(), 1);
  const QString path = PictureCacheDir() + QLatin1Char('/') + files.first();

  // Cut short: redrawn and stored whole again.
  QFile::resize(path, 100);
  const QImage redrawn = CachedPicture("splash", size, [&] { return Draw(size); });
  EXPECT_EQ(draws_, 2);
  EXPECT_EQ(redrawn, Draw(size));
  EXPECT_EQ(QFileInfo(path).size(), 20 * 10 * 4);

  // A different size under the same key is not taken from the old file.
  const QImage bigger = CachedPicture("splash", QSize(21, 10), [&] { return Draw(QSize(21, 10)); });
  EXPECT_EQ(bigger.size(), QSize(21, 10));
}

TEST_F(PictureCacheTest, UnwritableCacheStillGivesThePicture) {
  // The cache directory's place is taken by a plain file.
  QFile blocker(dir_.path() + QStringLiteral("/tarlyk"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  const QSize size(8, 8);
  EXPECT_EQ(CachedPicture("t", size, [&] { return Draw(size); }), Draw(size));
  EXPECT_EQ(CachedPicture("t", size, [&] { return Draw(size); }), Draw(size));
}

}  // namespace
}  // namespace tarlyk
