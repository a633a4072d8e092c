// The card library: one exported function hands out the encoded picture of a bitmap
// number. No Qt here; the pictures are plain byte arrays generated at build time.

#include "card_bitmap_table.h"

// Gives the PNG bytes of bitmap `number` (1..52 faces, 54..65 backs). Returns 1 and
// fills *data and *size when the library holds that number, otherwise returns 0 and
// leaves them untouched.
extern "C" __attribute__((visibility("default"))) int TarlykCardBitmap(int number,
                                                                       const unsigned char** data,
                                                                       unsigned* size) {
  using tarlyk_cards::kCardBitmapCount;
  using tarlyk_cards::kCardBitmaps;
  if (number < 0 || number >= kCardBitmapCount || kCardBitmaps[number].data == nullptr ||
      data == nullptr || size == nullptr) {
    return 0;
  }
  *data = kCardBitmaps[number].data;
  *size = static_cast<unsigned>(kCardBitmaps[number].size);
  return 1;
}
