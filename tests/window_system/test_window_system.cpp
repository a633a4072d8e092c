// What reaches a real X screen: the splash painted before the slow start-up work, and the
// windows placed by their outer frames. Runs on the xcb platform in a private X server
// with a window manager (run_in_xvfb.sh).
#include <QtGui/qguiapplication_platform.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QImage>
#include <QScreen>
#include <QTemporaryDir>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <ostream>
#include <thread>
#include <vector>

#include "art/app_icon.h"
#include "settings/settings_file.h"
#include "shell/about_window.h"
#include "shell/main_window.h"
#include "shell/options_dialog.h"
#include "shell/shell_icons.h"
#include "shell/splash_window.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QPoint& p, std::ostream* os) {
  *os << "(" << p.x() << ", " << p.y() << ")";
}
inline void PrintTo(const QRect& r, std::ostream* os) {
  *os << r.width() << "x" << r.height() << " at (" << r.x() << ", " << r.y() << ")";
}
QT_END_NAMESPACE

namespace tarlyk {
namespace {

xcb_connection_t* Connection() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 != nullptr ? x11->connection() : nullptr;
}

// What the screen shows at the given rectangle of the root window, read straight from the
// X server on a connection of its own.
QImage ScreenPixels(const QRect& rect) {
  xcb_connection_t* conn = xcb_connect(nullptr, nullptr);
  QImage image;
  if (xcb_connection_has_error(conn) == 0) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(conn)).data;
    xcb_get_image_reply_t* reply = xcb_get_image_reply(
        conn,
        xcb_get_image(conn, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, static_cast<int16_t>(rect.x()),
                      static_cast<int16_t>(rect.y()), static_cast<uint16_t>(rect.width()),
                      static_cast<uint16_t>(rect.height()), ~0u),
        nullptr);
    if (reply != nullptr && reply->depth >= 24 &&
        xcb_get_image_data_length(reply) >= rect.width() * rect.height() * 4) {
      image = QImage(xcb_get_image_data(reply), rect.width(), rect.height(), rect.width() * 4,
                     QImage::Format_RGB32)
                  .copy();
    }
    std::free(reply);
  }
  xcb_disconnect(conn);
  return image;
}

// Where the window's client area lies on the root window, as the X server has it.
QRect ClientOnScreen(WId window) {
  xcb_connection_t* conn = Connection();
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(conn)).data;
  const auto id = static_cast<xcb_window_t>(window);
  QRect rect;
  xcb_get_geometry_reply_t* geometry =
      xcb_get_geometry_reply(conn, xcb_get_geometry(conn, id), nullptr);
  xcb_translate_coordinates_reply_t* origin = xcb_translate_coordinates_reply(
      conn, xcb_translate_coordinates(conn, id, screen->root, 0, 0), nullptr);
  if (geometry != nullptr && origin != nullptr) {
    rect = QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
  }
  std::free(geometry);
  std::free(origin);
  return rect;
}

TEST(Splash, PictureAndTextAreOnScreenRightAfterShowNow) {
  ASSERT_NE(Connection(), nullptr) << "not running on the xcb platform";
  SplashWindow splash;
  // A slow desktop: the window manager answers the mapping only after a while.
  const pid_t wm = static_cast<pid_t>(qEnvironmentVariableIntValue("TARLYK_TEST_WM_PID"));
  ASSERT_GT(wm, 0);
  ASSERT_EQ(::kill(wm, SIGSTOP), 0);
  std::thread resume([wm] {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    ::kill(wm, SIGCONT);
  });
  splash.ShowNow();
  resume.join();
  // No event is handled from here on: the start-up's slow work would begin now.
  const QRect where = ClientOnScreen(splash.winId());
  ASSERT_EQ(where.size(), QSize(SplashWindow::kWidth, SplashWindow::kHeight));
  const QImage shown = ScreenPixels(where);
  ASSERT_FALSE(shown.isNull());
  const QImage picture = splash.Picture().convertToFormat(QImage::Format_RGB32);

  // The picture away from the text and the animation, pixel for pixel.
  int differing = 0;
  for (int y = 60; y < SplashWindow::kHeight; y += 7) {
    for (int x = 0; x < SplashWindow::kWidth; x += 5) {
      if (shown.pixel(x, y) != picture.pixel(x, y)) ++differing;
    }
  }
  EXPECT_EQ(differing, 0);
  // "Загрузка..." in white near (8, 22), where the picture itself has no white.
  int white = 0;
  for (int y = 22; y < 38; ++y) {
    for (int x = 8; x < 80; ++x) {
      if (shown.pixel(x, y) == qRgb(255, 255, 255)) ++white;
    }
  }
  EXPECT_GT(white, 20);
  splash.hide();
}

xcb_atom_t Atom(const char* name) {
  xcb_connection_t* conn = Connection();
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      conn, xcb_intern_atom(conn, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
  const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

// The window's outer frame on the screen once the window manager has mapped and framed
// it; nothing while it has not.
std::optional<QRect> FramedOnScreen(WId window) {
  xcb_connection_t* conn = Connection();
  const auto id = static_cast<xcb_window_t>(window);
  xcb_get_window_attributes_reply_t* attributes =
      xcb_get_window_attributes_reply(conn, xcb_get_window_attributes(conn, id), nullptr);
  const bool viewable = attributes != nullptr && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
  std::free(attributes);
  if (!viewable) return std::nullopt;
  xcb_get_property_reply_t* extents = xcb_get_property_reply(
      conn, xcb_get_property(conn, 0, id, Atom("_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL, 0, 4),
      nullptr);
  std::optional<QRect> frame;
  if (extents != nullptr && xcb_get_property_value_length(extents) == 16) {
    const auto* e = static_cast<const uint32_t*>(xcb_get_property_value(extents));
    const QRect client = ClientOnScreen(window);
    frame = client.adjusted(-static_cast<int>(e[0]), -static_cast<int>(e[2]),
                            static_cast<int>(e[1]), static_cast<int>(e[3]));
  }
  std::free(extents);
  return frame;
}

// The main window and the options dialog set up as at start-up from a settings file
// holding `text`, then shown; their outer frames as first mapped and a while later.
struct Placed {
  std::optional<QRect> mainFirst, mainLater, optionsFirst, optionsLater;
};

Placed ShowFromSettings(const QByteArray& text) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("player.dat"));
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text);
  file.close();
  TfrmMain main;
  TfrmOptions options(&main, QStringLiteral("4.0"), &main);
  ScoreCounters score;
  EXPECT_EQ(LoadSettings(path.toStdString(), options, score, "4.0", nullptr), std::string());

  Placed placed;
  main.show();
  options.show();
  const QDeadlineTimer deadline(10000);
  while (!(placed.mainFirst && placed.optionsFirst) && !deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    if (!placed.mainFirst) placed.mainFirst = FramedOnScreen(main.winId());
    if (!placed.optionsFirst) placed.optionsFirst = FramedOnScreen(options.winId());
  }
  const QDeadlineTimer settle(300);
  while (!settle.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  placed.mainLater = FramedOnScreen(main.winId());
  placed.optionsLater = FramedOnScreen(options.winId());
  return placed;
}

// Without a stored position both windows are centred on the desktop by their outer
// frames, and they appear there at once.
TEST(Placement, CentredByTheOuterFrameWithoutAJump) {
  const Placed placed = ShowFromSettings("[Main]\r\nSavePosition=1\r\n");
  ASSERT_TRUE(placed.mainFirst && placed.optionsFirst);
  const QSize desktop = QGuiApplication::primaryScreen()->virtualSize();
  for (const QRect& frame : {*placed.mainFirst, *placed.optionsFirst}) {
    EXPECT_EQ(frame.topLeft(), QPoint((desktop.width() - frame.width()) / 2,
                                      (desktop.height() - frame.height()) / 2))
        << testing::PrintToString(frame);
    EXPECT_GT(frame.height(), frame.width() > 600 ? 514 : 265);  // a title bar around it
  }
  EXPECT_EQ(placed.mainLater, placed.mainFirst);
  EXPECT_EQ(placed.optionsLater, placed.optionsFirst);
}

// A stored position is where the outer frame goes, exactly.
TEST(Placement, StoredPositionsAreTheFramesPositions) {
  const Placed placed = ShowFromSettings(
      "[Main]\r\nSavePosition=1\r\n[Positions]\r\nfrmMain.Left=100\r\nfrmMain.Top=80\r\n"
      "frmOptions.Left=517\r\nfrmOptions.Top=401\r\n");
  ASSERT_TRUE(placed.mainFirst && placed.optionsFirst);
  EXPECT_EQ(placed.mainFirst->topLeft(), QPoint(100, 80));
  EXPECT_EQ(placed.optionsFirst->topLeft(), QPoint(517, 401));
  EXPECT_EQ(placed.mainLater, placed.mainFirst);
  EXPECT_EQ(placed.optionsLater, placed.optionsFirst);
}

// The about window centres itself on its screen at every showing, by its outer frame.
TEST(Placement, AboutWindowCentredByItsFrame) {
  TfrmAbout about;
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  for (int showing = 0; showing < 2; ++showing) {
    about.show();
    std::optional<QRect> frame;
    const QDeadlineTimer deadline(10000);
    while (!frame && !deadline.hasExpired()) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
      frame = FramedOnScreen(about.winId());
    }
    ASSERT_TRUE(frame);
    // A busy window manager may first put it elsewhere; the window then moves to the
    // middle by itself, and stays there.
    const QDeadlineTimer centred(5000);
    while (frame && frame->center() != screen.center() && !centred.hasExpired()) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
      frame = FramedOnScreen(about.winId());
    }
    const QDeadlineTimer settle(300);
    while (!settle.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    frame = FramedOnScreen(about.winId());
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->center(), screen.center())
        << testing::PrintToString(*frame) << " at showing " << showing;
    about.hide();
    // The next showing starts from an unmapped window, as a person's would.
    const QDeadlineTimer unmapped(10000);
    while (FramedOnScreen(about.winId()) && !unmapped.hasExpired())
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
}

// The window icon reaches the X server once per window size, in device pixels: a finer
// screen gets larger pictures, never the same sizes twice over. (Run at ratio 1 and,
// as its own test, at ratio 2.)
TEST(WindowIcon, EachSizeSentOnceInDevicePixels) {
  QWidget window;
  window.setWindowIcon(AppIcon());
  window.resize(120, 80);
  window.show();
  const QDeadlineTimer deadline(10000);
  while (!FramedOnScreen(window.winId()) && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  xcb_connection_t* conn = Connection();
  xcb_get_property_reply_t* reply = xcb_get_property_reply(
      conn,
      xcb_get_property(conn, 0, static_cast<xcb_window_t>(window.winId()), Atom("_NET_WM_ICON"),
                       XCB_ATOM_CARDINAL, 0, 1u << 20),
      nullptr);
  ASSERT_NE(reply, nullptr);
  const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply));
  const int count = xcb_get_property_value_length(reply) / 4;
  std::vector<int> sides;
  for (int i = 0; i + 2 <= count;) {
    EXPECT_EQ(data[i], data[i + 1]);
    sides.push_back(static_cast<int>(data[i]));
    i += 2 + static_cast<int>(data[i] * data[i + 1]);
  }
  std::free(reply);
  std::vector<int> expected;
  for (int side : kWindowIconSizes) {
    expected.push_back(static_cast<int>(std::lround(side * window.devicePixelRatioF())));
  }
  EXPECT_EQ(sides, expected) << "at ratio " << window.devicePixelRatioF();
}

}  // namespace
}  // namespace tarlyk
