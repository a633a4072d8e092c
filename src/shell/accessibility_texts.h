// The texts the table gives assistive technology (screen readers): the names of the
// table and of what lies on it. The card names themselves are the engine's.
#pragma once

namespace tarlyk::a11y {

inline constexpr const char* kTableName = "Игровой стол";
inline constexpr const char* kHandName = "Ваши карты";
inline constexpr const char* kComputerCards = "Карт у компьютера: %1";
inline constexpr const char* kCoveredPair = "Атака: %1, покрыта: %2";
inline constexpr const char* kOpenPair = "Атака: %1, не покрыта";
inline constexpr const char* kTrump = "Козырь: %1";
inline constexpr const char* kPlayable = "можно сыграть";
inline constexpr const char* kNotPlayable = "сейчас нельзя";

}  // namespace tarlyk::a11y
