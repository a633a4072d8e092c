// Build-time tool: makes the program's icons at the sizes a screen with a device pixel
// ratio above 1 asks for. Where the icon theme has a picture drawn pixel by pixel for a
// size (THEME_DIR/<size>x<size>/<drawing>.png) that picture is taken as it is, as the
// 16-pixel ones are; every other size is rendered from the theme's scalable drawing
// (THEME_DIR/scalable/<drawing>.svg).
//   tarlyk_render_icons TABLE THEME_DIR OUT_DIR
// TABLE holds one icon a line: its name, its drawing (without the extension) and the
// sizes wanted; each picture goes to OUT_DIR/<size>/<name>.png.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLoggingCategory>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QTextStream>
#include <cstdio>

namespace {

// The drawing fills the square; one that is not square is centred in it.
QImage Render(QSvgRenderer& svg, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QSizeF drawn = svg.viewBoxF().size();
  if (drawn.isEmpty()) drawn = QSizeF(size, size);
  drawn.scale(size, size, Qt::KeepAspectRatio);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  svg.render(&p, QRectF(QPointF((size - drawn.width()) / 2, (size - drawn.height()) / 2), drawn));
  p.end();
  return image;
}

bool Save(const QImage& image, const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "png")) return false;
  return file.commit();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s TABLE THEME_DIR OUT_DIR\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  // The theme's drawings carry editor metadata that the renderer reports and skips.
  QLoggingCategory::setFilterRules(QStringLiteral("qt.svg.warning=false"));

  QFile table(QString::fromLocal8Bit(argv[1]));
  if (!table.open(QIODevice::ReadOnly | QIODevice::Text)) {
    std::fprintf(stderr, "render_icons: cannot read %s\n", argv[1]);
    return 1;
  }
  const QDir theme(QString::fromLocal8Bit(argv[2]));
  const QDir out(QString::fromLocal8Bit(argv[3]));
  QTextStream lines(&table);
  int rendered = 0;
  while (!lines.atEnd()) {
    const QString line = lines.readLine().trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    const QStringList fields = line.split(QRegularExpression(QStringLiteral("\\s+")));
    if (fields.size() < 3) {
      std::fprintf(stderr, "render_icons: bad line: %s\n", qPrintable(line));
      return 1;
    }
    const QString source =
        theme.filePath(QStringLiteral("scalable/") + fields[1] + QStringLiteral(".svg"));
    QSvgRenderer svg(source);
    if (!svg.isValid()) {
      std::fprintf(stderr, "render_icons: cannot read %s\n", qPrintable(source));
      return 1;
    }
    for (qsizetype i = 2; i < fields.size(); ++i) {
      bool ok = false;
      const int size = fields[i].toInt(&ok);
      if (!ok || size < 1 || size > 1024) {
        std::fprintf(stderr, "render_icons: bad size in: %s\n", qPrintable(line));
        return 1;
      }
      const QString dir = out.filePath(QString::number(size));
      const QString path = QDir(dir).filePath(fields[0] + QStringLiteral(".png"));
      const QImage drawn(
          theme.filePath(QStringLiteral("%1x%1/").arg(size) + fields[1] + QStringLiteral(".png")));
      const QImage picture = drawn.size() == QSize(size, size) ? drawn : Render(svg, size);
      if (!QDir().mkpath(dir) || !Save(picture, path)) {
        std::fprintf(stderr, "render_icons: cannot write %s\n", qPrintable(path));
        return 1;
      }
      ++rendered;
    }
  }
  return rendered > 0 ? 0 : 1;
}
