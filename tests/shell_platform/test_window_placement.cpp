// The window positions the settings file keeps, round-tripped through the real options
// dialog and main window while both are on screen. Run on Qt's offscreen platform by
// ctest, and on a Wayland compositor by the Wayland smoke test, where the windows report
// no position of their own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <fstream>
#include <sstream>
#include <string>

#include "game/tdm_data.h"
#include "settings/settings_file.h"
#include "shell/options_dialog.h"

namespace tarlyk {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  std::string lines = text.str();
  std::erase(lines, '\r');
  return lines;
}

TEST(WindowPlacement, StoredPositionsSurviveASessionOnScreen) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string path = QDir(dir.path()).filePath(QStringLiteral("player.dat")).toStdString();
  std::ofstream(path) << "[Main]\nSavePosition=1\n[Positions]\nfrmMain.Left=120\n"
                         "frmMain.Top=80\nfrmOptions.Left=260\nfrmOptions.Top=140\n";

  QWidget mainWindow;
  mainWindow.setFixedSize(710, 540);
  TfrmOptions options(&mainWindow, QStringLiteral("4.0"));
  ScoreCounters score;
  const auto noBox = [](const std::string&, const std::string&) { ADD_FAILURE() << "error box"; };
  LoadSettings(path, options, score, "4.0", noBox);

  mainWindow.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&mainWindow));
  options.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&options));
  QTest::qWait(200);  // let the window system settle the frames

  SaveSettings(path, options, score, "4.0", noBox);
  const std::string saved = ReadAll(path);
  EXPECT_NE(saved.find("frmMain.Left=120\nfrmMain.Top=80\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("frmOptions.Left=260\nfrmOptions.Top=140\n"), std::string::npos) << saved;
  options.hide();
}

}  // namespace
}  // namespace tarlyk
