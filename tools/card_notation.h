// Two-character card notation of the driver: rank 2..9 T J Q K A, then suit C S D H;
// "--" is an empty slot.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "game/card.h"

namespace tarlyk {

// "--" for an empty slot, "??" for a record that names no card.
std::string CardNotation(const TCardRec& card);
// The deck-template record for the notation (Value, Suid and ID set); "--" gives the
// cleared record. Nothing for anything else.
std::optional<TCardRec> ParseCard(std::string_view text);
// Picture number 1..52 of a card given by rank and suit codes.
int CardNumber(uint8_t value, uint8_t suid);

}  // namespace tarlyk
