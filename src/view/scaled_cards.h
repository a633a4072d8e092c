// The card pictures at a device pixel ratio other than 1, for a table drawn at the
// screen's own resolution: taken from the card library's larger pictures when it has
// them, otherwise enlarged smoothly from the 71 x 96 pictures. Each picture is made at
// its first use and kept; a whole multiple the library holds costs no copy at all.
#pragma once

#include <QImage>
#include <QSize>
#include <array>
#include <memory>
#include <vector>

#include "view/card_images.h"

namespace tarlyk {

class CardLibrary;

// A table position at a device pixel ratio: position x of the table lands on device pixel
// DevicePixel(x, scale), halves rounded up, so that every position steps alike and a
// picture drawn there meets its neighbours without a seam.
int DevicePixel(int x, qreal scale);
// The device size of a picture of `size` table pixels at `scale`.
QSize DeviceSize(QSize size, qreal scale);

// Which pixels of a card picture the card-corner mask leaves visible, for a picture of
// any size: the 71 x 96 mask laid over it (a device pixel is hidden when its centre falls
// into a hidden pixel of the mask). The mask hides only corner pixels, so each row shows
// one run [x0, x1); rows that show the same run form a band.
struct CardMask {
  struct Band {
    int y0, y1, x0, x1;
  };
  std::vector<Band> bands;

  static CardMask For(QSize pictureSize);
  // The run row y shows.
  std::pair<int, int> Row(int y) const;
};

// Opens the card library again for its larger pictures at the first need and keeps it
// loaded from then on. Empty when there is no library path or the library cannot be
// loaded; it then offers no pictures and the 71 x 96 ones are enlarged instead.
class LargeCardSource {
 public:
  explicit LargeCardSource(std::string libraryPath);
  ~LargeCardSource();
  LargeCardSource(const LargeCardSource&) = delete;
  LargeCardSource& operator=(const LargeCardSource&) = delete;

  // Bitmap `number` at `scale` times its size, wrapped without a copy (32-bit opaque
  // pixels; magenta where a back is transparent); null when not held.
  QImage Picture(int number, int scale);
  // The library's whole multiples that fit `scale` best: the exact one, else the smallest
  // larger one, else the largest; 0 when it has none.
  int ScaleFor(qreal scale);

 private:
  bool Open();

  std::string path_;
  std::unique_ptr<CardLibrary> library_;
  bool tried_ = false;
  std::vector<int> scales_;  // the multiples the library holds
};

class ScaledCards {
 public:
  // `images` and `source` must outlive this; `source` may be null (enlarge only).
  ScaledCards(const CardImages& images, qreal scale, LargeCardSource* source);

  qreal Scale() const { return scale_; }
  // The device size of a card picture (upright) and of a turned back.
  QSize CardSize() const { return size_; }
  const CardMask& Mask() const { return mask_; }

  // Opaque faces and tinted faces, drawn through Mask(); backs and turned backs with
  // transparency where the magenta was. Null where the 71 x 96 picture is missing.
  const QImage& Face(int id);
  const QImage& LightFace(int id);
  const QImage& Back(int n);
  const QImage& TurnedBack(int n);

 private:
  // The library's picture of `number` at this size, or null when it has none.
  QImage Large(int number);

  const CardImages& images_;
  qreal scale_;
  QSize size_;
  CardMask mask_;
  LargeCardSource* source_;
  int sourceScale_ = 0;
  std::array<QImage, 52> faces_, lights_;
  std::array<QImage, 12> backs_, turned_;
  std::array<bool, 52> faceDone_{}, lightDone_{};
  std::array<bool, 12> backDone_{}, turnedDone_{};
};

// A picture enlarged or reduced smoothly to `size`, for pictures with opaque and fully
// transparent pixels only: the soft edge the scaling leaves is decided again, pixels
// at least half covered becoming opaque, so that what shows through stays where it was.
QImage ScaleKeepingCutOut(const QImage& image, QSize size);

// Draws a card picture at device position `at` through `mask` (empty: the whole picture).
void DrawMasked(QPainter& painter, QPoint at, const QImage& picture, const CardMask& mask);

}  // namespace tarlyk
