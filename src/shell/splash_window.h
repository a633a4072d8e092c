// The splash window shown while the windows and the card pictures are being built:
// a borderless, always-on-top 488 x 360 picture with "Загрузка..." and a small
// looping animation; the application shows the wait cursor while it is visible.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

#include "shell/background_picture.h"
#include "shell/backing_store_warm_up.h"

namespace tarlyk {

class SplashWindow final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 488;
  static constexpr int kHeight = 360;
  static constexpr int kFrameCount = 19;
  static constexpr int kFrameWidth = 46;
  static constexpr int kFrameHeight = 7;
  static constexpr int kFrameIntervalMs = 90;
  // The longest ShowNow waits for the window system to expose the window.
  static constexpr int kExposeWaitMs = 500;

  explicit SplashWindow(QWidget* parent = nullptr);
  ~SplashWindow() override;

  // Shows the window and returns once its picture and text are painted and handed to
  // the display server (or after kExposeWaitMs when the window system does not expose
  // it), which draws them while the slow work goes on. At a device pixel ratio with no compiled-in picture of
  // its own (any but 1 and 2) the one for ratio 1 is shown enlarged at first, and the
  // picture drawn for the ratio on a second thread replaces it once the event loop runs.
  void ShowNow();

  int CurrentFrame() const { return frame_; }
  // The picture shown: a compiled-in one, until one drawn for the ratio is ready.
  const QImage& Picture() const { return picture_; }
  // The 19 frames one under another (46 x 133 at a device pixel ratio of 1).
  const QImage& Frames() const { return frames_; }

  // Drawn at `ratio` device pixels per pixel, with that device pixel ratio.
  static QImage DrawFrames(qreal ratio = 1.0);
  static QString LoadingText();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void SetWaitCursor(bool on);

  QImage picture_;
  QImage frames_;
  BackgroundPicture sharp_;
  BackingStoreWarmUp storeWarmUp_;
  QTimer timer_;
  int frame_ = 0;
  bool waitCursor_ = false;
  // Whether the window has been painted while the window system showed it.
  bool paintedExposed_ = false;
};

}  // namespace tarlyk
