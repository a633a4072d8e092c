// The external card bitmap library Cards.dll: found beside the executable or through
// the system's library search, asked for encoded pictures by number, then unloaded.
#pragma once

#include <span>
#include <string>

namespace tarlyk {

class CardLibrary {
 public:
  // The library's one exported function.
  static constexpr const char* kFileName = "Cards.dll";
  static constexpr const char* kBitmapFunction = "TarlykCardBitmap";

  CardLibrary() = default;
  ~CardLibrary();
  CardLibrary(const CardLibrary&) = delete;
  CardLibrary& operator=(const CardLibrary&) = delete;

  // Loads "<exeDir>/Cards.dll" when that file exists, otherwise "Cards.dll" by bare name
  // through the system's library search. False when no library could be loaded. A
  // library without the exported function still counts as loaded: it simply holds no
  // pictures.
  bool Open(const std::string& exeDir);
  bool IsOpen() const { return handle_ != nullptr; }

  // The encoded picture of bitmap `number`, or an empty span when the library does not
  // hold it. The bytes stay valid until Close().
  std::span<const unsigned char> Bitmap(int number) const;

  void Close();

 private:
  using BitmapFunction = int (*)(int, const unsigned char**, unsigned*);
  void* handle_ = nullptr;
  BitmapFunction bitmap_ = nullptr;
};

}  // namespace tarlyk
