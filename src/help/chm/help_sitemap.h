// The contents (.hhc) and index (.hhk) of a compiled help file: HTML whose entries are
// <OBJECT type="text/sitemap"> elements carrying <param name="Name" value=".."> and
// <param name="Local" value="..">, nested in <UL> lists. Any text is accepted: what is not
// understood is skipped, the number of entries and the nesting depth are bounded (deeper
// lists join their parent's level). No Qt here.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarlyk {

inline constexpr size_t kSitemapMaxEntries = 10000;
inline constexpr size_t kSitemapMaxDepth = 16;

struct SitemapEntry {
  std::string name;   // the entry's title (an index entry's keyword)
  std::string local;  // the first page it names ("rules.html#deck"), empty when none
  std::vector<SitemapEntry> children;
};

// `html` in UTF-8; character references in values are decoded to UTF-8.
std::vector<SitemapEntry> ParseSitemap(std::string_view html);

}  // namespace tarlyk
