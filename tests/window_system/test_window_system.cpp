// What reaches a real X screen: the splash painted before the slow start-up work, and the
// windows placed by their outer frames. Runs on the xcb platform in a private X server
// with a window manager (run_in_xvfb.sh).
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QImage>
#include <QtGui/qguiapplication_platform.h>
#include <cstdlib>
#include <memory>

#include "shell/splash_window.h"

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
        xcb_get_image(conn, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root,
                      static_cast<int16_t>(rect.x()), static_cast<int16_t>(rect.y()),
                      static_cast<uint16_t>(rect.width()), static_cast<uint16_t>(rect.height()),
                      ~0u),
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
  splash.ShowNow();
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

}  // namespace
}  // namespace tarlyk
