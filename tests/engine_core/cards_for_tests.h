// Cards and piles for the engine tests.
#pragma once

#include <array>

#include "game/card.h"

namespace tarlyk::testing {

// A card by rank code and suit code, with its picture identity.
inline TCardRec C(uint8_t value, uint8_t suid) {
  for (int n = 1; n <= 52; ++n) {
    const TCardRec c = CardFromNumber(n);
    if (c.Value == value && c.Suid == suid) return c;
  }
  return TCardRec{0, value, suid, -1};
}

using Hand = std::array<TCardRec, 52>;
using Desk = std::array<TCardRec, 12>;

}  // namespace tarlyk::testing
