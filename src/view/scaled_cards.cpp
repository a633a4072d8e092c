#include "view/scaled_cards.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "game/hand_layout.h"
#include "view/card_library.h"

namespace tarlyk {
namespace {

constexpr int kFirstFace = 1;
constexpr int kFirstBack = 54;
constexpr QRgb kMagentaRgb = 0x00FF00FFu;
constexpr int kLargestLibraryScale = 8;

// A face as an opaque picture: the corner pixels the mask made transparent take the
// colour of the nearest visible pixel on the diagonal, so that enlarging does not pull
// the transparent black into the card's edge (the mask hides those corners again).
QImage OpaqueFace(const QImage& face) {
  QImage out = face.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const int w = out.width(), h = out.height();
  if (w < 4 || h < 4) return out.convertToFormat(QImage::Format_RGB32);
  const struct {
    int x, y, dx, dy;
  } corners[] = {{0, 0, 1, 1}, {w - 1, 0, -1, 1}, {0, h - 1, 1, -1}, {w - 1, h - 1, -1, -1}};
  for (const auto& c : corners) {
    const QRgb fill = out.pixel(c.x + c.dx, c.y + c.dy);
    for (int i = 0; i < 2; ++i) {
      for (int j = 0; j < 2; ++j) {
        const int x = c.x + i * c.dx, y = c.y + j * c.dy;
        if (qAlpha(out.pixel(x, y)) < 255) out.setPixel(x, y, fill);
      }
    }
  }
  return out.convertToFormat(QImage::Format_RGB32);
}

// A back of the library's pixels with the magenta keyed out.
QImage Keyed(const QImage& back) {
  QImage out(back.size(), QImage::Format_ARGB32_Premultiplied);
  if (out.isNull()) return out;
  const int w = back.width();
  for (int y = 0; y < back.height(); ++y) {
    const auto* src = reinterpret_cast<const QRgb*>(back.constScanLine(y));
    auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < w; ++x) {
      dst[x] = (src[x] & 0x00FFFFFFu) == kMagentaRgb ? 0 : (src[x] | 0xFF000000u);
    }
  }
  return out;
}

QImage ScaledOpaque(const QImage& image, QSize size) {
  if (image.size() == size) return image;
  return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
      .convertToFormat(QImage::Format_RGB32);
}

}  // namespace

int DevicePixel(int x, qreal scale) {
  if (scale == 1.0) return x;
  return static_cast<int>(std::floor(x * scale + 0.5));
}

QSize DeviceSize(QSize size, qreal scale) {
  return {DevicePixel(size.width(), scale), DevicePixel(size.height(), scale)};
}

CardMask CardMask::For(QSize pictureSize) {
  CardMask mask;
  const int w = pictureSize.width(), h = pictureSize.height();
  if (w <= 0 || h <= 0) return mask;
  const auto logical = [](int device, int deviceSize, int size) {
    return static_cast<int>((device + 0.5) * size / deviceSize);
  };
  for (int y = 0; y < h; ++y) {
    const int ly = logical(y, h, kCardHeight);
    int x0 = 0, x1 = w;
    while (x0 < w && IsCardCornerPixel(logical(x0, w, kCardWidth), ly)) ++x0;
    while (x1 > x0 && IsCardCornerPixel(logical(x1 - 1, w, kCardWidth), ly)) --x1;
    if (!mask.bands.empty() && mask.bands.back().x0 == x0 && mask.bands.back().x1 == x1) {
      mask.bands.back().y1 = y + 1;
    } else {
      mask.bands.push_back({y, y + 1, x0, x1});
    }
  }
  return mask;
}

std::pair<int, int> CardMask::Row(int y) const {
  for (const Band& b : bands) {
    if (y >= b.y0 && y < b.y1) return {b.x0, b.x1};
  }
  return {0, 0};
}

LargeCardSource::LargeCardSource(std::string libraryPath) : path_(std::move(libraryPath)) {}

LargeCardSource::~LargeCardSource() = default;

bool LargeCardSource::Open() {
  if (!tried_) {
    tried_ = true;
    if (!path_.empty()) {
      auto library = std::make_unique<CardLibrary>();
      // The very file the 71 x 96 pictures came from, with nothing searched for.
      if (library->OpenFile(path_)) {
        for (int s = 2; s <= kLargestLibraryScale; ++s) {
          if (!library->ScaledPixels(kFirstFace, s).empty()) scales_.push_back(s);
        }
        if (!scales_.empty()) library_ = std::move(library);
      }
    }
  }
  return library_ != nullptr;
}

int LargeCardSource::ScaleFor(qreal scale) {
  if (!Open()) return 0;
  for (int s : scales_) {
    if (DeviceSize(QSize(kCardWidth, kCardHeight), scale) == QSize(kCardWidth * s, kCardHeight * s))
      return s;
  }
  for (int s : scales_) {
    if (s > scale) return s;
  }
  return scales_.back();
}

QImage LargeCardSource::Picture(int number, int scale) {
  if (!Open()) return {};
  const CardLibrary::Pixels px = library_->ScaledPixels(number, scale);
  if (px.empty()) return {};
  // Read-only pixels of the loaded library, which stays loaded as long as this object.
  return QImage(reinterpret_cast<const uchar*>(px.data), px.width, px.height,
                static_cast<qsizetype>(px.width) * 4, QImage::Format_RGB32);
}

ScaledCards::ScaledCards(const CardImages& images, qreal scale, LargeCardSource* source)
    : images_(images),
      scale_(scale),
      size_(DeviceSize(QSize(kCardWidth, kCardHeight), scale)),
      mask_(CardMask::For(size_)),
      source_(source) {
  if (source_ != nullptr) sourceScale_ = source_->ScaleFor(scale);
}

QImage ScaledCards::Large(int number) {
  if (sourceScale_ == 0) return {};
  return source_->Picture(number, sourceScale_);
}

const QImage& ScaledCards::Face(int id) {
  const size_t i = static_cast<size_t>(id);
  if (!faceDone_[i]) {
    faceDone_[i] = true;
    const QImage& small = images_.ilCards[i];
    if (!small.isNull()) {
      const QImage large = Large(kFirstFace + id);
      faces_[i] = ScaledOpaque(large.isNull() ? OpaqueFace(small) : large, size_);
    }
  }
  return faces_[i];
}

const QImage& ScaledCards::LightFace(int id) {
  const size_t i = static_cast<size_t>(id);
  if (!lightDone_[i]) {
    lightDone_[i] = true;
    if (sourceScale_ != 0 && !Face(id).isNull()) {
      lights_[i] = TintOpaque(Face(id), images_.tint);
    } else if (const QImage& small = images_.ilLightCards[i]; !small.isNull()) {
      lights_[i] = ScaledOpaque(OpaqueFace(small), size_);
    }
  }
  return lights_[i];
}

const QImage& ScaledCards::Back(int n) {
  const size_t i = static_cast<size_t>(n);
  if (!backDone_[i]) {
    backDone_[i] = true;
    const QImage& small = images_.ilShorts[i];
    if (!small.isNull()) {
      const QImage large = Large(kFirstBack + n);
      backs_[i] = large.isNull() ? ScaleKeepingCutOut(small, size_)
                                 : ScaleKeepingCutOut(Keyed(large), size_);
    }
  }
  return backs_[i];
}

const QImage& ScaledCards::TurnedBack(int n) {
  const size_t i = static_cast<size_t>(n);
  if (!turnedDone_[i]) {
    turnedDone_[i] = true;
    if (sourceScale_ != 0 && !Back(n).isNull()) {
      turned_[i] = TurnQuarterClockwise(Back(n));
    } else if (const QImage& small = images_.ilShorts90[i]; !small.isNull()) {
      turned_[i] = ScaleKeepingCutOut(small, size_.transposed());
    }
  }
  return turned_[i];
}

QImage ScaleKeepingCutOut(const QImage& image, QSize size) {
  if (image.size() == size) return image;
  QImage out = image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                   .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                   .convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const int w = out.width();
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < w; ++x) {
      const int a = qAlpha(line[x]);
      if (a == 255) continue;
      line[x] = a < 128 ? 0 : (qUnpremultiply(line[x]) | 0xFF000000u);
    }
  }
  return out;
}

void DrawMasked(QPainter& painter, QPoint at, const QImage& picture, const CardMask& mask) {
  if (picture.isNull()) return;
  if (mask.bands.empty()) {
    painter.drawImage(at, picture);
    return;
  }
  for (const CardMask::Band& b : mask.bands) {
    if (b.x1 <= b.x0) continue;
    painter.drawImage(at + QPoint(b.x0, b.y0), picture,
                      QRect(b.x0, b.y0, b.x1 - b.x0, b.y1 - b.y0));
  }
}

}  // namespace tarlyk
