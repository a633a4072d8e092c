#include "flow_fixture.h"

namespace tarlyk {
namespace {

using TurnTest = FlowTest;

const TCardRec kTrump = Card(9, kHearts);
const TCardRec kSixC = Card(5, kClubs), kSevenC = Card(6, kClubs), kSixS = Card(5, kSpades);
const TCardRec kSixD = Card(5, kDiamonds), kSevenD = Card(6, kDiamonds);
const TCardRec kEightD = Card(7, kDiamonds), kNineD = Card(8, kDiamonds);
const TCardRec kSevenS = Card(6, kSpades), kTenS = Card(9, kSpades), kKingD = Card(12, kDiamonds);
const TCardRec kQueenC = Card(11, kClubs), kJackC = Card(10, kClubs), kAceS = Card(13, kSpades);

TEST_F(TurnTest, ClicksStartAGameOnlyWhenNoneIsRunning) {
  d.imgDeskMouseUp(MouseButton::kMiddle, 1, 1);
  options.useRightMouse = false;
  d.imgDeskMouseUp(MouseButton::kRight, 1, 1);
  EXPECT_FALSE(d.GameActive);
  options.useRightMouse = true;
  d.imgDeskMouseUp(MouseButton::kRight, 1, 1);
  EXPECT_TRUE(d.GameActive);

  d.GameActive = false;
  d.SetAction(kActionNewGame, "Новая партия", true);
  d.imgDeskMouseUp(MouseButton::kLeft, 1, 1);  // off the hand
  EXPECT_TRUE(d.GameActive);
  EXPECT_TRUE(window.questions.empty());
}

TEST_F(TurnTest, PersonAttacksAndEndsTheRound) {
  Position(kTrump, {kSixC, kTenS, kKingD}, {kSevenC, kEightD, kAceS},
           {Card(10, kDiamonds), Card(11, kDiamonds), kTrump}, 0);
  d.imgDeskMouseUp(MouseButton::kRight, 1, 1);  // the button is hidden: nothing
  EXPECT_EQ(GetCardsCount(d.DeskCards), 0);
  Click(kSixC);
  EXPECT_EQ(d.DeskCards[6].ID, kSevenC.ID);
  EXPECT_EQ(window.actionCaption, "Отбой");
  EXPECT_TRUE(window.actionVisible);
  Click(kKingD);  // no king on the table: refused
  EXPECT_EQ(GetCardsCount(d.DeskCards), 2);

  d.imgDeskMouseUp(MouseButton::kRight, 1, 1);  // stands in for "Отбой"
  EXPECT_EQ(GetCardsCount(d.BitoCards), 2);
  EXPECT_EQ(GetCardsCount(d.UserCards), 5);
  EXPECT_EQ(d.WhoGoing, 1);
  EXPECT_EQ(d.DeskCards[6].ID, kEightD.ID);  // the computer leads at once
  EXPECT_EQ(window.status, "Вася, отбивайтесь или берите!");
  EXPECT_EQ(window.actionCaption, "Беру");
  EXPECT_TRUE(window.actionVisible);
}

TEST_F(TurnTest, ComputerTakesAndThePersonThrowsIn) {
  Position(kTrump, {kSixC, kSixS, kKingD}, {Card(7, kSpades), kNineD, Card(10, kSpades)},
           {kQueenC, kTrump}, 0);
  Click(kSixC);
  EXPECT_TRUE(d.ThrowInMode);
  EXPECT_EQ(window.status, "Вася, я беру, подкидывайте ещё...");
  EXPECT_EQ(window.actionCaption, "Отдать");
  EXPECT_TRUE(window.actionVisible);

  const int y = 420;
  const int n = GetCardsCount(d.UserCards);
  PointerShape shape{};
  EXPECT_EQ(d.HintAt(HandCardX(0, n, 710) + 2, y, &shape),
            "Подкинуть карту \"Шестёрка пики\" компьютеру...");
  EXPECT_EQ(shape, PointerShape::kHand);
  EXPECT_EQ(d.HintAt(HandCardX(1, n, 710) + 2, y, &shape),
            "Вася, карту \"Король буби\" мне подкидывать нельзя!");
  EXPECT_EQ(d.HintAt(5, 5, &shape), "Вася, я беру, подкидывайте ещё...");
  EXPECT_EQ(shape, PointerShape::kArrow);

  Click(kKingD);
  Click(kSixS);
  EXPECT_EQ(GetCardsCount(d.DeskCards), 2);
  EXPECT_FALSE(IsPresent(d.DeskCards[7]));  // not answered

  d.btnEventClick();
  EXPECT_EQ(GetCardsCount(d.CPUCards), 5);
  EXPECT_TRUE(Holds(d.CPUCards, kSixS));
  EXPECT_FALSE(d.ThrowInMode);
  EXPECT_EQ(d.WhoGoing, 0);
  EXPECT_EQ(window.status, "Ходите, Вася...");
  EXPECT_EQ(window.actionState, kActionDone);
  EXPECT_FALSE(window.actionVisible);
}

TEST_F(TurnTest, PersonTakesOrBeatsOff) {
  // Taking: the computer adds nothing and leads the next round at once.
  Position(kTrump, {kSixC, kSevenC}, {kEightD, kNineD, kAceS}, {kQueenC, kJackC, kTrump}, 1);
  d.MakeStep(d.FindGoingCard(), 1);
  d.btnEventClick();
  EXPECT_TRUE(Holds(d.UserCards, kEightD));
  EXPECT_EQ(GetCardsCount(d.DeskCards), 1);
  EXPECT_EQ(d.WhoGoing, 1);
  EXPECT_EQ(window.actionCaption, "Беру");

  // Beating off: nothing to throw in, the round is discarded and the person leads.
  Position(kTrump, {kSevenD, kTenS}, {kSixD, Card(7, kClubs)}, {kQueenC, kJackC, kTrump}, 1);
  d.MakeStep(d.FindGoingCard(), 1);
  ASSERT_EQ(d.DeskCards[6].ID, kSixD.ID);
  PointerShape shape{};
  EXPECT_EQ(d.HintAt(HandCardX(1, 2, 710) + 2, 420, &shape),
            "Вася, сейчас картой \"Десятка пики\" биться нельзя!");
  Click(kTenS);
  EXPECT_EQ(GetCardsCount(d.DeskCards), 1);
  Click(kSevenD);
  EXPECT_EQ(GetCardsCount(d.BitoCards), 2);
  EXPECT_EQ(d.WhoGoing, 0);
  EXPECT_EQ(window.status, "Ходите, Вася...");
  EXPECT_FALSE(window.actionVisible);
}

// The hint says what a click would do by the rule that decides it: while the person
// attacks, a card of a rank on the table may go and any other is refused; while he
// defends, only a card that covers the open attack card may, whatever its rank.
TEST_F(TurnTest, HintsFollowTheRuleOfTheMoveAtHand) {
  const auto hint = [&](const TCardRec& card) {
    const int n = GetCardsCount(d.UserCards);
    for (int i = 0; i < n; ++i) {
      if (d.UserCards[i].ID == card.ID) return d.HintAt(HandCardX(i, n, 710) + 2, 420, nullptr);
    }
    ADD_FAILURE() << "card " << CardNumber(card) << " not in hand";
    return std::string();
  };
  Position(kTrump, {kSixC, kSixS, kKingD, kSevenD}, {kSevenC, kEightD, kAceS},
           {Card(10, kDiamonds), Card(11, kDiamonds), kTrump}, 0);
  Click(kSixC);
  ASSERT_EQ(d.DeskCards[6].ID, kSevenC.ID);  // covered: nothing is open now
  EXPECT_EQ(hint(kSixS), "Походить картой \"Шестёрка пики\"...");
  EXPECT_EQ(hint(kSevenD), "Походить картой \"Семерка буби\"...");
  EXPECT_EQ(hint(kKingD), "Вася, сейчас картой \"Король буби\" ходить нельзя!");

  const TCardRec kEightS = Card(7, kSpades);
  Position(kTrump, {kSixS, kNineD, kEightS}, {kEightD, kQueenC}, {kJackC, kTrump}, 1);
  d.MakeStep(d.FindGoingCard(), 1);
  ASSERT_EQ(d.DeskCards[6].ID, kEightD.ID);
  EXPECT_EQ(hint(kNineD), "Побиться картой \"Девятка буби\"...");
  EXPECT_EQ(hint(kSixS), "Вася, сейчас картой \"Шестёрка пики\" биться нельзя!");
  EXPECT_EQ(hint(kEightS), "Вася, сейчас картой \"Восьмёрка пики\" биться нельзя!");
}

// Stock empty, the computer throws in its last card: play goes on until the person
// has beaten it; he then loses, or draws when that was his last card.
TEST_F(TurnTest, ComputersLastThrowInWithAnEmptyStock) {
  for (bool keepsCard : {false, true}) {
    if (keepsCard) {
      Position(kTrump, {kSevenD, kSevenS, kKingD}, {kSixD, kSixS}, {}, 1);
    } else {
      Position(kTrump, {kSevenD, kSevenS}, {kSixD, kSixS}, {}, 1);
    }
    d.MakeStep(d.FindGoingCard(), 1);
    Click(kSevenD);
    EXPECT_EQ(GetCardsCount(d.CPUCards), 0);
    EXPECT_TRUE(d.GameActive);
    Click(kSevenS);
    EXPECT_FALSE(d.GameActive);
    EXPECT_EQ(d.LastResult, keepsCard ? 1 : 2);
    EXPECT_EQ(window.actionCaption, "Новая партия");
  }
}

// The computer covers with its last card and the stock is empty: the game ends at once.
TEST_F(TurnTest, ComputersLastCoverEndsTheGame) {
  Position(kTrump, {kSixC, kKingD}, {kSevenC}, {}, 0);
  Click(kSixC);
  EXPECT_FALSE(d.GameActive);
  EXPECT_EQ(d.LastResult, 1);
  Position(kTrump, {kSixC}, {kSevenC}, {}, 0);
  Click(kSixC);
  EXPECT_EQ(d.LastResult, 2);
}

// The person's last throw-in while the computer takes: the win comes with "Отдать".
TEST_F(TurnTest, PersonsLastThrowInWinsOnHandingOver) {
  Position(kTrump, {kSixC, kSixS}, {kEightD, kNineD}, {}, 0);
  Click(kSixC);
  Click(kSixS);
  EXPECT_EQ(GetCardsCount(d.UserCards), 0);
  EXPECT_TRUE(d.GameActive);
  d.btnEventClick();
  EXPECT_FALSE(d.GameActive);
  EXPECT_EQ(score.Wins, 1);
  // With an empty hand the pointer leaves the result in the status line.
  EXPECT_EQ(d.imgDeskMouseMove(300, 420), PointerShape::kResetOverride);
  EXPECT_EQ(window.status, "Вася, Вы победили меня!");
}

TEST_F(TurnTest, NewGameWhileTheComputerTakesStartsNormalPlay) {
  Position(kTrump, {kSixC, kSixS}, {kEightD, kNineD}, {kQueenC, kTrump}, 0);
  Click(kSixC);
  ASSERT_TRUE(d.ThrowInMode);
  options.firstStep = 2;
  ForceDeck({kSixC, kSevenC, kTenS, kEightD, kKingD, kNineD, Card(7, kClubs), kJackC, kSevenS,
             kSixD, kSixS, kSevenD, kTrump});
  d.N4Click();
  EXPECT_FALSE(d.ThrowInMode);
  EXPECT_EQ(score.Loses, 1);
  Click(kSixC);
  EXPECT_TRUE(IsPresent(d.DeskCards[6]));  // answered: an attack, not a throw-in
}

}  // namespace
}  // namespace tarlyk
