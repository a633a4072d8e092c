// The texts of the settings: the lines and boxes of the settings file's routines (codes
// 1-001 to 1-004) and the name that stands in for an empty display name.
#pragma once

namespace tarlyk {

inline constexpr char kSettingsBoxCaption[] = "Ошибка";

// The collected lines: two spaces, a bullet, the text, the code, a line break.
inline constexpr char kLineRead[] = "  • Ошибка чтения из файла настроек (Код ошибки: 1-002).\r";
inline constexpr char kLineReplace[] =
    "  • Не удаётся подготовить место на диске для записи файла настроек (Код ошибки: 1-003).\r";
inline constexpr char kLineWrite[] = "  • Ошибка записи в файл настроек (Код ошибки: 1-004).\r";

// The boxes of loading and saving: the head, the collected lines, the advice.
inline constexpr char kLoadBoxHead[] =
    "Во время чтения файла настроек произошли следующие ошибки:\r\r";
inline constexpr char kSaveBoxHead[] =
    "Во время сохранения файла настроек произошли следующуие ошибки:\r\r";
inline constexpr char kSeeHelpFor[] =
    "\rОбратитесь к справочной системе игры, чтобы получить информацию по устранению ";
inline constexpr char kTheseErrors[] = "данных ошибок.";
inline constexpr char kThisError[] = "данной ошибки.";

// The box of saving the score at exit.
inline constexpr char kScoreBoxText[] =
    "Во время записи в файл настроек произошла следующая ошибка:\r\r"
    "  • Не возможно произвести дозапись (Код ошибки: 1-001).\r\r"
    "Обратитесь к справочной системе игры, чтобы получить информацию поустранению данных "
    "ошибок.";

// The display name when the login name gives none.
inline constexpr char kDefaultPlayerName[] = "Игрок";

}  // namespace tarlyk
