#include "shell/qt_platform.h"

#include <cstdlib>

namespace tarlyk {

namespace {

bool IsSet(const EnvironmentLookup& env, const char* name) {
  const std::optional<std::string> value = env(name);
  return value.has_value() && !value->empty();
}

}  // namespace

std::string ChooseQtPlatform(const EnvironmentLookup& env) {
  if (IsSet(env, "QT_QPA_PLATFORM")) return {};
  const bool wayland = IsSet(env, "WAYLAND_DISPLAY") || env("XDG_SESSION_TYPE") == "wayland";
  if (wayland && IsSet(env, "DISPLAY")) return "xcb;wayland";
  return {};
}

PlatformArguments::PlatformArguments(int argc, char** argv, const std::string& platform) {
  const bool add = !platform.empty() && argc > 0;
  if (add) added_ = {"-platform", platform};
  pointers_.reserve(static_cast<std::size_t>(argc) + added_.size() + 1);
  for (int i = 0; i < argc; ++i) {
    pointers_.push_back(argv[i]);
    if (i == 0) {
      for (std::string& word : added_) pointers_.push_back(word.data());
    }
  }
  argc_ = static_cast<int>(pointers_.size());
  pointers_.push_back(nullptr);
}

std::optional<std::string> ProcessEnvironment(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

}  // namespace tarlyk
