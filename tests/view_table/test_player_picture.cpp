// The account picture in any format the image readers know, and pictures that are
// damaged or of absurd dimensions: each gives a proper 48 x 48 picture or leaves the
// built-in person, cheaply.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "view/player_picture.h"

namespace tarlyk {
namespace {

// A GIF of 8-bit colour indexes, one frame per entry; several frames make an animation.
// The LZW data is written uncompressed: 9-bit codes, a clear code every 254 pixels.
QByteArray Gif(int width, int height, const std::vector<std::vector<uint8_t>>& frames,
               const std::vector<QRgb>& palette) {
  QByteArray b("GIF89a");
  const auto u16 = [&b](int v) {
    b.append(static_cast<char>(v & 255));
    b.append(static_cast<char>((v >> 8) & 255));
  };
  u16(width);
  u16(height);
  b.append("\xF7\x00\x00", 3);  // a global table of 256 colours
  for (size_t i = 0; i < 256; ++i) {
    const QRgb c = i < palette.size() ? palette[i] : 0;
    b.append(static_cast<char>(qRed(c)));
    b.append(static_cast<char>(qGreen(c)));
    b.append(static_cast<char>(qBlue(c)));
  }
  if (frames.size() > 1) b.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
  for (const std::vector<uint8_t>& pixels : frames) {
    b.append("\x21\xF9\x04\x00\x0A\x00\x00\x00", 8);  // 100 ms a frame
    b.append('\x2C');
    u16(0);
    u16(0);
    u16(width);
    u16(height);
    b.append('\x00');
    b.append('\x08');
    QByteArray data;
    uint32_t bits = 0;
    int count = 0;
    const auto code = [&](uint32_t c) {
      bits |= c << count;
      for (count += 9; count >= 8; count -= 8, bits >>= 8) data.append(static_cast<char>(bits));
    };
    code(256);
    int run = 0;
    for (const uint8_t p : pixels) {
      if (run++ == 254) {
        code(256);
        run = 1;
      }
      code(p);
    }
    code(257);
    if (count > 0) data.append(static_cast<char>(bits));
    for (qsizetype i = 0; i < data.size(); i += 255) {
      const qsizetype n = std::min<qsizetype>(255, data.size() - i);
      b.append(static_cast<char>(n));
      b.append(data.mid(i, n));
    }
    b.append('\x00');
  }
  b.append('\x3B');
  return b;
}

uint32_t Crc32(const QByteArray& bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (const char ch : bytes) {
    crc ^= static_cast<uint8_t>(ch);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

// A PNG whose header claims width x height and which holds no picture data.
QByteArray PngHeaderOnly(uint32_t width, uint32_t height) {
  QByteArray chunk("IHDR");
  for (const uint32_t v : {width, height}) {
    for (int shift = 24; shift >= 0; shift -= 8) chunk.append(static_cast<char>(v >> shift));
  }
  chunk.append("\x08\x06\x00\x00\x00", 5);
  QByteArray png("\x89PNG\r\n\x1A\n\x00\x00\x00\x0D", 12);
  png.append(chunk);
  const uint32_t crc = Crc32(chunk);
  for (int shift = 24; shift >= 0; shift -= 8) png.append(static_cast<char>(crc >> shift));
  return png;
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
  const QImage& icon = pictures.ilIcons[1];
  EXPECT_EQ(icon.size(), QSize(kIconSize, kIconSize));
  EXPECT_TRUE(icon.isNull() || !icon.hasAlphaChannel() || icon.pixelColor(0, 0).alpha() == 255);
  return icon;
}

TEST(AccountPicture, EveryFormatTheReadersKnow) {
  PictureFiles files;
  QImage picture(60, 40, QImage::Format_RGB32);
  picture.fill(qRgb(20, 160, 40));
  for (const QByteArray& format : QImageWriter::supportedImageFormats()) {
    if (format == "pbm" || format == "pgm" || format == "xbm") continue;  // no colours
    SCOPED_TRACE(format.toStdString());
    // No file-name extension: the format comes from the contents.
    const QImage icon =
        IconOf(files.Write(QStringLiteral("face-") + format, Encoded(picture, format)));
    ASSERT_FALSE(icon.isNull());
    EXPECT_TRUE(Near(icon.pixel(24, 24), qRgb(20, 160, 40), 8));
  }

  const QImage gif =
      IconOf(files.Write(QStringLiteral("face.gif"), Gif(30, 20, {std::vector<uint8_t>(600, 1)},
                                                         {qRgb(0, 0, 0), qRgb(200, 30, 30)})));
  ASSERT_FALSE(gif.isNull());
  EXPECT_EQ(gif.pixel(0, 0), qRgb(200, 30, 30));
  EXPECT_EQ(gif.pixel(47, 47), qRgb(200, 30, 30));

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

TEST(AccountPicture, AnimatedGifShowsItsFirstFrame) {
  PictureFiles files;
  const QImage icon =
      IconOf(files.Write(QStringLiteral("face.gif"),
                         Gif(16, 16, {std::vector<uint8_t>(256, 1), std::vector<uint8_t>(256, 2)},
                             {qRgb(0, 0, 0), qRgb(250, 0, 0), qRgb(0, 0, 250)})));
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(icon.pixel(24, 24), qRgb(250, 0, 0));
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
  const QImage tall = line.transformed(QTransform().rotate(90));
  for (const QImage& picture : {line, tall}) {
    SCOPED_TRACE(picture.width());
    const QImage icon = IconOf(files.Write(QStringLiteral("line.png"), Encoded(picture, "PNG")));
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.pixel(24, 24), qRgb(255, 128, 0));
    const QImage jpeg = IconOf(files.Write(QStringLiteral("line.jpg"), Encoded(picture, "JPEG")));
    ASSERT_FALSE(jpeg.isNull());
    EXPECT_TRUE(Near(jpeg.pixel(24, 24), qRgb(255, 128, 0), 40));
  }

  // Headers that claim absurd sizes, and broken data: the built-in person.
  const QByteArray gif = Gif(20, 20, {std::vector<uint8_t>(400, 1)}, {0, qRgb(9, 9, 9)});
  QByteArray hugeGif = gif;
  hugeGif[6] = hugeGif[7] = hugeGif[8] = hugeGif[9] = '\xFF';  // screen of 65535 x 65535
  QByteArray badLzw = gif;
  for (qsizetype i = 800; i < badLzw.size() - 2; ++i) badLzw[i] = '\xFF';
  QImage longLine(100000, 1, QImage::Format_RGB32);
  longLine.fill(qRgb(0, 0, 255));
  const QList<QByteArray> builtIn = {
      Encoded(longLine, "PNG"),
      Encoded(longLine.transformed(QTransform().rotate(90)), "PNG"),
      Encoded(longLine.copy(0, 0, 65000, 1), "JPEG"),
      PngHeaderOnly(100000, 100000),
      PngHeaderOnly(1, 0x7FFFFFFF),
      hugeGif,
      gif.left(gif.size() / 2),
      Encoded(QImage(1000, 1000, QImage::Format_RGB32), "PNG"),  // more pixels than allowed
  };
  for (qsizetype i = 0; i < builtIn.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(IconOf(files.Write(QStringLiteral("face%1").arg(i), builtIn[i])).isNull());
  }
  // Damaged LZW data: either what could be decoded, or the built-in person.
  IconOf(files.Write(QStringLiteral("lzw.gif"), badLzw));
}

}  // namespace
}  // namespace tarlyk
