#include "view/png_checksums.h"

#include <zlib.h>

namespace tarlyk {

uint32_t PngCrc32(const unsigned char* p, size_t n) {
  return static_cast<uint32_t>(crc32_z(0, p, n));
}

uint32_t PngAdler32(const unsigned char* p, size_t n) {
  return static_cast<uint32_t>(adler32_z(1, p, n));
}

}  // namespace tarlyk
