#include "view/card_rain.h"

#include <QPainter>
#include <algorithm>

namespace tarlyk {

RainDrop NextRainDrop(QSize table, IRandom& random) {
  const int w = table.width(), h = table.height();
  RainDrop drop;
  drop.face = static_cast<uint8_t>(random.Random(52));
  // A table too small for the zone still gets a valid range (the card is then clipped).
  drop.x = static_cast<int16_t>(random.Random(std::max(1, w - 73 + 1)));
  drop.y = static_cast<int16_t>(116 + random.Random(std::max(1, h - 324 + 1)));
  return drop;
}

void RainTick(QImage& visible, const CardImages& images, IRandom& random) {
  const RainDrop drop = NextRainDrop(visible.size(), random);
  const QImage& face = images.ilCards[drop.face];
  if (visible.isNull() || face.isNull()) return;
  QPainter p(&visible);
  p.drawImage(drop.x, drop.y, face);
}

}  // namespace tarlyk
