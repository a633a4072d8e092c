// A small INI reader and writer with the reading rules of the platform's profile
// routines: section and key names match without regard to case, a missing key gives
// the caller's default, integers are decimal or hexadecimal ("$", "0x", "0X") with
// leading spaces and a sign, and text that is not a valid 32-bit integer gives the
// default. Writing keeps everything it does not touch (unknown sections and keys,
// comments, blank lines): an existing key is replaced in place, a new key goes to the
// end of its section, a new section to the end of the file. No Qt here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarlyk {

// Parses an integer the way the profile reader does; nullopt when the text is not one.
std::optional<int32_t> ParseIniInteger(std::string_view text);

class IniFile {
 public:
  enum class LoadResult { kOk, kMissing, kError };

  IniFile() = default;

  // Builds the document from file text. Any bytes are accepted; lines end at CR, LF or
  // CR LF. The document then writes its lines back with the file's first line break.
  static IniFile Parse(std::string_view text);

  // Reads a file: kMissing when nothing exists at the path, kError when something is
  // there but cannot be read as a file (a directory, no permission, a read error).
  LoadResult Load(const std::string& path);

  // Reading. The first section of a name and its first key of a name win.
  bool SectionExists(std::string_view section) const;
  std::optional<std::string> ReadString(std::string_view section, std::string_view key) const;
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;

  // Writing.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int32_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  // The whole document as file text; every line ends with the line break.
  std::string ToText() const;
  const std::string& LineBreak() const { return lineBreak_; }

 private:
  enum class Kind { kOther, kSection, kKey };
  struct Line {
    std::string text;  // the line as it stands in the file, without its break
    Kind kind = Kind::kOther;
    std::string name;  // section name or key name, trimmed
  };

  // Index of the section's header line, or -1.
  long FindSection(std::string_view section) const;
  // Index one past the section's last line (its next header or the end).
  size_t SectionEnd(size_t header) const;
  long FindKey(std::string_view section, std::string_view key) const;

  std::vector<Line> lines_;
  std::string lineBreak_ = "\r\n";
};

// Writes text to path without ever leaving a half-written or missing file: the text
// goes to a new file "<path>.XXXXXX" beside it, is flushed to disk and renamed over the
// old one. A path that is a symbolic link keeps being one: the file it leads to is
// replaced the same way (a dangling link gets its target made). Temporary files of the
// same path left behind by an earlier write that was killed are removed once stale.
enum class AtomicWriteResult {
  kOk,
  kWriteFailed,    // the new file could not be made or written; the old one is untouched
  kReplaceFailed,  // the new file was written but could not replace the old one
};
AtomicWriteResult WriteFileAtomically(const std::string& path, std::string_view text);

}  // namespace tarlyk
