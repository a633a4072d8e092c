#include "card_notation.h"

namespace tarlyk {
namespace {

constexpr std::string_view kRanks = "23456789TJQKA";  // rank codes 1..13
constexpr std::string_view kSuits = "CSDH";           // suit codes 0..3
// Picture block of each suit code: clubs 0, spades 3, diamonds 1, hearts 2.
constexpr int kSuitBlock[4] = {0, 3, 1, 2};

}  // namespace

std::string CardNotation(const TCardRec& card) {
  if (card.Value == 0) return "--";
  if (card.Value > 13 || card.Suid > 3) return "??";
  return {kRanks[card.Value - 1u], kSuits[card.Suid]};
}

int CardNumber(uint8_t value, uint8_t suid) {
  const int inBlock = value == 13 ? 1 : value + 1;
  return kSuitBlock[suid] * 13 + inBlock;
}

std::optional<TCardRec> ParseCard(std::string_view text) {
  if (text == "--") return EmptyCard();
  if (text.size() != 2) return std::nullopt;
  const auto rank = kRanks.find(text[0]);
  const auto suit = kSuits.find(text[1]);
  if (rank == std::string_view::npos || suit == std::string_view::npos) return std::nullopt;
  return CardFromNumber(CardNumber(static_cast<uint8_t>(rank + 1), static_cast<uint8_t>(suit)));
}

}  // namespace tarlyk
