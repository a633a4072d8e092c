// The program's message boxes. Its texts use a carriage return as line break; a box
// breaks lines at '\n', so the breaks are turned into that here, in one place.
#pragma once

#include <QMessageBox>
#include <QString>

namespace tarlyk {

// Whether the box stays above windows that stay on top themselves (the splash window,
// which covers the middle of the screen while the program starts).
enum class BoxLayer { kNormal, kAboveAll };

// Shows a modal box and returns the button that closed it.
QMessageBox::StandardButton ShowMessage(
    QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text,
    QMessageBox::StandardButtons buttons = QMessageBox::Ok,
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
    BoxLayer layer = BoxLayer::kNormal);

// A question with the buttons Yes and No, No being the default; true for Yes.
bool AskYesNo(QWidget* parent, const QString& caption, const QString& text);

}  // namespace tarlyk
