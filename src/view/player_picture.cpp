#include "view/player_picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace tarlyk {
namespace {

// Reads at most kMaxUserPictureBytes + 1 bytes of a regular file; empty on any failure
// or when the file is empty or larger than the limit.
QByteArray readBounded(const QString& path) {
  std::error_code ec;
  const std::filesystem::path fsPath(path.toStdString());
  // Only regular files: a FIFO or device would block or never end.
  if (!std::filesystem::is_regular_file(fsPath, ec) || ec) return {};
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QByteArray bytes = file.read(kMaxUserPictureBytes + 1);
  if (bytes.size() > kMaxUserPictureBytes) return {};
  return bytes;
}

// Restores Qt's global decoding allocation limit when leaving the scope.
class AllocationLimit {
 public:
  explicit AllocationLimit(int megabytes) : saved_(QImageReader::allocationLimit()) {
    QImageReader::setAllocationLimit(megabytes);
  }
  ~AllocationLimit() { QImageReader::setAllocationLimit(saved_); }
  AllocationLimit(const AllocationLimit&) = delete;
  AllocationLimit& operator=(const AllocationLimit&) = delete;

 private:
  int saved_;
};

QImage toIcon(const QImage& source) {
  QImage scaled = source;
  if (source.width() != kIconSize || source.height() != kIconSize) {
    scaled = source.scaled(kIconSize, kIconSize, Qt::KeepAspectRatioByExpanding,
                           Qt::SmoothTransformation);
    scaled = scaled.copy((scaled.width() - kIconSize) / 2, (scaled.height() - kIconSize) / 2,
                         kIconSize, kIconSize);
  }
  // Drawn without a mask: any transparency is flattened onto the panel colour.
  QImage icon(kIconSize, kIconSize, QImage::Format_ARGB32_Premultiplied);
  icon.fill(PanelPictures::kIconBackground);
  QPainter p(&icon);
  p.drawImage(0, 0, scaled);
  p.end();
  return icon;
}

}  // namespace

bool NeedRepairIcon(bool repairUserIcon, const std::string& winVersion) {
  return repairUserIcon && winVersion == "5.1";
}

void RepairIU(QImage& picture) {
  if (picture.isNull()) return;
  const QImage::Format f = picture.format();
  if (f != QImage::Format_ARGB32 && f != QImage::Format_ARGB32_Premultiplied &&
      f != QImage::Format_RGB32)
    picture.convertTo(QImage::Format_ARGB32);
  const int w = picture.width();
  std::vector<QRgb> row(static_cast<size_t>(w));
  for (int y = 0; y < picture.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < w; ++x) {
      // Column x goes to x - 3, wrapping round (also for pictures narrower than 3).
      const int to = ((x - 3) % w + w) % w;
      const QRgb px = line[x];
      row[static_cast<size_t>(to)] = qRgba(qBlue(px), qRed(px), qGreen(px), qAlpha(px));
    }
    std::copy(row.begin(), row.end(), line);
  }
}

std::optional<QImage> LoadUserPicture(const QString& path, bool needRepair) {
  QByteArray bytes = readBounded(path);
  if (bytes.isEmpty()) return std::nullopt;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  const QByteArray format = reader.format();
  if (format != "png" && format != "jpeg" && format != "jpg" && format != "bmp")
    return std::nullopt;
  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty() ||
      static_cast<qint64>(size.width()) * size.height() > kMaxUserPicturePixels)
    return std::nullopt;
  QImage image;
  {
    const AllocationLimit limit(128);
    if (!reader.read(&image)) return std::nullopt;
  }
  if (image.isNull() || image.width() <= 0 || image.height() <= 0) return std::nullopt;
  if (needRepair) RepairIU(image);
  return toIcon(image);
}

bool ApplyUserPicture(PanelPictures& pictures, const QString& path, bool needRepair) {
  if (path.isEmpty()) return true;
  std::optional<QImage> icon = LoadUserPicture(path, needRepair);
  if (!icon) return false;
  pictures.ilIcons[1] = *icon;
  return true;
}

}  // namespace tarlyk
