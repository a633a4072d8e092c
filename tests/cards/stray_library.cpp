// A damaged Cards.dll whose pictures lie outside its own data: one 71 x 96 picture copied
// into memory it allocated, and larger pictures of the wrong size or in allocated memory.
// The rest are its real 71 x 96 pictures; its larger pictures are one grey card.

#include <cstdlib>
#include <cstring>

#include "real_card_bitmap.h"

namespace {

constexpr unsigned kWidth = 142, kHeight = 192;
unsigned char gGrey[kWidth * kHeight * 4];
// The allocated pictures, handed back when the library is unloaded.
unsigned char* gCopy = nullptr;
unsigned char* gAllocatedGrey = nullptr;

__attribute__((destructor)) void FreeAllocated() {
  std::free(gCopy);
  std::free(gAllocatedGrey);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int TarlykCardBitmap(int number,
                                                                       const unsigned char** data,
                                                                       unsigned* size) {
  if (RealCardBitmap(number, data, size) == 0) return 0;
  if (number == 5) {
    if (gCopy == nullptr) {
      gCopy = static_cast<unsigned char*>(std::malloc(*size));
      std::memcpy(gCopy, *data, *size);
    }
    *data = gCopy;
  }
  return 1;
}

extern "C" __attribute__((visibility("default"))) int TarlykCardPixels(int number, int scale,
                                                                       const unsigned char** pixels,
                                                                       unsigned* width,
                                                                       unsigned* height) {
  if (scale != 2 || number < 1 || number > 65) return 0;
  std::memset(gGrey, 0x80, sizeof gGrey);
  *pixels = gGrey;
  *width = kWidth;
  *height = kHeight;
  if (number == 1) *width = kWidth + 1;  // not twice the size
  if (number == 2) {
    if (gAllocatedGrey == nullptr)
      gAllocatedGrey = static_cast<unsigned char*>(std::calloc(1, sizeof gGrey));
    *pixels = gAllocatedGrey;
  }
  return 1;
}
