// The table picture of the main window (imgDesk): shows the title picture, then the
// table drawn at the device pixel ratio of the screen the window is on, and reports mouse
// releases, left clicks and pointer moves in table coordinates. It takes the keyboard
// focus by Tab or when the keyboard's mark appears; to assistive technology it is the
// table with the cards on it (accessible_table.h), in table coordinates.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <vector>

namespace tarlyk {

class TdmData;

class DeskWidget : public QWidget {
  Q_OBJECT

 public:
  // Draws the table, or something on it, into the picture: the widget's size in device
  // pixels, with that device pixel ratio set.
  using Drawing = std::function<void(QImage&)>;

  explicit DeskWidget(QWidget* parent = nullptr);

  // Shows a finished picture (the title picture) as it is, in one step.
  void SetImage(QImage image);
  // Shows the table `drawing` draws, into one picture kept for every repaint: drawn at
  // once when `now` is set, otherwise when the picture is next needed (the next paint or
  // Image()), so that the repaints of one event cost one drawing. It is drawn again when
  // the device pixel ratio changes.
  void SetDrawing(Drawing drawing, bool now);
  // Draws `drawing` over the table at once and keeps it with the table, to be drawn again
  // after it when the device pixel ratio changes, until the next SetDrawing.
  void AddDrawing(Drawing drawing);

  // The picture shown, brought up to date first.
  QImage& Image();
  const QImage& Image() const;

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
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // Draws the table and what lies on it into the picture at `ratio`.
  void Draw(qreal ratio);

  QImage image_;  // the title picture, or the table
  bool table_ = false;
  Drawing drawing_;
  std::vector<Drawing> over_;
  bool stale_ = false;
  bool leftPressed_ = false;
  const TdmData* game_ = nullptr;
  int markedCard_ = 0;
};

}  // namespace tarlyk
