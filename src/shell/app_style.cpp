#include "shell/app_style.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPixmap>
#include <QStyleOption>
#include <QString>
#include <initializer_list>

namespace tarlyk {

namespace {

// An icon of Qt's own pictures `:/qt-project.org/styles/commonstyle/images/<stem><size>.png`,
// read as PNG without guessing.
QIcon QtPngIcon(const char* stem, std::initializer_list<int> sizes) {
  QIcon icon;
  for (int size : sizes) {
    QImageReader reader(QStringLiteral(":/qt-project.org/styles/commonstyle/images/%1%2.png")
                            .arg(QLatin1String(stem))
                            .arg(size),
                        "png");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
  }
  return icon;
}

}  // namespace

QIcon AppStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                             const QWidget* widget) const {
  const bool rightToLeft =
      (option != nullptr ? option->direction : QGuiApplication::layoutDirection()) ==
      Qt::RightToLeft;
  QIcon found;
  if (icon == SP_ToolBarHorizontalExtensionButton && !rightToLeft) {
    if (horizontalExtension_.isNull()) horizontalExtension_ = QtPngIcon("toolbar-ext-h-", {8, 16, 32});
    found = horizontalExtension_;
  } else if (icon == SP_ToolBarVerticalExtensionButton) {
    if (verticalExtension_.isNull()) verticalExtension_ = QtPngIcon("toolbar-ext-v-", {5, 10, 20});
    found = verticalExtension_;
  }
  // Qt's pictures missing (a build without them): the platform style's answer.
  return found.isNull() ? QProxyStyle::standardIcon(icon, option, widget) : found;
}

}  // namespace tarlyk
