// The program's icons: the normal application icon (drawn by our own code, shipped as
// PNG files at 16..256 px and compiled into the resources) and the word-processor
// document icon the boss key shows as a disguise.
#pragma once

#include <QIcon>
#include <QImage>

namespace tarlyk {

// Draws the application icon at size x size pixels: two fanned cards on a rounded
// square in the table's colours.
QImage DrawAppIcon(int size);

// Sizes the icon is shipped at (packaging/icons/hicolor/<size>/apps/tarlyk.png).
inline constexpr int kAppIconSizes[] = {16, 32, 48, 64, 128, 256};

// The normal icon from the resources (falls back to drawing it).
QIcon AppIcon();

// Registers the shell's compiled-in pictures (idempotent).
void EnsureShellResources();

// The disguise icon: a word-processor document.
QIcon DisguiseIcon();

}  // namespace tarlyk
