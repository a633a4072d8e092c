// One computer player: the seam between the game state and whoever makes a seat's choices.
// A player sees only its seat's view; laying the chosen card on the table is the game
// state's job. Positions are index + 1 in the view's hand, -1 for none.
#pragma once

#include <cstdint>
#include <memory>

#include "opponent/opponent_view.h"

namespace tarlyk {

class ComputerPlayer {
 public:
  virtual ~ComputerPlayer() = default;

  // Start of a round, once the hands are refilled: the player may write its notes (the
  // weights) on its own cards.
  virtual void PrepareStep(OpponentView& seat) = 0;
  // The card to lead with; any card of the hand may be led.
  virtual int Lead(const OpponentView& seat) = 0;
  // The card to add to the attack among those whose GoFlag is set, or -1 to stop.
  virtual int ThrowIn(const OpponentView& seat) = 0;
  // The card to beat the open attack card with among those whose BitsaFlag is set, or -1
  // to take.
  virtual int Cover(const OpponentView& seat) = 0;
};

// The difficulty levels' players: 2 the searching player, every other level the weights
// of that level (0 normal, anything else maximum). `seed` makes a player that draws
// random numbers reproducible; the others ignore it.
std::unique_ptr<ComputerPlayer> MakeComputerPlayer(int level, uint64_t seed = 0);

}  // namespace tarlyk
