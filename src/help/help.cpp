#include "help/help.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>

#include "help/help_window.h"
#include "shell/widgets/message_box.h"

namespace tarlyk {

namespace {

// The one help window; it deletes itself when closed, so the next F1 reads the file anew.
QPointer<HelpWindow> g_window;
QString g_windowFile;

}  // namespace

QString HelpFilePath(const QString& directory) {
  const QString dir = directory.isEmpty() ? QCoreApplication::applicationDirPath() : directory;
  const QString beside = QDir(dir).filePath(QStringLiteral("Tarlyk.chm"));
  if (QFileInfo(beside).isFile()) return beside;
  // An installed game keeps its data in <prefix>/share/tarlyk beside <prefix>/bin.
  const QString installed =
      QDir::cleanPath(QDir(dir).filePath(QStringLiteral("../share/tarlyk/Tarlyk.chm")));
  return QFileInfo(installed).isFile() ? installed : beside;
}

HelpWindow* OpenHelpWindow() {
  return g_window.data();
}

HelpWindow* ShowHelpFile(QWidget* parent, const QString& path) {
  const QString file = QFileInfo(path).absoluteFilePath();
  if (!g_window || g_windowFile != file) {
    std::optional<HelpBook> book = HelpBook::Open(file);
    if (!book) {
      ShowMessage(parent, QMessageBox::Warning, QString::fromUtf8(kHelpBoxCaption),
                  QString::fromUtf8(kHelpDamagedText));
      return nullptr;
    }
    if (g_window) g_window->close();
    g_window = new HelpWindow(std::move(*book), parent);
    g_window->setAttribute(Qt::WA_DeleteOnClose);
    g_windowFile = file;
  }
  g_window->show();
  g_window->setWindowState(g_window->windowState() & ~Qt::WindowMinimized);
  g_window->raise();
  g_window->activateWindow();
  return g_window.data();
}

void OpenHelp(QWidget* parent, const QString& directory) {
  const QString path = HelpFilePath(directory);
  if (!QFileInfo(path).isFile()) {
    ShowMessage(parent, QMessageBox::Information, QString::fromUtf8(kHelpBoxCaption),
                QString::fromUtf8(kHelpMissingText));
    return;
  }
  ShowHelpFile(parent, path);
}

}  // namespace tarlyk
