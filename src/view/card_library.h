// The external card bitmap library Cards.dll: found beside the executable or through
// the system's library search, checked, asked for encoded pictures by number, then
// unloaded.
#pragma once

#include <cstddef>
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
  // The library's one exported function.
  static constexpr const char* kFileName = "Cards.dll";
  static constexpr const char* kBitmapFunction = "TarlykCardBitmap";
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
  bool IsOpen() const { return handle_ != nullptr; }
  // The file loaded, empty when none.
  const std::string& Path() const { return path_; }

  // The encoded picture of bitmap `number`, or an empty span when the library does not
  // hold it or reports no data or an absurd size. The bytes stay valid until Close().
  std::span<const unsigned char> Bitmap(int number) const;

  void Close();

 private:
  using BitmapFunction = int (*)(int, const unsigned char**, unsigned*);
  bool Load(const std::string& path);

  void* handle_ = nullptr;
  BitmapFunction bitmap_ = nullptr;
  std::string path_;
};

}  // namespace tarlyk
