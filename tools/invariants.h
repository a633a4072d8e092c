// Consistency checks of a game state, run after every event by self-play's --check
// and by the property test.
#pragma once

#include <string>

#include "game/tdm_data.h"
#include "sim_window.h"

namespace tarlyk {

// Empty when the state is consistent, otherwise one line per violation:
// - once a deck has been dealt, each of its cards lies in exactly one slot of the stock,
//   the hands, the table and the discard pile, and every record matches its ID;
// - every covering card on the table beats its partner and covers an attack card;
// - the action button's mode, caption and visibility match the state of play, and the
//   window shows what the engine last set;
// - the person's hand is sorted and without gaps, so hit-test positions are slots.
std::string CheckInvariants(const TdmData& data, const SimWindow& window);

}  // namespace tarlyk
