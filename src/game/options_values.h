// A plain set of option values implementing IGameOptions: the initial states of the
// options dialog's controls. Used by the headless driver and by tests.
#pragma once

#include "game/game_interfaces.h"

namespace tarlyk {

struct OptionValues final : IGameOptions {
  int cardsCount = 0;
  int firstStep = 0;
  int lastCardsTo = 0;
  int level = 0;
  bool useRightMouse = true;
  bool endAnimation = true;
  bool showSuperCard = true;
  int disabledCardsType = 0;
  bool showMedals = false;

  int CardsCount() const override { return cardsCount; }
  int FirstStep() const override { return firstStep; }
  int LastCardsTo() const override { return lastCardsTo; }
  int Level() const override { return level; }
  bool UseRightMouse() const override { return useRightMouse; }
  bool EndAnimation() const override { return endAnimation; }
  bool ShowSuperCard() const override { return showSuperCard; }
  int DisabledCardsType() const override { return disabledCardsType; }
  bool ShowMedals() const override { return showMedals; }
};

}  // namespace tarlyk
