#include "shell/window_placement.h"

#include <QtGui/qguiapplication_platform.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <map>
#include <optional>
#include <thread>
#include <tuple>

#if defined(TARLYK_HAVE_XCB)
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#endif

namespace tarlyk {

namespace {

// A title bar counts as within reach when at least this much of it lies on a screen
// (all of it when it is smaller).
constexpr int kGrabWidth = 32;
constexpr int kGrabHeight = 4;
// Without a frame the top of the window stands for its title bar.
constexpr int kMinTitleHeight = 8;

#if defined(TARLYK_HAVE_XCB)

// The longest the window manager is given to announce a frame. It answers within a few
// milliseconds; a busy machine may keep it waiting much longer, and only a manager that
// claims to answer and never does costs the whole wait.
constexpr auto kFrameAnswerWait = std::chrono::milliseconds(750);

xcb_connection_t* X11Connection() {
  auto* app = qGuiApp;
  if (app == nullptr) return nullptr;
  auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
  return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* conn, const char* name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      conn, xcb_intern_atom(conn, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
  const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

// The 32-bit values of a window property (empty when it is missing).
std::vector<uint32_t> Property(xcb_connection_t* conn, xcb_window_t window, xcb_atom_t property,
                               xcb_atom_t type) {
  std::vector<uint32_t> values;
  xcb_get_property_reply_t* reply = xcb_get_property_reply(
      conn, xcb_get_property(conn, 0, window, property, type, 0, 1024), nullptr);
  if (reply != nullptr && reply->format == 32) {
    const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply));
    const int count = xcb_get_property_value_length(reply) / 4;
    values.assign(data, data + count);
  }
  std::free(reply);
  return values;
}

xcb_window_t RootWindow(xcb_connection_t* conn) {
  return xcb_setup_roots_iterator(xcb_get_setup(conn)).data->root;
}

// Whether a running window manager says it answers frame-size requests.
bool WindowManagerAnswers(xcb_connection_t* conn, xcb_atom_t request) {
  const xcb_window_t root = RootWindow(conn);
  const xcb_atom_t check = Atom(conn, "_NET_SUPPORTING_WM_CHECK");
  const std::vector<uint32_t> wm = Property(conn, root, check, XCB_ATOM_WINDOW);
  if (wm.size() != 1 || Property(conn, wm[0], check, XCB_ATOM_WINDOW) != wm) return false;
  const std::vector<uint32_t> supported =
      Property(conn, root, Atom(conn, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
  return std::find(supported.begin(), supported.end(), request) != supported.end();
}

// Asks the window manager which frame it would put around a window of this kind: a
// hidden stand-in with the same flags and size limits is created, the request sent,
// and the answer awaited for a short while. Empty margins when no manager answers such
// requests; nothing when the answer did not come in time.
std::optional<QMargins> AnnouncedFrame(const QWidget* window) {
  xcb_connection_t* conn = X11Connection();
  if (conn == nullptr) return QMargins();
  const xcb_atom_t request = Atom(conn, "_NET_REQUEST_FRAME_EXTENTS");
  if (request == XCB_ATOM_NONE || !WindowManagerAnswers(conn, request)) return QMargins();
  const xcb_atom_t extents = Atom(conn, "_NET_FRAME_EXTENTS");

  QWindow standIn;
  standIn.setFlags(window->windowFlags());
  standIn.setMinimumSize(window->minimumSize());
  standIn.setMaximumSize(window->maximumSize());
  standIn.resize(window->size().expandedTo(QSize(1, 1)));
  standIn.create();
  const auto id = static_cast<xcb_window_t>(standIn.winId());

  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = id;
  message.type = request;
  xcb_send_event(conn, 0, RootWindow(conn),
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(conn);
  const auto deadline = std::chrono::steady_clock::now() + kFrameAnswerWait;
  for (;;) {
    // left, right, top, bottom
    const std::vector<uint32_t> e = Property(conn, id, extents, XCB_ATOM_CARDINAL);
    if (e.size() == 4) {
      return QMargins(static_cast<int>(e[0]), static_cast<int>(e[2]), static_cast<int>(e[1]),
                      static_cast<int>(e[3]));
    }
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

#endif

// The window manager's answer for windows of this kind, asked once when `ask` allows;
// empty when it has not been asked.
QMargins ExpectedFrame(const QWidget* window, bool ask) {
#if defined(TARLYK_HAVE_XCB)
  using Kind = std::tuple<int, bool>;  // flags, fixed size
  static std::map<Kind, QMargins> known;
  const Kind kind{static_cast<int>(window->windowFlags()),
                  window->minimumSize() == window->maximumSize()};
  const auto found = known.find(kind);
  if (found != known.end()) return found->second;
  if (!ask) return {};
  // An answer that did not come in time is not kept: the next window of this kind asks
  // again.
  const std::optional<QMargins> margins = AnnouncedFrame(window);
  if (!margins) return {};
  known.emplace(kind, *margins);
  return *margins;
#else
  (void)window;
  (void)ask;
  return {};
#endif
}

QMargins Frame(const QWidget* window, bool ask) {
  if (window->isVisible()) {
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    if (frame != client) {
      return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                      frame.right() - client.right(), frame.bottom() - client.bottom());
    }
  }
  return ExpectedFrame(window, ask);
}

// The squared distance from a point to a rectangle (0 inside).
qint64 DistanceSquared(QPoint p, const QRect& r) {
  const qint64 dx =
      p.x() < r.left() ? r.left() - p.x() : (p.x() > r.right() ? p.x() - r.right() : 0);
  const qint64 dy =
      p.y() < r.top() ? r.top() - p.y() : (p.y() > r.bottom() ? p.y() - r.bottom() : 0);
  return dx * dx + dy * dy;
}

// The first coordinate along one axis that keeps `length` inside [low, low + room).
int Inside(int position, int length, int low, int room) {
  if (length >= room) return low;
  return std::clamp(position, low, low + room - length);
}

}  // namespace

QMargins FrameMargins(const QWidget* window) {
  return Frame(window, true);
}

QSize OuterSize(const QWidget* window) {
  return window->size().grownBy(FrameMargins(window));
}

std::vector<ScreenArea> DesktopScreens() {
  std::vector<ScreenArea> screens;
  for (const QScreen* screen : QGuiApplication::screens()) {
    screens.push_back({screen->geometry(), screen->availableGeometry()});
  }
  return screens;
}

QPoint ReachablePosition(QPoint outer, QSize outerSize, int titleHeight,
                         const std::vector<ScreenArea>& screens) {
  const QRect title(outer, QSize(outerSize.width(), std::max(titleHeight, kMinTitleHeight)));
  const int grabWidth = std::min(kGrabWidth, title.width());
  const int grabHeight = std::min(kGrabHeight, title.height());
  const ScreenArea* nearest = nullptr;
  qint64 nearestDistance = 0;
  for (const ScreenArea& screen : screens) {
    const QRect shown = title.intersected(screen.geometry);
    if (shown.width() >= grabWidth && shown.height() >= grabHeight) return outer;
    const qint64 distance = DistanceSquared(title.center(), screen.geometry);
    if (nearest == nullptr || distance < nearestDistance) {
      nearest = &screen;
      nearestDistance = distance;
    }
  }
  if (nearest == nullptr) return outer;
  const QRect area = nearest->available.isEmpty() ? nearest->geometry : nearest->available;
  return QPoint(Inside(outer.x(), outerSize.width(), area.left(), area.width()),
                Inside(outer.y(), outerSize.height(), area.top(), area.height()));
}

void PlaceWindow(QWidget* window, QPoint outer) {
  // Whether the title bar can be reached is judged with the frame as far as it is known
  // already: a few pixels of frame do not decide it, and asking costs time.
  const QMargins frame = Frame(window, false);
  const QPoint placed =
      ReachablePosition(outer, window->size().grownBy(frame), frame.top(), DesktopScreens());
  // A window's position is its frame's, except for one whose native window exists but
  // which Qt has not yet seen framed: Qt puts its client area there.
  const bool clientAtPosition = window->testAttribute(Qt::WA_WState_Created) &&
                                window->frameGeometry() == window->geometry();
  window->move(clientAtPosition ? placed + QPoint(frame.left(), frame.top()) : placed);
}

}  // namespace tarlyk
