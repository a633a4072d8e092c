// Events sent to widgets by GUI tests as the window system would deliver them, and a wait
// that keeps the event loop running.
#pragma once

#include <QApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPointF>
#include <QTimer>
#include <QWidget>

namespace tarlyk {

// Runs the event loop for `ms` milliseconds.
inline void RunEventsFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// One mouse event at `at` in `w`; a press holds `button`, other events hold none.
inline void SendMouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, QPoint at) {
  const Qt::MouseButtons held =
      type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::MouseButtons();
  QMouseEvent event(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
  QApplication::sendEvent(w, &event);
}

// A press and a release of `button` at `at` in `w`.
inline void Click(QWidget* w, Qt::MouseButton button, QPoint at) {
  SendMouse(w, QEvent::MouseButtonPress, button, at);
  SendMouse(w, QEvent::MouseButtonRelease, button, at);
}

}  // namespace tarlyk
