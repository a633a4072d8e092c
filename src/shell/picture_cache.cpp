#include "shell/picture_cache.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace tarlyk {

namespace {

constexpr QImage::Format kFormat = QImage::Format_ARGB32_Premultiplied;

QString FileFor(const QString& key) {
  QString name = key;
  for (QChar& c : name) {
    if (!c.isLetterOrNumber() && c != QLatin1Char('-') && c != QLatin1Char('_')) {
      c = QLatin1Char('_');
    }
  }
  return PictureCacheDir() + QLatin1Char('/') + name + QStringLiteral(".argb");
}

qsizetype ByteCount(QSize size) {
  return static_cast<qsizetype>(size.width()) * size.height() * 4;
}

QImage Read(const QString& path, QSize size) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() != ByteCount(size)) return {};
  QImage image(size, kFormat);
  if (image.isNull()) return {};
  // Rows are 32-bit pixels without padding, so the file is the image's bytes in order.
  const qsizetype rowBytes = static_cast<qsizetype>(size.width()) * 4;
  for (int y = 0; y < size.height(); ++y) {
    if (file.read(reinterpret_cast<char*>(image.scanLine(y)), rowBytes) != rowBytes) return {};
  }
  return image;
}

void Write(const QString& path, const QImage& image) {
  if (!QDir().mkpath(PictureCacheDir())) return;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return;
  const qsizetype rowBytes = static_cast<qsizetype>(image.width()) * 4;
  for (int y = 0; y < image.height(); ++y) {
    if (file.write(reinterpret_cast<const char*>(image.constScanLine(y)), rowBytes) != rowBytes) {
      file.cancelWriting();
      return;
    }
  }
  file.commit();
}

}  // namespace

QString PictureCacheDir() {
  QString base = QString::fromLocal8Bit(qgetenv("XDG_CACHE_HOME"));
  if (base.isEmpty() || !QDir::isAbsolutePath(base)) {
    base = QDir::homePath() + QStringLiteral("/.cache");
  }
  return base + QStringLiteral("/tarlyk");
}

QImage CachedPicture(const QString& key, QSize size, const std::function<QImage()>& draw) {
  const QString path = FileFor(key);
  QImage image = Read(path, size);
  if (!image.isNull()) return image;
  image = draw().convertToFormat(kFormat);
  if (image.size() == size) Write(path, image);
  return image;
}

}  // namespace tarlyk
