// The end-of-game card rain: each tick drops one random face onto the visible table,
// inside the middle zone between the two hands.
#pragma once

#include <QImage>
#include <QSize>
#include <cstdint>

#include "game/game_interfaces.h"
#include "view/card_images.h"

namespace tarlyk {

// One fallen card: the face (0..51) and its top-left corner in table pixels.
struct RainDrop {
  uint8_t face = 0;
  int16_t x = 0;
  int16_t y = 0;
};

// Chooses the next card to fall on a table of `table` size: a random face (any of the
// 52) at a random place such that the card lies within rows 116 .. H - 113 and columns
// 0 .. W - 3. Three draws from `random`, in that order.
RainDrop NextRainDrop(QSize table, IRandom& random);

// Draws the next card straight onto `visible`, a table picture at ratio 1. The caller
// shows the change and re-arms its 80 ms timer (or stops when the option has been switched
// off).
void RainTick(QImage& visible, const CardImages& images, IRandom& random);

}  // namespace tarlyk
