#include "settings/ini_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <limits>
#include <system_error>

namespace tarlyk {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads the whole of a regular file; false on any failure.
bool ReadWholeFile(int fd, std::string& out) {
  out.clear();
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) return true;
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    out.append(buffer, static_cast<size_t>(n));
  }
}

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    text.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

std::optional<int32_t> ParseIniInteger(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < text.size() && text[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == text.size()) return std::nullopt;
  uint64_t value = 0;
  if (hex) {
    // Up to 32 bits; a value past 0x7FFFFFFF wraps to a negative 32-bit integer.
    for (; i < text.size(); ++i) {
      const int d = HexDigit(text[i]);
      if (d < 0) return std::nullopt;
      value = value * 16 + static_cast<uint64_t>(d);
      if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    const auto bits = static_cast<uint32_t>(value);
    const auto wrapped = static_cast<int32_t>(bits);
    if (negative) {
      if (wrapped == std::numeric_limits<int32_t>::min()) return wrapped;
      return -wrapped;
    }
    return wrapped;
  }
  const uint64_t limit = negative ? 2147483648ull : 2147483647ull;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
    if (value > limit) return std::nullopt;
  }
  if (negative) return static_cast<int32_t>(-static_cast<int64_t>(value));
  return static_cast<int32_t>(value);
}

IniFile IniFile::Parse(std::string_view text) {
  IniFile ini;
  // The first line break decides how new lines are written.
  const size_t firstBreak = text.find_first_of("\r\n");
  if (firstBreak != std::string_view::npos) {
    if (text[firstBreak] == '\n') {
      ini.lineBreak_ = "\n";
    } else if (firstBreak + 1 < text.size() && text[firstBreak + 1] == '\n') {
      ini.lineBreak_ = "\r\n";
    } else {
      ini.lineBreak_ = "\r";
    }
  }
  size_t breaks = 1;
  for (const char c : text) breaks += (c == '\n' || c == '\r') ? 1 : 0;
  ini.lines_.reserve(breaks);
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    Line line;
    line.text = std::string(text.substr(pos, end - pos));
    const std::string_view t = Trim(line.text);
    if (!t.empty() && t.front() == '[') {
      line.kind = Kind::kSection;
      const size_t close = t.find(']');
      line.name = std::string(
          Trim(t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
    } else if (!t.empty() && t.front() != ';') {
      const size_t eq = t.find('=');
      if (eq != std::string_view::npos) {
        line.kind = Kind::kKey;
        line.name = std::string(Trim(t.substr(0, eq)));
      }
    }
    ini.lines_.push_back(std::move(line));
    // A CR LF pair is one break; a lone CR or LF is one break too.
    pos = end;
    if (pos < text.size()) {
      pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
    }
  }
  return ini;
}

IniFile::LoadResult IniFile::Load(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    return errno == ENOENT || errno == ENOTDIR ? LoadResult::kMissing : LoadResult::kError;
  }
  if (!S_ISREG(st.st_mode)) return LoadResult::kError;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return LoadResult::kError;
  std::string text;
  const bool ok = ReadWholeFile(fd, text);
  ::close(fd);
  if (!ok) return LoadResult::kError;
  *this = Parse(text);
  return LoadResult::kOk;
}

long IniFile::FindSection(std::string_view section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == Kind::kSection && SameName(lines_[i].name, section))
      return static_cast<long>(i);
  }
  return -1;
}

size_t IniFile::SectionEnd(size_t header) const {
  size_t i = header + 1;
  while (i < lines_.size() && lines_[i].kind != Kind::kSection) ++i;
  return i;
}

long IniFile::FindKey(std::string_view section, std::string_view key) const {
  const long header = FindSection(section);
  if (header < 0) return -1;
  const size_t end = SectionEnd(static_cast<size_t>(header));
  for (size_t i = static_cast<size_t>(header) + 1; i < end; ++i) {
    if (lines_[i].kind == Kind::kKey && SameName(lines_[i].name, key)) return static_cast<long>(i);
  }
  return -1;
}

bool IniFile::SectionExists(std::string_view section) const {
  return FindSection(section) >= 0;
}

std::optional<std::string> IniFile::ReadString(std::string_view section,
                                               std::string_view key) const {
  const long i = FindKey(section, key);
  if (i < 0) return std::nullopt;
  const std::string& text = lines_[static_cast<size_t>(i)].text;
  std::string_view value = Trim(std::string_view(text).substr(text.find('=') + 1));
  // A value in matching quotes is read without them.
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
  const std::optional<std::string> text = ReadString(section, key);
  if (!text) return def;
  return ParseIniInteger(*text).value_or(def);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  Line line;
  line.kind = Kind::kKey;
  line.name = std::string(key);
  line.text = std::string(key) + "=" + std::string(value);

  const long existing = FindKey(section, key);
  if (existing >= 0) {
    lines_[static_cast<size_t>(existing)] = std::move(line);
    return;
  }
  const long header = FindSection(section);
  if (header < 0) {
    Line head;
    head.kind = Kind::kSection;
    head.name = std::string(section);
    head.text.reserve(section.size() + 2);
    head.text.append("[").append(section).append("]");
    lines_.push_back(std::move(head));
    lines_.push_back(std::move(line));
    return;
  }
  // After the section's last non-blank line, so blank lines before the next header stay.
  size_t at = SectionEnd(static_cast<size_t>(header));
  while (at > static_cast<size_t>(header) + 1 && Trim(lines_[at - 1].text).empty()) --at;
  lines_.insert(lines_.begin() + static_cast<long>(at), std::move(line));
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

std::string IniFile::ToText() const {
  std::string out;
  size_t size = 0;
  for (const Line& l : lines_) size += l.text.size() + lineBreak_.size();
  out.reserve(size);
  for (const Line& l : lines_) {
    out += l.text;
    out += lineBreak_;
  }
  return out;
}

namespace {

// Temporary files left by a write that was killed half-way are removed once they are
// this old. A write takes milliseconds, so an older one belongs to no live writer, also
// not to a second copy of the program (run under another executable name, which the
// single-instance lock does not stop) saving the same file at this moment. An age needs
// no cooperation from that copy, which a lock would.
constexpr time_t kStaleTemporaryAge = 10 * 60;

// The file a write to path must replace: path itself, or the end of its chain of
// symbolic links, so that the link stays a link. Nothing for a loop.
std::optional<std::string> WriteTarget(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::error_code ec;
    const std::filesystem::path target = std::filesystem::read_symlink(path, ec);
    if (ec) return std::nullopt;
    path = target.is_absolute() ? target.string()
                                : (std::filesystem::path(DirectoryOf(path)) / target).string();
  }
  return std::nullopt;
}

// "<name>.XXXXXX" as mkstemp fills it in: six letters or digits.
bool IsTemporaryName(std::string_view entry, std::string_view name) {
  if (entry.size() != name.size() + 7 || entry.substr(0, name.size()) != name ||
      entry[name.size()] != '.') {
    return false;
  }
  for (char c : entry.substr(name.size() + 1)) {
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) {
      return false;
    }
  }
  return true;
}

// Removes this file's own stale temporary files: regular files of ours, never links.
void RemoveStaleTemporaries(const std::string& path) {
  const std::string dirPath = DirectoryOf(path);
  const size_t slash = path.find_last_of('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const int dirFd = ::open(dirPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd < 0) return;
  DIR* dir = ::fdopendir(dirFd);
  if (dir == nullptr) {
    ::close(dirFd);
    return;
  }
  const time_t now = ::time(nullptr);
  while (const dirent* entry = ::readdir(dir)) {
    if (!IsTemporaryName(entry->d_name, name)) continue;
    struct stat st {};
    if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISREG(st.st_mode) && st.st_uid == ::getuid() && now - st.st_mtime >= kStaleTemporaryAge) {
      ::unlinkat(dirFd, entry->d_name, 0);
    }
  }
  ::closedir(dir);
}

}  // namespace

AtomicWriteResult WriteFileAtomically(const std::string& requested, std::string_view text) {
  const std::optional<std::string> target = WriteTarget(requested);
  if (!target) return AtomicWriteResult::kWriteFailed;
  const std::string& path = *target;
  RemoveStaleTemporaries(path);
  std::string tmp = path + ".XXXXXX";
  const int fd = ::mkstemp(tmp.data());
  if (fd < 0) return AtomicWriteResult::kWriteFailed;

  // Keep the old file's permissions; a new file gets the usual ones.
  struct stat st {};
  mode_t mode = 0644;
  if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = static_cast<mode_t>(0666 & ~mask);
  }
  ::fchmod(fd, mode);
  bool ok = WriteAll(fd, text) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (!ok) {
    ::unlink(tmp.c_str());
    return AtomicWriteResult::kWriteFailed;
  }
  if (::rename(tmp.c_str(), path.c_str()) != 0) {
    ::unlink(tmp.c_str());
    return AtomicWriteResult::kReplaceFailed;
  }
  // Make the rename itself durable.
  const int dir = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return AtomicWriteResult::kOk;
}

}  // namespace tarlyk
