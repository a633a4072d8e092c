// The form in which pictures rendered at build time are compiled into the program: a
// 24-byte header (magic, width, height, QImage format, the two colours the picture was
// drawn with) followed by the 32-bit pixels row by row without padding, in the byte
// order of the machine that built it (the one it runs on). Reading it is a look at
// the header and, when the bytes are suitably aligned, no copy at all.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRgb>

namespace tarlyk {

// The colours a picture depends on; pictures that depend on none use zeros.
struct PictureColors {
  QRgb first = 0;
  QRgb second = 0;
  bool operator==(const PictureColors&) const = default;
};

// `image` must be a 32-bit format (RGB32, ARGB32 or ARGB32_Premultiplied).
QByteArray EncodeRawPicture(const QImage& image, PictureColors colors);

// The picture held in `data` when it is well formed, of `size` and drawn with
// `colors`; a null image otherwise. The image may point into `data`, which must
// outlive it (resources compiled into the program do).
QImage DecodeRawPicture(const uchar* data, qsizetype length, QSize size, PictureColors colors);

}  // namespace tarlyk
