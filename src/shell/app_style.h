// The application's style: the platform's own, except that the few standard icons the
// windows ask for while starting (the menu bar's overflow arrows) are read from Qt's
// PNG pictures by name. Asked of the platform style, they come through QIcon::addFile,
// which guesses the pictures' format by loading every image format plugin installed
// (a dozen libraries: milliseconds at every start and memory for the whole run).
#pragma once

#include <QIcon>
#include <QProxyStyle>

namespace tarlyk {

class AppStyle final : public QProxyStyle {
 public:
  AppStyle() = default;

  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                     const QWidget* widget = nullptr) const override;

 private:
  mutable QIcon horizontalExtension_;
  mutable QIcon verticalExtension_;
};

}  // namespace tarlyk
