// The searching player (level 2): it decides from what its seat sees and nothing else,
// the same position always gets the same answer, and its endings are solved right.
#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "flow_fixture.h"
#include "opponent/computer_player.h"
#include "opponent/ending_solver.h"
#include "opponent/search_player.h"
#include "opponent/weighted_player.h"

namespace tarlyk {
namespace {

// The view is exactly these members: a new one must be added here, and looked at for
// whether it lets the player see the other hand.
TEST(SearchPlayerView, HoldsNothingOfTheOtherHand) {
  const std::array<TCardRec, 12> table{};
  OpponentView v{{}, table};
  auto& [hand, desk, kozir, stockCount, opponentHasCards, who, throwIn, stage, seat, opponentCount,
         discarded, opponentKnown, lastCardsTo] = v;
  static_assert(std::is_same_v<decltype(hand), OwnCards>);
  static_assert(std::is_same_v<decltype(desk), std::span<const TCardRec, 12>>);
  static_assert(std::is_same_v<decltype(kozir), TCardRec>);
  static_assert(std::is_same_v<decltype(discarded), CardSet>);
  static_assert(std::is_same_v<decltype(opponentKnown), CardSet>);
  static_assert(std::is_arithmetic_v<std::remove_reference_t<decltype(stockCount)>> &&
                std::is_arithmetic_v<std::remove_reference_t<decltype(opponentCount)>> &&
                std::is_arithmetic_v<std::remove_reference_t<decltype(opponentHasCards)>>);
  EXPECT_EQ(hand.size(), 0u);
}

TEST(SearchPlayerView, LevelsMapToTheirPlayers) {
  EXPECT_NE(dynamic_cast<SearchPlayer*>(MakeComputerPlayer(2).get()), nullptr);
  for (int level : {0, 1, 3, -1}) {
    EXPECT_NE(dynamic_cast<WeightedPlayer*>(MakeComputerPlayer(level).get()), nullptr) << level;
  }
}

class SearchPlayerTest : public FlowTest {
 protected:
  void SetUp() override { options.level = 2; }

  // A random position of a 36-card game: the computer's hand, the trump and the stock
  // count are drawn, then the unseen cards fill the person's hand and the stock.
  struct Deal {
    std::vector<TCardRec> computer, person, stock;  // stock in drawing order, trump last
    TCardRec trump;
  };
  Deal RandomDeal(std::mt19937& rng) {
    std::vector<int> cards;
    for (int n = 1; n <= 52; ++n) {
      if (CardFromNumber(n).Value >= kSix) cards.push_back(n);
    }
    std::shuffle(cards.begin(), cards.end(), rng);
    Deal deal;
    const int stock = static_cast<int>(rng() % 13);
    std::size_t next = 0;
    for (int i = 0; i < 6; ++i) deal.computer.push_back(CardFromNumber(cards[next++]));
    for (int i = 0; i < 6; ++i) deal.person.push_back(CardFromNumber(cards[next++]));
    for (int i = 0; i < stock; ++i) deal.stock.push_back(CardFromNumber(cards[next++]));
    deal.trump = CardFromNumber(cards[next++]);
    deal.stock.push_back(deal.trump);
    // The rest is already discarded.
    for (; next < cards.size(); ++next) d.BitoCards[next] = CardFromNumber(cards[next]);
    return deal;
  }

  void Lay(const Deal& deal, uint8_t who) {
    const auto bito = d.BitoCards;
    d.ClearArrays();
    d.BitoCards = bito;
    d.Discarded = CardsOf(d.BitoCards);
    d.KozirCard = deal.trump;
    std::copy(deal.computer.begin(), deal.computer.end(), d.CPUCards.begin());
    std::copy(deal.person.begin(), deal.person.end(), d.UserCards.begin());
    std::copy(deal.stock.begin(), deal.stock.end(), d.ColodaCards.end() - deal.stock.size());
    d.WhoGoing = who;
    d.PrepareStep();
  }

  // The computer's lead, and its answer to the person's first card.
  std::pair<int, int> Decisions(const Deal& deal) {
    Lay(deal, 1);
    const int lead = d.FindGoingCard();
    Lay(deal, 0);
    d.DeskCards[0] = d.UserCards[0];
    d.UserCards[0] = EmptyCard();
    d.PrepareCardsForGoing();
    return {lead, d.FindGoingCardWhichCanBitsa()};
  }
};

// Two games that differ only in cards the computer cannot see get the same answers.
TEST_F(SearchPlayerTest, UnseenCardsDoNotChangeTheDecision) {
  std::mt19937 rng(99);
  for (int round = 0; round < 12; ++round) {
    d.BitoCards.fill(EmptyCard());
    Deal deal = RandomDeal(rng);
    const auto first = Decisions(deal);
    ASSERT_NE(first.first, -1);
    // Shuffle the rest of the person's hand (his first card is the one he plays) with
    // the stock above the trump card.
    std::vector<TCardRec> unseen(deal.person.begin() + 1, deal.person.end());
    unseen.insert(unseen.end(), deal.stock.begin(), deal.stock.end() - 1);
    for (int again = 0; again < 2; ++again) {
      std::shuffle(unseen.begin(), unseen.end(), rng);
      Deal other = deal;
      std::copy(unseen.begin(), unseen.begin() + 5, other.person.begin() + 1);
      std::copy(unseen.begin() + 5, unseen.end(), other.stock.begin());
      EXPECT_EQ(Decisions(other), first) << round;
    }
  }
}

// The cards the person took are known to be in his hand; the others may be anywhere.
TEST_F(SearchPlayerTest, KnownCardsStayInThePersonsHand) {
  std::mt19937 rng(5);
  for (int round = 0; round < 6; ++round) {
    d.BitoCards.fill(EmptyCard());
    const Deal deal = RandomDeal(rng);
    Lay(deal, 1);
    d.SeenInUserHand = CardBit(deal.person[0]) | CardBit(deal.person[1]);
    const int lead = d.FindGoingCard();
    std::vector<TCardRec> unseen(deal.person.begin() + 2, deal.person.end());
    unseen.insert(unseen.end(), deal.stock.begin(), deal.stock.end() - 1);
    std::shuffle(unseen.begin(), unseen.end(), rng);
    Deal other = deal;
    std::copy(unseen.begin(), unseen.begin() + 4, other.person.begin() + 2);
    std::copy(unseen.begin() + 4, unseen.end(), other.stock.begin());
    Lay(other, 1);
    d.SeenInUserHand = CardBit(deal.person[0]) | CardBit(deal.person[1]);
    EXPECT_EQ(d.FindGoingCard(), lead) << round;
  }
}

// The same seed and position give the same answer, from a fresh player or a used one.
TEST_F(SearchPlayerTest, DecisionsAreReproducible) {
  std::mt19937 rng(17);
  for (int round = 0; round < 6; ++round) {
    d.BitoCards.fill(EmptyCard());
    const Deal deal = RandomDeal(rng);
    Lay(deal, 1);
    SearchPlayer a(42);
    SearchPlayer b(42);
    OpponentView seat = d.OpponentSeat();
    a.PrepareStep(seat);
    const int first = a.Lead(seat);
    EXPECT_EQ(a.Lead(seat), first);
    EXPECT_EQ(b.Lead(seat), first);
  }
}

// The ending solver against a plain search of every line on small endings.
int Minimax(const PlayState& s, int me) {
  if (s.phase == Phase::kOver) return s.winner == me ? kWin : (s.winner == 2 ? kDraw : kLoss);
  int moves[53];
  int n = 0;
  for (CardSet rest = s.Legal(); rest != 0; rest &= rest - 1) moves[n++] = LowestCard(rest);
  if (s.MayPass()) moves[n++] = -1;
  if (n == 0) return kDraw;
  const bool mine = s.Actor() == me;
  int best = mine ? -1 : 3;
  for (int i = 0; i < n; ++i) {
    PlayState next = s;
    if (moves[i] >= 0) {
      next.Play(moves[i]);
    } else {
      next.Pass();
    }
    const int v = Minimax(next, me);
    best = mine ? std::max(best, v) : std::min(best, v);
  }
  return best;
}

TEST(EndingSolverTest, AgreesWithASearchOfEveryLine) {
  std::mt19937 rng(3);
  EndingSolver solver(1 << 22);
  int outcomes[3] = {};
  for (int round = 0; round < 300; ++round) {
    const uint8_t kozir = static_cast<uint8_t>(rng() % 4);
    std::vector<int> ids(36);
    int k = 0;
    for (int n = 1; n <= 52; ++n) {
      if (CardFromNumber(n).Value >= kSix) ids[static_cast<std::size_t>(k++)] = n - 1;
    }
    std::shuffle(ids.begin(), ids.end(), rng);
    CardSet person = 0;
    CardSet computer = 0;
    const int personCards = 1 + static_cast<int>(rng() % 4);
    const int computerCards = 1 + static_cast<int>(rng() % 4);
    for (int i = 0; i < personCards; ++i) person |= CardSet{1} << ids[static_cast<std::size_t>(i)];
    for (int i = 0; i < computerCards; ++i) {
      computer |= CardSet{1} << ids[static_cast<std::size_t>(personCards + i)];
    }
    std::array<TCardRec, 12> desk{};
    const uint8_t who = static_cast<uint8_t>(rng() % 2);
    const PlayState s =
        PlayState::FromGame(CardOrder::For(kozir), person, computer, {}, desk, who, false, 0);
    for (int me : {PlayState::kPerson, PlayState::kComputer}) {
      solver.Start(me);
      const int judged = solver.Judge(s);
      ASSERT_EQ(judged, Minimax(s, me)) << round << " " << me;
      ++outcomes[judged];
    }
  }
  EXPECT_GT(outcomes[kLoss], 0);
  EXPECT_GT(outcomes[kDraw], 0);
  EXPECT_GT(outcomes[kWin], 0);
}

}  // namespace
}  // namespace tarlyk
