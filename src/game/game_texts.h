// Every text of the engine: the action button's captions, the status texts and pointer
// hints, the abandon-game question, the card names and the score line. Texts with a
// player's or a card's name in them are composed here as well.
#pragma once

#include <string>

#include "game/game_interfaces.h"

namespace tarlyk {

// The action button's captions, by ActionState (kept as strings, so that setting them
// allocates nothing).
inline const std::string kCaptionNewGame = "Новая партия";
inline const std::string kCaptionTake = "Беру";
inline const std::string kCaptionDone = "Отбой";
inline const std::string kCaptionGive = "Отдать";

inline const std::string& ActionCaptionFor(int actionState) {
  switch (actionState) {
    case kActionTake:
      return kCaptionTake;
    case kActionDone:
      return kCaptionDone;
    case kActionGive:
      return kCaptionGive;
    default:
      return kCaptionNewGame;
  }
}

// The status line before the first game.
inline const std::string kStatusAtStart = "Сыграем?";

// The status texts, composed once from the player's display name.
inline std::string MsgUserGoesFor(const std::string& name) {
  return "Ходите, " + name + "...";
}
inline std::string MsgUserBeatsFor(const std::string& name) {
  return name + ", отбивайтесь или берите!";
}
inline std::string MsgCPUTakesFor(const std::string& name) {
  return name + ", я беру, подкидывайте ещё...";
}
inline std::string MsgUserWinsFor(const std::string& name) {
  return name + ", Вы победили меня!";
}
inline std::string MsgUserLosesFor(const std::string& name) {
  return "К сожалению Вы проиграли, " + name + ".";
}
inline std::string MsgNobodyWinsFor(const std::string& name) {
  return name + ", мы сыграли в ничью.";
}

// What a click on the card named `card` would do, or why it may not be played now.
inline std::string HintThrowIn(const std::string& card) {
  return "Подкинуть карту \"" + card + "\" компьютеру...";
}
inline std::string HintNoThrowIn(const std::string& name, const std::string& card) {
  return name + ", карту \"" + card + "\" мне подкидывать нельзя!";
}
inline std::string HintLead(const std::string& card) {
  return "Походить картой \"" + card + "\"...";
}
inline std::string HintBeat(const std::string& card) {
  return "Побиться картой \"" + card + "\"...";
}
// `lead`: leading, otherwise beating.
inline std::string HintNotNow(const std::string& name, const std::string& card, bool lead) {
  return name + ", сейчас картой \"" + card + (lead ? "\" ходить нельзя!" : "\" биться нельзя!");
}

// The 2-001 question.
inline const std::string kAbandonGameQuestion =
    "Прервать текущую партию?\r\rВам будет засчитано поражение.\r\r"
    "\tКод сообщения:\r\tПредупреждение 2-001";

// Card names: the rank (by Value, 0 for an empty slot) followed by the suit (by Suid).
inline constexpr const char* kRankNames[14] = {
    "(пустота)",  "Двойка ",  "Тройка ",  "Четвёрка ", "Пятёрка ", "Шестёрка ", "Семерка ",
    "Восьмёрка ", "Девятка ", "Десятка ", "Валет ",    "Дама ",    "Король ",   "Туз "};
inline constexpr const char* kSuitNames[4] = {"крести", "пики", "буби", "черви"};
inline constexpr char kNoRankName[] = "(нет данных)";
inline constexpr char kNoSuitName[] = " (нет масти)";

// The score line: "Побед: w (p%), Поражений: l (p%), Ничьих: n (p%), Всего игр: t".
inline const std::string kCountsAtStart =
    "Побед: 0 (0%), Поражений: 0 (0%), Ничьих: 0 (0%), Всего игр: 0";
inline std::string CountsLine(const std::string& wins, const std::string& winsPercent,
                              const std::string& loses, const std::string& losesPercent,
                              const std::string& nones, const std::string& nonesPercent,
                              const std::string& total) {
  return "Побед: " + wins + " (" + winsPercent + "%), Поражений: " + loses + " (" + losesPercent +
         "%), Ничьих: " + nones + " (" + nonesPercent + "%), Всего игр: " + total;
}

}  // namespace tarlyk
