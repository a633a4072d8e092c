// Build-time tool: draws the title picture (for the classic look's table colours) and
// the splash picture (at device pixel ratios 1 and 2) with the same code the program
// uses, and writes them in the program's raw picture form for compiling in.
//   tarlyk_render_pictures OUT_DIR [PNG_DIR]
// With PNG_DIR, PNG copies are written there too, for looking at them.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <cstdio>

#include "art/fonts.h"
#include "art/look.h"
#include "art/raw_picture.h"
#include "art/splash_picture.h"
#include "art/title_picture.h"

namespace {

bool WriteAtomically(const QString& path, const QByteArray& data) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(data);
  return file.commit();
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tarlyk;
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s OUT_DIR [PNG_DIR]\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (!RegisterTahoma()) {
    std::fprintf(stderr,
                 "render_pictures: Tahoma (fonts-wine) is missing; drawing with a stand-in\n");
  }

  // The main window's table colours in the classic look.
  const LookColors look = LookFor(ColorScheme::kClassic);
  const TableColors table = TableColorsFrom(look.buttonRest.first, look.buttonRest.second);
  const QImage title = DrawTitlePicture(kTitlePictureSize, table.table, table.shade);
  const QImage splash = DrawSplashPicture();
  const QImage splashFine = DrawSplashPicture(2.0);

  const QDir out(QString::fromLocal8Bit(argv[1]));
  if (!QDir().mkpath(out.path())) {
    std::fprintf(stderr, "render_pictures: cannot create %s\n", argv[1]);
    return 1;
  }
  const struct {
    const char* name;
    const QImage& image;
    PictureColors colors;
  } pictures[] = {{"title", title, {table.table.rgb(), table.shade.rgb()}},
                  {"splash", splash, {}},
                  {"splash@2x", splashFine, {}}};
  for (const auto& picture : pictures) {
    const QString name = QString::fromLatin1(picture.name);
    const QByteArray raw = EncodeRawPicture(picture.image, picture.colors);
    if (raw.isEmpty() || !WriteAtomically(out.filePath(name + QStringLiteral(".px")), raw)) {
      std::fprintf(stderr, "render_pictures: cannot write %s.px\n", picture.name);
      return 1;
    }
    if (argc == 3) {
      picture.image.save(QDir(QString::fromLocal8Bit(argv[2])).filePath(name + ".png"));
    }
  }
  return 0;
}
