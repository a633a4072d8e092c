// The layout of a compiled help file (an ITSF archive), checked byte by byte before the
// file is handed to chmlib. chmlib trusts what the file says: on a damaged file it reads
// past its buffers, divides by zero, overruns its decompression buffer or follows a loop
// of directory chunks for ever. The check accepts only a file whose directory chunks all
// lie inside it, whose listing chain and index tree have no loop and parse inside their
// chunks, whose objects lie inside the file (or inside the compressed stream) with sane
// sizes, and whose compression tables keep every block inside chmlib's buffers.
// No Qt here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarlyk {

// Bounds on what a help file may claim; real help files stay far below them.
inline constexpr uint64_t kChmMaxFileSize = 64ull << 20;
inline constexpr uint64_t kChmMaxObjectSize = 16ull << 20;
inline constexpr uint64_t kChmMaxContentSize = 64ull << 20;  // the whole compressed stream
inline constexpr size_t kChmMaxEntries = 20000;

// One object of the archive's directory.
struct ChmEntry {
  std::string path;  // "/index.html", "/#SYSTEM", "::DataSpace/...", "/dir/"
  int space = 0;     // 0 stored as is, 1 in the compressed stream
  uint64_t start = 0;
  uint64_t length = 0;
};

struct ChmLayout {
  std::vector<ChmEntry> entries;  // in directory order
};

// Checks the whole file `bytes`. nullopt when chmlib must not be given the file; then
// `error`, when given, says which check failed.
std::optional<ChmLayout> CheckChmLayout(std::string_view bytes, std::string* error = nullptr);

}  // namespace tarlyk
