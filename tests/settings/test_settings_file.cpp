#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

#include "settings/settings_file.h"

namespace tarlyk {
namespace {

namespace fs = std::filesystem;

// The options dialog's controls in their initial states.
class FakeHolders : public SettingsHolders {
 public:
  bool savePosition = true, saveCounts = true, bossKey = true, rightMouse = true,
       endAnimation = true, showMedals = false, showSuperCard = true, repairUserIcon = true,
       repairEnabled = true;
  int cardsCount = 0, firstStep = 0, lastCardsTo = 0, disabledCardsType = 0, level = 0,
      shortId = -1;
  WindowPos mainPos{49, 1}, optionsPos{227, 169};
  WindowSize mainSize{718, 568}, optionsSize{455, 291}, desktop{1921, 1080};

  int Value(Option option) const override {
    switch (option) {
      case Option::kSavePosition:
        return savePosition;
      case Option::kSaveCounts:
        return saveCounts;
      case Option::kBossKeyActive:
        return bossKey;
      case Option::kUseRightMouse:
        return rightMouse;
      case Option::kEndAnimation:
        return endAnimation;
      case Option::kShowMedals:
        return showMedals;
      case Option::kCardsCount:
        return cardsCount;
      case Option::kFirstStep:
        return firstStep;
      case Option::kLastCardsTo:
        return lastCardsTo;
      case Option::kShortID:
        return shortId;
      case Option::kShowSuperCard:
        return showSuperCard;
      case Option::kDisabledCardsType:
        return disabledCardsType;
      case Option::kRepairUserIcon:
        return repairUserIcon;
      case Option::kLevel:
        return level;
    }
    return 0;
  }
  void SetValue(Option option, int value) override {
    switch (option) {
      case Option::kSavePosition:
        savePosition = value != 0;
        break;
      case Option::kSaveCounts:
        saveCounts = value != 0;
        break;
      case Option::kBossKeyActive:
        bossKey = value != 0;
        break;
      case Option::kUseRightMouse:
        rightMouse = value != 0;
        break;
      case Option::kEndAnimation:
        endAnimation = value != 0;
        break;
      case Option::kShowMedals:
        showMedals = value != 0;
        break;
      case Option::kCardsCount:
        cardsCount = value;
        break;
      case Option::kFirstStep:
        firstStep = value;
        break;
      case Option::kLastCardsTo:
        lastCardsTo = value;
        break;
      case Option::kShortID:
        shortId = value;
        break;
      case Option::kShowSuperCard:
        showSuperCard = value != 0;
        break;
      case Option::kDisabledCardsType:
        disabledCardsType = value;
        break;
      case Option::kRepairUserIcon:
        repairUserIcon = value != 0;
        break;
      case Option::kLevel:
        level = value;
        break;
    }
  }
  void SetOffered(Option option, bool offered) override {
    if (option == Option::kRepairUserIcon) repairEnabled = offered;
  }
  WindowPos MainWindowPos() const override { return mainPos; }
  void SetMainWindowPos(WindowPos pos) override { mainPos = pos; }
  WindowSize MainWindowFrameSize() const override { return mainSize; }
  WindowPos OptionsPos() const override { return optionsPos; }
  void SetOptionsPos(WindowPos pos) override { optionsPos = pos; }
  WindowSize OptionsFrameSize() const override { return optionsSize; }
  WindowSize DesktopSize() const override { return desktop; }
};

// Boxes are captured instead of shown.
struct Boxes {
  std::vector<std::string> captions, texts;
  ErrorBoxFn Fn() {
    return [this](const std::string& c, const std::string& t) {
      captions.push_back(c);
      texts.push_back(t);
    };
  }
};

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string tmpl = (fs::temp_directory_path() / "tarlyk-settings-XXXXXX").string();
    dir_ = ::mkdtemp(tmpl.data());
    path_ = (dir_ / "tarlyk" / "user.dat").string();
    fs::create_directories(dir_ / "tarlyk");
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  void Write(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  std::string Load(const std::string& winVersion = "10.0") {
    return LoadSettings(path_, holders_, score_, winVersion, boxes_.Fn());
  }

  fs::path dir_;
  std::string path_;
  FakeHolders holders_;
  ScoreCounters score_;
  Boxes boxes_;
};

const char kFullFile[] =
    "[Main]\r\n"
    "SavePosition=1\r\n"
    "SaveCounts=1\r\n"
    "BossKeyActive=0\r\n"
    "UseRightMouse=0\r\n"
    "EndAnimation=0\r\n"
    "ShowMedals=1\r\n"
    "ShortID=7\r\n"
    "[Positions]\r\n"
    "frmMain.Left=-5\r\n"
    "frmMain.Top=12\r\n"
    "frmOptions.Left=300\r\n"
    "frmOptions.Top=2000\r\n"
    "[Counts]\r\n"
    "Wins=12\r\n"
    "Loses=3\r\n"
    "Nones=1\r\n"
    "[Rules]\r\n"
    "CardsCount=1\r\n"
    "FirstStep=3\r\n"
    "LastCardsTo=1\r\n"
    "[View]\r\n"
    "ShowSuperCard=0\r\n"
    "DisabledCardsType=2\r\n"
    "RepairUserIcon=0\r\n"
    "[Difficult]\r\n"
    "Level=1\r\n";

TEST_F(SettingsFileTest, SavedFileReadsBackAndSavesToTheSameBytes) {
  Write(kFullFile);
  EXPECT_TRUE(Load("5.1").empty());
  EXPECT_EQ(holders_.mainPos, (WindowPos{-5, 12}));
  EXPECT_EQ(holders_.optionsPos, (WindowPos{300, 2000}));  // no check keeps it on screen
  EXPECT_EQ(score_.Wins, 12);
  EXPECT_EQ(score_.Loses, 3);
  EXPECT_EQ(score_.Nones, 1);
  EXPECT_FALSE(holders_.bossKey);
  EXPECT_TRUE(holders_.showMedals);
  EXPECT_EQ(holders_.firstStep, 3);
  EXPECT_EQ(holders_.disabledCardsType, 2);
  EXPECT_FALSE(holders_.repairUserIcon);
  EXPECT_EQ(holders_.level, 1);
  EXPECT_EQ(ReadShortID(path_), 7);

  holders_.shortId = 7;  // the back in use, as the card loader settled it
  const std::string copy = (dir_ / "copy" / "user.dat").string();  // directory made on demand
  EXPECT_TRUE(SaveSettings(copy, holders_, score_, "5.1", boxes_.Fn()).empty());
  EXPECT_EQ(Read(copy), kFullFile);
  EXPECT_TRUE(boxes_.texts.empty());
}

TEST_F(SettingsFileTest, NoFileKeepsEveryInitialState) {
  EXPECT_TRUE(Load().empty());
  const FakeHolders initial;
  EXPECT_EQ(holders_.mainPos, (WindowPos{49, 1}));
  EXPECT_EQ(holders_.optionsPos, (WindowPos{227, 169}));
  EXPECT_EQ(holders_.cardsCount, initial.cardsCount);
  EXPECT_EQ(holders_.bossKey, initial.bossKey);
  EXPECT_EQ(holders_.repairEnabled, true);
  EXPECT_EQ(score_.Wins + score_.Loses + score_.Nones, 0);
  EXPECT_EQ(ReadShortID(path_), -1);
  EXPECT_TRUE(boxes_.texts.empty());
}

TEST_F(SettingsFileTest, MissingPositionsCentreBothWindowsOnTheDesktop) {
  Write("[Main]\nSavePosition=1\n");
  EXPECT_TRUE(Load().empty());
  EXPECT_EQ(holders_.mainPos, (WindowPos{(1921 - 718) / 2, (1080 - 568) / 2}));
  EXPECT_EQ(holders_.optionsPos, (WindowPos{(1921 - 455) / 2, (1080 - 291) / 2}));
  // SavePosition off: the built-in positions stay.
  FakeHolders fresh;
  Write("[Main]\nSavePosition=0\n[Positions]\nfrmMain.Left=5\n");
  LoadSettings(path_, fresh, score_, "10.0", boxes_.Fn());
  EXPECT_EQ(fresh.mainPos, (WindowPos{49, 1}));
}

TEST_F(SettingsFileTest, OutOfRangeAndMalformedValuesAreTamed) {
  Write(
      "[main]\nBossKeyActive=abc\nShowMedals= 0x1\nshortid=12\n"
      "[Rules]\nCardsCount=7\nFirstStep=-1\nLastCardsTo=99999999999\n"
      "[View]\nDisabledCardsType=9\nRepairUserIcon=1\n"
      "[Difficult]\nLevel=-3\n"
      "[Counts]\nWins=0x10\nLoses=$A\nNones=junk\n");
  EXPECT_TRUE(Load("6.1").empty());
  EXPECT_TRUE(holders_.bossKey);  // not an integer: initial state
  EXPECT_TRUE(holders_.showMedals);
  EXPECT_EQ(holders_.cardsCount, 1);
  EXPECT_EQ(holders_.firstStep, 0);
  EXPECT_EQ(holders_.lastCardsTo, 0);  // overlong: default
  EXPECT_EQ(holders_.disabledCardsType, 2);
  EXPECT_EQ(holders_.level, 0);
  EXPECT_EQ(score_.Wins, 16);
  EXPECT_EQ(score_.Loses, 10);
  EXPECT_EQ(score_.Nones, 0);
  // Not "5.1": the repair option is off and disabled whatever the file says.
  EXPECT_FALSE(holders_.repairUserIcon);
  EXPECT_FALSE(holders_.repairEnabled);
  EXPECT_EQ(ReadShortID(path_), -1);
  Write("[Main]\nShortID=-2\n");
  EXPECT_EQ(ReadShortID(path_), -1);
  Write("[Main]\nShortID=11\n");
  EXPECT_EQ(ReadShortID(path_), 11);
}

// Level takes three values: each is stored and read back as itself; a larger one selects
// the last level, a smaller one the first, and one that is no number leaves the bar where
// it stands.
TEST_F(SettingsFileTest, LevelReadsZeroToTwoAndTamesTheRest) {
  for (int level : {0, 1, 2}) {
    SCOPED_TRACE(level);
    holders_.level = level;
    ASSERT_TRUE(SaveSettings(path_, holders_, score_, "10.0", boxes_.Fn()).empty());
    EXPECT_NE(Read(path_).find("[Difficult]\r\nLevel=" + std::to_string(level) + "\r\n"),
              std::string::npos);
    holders_.level = 1 - level / 2;  // a value other than the stored one
    EXPECT_TRUE(Load().empty());
    EXPECT_EQ(holders_.level, level);
  }
  const struct {
    const char* stored;
    int before;
    int after;
  } kCases[] = {{"3", 0, 2},   {"99999", 1, 2}, {"-1", 2, 0}, {"0x2", 0, 2},
                {"two", 2, 2}, {"two", 1, 1},   {"", 2, 2}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.stored);
    Write(std::string("[Difficult]\nLevel=") + c.stored + "\n");
    holders_.level = c.before;
    EXPECT_TRUE(Load().empty());
    EXPECT_EQ(holders_.level, c.after);
  }
  EXPECT_TRUE(boxes_.texts.empty());
}

TEST_F(SettingsFileTest, SwitchedOffSectionsAreNeitherReadNorSaved) {
  Write("[Main]\nSaveCounts=0\nSavePosition=0\n[Counts]\nWins=40\n");
  Load();
  EXPECT_EQ(score_.Wins, 0);
  SaveSettings(path_, holders_, score_, "6.1", boxes_.Fn());
  const std::string saved = Read(path_);
  EXPECT_EQ(saved.find("[Counts]"), std::string::npos);
  EXPECT_EQ(saved.find("[Positions]"), std::string::npos);
  EXPECT_EQ(saved.find("RepairUserIcon"), std::string::npos);
  EXPECT_EQ(saved.rfind("[Main]\r\nSavePosition=0\r\nSaveCounts=0\r\n", 0), 0u);
  // And the score is not written at exit either.
  score_.Wins = 5;
  EXPECT_TRUE(SaveScore(path_, holders_, score_, boxes_.Fn()).empty());
  EXPECT_EQ(Read(path_), saved);
}

TEST_F(SettingsFileTest, DamagedFilesLoadWithoutABox) {
  std::mt19937 rng(7);
  std::string binary(4096, '\0');
  for (char& c : binary) c = static_cast<char>(rng());
  std::string huge;
  while (huge.size() < (3u << 20)) huge += "[Junk]\nWins=1\nno equals\n";
  huge += "[Counts]\nWins=9\n";
  const std::string cases[] = {
      "", binary, huge, "[Counts]\rWins=3\r[Counts]\rWins=4\rWins=5\r", "[Counts]\r\nWins=3\r\n",
  };
  const int expectedWins[] = {0, 0, 9, 3, 3};
  for (size_t i = 0; i < std::size(cases); ++i) {
    Write(cases[i]);
    score_ = {};
    FakeHolders h;
    EXPECT_TRUE(LoadSettings(path_, h, score_, "10.0", boxes_.Fn()).empty()) << i;
    EXPECT_EQ(score_.Wins, expectedWins[i]) << i;
  }
  EXPECT_TRUE(boxes_.texts.empty());
}

TEST_F(SettingsFileTest, UnreadableFileGivesTheReadErrorBox) {
  fs::create_directory(path_);  // a directory where the file should be
  const std::string text = Load();
  EXPECT_EQ(text, std::string("Во время чтения файла настроек произошли следующие ошибки:\r\r"
                              "  • Ошибка чтения из файла настроек (Код ошибки: 1-002).\r\r"
                              "Обратитесь к справочной системе игры, чтобы получить информацию по "
                              "устранению данных ошибок."));
  ASSERT_EQ(boxes_.captions.size(), 1u);
  EXPECT_EQ(boxes_.captions[0], "Ошибка");
  EXPECT_EQ(holders_.mainPos, (WindowPos{49, 1}));
}

TEST_F(SettingsFileTest, FailedSavesReportTheStepAndKeepThePreviousFile) {
  // A directory in the file's place: written, but it cannot replace the old one.
  fs::create_directory(path_);
  EXPECT_EQ(SaveSettings(path_, holders_, score_, "10.0", boxes_.Fn()),
            std::string("Во время сохранения файла настроек произошли следующуие ошибки:\r\r"
                        "  • Не удаётся подготовить место на диске для записи файла настроек "
                        "(Код ошибки: 1-003).\r\r"
                        "Обратитесь к справочной системе игры, чтобы получить информацию по "
                        "устранению данной ошибки."));
  EXPECT_TRUE(fs::is_directory(path_));
  fs::remove(path_);

  // A parent that is a regular file: nothing can be written.
  std::ofstream((dir_ / "plain").string()) << "x";
  EXPECT_TRUE(
      SaveSettings((dir_ / "plain" / "user.dat").string(), holders_, score_, "10.0", boxes_.Fn())
          .find("(Код ошибки: 1-004).\r\r") != std::string::npos);

  // A write that runs out of room half-way leaves the old file untouched.
  Write(kFullFile);
  const std::string before = Read(path_);
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  rlimit tiny = old;
  tiny.rlim_cur = 16;
  ::setrlimit(RLIMIT_FSIZE, &tiny);
  const std::string settingsBox = SaveSettings(path_, holders_, score_, "10.0", boxes_.Fn());
  score_.Wins = 99;
  const std::string scoreBox = SaveScore(path_, holders_, score_, boxes_.Fn());
  ::setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_TRUE(settingsBox.find("  • Ошибка записи в файл настроек (Код ошибки: 1-004).\r") !=
              std::string::npos);
  EXPECT_EQ(scoreBox, std::string("Во время записи в файл настроек произошла следующая ошибка:\r\r"
                                  "  • Не возможно произвести дозапись (Код ошибки: 1-001).\r\r"
                                  "Обратитесь к справочной системе игры, чтобы получить информацию "
                                  "поустранению данных ошибок."));
  EXPECT_EQ(Read(path_), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "tarlyk"), fs::directory_iterator()), 1);
  EXPECT_EQ(boxes_.texts.size(), 4u);
}

TEST_F(SettingsFileTest, ScoreAtExitUpdatesOnlyTheCounts) {
  Write("; mine\n[Main]\nSaveCounts=1\nOther=x\n[Counts]\nwins=1\n[View]\nLevelX=2\n");
  score_ = {7, 8, 9};
  EXPECT_TRUE(SaveScore(path_, holders_, score_, boxes_.Fn()).empty());
  EXPECT_EQ(Read(path_),
            "; mine\n[Main]\nSaveCounts=1\nOther=x\n[Counts]\nWins=7\nLoses=8\nNones=9\n"
            "[View]\nLevelX=2\n");
  // A missing file and directory are created.
  const std::string fresh = (dir_ / "new" / "tarlyk" / "user.dat").string();
  EXPECT_TRUE(SaveScore(fresh, holders_, score_, boxes_.Fn()).empty());
  EXPECT_EQ(Read(fresh), "[Counts]\r\nWins=7\r\nLoses=8\r\nNones=9\r\n");
  // Something unreadable in the file's place is not overwritten.
  const std::string blocked = (dir_ / "blocked.dat").string();
  fs::create_directory(blocked);
  EXPECT_FALSE(SaveScore(blocked, holders_, score_, boxes_.Fn()).empty());
  EXPECT_TRUE(fs::is_directory(blocked));
}

// A settings file that is a symbolic link into a collection of dotfiles stays a link;
// the file it leads to gets the saved bytes.
TEST_F(SettingsFileTest, LinkedSettingsFileStaysLinked) {
  const fs::path target = dir_ / "dotfiles" / "tarlyk.dat";
  fs::create_directories(target.parent_path());
  std::ofstream(target, std::ios::binary) << kFullFile;
  fs::create_symlink(target, path_);
  EXPECT_TRUE(Load("5.1").empty());
  holders_.shortId = 7;
  EXPECT_TRUE(SaveSettings(path_, holders_, score_, "5.1", boxes_.Fn()).empty());
  EXPECT_TRUE(fs::is_symlink(path_));
  EXPECT_EQ(Read(target.string()), kFullFile);
  score_.Wins = 40;
  EXPECT_TRUE(SaveScore(path_, holders_, score_, boxes_.Fn()).empty());
  EXPECT_TRUE(fs::is_symlink(path_));
  EXPECT_NE(Read(target.string()).find("Wins=40\r\n"), std::string::npos);
  EXPECT_EQ(std::distance(fs::directory_iterator(target.parent_path()), fs::directory_iterator()),
            1);
}

// A save killed half-way (here by the signal of the file-size limit) leaves its
// temporary file behind; a later save removes it once it is minutes old, and the settings
// stay whole throughout.
TEST_F(SettingsFileTest, LeftoverOfAKilledSaveGoesAtALaterSave) {
  Write(kFullFile);
  const pid_t child = ::fork();
  if (child == 0) {
    const rlimit none{0, 0};
    ::setrlimit(RLIMIT_CORE, &none);
    const rlimit tiny{16, 16};
    ::setrlimit(RLIMIT_FSIZE, &tiny);
    std::signal(SIGXFSZ, SIG_DFL);
    SaveSettings(path_, holders_, score_, "10.0", ErrorBoxFn());
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
  const auto leftovers = [&] {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(dir_ / "tarlyk")) {
      if (entry.path() != path_) found.push_back(entry.path());
    }
    return found;
  };
  ASSERT_EQ(leftovers().size(), 1u);
  EXPECT_EQ(leftovers()[0].filename().string().rfind("user.dat.", 0), 0u);
  EXPECT_EQ(Read(path_), kFullFile);

  // Seconds old, it may belong to a copy saving right now: it stays.
  EXPECT_TRUE(SaveSettings(path_, holders_, score_, "10.0", boxes_.Fn()).empty());
  ASSERT_EQ(leftovers().size(), 1u);
  const timespec hourAgo{::time(nullptr) - 3600, 0};
  const timespec times[2] = {hourAgo, hourAgo};
  ASSERT_EQ(::utimensat(AT_FDCWD, leftovers()[0].c_str(), times, 0), 0);
  score_.Wins = 5;
  EXPECT_TRUE(SaveScore(path_, holders_, score_, boxes_.Fn()).empty());
  EXPECT_TRUE(leftovers().empty());
  EXPECT_NE(Read(path_).find("Wins=5\r\n"), std::string::npos);
}

}  // namespace
}  // namespace tarlyk
