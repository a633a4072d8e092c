// The account picture in any format the image readers know, and pictures that are
// damaged or of absurd dimensions: each gives a proper 48 x 48 picture or leaves the
// built-in person.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <cstdlib>

#include "view/player_picture.h"

namespace tarlyk {
namespace {

// A 1 x 1 GIF with red (0) and blue (1) in its colour table and one frame for each index
// given, so several make an animation; its header may claim a screen of 65535 x 65535.
QByteArray Gif(const QByteArray& frames, bool hugeScreen = false) {
  QByteArray b("GIF89a");
  b += hugeScreen ? QByteArray(4, '\xFF') : QByteArray("\x01\0\x01\0", 4);
  b += QByteArray("\x80\0\0\xFF\0\0\0\0\xFF", 9);
  if (frames.size() > 1) b += QByteArray("\x21\xFF\x0BNETSCAPE2.0\x03\x01\0\0\0", 19);
  for (const char index : frames) {
    b += QByteArray("\x21\xF9\x04\0\x0A\0\0\0\x2C\0\0\0\0\x01\0\x01\0\0", 18);
    // 3-bit codes: clear, the index, end.
    b += QByteArray("\x02\x02", 2) + (index == 0 ? '\x44' : '\x4C') + QByteArray("\x01\0", 2);
  }
  return b + ';';
}

QByteArray Encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(image.save(&buffer, format)) << format;
  return bytes;
}

class PictureFiles {
 public:
  QString Write(const QString& name, const QByteArray& bytes) {
    QFile f(dir_.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return f.fileName();
  }

 private:
  QTemporaryDir dir_;
};

bool Near(QRgb a, QRgb b, int tolerance) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// The icon ApplyUserPicture makes of the file, or a null image when it kept the built-in
// person (which must then be untouched).
QImage IconOf(const QString& path) {
  PanelPictures pictures;
  const QImage builtIn = pictures.ilIcons[1];
  if (!ApplyUserPicture(pictures, path, false)) {
    EXPECT_EQ(pictures.ilIcons[1], builtIn);
    return {};
  }
  EXPECT_EQ(pictures.ilIcons[1].size(), QSize(kIconSize, kIconSize));
  return pictures.ilIcons[1];
}

TEST(AccountPicture, EveryFormatTheReadersKnow) {
  PictureFiles files;
  QImage picture(60, 40, QImage::Format_RGB32);
  picture.fill(qRgb(20, 160, 40));
  for (const QByteArray& format : QImageWriter::supportedImageFormats()) {
    if (format == "pbm" || format == "pgm" || format == "xbm") continue;  // no colours
    SCOPED_TRACE(format.toStdString());
    // No file-name extension: the format comes from the contents.
    const QImage icon = IconOf(files.Write(QStringLiteral("face"), Encoded(picture, format)));
    ASSERT_FALSE(icon.isNull());
    EXPECT_TRUE(Near(icon.pixel(24, 24), qRgb(20, 160, 40), 8));
  }

  const QImage gif = IconOf(files.Write(QStringLiteral("face.gif"), Gif("\x01")));
  ASSERT_FALSE(gif.isNull());
  EXPECT_EQ(gif.pixel(0, 0), qRgb(0, 0, 255));
  EXPECT_EQ(gif.pixel(47, 47), qRgb(0, 0, 255));
  // An animation shows its first frame.
  const QImage animated =
      IconOf(files.Write(QStringLiteral("anim.gif"), Gif(QByteArray("\0\x01\x01", 3))));
  ASSERT_FALSE(animated.isNull());
  EXPECT_EQ(animated.pixel(24, 24), qRgb(255, 0, 0));

  const QImage svg =
      IconOf(files.Write(QStringLiteral("face.svg"),
                         "<svg xmlns='http://www.w3.org/2000/svg' width='200' height='100'>"
                         "<rect width='100' height='100' fill='#ff0000'/>"
                         "<rect x='100' width='100' height='100' fill='#0000ff'/></svg>"));
  if (!svg.isNull()) {  // when the SVG reader is installed: the centred square
    EXPECT_TRUE(Near(svg.pixel(4, 24), qRgb(255, 0, 0), 4));
    EXPECT_TRUE(Near(svg.pixel(43, 24), qRgb(0, 0, 255), 4));
  }
}

// Readers that cut and scale while decoding (JPEG) and readers that decode everything
// (PNG) give the same centred square of a picture of other proportions.
TEST(AccountPicture, CentredSquareWhateverTheReader) {
  PictureFiles files;
  for (const QSize size : {QSize(300, 100), QSize(90, 270)}) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(qRgb(0, 0, 200));  // the parts cut away
    const QRect square((size.width() - 90) / 2, (size.height() - 90) / 2, 90, 90);
    for (int y = square.top(); y <= square.bottom(); ++y) {
      for (int x = square.left(); x <= square.right(); ++x) {
        picture.setPixel(x, y, x < square.center().x() ? qRgb(230, 230, 0) : qRgb(0, 200, 0));
      }
    }
    for (const char* format : {"PNG", "JPEG"}) {
      SCOPED_TRACE(std::string(format) + " " + std::to_string(size.width()));
      const QImage icon = IconOf(files.Write(QStringLiteral("face"), Encoded(picture, format)));
      ASSERT_FALSE(icon.isNull());
      for (int y : {6, 24, 41}) {
        EXPECT_TRUE(Near(icon.pixel(6, y), qRgb(230, 230, 0), 24));
        EXPECT_TRUE(Near(icon.pixel(41, y), qRgb(0, 200, 0), 24));
      }
    }
  }
}

TEST(AccountPicture, DamagedAndAbsurdPictures) {
  PictureFiles files;
  // A line of 8000 pixels either way: its middle, scaled up.
  QImage line(8000, 1, QImage::Format_RGB32);
  line.fill(qRgb(0, 0, 255));
  for (int x = 3990; x < 4010; ++x) line.setPixel(x, 0, qRgb(255, 128, 0));
  for (const QImage& picture : {line, line.transformed(QTransform().rotate(90))}) {
    SCOPED_TRACE(picture.width());
    const QImage icon = IconOf(files.Write(QStringLiteral("line.png"), Encoded(picture, "PNG")));
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.pixel(24, 24), qRgb(255, 128, 0));
    const QImage jpeg = IconOf(files.Write(QStringLiteral("line.jpg"), Encoded(picture, "JPEG")));
    ASSERT_FALSE(jpeg.isNull());
    EXPECT_TRUE(Near(jpeg.pixel(24, 24), qRgb(255, 128, 0), 40));
  }

  // Absurd sizes, claimed or real, and cut-short data: the built-in person.
  QImage longLine(100000, 1, QImage::Format_RGB32);
  longLine.fill(qRgb(0, 0, 255));
  const QByteArray gif = Gif("\x01");
  const QList<QByteArray> builtIn = {
      Encoded(longLine, "PNG"),
      Encoded(longLine.transformed(QTransform().rotate(90)), "PNG"),
      Encoded(longLine.copy(0, 0, 65000, 1), "JPEG"),
      Gif("\x01", true),
      gif.left(gif.size() - 8),
      Encoded(QImage(1000, 1000, QImage::Format_RGB32), "PNG"),  // more pixels than allowed
  };
  for (qsizetype i = 0; i < builtIn.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(IconOf(files.Write(QStringLiteral("face%1").arg(i), builtIn[i])).isNull());
  }
  // Damaged picture data: what could be decoded, or the built-in person.
  QByteArray damaged = gif;
  damaged[damaged.size() - 5] = '\xFF';
  IconOf(files.Write(QStringLiteral("damaged.gif"), damaged));
}

}  // namespace
}  // namespace tarlyk
