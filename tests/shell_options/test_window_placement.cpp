// Stored window positions: kept as stored while the title bar can be reached on some
// screen, otherwise brought onto the nearest screen.
#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <ostream>

#include "settings/settings_file.h"
#include "shell/main_window.h"
#include "shell/options_dialog.h"
#include "shell/window_placement.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QPoint& p, std::ostream* os) {
  *os << "(" << p.x() << ", " << p.y() << ")";
}
QT_END_NAMESPACE

namespace tarlyk {
namespace {

constexpr QSize kMain(712, 552);  // the main window framed by a 20-pixel title bar
constexpr int kTitle = 20;

// A wide monitor with a panel along its bottom, and a second one at its right.
const ScreenArea kLeft{QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1040)};
const ScreenArea kRight{QRect(1920, 0, 1280, 600), QRect(1920, 0, 1280, 600)};

TEST(WindowPlacement, PositionsWithATitleBarInReachAreKept) {
  const std::vector<ScreenArea> both{kLeft, kRight};
  for (const QPoint p : {QPoint(49, 1), QPoint(2500, 100), QPoint(-600, 300),
                         QPoint(1000, 1070),  // 10 pixels of the title bar above the edge
                         QPoint(100, -10), QPoint(3168, 0)}) {
    EXPECT_EQ(ReachablePosition(p, kMain, kTitle, both), p);
  }
  // Nothing to judge by: kept.
  EXPECT_EQ(ReachablePosition(QPoint(-9000, 9000), kMain, kTitle, {}), QPoint(-9000, 9000));
}

TEST(WindowPlacement, TitleBarOutOfReachIsBroughtOntoTheNearestScreen) {
  const std::vector<ScreenArea> leftOnly{kLeft};
  const struct {
    QPoint stored;
    std::vector<ScreenArea> screens;
    QPoint placed;
  } cases[] = {
      // The right monitor unplugged: onto the left one, as far right as it fits.
      {QPoint(2500, 100), leftOnly, QPoint(1208, 100)},
      {QPoint(-5000, -5000), leftOnly, QPoint(0, 0)},
      {QPoint(-700, 300), leftOnly, QPoint(0, 300)},      // 12 pixels of it left
      {QPoint(1000, 1077), leftOnly, QPoint(1000, 488)},  // 3 pixels, above the panel
      {QPoint(100, -17), leftOnly, QPoint(100, 0)},
      // Below the shorter right monitor, nearer to it than to the left one.
      {QPoint(2000, 800), {kLeft, kRight}, QPoint(2000, 48)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.stored));
    EXPECT_EQ(ReachablePosition(c.stored, kMain, kTitle, c.screens), c.placed);
  }
  // Larger than the screen: its top-left corner at the screen's.
  const ScreenArea small{QRect(0, 0, 640, 480), QRect(0, 0, 640, 480)};
  EXPECT_EQ(ReachablePosition(QPoint(5000, 5000), kMain, kTitle, {small}), QPoint(0, 0));
}

// The start-up applies stored positions the same way.
TEST(WindowPlacement, LoadedPositionsStayOnTheScreen) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("player.dat"));
  const auto load = [&](const QByteArray& positions, TfrmOptions& options) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Main]\r\nSavePosition=1\r\n[Positions]\r\n" + positions);
    file.close();
    ScoreCounters score;
    EXPECT_EQ(LoadSettings(path.toStdString(), options, score, "4.0", nullptr), std::string());
  };
  {
    TfrmMain main;
    TfrmOptions options(&main, QStringLiteral("4.0"), &main);
    load("frmMain.Left=30\r\nfrmMain.Top=5\r\nfrmOptions.Left=-20\r\nfrmOptions.Top=40\r\n",
         options);
    EXPECT_EQ(main.pos(), QPoint(30, 5));
    EXPECT_EQ(options.pos(), QPoint(-20, 40));
  }
  {
    TfrmMain main;
    TfrmOptions options(&main, QStringLiteral("4.0"), &main);
    load(
        "frmMain.Left=5000\r\nfrmMain.Top=3000\r\nfrmOptions.Left=-3000\r\nfrmOptions.Top=-900"
        "\r\n",
        options);
    for (const QWidget* w : {static_cast<QWidget*>(&main), static_cast<QWidget*>(&options)}) {
      const QRect outer(w->pos(), OuterSize(w));
      EXPECT_TRUE(screen.contains(outer.topLeft())) << w->pos().x() << "," << w->pos().y();
      EXPECT_TRUE(outer.width() > screen.width() || screen.contains(outer.topRight()));
    }
  }
}

}  // namespace
}  // namespace tarlyk
