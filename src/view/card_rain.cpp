#include "view/card_rain.h"

#include <QPainter>
#include <algorithm>

namespace tarlyk {

void RainTick(QImage& visible, const CardImages& images, IRandom& random) {
  const int w = visible.width(), h = visible.height();
  const int r = random.Random(52);
  // A table too small for the zone still gets a valid range (the card is then clipped).
  const int x = random.Random(std::max(1, w - 73 + 1));
  const int y = 116 + random.Random(std::max(1, h - 324 + 1));
  const QImage& face = images.ilCards[static_cast<size_t>(r)];
  if (visible.isNull() || face.isNull()) return;
  QPainter p(&visible);
  p.drawImage(x, y, face);
}

}  // namespace tarlyk
