// The pictures of the two player panels: the 48 x 48 player pictures (ilIcons) and the
// 56 x 17 prize ribbons (ilPlaces). Built once at start-up; the person's picture may then
// be replaced by the account picture.
#pragma once

#include <QImage>
#include <QRgb>
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
};

// Draws one ribbon picture (grade kRibbonGold..kRibbonBronze) or the shape (kRibbonShape).
QImage DrawRibbon(int index);

}  // namespace tarlyk
