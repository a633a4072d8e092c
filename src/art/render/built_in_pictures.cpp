#include "art/render/built_in_pictures.h"

#include <sys/mman.h>
#include <unistd.h>

#include <QResource>

#include "art/device_size.h"
#include "art/raw_picture.h"
#include "art/splash_picture.h"
#include "art/title_picture.h"

namespace tarlyk {

namespace {

QImage FromResource(const QString& path, QSize size, PictureColors colors) {
  const QResource resource(path);
  if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression) {
    return {};
  }
  return DecodeRawPicture(resource.data(), resource.size(), size, colors);
}

// Only the pages wholly inside the resource: those it shares hold other data. The
// resource is read-only data of the program, so its pages are clean copies of the file.
void ReleasePages(const QString& path) {
  const QResource resource(path);
  if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression) return;
  const auto page = static_cast<quintptr>(sysconf(_SC_PAGESIZE));
  const auto start = reinterpret_cast<quintptr>(resource.data());
  const quintptr first = (start + page - 1) / page * page;
  const quintptr end = (start + static_cast<quintptr>(resource.size())) / page * page;
  if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_DONTNEED);
}

const QString kTitlePath = QStringLiteral(":/pictures/title.px");
const QString kSplashPath = QStringLiteral(":/pictures/splash.px");
const QString kFineSplashPath = QStringLiteral(":/pictures/splash@2x.px");

}  // namespace

QImage BuiltInTitlePicture(QSize size, const QColor& table, const QColor& shade) {
  return FromResource(kTitlePath, size, {table.rgb(), shade.rgb()});
}

QImage BuiltInSplashPicture(qreal ratio) {
  if (ratio == 1.0) return FromResource(kSplashPath, kSplashPictureSize, {});
  if (ratio != 2.0) return {};
  QImage image = FromResource(kFineSplashPath, DeviceSize(kSplashPictureSize, ratio), {});
  if (!image.isNull()) image.setDevicePixelRatio(ratio);
  return image;
}

void ReleaseBuiltInTitlePicture() {
  ReleasePages(kTitlePath);
}

bool IsBuiltInTitlePicture(const QImage& image) {
  const QResource resource(kTitlePath);
  if (image.isNull() || !resource.isValid()) return false;
  const uchar* begin = resource.data();
  const uchar* bits = image.constBits();
  return bits >= begin && bits < begin + resource.size();
}

void ReleaseBuiltInSplashPicture() {
  ReleasePages(kSplashPath);
  ReleasePages(kFineSplashPath);
}

QImage TitlePicture(QSize size, const QColor& table, const QColor& shade, qreal ratio) {
  QImage image = ratio == 1.0 ? BuiltInTitlePicture(size, table, shade) : QImage();
  return image.isNull() ? DrawTitlePicture(size, table, shade, ratio) : image;
}

QImage SplashPicture(qreal ratio) {
  QImage image = BuiltInSplashPicture(ratio);
  return image.isNull() ? DrawSplashPicture(ratio) : image;
}

}  // namespace tarlyk
