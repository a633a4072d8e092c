// The encoded card pictures compiled into the card library, indexed by bitmap number.
#pragma once

#include <cstddef>

namespace tarlyk_cards {

struct CardBitmap {
  const unsigned char* data;  // PNG bytes, or nullptr for a number without a picture
  size_t size;
};

// Numbers 0..65: 1..52 faces, 54..65 backs; 0 and 53 hold nothing.
inline constexpr int kCardBitmapCount = 66;

extern const CardBitmap kCardBitmaps[kCardBitmapCount];

}  // namespace tarlyk_cards
