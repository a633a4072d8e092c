// The program's icons: the normal application icon (drawn by our own code, shipped as
// PNG files at 16..256 px and compiled into the resources) and the word-processor
// document icon the boss key shows as a disguise.
#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

namespace tarlyk {

// Draws the application icon at size x size pixels: two fanned cards on a rounded
// square in the table's colours.
QImage DrawAppIcon(int size);

// Sizes the icon is shipped at (packaging/icons/hicolor/<size>/apps/tarlyk.png).
inline constexpr int kAppIconSizes[] = {16, 32, 48, 64, 128, 256};

// Sizes a window icon needs; every size given to a window is sent to the X server at its
// first showing, so the larger desktop pictures stay out of it.
inline constexpr int kWindowIconSizes[] = {16, 32, 48, 64};

// The normal icon from the resources at the window sizes (falls back to drawing them).
// Built at the first call and shared afterwards.
QIcon AppIcon();

// Registers the shell's compiled-in pictures (idempotent).
void EnsureShellResources();

// An icon from one compiled-in PNG picture. Unlike QIcon(path) it does not make Qt load
// every image format plugin to guess the picture's format (milliseconds at start-up).
QIcon PngIcon(const QString& path);

// The disguise icon: a word-processor document.
QIcon DisguiseIcon();

}  // namespace tarlyk
