#include "game/tdm_data.h"

#include "game/hand_layout.h"
#include "opponent/card_weights.h"

namespace tarlyk {

TdmData::TdmData(IGameWindow& window, const IGameOptions& options, IRandom& random,
                 ScoreCounters& score, const std::string& playerName)
    : PlayerName(playerName),
      MsgUserGoes(MsgUserGoesFor(playerName)),
      MsgUserBeats(MsgUserBeatsFor(playerName)),
      MsgCPUTakes(MsgCPUTakesFor(playerName)),
      MsgUserWins(MsgUserWinsFor(playerName)),
      MsgUserLoses(MsgUserLosesFor(playerName)),
      MsgNobodyWins(MsgNobodyWinsFor(playerName)),
      window_(window),
      options_(options),
      random_(random),
      score_(score),
      playerFactory_([](int level) { return MakeComputerPlayer(level); }),
      player_(playerFactory_(options.Level())),
      playerLevel_(options.Level()) {
  FillAllCards();
  RefreshCounts();
}

void TdmData::FillAllCards() {
  for (int n = 1; n <= 52; ++n) AllCards[n] = CardFromNumber(n);
}

// --- move rules and the computer's seat -----------------------------------------------

TableView TdmData::Table() const {
  return TableView{DeskCards, CPUCards, KozirCard.Suid, WhoGoing, ThrowInMode};
}

bool TdmData::CanGo(const TCardRec& card) const {
  return tarlyk::CanGo(card, Table());
}

bool TdmData::CanBitsa(const TCardRec& card) const {
  return tarlyk::CanBitsa(card, Table());
}

bool TdmData::ApplyRules(const TCardRec& card, bool goMode) const {
  return tarlyk::ApplyRules(card, goMode, Table());
}

void TdmData::PrepareCardsForGoing() {
  tarlyk::PrepareCardsForGoing(CPUCards, Table());
}

// The computer sees its own hand, the table, the trump, the stock count, how many cards
// the person holds and the discard pile, never which cards the person holds.
OpponentView TdmData::OpponentSeat() {
  const int userCount = GetCardsCount(UserCards);
  OpponentView seat{CPUCards,      DeskCards, KozirCard,   GetCardsCount(ColodaCards),
                    userCount > 0, WhoGoing,  ThrowInMode, GameStage};
  seat.seat = Seat::kComputer;
  seat.opponentCount = userCount;
  seat.discarded = Discarded;
  seat.opponentKnown = SeenInUserHand;
  seat.lastCardsTo = options_.LastCardsTo();
  return seat;
}

void TdmData::SetPlayerFactory(PlayerFactory factory) {
  playerFactory_ = std::move(factory);
  player_ = playerFactory_(playerLevel_);
}

void TdmData::PrepareStep() {
  GameStage = CalcGameStage(GetCardsCount(ColodaCards), options_.CardsCount());
  // The Level option acts from the next round's start.
  if (options_.Level() != playerLevel_) {
    playerLevel_ = options_.Level();
    player_ = playerFactory_(playerLevel_);
  }
  OpponentView seat = OpponentSeat();
  player_->PrepareStep(seat);
}

int TdmData::FindGoingCard() {
  return player_->Lead(OpponentSeat());
}

int TdmData::FindGoingCardWhichCanGo() {
  return player_->ThrowIn(OpponentSeat());
}

int TdmData::FindGoingCardWhichCanBitsa() {
  return player_->Cover(OpponentSeat());
}

void TdmData::MakeStep(int position, int kind) {
  // The chosen card goes to the first free slot of the computer's half of the table.
  if (kind != 0 && kind != 1) return;
  if (position < 1 || position > static_cast<int>(CPUCards.size())) return;
  TCardRec& slot = CPUCards[static_cast<size_t>(position - 1)];
  AddCardToArray(DeskCards, slot, 7);
  SeenInCPUHand &= ~CardBit(slot);
  slot = EmptyCard();
}

// --- the window ---------------------------------------------------------------------

void TdmData::RepaintDesk() {
  // The hand is kept sorted and gap-free before every paint, so that hand position k
  // (what the hit test returns) is slot k - 1. Most events leave it sorted already, which
  // sorting finds out quickly.
  SortCards(UserCards, KozirCard.Suid);
  window_.RepaintDesk();
}

int TdmData::UnderCard(int x, int y) const {
  return tarlyk::UnderCard(x, y, GetCardsCount(UserCards), window_.TableWidth(),
                           window_.TableHeight());
}

void TdmData::SetStatus(const std::string& text) {
  if (text == StatusText) return;
  StatusText = text;
  window_.SetStatus(StatusText);
}

void TdmData::SetAction(int state, const std::string& caption, bool visible) {
  if (state == ActionState && visible == ActionVisible && caption == ActionCaption) return;
  ActionState = state;
  ActionCaption = caption;
  ActionVisible = visible;
  window_.SetActionButton(ActionState, ActionCaption, ActionVisible);
}

void TdmData::SetAnimation(bool on) {
  // The timer also switches itself off and on between ticks, so the window always hears.
  AnimationOn = on;
  window_.SetAnimationTimer(on);
}

}  // namespace tarlyk
