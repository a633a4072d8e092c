// The search's compact game against the real engine: random games are played on both in
// lockstep, and at every step they must allow the same cards and reach the same state.
#include <algorithm>
#include <deque>
#include <numeric>
#include <random>
#include <vector>

#include "flow_fixture.h"
#include "opponent/computer_player.h"
#include "opponent/play_state.h"

namespace tarlyk {
namespace {

// The engine's game as the compact state sees it.
PlayState Snapshot(const TdmData& d, int refillMode) {
  std::vector<int> stock;
  for (const TCardRec& c : d.ColodaCards) {
    if (IsPresent(c)) stock.push_back(c.ID);
  }
  return PlayState::FromGame(CardOrder::For(d.KozirCard.Suid), CardsOf(d.UserCards),
                             CardsOf(d.CPUCards), stock, d.DeskCards, d.WhoGoing, d.ThrowInMode,
                             refillMode);
}

// The allowed cards of a hand as the engine's rules judge them, as a set of IDs.
CardSet AllowedIds(std::span<const TCardRec> hand, bool go) {
  CardSet set = 0;
  for (const TCardRec& c : hand) {
    if (IsPresent(c) && (go ? c.GoFlag : c.BitsaFlag)) set |= CardBit(c);
  }
  return set;
}

// The computer's seat chooses at random; every choice is queued for the compact game, and
// the cards it is offered are compared with the compact game's at that moment.
class RandomComputer final : public ComputerPlayer {
 public:
  RandomComputer(const TdmData& d, const int& refillMode, const bool& greedy, std::mt19937& rng,
                 std::deque<int>& choices)
      : d_(d), refillMode_(refillMode), greedy_(greedy), rng_(rng), choices_(choices) {}
  void PrepareStep(OpponentView& /*seat*/) override {}
  int Lead(const OpponentView& seat) override {
    const PlayState s = Snapshot(d_, refillMode_);
    EXPECT_EQ(s.phase, Phase::kLead);
    EXPECT_EQ(s.Actor(), PlayState::kComputer);
    return Choose(seat, s.order->ToIds(s.Legal()), CardsOf(seat.hand), false);
  }
  int ThrowIn(const OpponentView& seat) override {
    const PlayState s = Snapshot(d_, refillMode_);
    EXPECT_EQ(s.phase, Phase::kAdd);
    EXPECT_EQ(s.Actor(), PlayState::kComputer);
    // As every level does: a person without cards gets nothing more.
    const CardSet allowed = seat.opponentHasCards ? AllowedIds(seat.hand, true) : 0;
    return Choose(seat, s.order->ToIds(s.Legal()), allowed, true);
  }
  int Cover(const OpponentView& seat) override {
    const PlayState s = Snapshot(d_, refillMode_);
    EXPECT_EQ(s.phase, Phase::kCover);
    EXPECT_EQ(s.Actor(), PlayState::kComputer);
    return Choose(seat, s.order->ToIds(s.Legal()), AllowedIds(seat.hand, false), true);
  }

 private:
  int Choose(const OpponentView& seat, CardSet compact, CardSet engine, bool mayPass) {
    EXPECT_EQ(compact, engine);
    std::vector<int> positions;
    for (std::size_t i = 0; i < seat.hand.size(); ++i) {
      if (IsPresent(seat.hand[i]) && (engine & CardBit(seat.hand[i])) != 0) {
        positions.push_back(static_cast<int>(i) + 1);
      }
    }
    const int n = static_cast<int>(positions.size()) + (mayPass ? 1 : 0);
    const int pick = greedy_ ? 0 : std::uniform_int_distribution<int>(0, n - 1)(rng_);
    if (pick >= static_cast<int>(positions.size())) {
      choices_.push_back(-1);
      return -1;
    }
    const int p = positions[static_cast<std::size_t>(pick)];
    choices_.push_back(seat.hand[static_cast<std::size_t>(p - 1)].ID);
    return p;
  }
  const TdmData& d_;
  const int& refillMode_;
  const bool& greedy_;
  std::mt19937& rng_;
  std::deque<int>& choices_;
};

void ExpectSame(const PlayState& compact, const TdmData& d, int refillMode, int game) {
  const PlayState real = Snapshot(d, refillMode);
  const CardOrder& o = *compact.order;
  ASSERT_EQ(compact.phase == Phase::kOver, !d.GameActive) << game;
  EXPECT_EQ(o.ToIds(compact.hand[0]), CardsOf(d.UserCards)) << game;
  EXPECT_EQ(o.ToIds(compact.hand[1]), CardsOf(d.CPUCards)) << game;
  EXPECT_EQ(compact.count[0], GetCardsCount(d.UserCards)) << game;
  EXPECT_EQ(compact.count[1], GetCardsCount(d.CPUCards)) << game;
  EXPECT_EQ(o.ToIds(compact.table), CardsOf(d.DeskCards)) << game;
  ASSERT_EQ(compact.StockCount(), real.StockCount()) << game;
  EXPECT_TRUE(std::equal(compact.stock.begin() + compact.stockNext,
                         compact.stock.begin() + compact.stockEnd,
                         real.stock.begin() + real.stockNext))
      << game;
  if (compact.phase == Phase::kOver) {
    const int expected =
        d.LastResult == 0 ? PlayState::kPerson : (d.LastResult == 1 ? PlayState::kComputer : 2);
    EXPECT_EQ(compact.winner, expected) << game;
    return;
  }
  EXPECT_EQ(compact.who, d.WhoGoing) << game;
  EXPECT_EQ(compact.phase, real.phase) << game;
  EXPECT_EQ(compact.open, real.open) << game;
  EXPECT_EQ(compact.attacks, real.attacks) << game;
  EXPECT_EQ(compact.covers, real.covers) << game;
}

class PlayStateTest : public FlowTest {};

TEST_F(PlayStateTest, RandomGamesAgreeWithTheEngine) {
  std::mt19937 rng(4711);
  std::deque<int> choices;
  int refillMode = 0;
  bool greedy = false;  // both sides play their first allowed card whenever they have one
  d.SetPlayerFactory(
      [&](int) { return std::make_unique<RandomComputer>(d, refillMode, greedy, rng, choices); });
  int endings[3] = {};
  for (int game = 0; game < 400; ++game) {
    options.cardsCount = game % 2;
    options.lastCardsTo = refillMode = (game / 2) % 2;
    options.firstStep = 1 + static_cast<int>(rng() % 2);
    greedy = game % 3 == 0;
    std::vector<int> deck(52);
    std::iota(deck.begin(), deck.end(), 1);
    std::shuffle(deck.begin(), deck.end(), rng);
    d.ForcedDeckOrder = deck;
    d.GameActive = false;
    choices.clear();
    d.N4Click();
    choices.clear();  // the computer's lead of the deal is already in the snapshot
    for (int events = 0; d.GameActive; ++events) {
      ASSERT_LT(events, 5000) << "game " << game << " did not end";
      PlayState s = Snapshot(d, refillMode);
      ASSERT_EQ(s.Actor(), PlayState::kPerson) << game;
      // The person's allowed cards and button against the compact game's.
      CardSet allowed = 0;
      std::vector<int> slots;
      for (int i = 0; i < 52; ++i) {
        const TCardRec& c = d.UserCards[static_cast<std::size_t>(i)];
        if (IsPresent(c) && d.ApplyRules(c, d.WhoGoing == 0)) {
          allowed |= CardBit(c);
          slots.push_back(i);
        }
      }
      ASSERT_EQ(s.order->ToIds(s.Legal()), allowed) << game;
      ASSERT_EQ(s.MayPass(), d.ActionVisible) << game;

      const int n = static_cast<int>(slots.size()) + (d.ActionVisible ? 1 : 0);
      const int pick = greedy ? 0 : std::uniform_int_distribution<int>(0, n - 1)(rng);
      if (pick < static_cast<int>(slots.size())) {
        const int slot = slots[static_cast<std::size_t>(pick)];
        s.Play(s.order->IndexOf(d.UserCards[static_cast<std::size_t>(slot)].ID));
        const int count = GetCardsCount(d.UserCards);
        d.imgDeskMouseUp(MouseButton::kLeft, HandCardX(slot, count, 710) + 2, 420);
      } else {
        s.Pass();
        d.btnEventClick();
      }
      // The computer's answers, in the order it gave them.
      while (s.phase != Phase::kOver && s.Actor() == PlayState::kComputer) {
        ASSERT_FALSE(choices.empty()) << game;
        const int id = choices.front();
        choices.pop_front();
        if (id == -1) {
          s.Pass();
        } else {
          s.Play(s.order->IndexOf(id));
        }
      }
      ASSERT_TRUE(choices.empty()) << game;
      ExpectSame(s, d, refillMode, game);
      if (HasFailure()) return;
    }
    ++endings[d.LastResult];
  }
  // Every outcome occurred, so the end rule was checked on each of them.
  EXPECT_GT(endings[0], 0);
  EXPECT_GT(endings[1], 0);
  EXPECT_GT(endings[2], 0) << endings[0] << " " << endings[1];
}

}  // namespace
}  // namespace tarlyk
