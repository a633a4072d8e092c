// The program's icons as the windows use them: the normal application icon (shipped as
// PNG files at 16..256 px and compiled into the resources, drawn by the program's own
// code at any other size), the icon theme's 16-pixel icons, and the word-processor
// document icon the boss key shows as a disguise. Each picture is read only when a
// window first asks for its size, and a screen with a device pixel ratio above 1 gets
// pictures made for its device size.
#pragma once

#include <QIcon>
#include <QList>
#include <QSize>
#include <QString>

namespace tarlyk {

// The sizes the theme's icons are made at for finer screens: 1.25, 1.5, 2 and 3 times
// 16 pixels and, for the 32-pixel disguise, 1.25, 1.5, 2 and 3 times 32 pixels.
inline constexpr int kIconMadeSizes[] = {20, 24, 32, 40, 48, 64, 96};

// The compiled-in picture of the theme's icon `name` made at `size` pixels.
QString MadeIconPath(const QString& name, int size);

// The normal icon. It names the window sizes as its own; a window on a finer screen asks
// for them in its device pixels. Built at the first call and shared afterwards.
QIcon AppIcon();

// Registers the shell's compiled-in pictures (idempotent).
void EnsureShellResources();

// An icon from one compiled-in 16-pixel PNG picture of the icon theme, with the pictures
// made from the same drawing for larger device sizes. Unlike QIcon(path) it does not
// make Qt load every image format plugin to guess the picture's format (milliseconds at
// start-up).
QIcon PngIcon(const QString& path);

// The disguise icon: a word-processor document.
QIcon DisguiseIcon();

}  // namespace tarlyk
