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
  return QDir(dir).filePath(QStringLiteral("Tarlyk.chm"));
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
