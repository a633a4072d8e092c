// The standard buttons of the game's boxes read in Russian whatever the locale, with Qt's
// Russian translation installed and without it. This program's application object is the
// game's own, so what its start-up installs is what the tests see.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <map>

#include "capture_box.h"
#include "shell/application.h"
#include "shell/main_window.h"
#include "shell/options_dialog.h"
#include "shell/russian_translation.h"

namespace tarlyk {
namespace {

struct ButtonsSeen {
  QStringList buttons;  // texts without mnemonic marks, in the box's order
  QString defaultButton;
};

QString Plain(QString text) {
  return text.remove(QLatin1Char('&'));
}

// Runs `action`, which opens a modal box; records its buttons and closes it unanswered.
ButtonsSeen Capture(const std::function<void()>& action) {
  ButtonsSeen seen;
  WithBox(
      [&](QMessageBox* box) {
        for (QAbstractButton* b : box->buttons()) seen.buttons << Plain(b->text());
        if (box->defaultButton() != nullptr) {
          seen.defaultButton = Plain(box->defaultButton()->text());
        }
        box->done(QMessageBox::Cancel);
      },
      action);
  return seen;
}

// The 2-001 and 2-002 questions and a 1-00x error box: buttons in the box's order, the
// default one after "|".
void ExpectGameBoxesInRussian() {
  const auto shown = [](const ButtonsSeen& box) {
    return (box.buttons.join(QLatin1Char(',')) + QLatin1Char('|') + box.defaultButton)
        .toStdString();
  };
  TfrmMain main;
  EXPECT_EQ(shown(Capture([&] { main.ConfirmAbandonGame("Прервать?"); })), "Да,Нет|Нет");
  TfrmOptions options(&main, QStringLiteral("4.0"));
  EXPECT_EQ(shown(Capture([&] { options.btnResetCounts()->click(); })), "Да,Нет|Нет");
  EXPECT_EQ(shown(Capture(
                [] { ShowSettingsErrorBox(QStringLiteral("Ошибка"), QStringLiteral("текст")); })),
            "OK|");
}

// Every standard button, as a box built now shows it.
std::map<int, QString> StandardButtonTexts() {
  QMessageBox box;
  std::map<int, QString> texts;
  for (int b = QMessageBox::FirstButton; b <= QMessageBox::LastButton; b <<= 1) {
    if (QAbstractButton* button = box.addButton(static_cast<QMessageBox::StandardButton>(b))) {
      texts[b] = Plain(button->text());
    }
  }
  return texts;
}

TEST(BoxButtons, StartUpGivesTheBoxesRussianButtons) {
  // Installed by the application object itself, before any window or box exists.
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Да"));
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&No"), QStringLiteral("&Нет"));
  ExpectGameBoxesInRussian();
}

TEST(BoxButtons, RussianWithoutQtsTranslation) {
  QTemporaryDir empty;
  ASSERT_TRUE(empty.isValid());
  RussianTranslation own(empty.path());
  EXPECT_FALSE(own.QtTranslationLoaded());
  ExpectGameBoxesInRussian();

  // Every standard button: none keeps an English word.
  const std::map<int, QString> texts = StandardButtonTexts();
  EXPECT_EQ(texts.size(), 18u);
  for (const auto& [button, text] : texts) {
    if (text == QStringLiteral("OK")) continue;  // as Qt's Russian translation has it
    EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))))
        << button << " " << text.toStdString();
  }
}

TEST(BoxButtons, OwnTextsMatchQtsTranslation) {
  if (!QFile::exists(RussianTranslation::QtTranslationsDir() + QStringLiteral("/qtbase_ru.qm"))) {
    GTEST_SKIP() << "Qt's Russian translation is not installed";
  }
  std::map<int, QString> withQt;
  {
    RussianTranslation qt;
    ASSERT_TRUE(qt.QtTranslationLoaded());
    ExpectGameBoxesInRussian();
    withQt = StandardButtonTexts();
  }
  QTemporaryDir empty;
  RussianTranslation own(empty.path());
  EXPECT_EQ(StandardButtonTexts(), withQt);
}

}  // namespace
}  // namespace tarlyk

int main(int argc, char** argv) {
  // Test discovery runs this program without the test environment.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The game's application object, whatever the locale of the machine running the tests.
  qputenv("LANG", "C");
  qputenv("LANGUAGE", "C");
  tarlyk::Application application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
