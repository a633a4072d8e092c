// Every text of the table view: the stock's counter, the computer's name on its panel,
// and the card library's start-up failures (codes 0-002 and 0-003) with the caption of
// their box, which the program's other start-up failure box (0-001) carries too.
#pragma once

namespace tarlyk {

inline constexpr char kStockCount[] = "Карт в колоде: ";  // followed by the number
inline constexpr char kStockEmpty[] = "Колода пуста";
inline constexpr char kComputerName[] = "Компьютер";

inline constexpr char kStartupFailureCaption[] = "Внимание";
inline constexpr char kMissingLibraryText[] =
    "Библиотека ресурсов (Cards.dll) не найдена.\r\r"
    "Была попытка поиска системной библиотеки, но и она была не удачной.\r"
    "Прекращаю работу.\r\r\tКод ошибки: 0-002.";
// The damaged library's box: the head, the list of pictures not loaded, the tail.
inline constexpr char kDamagedLibraryHead[] =
    "Библиотека ресурсов (Cards.dll) повреждена.\r\r"
    "Список карт, которые не удалось загрузить:\r";
inline constexpr char kDamagedLibraryTail[] = "\r\rПрекращаю работу.\r\r\tКод ошибки: 0-003.";
// The list's items, each followed by the picture's number: a face, its tinted copy, a
// back, its turned copy.
inline constexpr char kFaceItem[] = "№ K-";
inline constexpr char kLightFaceItem[] = "№ ОсвK-";
inline constexpr char kBackItem[] = "№ O-";
inline constexpr char kTurnedBackItem[] = "№ ПовO-";

}  // namespace tarlyk
