#include "opponent/ending_solver.h"

#include "opponent/search_player.h"

namespace tarlyk {

namespace {

constexpr std::size_t kTableSize = std::size_t{1} << 17;

uint64_t Mix(uint64_t x) {
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
  return x ^ (x >> 31);
}

uint64_t KeyOf(const PlayState& s) {
  const uint64_t small = static_cast<uint64_t>(s.open + 1) | static_cast<uint64_t>(s.attacks) << 6 |
                         static_cast<uint64_t>(s.covers) << 10 |
                         static_cast<uint64_t>(s.who) << 14 | static_cast<uint64_t>(s.phase) << 15 |
                         static_cast<uint64_t>(s.stockNext) << 18;
  return Mix(Mix(Mix(s.hand[0] + 0x9E3779B97F4A7C15ULL) ^ s.hand[1]) ^ s.table) ^ Mix(small + 1);
}

}  // namespace

int OrderedMoves(const PlayState& s, int* moves) {
  int n = 0;
  const int first = QuickMove(s);
  if (first >= 0 || s.MayPass()) moves[n++] = first;
  for (CardSet rest = s.Legal(); rest != 0; rest &= rest - 1) {
    const int m = LowestCard(rest);
    if (m != first) moves[n++] = m;
  }
  if (first >= 0 && s.MayPass()) moves[n++] = -1;
  return n;
}

void EndingSolver::Start(int seat) {
  me_ = seat;
  nodes_ = 0;
  if (table_.empty()) table_.resize(kTableSize);
  if (++generation_ == 0) {
    for (Entry& e : table_) e.generation = 0;
    generation_ = 1;
  }
}

EndingSolver::Entry& EndingSolver::Slot(uint64_t key) {
  Entry& e = table_[key & (kTableSize - 1)];
  if (e.generation != generation_ || e.key != key) {
    e.key = key;
    e.generation = generation_;
    e.low = kLoss;
    e.high = kWin;
  }
  return e;
}

int EndingSolver::Judge(const PlayState& s) {
  if (AtLeast(s, kWin)) return GaveUp() ? -1 : kWin;
  if (GaveUp()) return -1;
  const bool draw = AtLeast(s, kDraw);
  if (GaveUp()) return -1;
  return draw ? kDraw : kLoss;
}

bool EndingSolver::AtLeast(const PlayState& s, int target) {
  if (s.phase == Phase::kOver) {
    const int outcome = s.winner == me_ ? kWin : (s.winner == 2 ? kDraw : kLoss);
    return outcome >= target;
  }
  if (++nodes_ > budget_) return false;
  const uint64_t key = KeyOf(s);
  {
    const Entry& e = Slot(key);
    if (e.low >= target) return true;
    if (e.high < target) return false;
  }
  int moves[53];
  const int n = OrderedMoves(s, moves);
  const bool mine = s.Actor() == me_;
  // A game that cannot go on counts as drawn.
  bool result = n == 0 ? kDraw >= target : !mine;
  for (int i = 0; i < n; ++i) {
    PlayState next = s;
    if (moves[i] >= 0) {
      next.Play(moves[i]);
    } else {
      next.Pass();
    }
    const bool r = AtLeast(next, target);
    if (GaveUp()) return false;
    if (r == mine) {
      result = r;
      break;
    }
  }
  // The slot may have been taken over by another position meanwhile.
  Entry& e = Slot(key);
  if (result) {
    if (e.low < target) e.low = static_cast<int8_t>(target);
  } else if (e.high >= target) {
    e.high = static_cast<int8_t>(target - 1);
  }
  return result;
}

}  // namespace tarlyk
