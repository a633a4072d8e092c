// One copy of the program per system: a lock named after the executable's file name in
// upper case, taken before anything else and held until the process ends.
#pragma once

#include <string>

class QWidget;

namespace tarlyk {

// The text of the 0-001 box shown by a second copy.
extern const char* const kSecondCopyText;

// "tarlyk" -> "TARLYK": the file name without its directory, letters a..z upper-cased.
std::string LockNameFor(const std::string& executablePath);

// Path of the running executable (falls back to argv[0]).
std::string RunningExecutablePath(const char* argv0);

// An abstract-namespace Unix socket bound to "\0NAME". The kernel frees the name when
// the last descriptor closes, so it is gone with the process even after kill -9.
class SingleInstanceLock {
 public:
  explicit SingleInstanceLock(const std::string& name);
  ~SingleInstanceLock();
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

  // True when another process already holds the name (IsSecondInstance).
  bool IsSecondInstance() const { return second_; }
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
  int fd_ = -1;
  bool second_ = false;
};

// The 0-001 box: caption "Внимание", exclamation icon, one OK button.
void ShowSecondCopyBox(QWidget* parent);

}  // namespace tarlyk
