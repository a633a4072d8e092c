// A plain set of option values implementing IGameOptions, starting from the options'
// initial values. Used by the headless driver and by tests; options it has no field for
// keep their initial value.
#pragma once

#include "game/game_interfaces.h"

namespace tarlyk {

struct OptionValues final : IGameOptions {
  int cardsCount = SpecOf(Option::kCardsCount).initial;
  int firstStep = SpecOf(Option::kFirstStep).initial;
  int lastCardsTo = SpecOf(Option::kLastCardsTo).initial;
  int level = SpecOf(Option::kLevel).initial;
  bool useRightMouse = SpecOf(Option::kUseRightMouse).initial != 0;
  bool endAnimation = SpecOf(Option::kEndAnimation).initial != 0;
  bool showSuperCard = SpecOf(Option::kShowSuperCard).initial != 0;
  int disabledCardsType = SpecOf(Option::kDisabledCardsType).initial;
  bool showMedals = SpecOf(Option::kShowMedals).initial != 0;

  int Value(Option option) const override {
    switch (option) {
      case Option::kCardsCount:
        return cardsCount;
      case Option::kFirstStep:
        return firstStep;
      case Option::kLastCardsTo:
        return lastCardsTo;
      case Option::kLevel:
        return level;
      case Option::kUseRightMouse:
        return useRightMouse ? 1 : 0;
      case Option::kEndAnimation:
        return endAnimation ? 1 : 0;
      case Option::kShowSuperCard:
        return showSuperCard ? 1 : 0;
      case Option::kDisabledCardsType:
        return disabledCardsType;
      case Option::kShowMedals:
        return showMedals ? 1 : 0;
      default:
        return SpecOf(option).initial;
    }
  }
};

}  // namespace tarlyk
