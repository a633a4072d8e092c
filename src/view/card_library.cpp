#include "view/card_library.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace tarlyk {

CardLibrary::~CardLibrary() {
  Close();
}

bool CardLibrary::Open(const std::string& exeDir) {
  Close();
  std::error_code ec;
  const std::filesystem::path beside = std::filesystem::path(exeDir) / kFileName;
  // RTLD_LOCAL keeps the library's symbols to itself; RTLD_NOW makes a library with
  // unresolved dependencies fail here rather than later.
  if (!exeDir.empty() && std::filesystem::exists(beside, ec)) {
    handle_ = dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL);
  } else {
    handle_ = dlopen(kFileName, RTLD_NOW | RTLD_LOCAL);
  }
  if (handle_ == nullptr) return false;
  bitmap_ = reinterpret_cast<BitmapFunction>(dlsym(handle_, kBitmapFunction));
  return true;
}

std::span<const unsigned char> CardLibrary::Bitmap(int number) const {
  if (bitmap_ == nullptr) return {};
  const unsigned char* data = nullptr;
  unsigned size = 0;
  if (bitmap_(number, &data, &size) == 0 || data == nullptr || size == 0) return {};
  return {data, size};
}

void CardLibrary::Close() {
  if (handle_ != nullptr) dlclose(handle_);
  handle_ = nullptr;
  bitmap_ = nullptr;
}

}  // namespace tarlyk
