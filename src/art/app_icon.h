// The application icon, drawn by the program's own code. The shipped PNG files
// (packaging/icons) are made from this drawing.
#pragma once

#include <QImage>

namespace tarlyk {

// Draws the application icon at size x size pixels: two fanned cards on a rounded
// square in the table's colours.
QImage DrawAppIcon(int size);

// Sizes the icon is shipped at (packaging/icons/hicolor/<size>/apps/tarlyk.png).
inline constexpr int kAppIconSizes[] = {16, 32, 48, 64, 128, 256};

// Sizes a window icon needs; every size given to a window is sent to the X server at its
// first showing, so the larger desktop pictures stay out of it.
inline constexpr int kWindowIconSizes[] = {16, 32, 48, 64};

}  // namespace tarlyk
