// Which window system the game talks to, settled from the session's environment before
// the Qt application exists. Window positions and the system-wide boss key need an X
// server, so in a Wayland session that also runs one (Xwayland) the game goes through
// it. Plain C++, no Qt.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarlyk {

// Value of an environment variable, or nothing when it is unset.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string&)>;

// The Qt platform list to ask for: "xcb;wayland" (the X server first, native Wayland
// should it not answer) in a Wayland session (WAYLAND_DISPLAY, or XDG_SESSION_TYPE
// "wayland") that also has DISPLAY; empty where Qt's own choice stands: outside Wayland,
// on Wayland without an X server, and whenever QT_QPA_PLATFORM is set, whatever it says.
// Empty values count as unset, as they do for Qt.
std::string ChooseQtPlatform(const EnvironmentLookup& env);

// The program's arguments with "-platform <platform>" put right after the program name,
// for the Qt application to read. The choice stays this process's own: unlike a changed
// environment, it does not reach the programs the game starts. A -platform the person
// gives comes later on the command line and so still wins. An empty platform leaves the
// arguments as they are.
class PlatformArguments {
 public:
  PlatformArguments(int argc, char** argv, const std::string& platform);
  PlatformArguments(const PlatformArguments&) = delete;
  PlatformArguments& operator=(const PlatformArguments&) = delete;

  // Both stay valid, and are edited by Qt, for as long as this object lives.
  int& argc() { return argc_; }
  char** argv() { return pointers_.data(); }

 private:
  std::vector<std::string> added_;
  std::vector<char*> pointers_;  // null-terminated, like the original argv
  int argc_ = 0;
};

// The real process environment.
std::optional<std::string> ProcessEnvironment(const std::string& name);

}  // namespace tarlyk
