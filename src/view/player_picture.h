// The person's account picture on his panel: read once at start-up, optionally repaired
// in colour, and stored as a 48 x 48 opaque picture in place of the built-in one.
#pragma once

#include <QImage>
#include <QString>
#include <optional>
#include <string>

#include "view/panel_pictures.h"

namespace tarlyk {

// The load-error list item for an account picture that cannot be used.
inline constexpr char kUserPictureErrorItem[] = "ИЗОБРАЖЕНИЕ_ПОЛЬЗОВАТЕЛЯ, ";

// Files larger than this are refused before decoding.
inline constexpr qint64 kMaxUserPictureBytes = 8 * 1024 * 1024;
// Pictures with more pixels than this are refused before decoding.
inline constexpr qint64 kMaxUserPicturePixels = 4096LL * 4096LL;

// True exactly when the repair option is on and the system version is "5.1".
bool NeedRepairIcon(bool repairUserIcon, const std::string& winVersion);

// Shifts every row three pixels to the left with wrap-around and rotates the colour
// channels (red <- blue, green <- red, blue <- green). Same size afterwards; a picture in
// another format comes back as 32-bit ARGB.
void RepairIU(QImage& picture);

// Reads a PNG, JPEG or BMP file and makes it a 48 x 48 opaque picture (scaled smoothly,
// centred and cropped when it has other proportions). Empty when the file is missing,
// unreadable, too large, empty, not such a picture or has no pixels.
std::optional<QImage> LoadUserPicture(const QString& path, bool needRepair);

// The start-up step for the account picture. An empty path leaves the built-in person
// picture and succeeds. Otherwise the picture replaces ilIcons[1]; false when it cannot be
// used (the caller then adds kUserPictureErrorItem to its load-error list).
bool ApplyUserPicture(PanelPictures& pictures, const QString& path, bool needRepair);

}  // namespace tarlyk
