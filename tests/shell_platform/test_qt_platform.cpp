#include <gtest/gtest.h>

#include <QGuiApplication>
#include <map>
#include <string>
#include <vector>

#include "shell/qt_platform.h"

namespace tarlyk {
namespace {

using Env = std::map<std::string, std::string>;

std::string Choose(const Env& vars) {
  return ChooseQtPlatform([&vars](const std::string& name) -> std::optional<std::string> {
    const auto it = vars.find(name);
    if (it == vars.end()) return std::nullopt;
    return it->second;
  });
}

TEST(QtPlatform, WaylandSessionWithAnXServerGoesThroughIt) {
  EXPECT_EQ(Choose({{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}), "xcb;wayland");
  // Either sign of a Wayland session is enough.
  EXPECT_EQ(Choose({{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":1"}}), "xcb;wayland");
  EXPECT_EQ(Choose({{"XDG_SESSION_TYPE", "x11"}, {"WAYLAND_DISPLAY", "w"}, {"DISPLAY", ":0"}}),
            "xcb;wayland");
}

TEST(QtPlatform, QtsOwnChoiceStandsOutsideThatCase) {
  // Native Wayland: no X server to go through.
  EXPECT_EQ(Choose({{"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_SESSION_TYPE", "wayland"}}), "");
  EXPECT_EQ(Choose({{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ""}}), "");
  // Plain X11 sessions, a text console, nothing at all.
  EXPECT_EQ(Choose({{"DISPLAY", ":0"}, {"XDG_SESSION_TYPE", "x11"}}), "");
  EXPECT_EQ(Choose({{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", ""}}), "");
  EXPECT_EQ(Choose({{"XDG_SESSION_TYPE", "tty"}}), "");
  EXPECT_EQ(Choose({}), "");
  // The session type is matched exactly, as Qt does.
  EXPECT_EQ(Choose({{"XDG_SESSION_TYPE", "Wayland"}, {"DISPLAY", ":0"}}), "");
}

TEST(QtPlatform, APlatformThePersonSetIsRespected) {
  const Env both = {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}};
  for (const char* chosen : {"wayland", "xcb", "offscreen", "vnc:size=800x600", "nonsense"}) {
    Env vars = both;
    vars["QT_QPA_PLATFORM"] = chosen;
    EXPECT_EQ(Choose(vars), "") << chosen;
  }
  // Set but empty means nothing to Qt either.
  Env vars = both;
  vars["QT_QPA_PLATFORM"] = "";
  EXPECT_EQ(Choose(vars), "xcb;wayland");
}

std::vector<std::string> Words(PlatformArguments& arguments) {
  std::vector<std::string> words;
  for (int i = 0; i < arguments.argc(); ++i) words.emplace_back(arguments.argv()[i]);
  EXPECT_EQ(arguments.argv()[arguments.argc()], nullptr);
  return words;
}

TEST(QtPlatform, ArgumentsCarryTheChoiceAheadOfThePersonsOwn) {
  char program[] = "/usr/games/x";
  char option[] = "-platform";
  char value[] = "wayland";
  char* argv[] = {program, option, value, nullptr};

  PlatformArguments chosen(3, argv, "xcb;wayland");
  EXPECT_EQ(Words(chosen), (std::vector<std::string>{"/usr/games/x", "-platform", "xcb;wayland",
                                                     "-platform", "wayland"}));
  // The program name is the very same string: the single-instance lock reads it.
  EXPECT_EQ(chosen.argv()[0], program);

  PlatformArguments untouched(3, argv, "");
  EXPECT_EQ(Words(untouched), (std::vector<std::string>{"/usr/games/x", "-platform", "wayland"}));

  char* none[] = {nullptr};
  PlatformArguments empty(0, none, "xcb");
  EXPECT_EQ(empty.argc(), 0);
  EXPECT_EQ(empty.argv()[0], nullptr);
}

// Qt itself reads the list from the arguments, environment notwithstanding, and falls
// back along it: an unknown first platform leads to the second.
TEST(QtPlatform, QtFollowsTheListInTheArguments) {
  qputenv("QT_QPA_PLATFORM", "");
  char program[] = "test_qt_platform";
  char* argv[] = {program, nullptr};
  PlatformArguments arguments(1, argv, "tarlyk-no-such-platform;offscreen");
  QGuiApplication app(arguments.argc(), arguments.argv());
  EXPECT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
  // Qt took its words out of the arguments it was given.
  EXPECT_EQ(arguments.argc(), 1);
}

}  // namespace
}  // namespace tarlyk
