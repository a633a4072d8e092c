// The external card bitmap library Cards.dll: found beside the executable or through
// the system's library search, checked, asked for encoded pictures by number, then
// unloaded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tarlyk {

// True when the file at path is a shared object the loader can map whole: a regular ELF
// file of this process's class, byte order and machine whose program headers, segment
// contents and section headers all lie within the file. A file cut short would
// otherwise be mapped past its end and the first touch of a missing page kills the
// process inside the loader.
bool IsLoadableLibraryFile(const std::string& path);

// The directories the dynamic loader searches for a bare library name asked for by this
// program, in its order (library path, the executable's RUNPATH, the system directories).
std::vector<std::string> LibrarySearchDirs();

class CardLibrary {
 public:
  // The library's exported functions: the encoded 71 x 96 pictures, and optionally the
  // pictures at whole multiples of that size as plain pixels.
  static constexpr const char* kFileName = "Cards.dll";
  static constexpr const char* kBitmapFunction = "TarlykCardBitmap";
  static constexpr const char* kPixelsFunction = "TarlykCardPixels";
  // Real pictures are tens of KB; a larger size is taken for damage, never read.
  static constexpr std::size_t kMaxBitmapBytes = 4u << 20;

  CardLibrary() = default;
  ~CardLibrary();
  CardLibrary(const CardLibrary&) = delete;
  CardLibrary& operator=(const CardLibrary&) = delete;

  // Loads "<exeDir>/Cards.dll" when that file exists, otherwise the first "Cards.dll" in
  // the loader's search directories. A file that fails IsLoadableLibraryFile counts as
  // not there, so a damaged library beside the executable means no library at all. False
  // when no library could be loaded. A library without the exported function still
  // counts as loaded: it simply holds no pictures.
  bool Open(const std::string& exeDir);
  // The same with the directories of the bare-name search given.
  bool Open(const std::string& exeDir, const std::vector<std::string>& searchDirs);
  // Loads exactly the library at `path` (checked as above), searching nothing.
  bool OpenFile(const std::string& path);
  bool IsOpen() const { return handle_ != nullptr; }
  // The file loaded, empty when none.
  const std::string& Path() const { return path_; }

  // The encoded picture of bitmap `number`, or an empty span when the library does not
  // hold it or reports no data, an absurd size or bytes outside its own data. The bytes
  // stay valid until Close().
  std::span<const unsigned char> Bitmap(int number) const;

  // Bitmap `number` at `scale` times its 71 x 96 size, as the library keeps it: 32-bit
  // pixels 0xAARRGGBB, row after row, opaque, RGB(255, 0, 255) where a back is
  // transparent. Empty when the library has no such pictures (an older library), does
  // not hold this one, or reports another size or memory outside its own data. Valid
  // until Close().
  struct Pixels {
    const uint32_t* data = nullptr;
    int width = 0;
    int height = 0;
    bool empty() const { return data == nullptr; }
  };
  Pixels ScaledPixels(int number, int scale) const;

  void Close();

 private:
  using BitmapFunction = int (*)(int, const unsigned char**, unsigned*);
  using PixelsFunction = int (*)(int, int, const unsigned char**, unsigned*, unsigned*);
  bool Load(const std::string& path);
  // Whether [data, data + size) lies within one of the library's own loaded segments.
  bool Holds(const void* data, std::size_t size) const;

  struct Segment {
    uintptr_t begin, end;
  };

  void* handle_ = nullptr;
  BitmapFunction bitmap_ = nullptr;
  PixelsFunction pixels_ = nullptr;
  std::string path_;
  std::vector<Segment> segments_;
};

}  // namespace tarlyk
