// A compiled help file, read whole through chmlib when it is opened: every object under
// "/" (pages, style sheets, pictures, the contents and index, the "#SYSTEM" description)
// is held in memory afterwards, so a damaged file shows itself at once and never half
// way through reading. The layout is checked before chmlib sees the file (chm_layout.h);
// sizes are bounded throughout. No Qt here.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarlyk {

class ChmArchive {
 public:
  // Opens and reads the archive at `path`. nullopt when it is not a regular file, is
  // larger than any help file, or is damaged; then `error`, when given, says why.
  static std::optional<ChmArchive> Open(const std::string& path, std::string* error = nullptr);

  // The object at `path` ("/index.html"; the leading "/" may be left out; letters match
  // without regard to case, as the format's own lookup does), or nullptr.
  const std::string* Find(std::string_view path) const;

  // Every object held, as "/name" in the archive's spelling, in name order.
  std::vector<std::string> Paths() const;

 private:
  struct Object {
    std::string path;
    std::string bytes;
  };
  std::map<std::string, Object> objects_;  // keyed by the lower-case path
};

}  // namespace tarlyk
