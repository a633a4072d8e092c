#include "settings/startup_values.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "settings/settings_texts.h"

namespace tarlyk {

namespace {

constexpr const char* kUnknownLogin = "(Unknown)";
constexpr std::size_t kMaxShownChars = 9;
constexpr std::size_t kKeptChars = 7;

bool IsContinuationByte(char ch) {
  return (static_cast<unsigned char>(ch) & 0xC0) == 0x80;
}

// Byte offset at which character number `chars` (0-based) begins, or text.size().
std::size_t Utf8Offset(const std::string& text, std::size_t chars) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsContinuationByte(text[i])) continue;
    if (seen == chars) return i;
    ++seen;
  }
  return text.size();
}

// The current user's account entry, read with the re-entrant call; nothing when absent.
struct AccountEntry {
  std::string name;
  std::string home;
};

std::optional<AccountEntry> CurrentAccount() {
  long hint = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::size_t size = hint > 0 ? static_cast<std::size_t>(hint) : 16384;
  for (int attempt = 0; attempt < 8; ++attempt) {
    std::vector<char> buffer(size);
    passwd entry{};
    passwd* result = nullptr;
    const int rc = getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &result);
    if (rc == ERANGE) {
      size *= 2;
      continue;
    }
    if (rc != 0 || result == nullptr) return std::nullopt;
    AccountEntry out;
    if (entry.pw_name != nullptr) out.name = entry.pw_name;
    if (entry.pw_dir != nullptr) out.home = entry.pw_dir;
    return out;
  }
  return std::nullopt;
}

std::string EnvOrEmpty(const StartupEnvironment& env, const char* name) {
  if (!env.getEnv) return {};
  return env.getEnv(name).value_or(std::string());
}

std::string HomeDir(const StartupEnvironment& env) {
  std::string home = EnvOrEmpty(env, "HOME");
  return home.empty() ? env.passwdHome : home;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  return dir.back() == '/' ? dir + name : dir + "/" + name;
}

bool IsRegularFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

StartupEnvironment EnvironmentWith(const std::optional<AccountEntry>& account) {
  StartupEnvironment env;
  env.getEnv = [](const std::string& name) -> std::optional<std::string> {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) return std::nullopt;
    return std::string(value);
  };
  if (account) env.passwdHome = account->home;
  return env;
}

}  // namespace

std::size_t Utf8Length(const std::string& text) {
  std::size_t n = 0;
  for (char ch : text) n += IsContinuationByte(ch) ? 0 : 1;
  return n;
}

StartupEnvironment StartupEnvironment::FromSystem() {
  return EnvironmentWith(CurrentAccount());
}

std::string LoginNameOrUnknown(const char* name) {
  if (name == nullptr) return kUnknownLogin;
  std::string login(name);
  if (Utf8Length(login) >= kMaxLoginChars) return kUnknownLogin;
  return login;
}

std::string LoginNameFromSystem() {
  const auto account = CurrentAccount();
  return LoginNameOrUnknown(account ? account->name.c_str() : nullptr);
}

std::string DisplayNameFor(const std::string& login) {
  if (login.empty()) return kDefaultPlayerName;
  if (Utf8Length(login) <= kMaxShownChars) return login;
  return login.substr(0, Utf8Offset(login, kKeptChars)) + "...";
}

std::string SafeFileNamePart(const std::string& login) {
  // A separator (or a control character) in the account name must not lead the file out
  // of the settings directory or give it a name that cannot be written.
  std::string out = login;
  for (char& ch : out) {
    const unsigned char u = static_cast<unsigned char>(ch);
    if (ch == '/' || ch == '\\' || u < 0x20 || u == 0x7F) ch = '_';
  }
  return out;
}

std::string SettingsFileNameFor(const std::string& login, const StartupEnvironment& env) {
  // A relative XDG_CONFIG_HOME is invalid and ignored, like an empty one.
  std::string base = EnvOrEmpty(env, "XDG_CONFIG_HOME");
  if (base.empty() || base.front() != '/') {
    const std::string home = HomeDir(env);
    base = JoinPath(home, ".config");
  }
  return JoinPath(JoinPath(base, "tarlyk"), SafeFileNamePart(login) + ".dat");
}

std::string UserPicturePathFor(const std::string& login, const StartupEnvironment& env) {
  // The account picture is a file named exactly after the login; a name that is not a
  // plain file name cannot have one there.
  const bool plainName =
      !login.empty() && login != "." && login != ".." && SafeFileNamePart(login) == login;
  if (plainName && !env.accountIconsDir.empty()) {
    const std::string path = JoinPath(env.accountIconsDir, login);
    if (IsRegularFile(path)) return path;
  }
  const std::string home = HomeDir(env);
  if (!home.empty()) {
    const std::string face = JoinPath(home, ".face");
    if (IsRegularFile(face)) return face;
  }
  return {};
}

StartupValues ComputeStartupValues(const std::string& login, const StartupEnvironment& env) {
  StartupValues values;
  values.loginName = login;
  values.UserPicturePath = UserPicturePathFor(login, env);
  values.SettingsFileName = SettingsFileNameFor(login, env);
  values.PlayerName = DisplayNameFor(login);
  return values;
}

StartupValues ComputeStartupValues() {
  // The account database is read once for both the login name and the home directory.
  const auto account = CurrentAccount();
  return ComputeStartupValues(LoginNameOrUnknown(account ? account->name.c_str() : nullptr),
                              EnvironmentWith(account));
}

}  // namespace tarlyk
