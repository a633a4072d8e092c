// The help command: opens "Tarlyk.chm" from the program's directory (or, for an installed
// game, from <program dir>/../share/tarlyk) with the desktop's "open" action, or says that
// it is missing.
#pragma once

#include <QString>

class QWidget;

namespace tarlyk {

extern const char* const kHelpMissingText;

// The help file's path: in `directory` (the executable's directory by default) when it is
// there, else in `directory`/../share/tarlyk when it is there, else the first of the two.
QString HelpFilePath(const QString& directory = QString());

// Opens the help file, or shows the "Информация" box when it does not exist. The
// desktop's answer to the open request is ignored.
void OpenHelp(QWidget* parent, const QString& directory = QString());

}  // namespace tarlyk
