// The two checksums of a PNG picture: CRC-32 over each chunk and Adler-32 over the
// image data, both by zlib.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarlyk {

// The CRC-32 of PNG and zlib of n bytes.
uint32_t PngCrc32(const unsigned char* p, size_t n);
// The Adler-32 of zlib of n bytes.
uint32_t PngAdler32(const unsigned char* p, size_t n);

}  // namespace tarlyk
