// main() of GUI test programs that need screens of given pixel ratios: Qt's offscreen
// platform set up with `screensJson` (its "screens" configuration), one QApplication,
// then every test.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

namespace tarlyk {

inline int RunTestsOnScreens(int argc, char** argv, const char* screensJson) {
  QTemporaryDir dir;
  const QString config = dir.filePath(QStringLiteral("screens.json"));
  QFile file(config);
  if (!dir.isValid() || !file.open(QIODevice::WriteOnly)) return 1;
  file.write(screensJson);
  file.close();
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config));
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

}  // namespace tarlyk
