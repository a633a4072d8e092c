#include "view/card_png.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace tarlyk {

namespace {

constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
// Pictures are small; anything larger is left to the general reader.
constexpr uint32_t kMaxSide = 4096;

uint32_t ReadBe32(const unsigned char* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

// CRC-32 eight bytes at a time (slicing by eight): the checksums cover every byte of
// the pictures, so this loop is most of the decoding time.
using CrcTables = std::array<std::array<uint32_t, 256>, 8>;

const CrcTables& CrcTable() {
  static const CrcTables tables = [] {
    CrcTables t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[0][n] = c;
    }
    for (uint32_t n = 0; n < 256; ++n) {
      for (size_t k = 1; k < 8; ++k) t[k][n] = (t[k - 1][n] >> 8) ^ t[0][t[k - 1][n] & 0xFF];
    }
    return t;
  }();
  return tables;
}

uint32_t Crc32(const unsigned char* p, size_t n) {
  const CrcTables& t = CrcTable();
  uint32_t c = 0xFFFFFFFFu;
  for (; n >= 8; n -= 8, p += 8) {
    const uint32_t lo = c ^ (uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) |
                             (uint32_t{p[3]} << 24));
    c = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
        t[3][p[4]] ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
  }
  for (; n > 0; --n, ++p) c = t[0][(c ^ *p) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

uint32_t Adler32(const unsigned char* p, size_t n) {
  uint32_t a = 1, b = 0;
  while (n > 0) {
    const size_t run = n < 5552 ? n : 5552;  // the longest run without overflow
    for (size_t i = 0; i < run; ++i) {
      a += p[i];
      b += a;
    }
    a %= 65521;
    b %= 65521;
    p += run;
    n -= run;
  }
  return (b << 16) | a;
}

// Unpacks a zlib stream made only of stored deflate blocks into `out` (exactly
// out.size() bytes). False for compressed blocks, a short stream or a bad checksum.
bool InflateStored(const std::vector<unsigned char>& z, std::vector<unsigned char>& out) {
  if (z.size() < 2 + 4) return false;
  const unsigned cmf = z[0], flg = z[1];
  if ((cmf & 0x0F) != 8 || ((cmf << 8) | flg) % 31 != 0 || (flg & 0x20) != 0) return false;
  size_t pos = 2, filled = 0;
  for (bool last = false; !last;) {
    if (pos + 5 > z.size()) return false;
    const unsigned head = z[pos];
    if ((head & 0x06) != 0) return false;  // a compressed block
    last = (head & 1) != 0;
    const size_t len = z[pos + 1] | (size_t{z[pos + 2]} << 8);
    const size_t nlen = z[pos + 3] | (size_t{z[pos + 4]} << 8);
    if ((len ^ nlen) != 0xFFFF) return false;
    pos += 5;
    if (pos + len > z.size() || filled + len > out.size()) return false;
    std::memcpy(out.data() + filled, z.data() + pos, len);
    pos += len;
    filled += len;
  }
  if (filled != out.size() || pos + 4 > z.size()) return false;
  return Adler32(out.data(), out.size()) == ReadBe32(z.data() + pos);
}

unsigned char Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return static_cast<unsigned char>(a);
  return static_cast<unsigned char>(pb <= pc ? b : c);
}

// Undoes the per-row filters in place; rows are 1 filter byte + rowBytes.
bool Unfilter(std::vector<unsigned char>& raw, size_t rowBytes, uint32_t height, size_t bpp) {
  static const std::vector<unsigned char> zeros(kMaxSide * 4, 0);
  const unsigned char* prev = zeros.data();
  for (uint32_t y = 0; y < height; ++y) {
    unsigned char* row = raw.data() + y * (rowBytes + 1);
    const unsigned filter = row[0];
    unsigned char* cur = row + 1;
    switch (filter) {
      case 0:
        break;
      case 1:
        for (size_t i = bpp; i < rowBytes; ++i)
          cur[i] = static_cast<unsigned char>(cur[i] + cur[i - bpp]);
        break;
      case 2:
        for (size_t i = 0; i < rowBytes; ++i) cur[i] = static_cast<unsigned char>(cur[i] + prev[i]);
        break;
      case 3:
        for (size_t i = 0; i < rowBytes; ++i) {
          const unsigned left = i >= bpp ? cur[i - bpp] : 0;
          cur[i] = static_cast<unsigned char>(cur[i] + ((left + prev[i]) >> 1));
        }
        break;
      case 4:
        for (size_t i = 0; i < rowBytes; ++i) {
          const int left = i >= bpp ? cur[i - bpp] : 0;
          const int upLeft = i >= bpp ? prev[i - bpp] : 0;
          cur[i] = static_cast<unsigned char>(cur[i] + Paeth(left, prev[i], upLeft));
        }
        break;
      default:
        return false;
    }
    prev = cur;
  }
  return true;
}

}  // namespace

QImage DecodeStoredPng(std::span<const unsigned char> bytes) {
  const unsigned char* const data = bytes.data();
  const size_t size = bytes.size();
  if (size < 8 || std::memcmp(data, kSignature, 8) != 0) return {};

  uint32_t width = 0, height = 0;
  unsigned colorType = 0;
  bool haveHeader = false, ended = false;
  std::vector<QRgb> palette;
  std::vector<unsigned char> alphas;
  std::vector<unsigned char> z;
  for (size_t pos = 8; !ended;) {
    if (pos + 12 > size) return {};
    const uint32_t length = ReadBe32(data + pos);
    if (length > size - pos - 12) return {};
    const unsigned char* type = data + pos + 4;
    const unsigned char* body = type + 4;
    if (Crc32(type, length + 4) != ReadBe32(body + length)) return {};
    const auto is = [type](const char* name) { return std::memcmp(type, name, 4) == 0; };
    if (!haveHeader && !is("IHDR")) return {};
    if (is("IHDR")) {
      if (haveHeader || length != 13) return {};
      width = ReadBe32(body);
      height = ReadBe32(body + 4);
      colorType = body[9];
      // 8-bit samples, standard compression and filtering, not interlaced.
      if (body[8] != 8 || body[10] != 0 || body[11] != 0 || body[12] != 0) return {};
      if (colorType != 2 && colorType != 3 && colorType != 6) return {};
      if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) return {};
      haveHeader = true;
    } else if (is("PLTE")) {
      if (length % 3 != 0 || length / 3 > 256 || length == 0) return {};
      for (uint32_t i = 0; i < length; i += 3)
        palette.push_back(qRgb(body[i], body[i + 1], body[i + 2]));
    } else if (is("tRNS")) {
      if (colorType != 3) return {};  // colour-keyed RGB is left to the general reader
      alphas.assign(body, body + length);
    } else if (is("IDAT")) {
      z.insert(z.end(), body, body + length);
    } else if (is("IEND")) {
      ended = true;
    } else if ((type[0] & 0x20) == 0) {
      return {};  // an unknown critical chunk
    }
    pos += size_t{length} + 12;
  }
  if (colorType == 3 && (palette.empty() || alphas.size() > palette.size())) return {};

  const size_t bpp = colorType == 3 ? 1 : colorType == 2 ? 3 : 4;
  const size_t rowBytes = width * bpp;
  std::vector<unsigned char> raw((rowBytes + 1) * height);
  if (!InflateStored(z, raw) || !Unfilter(raw, rowBytes, height, bpp)) return {};

  const int w = static_cast<int>(width);
  const int h = static_cast<int>(height);
  QImage image;
  if (colorType == 3) {
    for (size_t i = 0; i < alphas.size(); ++i) {
      palette[i] = qRgba(qRed(palette[i]), qGreen(palette[i]), qBlue(palette[i]), alphas[i]);
    }
    image = QImage(w, h, QImage::Format_Indexed8);
    if (image.isNull()) return {};
    image.setColorTable(QList<QRgb>(palette.begin(), palette.end()));
    const unsigned char colors = static_cast<unsigned char>(palette.size() - 1);
    for (int y = 0; y < h; ++y) {
      const unsigned char* src = raw.data() + static_cast<size_t>(y) * (rowBytes + 1) + 1;
      for (int x = 0; x < w; ++x) {
        if (src[x] > colors) return {};  // an index past the palette
      }
      std::memcpy(image.scanLine(y), src, rowBytes);
    }
    return image;
  }
  image = QImage(w, h, colorType == 2 ? QImage::Format_RGB32 : QImage::Format_ARGB32);
  if (image.isNull()) return {};
  for (int y = 0; y < h; ++y) {
    const unsigned char* src = raw.data() + static_cast<size_t>(y) * (rowBytes + 1) + 1;
    auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < w; ++x, src += bpp) {
      dst[x] = qRgba(src[0], src[1], src[2], bpp == 4 ? src[3] : 255);
    }
  }
  return image;
}

}  // namespace tarlyk
