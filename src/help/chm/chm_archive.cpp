#include "help/chm/chm_archive.h"

#include <chm_lib.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "help/chm/chm_layout.h"

namespace tarlyk {

namespace {

std::string LowerPath(std::string_view path) {
  std::string out;
  if (path.empty() || path.front() != '/') out.push_back('/');
  out.append(path);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Reads the whole regular file behind `fd`, at most `limit` bytes; false on a read error
// or when there is more.
bool ReadAtMost(int fd, uint64_t limit, std::string& out) {
  out.clear();
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return true;
    if (out.size() + static_cast<uint64_t>(n) > limit) return false;
    out.append(buffer, static_cast<size_t>(n));
  }
}

struct ChmCloser {
  void operator()(chmFile* h) const { chm_close(h); }
};

}  // namespace

std::optional<ChmArchive> ChmArchive::Open(const std::string& path, std::string* error) {
  auto fail = [error](std::string why) -> std::optional<ChmArchive> {
    if (error) *error = std::move(why);
    return std::nullopt;
  };

  // O_NONBLOCK: a pipe in the file's place must not wait for a writer.
  const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) return fail("cannot be opened");
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return fail("not a regular file");
  if (static_cast<uint64_t>(st.st_size) > kChmMaxFileSize) return fail("too large");
  std::string bytes;
  if (!ReadAtMost(fd.get(), kChmMaxFileSize, bytes)) return fail("cannot be read");

  std::string why;
  const std::optional<ChmLayout> layout = CheckChmLayout(bytes, &why);
  if (!layout) return fail(why);

  // chmlib opens by name; the descriptor's own name makes it the very file just checked.
  std::string name = "/proc/self/fd/" + std::to_string(fd.get());
  if (::access(name.c_str(), R_OK) != 0) name = path;
  const std::unique_ptr<chmFile, ChmCloser> chm(chm_open(name.c_str()));
  if (!chm) return fail("chmlib cannot open it");

  // The objects in stream order, so the decompressor runs through the stream once.
  std::vector<const ChmEntry*> wanted;
  for (const ChmEntry& e : layout->entries) {
    if (e.path.front() == '/' && e.path.back() != '/') wanted.push_back(&e);
  }
  std::sort(wanted.begin(), wanted.end(), [](const ChmEntry* a, const ChmEntry* b) {
    return a->space != b->space ? a->space < b->space : a->start < b->start;
  });

  ChmArchive archive;
  uint64_t total = 0;
  for (const ChmEntry* e : wanted) {
    chmUnitInfo unit{};
    if (chm_resolve_object(chm.get(), e->path.c_str(), &unit) != CHM_RESOLVE_SUCCESS ||
        unit.space != e->space || unit.start != e->start || unit.length != e->length) {
      return fail("directory index does not find " + e->path);
    }
    total += e->length;
    if (e->length > kChmMaxObjectSize || total > kChmMaxContentSize) return fail("too large");
    Object object{e->path, std::string(e->length, '\0')};
    if (e->length > 0) {
      const LONGINT64 got = chm_retrieve_object(
          chm.get(), &unit, reinterpret_cast<unsigned char*>(object.bytes.data()), 0,
          static_cast<LONGINT64>(e->length));
      if (got != static_cast<LONGINT64>(e->length)) return fail("cannot read " + e->path);
    }
    archive.objects_[LowerPath(e->path)] = std::move(object);
  }
  return archive;
}

const std::string* ChmArchive::Find(std::string_view path) const {
  const auto it = objects_.find(LowerPath(path));
  return it == objects_.end() ? nullptr : &it->second.bytes;
}

std::vector<std::string> ChmArchive::Paths() const {
  std::vector<std::string> paths;
  paths.reserve(objects_.size());
  for (const auto& [key, object] : objects_) paths.push_back(object.path);
  return paths;
}

}  // namespace tarlyk
