// Pictures the program draws itself (the title picture, the splash) are kept as raw
// pixels in the user's cache directory, so that later starts read them back in a
// fraction of the time drawing takes.
#pragma once

#include <QImage>
#include <QString>
#include <functional>

namespace tarlyk {

// Returns the picture stored under `key` when the cache holds one of exactly `size`;
// otherwise draws it, stores it and returns it. The key must name everything the
// drawing depends on (colours, font, version of the drawing). A cache that cannot be
// read or written only costs the drawing.
QImage CachedPicture(const QString& key, QSize size, const std::function<QImage()>& draw);

// The directory the pictures go to: $XDG_CACHE_HOME/tarlyk (default ~/.cache/tarlyk).
QString PictureCacheDir();

}  // namespace tarlyk
