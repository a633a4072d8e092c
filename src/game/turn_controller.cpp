// Play driven by the person: a release of a mouse button on the table, a click on the
// table (or on one card of the hand, from the keyboard) and the action button. The
// computer answers each step at once.
#include "game/tdm_data.h"

namespace tarlyk {

void TdmData::imgDeskMouseUp(MouseButton button, int x, int y) {
  if (button == MouseButton::kRight) {
    if (options_.UseRightMouse() && ActionVisible) btnEventClick();
    return;
  }
  if (button != MouseButton::kLeft) return;
  LeftReleaseOn(UnderCard(x, y));
}

void TdmData::ClickUserCard(int position) {
  if (position < 1 || position > GetCardsCount(UserCards)) position = -1;
  imgDeskClick();
  LeftReleaseOn(position);
}

void TdmData::LeftReleaseOn(int k) {
  if (ActionState == kActionNewGame) {
    btnEventClick();
    return;
  }
  if (k == -1) return;
  const int index = k - 1;
  const TCardRec& card = UserCards[index];
  if (!IsPresent(card)) return;
  if (!ApplyRules(card, WhoGoing == 0)) return;

  if (ThrowInMode) {
    // The computer takes: the card only joins the table, unanswered.
    LayUserCard(index);
    RepaintDesk();
    return;
  }
  if (WhoGoing == 0) {
    HumanAttack(index);
  } else if (WhoGoing == 1) {
    HumanDefence(index);
  }
}

void TdmData::imgDeskClick() {
  RepaintDesk();
}

void TdmData::LayUserCard(int index) {
  TCardRec& slot = UserCards[static_cast<size_t>(index)];
  AddCardToArray(DeskCards, slot, 1);
  SeenInUserHand &= ~CardBit(slot);
  slot = EmptyCard();
}

void TdmData::HumanAttack(int index) {
  LayUserCard(index);
  PrepareCardsForGoing();
  const int p = FindGoingCardWhichCanBitsa();
  if (p != -1) {
    MakeStep(p, 0);
    RepaintDesk();
    ClosingStep();
    return;
  }
  ThrowInMode = true;
  SetStatus(MsgCPUTakes);
  RepaintDesk();
  SetAction(kActionGive, kCaptionGive, true);
}

void TdmData::HumanDefence(int index) {
  LayUserCard(index);
  PrepareCardsForGoing();
  const int p = FindGoingCardWhichCanGo();
  if (p != -1) {
    MakeStep(p, 1);
    RepaintDesk();
    return;
  }
  // Every attack is beaten and nothing follows: the round goes to the discard pile.
  MoveToBito();
  GetCardsFromColoda();
  if (IsGameEnd()) return;
  WhoGoing = 0;
  SetStatus(MsgUserGoes);
  PrepareStep();
  SetAction(kActionDone, kCaptionDone, false);
  RepaintDesk();
  ClosingStep();
}

void TdmData::ClosingStep() {
  if (IsGameEnd()) {
    SetAction(kActionNewGame, kCaptionNewGame, true);
    return;
  }
  if (WhoGoing == 0) {
    // The button closes the round only once every attack card is covered.
    const int onDesk = GetCardsCount(DeskCards);
    SetAction(kActionDone, kCaptionDone, onDesk > 0 && onDesk % 2 == 0);
  } else {
    SetAction(kActionTake, kCaptionTake, true);
  }
}

void TdmData::ComputerLeads() {
  const int p = FindGoingCard();
  if (p != -1) MakeStep(p, 1);
  RepaintDesk();
  SetStatus(MsgUserBeats);
  SetAction(kActionTake, kCaptionTake, true);
}

void TdmData::btnEventClick() {
  switch (ActionState) {
    case kActionNewGame:
      N4Click();
      break;
    case kActionTake:
      // The person takes; the computer adds nothing and leads the next round.
      MoveToUser();
      GetCardsFromColoda();
      if (IsGameEnd()) return;
      WhoGoing = 1;
      PrepareStep();
      if (IsGameEnd()) return;
      ComputerLeads();
      break;
    case kActionDone:
      MoveToBito();
      GetCardsFromColoda();
      WhoGoing = 1;
      PrepareStep();
      if (IsGameEnd()) return;
      ComputerLeads();
      break;
    case kActionGive:
      MoveToCPU();
      GetCardsFromColoda();
      ThrowInMode = false;
      WhoGoing = 0;
      PrepareStep();
      if (IsGameEnd()) return;
      RepaintDesk();
      SetStatus(MsgUserGoes);
      SetAction(kActionDone, kCaptionDone, false);
      break;
    default:
      break;
  }
}

}  // namespace tarlyk
