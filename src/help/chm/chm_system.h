// What a compiled help file says about itself: its contents and index files, the page
// to show first, its title and language. Read from the "#SYSTEM" description and, for
// what that leaves out, from the default window in "#WINDOWS" (whose texts live in
// "#STRINGS"). Every record is read within its bounds; a damaged one is skipped.
// No Qt here.
#pragma once

#include <cstdint>
#include <string>

namespace tarlyk {

class ChmArchive;

struct ChmSystem {
  std::string contentsFile;  // "toc.hhc"; empty when the file names none
  std::string indexFile;     // "keywords.hhk"; empty when the file names none
  std::string defaultTopic;  // "index.html"; empty when the file names none
  std::string title;         // in the file's code page
  uint32_t lcid = 0;         // Windows language identifier, 0 when unknown
};

ChmSystem ReadChmSystem(const ChmArchive& archive);

// The single-byte code page of a Windows language, as an encoding name ("windows-1251"
// for the Cyrillic languages); "windows-1252" for any other or an unknown one.
const char* CodePageOf(uint32_t lcid);

}  // namespace tarlyk
