#include "opponent/play_state.h"

#include <algorithm>

#include "game/move_rules.h"

namespace tarlyk {

namespace {

constexpr int kHandSize = 6;
constexpr int kPairs = 6;

}  // namespace

CardOrder::CardOrder(uint8_t kozirSuid) {
  // Strength order: non-trumps rank by rank, suits by code within a rank; trumps last.
  std::array<TCardRec, 52> cards{};
  for (int n = 1; n <= 52; ++n) cards[static_cast<std::size_t>(n - 1)] = CardFromNumber(n);
  std::array<int, 52> ids{};
  for (int i = 0; i < 52; ++i) ids[static_cast<std::size_t>(i)] = i;
  const auto key = [&](int id) {
    const TCardRec& c = cards[static_cast<std::size_t>(id)];
    return (c.Suid == kozirSuid ? 1000 : 0) + c.Value * 8 + c.Suid;
  };
  std::sort(ids.begin(), ids.end(), [&](int a, int b) { return key(a) < key(b); });
  for (int i = 0; i < 52; ++i) {
    const int id = ids[static_cast<std::size_t>(i)];
    idOf_[static_cast<std::size_t>(i)] = static_cast<int8_t>(id);
    indexOf_[static_cast<std::size_t>(id)] = static_cast<int8_t>(i);
    rank_[static_cast<std::size_t>(i)] = cards[static_cast<std::size_t>(id)].Value;
    if (cards[static_cast<std::size_t>(id)].Suid == kozirSuid) trumps_ |= Bit(i);
    for (int r = rank_[static_cast<std::size_t>(i)]; r <= 13; ++r) {
      upToRank_[static_cast<std::size_t>(r)] |= Bit(i);
    }
  }
  for (int i = 0; i < 52; ++i) {
    const TCardRec& attack = cards[static_cast<std::size_t>(IdOf(i))];
    for (int j = 0; j < 52; ++j) {
      const TCardRec& cover = cards[static_cast<std::size_t>(IdOf(j))];
      if (Beats(cover, attack, kozirSuid)) beatenBy_[static_cast<std::size_t>(i)] |= Bit(j);
      if (cover.Value == attack.Value) sameRank_[static_cast<std::size_t>(i)] |= Bit(j);
    }
  }
}

const CardOrder& CardOrder::For(uint8_t kozirSuid) {
  static const CardOrder kOrders[4] = {CardOrder(0), CardOrder(1), CardOrder(2), CardOrder(3)};
  static const CardOrder kNoTrump(4);  // a trump record without a suit: nothing is trump
  return kozirSuid < 4 ? kOrders[kozirSuid] : kNoTrump;
}

CardSet CardOrder::FromIds(CardSet ids) const {
  CardSet set = 0;
  for (; ids != 0; ids &= ids - 1) set |= Bit(IndexOf(LowestCard(ids)));
  return set;
}

CardSet CardOrder::ToIds(CardSet cards) const {
  CardSet set = 0;
  for (; cards != 0; cards &= cards - 1) set |= CardSet{1} << IdOf(LowestCard(cards));
  return set;
}

PlayState PlayState::FromGame(const CardOrder& order, CardSet personIds, CardSet computerIds,
                              std::span<const int> stockIds, std::span<const TCardRec, 12> desk,
                              uint8_t whoGoing, bool throwInMode, int refillMode) {
  PlayState s;
  s.order = &order;
  s.SetHand(kPerson, order.FromIds(personIds));
  s.SetHand(kComputer, order.FromIds(computerIds));
  for (const int id : stockIds) {
    if (s.stockEnd < s.stock.size())
      s.stock[s.stockEnd++] = static_cast<uint8_t>(order.IndexOf(id));
  }
  s.who = whoGoing == 1 ? 1 : 0;
  s.refillMode = static_cast<uint8_t>(refillMode);
  // The attacker's half of the table is 6..11 when the computer attacks, 0..5 otherwise;
  // slot k and slot k + 6 are a pair.
  const std::size_t attackFrom = s.who == 1 ? 6 : 0;
  const std::size_t coverFrom = 6 - attackFrom;
  int openSlot = -1;
  for (std::size_t k = 0; k < kPairs; ++k) {
    const TCardRec& attack = desk[attackFrom + k];
    const TCardRec& cover = desk[coverFrom + k];
    if (IsPresent(attack)) {
      const int index = order.IndexOf(attack.ID);
      s.table |= Bit(index);
      s.tableRanks |= order.SameRank(index);
      ++s.attacks;
      openSlot = IsPresent(cover) ? -1 : static_cast<int>(k);
      if (openSlot != -1) s.open = static_cast<int8_t>(index);
    }
    if (IsPresent(cover)) {
      const int index = order.IndexOf(cover.ID);
      s.table |= Bit(index);
      s.tableRanks |= order.SameRank(index);
      ++s.covers;
    }
  }
  if (openSlot == -1) s.open = -1;
  if (throwInMode) {
    s.phase = Phase::kAddWhileTaking;
  } else if (s.attacks == 0) {
    s.phase = Phase::kLead;
  } else {
    s.phase = s.open != -1 ? Phase::kCover : Phase::kAdd;
  }
  return s;
}

CardSet PlayState::Legal() const {
  switch (phase) {
    case Phase::kLead:
      return hand[who];
    case Phase::kCover:
      return open < 0 ? 0 : hand[1 - who] & order->BeatenBy(open);
    case Phase::kAdd: {
      // Six of the person's cards on the table close it; the computer's empty hand ends
      // every attack; a person without cards gets nothing more from the computer.
      const int personOnTable = who == kPerson ? attacks : covers;
      if (personOnTable >= kPairs || hand[kComputer] == 0) return 0;
      if (who == kComputer && hand[kPerson] == 0) return 0;
      return hand[who] & tableRanks;
    }
    case Phase::kAddWhileTaking: {
      // The attack may reach, never pass, the number of cards the computer began with.
      if (attacks >= kPairs || hand[kComputer] == 0) return 0;
      const int t = covers + count[kComputer];
      if (t == 0 || t <= attacks) return 0;
      return hand[kPerson] & tableRanks;
    }
    case Phase::kOver:
      break;
  }
  return 0;
}

void PlayState::PutAttack(int index) {
  table |= Bit(index);
  tableRanks |= order->SameRank(index);
  ++attacks;
  open = static_cast<int8_t>(index);
}

void PlayState::ClearTable() {
  table = 0;
  tableRanks = 0;
  attacks = 0;
  covers = 0;
  open = -1;
}

void PlayState::Refill() {
  // `who` still names the attacker of the round just closed.
  const auto draw = [&](int seat) {
    hand[static_cast<std::size_t>(seat)] |= Bit(stock[stockNext++]);
    ++count[static_cast<std::size_t>(seat)];
  };
  if (refillMode == 0) {
    for (const int seat : {static_cast<int>(who), 1 - who}) {
      while (count[static_cast<std::size_t>(seat)] < kHandSize && stockNext < stockEnd) draw(seat);
    }
  } else if (refillMode == 1) {
    // Equalise the shorter hand (up to six), then one card each in turn, the person first.
    while (stockNext < stockEnd && count[0] != count[1] &&
           std::min(count[0], count[1]) < kHandSize) {
      draw(count[0] < count[1] ? kPerson : kComputer);
    }
    int seat = kPerson;
    while (stockNext < stockEnd && (count[0] < kHandSize || count[1] < kHandSize)) {
      if (count[static_cast<std::size_t>(seat)] < kHandSize) draw(seat);
      seat = 1 - seat;
    }
  }
}

bool PlayState::EndCheck() {
  if (stockNext < stockEnd) return false;
  const bool person = hand[kPerson] != 0;
  const bool computer = hand[kComputer] != 0;
  if (person && computer) return false;
  winner = person ? kComputer : (computer ? kPerson : 2);
  phase = Phase::kOver;
  return true;
}

void PlayState::Play(int index) {
  const CardSet bit = Bit(index);
  switch (phase) {
    case Phase::kLead:
    case Phase::kAdd:
      hand[who] &= ~bit;
      --count[who];
      PutAttack(index);
      phase = Phase::kCover;
      break;
    case Phase::kCover:
      hand[1 - who] &= ~bit;
      --count[1 - who];
      table |= bit;
      tableRanks |= order->SameRank(index);
      ++covers;
      open = -1;
      // A cover of the person's attack closes the step with the end-of-game test; after
      // the person's cover the computer chooses at once.
      if (who == kPerson && EndCheck()) return;
      phase = Phase::kAdd;
      break;
    case Phase::kAddWhileTaking:
      hand[kPerson] &= ~bit;
      --count[kPerson];
      PutAttack(index);
      break;
    case Phase::kOver:
      break;
  }
}

void PlayState::Pass() {
  switch (phase) {
    case Phase::kCover:
      if (who == kPerson) {
        phase = Phase::kAddWhileTaking;  // the computer takes; the person may add more
        return;
      }
      // The person takes; the computer leads again.
      hand[kPerson] |= table;
      count[kPerson] = static_cast<uint8_t>(count[kPerson] + attacks + covers);
      ClearTable();
      Refill();
      if (EndCheck()) return;
      phase = Phase::kLead;
      break;
    case Phase::kAdd:
      // The round is beaten off; the defender leads the next one.
      ClearTable();
      Refill();
      who = static_cast<uint8_t>(1 - who);
      if (EndCheck()) return;
      phase = Phase::kLead;
      break;
    case Phase::kAddWhileTaking:
      hand[kComputer] |= table;
      count[kComputer] = static_cast<uint8_t>(count[kComputer] + attacks + covers);
      ClearTable();
      Refill();
      if (EndCheck()) return;
      phase = Phase::kLead;
      break;
    case Phase::kLead:
    case Phase::kOver:
      break;
  }
}

}  // namespace tarlyk
