#include "shell/splash_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QScreen>
#include <cmath>

#include "shell/card_art.h"
#include "shell/fonts.h"
#include "shell/picture_cache.h"

namespace tarlyk {

namespace {

QFont TahomaBold(int pixels) {
  return TahomaPx(pixels, true);
}

}  // namespace

// The cache keys' number names the drawing: raise it whenever DrawPicture changes.
SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(CachedPicture(
          RegisterTahoma() ? QStringLiteral("splash-1-tahoma") : QStringLiteral("splash-1-sans"),
          QSize(kWidth, kHeight), &SplashWindow::DrawPicture)),
      frames_(DrawFrames()) {
  setWindowTitle(QStringLiteral("Тарлык (Загружается)"));
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
  show();
  raise();
  repaint();
  QCoreApplication::processEvents();
}

QString SplashWindow::LoadingText() {
  return QStringLiteral("Загрузка...");
}

QImage SplashWindow::DrawPicture() {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);

  // Deep blue sky above, the table's blue below.
  QLinearGradient back(0, 0, 0, kHeight);
  back.setColorAt(0.0, QColor(26, 44, 92));
  back.setColorAt(0.45, QColor(62, 98, 170));
  back.setColorAt(1.0, QColor(136, 174, 228));
  p.fillRect(image.rect(), back);
  QRadialGradient glow(QPointF(kWidth / 2.0, 170), 230);
  glow.setColorAt(0, QColor(218, 234, 253, 110));
  glow.setColorAt(1, QColor(218, 234, 253, 0));
  p.fillRect(image.rect(), glow);

  // A fan of five cards, and a face-down stock beside it.
  const QRectF card(-35.5, -48, 71, 96);
  const struct {
    const char* rank;
    ArtSuit suit;
  } fan[] = {{"6", ArtSuit::kClubs},
             {"В", ArtSuit::kDiamonds},
             {"Д", ArtSuit::kSpades},
             {"К", ArtSuit::kHearts},
             {"Т", ArtSuit::kSpades}};
  for (int i = 0; i < 5; ++i) {
    p.save();
    p.translate(kWidth / 2.0, 250);
    p.rotate(-30.0 + 15.0 * i);
    p.translate(0, -78);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(card.translated(3, 3), 6, 6);
    DrawCardFace(p, card, QString::fromUtf8(fan[i].rank), fan[i].suit);
    p.restore();
  }
  for (int i = 0; i < 3; ++i) {
    DrawCardBack(p, QRectF(40 + i * 2, 214 - i * 2, 71, 96));
    DrawCardBack(p, QRectF(kWidth - 111 - i * 2, 214 - i * 2, 71, 96));
  }

  // The name of the game.
  p.setFont(TahomaBold(44));
  const QRectF nameBox(0, 268, kWidth, 52);
  p.setPen(QColor(20, 30, 70, 150));
  p.drawText(nameBox.translated(2, 2), Qt::AlignCenter, QStringLiteral("Тарлык"));
  p.setPen(Qt::white);
  p.drawText(nameBox, Qt::AlignCenter, QStringLiteral("Тарлык"));
  p.setFont(TahomaBold(15));
  p.setPen(QColor(26, 44, 92));
  p.drawText(QRectF(0, 318, kWidth, 22), Qt::AlignCenter, QStringLiteral("подкидной"));
  p.setFont(TahomaBold(11));
  p.setPen(QColor(255, 255, 255, 200));
  p.drawText(QRectF(0, 6, kWidth - 10, 16), Qt::AlignRight | Qt::AlignTop,
             QStringLiteral("версия 1.1"));
  return image;
}

QImage SplashWindow::DrawFrames() {
  QImage image(kFrameWidth, kFrameHeight * kFrameCount, QImage::Format_ARGB32_Premultiplied);
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
  QPainter p(this);
  p.drawImage(0, 0, picture_);
  p.setFont(TahomaBold(13));
  p.setPen(Qt::white);
  p.drawText(QRect(8, 22, kWidth - 16, 20), Qt::AlignLeft | Qt::AlignTop, LoadingText());
  p.drawImage(QPoint(8, 6), frames_, QRect(0, frame_ * kFrameHeight, kFrameWidth, kFrameHeight));
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
