#include <gtest/gtest.h>
#include <zlib.h>

#include <QBuffer>
#include <QImage>
#include <cstring>
#include <random>
#include <vector>

#include "view/card_library.h"
#include "view/card_png.h"
#include "view/png_checksums.h"

namespace tarlyk {
namespace {

std::span<const unsigned char> Bytes(const QByteArray& data) {
  return {reinterpret_cast<const unsigned char*>(data.constData()),
          static_cast<size_t>(data.size())};
}

QImage QtRead(std::span<const unsigned char> bytes) {
  return QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "PNG");
}

QByteArray Encode(const QImage& image, int quality) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG", quality);
  return bytes;
}

// Offset of the first byte of pixel data: past the IDAT chunk header, the zlib header
// and the first stored block's five header bytes.
qsizetype FirstPixelByte(const QByteArray& png) {
  return png.indexOf("IDAT") + 4 + 2 + 5;
}

TEST(CardPng, EveryLibraryPictureMatchesTheGeneralReader) {
  CardLibrary library;
  ASSERT_TRUE(library.Open(TARLYK_CARDS_DIR));
  int pictures = 0;
  for (int n = 0; n < 66; ++n) {
    const auto bytes = library.Bitmap(n);
    if (bytes.empty()) continue;
    ++pictures;
    const QImage quick = DecodeStoredPng(bytes);
    const QImage general = QtRead(bytes);
    ASSERT_FALSE(quick.isNull()) << "picture " << n << " missed the quick path";
    EXPECT_EQ(quick.format(), general.format()) << n;
    EXPECT_EQ(quick, general) << n;
  }
  EXPECT_EQ(pictures, 64);
}

// Qt's own writer without compression filters its rows adaptively, so this covers
// every row filter; translucent pixels cover the RGBA layout.
TEST(CardPng, FilteredRowsAndAlphaMatchTheGeneralReader) {
  QImage argb(37, 23, QImage::Format_ARGB32);
  for (int y = 0; y < argb.height(); ++y)
    for (int x = 0; x < argb.width(); ++x)
      argb.setPixel(x, y,
                    qRgba((x * 7 + y * 3) & 0xFF, (x * x + y) & 0xFF, (y * 11) & 0xFF,
                          (x * 13 + y * 5) & 0xFF));
  for (const QImage& image : {argb, argb.convertToFormat(QImage::Format_RGB32)}) {
    const QByteArray png = Encode(image, 100);
    const QImage quick = DecodeStoredPng(Bytes(png));
    ASSERT_FALSE(quick.isNull()) << image.format();
    EXPECT_EQ(quick, QtRead(Bytes(png))) << image.format();
  }
  // Deflate-compressed data is left to the general reader.
  EXPECT_TRUE(DecodeStoredPng(Bytes(Encode(argb, 0))).isNull());
}

TEST(CardPng, DamageIsNeverDecoded) {
  CardLibrary library;
  ASSERT_TRUE(library.Open(TARLYK_CARDS_DIR));
  const auto bytes = library.Bitmap(1);
  const QByteArray good(reinterpret_cast<const char*>(bytes.data()),
                        static_cast<qsizetype>(bytes.size()));
  ASSERT_FALSE(DecodeStoredPng(Bytes(good)).isNull());

  // A changed pixel byte: the chunk checksum no longer matches.
  QByteArray flipped = good;
  flipped[FirstPixelByte(good) + 40] = static_cast<char>(flipped[FirstPixelByte(good) + 40] ^ 1);
  EXPECT_TRUE(DecodeStoredPng(Bytes(flipped)).isNull());

  // Cut anywhere: in the signature, a chunk header, the pixel data, before the end chunk.
  for (qsizetype cut : {qsizetype{5}, qsizetype{20}, FirstPixelByte(good) + 100, good.size() - 1}) {
    EXPECT_TRUE(DecodeStoredPng(Bytes(good.left(cut))).isNull()) << cut;
  }
  const unsigned char text[] = "not a picture";
  EXPECT_TRUE(DecodeStoredPng(std::span<const unsigned char>(text, sizeof(text))).isNull());
}

// The checksums agree with zlib's own for every length around its block sizes, over
// random bytes and over the all-255 bytes that push the sums furthest.
TEST(CardPng, ChecksumsMatchZlib) {
  std::mt19937 rng(5);
  std::vector<unsigned char> random(70000), full(70000, 0xFF);
  for (unsigned char& b : random) b = static_cast<unsigned char>(rng());
  for (const std::vector<unsigned char>* data : {&random, &full}) {
    std::vector<size_t> lengths;
    for (size_t n = 0; n <= 300; ++n) lengths.push_back(n);
    for (size_t n : {5551u, 5552u, 5553u, 11104u, 20545u, 65536u, 70000u}) lengths.push_back(n);
    for (size_t n : lengths) {
      for (size_t offset : {size_t{0}, size_t{3}}) {
        if (offset + n > data->size()) continue;
        const unsigned char* p = data->data() + offset;
        ASSERT_EQ(PngCrc32(p, n), crc32_z(0, p, n)) << n << "+" << offset;
        ASSERT_EQ(PngAdler32(p, n), adler32_z(1, p, n)) << n << "+" << offset;
      }
    }
  }
}

}  // namespace
}  // namespace tarlyk
