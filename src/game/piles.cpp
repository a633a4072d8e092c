#include "game/piles.h"

#include <array>
#include <cstddef>
#include <utility>

#include "game/game_texts.h"

namespace tarlyk {

namespace {

// Sort weight of a slot: face value, times 100 for a trump; 0 for an empty slot.
int32_t SortKeyOf(const TCardRec& card, uint8_t kozirSuid) {
  if (!IsPresent(card)) return 0;
  const int32_t v = ValueToInt(card.Value);
  return card.Suid == kozirSuid ? v * 100 : v;
}

// Slots that take part in sorting: present cards with a face value. A present card
// without one (a rank code above 13) keeps its slot, as does every empty slot.
bool IsMovable(const TCardRec& card) {
  return ValueToInt(card.Value) != 0;
}

}  // namespace

bool AddCardToArray(Pile pile, const TCardRec& card, int startFrom) {
  if (!IsPresent(card)) return false;
  const long long high = static_cast<long long>(pile.size()) - 1;
  const long long first = startFrom - 1 < 0 ? 0 : startFrom - 1;
  if (high < startFrom - 1) return false;
  for (std::size_t i = static_cast<std::size_t>(first); i < pile.size(); ++i) {
    if (!IsPresent(pile[i])) {
      pile[i] = card;
      return true;
    }
  }
  return false;
}

int GetCardsCount(ConstPile pile) {
  int n = 0;
  for (const TCardRec& c : pile) n += IsPresent(c) ? 1 : 0;
  return n;
}

int GetFirstID(ConstPile pile) {
  for (std::size_t i = 0; i < pile.size(); ++i) {
    if (IsPresent(pile[i])) return static_cast<int>(i);
  }
  return -1;
}

void RemoveSpaces(Pile pile) {
  // Each card moves into the lowest hole before it; a vacated source slot is cleared,
  // holes that no card fills keep whatever they held.
  std::size_t write = 0;
  for (std::size_t read = 0; read < pile.size(); ++read) {
    if (!IsPresent(pile[read])) continue;
    if (read != write) {
      pile[write] = pile[read];
      pile[read] = EmptyCard();
    }
    ++write;
  }
}

int GetMinCard(ConstPile pile, int start, uint8_t kozirSuid) {
  // The keys are worked out on the fly, which leaves the caller's pile untouched just as
  // a keyed private copy would.
  const int high = static_cast<int>(pile.size()) - 1;
  if (start < 0 || start > high) return start;
  int best = start;
  int32_t bestKey = SortKeyOf(pile[static_cast<std::size_t>(start)], kozirSuid);
  for (int i = start; i <= high; ++i) {
    const TCardRec& c = pile[static_cast<std::size_t>(i)];
    const int32_t key = SortKeyOf(c, kozirSuid);
    if (key == 0) continue;
    const uint8_t bestSuid = pile[static_cast<std::size_t>(best)].Suid;
    if (bestKey > key || (bestKey == key && bestSuid > c.Suid)) {
      best = i;
      bestKey = key;
    }
  }
  return best;
}

void SortCards(Pile pile, uint8_t kozirSuid) {
  // Empty slots and cards without a face value stay where they are, the other cards are
  // ordered among the remaining slots, then the pile is compacted: the same result as a
  // slot-by-slot selection with GetMinCard. The keys are sorted on the stack, so nothing
  // allocates.
  constexpr std::size_t kMaxSlots = 52;
  if (pile.size() > kMaxSlots) {
    for (int i = 0; i < static_cast<int>(pile.size()); ++i) {
      const int m = GetMinCard(pile, i, kozirSuid);
      if (m != i) std::swap(pile[static_cast<std::size_t>(i)], pile[static_cast<std::size_t>(m)]);
    }
    RemoveSpaces(pile);
    return;
  }
  // Cards already in order (the usual case at a repaint) only need their gaps closed.
  bool gap = false;
  if (FirstUnsortedSlot(pile, kozirSuid, &gap) == -1) {
    if (gap) RemoveSpaces(pile);
    return;
  }
  std::array<int32_t, kMaxSlots> keys;
  std::array<uint8_t, kMaxSlots> slots;    // movable slots, ascending
  std::array<uint8_t, kMaxSlots> sources;  // their cards, in sorted order
  std::size_t n = 0;
  for (std::size_t i = 0; i < pile.size(); ++i) {
    if (!IsMovable(pile[i])) continue;
    const int32_t key = SortKeyOf(pile[i], kozirSuid) * 256 + pile[i].Suid;
    std::size_t j = n;
    for (; j > 0 && keys[j - 1] > key; --j) {
      keys[j] = keys[j - 1];
      sources[j] = sources[j - 1];
    }
    keys[j] = key;
    sources[j] = static_cast<uint8_t>(i);
    slots[n++] = static_cast<uint8_t>(i);
  }
  std::array<TCardRec, kMaxSlots> sorted;
  for (std::size_t k = 0; k < n; ++k) sorted[k] = pile[sources[k]];
  for (std::size_t k = 0; k < n; ++k) pile[slots[k]] = sorted[k];
  RemoveSpaces(pile);
}

int FirstUnsortedSlot(ConstPile pile, uint8_t kozirSuid, bool* gap) {
  int32_t lastKey = -1;
  bool holeSeen = false;
  bool hole = false;
  for (std::size_t i = 0; i < pile.size(); ++i) {
    if (!IsPresent(pile[i])) {
      holeSeen = true;
      continue;
    }
    hole = hole || holeSeen;
    const TCardRec& c = pile[i];
    if (c.Value > 13) return static_cast<int>(i);  // no face value: not movable
    const int32_t key = (c.Value + 1) * (c.Suid == kozirSuid ? 100 : 1) * 256 + c.Suid;
    if (key < lastKey) return static_cast<int>(i);
    lastKey = key;
  }
  if (gap != nullptr) *gap = hole;
  return -1;
}

CardSet CardsOf(ConstPile pile) {
  CardSet set = 0;
  for (const TCardRec& c : pile) {
    if (IsPresent(c)) set |= CardBit(c);
  }
  return set;
}

int ValueToInt(uint8_t value) {
  return value >= 1 && value <= 13 ? value + 1 : 0;
}

std::string CardToString(const TCardRec& card) {
  if (card.Value == 0) return kRankNames[0];
  std::string text = card.Value > 13 ? kNoRankName : kRankNames[card.Value];
  text += card.Suid <= 3 ? kSuitNames[card.Suid] : kNoSuitName;
  return text;
}

}  // namespace tarlyk
