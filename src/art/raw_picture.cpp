#include "art/raw_picture.h"

#include <cstdint>
#include <cstring>

namespace tarlyk {

namespace {

constexpr quint32 kMagic = 0x58504b54;  // "TKPX" read as a little-endian number
constexpr qsizetype kHeaderBytes = 24;

struct Header {
  quint32 magic;
  quint32 width;
  quint32 height;
  quint32 format;
  quint32 first;
  quint32 second;
};
static_assert(sizeof(Header) == kHeaderBytes);

bool Supported(QImage::Format format) {
  return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
         format == QImage::Format_ARGB32_Premultiplied;
}

}  // namespace

QByteArray EncodeRawPicture(const QImage& image, PictureColors colors) {
  if (image.isNull() || !Supported(image.format())) return {};
  const Header header{kMagic,
                      static_cast<quint32>(image.width()),
                      static_cast<quint32>(image.height()),
                      static_cast<quint32>(image.format()),
                      colors.first,
                      colors.second};
  const qsizetype rowBytes = static_cast<qsizetype>(image.width()) * 4;
  QByteArray out;
  out.reserve(kHeaderBytes + rowBytes * image.height());
  out.append(reinterpret_cast<const char*>(&header), kHeaderBytes);
  for (int y = 0; y < image.height(); ++y) {
    out.append(reinterpret_cast<const char*>(image.constScanLine(y)), rowBytes);
  }
  return out;
}

QImage DecodeRawPicture(const uchar* data, qsizetype length, QSize size, PictureColors colors) {
  if (data == nullptr || length < kHeaderBytes || size.isEmpty()) return {};
  Header header;
  std::memcpy(&header, data, kHeaderBytes);
  const auto format = static_cast<QImage::Format>(header.format);
  if (header.magic != kMagic || header.width != static_cast<quint32>(size.width()) ||
      header.height != static_cast<quint32>(size.height()) || !Supported(format) ||
      header.first != colors.first || header.second != colors.second) {
    return {};
  }
  const qsizetype rowBytes = static_cast<qsizetype>(size.width()) * 4;
  if (length != kHeaderBytes + rowBytes * size.height()) return {};
  const uchar* pixels = data + kHeaderBytes;
  const QImage view(pixels, size.width(), size.height(), rowBytes, format);
  // QImage reads its pixels as 32-bit words; unaligned bytes are copied first.
  if (reinterpret_cast<std::uintptr_t>(pixels) % alignof(quint32) == 0) return view;
  return view.copy();
}

}  // namespace tarlyk
