#include "game/hand_layout.h"

#include <cmath>

#include "game/rounding.h"

namespace tarlyk {

namespace {

// Horizontal layout of a hand of n cards: the first card's offset from the left of the
// laid-out block, the blank to the right of the last card, the step between cards and
// the block's width. A hand too wide for the table is spread from x 75 to the right edge.
struct HandSpan {
  int left;
  int right;
  double step;
  int total;
  bool wide;
};

HandSpan LayOut(int n, int tableWidth) {
  if (n * 75 + 120 > tableWidth) {
    const double step = n > 1 ? static_cast<double>(tableWidth - 151) / (n - 1) : 0.0;
    return {75, 5, step, tableWidth, true};
  }
  return {97, 27, 75.0, (n - 1) * 75 + 195, false};
}

}  // namespace

int HandCardX(int k, int n, int tableWidth) {
  const HandSpan span = LayOut(n, tableWidth);
  if (span.wide) return RoundHalfEvenInt(75.0 + k * span.step);
  return RoundHalfEvenInt((tableWidth - span.total) / 2.0 + 97.0 + 75.0 * k);
}

int UnderCard(int x, int y, int n, int tableWidth, int tableHeight) {
  if (n <= 0) return -1;
  if (y < tableHeight - 101 || y > tableHeight - 6) return -1;
  const HandSpan span = LayOut(n, tableWidth);
  // The hit test drops the half pixel that painting rounds to even.
  const int d = (tableWidth - span.total) / 2;
  if (x < d + span.left || x > d + span.total - span.right) return -1;
  const int dx = x - (span.left + d);
  int k = 1;
  if (span.step > 0.0) {
    if (span.step >= kCardWidth) {
      const int whole = RoundHalfEvenInt(span.step);
      if (dx % whole >= kCardWidth) return -1;  // in the gap between two cards
    }
    k = static_cast<int>(std::floor(dx / span.step)) + 1;
  }
  return k > n ? n : k;
}

}  // namespace tarlyk
