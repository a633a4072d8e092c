#include "shell/splash_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <cmath>

#include "art/device_size.h"
#include "art/fonts.h"
#include "art/render/built_in_pictures.h"
#include "art/splash_picture.h"
#include "shell/shell_texts.h"

namespace tarlyk {

namespace {

QFont TahomaBold(int pixels) {
  return TahomaPx(pixels, true);
}

}  // namespace

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(BuiltInSplashPicture(devicePixelRatioF())),
      frames_(DrawFrames(devicePixelRatioF())) {
  // At a ratio with no compiled-in picture of its own the one for ratio 1 stands in
  // until a finer one is drawn; without any the one for the ratio is drawn here.
  if (picture_.isNull()) picture_ = BuiltInSplashPicture();
  if (picture_.isNull()) picture_ = SplashPicture(devicePixelRatioF());
  setWindowTitle(QString::fromUtf8(kSplashWindowTitle));
  setFixedSize(kWidth, kHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect desktop = screen->virtualGeometry();
    move(desktop.left() + (desktop.width() - kWidth) / 2,
         desktop.top() + (desktop.height() - kHeight) / 2);
  }
  timer_.setInterval(kFrameIntervalMs);
  connect(&timer_, &QTimer::timeout, this, [this] {
    frame_ = (frame_ + 1) % kFrameCount;
    update(8, 6, kFrameWidth, kFrameHeight);
  });
  timer_.start();
}

SplashWindow::~SplashWindow() {
  SetWaitCursor(false);
}

void SplashWindow::ShowNow() {
  paintedExposed_ = false;
  // Its memory and the picture's are touched while showing sets the wait cursor, which
  // takes milliseconds.
  storeWarmUp_.Start(this, picture_);
  show();
  raise();
  // What is drawn before the window system exposes the window is lost, and the slow
  // work that follows handles no events: wait (within a bound) for the exposure, which
  // paints the whole window and hands it to the display server, which draws it while
  // the work goes on.
  QWindow* window = windowHandle();
  if (window != nullptr && !window->isExposed()) {
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.start(kExposeWaitMs);  // also wakes the wait below at the bound
    while (!window->isExposed() && deadline.isActive()) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
  }
  // Showing usually handles the exposure at once and paints; a second painting would
  // only cost time (several milliseconds on a finer screen).
  if (!paintedExposed_) repaint();

  // The picture for a finer screen takes tens of milliseconds to draw. Started only now:
  // showing the window loads the fonts, which the drawing would otherwise hold up.
  const qreal ratio = devicePixelRatioF();
  if (picture_.devicePixelRatio() != ratio) {
    RegisterTahoma();  // the registration is for the main thread
    sharp_.Start([ratio](const std::atomic<bool>& stop) { return DrawSplashPicture(ratio, &stop); },
                 [this](QImage sharp) {
                   if (sharp.isNull()) return;  // called off
                   picture_ = std::move(sharp);
                   update();
                   ReleaseBuiltInSplashPicture();  // it stood in and is gone
                 });
  }
}

QString SplashWindow::LoadingText() {
  return QString::fromUtf8(kLoadingText);
}

QImage SplashWindow::DrawFrames(qreal ratio) {
  QImage image(DeviceSize(QSize(kFrameWidth, kFrameHeight * kFrameCount), ratio),
               QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  // Five small squares; a bright spot runs across them and round again.
  constexpr int kBoxes = 5;
  constexpr double kPitch = 10.0;  // 5 boxes of 6 px with 4-px gaps: 46 px
  for (int f = 0; f < kFrameCount; ++f) {
    const double spot = -1.0 + (kBoxes + 1.0) * f / (kFrameCount - 1.0);
    for (int b = 0; b < kBoxes; ++b) {
      const double d = std::abs(b - spot);
      const double light = std::max(0.0, 1.0 - d / 1.6);
      const QColor c(static_cast<int>(120 + 135 * light), static_cast<int>(150 + 105 * light), 255,
                     static_cast<int>(140 + 115 * light));
      p.setPen(Qt::NoPen);
      p.setBrush(c);
      p.drawRoundedRect(QRectF(b * kPitch, f * kFrameHeight + 0.5, 6, 6), 1.5, 1.5);
    }
  }
  return image;
}

void SplashWindow::paintEvent(QPaintEvent*) {
  const QWindow* window = windowHandle();
  if (window != nullptr && window->isExposed()) paintedExposed_ = true;
  QPainter p(this);
  // The compiled-in picture standing in on a finer screen is enlarged smoothly.
  if (picture_.devicePixelRatio() != devicePixelRatioF()) {
    p.setRenderHint(QPainter::SmoothPixmapTransform);
  }
  p.drawImage(0, 0, picture_);
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.setFont(TahomaBold(13));
  p.setPen(Qt::white);
  p.drawText(QRect(8, 22, kWidth - 16, 20), Qt::AlignLeft | Qt::AlignTop, LoadingText());
  // The frame's place in the picture is in its own (device) pixels.
  const qreal ratio = frames_.devicePixelRatio();
  p.drawImage(QRectF(8, 6, kFrameWidth, kFrameHeight), frames_,
              QRectF(0, frame_ * kFrameHeight * ratio, kFrameWidth * ratio, kFrameHeight * ratio));
}

void SplashWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F4) {
    event->accept();  // Alt+F4 must not close the splash
    return;
  }
  QWidget::keyPressEvent(event);
}

void SplashWindow::closeEvent(QCloseEvent* event) {
  // Only the program itself closes the splash; a close request from the window
  // manager (Alt+F4) is refused.
  if (event->spontaneous()) {
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

void SplashWindow::showEvent(QShowEvent* event) {
  SetWaitCursor(true);
  QWidget::showEvent(event);
}

void SplashWindow::hideEvent(QHideEvent* event) {
  SetWaitCursor(false);
  // A finer picture no longer shown is not worth the processor time it still takes.
  sharp_.CallOff();
  QWidget::hideEvent(event);
}

void SplashWindow::SetWaitCursor(bool on) {
  if (on == waitCursor_) return;
  waitCursor_ = on;
  if (on) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

}  // namespace tarlyk
