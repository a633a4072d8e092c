// Reading compiled help files without Qt: the game's own file whole, archives built here by
// the format's rules, damaged files of every kind refused before chmlib could read out of
// bounds, divide by zero or loop, the contents and index parser, and the file's own
// description of itself.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "help/chm/chm_archive.h"
#include "help/chm/chm_layout.h"
#include "help/chm/chm_system.h"
#include "help/chm/help_sitemap.h"

namespace tarlyk {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (fs::temp_directory_path() / "tarlyk-chm-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~ScratchDir() { fs::remove_all(path_); }
  fs::path operator/(const std::string& name) const { return path_ / name; }

 private:
  fs::path path_;
};

// --- building archives by the format's rules ---

std::string Le32(uint32_t v) {
  std::string out;
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
  return out;
}

std::string Le64(uint64_t v) {
  return Le32(static_cast<uint32_t>(v)) + Le32(static_cast<uint32_t>(v >> 32));
}

std::string EncodedInt(uint64_t v) {
  std::string out(1, static_cast<char>(v & 0x7f));
  for (v >>= 7; v != 0; v >>= 7) out.insert(out.begin(), static_cast<char>(0x80 | (v & 0x7f)));
  return out;
}

struct Entry {
  std::string path;
  uint64_t space = 0;
  uint64_t start = 0;
  uint64_t length = 0;
};

constexpr uint32_t kChunk = 4096;

std::string ListingChunk(const std::vector<Entry>& entries, int32_t next) {
  std::string body;
  for (const Entry& e : entries) {
    body += EncodedInt(e.path.size()) + e.path + EncodedInt(e.space) + EncodedInt(e.start) +
            EncodedInt(e.length);
  }
  std::string chunk = "PMGL" + Le32(static_cast<uint32_t>(kChunk - 0x14 - body.size())) + Le32(0) +
                      Le32(static_cast<uint32_t>(-1)) + Le32(static_cast<uint32_t>(next)) + body;
  chunk.resize(kChunk, '\0');
  return chunk;
}

std::string IndexChunk(const std::vector<std::pair<std::string, uint32_t>>& children) {
  std::string body;
  for (const auto& [name, chunk] : children)
    body += EncodedInt(name.size()) + name + EncodedInt(chunk);
  std::string chunk = "PMGI" + Le32(static_cast<uint32_t>(kChunk - 0x08 - body.size())) + body;
  chunk.resize(kChunk, '\0');
  return chunk;
}

struct ArchiveParts {
  std::vector<std::string> chunks;
  int32_t indexRoot = -1;
  int32_t indexHead = 0;
  std::string stored;  // the objects kept as they are

  std::string Build() const {
    const uint64_t dirOffset = 0x60;
    const uint64_t dirLen = 0x54 + chunks.size() * kChunk;
    std::string file = "ITSF" + Le32(3) + Le32(0x60) + Le32(1) + Le32(0) + Le32(0x419) +
                       std::string(32, '\0') + Le64(0) + Le64(0) + Le64(dirOffset) + Le64(dirLen) +
                       Le64(dirOffset + dirLen);
    file += "ITSP" + Le32(1) + Le32(0x54) + Le32(0x0a) + Le32(kChunk) + Le32(2) + Le32(1) +
            Le32(static_cast<uint32_t>(indexRoot)) + Le32(static_cast<uint32_t>(indexHead)) +
            Le32(static_cast<uint32_t>(chunks.size() - 1)) + Le32(static_cast<uint32_t>(-1)) +
            Le32(static_cast<uint32_t>(chunks.size())) + Le32(0x419) + std::string(32, '\0');
    for (const std::string& c : chunks) file += c;
    return file + stored;
  }
};

// Stores `files` as they are, listed in one chunk (or in two chunks under an index).
ArchiveParts StoredArchive(const std::vector<std::pair<std::string, std::string>>& files,
                           bool twoChunks = false) {
  ArchiveParts parts;
  std::vector<Entry> entries;
  for (const auto& [path, bytes] : files) {
    entries.push_back({path, 0, parts.stored.size(), bytes.size()});
    parts.stored += bytes;
  }
  if (!twoChunks) {
    parts.chunks.push_back(ListingChunk(entries, -1));
    return parts;
  }
  const auto half = entries.begin() + static_cast<long>(entries.size() / 2);
  parts.chunks.push_back(ListingChunk({entries.begin(), half}, 1));
  parts.chunks.push_back(ListingChunk({half, entries.end()}, -1));
  parts.chunks.push_back(IndexChunk({{entries.front().path, 0}, {half->path, 1}}));
  parts.indexRoot = 2;
  return parts;
}

struct Compression {
  uint32_t windowSize = 2;  // in 32 KiB units
  uint32_t resetInterval = 2;
  uint32_t windowsPerReset = 1;
  uint64_t blockLen = 0x8000;
  uint64_t uncompressed = 100;
  uint32_t blockCount = 2;
  std::vector<uint64_t> table{0, 40};
  uint64_t compressed = 40;
  uint64_t pageLength = 100;
  size_t contentSize = 64;
};

// An archive whose one page lies in the compressed stream, with the stream's tables.
std::string CompressedArchive(const Compression& c) {
  const std::string control = Le32(6) + "LZXC" + Le32(2) + Le32(c.resetInterval) +
                              Le32(c.windowSize) + Le32(c.windowsPerReset) + Le32(0);
  std::string reset = Le32(2) + Le32(c.blockCount) + Le32(8) + Le32(0x28) + Le64(c.uncompressed) +
                      Le64(c.compressed) + Le64(c.blockLen);
  for (uint64_t at : c.table) reset += Le64(at);
  const std::string content(c.contentSize, 'x');
  ArchiveParts parts;
  std::vector<Entry> entries;
  for (const auto& [path, bytes] : std::vector<std::pair<std::string, std::string>>{
           {"::DataSpace/Storage/MSCompressed/Content", content},
           {"::DataSpace/Storage/MSCompressed/ControlData", control},
           {"::DataSpace/Storage/MSCompressed/Transform/{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/"
            "InstanceData/ResetTable",
            reset}}) {
    entries.push_back({path, 0, parts.stored.size(), bytes.size()});
    parts.stored += bytes;
  }
  entries.push_back({"/page.html", 1, 0, c.pageLength});
  parts.chunks.push_back(ListingChunk(entries, -1));
  return parts.Build();
}

std::optional<ChmArchive> OpenBytes(const std::string& bytes, std::string* why = nullptr) {
  ScratchDir dir;
  WriteFile(dir / "Tarlyk.chm", bytes);
  return ChmArchive::Open((dir / "Tarlyk.chm").string(), why);
}

std::string RealFile() {
  return ReadFile(TARLYK_HELP_FILE);
}

// --- the game's own file ---

TEST(HelpArchive, TheBuiltFileIsReadWholeWithItsDescription) {
  std::string why;
  const std::optional<ChmArchive> archive = ChmArchive::Open(TARLYK_HELP_FILE, &why);
  ASSERT_TRUE(archive.has_value()) << why;
  for (const char* page : {"/index.html", "/rules.html", "/play.html", "/options.html",
                           "/bosskey.html", "/settings.html", "/messages.html"}) {
    const std::string* bytes = archive->Find(page);
    ASSERT_NE(bytes, nullptr) << page;
    // Every block of the compressed stream came out: each page ends as it should.
    EXPECT_NE(bytes->find("</html>"), std::string::npos) << page;
  }
  // The style sheet goes in unchanged.
  const char* source = std::getenv("TARLYK_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  ASSERT_NE(archive->Find("/style.css"), nullptr);
  EXPECT_EQ(*archive->Find("/style.css"), ReadFile(fs::path(source) / "help" / "style.css"));
  // Names match as the format's own lookup does.
  EXPECT_EQ(archive->Find("INDEX.HTML"), archive->Find("/index.html"));
  EXPECT_EQ(archive->Find("/nothing.html"), nullptr);

  const ChmSystem system = ReadChmSystem(*archive);
  EXPECT_EQ(system.contentsFile, "toc.hhc");
  EXPECT_EQ(system.indexFile, "keywords.hhk");
  EXPECT_EQ(system.defaultTopic, "index.html");
  EXPECT_EQ(system.lcid, 0x419u);
  EXPECT_STREQ(CodePageOf(system.lcid), "windows-1251");
  EXPECT_FALSE(system.title.empty());
}

// --- archives built here ---

TEST(HelpArchive, StoredObjectsAreFoundThroughTheIndexTree) {
  const ArchiveParts parts = StoredArchive({{"/a.html", "<p>a</p>"},
                                            {"/b.html", "<p>bb</p>"},
                                            {"/c.css", "p{}"},
                                            {"/d/", ""},
                                            {"/e.html", "<p>eeee</p>"}},
                                           true);
  std::string why;
  const std::optional<ChmArchive> archive = OpenBytes(parts.Build(), &why);
  ASSERT_TRUE(archive.has_value()) << why;
  EXPECT_EQ(*archive->Find("/b.html"), "<p>bb</p>");
  EXPECT_EQ(*archive->Find("/e.html"), "<p>eeee</p>");
  EXPECT_EQ(archive->Find("/d/"), nullptr);  // folders hold nothing
  EXPECT_EQ(archive->Paths(),
            (std::vector<std::string>{"/a.html", "/b.html", "/c.css", "/e.html"}));
}

TEST(HelpArchive, DamagedDirectoriesAreRefused) {
  const std::vector<std::pair<std::string, std::string>> files{{"/a.html", "<p>a</p>"},
                                                               {"/b.html", "<p>b</p>"}};
  struct Case {
    const char* what;
    std::function<void(ArchiveParts&)> damage;
  };
  const Case cases[] = {
      {"listing chain loops on itself",
       [](ArchiveParts& p) { p.chunks[0].replace(0x10, 4, Le32(0)); }},
      {"listing chain loops over two chunks",
       [](ArchiveParts& p) { p.chunks[1].replace(0x10, 4, Le32(0)); }},
      {"listing chain leaves the directory",
       [](ArchiveParts& p) { p.chunks[1].replace(0x10, 4, Le32(7)); }},
      {"index points at itself",
       [&](ArchiveParts& p) {
         p.chunks[2] = IndexChunk({{"/a.html", 0}, {"/b.html", 2}});
       }},
      {"index child out of range",
       [&](ArchiveParts& p) {
         p.chunks[2] = IndexChunk({{"/a.html", 0}, {"/b.html", 9}});
       }},
      {"index root out of range", [](ArchiveParts& p) { p.indexRoot = 5; }},
      {"first listing chunk out of range", [](ArchiveParts& p) { p.indexHead = -3; }},
      {"entry runs into the free space",
       [](ArchiveParts& p) { p.chunks[0].replace(4, 4, Le32(kChunk - 0x16)); }},
      {"free space larger than the chunk",
       [](ArchiveParts& p) { p.chunks[0].replace(4, 4, Le32(kChunk + 100)); }},
      {"name longer than any path",
       [](ArchiveParts& p) {
         p.chunks[0] = ListingChunk({{std::string(600, 'a'), 0, 0, 1}}, 1);
       }},
      {"object claims a huge length",
       [](ArchiveParts& p) {
         p.chunks[0] = ListingChunk({{"/a.html", 0, 0, 1ull << 40}}, 1);
       }},
      {"object starts past the end",
       [](ArchiveParts& p) {
         p.chunks[0] = ListingChunk({{"/a.html", 0, 1ull << 33, 8}}, 1);
       }},
      {"compressed object without a stream",
       [](ArchiveParts& p) {
         p.chunks[0] = ListingChunk({{"/a.html", 1, 0, 8}}, 1);
       }},
      {"unknown section",
       [](ArchiveParts& p) {
         p.chunks[0] = ListingChunk({{"/a.html", 5, 0, 8}}, 1);
       }},
      {"the same name twice",
       [](ArchiveParts& p) {
         p.chunks[1] = ListingChunk({{"/A.HTML", 0, 0, 8}}, -1);
       }},
  };
  // The sound archive first, so that each case fails by its own damage alone.
  ASSERT_TRUE(OpenBytes(StoredArchive(files, true).Build()).has_value());
  for (const Case& c : cases) {
    ArchiveParts parts = StoredArchive(files, true);
    c.damage(parts);
    EXPECT_FALSE(OpenBytes(parts.Build()).has_value()) << c.what;
  }
}

TEST(HelpArchive, CompressionTablesThatWouldMisleadTheDecompressorAreRefused) {
  std::string why;
  ASSERT_TRUE(CheckChmLayout(CompressedArchive({}), &why).has_value()) << why;
  struct Case {
    const char* what;
    std::function<void(Compression&)> damage;
  };
  const Case cases[] = {
      {"no window per reset (a division by zero)", [](Compression& c) { c.windowsPerReset = 0; }},
      {"no window", [](Compression& c) { c.windowSize = 0; }},
      {"window not a power of two", [](Compression& c) { c.windowSize = 3; }},
      {"window larger than the format's", [](Compression& c) { c.windowSize = 128; }},
      {"reset interval not whole half windows", [](Compression& c) { c.resetInterval = 0; }},
      {"block length zero", [](Compression& c) { c.blockLen = 0; }},
      {"block length not the format's", [](Compression& c) { c.blockLen = 0x10000; }},
      {"no blocks",
       [](Compression& c) {
         c.blockCount = 0;
         c.table.clear();
       }},
      {"fewer blocks than the stream needs", [](Compression& c) { c.uncompressed = 0x8000 * 3; }},
      {"table past its object", [](Compression& c) { c.blockCount = 40; }},
      {"table not starting at zero",
       [](Compression& c) {
         c.table = {4, 40};
       }},
      {"table going backwards",
       [](Compression& c) {
         c.blockCount = 3;
         c.table = {0, 30, 10};
       }},
      {"table past the compressed stream",
       [](Compression& c) {
         c.table = {0, 50};
       }},
      {"block larger than the decompressor's buffer",
       [](Compression& c) {
         c.contentSize = 50000;
         c.table = {0, 45000};
         c.compressed = 45000;
       }},
      {"compressed stream longer than stored", [](Compression& c) { c.compressed = 1000; }},
      {"stream claims a huge length", [](Compression& c) { c.uncompressed = 1ull << 62; }},
      {"page past the stream", [](Compression& c) { c.pageLength = 101; }},
      {"page claims a huge length", [](Compression& c) { c.pageLength = 1ull << 40; }},
  };
  for (const Case& c : cases) {
    Compression tables;
    c.damage(tables);
    EXPECT_FALSE(CheckChmLayout(CompressedArchive(tables)).has_value()) << c.what;
  }
}

// --- damaged copies of the game's own file and things that are no help file ---

TEST(HelpArchive, TruncatedGarbledAndEmptyFilesAreRefused) {
  const std::string real = RealFile();
  ASSERT_GT(real.size(), 8192u);
  std::vector<std::pair<std::string, std::string>> damaged{{"empty", ""}};
  for (size_t cut : {size_t{4}, size_t{0x40}, size_t{0x90}, size_t{0x400}, size_t{0x1100},
                     real.size() / 2, real.size() - 1}) {
    damaged.emplace_back("cut at " + std::to_string(cut), real.substr(0, cut));
  }
  std::mt19937 random(20240611);
  std::string noise(real.size(), '\0');
  for (char& c : noise) c = static_cast<char>(random());
  damaged.emplace_back("noise", noise);
  damaged.emplace_back("noise after the signature", "ITSF" + noise.substr(4));
  damaged.emplace_back("header of the right file, noise after it",
                       real.substr(0, 0x60) + noise.substr(0x60));

  // The reset table's stream length and the directory's place, claimed huge.
  const std::optional<ChmLayout> layout = CheckChmLayout(real);
  ASSERT_TRUE(layout.has_value());
  uint64_t dataOffset = 0;
  for (int i = 7; i >= 0; --i)
    dataOffset = (dataOffset << 8) | static_cast<unsigned char>(real[0x58 + i]);
  for (const ChmEntry& e : layout->entries) {
    if (e.path.find("ResetTable") != std::string::npos) {
      std::string huge = real;
      huge.replace(dataOffset + e.start + 0x10, 8, Le64(1ull << 62));
      damaged.emplace_back("huge stream length", huge);
    }
  }
  std::string farDirectory = real;
  farDirectory.replace(0x48, 8, Le64(~0ull - 16));
  damaged.emplace_back("directory claimed at the end of the address space", farDirectory);
  ASSERT_EQ(damaged.size(), 13u);

  for (const auto& [what, bytes] : damaged) {
    EXPECT_FALSE(OpenBytes(bytes).has_value()) << what;
  }
}

TEST(HelpArchive, ThingsThatAreNoFileAreRefusedWithoutWaiting) {
  ScratchDir dir;
  EXPECT_FALSE(ChmArchive::Open((dir / "missing.chm").string()).has_value());
  fs::create_directory(dir / "folder.chm");
  EXPECT_FALSE(ChmArchive::Open((dir / "folder.chm").string()).has_value());
  // A pipe with no writer would block a plain open for ever.
  ASSERT_EQ(::mkfifo((dir / "pipe.chm").c_str(), 0600), 0);
  EXPECT_FALSE(ChmArchive::Open((dir / "pipe.chm").string()).has_value());
  // A file larger than any help file is refused before it is read.
  { std::ofstream big(dir / "big.chm", std::ios::binary); }
  fs::resize_file(dir / "big.chm", kChmMaxFileSize + 1);
  EXPECT_FALSE(ChmArchive::Open((dir / "big.chm").string()).has_value());
}

// --- contents and index ---

std::vector<std::string> Names(const std::vector<SitemapEntry>& entries) {
  std::vector<std::string> names;
  for (const SitemapEntry& e : entries) names.push_back(e.name);
  return names;
}

TEST(HelpSitemap, NestedListsBecomeATreeOfTitledPages) {
  const auto entries = ParseSitemap(R"(<HTML><BODY>
<OBJECT type="text/site properties"><param name="ImageType" value="Folder"></OBJECT>
<!-- <LI><OBJECT type="text/sitemap"><param name="Name" value="commented out"></OBJECT> -->
<UL>
<LI><OBJECT type="text/sitemap"><param name="Name" value="Правила &amp; игра"><param name="Local" value="rules.html"></OBJECT>
<UL>
 <li><object TYPE='text/sitemap'><PARAM NAME=Name VALUE="&#1050;&#x43E;лода"><param name="local" value=rules.html#deck></object>
 <li><object type="text/sitemap"><param name="Name" value="Раздача"><param name="Local" value="rules.html#deal"></object>
</UL>
<LI><OBJECT type="text/sitemap"><param name="Name" value="Книга без страницы"></OBJECT>
<UL><UL><LI><OBJECT type="text/sitemap"><param name="Name" value="Глубже"><param name="Local" value="deep.html"></OBJECT></UL></UL>
</UL></BODY></HTML>)");
  ASSERT_EQ(Names(entries), (std::vector<std::string>{"Правила & игра", "Книга без страницы"}));
  EXPECT_EQ(entries[0].local, "rules.html");
  ASSERT_EQ(Names(entries[0].children), (std::vector<std::string>{"Колода", "Раздача"}));
  EXPECT_EQ(entries[0].children[0].local, "rules.html#deck");
  EXPECT_EQ(entries[1].local, "");
  // A list opened with no entry before it stays on the level it is in.
  ASSERT_EQ(Names(entries[1].children), (std::vector<std::string>{"Глубже"}));
}

TEST(HelpSitemap, AnIndexEntryKeepsItsKeywordAndFirstPage) {
  const auto entries = ParseSitemap(
      R"(<UL><LI><OBJECT type="text/sitemap"><param name="Name" value="Козырь">)"
      R"(<param name="Name" value="Правила"><param name="Local" value="rules.html#deal">)"
      R"(<param name="Name" value="Как играть"><param name="Local" value="play.html"></OBJECT>)"
      R"(<LI><OBJECT type="text/sitemap"><param name="Name" value="Без конца)");
  ASSERT_EQ(Names(entries), (std::vector<std::string>{"Козырь", "Без конца"}));
  EXPECT_EQ(entries[0].local, "rules.html#deal");
}

TEST(HelpSitemap, DepthAndNumberOfEntriesAreBounded) {
  std::string deep;
  const std::string entry =
      R"(<LI><OBJECT type="text/sitemap"><param name="Name" value="x"><param name="Local" value="a.html"></OBJECT>)";
  for (int i = 0; i < 500; ++i) deep += "<UL>" + entry;
  std::function<size_t(const std::vector<SitemapEntry>&)> depth = [&](const auto& list) {
    size_t most = 0;
    for (const SitemapEntry& e : list) most = std::max(most, depth(e.children));
    return list.empty() ? 0 : most + 1;
  };
  std::function<size_t(const std::vector<SitemapEntry>&)> count = [&](const auto& list) {
    size_t n = list.size();
    for (const SitemapEntry& e : list) n += count(e.children);
    return n;
  };
  const auto nested = ParseSitemap(deep);
  EXPECT_LE(depth(nested), kSitemapMaxDepth);
  EXPECT_EQ(count(nested), 500u);

  std::string many = "<UL>";
  for (size_t i = 0; i < kSitemapMaxEntries + 50; ++i) many += entry;
  EXPECT_EQ(count(ParseSitemap(many)), kSitemapMaxEntries);
}

// --- the file's description of itself ---

TEST(HelpSystem, TheDefaultWindowFillsWhatTheSystemRecordsLeaveOut) {
  auto record = [](uint16_t code, const std::string& data) {
    return std::string{static_cast<char>(code & 0xff), static_cast<char>(code >> 8),
                       static_cast<char>(data.size() & 0xff), static_cast<char>(data.size() >> 8)} +
           data;
  };
  // Strings: 1 "other", 7 "main", 12 "toc.hhc", 20 "start.html".
  const std::string strings = std::string(1, '\0') + "other" + '\0' + "main" + '\0' + "toc.hhc" +
                              '\0' + "start.html" + '\0';
  auto window = [](uint32_t name, uint32_t contents, uint32_t home) {
    std::string entry(0xc4, '\0');
    entry.replace(0x08, 4, Le32(name));
    entry.replace(0x60, 4, Le32(contents));
    entry.replace(0x6c, 4, Le32(home));
    return entry;
  };
  // The last record claims more than there is: it is skipped.
  const std::string system = Le32(3) + record(3, "Проба\0"s) + record(5, "main\0"s) +
                             record(4, Le32(0x422) + Le32(0)) + "\x02\x00\x64\x00index"s;
  const ArchiveParts parts =
      StoredArchive({{"/#SYSTEM", system},
                     {"/#WINDOWS", Le32(2) + Le32(0xc4) + window(1, 0, 0) + window(7, 12, 20)},
                     {"/#STRINGS", strings}});
  const std::optional<ChmArchive> archive = OpenBytes(parts.Build());
  ASSERT_TRUE(archive.has_value());
  const ChmSystem info = ReadChmSystem(*archive);
  EXPECT_EQ(info.title, "Проба");
  EXPECT_EQ(info.lcid, 0x422u);
  // The window named "main", its home page standing in for the missing default topic.
  EXPECT_EQ(info.contentsFile, "toc.hhc");
  EXPECT_EQ(info.defaultTopic, "start.html");
  EXPECT_EQ(info.indexFile, "");
  EXPECT_STREQ(CodePageOf(info.lcid), "windows-1251");  // Ukrainian
  EXPECT_STREQ(CodePageOf(0x0c1a), "windows-1251");     // Serbian in Cyrillic
  EXPECT_STREQ(CodePageOf(0x081a), "windows-1250");     // Serbian in Latin
  EXPECT_STREQ(CodePageOf(0x0409), "windows-1252");
}

}  // namespace
}  // namespace tarlyk
