#include "shell/boss_key.h"

#include <QtGui/qguiapplication_platform.h>

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QWindowStateChangeEvent>

#include "art/art_texts.h"
#include "shell/shell_icons.h"

#if defined(TARLYK_HAVE_XCB)
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdlib>
#include <iterator>
#endif

namespace tarlyk {

#if defined(TARLYK_HAVE_XCB)
namespace {

constexpr uint32_t kReturnKeysym = 0xff0d;  // XK_Return
constexpr uint16_t kNumLock = XCB_MOD_MASK_2;
constexpr uint16_t kCapsLock = XCB_MOD_MASK_LOCK;
constexpr uint16_t kVariants[] = {0, kNumLock, kCapsLock, kNumLock | kCapsLock};

xcb_connection_t* X11Connection() {
  auto* app = qGuiApp;
  if (app == nullptr) return nullptr;
  auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
  return x11 != nullptr ? x11->connection() : nullptr;
}

}  // namespace
#endif

BossKey::BossKey(QObject* parent)
    : QObject(parent), normalIcon_(AppIcon()), disguiseIcon_(DisguiseIcon()) {}

BossKey::~BossKey() {
  Unregister();
  if (filterInstalled_ && QCoreApplication::instance() != nullptr) {
    QCoreApplication::instance()->removeNativeEventFilter(this);
  }
}

void BossKey::Watch(QWidget* mainWindow) {
  if (main_) main_->removeEventFilter(this);
  main_ = mainWindow;
  if (main_) main_->installEventFilter(this);
}

void BossKey::SetArmed(bool armed) {
  if (armed == armed_) return;
  armed_ = armed;
  if (armed) {
    Register();
  } else {
    Unregister();
  }
}

void BossKey::Register() {
#if defined(TARLYK_HAVE_XCB)
  xcb_connection_t* conn = X11Connection();
  if (conn == nullptr) return;
  const xcb_setup_t* setup = xcb_get_setup(conn);
  const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
  if (screens.rem == 0) return;
  root_ = screens.data->root;

  xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(conn);
  if (symbols == nullptr) return;
  xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, kReturnKeysym);
  keycode_ = codes != nullptr ? codes[0] : 0;
  std::free(codes);
  xcb_key_symbols_free(symbols);
  if (keycode_ == 0) return;

  if (!filterInstalled_) {
    QCoreApplication::instance()->installNativeEventFilter(this);
    filterInstalled_ = true;
  }
  // The plain Ctrl grab decides; the NumLock and CapsLock variants only widen it. All
  // are sent before the first answer is awaited: one round trip, not four.
  xcb_void_cookie_t cookies[std::size(kVariants)];
  for (size_t i = 0; i < std::size(kVariants); ++i) {
    cookies[i] = xcb_grab_key_checked(
        conn, 1, root_, static_cast<uint16_t>(XCB_MOD_MASK_CONTROL | kVariants[i]), keycode_,
        XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
  }
  bool ok = true;
  for (size_t i = 0; i < std::size(kVariants); ++i) {
    if (xcb_generic_error_t* error = xcb_request_check(conn, cookies[i])) {
      if (kVariants[i] == 0) ok = false;
      std::free(error);
    }
  }
  registered_ = ok;
  if (!ok) Unregister();  // held by another program: silently no effect
#endif
}

void BossKey::Unregister() {
#if defined(TARLYK_HAVE_XCB)
  if (root_ == 0 || keycode_ == 0) return;
  xcb_connection_t* conn = X11Connection();
  if (conn == nullptr) return;
  // Ungrabbing only ever touches this client's own grabs.
  for (uint16_t extra : kVariants) {
    xcb_ungrab_key(conn, keycode_, root_, static_cast<uint16_t>(XCB_MOD_MASK_CONTROL | extra));
  }
  xcb_flush(conn);
#endif
  registered_ = false;
}

bool BossKey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
#if defined(TARLYK_HAVE_XCB)
  if (!registered_ || eventType != "xcb_generic_event_t") return false;
  auto* event = static_cast<xcb_generic_event_t*>(message);
  const uint8_t type = event->response_type & 0x7f;
  if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) return false;
  auto* key = reinterpret_cast<xcb_key_press_event_t*>(event);
  if (key->detail != keycode_ || key->event != root_) return false;
  const uint16_t mods = key->state & ~(kNumLock | kCapsLock) &
                        (XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 |
                         XCB_MOD_MASK_3 | XCB_MOD_MASK_4 | XCB_MOD_MASK_5);
  if (mods != XCB_MOD_MASK_CONTROL) return false;
  if (type == XCB_KEY_PRESS) Press();
  return true;
#else
  (void)eventType;
  (void)message;
  return false;
#endif
}

void BossKey::Press() {
  pressed_ = true;
  // Minimise every window of the program, modal dialogs included. The main window
  // goes last so that its minimise (which consumes the flag) sees the others gone.
  const auto windows = QApplication::topLevelWidgets();
  for (QWidget* w : windows) {
    if (w != main_ && w->isVisible() && !w->isMinimized()) w->showMinimized();
  }
  if (main_ && main_->isVisible() && !main_->isMinimized()) main_->showMinimized();
}

bool BossKey::eventFilter(QObject* watched, QEvent* event) {
  if (watched == main_ && event->type() == QEvent::WindowStateChange) {
    const auto* change = static_cast<QWindowStateChangeEvent*>(event);
    const bool was = change->oldState() & Qt::WindowMinimized;
    const bool now = main_->windowState() & Qt::WindowMinimized;
    if (now && !was && pressed_) {
      pressed_ = false;
      Disguise();
    } else if (was && !now) {
      Undisguise();
    }
  }
  return QObject::eventFilter(watched, event);
}

void BossKey::Disguise() {
  const QString title = QString::fromUtf8(kDisguiseTitle);
  main_->setWindowTitle(title);
  main_->setWindowIconText(title);
  main_->setWindowIcon(disguiseIcon_);
}

void BossKey::Undisguise() {
  const QString title = QString::fromUtf8(kGameName);
  main_->setWindowTitle(title);
  main_->setWindowIconText(title);
  main_->setWindowIcon(normalIcon_);
  // Windows minimised along with the main window come back with it.
  const auto windows = QApplication::topLevelWidgets();
  for (QWidget* w : windows) {
    if (w != main_ && w->isVisible() && w->isMinimized()) w->showNormal();
  }
}

}  // namespace tarlyk
