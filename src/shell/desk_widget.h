// The table picture of the main window (imgDesk): shows one image and reports mouse
// releases, left clicks and pointer moves in the picture's pixel coordinates. It takes
// the keyboard focus by Tab or when the keyboard's mark appears; to assistive technology
// it is the table with the cards on it (accessible_table.h).
#pragma once

#include <QImage>
#include <QWidget>

namespace tarlyk {

class TdmData;

class DeskWidget : public QWidget {
  Q_OBJECT

 public:
  explicit DeskWidget(QWidget* parent = nullptr);

  // Shows a new picture in one step.
  void SetImage(QImage image);
  QImage& Image() { return image_; }
  const QImage& Image() const { return image_; }

  // The game whose table this is, read by the accessible table; may be null.
  void SetGame(const TdmData* game) { game_ = game; }
  const TdmData* Game() const { return game_; }
  // The card of the person's hand (1..n) the keyboard's mark frames, 0 for none.
  void SetMarkedCard(int position) { markedCard_ = position; }
  int MarkedCard() const { return markedCard_; }

 signals:
  // A left click (press and release inside the picture); sent before the release.
  void clicked();
  void mouseReleased(Qt::MouseButton button, int x, int y);
  void mouseMoved(int x, int y);
  void focusChanged(bool focused);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  QImage image_;
  bool leftPressed_ = false;
  const TdmData* game_ = nullptr;
  int markedCard_ = 0;
};

}  // namespace tarlyk
