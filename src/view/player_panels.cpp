#include "view/player_panels.h"

#include <QFontMetrics>
#include <algorithm>

#include "view/view_texts.h"

namespace tarlyk {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

const QString& ComputerName() {
  static const QString name = QString::fromUtf8(kComputerName);
  return name;
}

// A closed frame of 3-pixel lines through the corners (x0, y0) and (x1, y1), square
// joined: the pixels within one pixel of the path.
void frame(TableCanvas& canvas, int x0, int y0, int x1, int y1, QRgb colour) {
  const int w = x1 - x0 + 3, h = y1 - y0 + 3;
  canvas.Fill(QRect(x0 - 1, y0 - 1, w, 3), colour);
  canvas.Fill(QRect(x0 - 1, y1 - 1, w, 3), colour);
  canvas.Fill(QRect(x0 - 1, y0 - 1, 3, h), colour);
  canvas.Fill(QRect(x1 - 1, y0 - 1, 3, h), colour);
}

// Channel blend a * ribbon + (1 - a) * table with a = alpha / 255, rounded to nearest.
// The denominator is odd, so an exact half never occurs and the integer form is exact.
inline uint32_t mix(uint32_t ribbon, uint32_t table, uint32_t alpha) {
  const uint32_t num = alpha * ribbon + (255 - alpha) * table;
  return (num + 127) / 255;
}

}  // namespace

void DrawTableText(QPainter& painter, int x, int y, const QString& text,
                   const TablePalette& palette) {
  const QFontMetrics fm = painter.fontMetrics();
  painter.fillRect(x, y, fm.horizontalAdvance(text), fm.height(),
                   QColor::fromRgb(palette.tableColor));
  painter.setPen(QColor::fromRgb(palette.textColor));
  painter.drawText(x, y + fm.ascent(), text);
}

int RibbonFor(int wins, int loses, bool* onHuman) {
  const bool human = wins >= loses;
  if (onHuman) *onHuman = human;
  // Widened so that extreme counters from a damaged settings file cannot overflow.
  const long long lead =
      human ? static_cast<long long>(wins) - loses : static_cast<long long>(loses) - wins;
  if (lead < 10) return 0;
  if (lead <= 25) return kRibbonBronze;
  if (lead <= 50) return kRibbonSilver;
  return kRibbonGold;
}

void BlendRibbon(QImage& picture, int left, int top, const PanelPictures& pictures, int ribbon) {
  BlendRibbon(picture, left, top, pictures.ilPlaces[kRibbonShape],
              pictures.ilPlaces[static_cast<size_t>(ribbon)]);
}

void BlendRibbon(QImage& picture, int left, int top, const QImage& shape, const QImage& art) {
  if (shape.isNull() || art.isNull()) return;
  const int w = std::min(shape.width(), art.width());
  const int h = std::min(shape.height(), art.height());
  const int x0 = std::max(0, -left), x1 = std::min(w, picture.width() - left);
  for (int y = 0; y < h; ++y) {
    const int ty = top + y;
    if (ty < 0 || ty >= picture.height()) continue;
    const auto* a = reinterpret_cast<const QRgb*>(shape.constScanLine(y));
    const auto* r = reinterpret_cast<const QRgb*>(art.constScanLine(y));
    auto* t = reinterpret_cast<QRgb*>(picture.scanLine(ty)) + left;
    for (int x = x0; x < x1; ++x) {
      const uint32_t alpha = static_cast<uint32_t>(qRed(a[x]));
      if (alpha == 0) continue;
      if (alpha == 255) {
        t[x] = r[x];
        continue;
      }
      const QRgb rib = r[x], tab = t[x];
      t[x] = qRgb(static_cast<int>(mix(static_cast<uint32_t>(qRed(rib)),
                                       static_cast<uint32_t>(qRed(tab)), alpha)),
                  static_cast<int>(mix(static_cast<uint32_t>(qGreen(rib)),
                                       static_cast<uint32_t>(qGreen(tab)), alpha)),
                  static_cast<int>(mix(static_cast<uint32_t>(qBlue(rib)),
                                       static_cast<uint32_t>(qBlue(tab)), alpha)));
    }
  }
}

PanelScene ComposePanels(const QFontMetrics& fm, const QString& playerName, int wins, int loses,
                         bool showMedals) {
  PanelScene panels;
  panels.playerName = playerName;
  panels.computerNameX = 40 - fm.horizontalAdvance(ComputerName()) / 2;
  panels.playerNameX = 40 - fm.horizontalAdvance(playerName) / 2;
  if (showMedals) panels.ribbon = RibbonFor(wins, loses, &panels.ribbonOnHuman);
  return panels;
}

void PaintIcons(TableCanvas& canvas, int tableHeight, const PanelScene& panels,
                const PanelPictures& pictures, ScaledPanelPictures* scaled,
                const TablePalette& palette) {
  const int h = tableHeight;
  DrawTableText(canvas.Text(), panels.computerNameX, 77, ComputerName(), palette);
  DrawTableText(canvas.Text(), panels.playerNameX, h - 29, panels.playerName, palette);

  const auto icon = [&](int i) -> const QImage& {
    return scaled != nullptr ? scaled->Icon(i) : pictures.ilIcons[static_cast<size_t>(i)];
  };
  frame(canvas, 16, 24, 66, 74, palette.shadeColor);
  frame(canvas, 16, h - 82, 66, h - 32, palette.shadeColor);
  canvas.Draw(16, 24, icon(0));
  canvas.Draw(16, h - 82, icon(1));
  frame(canvas, 15, 23, 65, 73, kWhite);
  frame(canvas, 15, h - 83, 65, h - 33, kWhite);

  if (panels.ribbon == 0) return;
  const auto place = [&](int i) -> const QImage& {
    return scaled != nullptr ? scaled->Place(i) : pictures.ilPlaces[static_cast<size_t>(i)];
  };
  BlendRibbon(canvas.Picture(), canvas.Px(12), canvas.Px(panels.ribbonOnHuman ? h - 43 : 63),
              place(kRibbonShape), place(panels.ribbon));
}

}  // namespace tarlyk
