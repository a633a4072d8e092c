// Offscreen tests of the options dialog: layout and texts of every page, the option
// accessors over the live controls, the description panels, the card-back chooser,
// the score reset and the closing hooks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "fixed_random.h"
#include "game/tdm_data.h"
#include "settings/settings_file.h"
#include "shell/options_dialog.h"
#include "shell/widgets/back_selector.h"
#include "shell/widgets/click_label.h"
#include "shell/widgets/push_button.h"
#include "shell/widgets/radio_group.h"
#include "shell/widgets/track_description.h"

namespace tarlyk {
namespace {

class OptionsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { dlg = std::make_unique<TfrmOptions>(nullptr, QStringLiteral("4.0")); }

  static void Click(QWidget* widget, Qt::MouseButton button = Qt::LeftButton) {
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), button, button,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), button,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
  }

  static std::vector<int> VisiblePanels(const std::vector<TrackDescription*>& panels) {
    std::vector<int> shown;
    for (size_t i = 0; i < panels.size(); ++i)
      if (!panels[i]->isHidden()) shown.push_back(static_cast<int>(i));
    return shown;
  }
  std::vector<TrackDescription*> DisabledPanels() const {
    return {dlg->DisabledPanel(0), dlg->DisabledPanel(1), dlg->DisabledPanel(2)};
  }
  std::vector<TrackDescription*> DifficultPanels() const {
    return {dlg->DifficultPanel(0), dlg->DifficultPanel(1), dlg->DifficultPanel(2)};
  }

  std::unique_ptr<TfrmOptions> dlg;
};

TEST_F(OptionsDialogTest, FrameTabsAndCloseButton) {
  EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Параметры игры"));
  EXPECT_EQ(dlg->size(), QSize(449, 265));
  EXPECT_EQ(dlg->minimumSize(), dlg->maximumSize());
  EXPECT_TRUE(dlg->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(dlg->pos(), QPoint(227, 169));

  QTabWidget* pages = dlg->pcOptions();
  EXPECT_EQ(pages->geometry(), QRect(8, 8, 433, 217));
  const QStringList captions = {"Общие", "Правила", "Отображение", "Сложность", "Рубашка"};
  ASSERT_EQ(pages->count(), captions.size());
  for (int i = 0; i < pages->count(); ++i) {
    EXPECT_EQ(pages->tabText(i), captions[i]);
    EXPECT_EQ(pages->tabBar()->tabRect(i).height(), 20);
  }
  EXPECT_EQ(pages->currentIndex(), 0);
  // All five tabs stay inside the page control, whatever font stands in for Tahoma.
  EXPECT_LE(pages->tabBar()->tabRect(pages->count() - 1).right(), pages->width());

  EXPECT_EQ(dlg->Footer()->geometry(), QRect(0, 231, 449, 34));
  EXPECT_EQ(dlg->btnClose()->geometry(), QRect(12, 234, 93, 24));
  EXPECT_EQ(dlg->btnClose()->text(), QStringLiteral("Закрыть"));
  EXPECT_EQ(dlg->btnClose()->IconSpacing(), 8);
  EXPECT_EQ(dlg->btnClose()->toolTip(), QStringLiteral("Закрывает окно параметров"));
}

TEST_F(OptionsDialogTest, CheckBoxesCaptionsPlacesInitialStatesAndHints) {
  struct Row {
    QCheckBox* box;
    QPoint place;
    const char* caption;
    bool initial;
    const char* hintStart;
  };
  const Row rows[] = {
      {dlg->cbSavePosition(),
       {32, 12},
       "Сохранять позиции окон",
       true,
       "Позволяет включить автоматическое сохранение метоположения"},
      {dlg->cbSaveCounts(),
       {32, 40},
       "Сохранять счёт игры при выходе",
       true,
       "Включение данной опции позволит сохранить счёт"},
      {dlg->cbBossKey(),
       {32, 100},
       "Прятать игру по нажатию \"Ctrl+Enter\"",
       true,
       "Чтобы игра быстро сворачивалась в кнопку на панель задач пи нажатии"},
      {dlg->cbRightMouse(),
       {32, 128},
       "Правая кнопка мышки работает как кнопка \"Действия\"",
       true,
       "Если данная опция включена, то для нажатия кнопки действий"},
      {dlg->cbEndAnimation(),
       {32, 156},
       "Анимация игрового поля после каждого кона",
       true,
       "Если Вы включите эту опцию, то всегда будете замечать что кон игры окончен"},
      {dlg->cbShowSuperCard(),
       {32, 11},
       "Отображать козырную карту, когда колода пуста",
       true,
       "Если Вы хотите видеть козырную карту"},
      {dlg->cbRepairUserIcon(),
       {32, 35},
       "Моя иконка отображается не правильно (только для Windows XP)",
       false,
       "Если Ваша икнока (та, что в левом нижнем углу игрового поля)"},
      {dlg->cbShowMedals(),
       {32, 59},
       "Отображать призовые метки (требуется современный компьютер)",
       false,
       "Чтобы было интереснее играть можно включить эту опцию"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.caption);
    EXPECT_EQ(r.box->pos(), r.place);
    EXPECT_EQ(r.box->text(), QString::fromUtf8(r.caption));
    EXPECT_EQ(r.box->isChecked(), r.initial);
    EXPECT_TRUE(r.box->toolTip().startsWith(QString::fromUtf8(r.hintStart)));
    // Long captions must fit inside the page frame.
    EXPECT_LE(r.box->geometry().right(), dlg->pcOptions()->width() - 4);
  }
  EXPECT_TRUE(
      dlg->cbShowMedals()->toolTip().endsWith(QStringLiteral("(хуже чем Intel® Pentium® 333)")));

  auto* reset = dlg->btnResetCounts();
  EXPECT_EQ(reset->geometry(), QRect(49, 64, 120, 25));
  EXPECT_EQ(reset->text(), QStringLiteral("Сбросить счёт"));
  EXPECT_EQ(reset->toolTip(), QStringLiteral("Нажмите эту кнопку, чтобы онулить счёт игры"));
}

TEST_F(OptionsDialogTest, RepairIconOfferedOnlyOnVersionFiveOne) {
  EXPECT_FALSE(dlg->cbRepairUserIcon()->isEnabled());
  EXPECT_FALSE(dlg->RepairUserIcon());
  TfrmOptions xp(nullptr, QStringLiteral("5.1"));
  EXPECT_TRUE(xp.cbRepairUserIcon()->isEnabled());
  EXPECT_TRUE(xp.RepairUserIcon());
  TfrmOptions other(nullptr, QStringLiteral("5.10"));
  EXPECT_FALSE(other.cbRepairUserIcon()->isEnabled());
}

TEST_F(OptionsDialogTest, RadioGroupsAndTheirClamping) {
  struct Row {
    RadioGroup* group;
    QRect place;
    const char* caption;
    QStringList items;
  };
  const Row rows[] = {
      {dlg->rgColoda(), {8, 8, 217, 81}, " Колода состоит из... ", {"36 карт", "52 карт"}},
      {dlg->rgFirst(),
       {240, 8, 177, 169},
       " Первый ход...  ",
       {"По правилам", "Всегда за компьютером", "Всегда за игроком", "Случайным образом"}},
      {dlg->rgLasts(),
       {8, 96, 217, 81},
       " Последние карты с колоды ",
       {"Сначала тому, кто первый ходил", "Делятся пополам"}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.caption);
    EXPECT_EQ(r.group->geometry(), r.place);
    EXPECT_EQ(r.group->title(), QString::fromUtf8(r.caption));
    EXPECT_TRUE(r.group->font().bold());
    ASSERT_EQ(r.group->Count(), r.items.size());
    int previousTop = -1;
    for (int i = 0; i < r.group->Count(); ++i) {
      QRadioButton* item = r.group->Item(i);
      EXPECT_EQ(item->text(), r.items[i]);
      EXPECT_GT(item->y(), previousTop);  // items stacked in index order inside the frame
      EXPECT_LE(item->geometry().bottom(), r.place.height());
      previousTop = item->y();
    }
    EXPECT_EQ(r.group->ItemIndex(), 0);
  }

  dlg->SetValue(Option::kCardsCount, 7);
  EXPECT_EQ(dlg->CardsCount(), 1);
  dlg->SetValue(Option::kFirstStep, -1);
  EXPECT_EQ(dlg->FirstStep(), 0);
  dlg->SetValue(Option::kFirstStep, 3);
  EXPECT_EQ(dlg->FirstStep(), 3);
  EXPECT_TRUE(dlg->rgFirst()->Item(3)->isChecked());
  dlg->SetValue(Option::kLastCardsTo, 100);
  EXPECT_EQ(dlg->LastCardsTo(), 1);
}

TEST_F(OptionsDialogTest, MarkingPanelsFollowTheTrackBar) {
  EXPECT_EQ(dlg->gbDisabled()->geometry(), QRect(8, 84, 409, 97));
  EXPECT_EQ(dlg->gbDisabled()->title(), QStringLiteral(" Внешнее выделение карт "));
  EXPECT_EQ(dlg->tbDisabled()->geometry(), QRect(8, 20, 33, 69));
  EXPECT_EQ(dlg->DisabledPanel(1)->geometry(), QRect(54, 20, 299, 69));
  EXPECT_EQ(dlg->DisabledPanel(2)->geometry(), QRect(54, 20, 347, 69));
  EXPECT_EQ(VisiblePanels(DisabledPanels()), std::vector<int>{0});

  // The user moving the bar and the settings file setting it behave alike.
  dlg->tbDisabled()->setValue(2);
  EXPECT_EQ(VisiblePanels(DisabledPanels()), std::vector<int>{2});
  EXPECT_TRUE(dlg->DisabledPanel(2)->Html().contains(QStringLiteral("Ни как не выделять")));
  dlg->SetValue(Option::kDisabledCardsType, 1);
  EXPECT_EQ(VisiblePanels(DisabledPanels()), std::vector<int>{1});
  dlg->SetValue(Option::kDisabledCardsType, 9);
  EXPECT_EQ(dlg->DisabledCardsType(), 2);
  EXPECT_EQ(VisiblePanels(DisabledPanels()), std::vector<int>{2});
  dlg->SetValue(Option::kDisabledCardsType, -5);
  EXPECT_EQ(dlg->DisabledCardsType(), 0);
  EXPECT_EQ(VisiblePanels(DisabledPanels()), std::vector<int>{0});
}

TEST_F(OptionsDialogTest, DifficultyPanelsFollowTheTrackBar) {
  EXPECT_EQ(dlg->tbDifficult()->geometry(), QRect(8, 6, 33, 173));
  EXPECT_EQ(dlg->DifficultPanel(0)->geometry(), QRect(54, 0, 363, 85));
  EXPECT_EQ(dlg->DifficultPanel(1)->geometry(), QRect(54, 0, 363, 183));
  EXPECT_EQ(VisiblePanels(DifficultPanels()), std::vector<int>{0});

  dlg->tbDifficult()->setValue(1);
  EXPECT_EQ(VisiblePanels(DifficultPanels()), std::vector<int>{1});
  const QString maximal = dlg->DifficultPanel(1)->Html();
  EXPECT_TRUE(maximal.contains(QStringLiteral("<b>Максимальная сложность</b>")));
  EXPECT_TRUE(maximal.contains(QStringLiteral("<font color=\"#ff0000\">Внимание!</font>")));

  dlg->SetValue(Option::kLevel, -3);
  EXPECT_EQ(dlg->Level(), 0);
  EXPECT_EQ(VisiblePanels(DifficultPanels()), std::vector<int>{0});
  dlg->SetValue(Option::kLevel, 5);
  EXPECT_EQ(dlg->Level(), 2);
  EXPECT_EQ(VisiblePanels(DifficultPanels()), std::vector<int>{2});
}

// The third position: the searching player's panel, as tall as the page, in the voice of
// the other two; the bar's hint names all three levels.
TEST_F(OptionsDialogTest, DifficultyBarHasAThirdPosition) {
  QSlider* bar = dlg->tbDifficult();
  EXPECT_EQ(bar->minimum(), 0);
  EXPECT_EQ(bar->maximum(), 2);
  EXPECT_EQ(dlg->DifficultPanel(2)->geometry(), QRect(54, 0, 363, 183));
  EXPECT_EQ(dlg->DifficultPanel(2)->toolTip(), bar->toolTip());
  EXPECT_TRUE(bar->toolTip().contains(QStringLiteral("три варианта")));

  bar->setValue(2);
  EXPECT_EQ(VisiblePanels(DifficultPanels()), std::vector<int>{2});
  EXPECT_EQ(dlg->Level(), 2);
  const QString expert = dlg->DifficultPanel(2)->Html();
  EXPECT_TRUE(expert.startsWith(QStringLiteral("<b>Сложность для знатоков</b><br><br>")));
  EXPECT_TRUE(expert.contains(QStringLiteral("никогда не подглядывает в Ваши карты")));
  // The whole text fits on the page, whatever font stands in for Tahoma.
  EXPECT_LE(dlg->DifficultPanel(2)->TextHeight(), dlg->DifficultPanel(2)->height());
  // Moving back shows the other panels again, one at a time.
  bar->setValue(1);
  EXPECT_EQ(VisiblePanels(DifficultPanels()), std::vector<int>{1});
  bar->setValue(0);
  EXPECT_EQ(VisiblePanels(DifficultPanels()), std::vector<int>{0});
}

// The third level goes through the settings file and comes back with its panel shown; a
// fresh dialog reading a file of the earlier levels shows them as before.
TEST_F(OptionsDialogTest, ThirdLevelIsSavedAndRestored) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string path = dir.filePath(QStringLiteral("player.dat")).toStdString();
  ScoreCounters score;
  for (int level : {2, 1, 0}) {
    SCOPED_TRACE(level);
    dlg->tbDifficult()->setValue(level);
    ASSERT_EQ(SaveSettings(path, *dlg, score, "4.0", nullptr), std::string());
    TfrmOptions restored(nullptr, QStringLiteral("4.0"));
    restored.SetValue(Option::kLevel, level == 0 ? 1 : 0);  // not what the file holds
    ASSERT_EQ(LoadSettings(path, restored, score, "4.0", nullptr), std::string());
    EXPECT_EQ(restored.Level(), level);
    EXPECT_EQ(restored.tbDifficult()->value(), level);
    for (int n = 0; n < 3; ++n) EXPECT_EQ(restored.DifficultPanel(n)->isHidden(), n != level) << n;
  }
}

TEST_F(OptionsDialogTest, GameOptionsReadTheControlsAtTheMomentOfTheCall) {
  const IGameOptions& options = *dlg;
  EXPECT_EQ(options.CardsCount(), 0);
  EXPECT_TRUE(options.UseRightMouse());
  EXPECT_TRUE(options.EndAnimation());
  EXPECT_TRUE(options.ShowSuperCard());
  EXPECT_FALSE(options.ShowMedals());

  Click(dlg->rgColoda()->Item(1));
  Click(dlg->rgFirst()->Item(2));
  Click(dlg->rgLasts()->Item(1));
  Click(dlg->cbRightMouse());
  Click(dlg->cbEndAnimation());
  Click(dlg->cbShowSuperCard());
  Click(dlg->cbShowMedals());
  dlg->tbDisabled()->setValue(1);
  dlg->tbDifficult()->setValue(1);

  EXPECT_EQ(options.CardsCount(), 1);
  EXPECT_EQ(options.FirstStep(), 2);
  EXPECT_EQ(options.LastCardsTo(), 1);
  EXPECT_FALSE(options.UseRightMouse());
  EXPECT_FALSE(options.EndAnimation());
  EXPECT_FALSE(options.ShowSuperCard());
  EXPECT_TRUE(options.ShowMedals());
  EXPECT_EQ(options.DisabledCardsType(), 1);
  EXPECT_EQ(options.Level(), 1);
}

// Every option of the table has a control of its own, which starts at the option's initial
// value, holds every value of the option's range and takes a value past it to the end.
TEST_F(OptionsDialogTest, EveryOptionOfTheTableHasAControlOfItsOwn) {
  TfrmOptions xp(nullptr, QStringLiteral("5.1"));  // every option offered
  for (const OptionSpec& entry : kOptionTable) {
    SCOPED_TRACE(entry.key);
    EXPECT_EQ(xp.Value(entry.option), entry.initial);
  }
  const auto values = [&] {
    std::vector<int> all;
    for (const OptionSpec& entry : kOptionTable) all.push_back(xp.Value(entry.option));
    return all;
  };
  for (const OptionSpec& entry : kOptionTable) {
    SCOPED_TRACE(entry.key);
    for (int v = entry.min; v <= entry.max; ++v) {
      std::vector<int> expected = values();
      xp.SetValue(entry.option, v);
      expected[static_cast<size_t>(entry.option)] = v;
      EXPECT_EQ(values(), expected) << v;
    }
    xp.SetValue(entry.option, entry.max + 1);
    EXPECT_EQ(xp.Value(entry.option), entry.max);
  }
}

TEST_F(OptionsDialogTest, BossKeyBoxArmsOnClickButNotWhenSetByTheLoader) {
  std::vector<bool> calls;
  dlg->onBossKeyToggled = [&](bool on) { calls.push_back(on); };
  dlg->SetValue(Option::kBossKeyActive, 0);
  EXPECT_TRUE(calls.empty());
  EXPECT_FALSE(dlg->BossKeyActive());
  Click(dlg->cbBossKey());
  Click(dlg->cbBossKey());
  EXPECT_EQ(calls, (std::vector<bool>{true, false}));
}

TEST_F(OptionsDialogTest, ResetScoreAsksAndClearsOnlyOnYes) {
  ScoreCounters score{5, 3, 1};
  dlg->SetScoreCounters(&score);
  int refreshed = 0;
  dlg->onScoreChanged = [&] { ++refreshed; };
  QString caption, text;
  bool answer = false;
  dlg->askQuestion = [&](const QString& c, const QString& t) {
    caption = c;
    text = t;
    return answer;
  };

  Click(dlg->btnResetCounts());
  EXPECT_EQ(caption, QStringLiteral("Вопрос"));
  EXPECT_EQ(text, QStringLiteral("Сбросить счёт?\r\r\tКод сообщения:\r\tПредупреждение 2-002"));
  EXPECT_EQ(score.Wins, 5);
  EXPECT_EQ(score.Loses, 3);
  EXPECT_EQ(score.Nones, 1);
  EXPECT_EQ(refreshed, 0);

  answer = true;
  Click(dlg->btnResetCounts());
  EXPECT_EQ(score.Wins, 0);
  EXPECT_EQ(score.Loses, 0);
  EXPECT_EQ(score.Nones, 0);
  EXPECT_EQ(refreshed, 1);
}

TEST_F(OptionsDialogTest, BackPageLayoutAndEmptyBoxes) {
  EXPECT_EQ(dlg->labRandomBack()->text(), QStringLiteral("Случайная рубашка при каждом запуске"));
  const QRect label = dlg->labRandomBack()->geometry();
  EXPECT_EQ(label.topLeft(), QPoint(29, 8));
  EXPECT_EQ(label.height(), 14);
  EXPECT_GE(label.width(), 241);
  EXPECT_GE(label.width(),
            dlg->labRandomBack()->fontMetrics().horizontalAdvance(dlg->labRandomBack()->text()));
  EXPECT_EQ(dlg->labRandomBack()->cursor().shape(), Qt::PointingHandCursor);
  const int lefts[] = {29, 92, 155, 218, 281, 344};
  for (int n = 0; n < TfrmOptions::kBackCount; ++n) {
    SCOPED_TRACE(n);
    ClickLabel* box = dlg->BackBox(n);
    EXPECT_EQ(box->geometry(), QRect(lefts[n % 6], n < 6 ? 30 : 110, 53, 72));
    EXPECT_TRUE(box->pixmap().isNull());  // nothing shown until the real back arrives
    EXPECT_EQ(box->toolTip(), dlg->labRandomBack()->toolTip());
  }
  EXPECT_TRUE(dlg->labRandomBack()->toolTip().startsWith(QStringLiteral("Выберите любую рубашку")));
  EXPECT_EQ(dlg->shSelector()->geometry(), label.adjusted(-4, -4, 4, 4));
  EXPECT_EQ(dlg->ShortIDToSave(), -1);
}

TEST_F(OptionsDialogTest, ThumbnailIsScaledWithMagentaTransparent) {
  QImage back(71, 96, QImage::Format_RGB32);
  back.fill(QColor(20, 90, 160));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) back.setPixelColor(x, y, QColor(255, 0, 255));
  dlg->SetBackThumbnail(4, back);
  dlg->SetBackThumbnail(12, back);  // out of range: ignored
  dlg->SetBackThumbnail(-1, back);

  const QImage shown = dlg->BackBox(4)->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(shown.size(), QSize(53, 72));
  EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0);
  const QColor middle = shown.pixelColor(26, 36);
  EXPECT_EQ(middle.alpha(), 255);
  EXPECT_EQ(middle.rgb(), QColor(20, 90, 160).rgb());
  // No magenta survives the scaling, not even blended into the edge of the corner.
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x) {
      const QColor c = shown.pixelColor(x, y);
      if (c.alpha() > 0) {
        ASSERT_LT(c.red(), 100) << x << "," << y;
      }
    }
  EXPECT_TRUE(dlg->BackBox(3)->pixmap().isNull());
}

TEST_F(OptionsDialogTest, ChoosingBacksStoresIndexOrRandomMode) {
  FixedRandom random(9);
  dlg->SetRandom(&random);
  std::vector<int> chosen;
  dlg->onBackChosen = [&](int id) { chosen.push_back(id); };
  // The framed label sits on the selector's fill and must stay readable on it.
  const auto contrast = [&] {
    const QColor text = dlg->labRandomBack()->palette().color(QPalette::WindowText);
    const QColor fill = dlg->shSelector()->palette().color(QPalette::Highlight);
    return std::abs(text.lightness() - fill.lightness());
  };
  EXPECT_GE(contrast(), 128);  // framed at start

  Click(dlg->BackBox(7));
  EXPECT_EQ(dlg->ActiveShortID(), 7);
  EXPECT_EQ(dlg->ShortIDToSave(), 7);
  EXPECT_EQ(dlg->shSelector()->geometry(), QRect(92 - 4, 110 - 4, 53 + 8, 72 + 8));
  EXPECT_EQ(dlg->labRandomBack()->palette().color(QPalette::WindowText),
            dlg->palette().color(QPalette::WindowText));  // not framed now

  Click(dlg->labRandomBack());
  EXPECT_GE(contrast(), 128);
  EXPECT_EQ(random.lastRange, 12);
  EXPECT_EQ(dlg->ActiveShortID(), 9);   // a concrete back for this run ...
  EXPECT_EQ(dlg->ShortIDToSave(), -1);  // ... but the random mode is what is stored
  EXPECT_EQ(dlg->shSelector()->geometry(), dlg->labRandomBack()->geometry().adjusted(-4, -4, 4, 4));
  EXPECT_EQ(chosen, (std::vector<int>{7, 9}));

  // Start-up placement: a stored back frames its box, a stored -1 the label.
  dlg->PlaceBackSelector(3, 3);
  EXPECT_EQ(dlg->ShortIDToSave(), 3);
  EXPECT_EQ(dlg->shSelector()->Framed(), dlg->BackBox(3));
  dlg->PlaceBackSelector(-1, 5);
  EXPECT_EQ(dlg->ActiveShortID(), 5);
  EXPECT_EQ(dlg->ShortIDToSave(), -1);
}

TEST_F(OptionsDialogTest, ClosingRunsCloseWorkThenSaveAndIsRefusedWhileChoosing) {
  std::vector<std::string> events;
  dlg->onClosing = [&] { events.push_back(dlg->isVisible() ? "closing-visible" : "closing"); };
  dlg->onSaveSettings = [&] { events.push_back(dlg->isVisible() ? "save-visible" : "save"); };

  dlg->show();
  dlg->pcOptions()->setCurrentIndex(3);
  Click(dlg->btnClose());
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(events, (std::vector<std::string>{"closing-visible", "save"}));

  // The dialog keeps its state between showings, including the page last shown.
  dlg->show();
  EXPECT_EQ(dlg->pcOptions()->currentIndex(), 3);

  // A close request arriving while a back is being chosen is refused.
  events.clear();
  dlg->onBackChosen = [&](int) { dlg->close(); };
  Click(dlg->BackBox(2));
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_TRUE(events.empty());
  dlg->onBackChosen = nullptr;
  dlg->reject();  // Escape
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(events, (std::vector<std::string>{"closing-visible", "save"}));
}

}  // namespace
}  // namespace tarlyk
