// A damaged Cards.dll that reports absurd sizes: one real picture followed by zeros,
// claimed a byte longer than any picture may be, and a success without a pointer that
// claims a size.

#include <cstring>

#include "card_bitmap_table.h"

namespace {

// Readable memory all the way, so that only the claimed size is wrong.
constexpr unsigned kOversize = (4u << 20) + 1;
unsigned char gPadded[kOversize];

}  // namespace

extern "C" __attribute__((visibility("default"))) int TarlykCardBitmap(int number,
                                                                       const unsigned char** data,
                                                                       unsigned* size) {
  using tarlyk_cards::kCardBitmaps;
  if (number < 0 || number >= tarlyk_cards::kCardBitmapCount ||
      kCardBitmaps[number].data == nullptr) {
    return 0;
  }
  switch (number) {
    case 12:
      std::memcpy(gPadded, kCardBitmaps[number].data, kCardBitmaps[number].size);
      *data = gPadded;
      *size = kOversize;
      return 1;
    case 58:
      *data = nullptr;
      *size = 5000;
      return 1;
    default:
      *data = kCardBitmaps[number].data;
      *size = static_cast<unsigned>(kCardBitmaps[number].size);
      return 1;
  }
}
