// The person's account picture on his panel: read once at start-up, optionally repaired
// in colour, and stored as a 48 x 48 opaque picture in place of the built-in one. It is
// the person's own free choice, so one that cannot be used just leaves the built-in
// picture.
#pragma once

#include <QImage>
#include <QString>
#include <optional>
#include <string>

#include "view/panel_pictures.h"

namespace tarlyk {

// An account picture is a small file: larger ones are refused before decoding.
inline constexpr qint64 kMaxUserPictureBytes = 2 * 1024 * 1024;
// A raster picture is decoded only up to this many pixels and this length of either
// side, so that any picture costs a few milliseconds and a few MiB; a vector picture is
// drawn at the icon's size, whatever size it names.
inline constexpr qint64 kMaxUserPicturePixels = 512 * 512;
inline constexpr int kMaxUserPictureSide = 8192;

// True exactly when the repair option is on and the system version is "5.1".
bool NeedRepairIcon(bool repairUserIcon, const std::string& winVersion);

// Shifts every row three pixels to the left with wrap-around and rotates the colour
// channels (red <- blue, green <- red, blue <- green). Same size afterwards; a picture in
// another format comes back as 32-bit ARGB.
void RepairIU(QImage& picture);

// Reads a picture in any format Qt's image readers know and makes it a 48 x 48 opaque
// picture: its centred square (the whole of it when square), scaled smoothly. The size
// is judged from the file's header before anything is decoded, and a reader that can
// cut and scale while decoding is asked for the icon alone. Empty when the file is
// missing, not a regular file, too large, not a picture, damaged or of absurd size.
std::optional<QImage> LoadUserPicture(const QString& path, bool needRepair);

// The start-up step for the account picture: replaces ilIcons[1] with it. An empty path,
// or a picture that cannot be used, leaves the built-in person picture; true exactly when
// the account picture was taken.
bool ApplyUserPicture(PanelPictures& pictures, const QString& path, bool needRepair);

}  // namespace tarlyk
