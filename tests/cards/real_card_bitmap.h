// The sound library's own answer for a picture, for the damaged test libraries that
// change only some pictures and hand out the rest as they are.
#pragma once

#include "card_bitmap_table.h"

// Fills *data and *size with the real picture `number` and returns 1, or returns 0 when
// the library has none of that number.
inline int RealCardBitmap(int number, const unsigned char** data, unsigned* size) {
  using tarlyk_cards::kCardBitmaps;
  if (number < 0 || number >= tarlyk_cards::kCardBitmapCount ||
      kCardBitmaps[number].data == nullptr) {
    return 0;
  }
  *data = kCardBitmaps[number].data;
  *size = static_cast<unsigned>(kCardBitmaps[number].size);
  return 1;
}
