#include "shell/help.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace tarlyk {

const char* const kHelpMissingText =
    "Файл справки \"Tarlyk.chm\" не найден. Переустановите игру.";

QString HelpFilePath(const QString& directory) {
  const QString dir = directory.isEmpty() ? QCoreApplication::applicationDirPath() : directory;
  const QString beside = QDir(dir).filePath(QStringLiteral("Tarlyk.chm"));
  if (QFileInfo(beside).isFile()) return beside;
  // An installed game keeps its data in <prefix>/share/tarlyk beside <prefix>/bin.
  const QString installed =
      QDir::cleanPath(QDir(dir).filePath(QStringLiteral("../share/tarlyk/Tarlyk.chm")));
  return QFileInfo(installed).isFile() ? installed : beside;
}

void OpenHelp(QWidget* parent, const QString& directory) {
  const QString path = HelpFilePath(directory);
  if (!QFileInfo(path).isFile()) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Информация"),
                    QString::fromUtf8(kHelpMissingText), QMessageBox::Ok, parent);
    box.exec();
    return;
  }
  QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace tarlyk
