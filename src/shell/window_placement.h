// Placing top-level windows by their outer frame (frame and title bar included), as the
// stored and the centred positions mean it. The frame's size is learnt from the window
// manager before a window is first shown, so it appears where it belongs without a
// jump; and a stored position whose title bar no screen shows any more (a monitor
// unplugged since) is brought onto the nearest screen.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

class QWidget;

namespace tarlyk {

// The frame the window manager puts around the window: as it is when the window is
// shown, or as the window manager announces it for a window of its kind before then.
// Empty without a window manager that tells.
QMargins FrameMargins(const QWidget* window);

// The window's outer size, frame and title bar included, also before it is first shown.
QSize OuterSize(const QWidget* window);

struct ScreenArea {
  QRect geometry;   // the whole screen
  QRect available;  // without panels and docks
};

// The screens of the desktop as they are now.
std::vector<ScreenArea> DesktopScreens();

// Where a window whose outer frame is `outerSize` with a title bar `titleHeight` high
// goes when its outer top-left corner is asked to be at `outer`: right there while a
// part of its title bar big enough to take hold of lies on some screen; otherwise onto
// the usable area of the screen nearest to its title bar, as far inside as it fits.
QPoint ReachablePosition(QPoint outer, QSize outerSize, int titleHeight,
                         const std::vector<ScreenArea>& screens);

// Moves the window so that its outer top-left corner is at `outer`, brought onto a
// screen as ReachablePosition says (with the frame as far as it is known already).
void PlaceWindow(QWidget* window, QPoint outer);

}  // namespace tarlyk
