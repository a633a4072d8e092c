// A small picture in a window (the about window's and the options dialog's icons): an
// icon painted at the widget's size, asked for at the device pixel ratio of the screen
// it is painted on, so it stays sharp when the window moves to a finer screen.
#pragma once

#include <QIcon>
#include <QWidget>

namespace tarlyk {

class IconLabel final : public QWidget {
 public:
  IconLabel(QIcon icon, QWidget* parent);

  const QIcon& Icon() const { return icon_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QIcon icon_;
};

}  // namespace tarlyk
