#include "art/render/built_in_pictures.h"

#include <QResource>

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

}  // namespace

QImage BuiltInTitlePicture(QSize size, const QColor& table, const QColor& shade) {
  return FromResource(QStringLiteral(":/pictures/title.px"), size, {table.rgb(), shade.rgb()});
}

QImage BuiltInSplashPicture() {
  return FromResource(QStringLiteral(":/pictures/splash.px"), kSplashPictureSize, {});
}

QImage TitlePicture(QSize size, const QColor& table, const QColor& shade, qreal ratio) {
  QImage image = ratio == 1.0 ? BuiltInTitlePicture(size, table, shade) : QImage();
  return image.isNull() ? DrawTitlePicture(size, table, shade, ratio) : image;
}

QImage SplashPicture(qreal ratio) {
  QImage image = ratio == 1.0 ? BuiltInSplashPicture() : QImage();
  return image.isNull() ? DrawSplashPicture(ratio) : image;
}

}  // namespace tarlyk
