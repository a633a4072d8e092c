// A quick reader for the card library's pictures: PNG files of 8-bit palette, RGB or
// RGBA pixels, not interlaced, whose image data is stored without deflate compression
// (as the card library writes them). Such a picture needs no inflating, only copying
// and unfiltering, which is several times cheaper than the general PNG reader.
#pragma once

#include <QImage>
#include <optional>
#include <span>

namespace tarlyk {

// Decodes `bytes` when it is such a picture with every checksum correct: palette
// pictures as Format_Indexed8 (transparency in the colour table), RGB as Format_RGB32,
// RGBA as Format_ARGB32. Gives a null image for anything else, including any damage;
// the caller then leaves the bytes to the general reader.
QImage DecodeStoredPng(std::span<const unsigned char> bytes);

// The same for an opaque picture (palette or RGB) of exactly the size of `into` (a
// 32-bit picture), decoded straight into its premultiplied pixels ready to draw, every
// pixel of the colour `key` (when given) made fully transparent. False, with `into`
// untouched, for anything else, translucent pictures included.
bool DecodeStoredPngOpaque(std::span<const unsigned char> bytes, std::optional<QRgb> key,
                           QImage& into);

}  // namespace tarlyk
