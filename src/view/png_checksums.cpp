#include "view/png_checksums.h"

#include <zlib.h>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace tarlyk {
namespace {

#if defined(__x86_64__)

#define TARLYK_FOLD __attribute__((target("pclmul,sse4.1")))
#define TARLYK_SUMS __attribute__((target("ssse3")))

TARLYK_FOLD inline __m128i Load(const unsigned char* q) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
}

// x multiplied forward by the distance k stands for, plus the data found there.
TARLYK_FOLD inline __m128i Fold(__m128i x, __m128i k, __m128i data) {
  const __m128i lo = _mm_clmulepi64_si128(x, k, 0x00);
  const __m128i hi = _mm_clmulepi64_si128(x, k, 0x11);
  return _mm_xor_si128(_mm_xor_si128(lo, hi), data);
}

// CRC-32 of whole 16-byte blocks (n >= 64, a multiple of 16) by folding: four 128-bit
// lanes are multiplied forward 64 bytes at a time, folded into one, and reduced to 32
// bits (Barrett). `crc` is the register, without the inversions before and after.
TARLYK_FOLD uint32_t FoldCrc32(uint32_t crc, const unsigned char* p, size_t n) {
  // x^(512+32) and x^(512-32) mod P, then x^(128+32), x^(128-32), x^64, and the
  // Barrett constants, all bit-reflected, for P = 0x04C11DB7.
  const __m128i k1k2 = _mm_set_epi64x(0x1c6e41596, 0x154442bd4);
  const __m128i k3k4 = _mm_set_epi64x(0x0ccaa009e, 0x1751997d0);
  const __m128i k5 = _mm_set_epi64x(0, 0x163cd6124);
  const __m128i poly = _mm_set_epi64x(0x1f7011641, 0x1db710641);
  const __m128i low32 = _mm_set_epi32(0, 0, 0, -1);

  __m128i x0 = _mm_xor_si128(Load(p), _mm_cvtsi32_si128(static_cast<int>(crc)));
  __m128i x1 = Load(p + 16), x2 = Load(p + 32), x3 = Load(p + 48);
  p += 64;
  n -= 64;
  for (; n >= 64; p += 64, n -= 64) {
    x0 = Fold(x0, k1k2, Load(p));
    x1 = Fold(x1, k1k2, Load(p + 16));
    x2 = Fold(x2, k1k2, Load(p + 32));
    x3 = Fold(x3, k1k2, Load(p + 48));
  }
  x0 = Fold(Fold(Fold(x0, k3k4, x1), k3k4, x2), k3k4, x3);
  for (; n >= 16; p += 16, n -= 16) x0 = Fold(x0, k3k4, Load(p));

  // 128 bits to 64, then 64 to 32 (each adding 32 zero bits), then Barrett.
  x0 = _mm_xor_si128(_mm_clmulepi64_si128(k3k4, x0, 0x01), _mm_srli_si128(x0, 8));
  x0 = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(x0, low32), k5, 0x00),
                     _mm_srli_si128(x0, 4));
  __m128i t = _mm_and_si128(_mm_clmulepi64_si128(_mm_and_si128(x0, low32), poly, 0x10), low32);
  t = _mm_clmulepi64_si128(t, poly, 0x00);
  return static_cast<uint32_t>(_mm_extract_epi32(_mm_xor_si128(x0, t), 1));
}

// Adler-32 sums over whole 32-byte blocks, 16 bytes at a time: the byte sums and the
// position-weighted sums in vector lanes, reduced modulo 65521 at least every 5552 bytes.
// The sum of the four 32-bit lanes.
TARLYK_SUMS inline uint32_t Total(__m128i v) {
  v = _mm_add_epi32(v, _mm_shuffle_epi32(v, _MM_SHUFFLE(2, 3, 0, 1)));
  v = _mm_add_epi32(v, _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 0, 3, 2)));
  return static_cast<uint32_t>(_mm_cvtsi128_si32(v));
}

TARLYK_SUMS uint32_t SumAdler32(uint32_t adler, const unsigned char* p, size_t blocks) {
  constexpr uint32_t kBase = 65521;
  constexpr size_t kBlocksPerReduction = 5552 / 32;
  uint32_t s1 = adler & 0xFFFF, s2 = adler >> 16;
  const __m128i weightsHigh =
      _mm_setr_epi8(32, 31, 30, 29, 28, 27, 26, 25, 24, 23, 22, 21, 20, 19, 18, 17);
  const __m128i weightsLow = _mm_setr_epi8(16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1);
  const __m128i zero = _mm_setzero_si128();
  const __m128i ones = _mm_set1_epi16(1);
  while (blocks > 0) {
    const size_t n = blocks < kBlocksPerReduction ? blocks : kBlocksPerReduction;
    blocks -= n;
    // Every block adds 32 times the running byte sum to s2: kept apart as `before`.
    __m128i before = _mm_cvtsi32_si128(static_cast<int>(s1 * n));
    __m128i sums = zero, weighted = zero;
    for (size_t i = 0; i < n; ++i, p += 32) {
      const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
      before = _mm_add_epi32(before, sums);
      sums = _mm_add_epi32(sums, _mm_add_epi32(_mm_sad_epu8(a, zero), _mm_sad_epu8(b, zero)));
      weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_maddubs_epi16(a, weightsHigh), ones));
      weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_maddubs_epi16(b, weightsLow), ones));
    }
    s2 = (s2 + Total(_mm_add_epi32(weighted, _mm_slli_epi32(before, 5)))) % kBase;
    s1 = (s1 + Total(sums)) % kBase;
  }
  return (s2 << 16) | s1;
}

const bool kHaveFold = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
const bool kHaveVectorSums = __builtin_cpu_supports("ssse3");

#endif

}  // namespace

uint32_t PngCrc32(const unsigned char* p, size_t n) {
  uint32_t crc = 0;
#if defined(__x86_64__)
  if (kHaveFold && n >= 64) {
    const size_t whole = n & ~size_t{15};
    crc = ~FoldCrc32(0xFFFFFFFFu, p, whole);
    p += whole;
    n -= whole;
  }
#endif
  return static_cast<uint32_t>(crc32_z(crc, p, n));
}

uint32_t PngAdler32(const unsigned char* p, size_t n) {
  uint32_t adler = 1;
#if defined(__x86_64__)
  if (kHaveVectorSums && n >= 32) {
    adler = SumAdler32(adler, p, n / 32);
    p += n / 32 * 32;
    n %= 32;
  }
#endif
  return static_cast<uint32_t>(adler32_z(adler, p, n));
}

}  // namespace tarlyk
