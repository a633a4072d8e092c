// The keyboard's mark on the person's hand: which card Left, Right, Home and End have
// chosen, whether it is shown, and where it goes when the hand changes under it.
#pragma once

#include <span>

#include "game/card.h"

namespace tarlyk {

enum class MarkKey { kLeft, kRight, kHome, kEnd };

class HandMark {
 public:
  // A key on the hand (sorted, without gaps; nothing happens while it is empty). The
  // first key after the mark was hidden shows it: Home and End at their ends, Left and
  // Right where it was last. Once shown, Left and Right step and wrap around.
  void Key(MarkKey key, std::span<const TCardRec> hand);
  // The mouse was used on the table: hidden, but remembered for the next key.
  void Hide() { shown_ = false; }
  // The game is over: hidden and back to the first card.
  void Reset();
  // The hand (sorted, without gaps) after a change: the mark stays on its card while the
  // hand still holds it, otherwise on the same position, or the last card.
  void Follow(std::span<const TCardRec> hand);

  bool Shown() const { return shown_; }
  // 1-based position in the hand; meaningful while the hand holds cards.
  int Position() const { return position_; }

 private:
  bool shown_ = false;
  int position_ = 1;
  int cardId_ = -1;  // the card under the mark when the hand was last seen

  static int CountOf(std::span<const TCardRec> hand);
};

}  // namespace tarlyk
