// The engine's own texts: action button captions, the opening status line and the
// abandon-game question. Kept as ready-made strings so that setting them allocates nothing.
#pragma once

#include <string>

namespace tarlyk {

inline const std::string kCaptionNewGame = "Новая партия";
inline const std::string kCaptionTake = "Беру";
inline const std::string kCaptionDone = "Отбой";
inline const std::string kCaptionGive = "Отдать";

inline const std::string kStatusAtStart = "Сыграем?";

inline const std::string kAbandonGameQuestion =
    "Прервать текущую партию?\r\rВам будет засчитано поражение.\r\r"
    "\tКод сообщения:\r\tПредупреждение 2-001";

}  // namespace tarlyk
