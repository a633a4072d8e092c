// The colours the table is painted with, fixed by the window before each repaint.
#pragma once

#include <QRgb>

namespace tarlyk {

struct TablePalette {
  QRgb tableColor = 0xFFDAEAFD;  // TableColor, RGB(218, 234, 253)
  QRgb shadeColor = 0xFF88AEE4;  // TableShadeColor, RGB(136, 174, 228)
  QRgb textColor = 0xFF000000;   // the window-text colour
  QRgb highlight = 0xFFFFFFFF;   // the embossed style's light colour
  QRgb shadow = 0xFF808080;      // the embossed style's dark colour
};

}  // namespace tarlyk
