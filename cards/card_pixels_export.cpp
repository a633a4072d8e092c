// The card library's second exported function: the pictures at two and three times their
// size, as plain pixels the game can draw in place. A library without it still serves
// every picture at 71 x 96.

#include "card_pixel_table.h"

// Gives the pixels of bitmap `number` (1..52 faces, 54..65 backs) at `scale` (2 or 3)
// times its 71 x 96 size: 32-bit pixels 0xAARRGGBB in this machine's byte order, row
// after row without padding, every one opaque, with RGB(255, 0, 255) where a back is
// transparent. Returns 1 and fills the outputs when the library holds that picture,
// otherwise returns 0 and leaves them untouched.
extern "C" __attribute__((visibility("default"))) int TarlykCardPixels(int number, int scale,
                                                                       const unsigned char** pixels,
                                                                       unsigned* width,
                                                                       unsigned* height) {
  using tarlyk_cards::kCardPixels;
  const int k = scale - tarlyk_cards::kFirstPixelScale;
  if (k < 0 || k >= tarlyk_cards::kPixelScaleCount || number < 0 ||
      number >= tarlyk_cards::kCardBitmapCount || kCardPixels[k][number].pixels == nullptr ||
      pixels == nullptr || width == nullptr || height == nullptr) {
    return 0;
  }
  *pixels = kCardPixels[k][number].pixels;
  *width = kCardPixels[k][number].width;
  *height = kCardPixels[k][number].height;
  return 1;
}
