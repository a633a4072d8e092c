// Where the help command looks for the help file: beside the program first, then in the
// data directory of an installed game.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "help/help.h"

namespace tarlyk {
namespace {

void Touch(const QString& path) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(HelpLookup, BesideTheProgramWinsThenTheInstalledDataDirectory) {
  QTemporaryDir prefix;
  const QString bin = prefix.filePath(QStringLiteral("bin"));
  QDir().mkpath(bin);
  const QString beside = QDir(bin).filePath(QStringLiteral("Tarlyk.chm"));
  const QString installed = prefix.filePath(QStringLiteral("share/tarlyk/Tarlyk.chm"));

  // Neither exists: the path beside the program, so the missing-file box names that place.
  EXPECT_EQ(HelpFilePath(bin), beside);

  Touch(installed);
  EXPECT_EQ(HelpFilePath(bin), QDir::cleanPath(installed));

  Touch(beside);
  EXPECT_EQ(HelpFilePath(bin), beside);

  // A directory of that name is not a help file.
  QFile::remove(beside);
  QDir().mkpath(beside);
  EXPECT_EQ(HelpFilePath(bin), QDir::cleanPath(installed));
}

}  // namespace
}  // namespace tarlyk
