#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTimer>
#include <cstdlib>

#include "game/options_values.h"
#include "game/random.h"
#include "game/tdm_data.h"
#include "shell/main_window.h"
#include "widget_events.h"

namespace tarlyk {
namespace {

TEST(MainWindow, FrameAndElementsStandAtTheirPlacesWithTheirTexts) {
  TfrmMain w;
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Тарлык"));
  EXPECT_EQ(w.centralWidget()->size(), QSize(710, 514));
  EXPECT_EQ(w.centralWidget()->y(), w.menuBar()->height());
  EXPECT_EQ(w.minimumSize(), w.maximumSize());
  EXPECT_FALSE(w.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_EQ(w.pos(), QPoint(49, 1));

  EXPECT_EQ(w.imgDesk->geometry(), QRect(0, 0, 710, 480));
  EXPECT_EQ(w.labFon->geometry(), QRect(0, 480, 710, 34));
  EXPECT_EQ(w.labStatus->geometry(), QRect(6, 482, 555, 13));
  EXPECT_EQ(w.labCounts->geometry(), QRect(6, 497, 555, 13));
  EXPECT_EQ(w.btnEvent->geometry(), QRect(580, 485, 125, 24));
  EXPECT_EQ(w.labStatus->text(), QStringLiteral("Сыграем?"));
  EXPECT_TRUE(w.labStatus->font().bold());
  EXPECT_FALSE(w.labCounts->font().bold());
  EXPECT_EQ(w.labCounts->text(),
            QStringLiteral("Побед: 0 (0%), Поражений: 0 (0%), Ничьих: 0 (0%), Всего игр: 0"));
  EXPECT_EQ(w.btnEvent->text(), QStringLiteral("Новая партия"));
  EXPECT_EQ(w.ActionState(), kActionNewGame);
  EXPECT_FALSE(w.btnEvent->isHidden());
  EXPECT_EQ(w.TableWidth(), 710);
  EXPECT_EQ(w.TableHeight(), 480);

  // The title picture is a real picture, not a flat fill.
  EXPECT_TRUE(w.TitleShown());
  const QImage& title = w.DeskImage();
  ASSERT_EQ(title.size(), QSize(710, 480));
  EXPECT_NE(title.pixel(355, 400), title.pixel(5, 240));
  EXPECT_NE(title.pixel(355, 150), title.pixel(5, 240));
}

TEST(MainWindow, ActionButtonFollowsItsModes) {
  TfrmMain w;
  QList<qint64> icons;
  for (int state : {kActionTake, kActionDone, kActionGive, kActionNewGame}) {
    const QString caption = TfrmMain::ActionCaption(state);
    w.SetActionButton(state, caption.toStdString(), state != kActionDone);
    EXPECT_EQ(w.ActionState(), state);
    EXPECT_EQ(w.btnEvent->text(), caption);
    EXPECT_EQ(w.btnEvent->isHidden(), state == kActionDone);
    ASSERT_FALSE(w.btnEvent->icon().isNull());
    icons << w.btnEvent->icon().pixmap(16, 16).toImage().cacheKey();
  }
  EXPECT_EQ(TfrmMain::ActionCaption(kActionTake), QStringLiteral("Беру"));
  EXPECT_EQ(TfrmMain::ActionCaption(kActionDone), QStringLiteral("Отбой"));
  EXPECT_EQ(TfrmMain::ActionCaption(kActionGive), QStringLiteral("Отдать"));
}

TEST(MainWindow, MenusCarryCaptionsShortcutsAndIcons) {
  TfrmMain w;
  const QList<QAction*> top = w.menuBar()->actions();
  ASSERT_EQ(top.size(), 2);
  EXPECT_EQ(top[0]->text(), QStringLiteral("Игра"));
  EXPECT_EQ(top[1]->text(), QStringLiteral("Справка"));
  const QList<QAction*> game = top[0]->menu()->actions();
  ASSERT_EQ(game.size(), 4);
  EXPECT_TRUE(game[1]->isSeparator());
  struct Item {
    QAction* action;
    const char* text;
    QKeySequence key;
  };
  const Item items[] = {
      {game[0], "Новая партия", QKeySequence(Qt::Key_F2)},
      {game[2], "Параметры...", QKeySequence(Qt::CTRL | Qt::Key_P)},
      {game[3], "Выход", QKeySequence(Qt::ALT | Qt::Key_F4)},
      {top[1]->menu()->actions().value(0), "Вызов справки...", QKeySequence(Qt::Key_F1)},
      {top[1]->menu()->actions().value(1), "О программе...", QKeySequence(Qt::CTRL | Qt::Key_F1)},
  };
  for (const Item& item : items) {
    ASSERT_NE(item.action, nullptr);
    EXPECT_EQ(item.action->text(), QString::fromUtf8(item.text));
    EXPECT_EQ(item.action->shortcut(), item.key) << item.text;
    EXPECT_FALSE(item.action->icon().isNull()) << item.text;
  }

  int options = 0, help = 0, about = 0, closes = 0;
  QObject::connect(&w, &TfrmMain::optionsRequested, [&] { ++options; });
  QObject::connect(&w, &TfrmMain::helpRequested, [&] { ++help; });
  QObject::connect(&w, &TfrmMain::aboutRequested, [&] { ++about; });
  w.SetCloseHandler([&] { ++closes; });
  w.show();
  w.actOptions->trigger();
  w.actHelp->trigger();
  w.actAbout->trigger();
  w.actExit->trigger();
  EXPECT_EQ(options + help + about, 3);
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(w.isVisible());
}

TEST(MainWindow, ColourSchemesReachButtonTableAndTitle) {
  struct Case {
    const char* name;
    QColor first, second;
  };
  const Case cases[] = {
      {"olive", QColor(234, 240, 207), QColor(177, 192, 140)},
      {"Metallic", QColor(225, 226, 236), QColor(152, 150, 179)},
      {"classic", QColor(218, 234, 253), QColor(136, 174, 228)},
  };
  TfrmMain w;
  for (const Case& c : cases) {
    SettleLook(SchemeFromName(c.name));
    w.ApplyLook();
    EXPECT_EQ(w.btnEvent->RestFirstColor(), c.first) << c.name;
    EXPECT_EQ(w.btnEvent->RestSecondColor(), c.second) << c.name;
    EXPECT_EQ(w.TableColor(), c.first) << c.name;
    EXPECT_EQ(w.TableShadeColor(), c.second) << c.name;
    const QColor edge = w.DeskImage().pixelColor(0, 0);  // the title's shaded edge
    EXPECT_LE(std::abs(edge.red() - c.second.red()) + std::abs(edge.green() - c.second.green()) +
                  std::abs(edge.blue() - c.second.blue()),
              3)
        << c.name;
  }
  // Classic look: the window and the strip take their own colours.
  EXPECT_EQ(w.centralWidget()->palette().color(QPalette::Window), QColor(216, 228, 248));
  EXPECT_EQ(w.labFon->Colors().first, QColor(216, 228, 248));
  EXPECT_EQ(w.labFon->Colors().second, QColor(122, 150, 223));
  // A named colour on the button falls back to the default table colours.
  w.btnEvent->SetRestColors(QColor(255, 255, 255), QColor(1, 2, 3));
  EXPECT_EQ(w.TableColor(), QColor(218, 234, 253));
  EXPECT_EQ(w.TableShadeColor(), QColor(1, 2, 3));
}

TEST(MainWindow, RepaintShowsThePaintedPictureAndRainTicksUntilSwitchedOff) {
  TfrmMain w;
  QSize painted;
  QImage::Format format = QImage::Format_Invalid;
  w.SetDeskPainter([&](QImage& img) {
    painted = img.size();
    format = img.format();
    img.setPixelColor(10, 10, QColor(1, 2, 3));
  });
  w.RepaintDesk();
  EXPECT_FALSE(w.TitleShown());
  EXPECT_EQ(painted, QSize(710, 480));
  EXPECT_EQ(format, QImage::Format_ARGB32_Premultiplied);
  EXPECT_EQ(w.DeskImage().pixelColor(10, 10), QColor(1, 2, 3));
  EXPECT_EQ(w.DeskImage().pixelColor(300, 300), w.TableColor());

  int ticks = 0;
  w.SetRainTick([&](QImage& img) {
    img.setPixelColor(20, 20, QColor(9, 9, 9));
    if (++ticks == 3) w.SetAnimationTimer(false);
  });
  w.SetAnimationTimer(true);
  RunEventsFor(600);
  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(w.timAnimate->isActive());
  EXPECT_EQ(w.DeskImage().pixelColor(20, 20), QColor(9, 9, 9));
}

TEST(MainWindow, TableEventsAndTheMenuReachTheGame) {
  TfrmMain w;
  OptionValues options;
  options.firstStep = 2;  // the person always leads
  SeededRandom random(5);
  ScoreCounters score;
  TdmData data(w, options, random, score, "Тест");
  w.SetGame(&data);
  int paints = 0;
  w.SetDeskPainter([&](QImage&) { ++paints; });
  int requests = 0;
  QObject::connect(&w, &TfrmMain::newGameRequested, [&] { ++requests; });

  w.N4->trigger();
  EXPECT_TRUE(data.GameActive);
  EXPECT_EQ(requests, 1);
  EXPECT_GT(paints, 0);
  EXPECT_EQ(w.ActionState(), kActionDone);

  // Over a card of the hand the pointer becomes a hand; elsewhere an arrow.
  SendMouse(w.imgDesk, QEvent::MouseMove, Qt::NoButton, QPoint(170, 400));
  EXPECT_EQ(w.imgDesk->cursor().shape(), Qt::PointingHandCursor);
  SendMouse(w.imgDesk, QEvent::MouseMove, Qt::NoButton, QPoint(300, 300));
  EXPECT_EQ(w.imgDesk->cursor().shape(), Qt::ArrowCursor);

  // Leading the first card puts it on the table.
  SendMouse(w.imgDesk, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(170, 400));
  SendMouse(w.imgDesk, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(170, 400));
  EXPECT_NE(data.DeskCards[0].Value, 0);
}

}  // namespace
}  // namespace tarlyk
