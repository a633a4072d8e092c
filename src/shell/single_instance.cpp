#include "shell/single_instance.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QMessageBox>
#include <QString>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace tarlyk {

const char* const kSecondCopyText =
    "Игра \"Тарлык\" уже запущена.\r\rЗапуск второй копии игры не возможен.\r\r\tКод ошибки: "
    "0-001.";

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

SingleInstanceLock::SingleInstanceLock(const std::string& name) : name_(name) {
  fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd_ < 0) return;  // no sockets at all: run as the only copy
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  // Abstract namespace: the first byte of sun_path is 0, the name follows without a 0.
  const std::size_t len = std::min(name_.size(), sizeof(addr.sun_path) - 1);
  std::memcpy(addr.sun_path + 1, name_.data(), len);
  const auto addrLen = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + len);
  if (::bind(fd_, reinterpret_cast<const sockaddr*>(&addr), addrLen) != 0) {
    second_ = errno == EADDRINUSE;
    ::close(fd_);
    fd_ = -1;
  }
}

SingleInstanceLock::~SingleInstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

void ShowSecondCopyBox(QWidget* parent) {
  // Message texts keep the program's carriage returns; the box breaks lines at '\n'.
  QString text = QString::fromUtf8(kSecondCopyText);
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Внимание"), text, QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace tarlyk
