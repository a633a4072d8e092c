// The splash window's picture: a blue sky, a fan of cards with a stock either side,
// the game's name and "подкидной", 488 x 360.
#pragma once

#include <QImage>
#include <QSize>
#include <atomic>

namespace tarlyk {

inline constexpr QSize kSplashPictureSize(488, 360);

// Drawn at `ratio` device pixels per pixel, with that device pixel ratio. A drawing on
// another thread may be called off through `stop`: it then ends within a card's drawing,
// with a null picture.
QImage DrawSplashPicture(qreal ratio = 1.0, const std::atomic<bool>* stop = nullptr);

}  // namespace tarlyk
