// The card pictures at whole multiples of their 71 x 96 size, compiled into the card
// library as plain pixels, by size and bitmap number.
#pragma once

#include "card_bitmap_table.h"

namespace tarlyk_cards {

struct CardPixels {
  // 32-bit pixels 0xAARRGGBB in the machine's byte order, row after row without padding,
  // all opaque; on backs RGB(255, 0, 255) marks what is transparent. nullptr for a number
  // without a picture.
  const unsigned char* pixels;
  unsigned width;
  unsigned height;
};

// The sizes held: kFirstPixelScale .. kFirstPixelScale + kPixelScaleCount - 1 times.
inline constexpr int kFirstPixelScale = 2;
inline constexpr int kPixelScaleCount = 2;

extern const CardPixels kCardPixels[kPixelScaleCount][kCardBitmapCount];

}  // namespace tarlyk_cards
