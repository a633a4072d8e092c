#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "settings/startup_values.h"

namespace tarlyk {
namespace {

namespace fs = std::filesystem;

TEST(StartupNames, DisplayAndLoginNamesCountCharacters) {
  EXPECT_EQ(DisplayNameFor(""), "Игрок");
  EXPECT_EQ(DisplayNameFor("abcdefghi"), "abcdefghi");
  EXPECT_EQ(DisplayNameFor("abcdefghijkl"), "abcdefg...");
  EXPECT_EQ(DisplayNameFor("Александр"), "Александр");  // 9 letters, 18 bytes
  EXPECT_EQ(DisplayNameFor("Константинов"), "Констан...");
  EXPECT_EQ(LoginNameOrUnknown(nullptr), "(Unknown)");
  EXPECT_EQ(LoginNameOrUnknown(std::string(62, 'a').c_str()), std::string(62, 'a'));
  EXPECT_EQ(LoginNameOrUnknown(std::string(63, 'a').c_str()), "(Unknown)");
  std::string cyrillic;
  for (int i = 0; i < 40; ++i) cyrillic += "ж";  // 80 bytes
  EXPECT_EQ(LoginNameOrUnknown(cyrillic.c_str()), cyrillic);
}

class StartupValuesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(root_);
    fs::create_directories(root_ / "home");
    fs::create_directories(root_ / "icons/dir");
    env_.getEnv = [this](const std::string& name) -> std::optional<std::string> {
      auto it = vars_.find(name);
      return it == vars_.end() ? std::nullopt : std::optional(it->second);
    };
    env_.passwdHome = root_ / "pw";
    env_.accountIconsDir = root_ / "icons";
    vars_["HOME"] = root_ / "home";
  }
  void TearDown() override { fs::remove_all(root_); }
  std::string At(const char* rel) const { return (root_ / rel).string(); }

  fs::path root_ = fs::temp_directory_path() / ("tarlyk-sv-" + std::to_string(getpid()));
  std::map<std::string, std::string> vars_;
  StartupEnvironment env_;
};

TEST_F(StartupValuesTest, SettingsFileFollowsXdgThenHomeThenAccount) {
  EXPECT_EQ(SettingsFileNameFor("ivan", env_), At("home/.config/tarlyk/ivan.dat"));
  vars_["XDG_CONFIG_HOME"] = At("cfg");
  EXPECT_EQ(SettingsFileNameFor("ivan", env_), At("cfg/tarlyk/ivan.dat"));
  vars_["XDG_CONFIG_HOME"] = "relative";
  vars_.erase("HOME");
  EXPECT_EQ(SettingsFileNameFor("ivan", env_), At("pw/.config/tarlyk/ivan.dat"));
  for (const char* login : {"../../etc/passwd", "..", "/", "x\ny"}) {
    EXPECT_EQ(fs::path(SettingsFileNameFor(login, env_)).parent_path(), At("pw/.config/tarlyk"));
  }
}

TEST_F(StartupValuesTest, PictureFromAccountServiceThenFace) {
  std::ofstream(root_ / "secret") << "x";
  EXPECT_EQ(UserPicturePathFor("../secret", env_), "");
  EXPECT_EQ(UserPicturePathFor("dir", env_), "");  // a directory is no picture
  std::ofstream(root_ / "home/.face") << "x";
  EXPECT_EQ(UserPicturePathFor("ivan", env_), At("home/.face"));
  std::ofstream(root_ / "icons/ivan") << "x";
  const StartupValues v = ComputeStartupValues("ivan", env_);
  EXPECT_EQ(v.UserPicturePath, At("icons/ivan"));
  EXPECT_EQ(v.PlayerName, "ivan");
  EXPECT_EQ(v.WinVersion, "4.0");
}

}  // namespace
}  // namespace tarlyk
