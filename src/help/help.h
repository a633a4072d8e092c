// The help command: finds "Tarlyk.chm" in the program's directory (or, for an installed
// game, in <program dir>/../share/tarlyk) and shows it in the game's own help window, or
// says that it is missing or damaged.
#pragma once

#include <QString>

#include "help/help_texts.h"

class QWidget;

namespace tarlyk {

class HelpWindow;

// The help file's path: in `directory` (the executable's directory by default) when it is
// there, else in `directory`/../share/tarlyk when it is there, else the first of the two.
QString HelpFilePath(const QString& directory = QString());

// Shows the help window (one for the program: an open one is raised and activated), or
// an information box when the file does not exist, or a box saying that it is damaged.
void OpenHelp(QWidget* parent, const QString& directory = QString());

// Shows the help file at `path` in the help window; a box when it is damaged. Returns the
// window, or nullptr.
HelpWindow* ShowHelpFile(QWidget* parent, const QString& path);

// The open help window, or nullptr.
HelpWindow* OpenHelpWindow();

}  // namespace tarlyk
