// The end-of-game card rain: each tick drops one random face onto the visible table,
// inside the middle zone between the two hands.
#pragma once

#include <QImage>

#include "game/game_interfaces.h"
#include "view/card_images.h"

namespace tarlyk {

// Draws one random face (any of the 52) at a random place on `visible`, so that the card
// lies within rows 116 .. H - 113 and columns 0 .. W - 3. The caller shows the change and
// re-arms its 80 ms timer (or stops when the option has been switched off).
void RainTick(QImage& visible, const CardImages& images, IRandom& random);

}  // namespace tarlyk
