// Prints the colours of a rectangle of the X screen, one "R G B" line per pixel, row by
// row: x_pixels X Y W H. Used by the smoke test to look at the real window.
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s X Y W H\n", argv[0]);
    return 2;
  }
  const auto x = static_cast<int16_t>(std::atoi(argv[1]));
  const auto y = static_cast<int16_t>(std::atoi(argv[2]));
  const auto w = static_cast<uint16_t>(std::atoi(argv[3]));
  const auto h = static_cast<uint16_t>(std::atoi(argv[4]));
  xcb_connection_t* conn = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(conn)) return 1;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(conn)).data;
  if (screen->root_depth != 24 && screen->root_depth != 32) return 1;
  xcb_get_image_reply_t* image = xcb_get_image_reply(
      conn, xcb_get_image(conn, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, x, y, w, h, ~0u),
      nullptr);
  if (image == nullptr) return 1;
  const uint8_t* data = xcb_get_image_data(image);
  const int length = xcb_get_image_data_length(image);
  // 32 bits per pixel, blue-green-red-pad on the usual little-endian server.
  for (int i = 0; i + 3 < length && i / 4 < w * h; i += 4) {
    std::printf("%d %d %d\n", data[i + 2], data[i + 1], data[i]);
  }
  std::free(image);
  xcb_disconnect(conn);
  return 0;
}
