// A compact copy of a game in progress, for searching: both hands, the stock in drawing
// order, the table and whose turn it is, with the game's flow of play, refill and end.
// Cards are sets of bits in strength order (see CardOrder), so that the cheapest card of
// a set is its lowest bit.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "game/card.h"

namespace tarlyk {

// The 52 cards ranked for one trump suit: the non-trumps by rank (suits in code order
// within a rank), then the trumps by rank. Index i of this order is bit i of a set.
class CardOrder {
 public:
  // The order for a trump suit; built once per suit.
  static const CardOrder& For(uint8_t kozirSuid);

  int IndexOf(int id) const { return indexOf_[static_cast<std::size_t>(id)]; }
  int IdOf(int index) const { return idOf_[static_cast<std::size_t>(index)]; }
  uint8_t Rank(int index) const { return rank_[static_cast<std::size_t>(index)]; }
  // The cards that beat this one, by the move rules' beating relation.
  CardSet BeatenBy(int index) const { return beatenBy_[static_cast<std::size_t>(index)]; }
  // Every card of this card's rank.
  CardSet SameRank(int index) const { return sameRank_[static_cast<std::size_t>(index)]; }
  CardSet Trumps() const { return trumps_; }
  // Every card of rank code `rank` or lower.
  CardSet UpToRank(int rank) const { return upToRank_[static_cast<std::size_t>(rank)]; }
  // A set of card IDs in this order, and back.
  CardSet FromIds(CardSet ids) const;
  CardSet ToIds(CardSet cards) const;

 private:
  explicit CardOrder(uint8_t kozirSuid);
  CardSet trumps_ = 0;
  std::array<int8_t, 52> indexOf_{};
  std::array<int8_t, 52> idOf_{};
  std::array<uint8_t, 52> rank_{};
  std::array<CardSet, 52> beatenBy_{};
  std::array<CardSet, 52> sameRank_{};
  std::array<CardSet, 14> upToRank_{};
};

inline int CardCount(CardSet set) {
  return __builtin_popcountll(set);
}
inline int LowestCard(CardSet set) {
  return __builtin_ctzll(set);
}
inline constexpr CardSet Bit(int index) {
  return CardSet{1} << index;
}

// Where a game stands: who is to act and what the act means.
enum class Phase : uint8_t {
  kLead,            // the attacker leads any card
  kCover,           // the defender covers the open attack card, or takes
  kAdd,             // every attack is covered: the attacker adds a card, or ends the round
  kAddWhileTaking,  // the computer takes: the person adds cards, or hands the table over
  kOver,
};

struct PlayState {
  static constexpr int kPerson = 0;
  static constexpr int kComputer = 1;

  const CardOrder* order = nullptr;
  std::array<CardSet, 2> hand{};   // by seat: 0 the person, 1 the computer
  std::array<uint8_t, 2> count{};  // the cards in each hand
  CardSet table = 0;               // every card on the table
  CardSet tableRanks = 0;          // every card of a rank that lies on the table
  std::array<uint8_t, 52> stock{};
  uint8_t stockNext = 0;  // stock[stockNext .. stockEnd) are drawn in that order
  uint8_t stockEnd = 0;
  int8_t open = -1;        // the attack card to cover, or -1
  uint8_t attacks = 0;     // the attacker's cards on the table
  uint8_t covers = 0;      // the defender's cards on the table
  uint8_t who = 0;         // the attacker, as the game's WhoGoing
  uint8_t refillMode = 0;  // the LastCardsTo option
  Phase phase = Phase::kLead;
  uint8_t winner = 2;  // once over: the seat that won, or 2 for a draw

  // A game as the engine holds it: the two hands and the stock in drawing order as card
  // IDs, the table in the engine's slot layout, the attacker and the throw-in state. The
  // phase follows from the table: empty, an open attack card, or every attack covered.
  static PlayState FromGame(const CardOrder& order, CardSet personIds, CardSet computerIds,
                            std::span<const int> stockIds, std::span<const TCardRec, 12> desk,
                            uint8_t whoGoing, bool throwInMode, int refillMode);

  int StockCount() const { return stockEnd - stockNext; }
  void SetHand(int seat, CardSet cards) {
    hand[static_cast<std::size_t>(seat)] = cards;
    count[static_cast<std::size_t>(seat)] = static_cast<uint8_t>(CardCount(cards));
  }
  // The seat that acts now.
  int Actor() const {
    return phase == Phase::kCover ? 1 - who : (phase == Phase::kAddWhileTaking ? kPerson : who);
  }
  // The cards the actor may play now.
  CardSet Legal() const;
  // Whether the actor may pass: take, end the round or hand the table over.
  bool MayPass() const { return phase != Phase::kLead && phase != Phase::kOver; }
  void Play(int index);
  void Pass();

 private:
  void PutAttack(int index);
  void ClearTable();
  void Refill();
  // Ends the game when the stock and a hand are empty; true when it did.
  bool EndCheck();
};

}  // namespace tarlyk
