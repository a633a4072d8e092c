// Closing a round (table to the discard pile or into a hand), the end of the game with
// its declared result, and the score line.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/tdm_data.h"

namespace tarlyk {

namespace {

void MoveDeskTo(std::array<TCardRec, 12>& desk, Pile target) {
  for (TCardRec& slot : desk) {
    if (!IsPresent(slot)) continue;
    AddCardToArray(target, slot, 1);
    slot = EmptyCard();
  }
}

// x / total * 100 written with at most one decimal: the value is first taken to 18
// significant digits, then rounded half up at the first decimal; a zero decimal is
// left out.
std::string Percent(int64_t x, int64_t total, const std::string& separator) {
  const long double value = static_cast<long double>(x) / static_cast<long double>(total) * 100.0L;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17Le", std::fabs(value));
  // buf is "d.ddddddddddddddddde±XX": 18 digits and a decimal exponent.
  char digits[19];
  digits[0] = buf[0];
  for (int i = 0; i < 17; ++i) digits[i + 1] = buf[i + 2];
  const int exponent = std::atoi(buf + 20);

  // Keep the digits down to the first decimal and round on the next one.
  const int keep = exponent + 2;
  int64_t tenths = 0;  // the rounded value times ten
  if (keep >= 0) {
    for (int i = 0; i < keep && i < 18; ++i) tenths = tenths * 10 + (digits[i] - '0');
    for (int i = 18; i < keep; ++i) tenths *= 10;
    if (keep < 18 && digits[keep] >= '5') ++tenths;
  }

  std::string text;
  if (value < 0 && tenths != 0) text += '-';
  text += std::to_string(tenths / 10);
  if (tenths % 10 != 0) {
    text += separator;
    text += static_cast<char>('0' + tenths % 10);
  }
  return text;
}

}  // namespace

void TdmData::MoveToBito() {
  Discarded |= CardsOf(DeskCards);
  MoveDeskTo(DeskCards, BitoCards);
}

void TdmData::MoveToCPU() {
  SeenInCPUHand |= CardsOf(DeskCards);
  MoveDeskTo(DeskCards, CPUCards);
}

void TdmData::MoveToUser() {
  SeenInUserHand |= CardsOf(DeskCards);
  MoveDeskTo(DeskCards, UserCards);
}

bool TdmData::IsGameEnd() {
  if (GetFirstID(ColodaCards) != -1) return false;
  const bool userHolds = GetFirstID(UserCards) != -1;
  const bool cpuHolds = GetFirstID(CPUCards) != -1;
  if (userHolds && cpuHolds) return false;
  if (userHolds) {
    YouAreLose();
  } else if (cpuHolds) {
    YouAreWin();
  } else {
    NoBodyWins();
  }
  GameActive = false;
  return true;
}

void TdmData::YouAreWin() {
  DeclareResult(MsgUserWins, score_.Wins, 0);
}

void TdmData::YouAreLose() {
  DeclareResult(MsgUserLoses, score_.Loses, 1);
}

void TdmData::NoBodyWins() {
  DeclareResult(MsgNobodyWins, score_.Nones, 2);
}

void TdmData::DeclareResult(const std::string& text, int32_t& counter, uint8_t result) {
  SetStatus(text);
  if (counter < INT32_MAX) ++counter;
  LastResult = result;
  SetAction(kActionNewGame, kCaptionNewGame, true);
  RefreshCounts();
  GameActive = false;
  SortCards(CPUCards, KozirCard.Suid);
  RepaintDesk();
  if (options_.EndAnimation()) SetAnimation(true);
}

std::string TdmData::CountsText() const {
  const int64_t w = score_.Wins;
  const int64_t l = score_.Loses;
  const int64_t n = score_.Nones;
  const int64_t total = w + l + n;
  if (total == 0) return kCountsAtStart;
  const std::string sep = window_.DecimalSeparator();
  return CountsLine(std::to_string(w), Percent(w, total, sep), std::to_string(l),
                    Percent(l, total, sep), std::to_string(n), Percent(n, total, sep),
                    std::to_string(total));
}

void TdmData::RefreshCounts() {
  // The line only changes with the counters; unchanged counters need no new text.
  if (countsShown_ && shownCounts_.Wins == score_.Wins && shownCounts_.Loses == score_.Loses &&
      shownCounts_.Nones == score_.Nones) {
    return;
  }
  countsShown_ = true;
  shownCounts_ = score_;
  window_.SetCounts(CountsText());
}

}  // namespace tarlyk
