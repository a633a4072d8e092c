#include "game/tdm_data.h"

#include "game/flow_texts.h"
#include "game/hand_layout.h"
#include "opponent/card_weights.h"
#include "opponent/computer_attack.h"
#include "opponent/computer_defence.h"

namespace tarlyk {

TdmData::TdmData(IGameWindow& window, const IGameOptions& options, IRandom& random,
                 ScoreCounters& score, const std::string& playerName)
    : PlayerName(playerName),
      MsgUserGoes("Ходите, " + playerName + "..."),
      MsgUserBeats(playerName + ", отбивайтесь или берите!"),
      MsgCPUTakes(playerName + ", я беру, подкидывайте ещё..."),
      MsgUserWins(playerName + ", Вы победили меня!"),
      MsgUserLoses("К сожалению Вы проиграли, " + playerName + "."),
      MsgNobodyWins(playerName + ", мы сыграли в ничью."),
      window_(window),
      options_(options),
      random_(random),
      score_(score) {
  FillAllCards();
  RefreshCounts();
}

const char* ActionCaptionFor(int actionState) {
  switch (actionState) {
    case kActionTake:
      return "Беру";
    case kActionDone:
      return "Отбой";
    case kActionGive:
      return "Отдать";
    default:
      return "Новая партия";
  }
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

// The computer sees its own hand, the table, the trump, the stock count and only
// whether the person still holds cards, never which ones.
OpponentView TdmData::OpponentSeat() {
  return OpponentView{
      CPUCards, DeskCards,   KozirCard, GetCardsCount(ColodaCards), GetFirstID(UserCards) != -1,
      WhoGoing, ThrowInMode, GameStage};
}

void TdmData::PrepareStep() {
  GameStage = CalcGameStage(GetCardsCount(ColodaCards), options_.CardsCount());
  CalcKoefs(CPUCards, 51);
}

void TdmData::CalcKoefs(Pile cards, int high) {
  tarlyk::CalcKoefs(cards, high, KozirCard.Suid, options_.Level());
}

int TdmData::FindGoingCard() {
  return tarlyk::FindGoingCard(OpponentSeat());
}

int TdmData::FindGoingCardWhichCanGo() {
  return tarlyk::FindGoingCardWhichCanGo(OpponentSeat());
}

int TdmData::FindGoingCardWhichCanBitsa() {
  return tarlyk::FindGoingCardWhichCanBitsa(OpponentSeat());
}

void TdmData::MakeStep(int position, int kind) {
  tarlyk::MakeStep(CPUCards, DeskCards, position, kind);
}

// --- the window ---------------------------------------------------------------------

namespace {

// True when the hand is already in the order sorting would give it: ascending by face
// value (trumps after all others), then suit, with no hole before the last card.
bool IsSortedHand(const std::array<TCardRec, 52>& hand, uint8_t kozirSuid) {
  int lastKey = -1;
  size_t i = 0;
  for (; i < hand.size() && IsPresent(hand[i]); ++i) {
    const TCardRec& c = hand[i];
    if (c.Value > 13) return false;
    const int key = (c.Value + 1) * (c.Suid == kozirSuid ? 100 : 1) * 256 + c.Suid;
    if (key <= lastKey) return false;
    lastKey = key;
  }
  for (; i < hand.size(); ++i) {
    if (IsPresent(hand[i])) return false;
  }
  return true;
}

}  // namespace

void TdmData::RepaintDesk() {
  // The hand is kept sorted and gap-free before every paint, so that hand position k
  // (what the hit test returns) is slot k - 1. Most events leave it sorted already.
  if (!IsSortedHand(UserCards, KozirCard.Suid)) SortCards(UserCards, KozirCard.Suid);
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
