#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

#include "settings/ini_file.h"

namespace tarlyk {
namespace {

namespace fs = std::filesystem;

class TempDir {
 public:
  TempDir() {
    std::string tmpl = (fs::temp_directory_path() / "tarlyk-ini-XXXXXX").string();
    path_ = ::mkdtemp(tmpl.data());
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteRaw(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

TEST(IniInteger, AcceptsDecimalAndHexFormsWithSpacesAndSign) {
  EXPECT_EQ(ParseIniInteger("42"), 42);
  EXPECT_EQ(ParseIniInteger("   -7"), -7);
  EXPECT_EQ(ParseIniInteger("+7"), 7);
  EXPECT_EQ(ParseIniInteger("0x10"), 16);
  EXPECT_EQ(ParseIniInteger("0X1f"), 31);
  EXPECT_EQ(ParseIniInteger("$A"), 10);
  EXPECT_EQ(ParseIniInteger(" -$10"), -16);
  EXPECT_EQ(ParseIniInteger("$FFFFFFFF"), -1);
  EXPECT_EQ(ParseIniInteger("2147483647"), 2147483647);
  EXPECT_EQ(ParseIniInteger("-2147483648"), INT32_MIN);
}

TEST(IniInteger, RejectsTextThatIsNotOneWholeInteger) {
  for (const char* bad :
       {"", "   ", "abc", "12abc", "1 2", "0x", "$", "-", "0xZZ", "1.5", "2147483648",
        "-2147483649", "99999999999999999999999999", "0x100000000", "$123456789"}) {
    EXPECT_FALSE(ParseIniInteger(bad).has_value()) << bad;
  }
}

TEST(IniFile, ReadsNamesWithoutCaseAndFallsBackToDefaults) {
  const IniFile ini = IniFile::Parse(
      "; written by hand\n"
      "[MAIN]\n"
      "  savePosition = 0  \n"
      "BossKeyActive=abc\n"
      "no equals sign here\n"
      "Quoted=\"12\"\n"
      "[Counts]\n"
      "Wins=0x10\n"
      "wins=99\n"
      "[counts]\n"
      "Loses=5\n");
  EXPECT_TRUE(ini.SectionExists("main"));
  EXPECT_FALSE(ini.ReadBool("Main", "SavePosition", true));
  EXPECT_TRUE(ini.ReadBool("Main", "BossKeyActive", true));  // not an integer
  EXPECT_FALSE(ini.ReadBool("Main", "BossKeyActive", false));
  EXPECT_EQ(ini.ReadInteger("Main", "Quoted", 0), 12);
  EXPECT_EQ(ini.ReadInteger("Main", "Missing", 77), 77);
  EXPECT_EQ(ini.ReadInteger("Nowhere", "Wins", -4), -4);
  // First section and first key of a name win.
  EXPECT_EQ(ini.ReadInteger("COUNTS", "WINS", 0), 16);
  EXPECT_EQ(ini.ReadInteger("Counts", "Loses", 3), 3);
  EXPECT_TRUE(ini.ReadBool("Counts", "Wins", false));
}

TEST(IniFile, AnyLineBreakStyleReadsAlikeAndIsKeptOnWrite) {
  for (const std::string brk : {"\n", "\r\n", "\r"}) {
    IniFile ini = IniFile::Parse("[Main]" + brk + "A=1" + brk + "[View]" + brk + "B=2");
    EXPECT_EQ(ini.ReadInteger("Main", "A", 0), 1);
    EXPECT_EQ(ini.ReadInteger("View", "B", 0), 2);
    ini.WriteInteger("Main", "C", 3);
    EXPECT_EQ(ini.ToText(),
              "[Main]" + brk + "A=1" + brk + "C=3" + brk + "[View]" + brk + "B=2" + brk);
  }
  // A new document uses CR LF.
  IniFile fresh;
  fresh.WriteInteger("Main", "A", 1);
  EXPECT_EQ(fresh.ToText(), "[Main]\r\nA=1\r\n");
}

TEST(IniFile, WritingReplacesInPlaceAppendsAndKeepsForeignContent) {
  IniFile ini = IniFile::Parse(
      "; comment\n"
      "[Main]\n"
      "Extra=keep me\n"
      "ShortID=4\n"
      "\n"
      "[Mine]\n"
      "x=y\n"
      "[Counts]\n"
      "wins=1\n");
  ini.WriteInteger("Main", "SHORTID", -1);
  ini.WriteBool("Main", "ShowMedals", true);
  ini.WriteInteger("Counts", "Wins", 16);
  ini.WriteInteger("Counts", "Nones", -2);
  ini.WriteInteger("Difficult", "Level", 1);
  EXPECT_EQ(ini.ToText(),
            "; comment\n"
            "[Main]\n"
            "Extra=keep me\n"
            "SHORTID=-1\n"
            "ShowMedals=1\n"
            "\n"
            "[Mine]\n"
            "x=y\n"
            "[Counts]\n"
            "Wins=16\n"
            "Nones=-2\n"
            "[Difficult]\n"
            "Level=1\n");
}

TEST(IniFile, RandomBytesNeverBreakParsingAndWrittenKeysReadBack) {
  std::mt19937 rng(20051114);
  const std::string alphabet = "[]=;\r\n \tMainCountsWins0x$-9abc\"";
  for (int round = 0; round < 400; ++round) {
    const size_t len = rng() % 600;
    std::string text;
    for (size_t i = 0; i < len; ++i) {
      text += (rng() % 3 == 0) ? static_cast<char>(rng() % 256) : alphabet[rng() % alphabet.size()];
    }
    IniFile ini = IniFile::Parse(text);
    const auto wins = static_cast<int32_t>(rng());
    const auto level = static_cast<int32_t>(rng() % 5) - 2;
    ini.WriteInteger("Counts", "Wins", wins);
    ini.WriteInteger("Difficult", "Level", level);
    ini.WriteBool("Main", "SaveCounts", round % 2 == 0);
    const std::string written = ini.ToText();
    const IniFile again = IniFile::Parse(written);
    ASSERT_EQ(again.ReadInteger("Counts", "Wins", 0), wins) << round;
    ASSERT_EQ(again.ReadInteger("Difficult", "Level", 99), level) << round;
    ASSERT_EQ(again.ReadBool("Main", "SaveCounts", round % 2 != 0), round % 2 == 0) << round;
    ASSERT_EQ(again.ToText(), written) << round;
  }
}

TEST(IniFileLoad, TellsMissingFromUnreadableAndCopesWithHugeFiles) {
  TempDir dir;
  IniFile ini;
  EXPECT_EQ(ini.Load(dir.File("none.dat")), IniFile::LoadResult::kMissing);
  EXPECT_EQ(ini.Load(dir.File("none/deeper.dat")), IniFile::LoadResult::kMissing);
  EXPECT_EQ(ini.Load(dir.Path().string()), IniFile::LoadResult::kError);

  std::string huge;
  huge.reserve(6 << 20);
  for (int i = 0; huge.size() < (6u << 20); ++i) huge += "[S" + std::to_string(i) + "]\nKey=1\n";
  huge += "[Last]\nValue=$7F\n";
  WriteRaw(dir.File("huge.dat"), huge);
  ASSERT_EQ(ini.Load(dir.File("huge.dat")), IniFile::LoadResult::kOk);
  EXPECT_EQ(ini.ReadInteger("last", "value", 0), 127);
}

TEST(AtomicWrite, ReplacesTheFileAndLeavesNothingBesideIt) {
  TempDir dir;
  const std::string path = dir.File("user.dat");
  WriteRaw(path, "old");
  ::chmod(path.c_str(), 0600);
  EXPECT_EQ(WriteFileAtomically(path, "new text"), AtomicWriteResult::kOk);
  EXPECT_EQ(ReadAll(path), "new text");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(AtomicWrite, ReportsWhichStepFailed) {
  TempDir dir;
  // A directory where the file should be: the new file is written but cannot replace it.
  const std::string blocked = dir.File("blocked.dat");
  fs::create_directory(blocked);
  WriteRaw(blocked + "/inside", "x");
  EXPECT_EQ(WriteFileAtomically(blocked, "text"), AtomicWriteResult::kReplaceFailed);
  EXPECT_EQ(ReadAll(blocked + "/inside"), "x");
  // A parent that is a regular file: nothing can be written at all.
  WriteRaw(dir.File("plain"), "y");
  EXPECT_EQ(WriteFileAtomically(dir.File("plain") + "/user.dat", "text"),
            AtomicWriteResult::kWriteFailed);
  EXPECT_EQ(ReadAll(dir.File("plain")), "y");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 2);
}

void SetAge(const std::string& path, int seconds) {
  const timespec when{::time(nullptr) - seconds, 0};
  const timespec times[2] = {when, when};
  ::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW);
}

std::vector<std::string> Entries(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

// A write killed half-way leaves "<file>.XXXXXX" behind; the next write removes such
// leftovers of its own file once they are old, and nothing else.
TEST(AtomicWrite, RemovesOnlyItsOwnStaleTemporaryFiles) {
  TempDir dir;
  const std::string path = dir.File("user.dat");
  WriteRaw(path, "live");
  SetAge(path, 3600);
  const char* removed[] = {"user.dat.AbC123", "user.dat.zz9900"};
  const char* kept[] = {"user.dat.Fresh1",   // a concurrent writer's, seconds old
                        "other.dat.AbC123",  // another file's
                        "user.dat.AbC12",   "user.dat.AbC1234",
                        "user.dat.Ab-123",  "user.datXAbC123"};
  for (const char* name : removed) WriteRaw(dir.File(name), "half");
  for (const char* name : kept) WriteRaw(dir.File(name), "half");
  for (const char* name : removed) SetAge(dir.File(name), 3600);
  for (const char* name : kept)
    SetAge(dir.File(name), std::string(name) == "user.dat.Fresh1" ? 5 : 3600);
  // Only regular files are taken: not a directory, and a link is not followed.
  fs::create_directory(dir.File("user.dat.Dir123"));
  SetAge(dir.File("user.dat.Dir123"), 3600);
  WriteRaw(dir.File("elsewhere"), "keep me");
  fs::create_symlink(dir.File("elsewhere"), dir.File("user.dat.Link12"));
  SetAge(dir.File("user.dat.Link12"), 3600);
  // Someone else's file of that name is not ours to remove.
  const bool root = ::geteuid() == 0;
  if (root) {
    WriteRaw(dir.File("user.dat.Other1"), "theirs");
    ASSERT_EQ(::chown(dir.File("user.dat.Other1").c_str(), 4242, 4242), 0);
    SetAge(dir.File("user.dat.Other1"), 3600);
  }

  ASSERT_EQ(WriteFileAtomically(path, "new"), AtomicWriteResult::kOk);
  EXPECT_EQ(ReadAll(path), "new");
  for (const char* name : removed) EXPECT_FALSE(fs::exists(dir.File(name))) << name;
  for (const char* name : kept) EXPECT_EQ(ReadAll(dir.File(name)), "half") << name;
  EXPECT_TRUE(fs::is_directory(dir.File("user.dat.Dir123")));
  EXPECT_TRUE(fs::is_symlink(dir.File("user.dat.Link12")));
  EXPECT_EQ(ReadAll(dir.File("elsewhere")), "keep me");
  if (root) {
    EXPECT_EQ(ReadAll(dir.File("user.dat.Other1")), "theirs");
  }
}

// A settings file kept elsewhere through a symbolic link (as dotfile managers do) stays
// linked: the file the link leads to is replaced, atomically, beside itself.
TEST(AtomicWrite, SymbolicLinksStayAndTheirTargetIsReplaced) {
  TempDir dir;
  fs::create_directories(dir.Path() / "config");
  fs::create_directories(dir.Path() / "dotfiles");
  const std::string link = dir.File("config/user.dat");
  const std::string target = dir.File("dotfiles/tarlyk.dat");
  WriteRaw(target, "old");
  ::chmod(target.c_str(), 0640);
  fs::create_symlink("../dotfiles/tarlyk.dat", link);
  std::string bytes = "[Main]\r\nSavePosition=1\r\n\xC0 end\n";
  bytes.push_back('\0');
  ASSERT_EQ(WriteFileAtomically(link, bytes), AtomicWriteResult::kOk);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::read_symlink(link), "../dotfiles/tarlyk.dat");
  EXPECT_EQ(ReadAll(target), bytes);
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(Entries(dir.Path() / "config"), std::vector<std::string>{"user.dat"});
  EXPECT_EQ(Entries(dir.Path() / "dotfiles"), std::vector<std::string>{"tarlyk.dat"});

  // A chain of links ends at the one file replaced.
  const std::string outer = dir.File("outer.dat");
  fs::create_symlink(link, outer);
  ASSERT_EQ(WriteFileAtomically(outer, "chained"), AtomicWriteResult::kOk);
  EXPECT_TRUE(fs::is_symlink(outer));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadAll(target), "chained");

  // A dangling link gets its target made when the target's directory exists...
  const std::string dangling = dir.File("config/fresh.dat");
  fs::create_symlink(dir.File("dotfiles/fresh.dat"), dangling);
  ASSERT_EQ(WriteFileAtomically(dangling, "made"), AtomicWriteResult::kOk);
  EXPECT_TRUE(fs::is_symlink(dangling));
  EXPECT_EQ(ReadAll(dir.File("dotfiles/fresh.dat")), "made");
  // ...and is reported, not replaced, when it is not; a loop likewise.
  const std::string nowhere = dir.File("config/nowhere.dat");
  fs::create_symlink(dir.File("missing/x.dat"), nowhere);
  EXPECT_EQ(WriteFileAtomically(nowhere, "lost"), AtomicWriteResult::kWriteFailed);
  EXPECT_TRUE(fs::is_symlink(nowhere));
  EXPECT_FALSE(fs::exists(dir.File("missing")));
  fs::create_symlink("loop-b", dir.File("config/loop-a"));
  fs::create_symlink("loop-a", dir.File("config/loop-b"));
  EXPECT_EQ(WriteFileAtomically(dir.File("config/loop-a"), "x"), AtomicWriteResult::kWriteFailed);
  EXPECT_TRUE(fs::is_symlink(dir.File("config/loop-a")));
  EXPECT_EQ(Entries(dir.Path() / "config"),
            (std::vector<std::string>{"fresh.dat", "loop-a", "loop-b", "nowhere.dat", "user.dat"}));
}

}  // namespace
}  // namespace tarlyk
