#include "view/player_picture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <memory>
#include <vector>

#include "game/game_options.h"

namespace tarlyk {
namespace {

// Opens a regular file for reading; null when it is missing, unreadable, not a regular
// file (a FIFO or device would block or never end), empty or larger than the limit. The
// file is checked after opening, so it cannot be swapped in between.
std::unique_ptr<QFile> OpenPicture(const QString& path) {
  const int fd =
      ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0 ||
      info.st_size > kMaxUserPictureBytes) {
    ::close(fd);
    return nullptr;
  }
  auto file = std::make_unique<QFile>();
  if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return nullptr;
  }
  return file;
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

// Decoding never needs more than this (a picture of kMaxUserPicturePixels at 16 bits a
// channel, and the reader's own scratch), whatever a damaged header says.
constexpr int kAllocationLimitMegabytes = 8;

qint64 Pixels(QSize size) {
  return static_cast<qint64>(size.width()) * size.height();
}

// The part of a picture that fills a square icon when it is scaled keeping its
// proportions: the centred square of its shorter side.
QRect CentredSquare(QSize size) {
  const int side = std::min(size.width(), size.height());
  return QRect((size.width() - side) / 2, (size.height() - side) / 2, side, side);
}

// Drawn without a mask: any transparency is flattened onto the panel colour.
QImage Flattened(const QImage& square) {
  QImage icon(kIconSize, kIconSize, QImage::Format_ARGB32_Premultiplied);
  icon.fill(PanelPictures::kIconBackground);
  QPainter p(&icon);
  p.drawImage(0, 0, square);
  p.end();
  return icon;
}

}  // namespace

bool NeedRepairIcon(bool repairUserIcon, const std::string& winVersion) {
  return repairUserIcon && OfferedOn(SpecOf(Option::kRepairUserIcon), winVersion);
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
  const std::unique_ptr<QFile> file = OpenPicture(path);
  if (!file) return std::nullopt;
  QImageReader reader(file.get());
  reader.setDecideFormatFromContent(true);
  if (!reader.canRead()) return std::nullopt;
  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty()) return std::nullopt;
  const bool vector = reader.format().startsWith("svg");
  if (!vector && (Pixels(size) > kMaxUserPicturePixels ||
                  std::max(size.width(), size.height()) > kMaxUserPictureSide)) {
    return std::nullopt;
  }

  // A reader that cuts and scales while decoding is asked for the icon alone; any other
  // decodes the whole picture and the square is cut from it here.
  const bool reduces = reader.supportsOption(QImageIOHandler::ClipRect) &&
                       reader.supportsOption(QImageIOHandler::ScaledSize);
  if (reduces) {
    reader.setClipRect(CentredSquare(size));
    reader.setScaledSize(QSize(kIconSize, kIconSize));
  }
  QImage image;
  {
    const AllocationLimit limit(kAllocationLimitMegabytes);
    if (!reader.read(&image)) return std::nullopt;
  }
  if (image.isNull() || image.width() <= 0 || image.height() <= 0) return std::nullopt;
  if (needRepair) RepairIU(image);
  if (image.width() != image.height()) image = image.copy(CentredSquare(image.size()));
  if (image.width() != kIconSize) {
    image = image.scaled(kIconSize, kIconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  return Flattened(image);
}

bool ApplyUserPicture(PanelPictures& pictures, const QString& path, bool needRepair) {
  if (path.isEmpty()) return false;
  std::optional<QImage> icon = LoadUserPicture(path, needRepair);
  if (!icon) return false;
  pictures.ilIcons[1] = *icon;
  return true;
}

}  // namespace tarlyk
