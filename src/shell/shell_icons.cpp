#include "shell/shell_icons.h"

#include <QImageReader>

#include "art/app_icon.h"

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
