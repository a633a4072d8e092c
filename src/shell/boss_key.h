// The boss key: Ctrl+Enter as a system-wide hot key. On a press every window of the
// program is minimised and the taskbar entry is disguised as a word-processor
// document; any restore brings back the normal title and icon. Without an X11
// connection (offscreen, Wayland) nothing is registered and nothing is reported.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>

#include "shell/shell_texts.h"

namespace tarlyk {

class BossKey final : public QObject, public QAbstractNativeEventFilter {
  Q_OBJECT

 public:
  explicit BossKey(QObject* parent = nullptr);
  ~BossKey() override;  // withdraws the registration

  // The window whose minimise and restore stand for the application's.
  void Watch(QWidget* mainWindow);

  // Arms (registers Ctrl+Enter) or disarms; the same state again does nothing.
  void SetArmed(bool armed);
  bool IsArmed() const { return armed_; }
  // True while the window system actually holds our grab.
  bool IsRegistered() const { return registered_; }

  // What the hot key does: remember the press and minimise every window.
  void Press();
  bool BossKeyPressed() const { return pressed_; }

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Register();
  void Unregister();
  void Disguise();
  void Undisguise();

  QPointer<QWidget> main_;
  QIcon normalIcon_;
  QIcon disguiseIcon_;
  bool armed_ = false;
  bool registered_ = false;
  bool pressed_ = false;
  bool filterInstalled_ = false;
  uint32_t root_ = 0;
  uint8_t keycode_ = 0;
};

}  // namespace tarlyk
