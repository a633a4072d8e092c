// Finding the modal message boxes a GUI test's action opens: each one shown is handed to
// the test, which answers or closes it so that the action can go on.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>

namespace tarlyk {

// Runs `action`, which opens a modal box, and hands the box to `answer` once it shows.
inline void WithBox(const std::function<void(QMessageBox*)>& answer,
                    const std::function<void()>& action) {
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box != nullptr && box->isVisible()) answer(box);
  });
  poll.start(10);
  action();
}

struct BoxSeen {
  QString caption;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Runs `action`, which is expected to open a modal message box; records and closes it.
inline std::optional<BoxSeen> CaptureBox(const std::function<void()>& action) {
  std::optional<BoxSeen> seen;
  WithBox(
      [&](QMessageBox* box) {
        seen = BoxSeen{box->windowTitle(), box->text(), box->icon()};
        box->accept();
      },
      action);
  return seen;
}

}  // namespace tarlyk
