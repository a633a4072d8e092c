// The seam between the game state and the computer's player: which player is asked, when,
// and what its view holds.
#include <type_traits>
#include <vector>

#include "flow_fixture.h"
#include "opponent/computer_player.h"
#include "opponent/weighted_player.h"

namespace tarlyk {
namespace {

// A const view reads its own cards but cannot change them or hand them out writable.
static_assert(
    std::is_same_v<decltype(std::declval<const OpponentView&>().hand[0]), const TCardRec&>);
static_assert(!std::is_convertible_v<const OwnCards&, Pile>);
static_assert(std::is_same_v<decltype(OpponentView::desk), std::span<const TCardRec, 12>>);

// What the player was asked, with the parts of its view the tests look at.
struct Call {
  char what;  // 'P'repare, 'L'ead, 'T'hrow in, 'C'over
  int opponentCount;
  CardSet discarded;
  CardSet opponentKnown;
  bool attacking;
};

// The normal level's choices, with every call recorded.
class RecordingPlayer final : public ComputerPlayer {
 public:
  explicit RecordingPlayer(std::vector<Call>& calls) : calls_(calls) {}
  void PrepareStep(OpponentView& seat) override {
    Note('P', seat);
    inner_.PrepareStep(seat);
  }
  int Lead(const OpponentView& seat) override {
    Note('L', seat);
    return inner_.Lead(seat);
  }
  int ThrowIn(const OpponentView& seat) override {
    Note('T', seat);
    return inner_.ThrowIn(seat);
  }
  int Cover(const OpponentView& seat) override {
    Note('C', seat);
    return inner_.Cover(seat);
  }

 private:
  void Note(char what, const OpponentView& seat) {
    calls_.push_back({what, seat.opponentCount, seat.discarded, seat.opponentKnown,
                      (seat.WhoGoing == 1) == (seat.seat == Seat::kComputer)});
  }
  std::vector<Call>& calls_;
  WeightedPlayer inner_{0};
};

class ComputerSeatTest : public FlowTest {
 protected:
  std::vector<Call> calls;
  std::vector<int> levelsAsked;
  void SetUp() override {
    d.SetPlayerFactory([this](int level) {
      levelsAsked.push_back(level);
      return std::make_unique<RecordingPlayer>(calls);
    });
  }
  std::string Asked() const {
    std::string s;
    for (const Call& c : calls) s += c.what;
    return s;
  }
};

const TCardRec kTrump = Card(9, kHearts);
const TCardRec kSixC = Card(5, kClubs), kSevenC = Card(6, kClubs), kEightC = Card(7, kClubs);
const TCardRec kSixD = Card(5, kDiamonds), kNineD = Card(8, kDiamonds);
const TCardRec kAceS = Card(13, kSpades), kKingS = Card(12, kSpades), kSevenS = Card(6, kSpades);
const TCardRec kEightD = Card(7, kDiamonds), kNineS = Card(8, kSpades);

TEST_F(ComputerSeatTest, PlayerIsAskedAtEachOfItsChoices) {
  Position(kTrump, {kSixC, kSevenS}, {kSevenC, kNineD, kAceS}, {kSixD, Card(10, kClubs), kTrump},
           0);
  EXPECT_EQ(Asked(), "P");
  Click(kSixC);    // covered by the seven of clubs
  Click(kSevenS);  // covered by the ace
  EXPECT_EQ(Asked(), "PCC");
  EXPECT_FALSE(calls.back().attacking);
  d.btnEventClick();  // "Отбой": the computer leads the next round
  EXPECT_EQ(Asked(), "PCCPL");
  EXPECT_TRUE(calls.back().attacking);
  EXPECT_EQ(calls.back().discarded,
            CardBit(kSixC) | CardBit(kSevenC) | CardBit(kSevenS) | CardBit(kAceS));
  // Nothing is asked while the person throws in to a computer that takes.
  calls.clear();
  Position(kTrump, {kSixC, Card(5, kSpades)}, {kNineD, kEightD}, {kSixD, kTrump}, 0);
  Click(kSixC);
  Click(Card(5, kSpades));
  EXPECT_EQ(Asked(), "PC");
  EXPECT_TRUE(d.ThrowInMode);
}

// Cards the person takes are known to be in the person's hand until played; the trump
// card is known to go to whoever draws it; a new game forgets everything.
TEST_F(ComputerSeatTest, ViewHoldsWhatTheComputerWitnessed) {
  // Seven cards: after its lead the computer still holds six and draws nothing.
  Position(kTrump, {kNineD, kEightC},
           {kSixC, kSevenC, kAceS, kEightD, kNineS, Card(10, kDiamonds), Card(11, kDiamonds)},
           {kTrump}, 1);
  d.MakeStep(d.FindGoingCard(), 1);
  const TCardRec led = d.DeskCards[6];
  calls.clear();
  d.btnEventClick();  // "Беру": the person takes the lead and draws the trump card
  ASSERT_EQ(Asked(), "PL");
  EXPECT_EQ(calls[0].opponentKnown, CardBit(led) | CardBit(kTrump));
  EXPECT_EQ(calls[0].opponentCount, 4);
  EXPECT_EQ(d.SeenInCPUHand, 0u);
  ASSERT_EQ(d.DeskCards[6].ID, kSixC.ID);
  Click(kTrump);  // beats the six of clubs; the computer has nothing to throw in
  const Call* throwIn = nullptr;
  for (const Call& c : calls) throwIn = c.what == 'T' ? &c : throwIn;
  ASSERT_NE(throwIn, nullptr);
  EXPECT_EQ(throwIn->opponentKnown, CardBit(led));
  EXPECT_EQ(throwIn->opponentCount, 3);

  // The person attacks and the computer takes: now the person knows two of its cards.
  Position(kTrump, {kKingS, kAceS}, {kSixD}, {Card(10, kClubs), kTrump}, 0);
  Click(kKingS);
  d.btnEventClick();  // "Отдать"
  EXPECT_EQ(d.SeenInCPUHand, CardBit(kKingS));
  d.N4Click();
  EXPECT_EQ(d.SeenInCPUHand | d.SeenInUserHand | d.Discarded, 0u);
}

// The Level option acts from the next round's start, where the player is chosen anew.
TEST_F(ComputerSeatTest, LevelChoosesThePlayerAtTheNextRound) {
  levelsAsked.clear();
  Position(kTrump, {kSixC, kKingS}, {kSevenC, kNineD}, {kSixD, kTrump}, 0);
  EXPECT_TRUE(levelsAsked.empty());
  options.level = 1;
  Click(kSixC);
  EXPECT_TRUE(levelsAsked.empty());
  d.btnEventClick();  // "Отбой"
  EXPECT_EQ(levelsAsked, std::vector<int>{1});
  options.level = 2;
  d.PrepareStep();
  d.PrepareStep();
  EXPECT_EQ(levelsAsked, (std::vector<int>{1, 2}));
}

// The weights the player writes are those of the level it was made for.
TEST_F(FlowTest, LevelsWeighTheHandAsTheirFormulasSay) {
  Position(kTrump, {}, {Card(5, kSpades), kSixD, Card(12, kClubs)}, {kTrump}, 0);
  const long double lone = d.CPUCards[2].BitsaKoef;  // 1/13 at both levels
  const long double paired = d.CPUCards[0].BitsaKoef;
  options.level = 1;
  d.PrepareStep();
  EXPECT_EQ(d.CPUCards[2].BitsaKoef, lone);
  EXPECT_NE(d.CPUCards[0].BitsaKoef, paired);
  options.level = 7;  // any other value is the maximum level too
  d.PrepareStep();
  EXPECT_NE(d.CPUCards[0].BitsaKoef, paired);
}

}  // namespace
}  // namespace tarlyk
