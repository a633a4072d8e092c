// The picture the table shows before the first game: a fan of cards, the game's name
// and "Карточная игра", drawn in the table's colours.
#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

namespace tarlyk {

// The size of the table the picture fills.
inline constexpr QSize kTitlePictureSize(710, 480);

QImage DrawTitlePicture(QSize size, const QColor& table, const QColor& shade);

}  // namespace tarlyk
