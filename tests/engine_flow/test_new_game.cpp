#include "flow_fixture.h"

namespace tarlyk {
namespace {

using NewGameTest = FlowTest;

const TCardRec kTrump = Card(9, kHearts);

TEST_F(NewGameTest, DealsAlternatelyAndTurnsUpTheTrump) {
  options.firstStep = 2;  // the person leads
  const TCardRec deal[] = {Card(5, kClubs),
                           Card(6, kClubs),
                           Card(7, kClubs),
                           Card(8, kClubs),
                           Card(9, kClubs),
                           Card(10, kClubs),
                           Card(11, kClubs),
                           Card(12, kClubs),
                           Card(13, kClubs),
                           Card(5, kSpades),
                           Card(6, kSpades),
                           Card(7, kSpades),
                           kTrump};
  ForceDeck({deal[0], deal[1], deal[2], deal[3], deal[4], deal[5], deal[6], deal[7], deal[8],
             deal[9], deal[10], deal[11], deal[12]});
  d.N4Click();
  for (int i = 0; i < 6; ++i) {
    EXPECT_TRUE(Holds(d.UserCards, deal[2 * i])) << i;  // the person's hand is shown sorted
    EXPECT_EQ(d.CPUCards[i].ID, deal[2 * i + 1].ID) << i;
  }
  EXPECT_EQ(GetCardsCount(d.ColodaCards), 24);
  EXPECT_EQ(d.KozirCard.ID, kTrump.ID);
  EXPECT_EQ(d.ColodaCards[35].ID, kTrump.ID);
  for (const TCardRec& c : d.ColodaCards) EXPECT_TRUE(!IsPresent(c) || c.Value >= 5);
  EXPECT_EQ(d.WhoGoing, 0);
  EXPECT_EQ(window.status, "Ходите, Вася...");
  EXPECT_FALSE(window.actionVisible);
  EXPECT_TRUE(window.questions.empty());
}

// Each draw picks a position in what is left of 1..52, which keeps its order.
TEST_F(NewGameTest, ShuffleDrawsFromTheShrinkingOrderedList) {
  options.firstStep = 1;  // the computer leads, nothing drawn for the first mover
  options.cardsCount = 1;
  random.values.assign(52, 1);  // gives 2, 3, ..., 52, 1
  d.N4Click();
  EXPECT_EQ(GetCardsCount(d.ColodaCards), 40);
  EXPECT_EQ(CardNumber(d.KozirCard), 14);
  EXPECT_EQ(CardNumber(d.ColodaCards[51]), 14);
  EXPECT_EQ(CardNumber(d.ColodaCards[12]), 1);
  EXPECT_TRUE(IsPresent(d.DeskCards[6]));  // the computer led at once
  EXPECT_EQ(window.actionCaption, "Беру");
  EXPECT_EQ(window.status, "Вася, отбивайтесь или берите!");
}

TEST_F(NewGameTest, AbandoningARunningGameAsksAndCountsALoss) {
  options.firstStep = 2;
  d.N4Click();
  const int firstCard = d.UserCards[0].ID;

  window.confirmAnswer = false;
  d.N4Click();
  ASSERT_EQ(window.questions.size(), 1u);
  EXPECT_EQ(window.questions[0],
            "Прервать текущую партию?\r\rВам будет засчитано поражение.\r\r\tКод сообщения:\r"
            "\tПредупреждение 2-001");
  EXPECT_EQ(score.Loses, 0);
  EXPECT_EQ(d.LastResult, 2);
  EXPECT_EQ(d.UserCards[0].ID, firstCard);

  window.confirmAnswer = true;
  options.firstStep = 0;
  d.N4Click();
  EXPECT_EQ(score.Loses, 1);
  EXPECT_EQ(d.WhoGoing, 1);  // after a loss the computer leads
  EXPECT_NE(window.counts.find("Поражений: 1 (100%)"), std::string::npos);
}

TEST_F(NewGameTest, WithoutAPreviousWinnerTheLowestTrumpLeads) {
  options.firstStep = 0;
  // Drawn: the computer. It is dealt the nine of hearts, the person the seven.
  random.values = {1};
  ForceDeck({Card(8, kHearts), Card(6, kHearts), Card(5, kClubs), Card(6, kClubs), Card(8, kClubs),
             Card(9, kClubs), Card(10, kClubs), Card(11, kClubs), Card(12, kClubs),
             Card(13, kClubs), Card(5, kSpades), Card(6, kSpades), kTrump});
  d.N4Click();
  ASSERT_TRUE(Holds(d.CPUCards, Card(8, kHearts)));
  EXPECT_EQ(d.WhoGoing, 0);
  EXPECT_EQ(GetCardsCount(d.DeskCards), 0);

  // No trump in either hand: the drawn first mover (the person) stands.
  d.GameActive = false;
  random.values = {0};
  random.next = 0;
  ForceDeck({Card(5, kClubs), Card(6, kClubs), Card(7, kClubs), Card(8, kClubs), Card(9, kClubs),
             Card(10, kClubs), Card(11, kClubs), Card(12, kClubs), Card(13, kClubs),
             Card(5, kSpades), Card(6, kSpades), Card(7, kSpades), kTrump});
  d.N4Click();
  EXPECT_EQ(d.WhoGoing, 0);
}

TEST_F(NewGameTest, RefillByEitherRule) {
  const std::initializer_list<TCardRec> four = {Card(5, kClubs), Card(6, kClubs), Card(7, kClubs),
                                                Card(8, kClubs)};
  const std::initializer_list<TCardRec> two = {Card(5, kSpades), Card(6, kSpades)};
  for (uint8_t attacker : {uint8_t{0}, uint8_t{1}}) {
    // Attacker first: the attacker tops up to six, the defender gets the rest, trump last.
    options.lastCardsTo = 0;
    Position(kTrump, attacker == 0 ? four : two, attacker == 0 ? two : four,
             {Card(10, kSpades), Card(11, kSpades), kTrump}, attacker);
    d.GetCardsFromColoda();
    const auto& defender = attacker == 0 ? d.CPUCards : d.UserCards;
    EXPECT_EQ(GetCardsCount(attacker == 0 ? d.UserCards : d.CPUCards), 6);
    EXPECT_EQ(GetCardsCount(defender), 3);
    EXPECT_TRUE(Holds(defender, kTrump));

    // Shared: the person evens up to four, then person, computer, person.
    options.lastCardsTo = 1;
    Position(kTrump, two, four,
             {Card(10, kSpades), Card(11, kSpades), Card(12, kSpades), Card(13, kSpades), kTrump},
             attacker);
    d.GetCardsFromColoda();
    EXPECT_EQ(GetCardsCount(d.UserCards), 6);
    EXPECT_EQ(GetCardsCount(d.CPUCards), 5);
  }
  // Shared with a long hand: only the short one is topped up, to six.
  Position(kTrump,
           {Card(5, kClubs), Card(6, kClubs), Card(7, kClubs), Card(8, kClubs), Card(9, kClubs),
            Card(10, kClubs), Card(11, kClubs), Card(12, kClubs)},
           {Card(5, kDiamonds), Card(6, kDiamonds), Card(7, kDiamonds)},
           {Card(10, kSpades), Card(11, kSpades), Card(12, kSpades), Card(13, kSpades), kTrump}, 0);
  d.GetCardsFromColoda();
  EXPECT_EQ(GetCardsCount(d.UserCards), 8);
  EXPECT_EQ(GetCardsCount(d.CPUCards), 6);
}

}  // namespace
}  // namespace tarlyk
