#include "art/splash_picture.h"

#include <QColor>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include "art/art_texts.h"
#include "art/card_art.h"
#include "art/device_size.h"
#include "art/fonts.h"

namespace tarlyk {

namespace {

constexpr int kWidth = kSplashPictureSize.width();
constexpr int kHeight = kSplashPictureSize.height();

}  // namespace

QImage DrawSplashPicture(qreal ratio, const std::atomic<bool>* stop) {
  const auto stopped = [stop] { return stop != nullptr && stop->load(); };
  // The card faces ask for "Tahoma" by name, which only finds it once registered.
  RegisterTahoma();
  QImage image(DeviceSize(kSplashPictureSize, ratio), QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  const QRectF whole(0, 0, kWidth, kHeight);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);

  // Deep blue sky above, the table's blue below.
  QLinearGradient back(0, 0, 0, kHeight);
  back.setColorAt(0.0, QColor(26, 44, 92));
  back.setColorAt(0.45, QColor(62, 98, 170));
  back.setColorAt(1.0, QColor(136, 174, 228));
  p.fillRect(whole, back);
  QRadialGradient glow(QPointF(kWidth / 2.0, 170), 230);
  glow.setColorAt(0, QColor(218, 234, 253, 110));
  glow.setColorAt(1, QColor(218, 234, 253, 0));
  p.fillRect(whole, glow);
  if (stopped()) return {};

  // A fan of five cards, and a face-down stock beside it.
  const QRectF card(-35.5, -48, 71, 96);
  const struct {
    const char* rank;
    ArtSuit suit;
  } fan[] = {{"6", ArtSuit::kClubs},
             {kJackLetter, ArtSuit::kDiamonds},
             {kQueenLetter, ArtSuit::kSpades},
             {kKingLetter, ArtSuit::kHearts},
             {kAceLetter, ArtSuit::kSpades}};
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
    if (stopped()) return {};
  }
  for (int i = 0; i < 3; ++i) {
    DrawCardBack(p, QRectF(40 + i * 2, 214 - i * 2, 71, 96));
    DrawCardBack(p, QRectF(kWidth - 111 - i * 2, 214 - i * 2, 71, 96));
    if (stopped()) return {};
  }

  if (stopped()) return {};

  // The name of the game.
  p.setFont(TahomaPx(44, true));
  const QRectF nameBox(0, 268, kWidth, 52);
  p.setPen(QColor(20, 30, 70, 150));
  const QString name = QString::fromUtf8(kGameName);
  p.drawText(nameBox.translated(2, 2), Qt::AlignCenter, name);
  p.setPen(Qt::white);
  p.drawText(nameBox, Qt::AlignCenter, name);
  p.setFont(TahomaPx(15, true));
  p.setPen(QColor(26, 44, 92));
  // Centred on y 329 in a box tall enough for the breve of "й" and the descent:
  // drawText clips to its box.
  p.drawText(QRectF(0, 314, kWidth, 30), Qt::AlignCenter, QString::fromUtf8(kGameVariant));
  p.setFont(TahomaPx(11, true));
  p.setPen(QColor(255, 255, 255, 200));
  p.drawText(QRectF(0, 6, kWidth - 10, 16), Qt::AlignRight | Qt::AlignTop,
             QString::fromUtf8(kSplashVersion));
  return image;
}

}  // namespace tarlyk
