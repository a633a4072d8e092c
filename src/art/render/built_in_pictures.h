// The title picture and the splash picture are rendered when the program is built
// (for the classic look, in Wine's Tahoma, at a device pixel ratio of 1, the splash also
// at 2) and compiled in; drawing them costs milliseconds at every start. These return the compiled-in
// picture when it is the one asked for and draw it otherwise, at the device pixel ratio
// asked for.
#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

namespace tarlyk {

// The title picture for the table's colours.
QImage TitlePicture(QSize size, const QColor& table, const QColor& shade, qreal ratio = 1.0);
QImage SplashPicture(qreal ratio = 1.0);

// The compiled-in pictures alone: null when there is none of that size and colours.
QImage BuiltInTitlePicture(QSize size, const QColor& table, const QColor& shade);
// The splash at a device pixel ratio of 1 or 2 (with that ratio); null at any other.
QImage BuiltInSplashPicture(qreal ratio = 1.0);

// Hands the memory pages of a compiled-in picture back to the system once it is no longer
// shown: they are read again from the program file should it be asked for again, so
// pictures still made from it stay valid.
void ReleaseBuiltInTitlePicture();
// Whether `image` is the compiled-in title picture itself (its pixels in the program).
bool IsBuiltInTitlePicture(const QImage& image);
void ReleaseBuiltInSplashPicture();

}  // namespace tarlyk
