#include "opponent/card_weights.h"

#include <cstddef>

namespace tarlyk {

namespace {

// Slots 0..high, clipped to the pile.
std::size_t EndOf(ConstPile cards, int high) {
  if (high < 0) return 0;
  const std::size_t end = static_cast<std::size_t>(high) + 1;
  return end < cards.size() ? end : cards.size();
}

}  // namespace

long double CalcGameStage(int stockCount, int cardsCountOption) {
  // One less than the stock right after the deal; item 1 of the deck-size group is the
  // 52-card deck, item 0 or no selection the 36-card one.
  const long double d = cardsCountOption >= 1 ? 39.0L : 23.0L;
  return 1.0L - static_cast<long double>(stockCount) / d;
}

int ThisValueCount(uint8_t value, ConstPile cards, int high, uint8_t kozirSuid) {
  int n = 0;
  const std::size_t end = EndOf(cards, high);
  for (std::size_t i = 0; i < end; ++i) {
    const TCardRec& c = cards[i];
    if (IsPresent(c) && c.Value == value && c.Suid != kozirSuid) ++n;
  }
  return n;
}

int ThisSuidCount(uint8_t suid, ConstPile cards, int high) {
  int n = 0;
  const std::size_t end = EndOf(cards, high);
  for (std::size_t i = 0; i < end; ++i) {
    if (IsPresent(cards[i]) && cards[i].Suid == suid) ++n;
  }
  return n;
}

void CalcKoefs(Pile cards, int high, uint8_t kozirSuid, int level) {
  const bool normal = level == 0;
  const std::size_t end = EndOf(cards, high);
  // The counts only need the slots up to the last card, and a hand keeps its cards in
  // its first few slots, so each count reads a handful of slots.
  std::size_t used = end;
  while (used > 0 && !IsPresent(cards[used - 1])) --used;
  const int last = static_cast<int>(used) - 1;
  for (std::size_t i = 0; i < used; ++i) {
    TCardRec& c = cards[i];
    if (!IsPresent(c)) continue;
    const int vi = ValueToInt(c.Value);
    const long double v = vi;
    if (c.Suid == kozirSuid) {
      c.GoKoef = 10 * v;
      c.BitsaKoef = -v / 10;
      continue;
    }
    const int cv = ThisValueCount(c.Value, cards, last, kozirSuid);
    const int cs = ThisSuidCount(c.Suid, cards, last);
    long double g = 0;
    long double b = 0;
    if (cv >= 2) {
      if (normal) {
        g = v / cv / 1.3L;
        b = static_cast<long double>(3 * vi * cv);
      } else {
        g = v / cv / 3;
        b = v / cv / 3;
      }
      if (cs >= 2) {
        if (normal) {
          g = g - v / cs;
          b = b + static_cast<long double>(vi * cs);
        } else {
          g = (g - v / cs) / 3;
          b = b + 1 / static_cast<long double>(vi * cs);
        }
      }
    } else if (cs >= 2) {
      if (normal) {
        g = v / cs;
        b = static_cast<long double>(vi * cs);
      } else {
        g = v / cs / 3;
        b = 1 / static_cast<long double>(vi * cs);
      }
    } else {
      g = v;
      b = 1 / v;
    }
    c.GoKoef = g;
    c.BitsaKoef = b;
  }
}

}  // namespace tarlyk
