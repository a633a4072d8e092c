// The size in device pixels of a picture of `size` pixels drawn at a device pixel ratio.
#pragma once

#include <QSize>
#include <QtGlobal>
#include <cmath>

namespace tarlyk {

inline QSize DeviceSize(QSize size, qreal ratio) {
  return QSize(static_cast<int>(std::lround(size.width() * ratio)),
               static_cast<int>(std::lround(size.height() * ratio)));
}

}  // namespace tarlyk
