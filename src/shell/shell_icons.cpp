#include "shell/shell_icons.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "art/app_icon.h"
#include "shell/lazy_icon_engine.h"

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

struct Picture {
  int size = 0;
  QString path;
};

// Of the pictures (square, `size` pixels a side), the one for `wanted`: the smallest
// that is at least as large, otherwise the largest.
const Picture* Nearest(const std::vector<Picture>& pictures, QSize wanted) {
  const int side = std::max(wanted.width(), wanted.height());
  const Picture* best = nullptr;
  for (const Picture& p : pictures) {
    if (best == nullptr) {
      best = &p;
    } else if (best->size >= side ? (p.size >= side && p.size < best->size) : p.size > best->size) {
      best = &p;
    }
  }
  return best;
}

// An icon of shipped pictures and of those made for it at build time at larger sizes
// (:/icons/<size>/<name>.png, see src/art/render). The made ones are looked up only
// when a size beyond the shipped ones is first asked for.
QIcon ThemeIcon(std::vector<Picture> shipped, const QString& name) {
  QList<QSize> listed;
  for (const Picture& p : shipped) listed.append(QSize(p.size, p.size));
  auto pictures = std::move(shipped);
  bool lookedUp = false;
  auto source = [pictures, name, lookedUp](QSize size) mutable -> QImage {
    const bool shippedSize = std::any_of(pictures.begin(), pictures.end(), [&](const Picture& p) {
      return QSize(p.size, p.size) == size;
    });
    if (!shippedSize && !lookedUp) {
      lookedUp = true;
      for (int made : kIconMadeSizes) {
        const QString path = MadeIconPath(name, made);
        if (QFile::exists(path)) pictures.push_back({made, path});
      }
    }
    const Picture* best = Nearest(pictures, size);
    return best != nullptr ? ReadPng(best->path) : QImage();
  };
  return QIcon(new LazyIconEngine(listed, std::move(source)));
}

}  // namespace

QString MadeIconPath(const QString& name, int size) {
  return QStringLiteral(":/icons/%1/%2.png").arg(size).arg(name);
}

QIcon PngIcon(const QString& path) {
  return ThemeIcon({{16, path}}, QFileInfo(path).completeBaseName());
}

QIcon AppIcon() {
  // Built once: every window showing the icon shares it. Kept for the whole run (never
  // destroyed) so no picture outlives the application object in a static destructor.
  static const QIcon* const icon = [] {
    EnsureShellResources();
    // Every size is read from the shipped pictures: the one of that size, or the next
    // larger one, which the icon scales down smoothly. Reading one costs a fraction of
    // drawing it, and a finer screen asks for several at its first window. Only beyond
    // the largest shipped one, or when a picture is unreadable, is the icon drawn.
    std::vector<Picture> shipped;
    for (int side : kAppIconSizes) {
      shipped.push_back({side, QStringLiteral(":/shell/icons/tarlyk-%1.png").arg(side)});
    }
    auto source = [shipped](QSize size) {
      const int side = std::max(size.width(), size.height());
      const Picture* best = Nearest(shipped, size);
      if (best != nullptr && best->size >= side) {
        QImage image = ReadPng(best->path);
        if (image.size() == QSize(best->size, best->size)) return image;
      }
      return DrawAppIcon(side);
    };
    // Only the sizes a window needs are named: a window sends each of them to the X
    // server at the screen's pixel ratio, so a finer screen gets its device sizes.
    QList<QSize> listed;
    for (int side : kWindowIconSizes) listed.append(QSize(side, side));
    return new QIcon(new LazyIconEngine(listed, source));
  }();
  return *icon;
}

QIcon DisguiseIcon() {
  EnsureShellResources();
  return ThemeIcon({{16, QStringLiteral(":/shell/icons/disguise-16.png")},
                    {32, QStringLiteral(":/shell/icons/disguise-32.png")}},
                   QStringLiteral("disguise"));
}

}  // namespace tarlyk
