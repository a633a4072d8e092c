// Writes the application icon as PNG files into an icon-theme tree:
//   tarlyk_make_icons <dir>  ->  <dir>/<n>x<n>/apps/tarlyk.png for every shipped size.
// The PNGs are committed; run this again only when the drawing changes.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "art/app_icon.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <hicolor-dir>\n", argv[0]);
    return 2;
  }
  for (int size : tarlyk::kAppIconSizes) {
    const QString dir =
        QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
    QDir().mkpath(dir);
    if (!tarlyk::DrawAppIcon(size).save(dir + QStringLiteral("/tarlyk.png"))) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(dir));
      return 1;
    }
  }
  return 0;
}
