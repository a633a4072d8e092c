// The card record, the rank and suit codes, and the deck template numbering.
#pragma once

#include <cstdint>

namespace tarlyk {

// One card slot. A slot is empty exactly when Value is 0.
struct TCardRec {
  int32_t SortKey = 0;
  uint8_t Value = 0;  // rank code: 1 two .. 13 ace; 0 = empty slot
  uint8_t Suid = 0;   // suit code: 0 clubs, 1 spades, 2 diamonds, 3 hearts
  int32_t ID = 0;     // 0..51, also the picture index; -1 in a cleared slot
  bool GoFlag = false;
  bool BitsaFlag = false;
  long double GoKoef = 0.0L;
  long double BitsaKoef = 0.0L;
};

inline constexpr uint8_t kClubs = 0;
inline constexpr uint8_t kSpades = 1;
inline constexpr uint8_t kDiamonds = 2;
inline constexpr uint8_t kHearts = 3;

// Every card picture is this many pixels wide and high.
inline constexpr int kCardWidth = 71;
inline constexpr int kCardHeight = 96;

inline constexpr uint8_t kSix = 5;
inline constexpr uint8_t kJack = 10;
inline constexpr uint8_t kQueen = 11;
inline constexpr uint8_t kKing = 12;
inline constexpr uint8_t kAce = 13;

// The record of a cleared slot: SortKey 0, Value 0, Suid 1, ID -1, flags false, weights 0.
inline constexpr TCardRec EmptyCard() {
  TCardRec c;
  c.Suid = 1;
  c.ID = -1;
  return c;
}

inline constexpr bool IsPresent(const TCardRec& c) {
  return c.Value != 0;
}

// A set of cards by identity: bit n stands for the card whose ID is n.
using CardSet = uint64_t;

// The set holding just this card; empty for a record without a valid identity.
inline constexpr CardSet CardBit(const TCardRec& c) {
  return c.ID >= 0 && c.ID < 52 ? CardSet{1} << c.ID : 0;
}

// Card n = 1..52 of the picture library: four blocks clubs, diamonds, hearts, spades,
// each ace, two, ..., king. Only Value, Suid and ID are set.
inline constexpr TCardRec CardFromNumber(int n) {
  constexpr uint8_t kBlockSuit[4] = {kClubs, kDiamonds, kHearts, kSpades};
  TCardRec c;
  const int m = n % 13;
  c.Value = static_cast<uint8_t>(m == 1 ? 13 : (m == 0 ? 12 : m - 1));
  c.Suid = kBlockSuit[(n - 1) / 13];
  c.ID = n - 1;
  return c;
}

}  // namespace tarlyk
