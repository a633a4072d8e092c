// The table picture of the main window (imgDesk): shows one image and reports mouse
// releases, left clicks and pointer moves in the picture's pixel coordinates.
#pragma once

#include <QImage>
#include <QWidget>

namespace tarlyk {

class DeskWidget : public QWidget {
  Q_OBJECT

 public:
  explicit DeskWidget(QWidget* parent = nullptr);

  // Shows a new picture in one step.
  void SetImage(QImage image);
  QImage& Image() { return image_; }
  const QImage& Image() const { return image_; }

 signals:
  // A left click (press and release inside the picture); sent before the release.
  void clicked();
  void mouseReleased(Qt::MouseButton button, int x, int y);
  void mouseMoved(int x, int y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QImage image_;
  bool leftPressed_ = false;
};

}  // namespace tarlyk
