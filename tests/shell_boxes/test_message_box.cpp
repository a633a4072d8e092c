// The boxes as the program shows them: the settings routines' error box, and questions
// that count only Yes as yes.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

#include "capture_box.h"
#include "shell/application.h"
#include "shell/widgets/message_box.h"

namespace tarlyk {
namespace {

// The box of the settings routines: an error box with one OK button that stays above the
// splash window, which covers the screen's middle while the file is loaded.
TEST(SettingsErrorBox, ErrorIconOneButtonAndAboveTheSplash) {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString caption, text;
  QList<QAbstractButton*> buttons;
  bool onTop = false;
  WithBox(
      [&](QMessageBox* box) {
        icon = box->icon();
        caption = box->windowTitle();
        text = box->text();
        buttons = box->buttons();
        onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        box->accept();
      },
      [] { ShowSettingsErrorBox(QStringLiteral("Ошибка"), QStringLiteral("a:\r\r  • b\r")); });
  EXPECT_EQ(icon, QMessageBox::Critical);
  EXPECT_EQ(caption, QStringLiteral("Ошибка"));
  EXPECT_EQ(text, QStringLiteral("a:\n\n  • b\n"));
  EXPECT_EQ(buttons.size(), 1);
  EXPECT_TRUE(onTop);
}

// A question answered Yes is a yes; No, or a box closed without an answer, is a no.
TEST(QuestionBox, OnlyYesIsYes) {
  const auto ask = [](const std::function<void(QMessageBox*)>& answer) {
    bool yes = false;
    WithBox(answer, [&] { yes = AskYesNo(nullptr, QStringLiteral("?"), QStringLiteral("a\rb")); });
    return yes;
  };
  EXPECT_TRUE(ask([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); }));
  EXPECT_FALSE(ask([](QMessageBox* box) { box->button(QMessageBox::No)->click(); }));
  EXPECT_FALSE(ask([](QMessageBox* box) { box->reject(); }));
}

}  // namespace
}  // namespace tarlyk
