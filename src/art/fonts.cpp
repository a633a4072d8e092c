#include "art/fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QString>

namespace tarlyk {

namespace {

QString& Family() {
  static QString family;
  return family;
}

}  // namespace

bool RegisterTahoma() {
  static bool done = false;
  static bool available = false;
  if (done) return available;
  done = true;
  // Only the regular face: Wine's bold file carries no character map, and a bold
  // request would land on it; Qt synthesises the bold from the regular face instead.
  for (const char* file : {"/usr/share/wine/fonts/tahoma.ttf"}) {
    const QString path = QString::fromLatin1(file);
    if (!QFile::exists(path)) continue;
    const int id = QFontDatabase::addApplicationFont(path);
    if (id < 0) continue;
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (!families.isEmpty() && Family().isEmpty()) Family() = families.first();
  }
  available = !Family().isEmpty();
  return available;
}

QFont TahomaPx(int pixelSize, bool bold) {
  QFont font;
  if (RegisterTahoma()) {
    font.setFamilies({Family(), QStringLiteral("Tahoma")});
  } else {
    font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
  }
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

}  // namespace tarlyk
