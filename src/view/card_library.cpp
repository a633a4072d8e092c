#include "view/card_library.h"

#include <dlfcn.h>
#include <elf.h>
#include <fcntl.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "game/hand_layout.h"

namespace tarlyk {

namespace {

using Ehdr = ElfW(Ehdr);
using Phdr = ElfW(Phdr);
using Shdr = ElfW(Shdr);
using Half = decltype(Ehdr::e_machine);

#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
constexpr unsigned char kNativeData = ELFDATA2LSB;
#else
constexpr unsigned char kNativeData = ELFDATA2MSB;
#endif
constexpr unsigned char kNativeClass = sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32;

// [offset, offset + length) lies within a file of `size` bytes, without overflowing.
bool Within(uint64_t offset, uint64_t length, uint64_t size) {
  return offset <= size && length <= size - offset;
}

bool ReadAt(int fd, void* out, std::size_t length, uint64_t offset) {
  auto* bytes = static_cast<unsigned char*>(out);
  while (length > 0) {
    const ssize_t n = ::pread(fd, bytes, length, static_cast<off_t>(offset));
    if (n <= 0) return false;
    bytes += n;
    offset += static_cast<uint64_t>(n);
    length -= static_cast<std::size_t>(n);
  }
  return true;
}

// The machine this process runs as, from its own executable; 0 when unknown (the loader
// then still refuses a foreign machine by itself, before mapping anything).
Half NativeMachine() {
  static const Half machine = [] {
    Ehdr self{};
    const int fd = ::open("/proc/self/exe", O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Half{0};
    const bool ok =
        ReadAt(fd, &self, sizeof self, 0) && std::memcmp(self.e_ident, ELFMAG, SELFMAG) == 0;
    ::close(fd);
    return ok ? Half{self.e_machine} : Half{0};
  }();
  return machine;
}

bool IsLoadableElf(int fd, uint64_t size) {
  Ehdr eh{};
  if (size < sizeof eh || !ReadAt(fd, &eh, sizeof eh, 0)) return false;
  if (std::memcmp(eh.e_ident, ELFMAG, SELFMAG) != 0 || eh.e_ident[EI_CLASS] != kNativeClass ||
      eh.e_ident[EI_DATA] != kNativeData || eh.e_ident[EI_VERSION] != EV_CURRENT ||
      eh.e_type != ET_DYN) {
    return false;
  }
  const Half machine = NativeMachine();
  if (machine != 0 && eh.e_machine != machine) return false;

  // Program headers, and the file bytes of every segment they describe.
  if (eh.e_phentsize != sizeof(Phdr) || eh.e_phnum == 0 || eh.e_phnum == PN_XNUM) return false;
  const uint64_t phBytes = uint64_t{eh.e_phnum} * sizeof(Phdr);
  if (!Within(eh.e_phoff, phBytes, size)) return false;
  std::vector<Phdr> ph(eh.e_phnum);
  if (!ReadAt(fd, ph.data(), phBytes, eh.e_phoff)) return false;
  for (const Phdr& p : ph) {
    if (p.p_filesz > 0 && !Within(p.p_offset, p.p_filesz, size)) return false;
  }

  // Section headers (a count of 0 with a table means the count is in section 0).
  if (eh.e_shoff == 0) return eh.e_shnum == 0;
  if (eh.e_shentsize != sizeof(Shdr) || !Within(eh.e_shoff, sizeof(Shdr), size)) return false;
  uint64_t count = eh.e_shnum;
  if (count == 0) {
    Shdr first{};
    if (!ReadAt(fd, &first, sizeof first, eh.e_shoff)) return false;
    count = first.sh_size;
  }
  return count <= size / sizeof(Shdr) && Within(eh.e_shoff, count * sizeof(Shdr), size);
}

}  // namespace

bool IsLoadableLibraryFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st {};
  const bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0 &&
                  IsLoadableElf(fd, static_cast<uint64_t>(st.st_size));
  ::close(fd);
  return ok;
}

std::vector<std::string> LibrarySearchDirs() {
  // The loader itself lists the directories it would search for a name asked for by the
  // executable (whose RUNPATH applies, since this code is linked into it).
  std::vector<std::string> dirs;
  void* self = dlopen(nullptr, RTLD_LAZY);
  if (self == nullptr) return dirs;
  Dl_serinfo size{};
  if (dlinfo(self, RTLD_DI_SERINFOSIZE, &size) == 0 && size.dls_size >= sizeof(Dl_serinfo)) {
    std::vector<unsigned char> buffer(size.dls_size);
    auto* info = reinterpret_cast<Dl_serinfo*>(buffer.data());
    std::memcpy(info, &size, sizeof size);
    if (dlinfo(self, RTLD_DI_SERINFO, info) == 0) {
      for (unsigned i = 0; i < info->dls_cnt; ++i) {
        if (info->dls_serpath[i].dls_name != nullptr) {
          dirs.emplace_back(info->dls_serpath[i].dls_name);
        }
      }
    }
  }
  dlclose(self);
  return dirs;
}

CardLibrary::~CardLibrary() {
  Close();
}

bool CardLibrary::Open(const std::string& exeDir) {
  return Open(exeDir, LibrarySearchDirs());
}

bool CardLibrary::Open(const std::string& exeDir, const std::vector<std::string>& searchDirs) {
  Close();
  std::error_code ec;
  const std::filesystem::path beside = std::filesystem::path(exeDir) / kFileName;
  if (!exeDir.empty() && std::filesystem::exists(beside, ec)) return Load(beside.string());
  // The bare-name search, done here so that every candidate is checked before the loader
  // maps it; an unusable file is passed over as the loader passes over a foreign one.
  for (const std::string& dir : searchDirs) {
    const std::string path = (dir.empty() ? std::string(".") : dir) + "/" + kFileName;
    if (std::filesystem::exists(path, ec) && Load(path)) return true;
  }
  return false;
}

bool CardLibrary::OpenFile(const std::string& path) {
  Close();
  return Load(path);
}

bool CardLibrary::Load(const std::string& path) {
  if (!IsLoadableLibraryFile(path)) return false;
  // A path with a slash is loaded as it stands, never searched for. RTLD_LOCAL keeps the
  // library's symbols to itself; RTLD_NOW makes a library with unresolved dependencies
  // fail here rather than later.
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) return false;
  bitmap_ = reinterpret_cast<BitmapFunction>(dlsym(handle_, kBitmapFunction));
  pixels_ = reinterpret_cast<PixelsFunction>(dlsym(handle_, kPixelsFunction));
  path_ = path;

  // The library's loaded segments, so that memory it points at can be checked.
  link_map* map = nullptr;
  if (dlinfo(handle_, RTLD_DI_LINKMAP, &map) == 0 && map != nullptr) {
    struct Search {
      ElfW(Addr) base;
      std::vector<Segment>* segments;
    } search{map->l_addr, &segments_};
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
          auto* s = static_cast<Search*>(data);
          if (info->dlpi_addr != s->base) return 0;
          for (int i = 0; i < info->dlpi_phnum; ++i) {
            const Phdr& ph = info->dlpi_phdr[i];
            if (ph.p_type != PT_LOAD) continue;
            const uintptr_t begin = info->dlpi_addr + ph.p_vaddr;
            s->segments->push_back({begin, begin + ph.p_memsz});
          }
          return 1;
        },
        &search);
  }
  return true;
}

bool CardLibrary::Holds(const void* data, std::size_t size) const {
  const auto begin = reinterpret_cast<uintptr_t>(data);
  for (const Segment& s : segments_) {
    if (begin >= s.begin && begin <= s.end && size <= s.end - begin) return true;
  }
  return false;
}

std::span<const unsigned char> CardLibrary::Bitmap(int number) const {
  if (bitmap_ == nullptr) return {};
  const unsigned char* data = nullptr;
  unsigned size = 0;
  if (bitmap_(number, &data, &size) == 0 || data == nullptr || size == 0 ||
      size > kMaxBitmapBytes || !Holds(data, size)) {
    return {};
  }
  return {data, size};
}

CardLibrary::Pixels CardLibrary::ScaledPixels(int number, int scale) const {
  if (pixels_ == nullptr || scale < 2 || scale > 8) return {};
  const unsigned char* data = nullptr;
  unsigned width = 0, height = 0;
  if (pixels_(number, scale, &data, &width, &height) == 0 || data == nullptr) return {};
  if (width != static_cast<unsigned>(kCardWidth * scale) ||
      height != static_cast<unsigned>(kCardHeight * scale) ||
      reinterpret_cast<uintptr_t>(data) % alignof(uint32_t) != 0 ||
      !Holds(data, std::size_t{width} * height * 4)) {
    return {};
  }
  return {reinterpret_cast<const uint32_t*>(data), static_cast<int>(width),
          static_cast<int>(height)};
}

void CardLibrary::Close() {
  if (handle_ != nullptr) dlclose(handle_);
  handle_ = nullptr;
  bitmap_ = nullptr;
  pixels_ = nullptr;
  path_.clear();
  segments_.clear();
}

}  // namespace tarlyk
