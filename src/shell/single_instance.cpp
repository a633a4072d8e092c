#include "shell/single_instance.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "shell/widgets/message_box.h"
#include "view/view_texts.h"

namespace tarlyk {

std::string LockNameFor(const std::string& executablePath) {
  const auto slash = executablePath.find_last_of('/');
  std::string name = slash == std::string::npos ? executablePath : executablePath.substr(slash + 1);
  for (char& c : name) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return name;
}

std::string RunningExecutablePath(const char* argv0) {
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec && !self.empty()) return self.string();
  return argv0 != nullptr ? std::string(argv0) : std::string("tarlyk");
}

namespace {

// A directory the lock file may live in.
struct LockDirectory {
  std::string path;
  bool create = false;  // made (mode 0700) when missing
  bool exact = false;   // a runtime directory: mode exactly 0700, as the desktop sets it up
};

std::vector<LockDirectory> Candidates(const LockPlaces& places, uid_t uid) {
  std::vector<LockDirectory> dirs;
  const std::string id = std::to_string(uid);
  const auto absolute = [](const std::string& path) { return !path.empty() && path[0] == '/'; };
  if (absolute(places.runtimeDir)) dirs.push_back({places.runtimeDir, false, true});
  if (absolute(places.userRuntimeRoot)) {
    const std::string dir = places.userRuntimeRoot + "/" + id;
    if (dirs.empty() || dirs.front().path != dir) dirs.push_back({dir, false, true});
  }
  if (absolute(places.sharedTempDir)) {
    dirs.push_back({places.sharedTempDir + "/tarlyk-" + id, true, false});
  }
  // The last resort: another account can squat a name in the shared temporary directory,
  // but not one in the home directory.
  if (absolute(places.homeDir)) dirs.push_back({places.homeDir + "/.cache/tarlyk", true, false});
  return dirs;
}

// The directory opened without following a final symbolic link, when it belongs to uid
// and no other account may enter it; -1 otherwise.
int OpenPrivateDirectory(const LockDirectory& dir, uid_t uid) {
  if (dir.create) {
    // A missing parent (~/.cache) is made too; whatever already exists is judged below.
    const auto slash = dir.path.find_last_of('/');
    if (slash != std::string::npos && slash > 0) ::mkdir(dir.path.substr(0, slash).c_str(), 0700);
    ::mkdir(dir.path.c_str(), 0700);
  }
  const int fd = ::open(dir.path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat st {};
  const bool ok = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == uid &&
                  (dir.exact ? (st.st_mode & 0777) == 0700 : (st.st_mode & 077) == 0);
  if (!ok) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// The lock file inside the directory: a regular file of uid, never a link or anything
// planted; -1 otherwise.
int OpenLockFile(int dirFd, const std::string& fileName, uid_t uid) {
  const int fd = ::openat(dirFd, fileName.c_str(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0600);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != uid) {
    ::close(fd);
    return -1;
  }
  if ((st.st_mode & 077) != 0) ::fchmod(fd, 0600);
  return fd;
}

std::string EnvOrEmpty(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

std::string PasswdHome(uid_t uid) {
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* result = nullptr;
  if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &result) != 0 || result == nullptr ||
      entry.pw_dir == nullptr) {
    return {};
  }
  return entry.pw_dir;
}

}  // namespace

LockPlaces LockPlaces::FromSystem() {
  LockPlaces places;
  places.runtimeDir = EnvOrEmpty("XDG_RUNTIME_DIR");
  places.userRuntimeRoot = "/run/user";
  places.sharedTempDir = "/tmp";
  places.homeDir = EnvOrEmpty("HOME");
  if (places.homeDir.empty()) places.homeDir = PasswdHome(::getuid());
  return places;
}

SingleInstanceLock::SingleInstanceLock(const std::string& name)
    : SingleInstanceLock(name, LockPlaces::FromSystem()) {}

SingleInstanceLock::SingleInstanceLock(const std::string& name, const LockPlaces& places)
    : name_(name) {
  const uid_t uid = ::getuid();
  const std::string fileName = name_ + ".lock";
  for (const LockDirectory& dir : Candidates(places, uid)) {
    const int dirFd = OpenPrivateDirectory(dir, uid);
    if (dirFd < 0) continue;
    const int fd = OpenLockFile(dirFd, fileName, uid);
    ::close(dirFd);
    if (fd < 0) continue;
    int rc = 0;
    do {
      rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc == 0) {
      fd_ = fd;
      path_ = dir.path + "/" + fileName;
      return;
    }
    const int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK) {
      second_ = true;
      path_ = dir.path + "/" + fileName;
      return;
    }
    // A file system without locks: try the next place.
  }
}

SingleInstanceLock::~SingleInstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

void ShowSecondCopyBox(QWidget* parent) {
  ShowMessage(parent, QMessageBox::Warning, QString::fromUtf8(kStartupFailureCaption),
              QString::fromUtf8(kSecondCopyText));
}

}  // namespace tarlyk
