// Every text of the shell: the windows' titles, the menus, the boxes, the options
// dialog's captions, hints and descriptions, the about window and the table's names for
// screen readers. The game's name comes from the program's pictures (art/art_texts.h),
// the action button's captions from the engine (game/game_texts.h) and the caption of the
// start-up failure boxes from the card library's (view/view_texts.h).
#pragma once

namespace tarlyk {

// --- the program and its windows ---

// The taskbar's title until the first restore.
inline constexpr char kApplicationTitle[] = "Тарлык (подкидной) 1.1";
inline constexpr char kSplashWindowTitle[] = "Тарлык (Загружается)";
inline constexpr char kLoadingText[] = "Загрузка...";
// The taskbar title the boss key shows.
inline constexpr char kDisguiseTitle[] = "Документ1 - Microsoft Word";

// The Close button of the options dialog and the about window, and the standard Close
// button of the boxes.
inline constexpr char kCloseCaption[] = "Закрыть";
// The Help menu, and the standard Help button of the boxes.
inline constexpr char kHelpCaption[] = "Справка";

// --- boxes ---

inline constexpr char kQuestionCaption[] = "Вопрос";
inline constexpr char kSecondCopyText[] =
    "Игра \"Тарлык\" уже запущена.\r\rЗапуск второй копии игры не возможен.\r\r\tКод ошибки: "
    "0-001.";
inline constexpr char kResetScoreQuestion[] =
    "Сбросить счёт?\r\r\tКод сообщения:\r\tПредупреждение 2-002";

// --- the main window's menus (the new-game item has the action button's caption) ---

inline constexpr char kGameMenu[] = "Игра";
inline constexpr char kOptionsItem[] = "Параметры...";
inline constexpr char kExitItem[] = "Выход";
inline constexpr char kHelpItem[] = "Вызов справки...";
inline constexpr char kAboutItem[] = "О программе...";

// --- the options dialog ---

// A control's caption and the hint shown while the pointer rests on it.
struct CaptionAndHint {
  const char* caption;
  const char* hint;
};

inline constexpr char kOptionsTitle[] = "Параметры игры";
inline constexpr char kGeneralTab[] = "Общие";
inline constexpr char kRulesTab[] = "Правила";
inline constexpr char kViewTab[] = "Отображение";
inline constexpr char kDifficultyTab[] = "Сложность";
inline constexpr char kBacksTab[] = "Рубашка";
inline constexpr char kOptionsCloseHint[] = "Закрывает окно параметров";

// Page "Общие".
inline constexpr CaptionAndHint kSavePositionTexts{
    "Сохранять позиции окон",
    "Позволяет включить автоматическое сохранение метоположения главного окна и окна настроек "
    "при выходе из игры"};
inline constexpr CaptionAndHint kSaveCountsTexts{
    "Сохранять счёт игры при выходе",
    "Включение данной опции позволит сохранить счёт при закрытии игры и загрузить его при "
    "следующем запуске"};
inline constexpr CaptionAndHint kResetCountsTexts{"Сбросить счёт",
                                                  "Нажмите эту кнопку, чтобы онулить счёт игры"};
inline constexpr CaptionAndHint kBossKeyTexts{
    "Прятать игру по нажатию \"Ctrl+Enter\"",
    "Чтобы игра быстро сворачивалась в кнопку на панель задач пи нажатии комбинации клавиш "
    "\"Ctrl+Enter\", включите эту опцию"};
inline constexpr CaptionAndHint kRightMouseTexts{
    "Правая кнопка мышки работает как кнопка \"Действия\"",
    "Если данная опция включена, то для нажатия кнопки действий (см. помощь) достаточно будет "
    "нажать правую кнопку мышки на игровом поле"};
inline constexpr CaptionAndHint kEndAnimationTexts{
    "Анимация игрового поля после каждого кона",
    "Если Вы включите эту опцию, то всегда будете замечать что кон игры окончен"};

// Page "Правила": the radio groups' captions, hints and items.
inline constexpr CaptionAndHint kColodaTexts{
    " Колода состоит из... ",
    "Выберите размер колоды (оригинальные правила поразумевают колоду в 36 карт)"};
inline constexpr const char* kColodaItems[] = {"36 карт", "52 карт"};
inline constexpr CaptionAndHint kFirstTexts{
    " Первый ход...  ",
    "Выберите способ определения того, кто будет первым ходить в каждом новом кону (способ "
    "\"По правилам\" всегда будет предоставлять право первого ходу тому игроку, который "
    "победил в прошлом кону, или обладает наименьшей козырной картой, или же случайно, если "
    "первые два условия не выполнимы)"};
inline constexpr const char* kFirstItems[] = {"По правилам", "Всегда за компьютером",
                                              "Всегда за игроком", "Случайным образом"};
inline constexpr CaptionAndHint kLastsTexts{
    " Последние карты с колоды ",
    "Выберите режим раздачи карт при окончании колоды (в оригинальных правилах карты всегда "
    "сначала сдаются тому, кто первый ходил)"};
inline constexpr const char* kLastsItems[] = {"Сначала тому, кто первый ходил", "Делятся пополам"};

// Page "Отображение".
inline constexpr CaptionAndHint kShowSuperCardTexts{
    "Отображать козырную карту, когда колода пуста",
    "Если Вы хотите видеть козырную карту после того, как колода опустела (например, чтобы "
    "узнать какой масти козыря), то установите этот флажок"};
inline constexpr CaptionAndHint kRepairUserIconTexts{
    "Моя иконка отображается не правильно (только для Windows XP)",
    "Если Ваша икнока (та, что в левом нижнем углу игрового поля) отображается в неправильных "
    "цветах, то установите эту галочку и перезапустите игру. Для более подробной информации "
    "см. помощь."};
inline constexpr CaptionAndHint kShowMedalsTexts{
    "Отображать призовые метки (требуется современный компьютер)",
    "Чтобы было интереснее играть можно включить эту опцию (вы (или Ваш соперник) будете "
    "получать символические награды), однако включение этого параметра не рекомендуется на "
    "слабых компьютерах (хуже чем Intel® Pentium® 333)"};
inline constexpr CaptionAndHint kMarkingTexts{
    " Внешнее выделение карт ",
    "Выберите режим, при котором Вам комфортно играть. Выбор режимов \"Прозрачность\" и "
    "\"Псевдо-объёмность\" помагают быстро находить карты, которыми можно играть (по "
    "правилам), но \"мешают\" Вам разрабатывать стратегию игры (упращаю Вашу задачу)"};
// The descriptions beside the marking track bar, by position: a title and a text; the
// first two texts end in the way of marking.
inline constexpr const char* kMarkingTitles[] = {"Выделять с помощью прозрачности",
                                                 "Выделять с помощью псевдо-объёмности",
                                                 "Ни как не выделять"};
inline constexpr char kMarkingBy[] =
    "Этот режим позволяет отличить, карты, которыми сейчас нельзя походить или побиться, а "
    "также козырную карту, при опустошении колоды, от остальных карт при помощи ";
inline constexpr char kByTransparency[] = "прозрачности.";
inline constexpr char kByRelief[] = "псевдо-объёма.";
inline constexpr char kNoMarking[] =
    "При выборе такого значения параметра, карты, которыми сейчас нельзя походить или "
    "побиться, а также козырная карта колоды, при опустошении последней, ни как не будут "
    "отличаться от остальных карт.";

// Page "Сложность".
inline constexpr char kDifficultyHint[] =
    "Выберите сложность игры. Доступно три варианта: обычная, максимальная и сложность для "
    "знатоков.";
inline constexpr char kNormalLevelTitle[] = "Обычная сложность";
inline constexpr char kNormalLevelText[] =
    "Выбирайте этот уровень сложности, если Вы не считаете себя особо любителем игры "
    "\"Тарлык\". Вы сможете достаточно легко обыгрывать компьютера, однако, если Вам "
    "когда-нибудь станет слишком легко, то выберите следующий уровень сложности.";
inline constexpr char kMaximalLevelTitle[] = "Максимальная сложность";
inline constexpr char kMaximalLevelText[] =
    "Выбирайте этот уровень сложности, если Вы считаете себя \"горячим\" любителем игры "
    "\"Тарлык\". Чтобы обыграть компьютер на этом уровне сложности, Вам придётся приложить не "
    "мало усилий, так как компьютер не простит ни одной, даже самой маленькой, ошибки.";
inline constexpr char kMaximalLevelWarning[] = "Внимание!";
inline constexpr char kMaximalLevelNote[] =
    "Данный уровень сложности является экспериментальным, т.е. в некоторых ситуациях "
    "компьютер может позволить одержать Вам более лёгкую победу (по сравнению с обычной "
    "сложностью). Если у Вас есть пожелания относительно этого уровня сложности, то они "
    "принимаются по указанному в окне \"О программе\" электронному почтовому адресу.";
inline constexpr char kExpertLevelTitle[] = "Сложность для знатоков";
inline constexpr char kExpertLevelText[] =
    "Выбирайте этот уровень сложности, если Вы хотите помериться силами с настоящим "
    "соперником. На этом уровне компьютер играет всерьёз: перед каждым ходом он много раз "
    "перебирает, какие карты могут оказаться у Вас на руках и в колоде, доигрывает партию до "
    "конца с каждым своим ходом и выбирает тот, что чаще приводит к победе. При этом, как и на "
    "других уровнях, компьютер никогда не подглядывает в Ваши карты: он знает только то, что "
    "видел сам за игровым столом.";

// Page "Рубашка".
inline constexpr char kRandomBackCaption[] = "Случайная рубашка при каждом запуске";
inline constexpr char kBacksHint[] =
    "Выберите любую рубашку (нажмите её мышкой) или выберите режим произвольной рубашки.";

// --- the about window ---

inline constexpr char kAboutTitle[] = "О программе";
inline constexpr char kAboutProduct[] = "Тарлык (подкидной)";
inline constexpr char kVersionLabel[] = "Версия:";
inline constexpr char kAboutVersion[] = "1.1 (от 14 ноября 2005 года)";
inline constexpr char kRightsLabel[] = "Права:";
inline constexpr char kContactsLabel[] = "Контакты:";
inline constexpr char kMailLabel[] = "E-Mail:";
inline constexpr char kWebLabel[] = "Inernet:";
inline constexpr char kMoreLabel[] = "Дополнительная информация:";
inline constexpr char kAuthor[] = "Команда проекта Тарлык";
inline constexpr const char* kRights[] = {"© 2005 Команда проекта Тарлык.",
                                          "Лицензия GNU GPL 3 или новее."};

// The scrolling credits, block by block.
inline constexpr char kCreditsHead[] = "*** Тарлык (подкидной) ***";
inline constexpr char kCreditsVersion[] = "1.1 (от 14 ноября 2005)";
inline constexpr char kIdeaLabel[] = "Идея:";
inline constexpr char kMadeByLabel[] = "Программирование и дизайн:";
inline constexpr char kTermsLabel[] = "Условия распространения:";
inline constexpr char kTerms[] = "Бесплатно, как есть (freeware)";
inline constexpr char kDescriptionLabel[] = "Описание:";
inline constexpr const char* kDescriptionLines[] = {
    "Игра посвящается всем любителям",        "карточных игр, а в особенности любителям",
    "\"Тарлыка\". Главное преимущество этой", "игры от других подобных, это реализация",
    "реального противника, который не",       "\"подглядывает\" в Ваши карты, а \"думает\"",
    "и принимает решения по ходу игры (так",  "называемый искусственный интелект)."};
inline constexpr char kThanksLabel[] = "Особое спасибо:";
inline constexpr const char* kContributions[] = {
    "(Крэш тестирование)", "(Тестирование играбельности)",
    "(Тестирование искусственного интелекта)", "(Коструктивная критика)",
    "(Тестирование интерфейса)"};

// --- the table as assistive technology (a screen reader) sees it; the card names are the
// engine's ---
namespace a11y {

inline constexpr const char* kTableName = "Игровой стол";
inline constexpr const char* kHandName = "Ваши карты";
inline constexpr const char* kComputerCards = "Карт у компьютера: %1";
inline constexpr const char* kCoveredPair = "Атака: %1, покрыта: %2";
inline constexpr const char* kOpenPair = "Атака: %1, не покрыта";
inline constexpr const char* kTrump = "Козырь: %1";
inline constexpr const char* kPlayable = "можно сыграть";
inline constexpr const char* kNotPlayable = "сейчас нельзя";

}  // namespace a11y

}  // namespace tarlyk
