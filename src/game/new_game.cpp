// Starting a game: the abandon question, the first mover, shuffling, the stock for the
// chosen deck size, the deal, the trump and the first round; and the refill of the hands.
#include <algorithm>
#include <array>
#include <cstdint>

#include "game/tdm_data.h"

namespace tarlyk {

namespace {

constexpr int kHandSize = 6;

// Slot of the lowest trump in the first six slots of a freshly dealt hand, or -1.
int LowestTrumpSlot(const std::array<TCardRec, 52>& hand, uint8_t kozirSuid) {
  int best = -1;
  for (int i = 0; i < kHandSize; ++i) {
    const TCardRec& c = hand[i];
    if (!IsPresent(c) || c.Suid != kozirSuid) continue;
    if (best == -1 || c.Value < hand[best].Value) best = i;
  }
  return best;
}

}  // namespace

bool TdmData::WhoIsGoing() {
  switch (options_.FirstStep()) {
    case 0:
      if (LastResult == 0) return false;
      if (LastResult == 1) return true;
      return random_.Random(2) == 1;
    case 2:
      return false;
    case 3:
      return random_.Random(2) == 1;
    default:  // 1, and any unknown value
      return true;
  }
}

void TdmData::ClearArrays() {
  const TCardRec empty = EmptyCard();
  ColodaCards.fill(empty);
  UserCards.fill(empty);
  CPUCards.fill(empty);
  BitoCards.fill(empty);
  DeskCards.fill(empty);
  ThrowInMode = false;
  GameActive = true;
  Discarded = 0;
  SeenInUserHand = 0;
  SeenInCPUHand = 0;
  RefreshCounts();
}

void TdmData::ShuffleDeck(std::array<int, 52>& order) {
  if (!ForcedDeckOrder.empty()) {
    // A forced order is taken only when it is a full deck, each of 1..52 once.
    std::array<bool, 53> seen{};
    bool valid = ForcedDeckOrder.size() == order.size();
    for (size_t i = 0; valid && i < order.size(); ++i) {
      const int n = ForcedDeckOrder[i];
      valid = n >= 1 && n <= 52 && !seen[n];
      if (valid) seen[n] = true;
      order[i] = n;
    }
    ForcedDeckOrder.clear();
    if (valid) return;
  }
  // Draw positions from the shrinking list of 1..52; the list keeps its order, so the
  // same random numbers always give the same deck.
  std::array<int, 52> left{};
  for (int i = 0; i < 52; ++i) left[i] = i + 1;
  int count = 52;
  for (int i = 0; i < 52; ++i) {
    const int pos = random_.Random(count);
    order[i] = left[pos];
    std::copy(left.begin() + pos + 1, left.begin() + count, left.begin() + pos);
    --count;
  }
}

void TdmData::N4Click() {
  if (GameActive) {
    if (!window_.ConfirmAbandonGame(kAbandonGameQuestion)) return;
    if (score_.Loses < INT32_MAX) ++score_.Loses;
    LastResult = 1;
  }
  SetAnimation(false);

  // With the rule-based choice and no previous winner the first mover is drawn, and
  // after the deal the holder of the lowest trump takes the lead over.
  const bool lowestTrumpLeads = options_.FirstStep() == 0 && LastResult != 0 && LastResult != 1;
  WhoGoing = WhoIsGoing() ? 1 : 0;
  ClearArrays();

  std::array<int, 52> order{};
  ShuffleDeck(order);

  const bool shortDeck = options_.CardsCount() == 0;
  int stockSize = 0;
  for (const int n : order) {
    const TCardRec& card = AllCards[n];
    if (shortDeck && card.Value < 5) continue;
    ColodaCards[stockSize++] = card;
  }

  // Twelve cards, alternately, the first mover's first.
  auto& firstHand = WhoGoing == 1 ? CPUCards : UserCards;
  auto& secondHand = WhoGoing == 1 ? UserCards : CPUCards;
  for (int i = 1; i <= 12; ++i) {
    if (i % 2 == 1) {
      firstHand[(i + 1) / 2 - 1] = ColodaCards[i - 1];
    } else {
      secondHand[i / 2 - 1] = ColodaCards[i - 1];
    }
    ColodaCards[i - 1] = EmptyCard();
  }

  // The first card left is turned up and goes to the bottom of the stock.
  const int last = stockSize - 1;
  KozirCard = ColodaCards[12];
  ColodaCards[12] = ColodaCards[last];
  ColodaCards[last] = KozirCard;

  if (lowestTrumpLeads) {
    const int user = LowestTrumpSlot(UserCards, KozirCard.Suid);
    const int cpu = LowestTrumpSlot(CPUCards, KozirCard.Suid);
    if (user != -1 && (cpu == -1 || UserCards[user].Value < CPUCards[cpu].Value)) {
      WhoGoing = 0;
    } else if (cpu != -1) {
      WhoGoing = 1;
    }
  }

  if (WhoGoing == 0) {
    SetStatus(MsgUserGoes);
    SetAction(kActionDone, kCaptionDone, false);
    PrepareStep();
    RefreshCounts();
  } else {
    PrepareStep();
    const int p = FindGoingCard();
    if (p != -1) MakeStep(p, 1);
    SetStatus(MsgUserBeats);
    SetAction(kActionTake, kCaptionTake, true);
    RefreshCounts();
  }
  RepaintDesk();
}

void TdmData::GetCardsFromColoda() {
  // Only the draws below change the counts and the stock, so they are kept up to date
  // draw by draw: every decision sees exactly what a fresh count would give, without
  // rescanning the piles.
  int next = GetFirstID(ColodaCards);  // the lowest occupied stock slot, -1 when empty
  int userCount = GetCardsCount(UserCards);
  int cpuCount = GetCardsCount(CPUCards);
  const auto draw = [&](bool toUser) {
    Pile hand = toUser ? Pile{UserCards} : Pile{CPUCards};
    const size_t from = static_cast<size_t>(next);
    // The turned-up trump is seen going into the hand that draws it.
    if (ColodaCards[from].ID == KozirCard.ID) {
      (toUser ? SeenInUserHand : SeenInCPUHand) |= CardBit(ColodaCards[from]);
    }
    if (AddCardToArray(hand, ColodaCards[from], 1)) ++(toUser ? userCount : cpuCount);
    ColodaCards[from] = EmptyCard();
    do {
      ++next;
    } while (next < static_cast<int>(ColodaCards.size()) &&
             !IsPresent(ColodaCards[static_cast<size_t>(next)]));
    if (next >= static_cast<int>(ColodaCards.size())) next = -1;
  };

  switch (options_.LastCardsTo()) {
    case 0: {
      // The attacker of the round just closed fills up first, then the defender.
      const bool userFirst = WhoGoing != 1;
      for (const bool toUser : {userFirst, !userFirst}) {
        while ((toUser ? userCount : cpuCount) < kHandSize && next != -1) draw(toUser);
      }
      break;
    }
    case 1: {
      // Equalise the shorter hand (up to six), then alternate, the person first.
      while (next != -1 && userCount != cpuCount && std::min(userCount, cpuCount) < kHandSize) {
        draw(userCount < cpuCount);
      }
      bool userTurn = true;
      while (next != -1 && (userCount < kHandSize || cpuCount < kHandSize)) {
        if ((userTurn ? userCount : cpuCount) < kHandSize) draw(userTurn);
        userTurn = !userTurn;
      }
      break;
    }
    default:
      break;
  }
}

}  // namespace tarlyk
