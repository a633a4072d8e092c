#include "shell/hand_mark.h"

#include <algorithm>

namespace tarlyk {

int HandMark::CountOf(std::span<const TCardRec> hand) {
  int n = 0;
  while (n < static_cast<int>(hand.size()) && IsPresent(hand[static_cast<size_t>(n)])) ++n;
  return n;
}

void HandMark::Key(MarkKey key, std::span<const TCardRec> hand) {
  const int n = CountOf(hand);
  if (n < 1) return;
  position_ = std::clamp(position_, 1, n);
  const bool wasShown = shown_;
  shown_ = true;
  switch (key) {
    case MarkKey::kHome:
      position_ = 1;
      break;
    case MarkKey::kEnd:
      position_ = n;
      break;
    case MarkKey::kLeft:
      if (wasShown) position_ = position_ > 1 ? position_ - 1 : n;
      break;
    case MarkKey::kRight:
      if (wasShown) position_ = position_ < n ? position_ + 1 : 1;
      break;
  }
  cardId_ = hand[static_cast<size_t>(position_ - 1)].ID;
}

void HandMark::Reset() {
  shown_ = false;
  position_ = 1;
  cardId_ = -1;
}

void HandMark::Follow(std::span<const TCardRec> hand) {
  const int n = CountOf(hand);
  int found = 0;
  for (int i = 0; i < n; ++i)
    if (hand[static_cast<size_t>(i)].ID == cardId_) found = i + 1;
  if (n == 0) {
    cardId_ = -1;
    return;
  }
  position_ = found != 0 ? found : std::clamp(position_, 1, n);
  cardId_ = hand[static_cast<size_t>(position_ - 1)].ID;
}

}  // namespace tarlyk
