// One copy of the program per user: a lock named after the executable's file name in
// upper case, taken before anything else and held until the process ends.
#pragma once

#include <string>

#include "shell/shell_texts.h"  // kSecondCopyText, the 0-001 box's text

class QWidget;

namespace tarlyk {

// "tarlyk" -> "TARLYK": the file name without its directory, letters a..z upper-cased.
std::string LockNameFor(const std::string& executablePath);

// Path of the running executable (falls back to argv[0]).
std::string RunningExecutablePath(const char* argv0);

// Where the lock file may live, in order of preference. Only a directory that belongs to
// the real user and that nobody else may enter is ever used, so no other account can
// create, open or replace the lock file.
struct LockPlaces {
  std::string runtimeDir;       // $XDG_RUNTIME_DIR, used as it is
  std::string userRuntimeRoot;  // "/run/user": <root>/<uid>, used as it is
  std::string sharedTempDir;    // "/tmp": <dir>/tarlyk-<uid>, created when missing
  std::string homeDir;          // $HOME: <home>/.cache/tarlyk, created when missing

  // The process environment and the system's usual places.
  static LockPlaces FromSystem();
};

// An exclusive flock on "<dir>/<NAME>.lock" in the first usable directory of LockPlaces.
// The kernel drops the lock when the last descriptor closes, so it is gone with the
// process even after kill -9. The file itself stays: removing it could let two copies
// lock two different files.
class SingleInstanceLock {
 public:
  explicit SingleInstanceLock(const std::string& name);
  SingleInstanceLock(const std::string& name, const LockPlaces& places);
  ~SingleInstanceLock();
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

  // True when another process of this user already holds the name (IsSecondInstance).
  bool IsSecondInstance() const { return second_; }
  const std::string& Name() const { return name_; }
  // The lock file held or found held; empty when no usable place existed, in which case
  // the program runs as the only copy rather than not at all.
  const std::string& Path() const { return path_; }

 private:
  std::string name_;
  std::string path_;
  int fd_ = -1;
  bool second_ = false;
};

// The 0-001 box: the start-up failure caption, an exclamation icon, one OK button.
void ShowSecondCopyBox(QWidget* parent);

}  // namespace tarlyk
