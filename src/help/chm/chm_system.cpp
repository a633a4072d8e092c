#include "help/chm/chm_system.h"

#include <string_view>

#include "help/chm/chm_archive.h"

namespace tarlyk {

namespace {

// Record codes of "#SYSTEM".
constexpr uint16_t kContentsCode = 0;
constexpr uint16_t kIndexCode = 1;
constexpr uint16_t kDefaultTopicCode = 2;
constexpr uint16_t kTitleCode = 3;
constexpr uint16_t kLanguageCode = 4;
constexpr uint16_t kDefaultWindowCode = 5;

// Fields of a "#WINDOWS" entry: offsets into "#STRINGS".
constexpr size_t kWindowNameField = 0x08;
constexpr size_t kWindowContentsField = 0x60;
constexpr size_t kWindowIndexField = 0x64;
constexpr size_t kWindowDefaultField = 0x68;
constexpr size_t kWindowHomeField = 0x6c;
constexpr size_t kWindowMinEntry = 0x70;
constexpr uint32_t kMaxWindows = 256;

uint32_t Le(std::string_view b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
  return v;
}

// Text up to the first NUL.
std::string CString(std::string_view b) {
  return std::string(b.substr(0, b.find('\0')));
}

std::string_view Object(const ChmArchive& archive, std::string_view path) {
  const std::string* bytes = archive.Find(path);
  return bytes ? std::string_view(*bytes) : std::string_view();
}

void ReadSystemRecords(std::string_view sys, ChmSystem& out, std::string& defaultWindow) {
  size_t pos = 4;  // after the version
  while (pos + 4 <= sys.size()) {
    const auto code = static_cast<uint16_t>(Le(sys, pos, 2));
    const size_t length = Le(sys, pos + 2, 2);
    pos += 4;
    if (length > sys.size() - pos) break;
    const std::string_view data = sys.substr(pos, length);
    pos += length;
    switch (code) {
      case kContentsCode:
        out.contentsFile = CString(data);
        break;
      case kIndexCode:
        out.indexFile = CString(data);
        break;
      case kDefaultTopicCode:
        out.defaultTopic = CString(data);
        break;
      case kTitleCode:
        out.title = CString(data);
        break;
      case kLanguageCode:
        if (data.size() >= 4) out.lcid = Le(data, 0, 4);
        break;
      case kDefaultWindowCode:
        defaultWindow = CString(data);
        break;
      default:
        break;
    }
  }
}

// Fills what "#SYSTEM" left empty from the default window (or the first one).
void ReadWindow(const ChmArchive& archive, const std::string& defaultWindow, ChmSystem& out) {
  const std::string_view windows = Object(archive, "/#WINDOWS");
  const std::string_view strings = Object(archive, "/#STRINGS");
  if (windows.size() < 8) return;
  const uint32_t count = Le(windows, 0, 4);
  const uint32_t entrySize = Le(windows, 4, 4);
  if (count == 0 || count > kMaxWindows || entrySize < kWindowMinEntry ||
      (windows.size() - 8) / entrySize < count) {
    return;
  }
  auto text = [&](std::string_view entry, size_t field) -> std::string {
    const uint32_t offset = Le(entry, field, 4);
    if (offset == 0 || offset >= strings.size()) return {};
    return CString(strings.substr(offset));
  };
  std::string_view chosen = windows.substr(8, entrySize);
  for (uint32_t i = 0; i < count; ++i) {
    const std::string_view entry = windows.substr(8 + size_t{i} * entrySize, entrySize);
    if (!defaultWindow.empty() && text(entry, kWindowNameField) == defaultWindow) {
      chosen = entry;
      break;
    }
  }
  if (out.contentsFile.empty()) out.contentsFile = text(chosen, kWindowContentsField);
  if (out.indexFile.empty()) out.indexFile = text(chosen, kWindowIndexField);
  if (out.defaultTopic.empty()) out.defaultTopic = text(chosen, kWindowDefaultField);
  if (out.defaultTopic.empty()) out.defaultTopic = text(chosen, kWindowHomeField);
}

}  // namespace

ChmSystem ReadChmSystem(const ChmArchive& archive) {
  ChmSystem out;
  std::string defaultWindow;
  ReadSystemRecords(Object(archive, "/#SYSTEM"), out, defaultWindow);
  ReadWindow(archive, defaultWindow, out);
  return out;
}

const char* CodePageOf(uint32_t lcid) {
  const uint32_t primary = lcid & 0x3ffu;
  const uint32_t sub = lcid >> 10;
  if (primary == 0x1a) {  // Serbian, Croatian, Bosnian: Cyrillic or Latin by sublanguage
    return sub == 0x03 || sub == 0x07 || sub == 0x08 ? "windows-1251" : "windows-1250";
  }
  // Primary languages by the code page of their script.
  static constexpr struct {
    uint32_t primary;
    const char* codePage;
  } kPages[] = {
      {0x02, "windows-1251"}, {0x19, "windows-1251"}, {0x22, "windows-1251"},
      {0x23, "windows-1251"}, {0x2f, "windows-1251"}, {0x3f, "windows-1251"},
      {0x40, "windows-1251"}, {0x44, "windows-1251"}, {0x50, "windows-1251"},
      {0x6d, "windows-1251"}, {0x85, "windows-1251"}, {0x05, "windows-1250"},
      {0x0e, "windows-1250"}, {0x15, "windows-1250"}, {0x18, "windows-1250"},
      {0x1b, "windows-1250"}, {0x1c, "windows-1250"}, {0x24, "windows-1250"},
      {0x08, "windows-1253"}, {0x1f, "windows-1254"}, {0x25, "windows-1257"},
      {0x26, "windows-1257"}, {0x27, "windows-1257"},
  };
  for (const auto& page : kPages) {
    if (page.primary == primary) return page.codePage;
  }
  return "windows-1252";
}

}  // namespace tarlyk
