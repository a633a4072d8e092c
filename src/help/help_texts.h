// Every text of the help: the help command's boxes and the help window's title, buttons,
// tabs and the page shown for a missing topic.
#pragma once

namespace tarlyk {

// The help command's boxes, both with this caption.
inline constexpr char kHelpBoxCaption[] = "Информация";
inline constexpr char kHelpMissingText[] =
    "Файл справки \"Tarlyk.chm\" не найден. Переустановите игру.";
inline constexpr char kHelpDamagedText[] =
    "Файл справки \"Tarlyk.chm\" повреждён, и справку показать нельзя. Переустановите игру.";

// The help window.
inline constexpr char kHelpWindowTitle[] = "Справка — Тарлык (подкидной)";
inline constexpr char kHelpBack[] = "Назад";
inline constexpr char kHelpForward[] = "Вперёд";
inline constexpr char kHelpHome[] = "Начало";
inline constexpr char kHelpContentsTab[] = "Содержание";
inline constexpr char kHelpIndexTab[] = "Указатель";
inline constexpr char kHelpKeywordLabel[] = "Ключевое слово:";
inline constexpr char kHelpShowButton[] = "Показать";
// %1 is the page's path in the file.
inline constexpr char kHelpMissingPage[] =
    "<html><body><p>Страница «%1» не найдена в файле справки.</p></body></html>";

}  // namespace tarlyk
