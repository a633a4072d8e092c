#include "game/move_rules.h"

#include <array>
#include <cstddef>

namespace tarlyk {

namespace {

constexpr std::size_t kHalf = 6;  // slots per side on the table

int CountOccupied(std::span<const TCardRec, 12> desk, std::size_t from, std::size_t to) {
  int n = 0;
  for (std::size_t i = from; i < to; ++i) n += IsPresent(desk[i]) ? 1 : 0;
  return n;
}

}  // namespace

bool Beats(const TCardRec& cover, const TCardRec& attack, uint8_t kozirSuid) {
  const bool coverTrump = cover.Suid == kozirSuid;
  const bool attackTrump = attack.Suid == kozirSuid;
  if (coverTrump && attackTrump) return cover.Value > attack.Value;
  if (coverTrump) return true;
  if (attackTrump) return false;
  return cover.Suid == attack.Suid && cover.Value > attack.Value;
}

bool CanBitsa(const TCardRec& card, const TableView& table) {
  std::size_t from = 0;
  if (table.WhoGoing == 1) {
    from = kHalf;
  } else if (table.WhoGoing != 0) {
    return false;
  }
  // The open attack card is the attacker's highest occupied slot.
  std::size_t s = from + kHalf;
  while (s > from && !IsPresent(table.desk[s - 1])) --s;
  if (s == from) return true;  // nothing to cover
  --s;
  const std::size_t partner = table.WhoGoing == 1 ? s - kHalf : s + kHalf;
  if (IsPresent(table.desk[partner])) return false;
  return Beats(card, table.desk[s], table.kozirSuid);
}

namespace {

// What CanGo needs from the table, worked out once: either a verdict that holds for every
// card (rules 1 to 5), or the set of ranks lying on the table (rule 6).
struct GoVerdict {
  bool decided = false;
  bool answer = false;
  std::array<bool, 256> rankOnTable{};
};

GoVerdict JudgeTable(const TableView& table) {
  GoVerdict v;
  const int onTable = CountOccupied(table.desk, 0, 2 * kHalf);
  if (onTable == 0) {
    v.decided = true;
    v.answer = true;
    return v;
  }
  v.decided = true;
  if (onTable >= 12) return v;
  if (onTable >= 6 && IsPresent(table.desk[5])) return v;
  // Only whether the computer holds a card matters here; stop at the first one.
  bool cpuHasCard = false;
  for (const TCardRec& c : table.cpuHand) {
    if (IsPresent(c)) {
      cpuHasCard = true;
      break;
    }
  }
  if (!cpuHasCard) return v;
  if (table.ThrowInMode) {
    const int t = CountOccupied(table.desk, kHalf, 2 * kHalf) + GetCardsCount(table.cpuHand);
    const int h = CountOccupied(table.desk, 0, kHalf);
    if (t == 0 || t <= h) return v;
  }
  v.decided = false;
  for (const TCardRec& c : table.desk) {
    if (IsPresent(c)) v.rankOnTable[c.Value] = true;
  }
  return v;
}

bool CanGoBy(const GoVerdict& v, const TCardRec& card) {
  return v.decided ? v.answer : v.rankOnTable[card.Value];
}

}  // namespace

bool CanGo(const TCardRec& card, const TableView& table) {
  return CanGoBy(JudgeTable(table), card);
}

bool ApplyRules(const TCardRec& card, bool goMode, const TableView& table) {
  return table.ThrowInMode || goMode ? CanGo(card, table) : CanBitsa(card, table);
}

void PrepareCardsForGoing(Pile cpuHand, const TableView& table) {
  // Only the flags change below, so the table is judged once for the whole hand.
  GoVerdict verdict;
  if (table.WhoGoing == 1) verdict = JudgeTable(table);
  for (TCardRec& c : cpuHand) {
    if (!IsPresent(c)) continue;
    if (table.WhoGoing == 1) {
      c.GoFlag = CanGoBy(verdict, c);
    } else if (table.WhoGoing == 0) {
      c.BitsaFlag = CanBitsa(c, table);
    }
  }
}

}  // namespace tarlyk
