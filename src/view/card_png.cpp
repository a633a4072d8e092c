#include "view/card_png.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "view/png_checksums.h"

namespace tarlyk {

namespace {

constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
// Pictures are small; anything larger is left to the general reader.
constexpr uint32_t kMaxSide = 4096;

uint32_t ReadBe32(const unsigned char* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

uint32_t Crc32(const unsigned char* p, size_t n) {
  return PngCrc32(p, n);
}

uint32_t Adler32(const unsigned char* p, size_t n) {
  return PngAdler32(p, n);
}

// The image data of a zlib stream made only of stored deflate blocks, of exactly
// `size` bytes: in place when it is one block (as the card library writes it), otherwise
// gathered into `store`. Null for compressed blocks, a short stream or a bad checksum.
const unsigned char* InflateStored(std::span<const unsigned char> z, size_t size,
                                   std::vector<unsigned char>& store) {
  if (z.size() < 2 + 4) return nullptr;
  const unsigned cmf = z[0], flg = z[1];
  if ((cmf & 0x0F) != 8 || ((cmf << 8) | flg) % 31 != 0 || (flg & 0x20) != 0) return nullptr;
  const unsigned char* data = nullptr;
  size_t pos = 2, filled = 0;
  for (bool last = false; !last;) {
    if (pos + 5 > z.size()) return nullptr;
    const unsigned head = z[pos];
    if ((head & 0x06) != 0) return nullptr;  // a compressed block
    last = (head & 1) != 0;
    const size_t len = z[pos + 1] | (size_t{z[pos + 2]} << 8);
    const size_t nlen = z[pos + 3] | (size_t{z[pos + 4]} << 8);
    if ((len ^ nlen) != 0xFFFF) return nullptr;
    pos += 5;
    if (pos + len > z.size() || filled + len > size) return nullptr;
    if (filled == 0 && last) {
      data = z.data() + pos;
    } else {
      store.resize(size);
      std::memcpy(store.data() + filled, z.data() + pos, len);
      data = store.data();
    }
    pos += len;
    filled += len;
  }
  if (filled != size || pos + 4 > z.size()) return nullptr;
  return Adler32(data, size) == ReadBe32(z.data() + pos) ? data : nullptr;
}

unsigned char Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return static_cast<unsigned char>(a);
  return static_cast<unsigned char>(pb <= pc ? b : c);
}

// Undoes the per-row filters in place; rows are 1 filter byte + rowBytes.
bool Unfilter(unsigned char* raw, size_t rowBytes, uint32_t height, size_t bpp) {
  static const std::vector<unsigned char> zeros(kMaxSide * 4, 0);
  const unsigned char* prev = zeros.data();
  for (uint32_t y = 0; y < height; ++y) {
    unsigned char* row = raw + y * (rowBytes + 1);
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

namespace {

// A picture as stored: its size, layout, palette (with transparency) and the unfiltered
// rows, each after its filter byte.
struct StoredPicture {
  uint32_t width = 0, height = 0;
  unsigned colorType = 0;  // 2 RGB, 3 palette, 6 RGBA
  std::vector<QRgb> palette;
  const unsigned char* raw = nullptr;  // in the picture's bytes, or in `store`
  std::vector<unsigned char> store;
  size_t bpp = 0;

  const unsigned char* Row(int y) const {
    return raw + static_cast<size_t>(y) * (width * bpp + 1) + 1;
  }
};

// The largest of n bytes.
unsigned char Highest(const unsigned char* p, size_t n) {
  return n == 0 ? 0 : *std::max_element(p, p + n);
}

bool Parse(std::span<const unsigned char> bytes, StoredPicture& out) {
  const unsigned char* const data = bytes.data();
  const size_t size = bytes.size();
  if (size < 8 || std::memcmp(data, kSignature, 8) != 0) return false;

  uint32_t width = 0, height = 0;
  unsigned colorType = 0;
  bool haveHeader = false, ended = false;
  std::vector<QRgb>& palette = out.palette;
  std::vector<unsigned char> alphas;
  // The image data: in place when it is one chunk, otherwise gathered.
  std::span<const unsigned char> z;
  std::vector<unsigned char> gathered;
  for (size_t pos = 8; !ended;) {
    if (pos + 12 > size) return false;
    const uint32_t length = ReadBe32(data + pos);
    if (length > size - pos - 12) return false;
    const unsigned char* type = data + pos + 4;
    const unsigned char* body = type + 4;
    if (Crc32(type, length + 4) != ReadBe32(body + length)) return false;
    const auto is = [type](const char* name) { return std::memcmp(type, name, 4) == 0; };
    if (!haveHeader && !is("IHDR")) return false;
    if (is("IHDR")) {
      if (haveHeader || length != 13) return false;
      width = ReadBe32(body);
      height = ReadBe32(body + 4);
      colorType = body[9];
      // 8-bit samples, standard compression and filtering, not interlaced.
      if (body[8] != 8 || body[10] != 0 || body[11] != 0 || body[12] != 0) return false;
      if (colorType != 2 && colorType != 3 && colorType != 6) return false;
      if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) return false;
      haveHeader = true;
    } else if (is("PLTE")) {
      if (length % 3 != 0 || length / 3 > 256 || length == 0) return false;
      for (uint32_t i = 0; i < length; i += 3)
        palette.push_back(qRgb(body[i], body[i + 1], body[i + 2]));
    } else if (is("tRNS")) {
      if (colorType != 3) return false;  // colour-keyed RGB is left to the general reader
      alphas.assign(body, body + length);
    } else if (is("IDAT")) {
      if (z.empty()) {
        z = {body, length};
      } else {
        if (gathered.empty()) gathered.assign(z.begin(), z.end());
        gathered.insert(gathered.end(), body, body + length);
        z = gathered;
      }
    } else if (is("IEND")) {
      ended = true;
    } else if ((type[0] & 0x20) == 0) {
      return false;  // an unknown critical chunk
    }
    pos += size_t{length} + 12;
  }
  if (colorType == 3 && (palette.empty() || alphas.size() > palette.size())) return false;
  for (size_t i = 0; i < alphas.size(); ++i) {
    palette[i] = qRgba(qRed(palette[i]), qGreen(palette[i]), qBlue(palette[i]), alphas[i]);
  }

  out.width = width;
  out.height = height;
  out.colorType = colorType;
  out.bpp = colorType == 3 ? 1 : colorType == 2 ? 3 : 4;
  const size_t rowBytes = width * out.bpp;
  const size_t rawSize = (rowBytes + 1) * height;
  out.raw = InflateStored(z, rawSize, out.store);
  if (out.raw == nullptr) return false;
  bool filtered = false;
  for (uint32_t y = 0; y < height && !filtered; ++y) filtered = out.raw[y * (rowBytes + 1)] != 0;
  if (filtered) {
    // Rows with filters are undone in a copy of their own.
    if (out.store.empty()) out.store.assign(out.raw, out.raw + rawSize);
    if (!Unfilter(out.store.data(), rowBytes, height, out.bpp)) return false;
    out.raw = out.store.data();
  }
  if (colorType == 3 && palette.size() < 256) {
    const unsigned char colors = static_cast<unsigned char>(palette.size() - 1);
    for (uint32_t y = 0; y < height; ++y) {
      // An index past the palette.
      if (Highest(out.Row(static_cast<int>(y)), width) > colors) return false;
    }
  }
  return true;
}

}  // namespace

QImage DecodeStoredPng(std::span<const unsigned char> bytes) {
  StoredPicture pic;
  if (!Parse(bytes, pic)) return {};
  const int w = static_cast<int>(pic.width);
  const int h = static_cast<int>(pic.height);
  QImage image;
  if (pic.colorType == 3) {
    image = QImage(w, h, QImage::Format_Indexed8);
    if (image.isNull()) return {};
    image.setColorTable(QList<QRgb>(pic.palette.begin(), pic.palette.end()));
    for (int y = 0; y < h; ++y) std::memcpy(image.scanLine(y), pic.Row(y), pic.width);
    return image;
  }
  image = QImage(w, h, pic.colorType == 2 ? QImage::Format_RGB32 : QImage::Format_ARGB32);
  if (image.isNull()) return {};
  for (int y = 0; y < h; ++y) {
    const unsigned char* src = pic.Row(y);
    auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < w; ++x, src += pic.bpp) {
      dst[x] = qRgba(src[0], src[1], src[2], pic.bpp == 4 ? src[3] : 255);
    }
  }
  return image;
}

bool DecodeStoredPngOpaque(std::span<const unsigned char> bytes, std::optional<QRgb> key,
                           QImage& into) {
  StoredPicture pic;
  if (into.depth() != 32 || !Parse(bytes, pic) || pic.colorType == 6) return false;
  if (QSize(static_cast<int>(pic.width), static_cast<int>(pic.height)) != into.size()) return false;
  // Opaque pixels are premultiplied as they are; the key colour becomes transparent
  // (a value no opaque pixel has stands for "no key").
  const QRgb keyColour = key ? (*key | 0xFF000000u) : 0;
  std::array<QRgb, 256> colors{};
  for (size_t i = 0; i < pic.palette.size(); ++i) {
    if (qAlpha(pic.palette[i]) != 255) return false;
    colors[i] = pic.palette[i] == keyColour ? 0 : pic.palette[i];
  }
  const int w = static_cast<int>(pic.width);
  const int h = static_cast<int>(pic.height);
  for (int y = 0; y < h; ++y) {
    const unsigned char* src = pic.Row(y);
    auto* dst = reinterpret_cast<QRgb*>(into.scanLine(y));
    if (pic.colorType == 3) {
      // Four at a time: most of the loading time is spent here.
      const QRgb* const table = colors.data();
      int x = 0;
      for (; x + 4 <= w; x += 4) {
        const QRgb c0 = table[src[x]], c1 = table[src[x + 1]];
        const QRgb c2 = table[src[x + 2]], c3 = table[src[x + 3]];
        dst[x] = c0;
        dst[x + 1] = c1;
        dst[x + 2] = c2;
        dst[x + 3] = c3;
      }
      for (; x < w; ++x) dst[x] = table[src[x]];
    } else {
      for (int x = 0; x < w; ++x, src += 3) {
        const QRgb c = 0xFF000000u | (QRgb{src[0]} << 16) | (QRgb{src[1]} << 8) | src[2];
        dst[x] = c == keyColour ? 0 : c;
      }
    }
  }
  return true;
}

}  // namespace tarlyk
