// The card pictures in memory: faces, tinted faces, backs and turned backs, all ready
// to draw (premultiplied ARGB, transparent where the table should show through).
#pragma once

#include <QImage>
#include <array>

namespace tarlyk {

struct CardImages {
  std::array<QImage, 52> ilCards;       // 71 x 96, index = card ID
  std::array<QImage, 52> ilLightCards;  // 71 x 96, tinted faces
  std::array<QImage, 12> ilShorts;      // 71 x 96 backs
  std::array<QImage, 12> ilShorts90;    // 96 x 71 backs turned a quarter turn clockwise
  int ActiveShortID = 0;                // the back in use, 0..11
};

}  // namespace tarlyk
