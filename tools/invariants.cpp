#include "invariants.h"

#include <array>
#include <span>
#include <sstream>

#include "card_notation.h"
#include "game/move_rules.h"

namespace tarlyk {
namespace {

struct Checker {
  std::ostringstream out;
  void Fail(const std::string& what) { out << what << '\n'; }
};

void CheckConservation(const TdmData& d, Checker& c) {
  std::array<int, 52> seen{};
  int total = 0;
  auto scan = [&](std::span<const TCardRec> pile, const char* name) {
    for (size_t i = 0; i < pile.size(); ++i) {
      const TCardRec& card = pile[i];
      if (!IsPresent(card)) continue;
      ++total;
      if (card.ID < 0 || card.ID > 51) {
        c.Fail(std::string("bad card ID in ") + name + " slot " + std::to_string(i));
        continue;
      }
      const TCardRec expected = CardFromNumber(card.ID + 1);
      if (expected.Value != card.Value || expected.Suid != card.Suid) {
        c.Fail(std::string("record does not match its ID in ") + name + " slot " +
               std::to_string(i));
      }
      if (++seen[card.ID] == 2) {
        c.Fail("card " + CardNotation(expected) + " lies in two slots (again in " + name +
               " slot " + std::to_string(i) + ")");
      }
    }
  };
  scan(d.ColodaCards, "stock");
  scan(d.UserCards, "user");
  scan(d.CPUCards, "cpu");
  scan(d.DeskCards, "desk");
  scan(d.BitoCards, "bito");
  if (total == 0) return;  // nothing dealt yet
  // The deck in play is the short one exactly when no two to five is anywhere.
  bool shortDeck = true;
  for (int id = 0; id < 52; ++id) {
    if (seen[id] && CardFromNumber(id + 1).Value < kSix) shortDeck = false;
  }
  for (int id = 0; id < 52; ++id) {
    const bool inDeck = !shortDeck || CardFromNumber(id + 1).Value >= kSix;
    if (inDeck && seen[id] == 0)
      c.Fail("card " + CardNotation(CardFromNumber(id + 1)) + " is lost");
  }
}

void CheckTable(const TdmData& d, Checker& c) {
  const auto& desk = d.DeskCards;
  for (int k = 0; k < 6; ++k) {
    const TCardRec& human = desk[k];
    const TCardRec& cpu = desk[k + 6];
    const TCardRec& attack = d.WhoGoing == 1 ? cpu : human;
    const TCardRec& cover = d.WhoGoing == 1 ? human : cpu;
    if (!IsPresent(cover)) continue;
    if (!IsPresent(attack)) {
      c.Fail("cover " + CardNotation(cover) + " in pair " + std::to_string(k) +
             " has no attack card");
    } else if (!Beats(cover, attack, d.KozirCard.Suid)) {
      c.Fail(CardNotation(cover) + " does not beat " + CardNotation(attack) + " in pair " +
             std::to_string(k));
    }
  }
}

void CheckButton(const TdmData& d, const SimWindow& w, Checker& c) {
  if (w.actionState != d.ActionState || w.actionCaption != d.ActionCaption ||
      w.actionVisible != d.ActionVisible) {
    c.Fail("window button differs from the engine's");
  }
  if (w.status != d.StatusText) c.Fail("window status differs from the engine's");
  if (d.ActionState < 0 || d.ActionState > 3 ||
      d.ActionCaption != ActionCaptionFor(d.ActionState)) {
    c.Fail("caption \"" + d.ActionCaption + "\" does not match mode " +
           std::to_string(d.ActionState));
  }
  int expected = kActionNewGame;
  bool visible = true;
  if (!d.GameActive) {
    if (d.ThrowInMode) c.Fail("throw-in mode outside a game");
  } else if (d.ThrowInMode) {
    expected = kActionGive;
    if (d.WhoGoing != 0) c.Fail("throw-in mode while the computer attacks");
  } else if (d.WhoGoing == 1) {
    expected = kActionTake;
  } else {
    expected = kActionDone;
    const int onTable = GetCardsCount(d.DeskCards);
    visible = onTable > 0 && onTable % 2 == 0;
  }
  if (d.ActionState != expected || d.ActionVisible != visible) {
    c.Fail("button mode " + std::to_string(d.ActionState) + "/" + std::to_string(d.ActionVisible) +
           " where " + std::to_string(expected) + "/" + std::to_string(visible) + " belongs");
  }
}

void CheckHand(const TdmData& d, Checker& c) {
  const int n = GetCardsCount(d.UserCards);
  for (int i = 0; i < n; ++i) {
    if (!IsPresent(d.UserCards[i])) {
      c.Fail("person's hand has a gap at slot " + std::to_string(i));
      return;
    }
  }
  const int unsorted = FirstUnsortedSlot(d.UserCards, d.KozirCard.Suid);
  if (unsorted != -1) c.Fail("person's hand is not sorted at slot " + std::to_string(unsorted));
}

}  // namespace

std::string CheckInvariants(const TdmData& data, const SimWindow& window) {
  Checker c;
  CheckConservation(data, c);
  CheckTable(data, c);
  CheckButton(data, window, c);
  CheckHand(data, c);
  return c.out.str();
}

}  // namespace tarlyk
