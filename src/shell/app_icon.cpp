#include "shell/app_icon.h"

#include <QFile>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "shell/card_art.h"

// The shell's pictures live in a static library; referencing its resource initialiser
// keeps the linker from dropping them.
static void InitShellIcons() {
  Q_INIT_RESOURCE(shell_icons);
}

namespace tarlyk {

void EnsureShellResources() {
  static const bool done = [] {
    InitShellIcons();
    return true;
  }();
  (void)done;
}

QImage DrawAppIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;

  // Rounded square in the table's resting colours.
  const QRectF tile(s * 0.03, s * 0.03, s * 0.94, s * 0.94);
  QLinearGradient table(tile.topLeft(), tile.bottomLeft());
  table.setColorAt(0, QColor(218, 234, 253));
  table.setColorAt(1, QColor(136, 174, 228));
  p.setPen(QPen(QColor(70, 100, 160), std::max<qreal>(1.0, s / 32.0)));
  p.setBrush(table);
  p.drawRoundedRect(tile, s * 0.18, s * 0.18);

  // Two fanned cards: a spade behind, a heart in front.
  const qreal cw = s * 0.46;
  const qreal ch = cw * 96.0 / 71.0;
  const QRectF card(-cw / 2, -ch / 2, cw, ch);
  const QString rank = size >= 48 ? QStringLiteral("Т") : QString();
  p.save();
  p.translate(s * 0.42, s * 0.52);
  p.rotate(-14);
  DrawCardFace(p, card, rank, ArtSuit::kSpades);
  p.restore();
  p.save();
  p.translate(s * 0.6, s * 0.5);
  p.rotate(12);
  DrawCardFace(p, card, rank, ArtSuit::kHearts);
  p.restore();
  return image;
}

namespace {

// Reads one of the compiled-in PNG pictures. The format is named and not guessed:
// guessing (as QIcon::addFile does) loads every image format plugin to ask it, which
// costs milliseconds and memory at start-up for pictures that are always PNG.
QImage ReadPng(const QString& path) {
  QImageReader reader(path, "png");
  reader.setAutoDetectImageFormat(false);
  return reader.read();
}

}  // namespace

QIcon PngIcon(const QString& path) {
  QIcon icon;
  const QImage image = ReadPng(path);
  if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
  return icon;
}

QIcon AppIcon() {
  // Built once: every window showing the icon shares it. Kept for the whole run (never
  // destroyed) so no picture outlives the application object in a static destructor.
  static const QIcon* const icon = [] {
    EnsureShellResources();
    auto* built = new QIcon;
    for (int size : kWindowIconSizes) {
      QImage image = ReadPng(QStringLiteral(":/shell/icons/tarlyk-%1.png").arg(size));
      if (image.size() != QSize(size, size)) image = DrawAppIcon(size);
      built->addPixmap(QPixmap::fromImage(image));
    }
    return built;
  }();
  return *icon;
}

QIcon DisguiseIcon() {
  EnsureShellResources();
  QIcon icon;
  for (const char* path : {":/shell/icons/disguise-16.png", ":/shell/icons/disguise-32.png"}) {
    icon.addPixmap(QPixmap::fromImage(ReadPng(QString::fromLatin1(path))));
  }
  return icon;
}

}  // namespace tarlyk
