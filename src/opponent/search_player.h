// The searching computer player (level 2). It never sees the other side's hand: for each
// choice it deals the cards it cannot see (those not in its hand, on the table, in the
// discard pile or known to be in the other hand) at random into the other hand and the
// stock, many times over; on each such deal it plays every possible choice out to the
// end of the game with quick play for both sides, and takes the choice that won most
// often. Once the stock is empty every card is known, and small endings are solved
// exactly. Its random numbers come from its seed and what it sees, so the same position
// always gets the same answer.
#pragma once

#include <cstdint>

#include "opponent/computer_player.h"
#include "opponent/ending_solver.h"
#include "opponent/play_state.h"

namespace tarlyk {

struct SearchSettings {
  int playouts = 4000;        // games played out per choice, over all candidates
  int minDeals = 24;          // at least this many deals per choice
  double drawValue = 0.3;     // a draw's worth against a win's 1
  double playoutNoise = 0.1;  // how often quick play makes any allowed move instead
  long solveNodes = 200000;   // positions an exact solution of an ending may judge
  int endingPlayouts = 64;    // quick games telling apart moves of the same outcome
};

class SearchPlayer final : public ComputerPlayer {
 public:
  explicit SearchPlayer(uint64_t seed, SearchSettings settings = {})
      : seed_(seed), settings_(settings), solver_(settings.solveNodes) {}

  void PrepareStep(OpponentView& seat) override;
  int Lead(const OpponentView& seat) override;
  int ThrowIn(const OpponentView& seat) override;
  int Cover(const OpponentView& seat) override;

 private:
  int Decide(const OpponentView& seat, Phase phase);
  // A finished game's worth to a seat.
  double Worth(const PlayState& s, int me) const;

  uint64_t seed_;
  SearchSettings settings_;
  EndingSolver solver_;
};

// Quick play for either side, used to finish the games the search plays out: the
// card to play now, or -1 to pass (take, end the round, or hand the table over).
int QuickMove(const PlayState& state);

}  // namespace tarlyk
