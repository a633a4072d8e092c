// Facts about the user worked out once at start-up: login name, display name, settings
// file path, account picture path and the system version. Plain C++, no Qt.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace tarlyk {

struct StartupValues {
  std::string loginName;
  std::string PlayerName;
  std::string SettingsFileName;
  std::string UserPicturePath;
  // Compared with "5.1" by the picture-repair rules; this system has no such number.
  std::string WinVersion = "4.0";
};

// Where the start-up values look: the environment and the file-system roots. Tests point
// these at temporary directories.
struct StartupEnvironment {
  // Value of an environment variable, or nothing when it is unset.
  std::function<std::optional<std::string>(const std::string&)> getEnv;
  // Home directory from the account database, used when HOME is unset.
  std::string passwdHome;
  // Directory of the per-account pictures of the desktop's account service.
  std::string accountIconsDir = "/var/lib/AccountsService/icons";

  // The real process environment and the current user's account entry.
  static StartupEnvironment FromSystem();
};

// Login names this long (in characters) or longer are not accepted.
inline constexpr std::size_t kMaxLoginChars = 63;

// The current user's login name, or "(Unknown)".
std::string LoginNameFromSystem();
// The login name as accepted from the account database: "(Unknown)" when there is none,
// or when it is kMaxLoginChars characters or longer.
std::string LoginNameOrUnknown(const char* name);
// "Игрок" for an empty name; a name longer than 9 characters becomes its first 7
// characters followed by "...".
std::string DisplayNameFor(const std::string& login);
// The login name made safe to use as a file name (no directory separators).
std::string SafeFileNamePart(const std::string& login);
// $XDG_CONFIG_HOME/tarlyk/<login>.dat, by default $HOME/.config/tarlyk/<login>.dat.
std::string SettingsFileNameFor(const std::string& login, const StartupEnvironment& env);
// The account service's picture of this login, else ~/.face, else "".
std::string UserPicturePathFor(const std::string& login, const StartupEnvironment& env);

// All values for the given login name and environment, in their order of working out.
StartupValues ComputeStartupValues(const std::string& login, const StartupEnvironment& env);
// All values for the current process.
StartupValues ComputeStartupValues();

// Number of characters (UTF-8 code points) in text.
std::size_t Utf8Length(const std::string& text);

}  // namespace tarlyk
