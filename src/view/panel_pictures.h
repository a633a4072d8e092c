// The pictures of the two player panels: the 48 x 48 player pictures (ilIcons) and the
// 56 x 17 prize ribbons (ilPlaces). Built once at start-up; the person's picture may then
// be replaced by the account picture.
#pragma once

#include <QImage>
#include <QRgb>
#include <QtGlobal>
#include <array>

namespace tarlyk {

inline constexpr int kIconSize = 48;
inline constexpr int kRibbonWidth = 56;
inline constexpr int kRibbonHeight = 17;

// Index of the ribbon shape in ilPlaces and of the three grades.
inline constexpr int kRibbonShape = 0;
inline constexpr int kRibbonGold = 1;
inline constexpr int kRibbonSilver = 2;
inline constexpr int kRibbonBronze = 3;

class PanelPictures {
 public:
  // The transparent parts of the built-in player pictures are filled with this colour.
  static constexpr QRgb kIconBackground = 0xFFDAEAFD;  // RGB(218, 234, 253)

  // Loads the built-in pictures and draws the ribbons.
  PanelPictures();

  // 0: the computer (a monitor), 1: the person (or the account picture). Opaque,
  // premultiplied ARGB.
  std::array<QImage, 2> ilIcons;
  // 0: the ribbon shape, white on black, the red channel is the opacity;
  // 1..3: gold I, silver II, bronze III ribbons, opaque. All 56 x 17.
  std::array<QImage, 4> ilPlaces;

  // Whether a picture is still the built-in one (not replaced by the account picture or
  // by hand), which has larger renderings of its own.
  bool IsBuiltInIcon(int i) const;
  bool IsBuiltInPlace(int i) const;

 private:
  std::array<qint64, 2> builtInIcons_{};
  std::array<qint64, 4> builtInPlaces_{};
};

// Draws one ribbon picture (grade kRibbonGold..kRibbonBronze) or the shape (kRibbonShape),
// at `scale` times its 56 x 17 size (the device size DeviceSize gives).
QImage DrawRibbon(int index, qreal scale = 1.0);

// The panel pictures at a device pixel ratio other than 1, each made at its first use: the
// built-in player pictures from their renderings at two and three times the size, the
// ribbons drawn again at that size, and pictures put in by hand (the account picture)
// enlarged smoothly.
class ScaledPanelPictures {
 public:
  // `pictures` must outlive this.
  ScaledPanelPictures(const PanelPictures& pictures, qreal scale);

  qreal Scale() const { return scale_; }
  const QImage& Icon(int i);
  const QImage& Place(int i);

 private:
  const PanelPictures& pictures_;
  qreal scale_;
  std::array<QImage, 2> icons_;
  std::array<QImage, 4> places_;
};

}  // namespace tarlyk
