// The words the program's own pictures carry: the game's name and kind, the splash
// picture's lines and the rank letters of the drawn card faces. The windows that name
// the game take its name from here as well.
#pragma once

namespace tarlyk {

inline constexpr char kGameName[] = "Тарлык";
inline constexpr char kGameKind[] = "Карточная игра";
inline constexpr char kGameVariant[] = "подкидной";
inline constexpr char kSplashVersion[] = "версия 1.1";

// Jack, queen, king and ace.
inline constexpr char kJackLetter[] = "В";
inline constexpr char kQueenLetter[] = "Д";
inline constexpr char kKingLetter[] = "К";
inline constexpr char kAceLetter[] = "Т";

}  // namespace tarlyk
