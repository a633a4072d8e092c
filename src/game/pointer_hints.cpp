// What a click at the pointer (or at the keyboard's mark) would do, told in the status
// line while the pointer moves over the table, and which pointer to show there.
#include "game/tdm_data.h"

namespace tarlyk {

std::string TdmData::HintAt(int x, int y, PointerShape* shape) const {
  PointerShape dummy = PointerShape::kArrow;
  PointerShape& out = shape != nullptr ? *shape : dummy;

  if (GetFirstID(UserCards) == -1 || GetFirstID(CPUCards) == -1) {
    out = PointerShape::kResetOverride;
    return {};
  }
  const int k = UnderCard(x, y);
  if (k == -1) {
    out = PointerShape::kArrow;
    if (ThrowInMode) return MsgCPUTakes;
    return WhoGoing == 0 ? MsgUserGoes : MsgUserBeats;
  }

  out = PointerShape::kHand;
  return CardHint(k);
}

std::string TdmData::CardHint(int position) const {
  if (position < 1 || position > GetCardsCount(UserCards)) return {};
  const TCardRec& card = UserCards[static_cast<size_t>(position - 1)];
  const std::string name = CardToString(card);
  if (ThrowInMode) {
    return ApplyRules(card, true) ? HintThrowIn(name) : HintNoThrowIn(PlayerName, name);
  }
  if (WhoGoing == 0) {
    return ApplyRules(card, true) ? HintLead(name) : HintNotNow(PlayerName, name, true);
  }
  return ApplyRules(card, false) ? HintBeat(name) : HintNotNow(PlayerName, name, false);
}

void TdmData::ShowCardHint(int position) {
  if (GetFirstID(UserCards) == -1 || GetFirstID(CPUCards) == -1) return;
  const std::string text = CardHint(position);
  if (!text.empty()) SetStatus(text);
}

PointerShape TdmData::imgDeskMouseMove(int x, int y) {
  PointerShape shape = PointerShape::kArrow;
  const std::string text = HintAt(x, y, &shape);
  if (shape != PointerShape::kResetOverride) SetStatus(text);
  return shape;
}

}  // namespace tarlyk
