// A label that reports a left-button click, for the card-back chooser.
#pragma once

#include <QLabel>

namespace tarlyk {

class ClickLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ClickLabel(QWidget* parent = nullptr) : QLabel(parent) {}

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace tarlyk
