#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "shell/startup_values.h"

namespace tarlyk {
namespace {

namespace fs = std::filesystem;

// A fake environment over a temporary directory.
class StartupValuesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("tarlyk-startup-" + std::to_string(getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "home");
    fs::create_directories(root_ / "icons");
    env_.getEnv = [this](const std::string& name) -> std::optional<std::string> {
      auto it = vars_.find(name);
      if (it == vars_.end()) return std::nullopt;
      return it->second;
    };
    env_.passwdHome = (root_ / "pwhome").string();
    env_.accountIconsDir = (root_ / "icons").string();
    vars_["HOME"] = (root_ / "home").string();
  }
  void TearDown() override { fs::remove_all(root_); }
  static void Touch(const fs::path& p) { std::ofstream(p) << "x"; }

  fs::path root_;
  std::map<std::string, std::string> vars_;
  StartupEnvironment env_;
};

TEST(StartupNames, DisplayNameCountsCharacters) {
  EXPECT_EQ(DisplayNameFor(""), "Игрок");
  EXPECT_EQ(DisplayNameFor("abcdefghi"), "abcdefghi");
  EXPECT_EQ(DisplayNameFor("abcdefghijkl"), "abcdefg...");
  EXPECT_EQ(DisplayNameFor("Александр"), "Александр");  // 9 letters, 18 bytes
  EXPECT_EQ(DisplayNameFor("Константинов"), "Констан...");
  EXPECT_EQ(DisplayNameFor("(Unknown)"), "(Unknown)");
}

TEST(StartupNames, OverlongLoginIsUnknown) {
  EXPECT_EQ(LoginNameOrUnknown(nullptr), "(Unknown)");
  EXPECT_EQ(LoginNameOrUnknown(std::string(62, 'a').c_str()), std::string(62, 'a'));
  EXPECT_EQ(LoginNameOrUnknown(std::string(63, 'a').c_str()), "(Unknown)");
  std::string cyrillic;
  for (int i = 0; i < 40; ++i) cyrillic += "ж";  // 80 bytes, 40 characters
  EXPECT_EQ(LoginNameOrUnknown(cyrillic.c_str()), cyrillic);
  EXPECT_FALSE(LoginNameFromSystem().empty());
}

TEST_F(StartupValuesTest, SettingsFileFollowsXdgThenHomeThenAccount) {
  EXPECT_EQ(SettingsFileNameFor("ivan", env_), (root_ / "home/.config/tarlyk/ivan.dat").string());
  vars_["XDG_CONFIG_HOME"] = (root_ / "cfg").string();
  EXPECT_EQ(SettingsFileNameFor("ivan", env_), (root_ / "cfg/tarlyk/ivan.dat").string());
  vars_["XDG_CONFIG_HOME"] = "relative/dir";
  vars_.erase("HOME");
  EXPECT_EQ(SettingsFileNameFor("ivan", env_), (root_ / "pwhome/.config/tarlyk/ivan.dat").string());
}

TEST_F(StartupValuesTest, HostileLoginStaysInsideTheSettingsDirectory) {
  const fs::path dir = root_ / "home/.config/tarlyk";
  for (const std::string login : {"../../etc/passwd", "..", "/", "a/b", "x\ny"}) {
    const fs::path file(SettingsFileNameFor(login, env_));
    EXPECT_EQ(file.parent_path(), dir) << login;
    EXPECT_NE(file.filename(), "..") << login;
  }
  Touch(root_ / "secret");
  EXPECT_EQ(UserPicturePathFor("../secret", env_), "");
}

TEST_F(StartupValuesTest, PictureFromAccountServiceThenFace) {
  EXPECT_EQ(UserPicturePathFor("ivan", env_), "");
  fs::create_directories(root_ / "icons/dir");  // a directory is not a picture
  EXPECT_EQ(UserPicturePathFor("dir", env_), "");
  Touch(root_ / "home/.face");
  EXPECT_EQ(UserPicturePathFor("ivan", env_), (root_ / "home/.face").string());
  Touch(root_ / "icons/ivan");
  EXPECT_EQ(UserPicturePathFor("ivan", env_), (root_ / "icons/ivan").string());
}

TEST_F(StartupValuesTest, AllValuesTogether) {
  const StartupValues v = ComputeStartupValues("Константинов", env_);
  EXPECT_EQ(v.loginName, "Константинов");
  EXPECT_EQ(v.PlayerName, "Констан...");
  EXPECT_EQ(v.SettingsFileName, (root_ / "home/.config/tarlyk/Константинов.dat").string());
  EXPECT_EQ(v.UserPicturePath, "");
  EXPECT_EQ(v.WinVersion, "4.0");
}

}  // namespace
}  // namespace tarlyk
