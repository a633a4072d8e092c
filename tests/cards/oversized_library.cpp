// A damaged Cards.dll that reports absurd sizes: one real picture followed by zeros,
// claimed a byte longer than any picture may be, and a success without a pointer that
// claims a size.

#include <cstring>

#include "real_card_bitmap.h"

namespace {

// Readable memory all the way, so that only the claimed size is wrong.
constexpr unsigned kOversize = (4u << 20) + 1;
unsigned char gPadded[kOversize];

}  // namespace

extern "C" __attribute__((visibility("default"))) int TarlykCardBitmap(int number,
                                                                       const unsigned char** data,
                                                                       unsigned* size) {
  if (RealCardBitmap(number, data, size) == 0) return 0;
  if (number == 12) {
    std::memcpy(gPadded, *data, *size);
    *data = gPadded;
    *size = kOversize;
  } else if (number == 58) {
    *data = nullptr;
    *size = 5000;
  }
  return 1;
}
