// The exact outcome of an ending in which every card is known (the stock holds nothing
// unknown): every line of play is searched, with the positions already judged kept in a
// table, up to a budget of positions.
#pragma once

#include <cstdint>
#include <vector>

#include "opponent/play_state.h"

namespace tarlyk {

enum Outcome : int { kLoss = 0, kDraw = 1, kWin = 2 };

class EndingSolver {
 public:
  explicit EndingSolver(long nodeBudget) : budget_(nodeBudget) {}

  // Starts the judging of one choice for this seat; the budget counts from here.
  void Start(int seat);
  // The outcome for the seat with best play from both sides, or -1 once the budget is
  // spent.
  int Judge(const PlayState& s);
  bool GaveUp() const { return nodes_ > budget_; }

 private:
  struct Entry {
    uint64_t key = 0;
    uint32_t generation = 0;
    int8_t low = kLoss;  // the outcome is known to lie in low .. high
    int8_t high = kWin;
  };
  // Whether the seat gets at least `target` with best play.
  bool AtLeast(const PlayState& s, int target);
  Entry& Slot(uint64_t key);

  long budget_;
  long nodes_ = 0;
  int me_ = 0;
  uint32_t generation_ = 0;
  std::vector<Entry> table_;
};

// The order in which the search tries moves: the quick move first, then the cards from
// the cheapest, then passing. Fills `moves` (-1 for passing) and returns their number.
int OrderedMoves(const PlayState& s, int* moves);

}  // namespace tarlyk
