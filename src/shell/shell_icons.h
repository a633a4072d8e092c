// The program's icons as the windows use them: the normal application icon (shipped as
// PNG files at 16..256 px and compiled into the resources), any other compiled-in PNG
// icon, and the word-processor document icon the boss key shows as a disguise.
#pragma once

#include <QIcon>
#include <QString>

namespace tarlyk {

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
