// The headless driver: golden games played through its text protocol, a property test
// of random events against the game's invariants, and the driver's own pieces.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "card_notation.h"
#include "invariants.h"
#include "self_play.h"
#include "sim_driver.h"

namespace tarlyk {
namespace {

namespace fs = std::filesystem;

fs::path GoldenDir() {
  const char* root = std::getenv("TARLYK_SOURCE_DIR");
  return fs::path(root != nullptr ? root : ".") / "tests" / "sim" / "golden";
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Each golden script, run through a fresh driver, must answer exactly its .out file.
TEST(SimGolden, ScriptsAnswerTheirExpectedDumps) {
  int scripts = 0;
  for (const auto& entry : fs::directory_iterator(GoldenDir())) {
    if (entry.path().extension() != ".sim") continue;
    ++scripts;
    SimDriver driver;
    std::ifstream in(entry.path());
    std::ostringstream out;
    driver.Run(in, out);
    fs::path expected = entry.path();
    expected.replace_extension(".out");
    EXPECT_EQ(ReadFile(expected), out.str()) << entry.path().filename();
  }
  EXPECT_GE(scripts, 4);
}

// Random events of every kind; after each one the state must be consistent, every
// finished or abandoned game must count exactly once, and no game may run forever.
TEST(SimProperty, RandomEventsKeepTheGameConsistent) {
  constexpr int kGames = 1500;
  constexpr int kMaxEventsPerGame = 3000;
  SimDriver driver;
  std::mt19937 rng(20240607);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  std::vector<std::string> log;
  int games = 0;
  int eventsInGame = 0;
  long expectedResults = 0;

  while (games < kGames) {
    const TdmData& d = driver.Data();
    const bool wasActive = d.GameActive;
    std::string event;
    const int r = pick(100);
    if (r < 40) {
      const int n = GetCardsCount(d.UserCards);
      event = "card " + std::to_string(n > 0 ? 1 + pick(n) : 1);
    } else if (r < 52) {
      event = "click " + std::to_string(pick(710)) + " " + std::to_string(pick(480));
    } else if (r < 60) {
      event = "right " + std::to_string(pick(710)) + " " + std::to_string(pick(480));
    } else if (r < 62) {
      event = "middle " + std::to_string(pick(710)) + " " + std::to_string(pick(480));
    } else if (r < 80) {
      event = "button";
    } else if (r < 82) {
      event = "new yes";
    } else if (r < 84) {
      event = "new no";
    } else if (r < 92) {
      event = "hover " + std::to_string(pick(710)) + " " + std::to_string(300 + pick(180));
    } else {
      static const char* const kOptions[][2] = {{"UseRightMouse", "2"}, {"CardsCount", "2"},
                                                {"Level", "2"},         {"FirstStep", "4"},
                                                {"LastCardsTo", "2"},   {"EndAnimation", "2"}};
      const auto& o = kOptions[pick(6)];
      event = std::string("opt ") + o[0] + " " + std::to_string(pick(std::atoi(o[1])));
    }
    log.push_back(event);
    const long questionsBefore = driver.Window().questions;
    const std::string answer = driver.Execute(event);
    ASSERT_TRUE(answer.rfind("error:", 0) != 0 || answer == "error: button hidden\n" ||
                answer.rfind("error: no card", 0) == 0)
        << event << " -> " << answer;

    const bool abandoned = event == "new yes" && driver.Window().questions > questionsBefore;
    if (wasActive && (!d.GameActive || abandoned)) {
      ++expectedResults;
      ++games;
      eventsInGame = 0;
      log.clear();
    }
    const ScoreCounters& s = driver.Score();
    const std::string problems = CheckInvariants(d, driver.Window());
    std::string script;
    for (const std::string& line : log) script += line + "\n";
    ASSERT_EQ(problems, "") << "after game " << games << ", events:\n" << script;
    ASSERT_EQ(expectedResults, static_cast<long>(s.Wins) + s.Loses + s.Nones) << script;
    ASSERT_LT(++eventsInGame, kMaxEventsPerGame) << "a game did not end:\n" << script;
  }
}

// Whole games by each bot with every check on, with both deck sizes and levels.
TEST(SimProperty, SelfPlayBotsFinishCheckedGames) {
  for (BotKind bot : {BotKind::kRandom, BotKind::kLowest, BotKind::kMirror}) {
    for (int deck : {36, 52}) {
      SelfPlayConfig config;
      config.bot = bot;
      config.deck = deck;
      config.level = deck == 52 ? 1 : 0;
      config.check = true;
      config.seed = 77;
      SelfPlayer player(config);
      for (int g = 0; g < 150; ++g) ASSERT_TRUE(player.PlayGame()) << player.Failure();
      const SelfPlayTally& t = player.Tally();
      EXPECT_EQ(t.games, 150);
      EXPECT_EQ(t.wins + t.losses + t.draws, 150);
    }
  }
}

// A broken state must be reported, or the property tests above prove nothing.
TEST(SimInvariants, ReportPlantedFaults) {
  SimDriver driver;
  driver.Execute("opt FirstStep 2");
  driver.Execute("new");
  ASSERT_EQ(CheckInvariants(driver.Data(), driver.Window()), "");

  TdmData& d = driver.Data();
  const TCardRec saved = d.UserCards[0];
  d.BitoCards[0] = d.CPUCards[0];  // one card in two slots
  EXPECT_NE(CheckInvariants(d, driver.Window()).find("two slots"), std::string::npos);
  d.BitoCards[0] = EmptyCard();
  d.UserCards[0] = EmptyCard();  // a card lost, and a gap in the hand
  const std::string lost = CheckInvariants(d, driver.Window());
  EXPECT_NE(lost.find("is lost"), std::string::npos);
  EXPECT_NE(lost.find("gap"), std::string::npos);
  d.UserCards[0] = saved;

  // A cover that does not beat its attack card: the lowest card over the highest trump.
  driver.Execute("call ClearArrays");
  driver.Execute("set desk 0 AH");
  driver.Execute("set desk 6 6C");
  driver.Execute("set kozir 7H");
  EXPECT_NE(CheckInvariants(d, driver.Window()).find("does not beat"), std::string::npos);
  driver.Execute("set desk 0 --");
  EXPECT_NE(CheckInvariants(d, driver.Window()).find("no attack card"), std::string::npos);
  driver.Execute("set desk 6 --");

  // The button says "Отдать" although the computer is not taking.
  d.SetAction(kActionGive, ActionCaptionFor(kActionGive), true);
  EXPECT_NE(CheckInvariants(d, driver.Window()).find("button mode"), std::string::npos);
}

TEST(SimDriverTest, CardNotationCoversTheDeck) {
  for (int n = 1; n <= 52; ++n) {
    const TCardRec card = CardFromNumber(n);
    const auto parsed = ParseCard(CardNotation(card));
    ASSERT_TRUE(parsed.has_value()) << n;
    EXPECT_EQ(parsed->ID, n - 1);
    EXPECT_EQ(CardNumber(card.Value, card.Suid), n);
  }
  EXPECT_EQ(CardNotation(CardFromNumber(1)), "AC");
  EXPECT_EQ(CardNotation(CardFromNumber(52)), "KS");
  EXPECT_EQ(ParseCard("--")->Value, 0);
  for (const char* bad : {"", "A", "1C", "AX", "ac", "10H", "AH "}) {
    EXPECT_FALSE(ParseCard(bad).has_value()) << bad;
  }
}

// Bad input answers one error line and leaves the state alone; the next command works.
TEST(SimDriverTest, BadCommandsAnswerErrorsAndChangeNothing) {
  SimDriver driver;
  driver.Execute("opt FirstStep 2");
  driver.Execute("new");
  const std::string before = driver.Dump();
  for (const char* bad :
       {"jump", "opt Speed 3", "opt Level x", "seed", "deck 1 2 3", "score 1 2", "set desk 12 AS",
        "set user 0 ZZ", "set hand 0 AS", "set who 2", "new maybe", "click 10", "card 0", "card 7",
        "call Explode", "cango 1C", "lastresult -1"}) {
    const std::string answer = driver.Execute(bad);
    EXPECT_EQ(answer.rfind("error: ", 0), 0u) << bad << " -> " << answer;
    EXPECT_EQ(answer.find('\n'), answer.size() - 1) << bad;
  }
  std::string duplicate = "deck";
  for (int i = 0; i < 52; ++i) {
    duplicate += ' ';
    duplicate += std::to_string(i == 51 ? 1 : i + 1);
  }
  EXPECT_EQ(driver.Execute(duplicate), "error: deck must hold each of 1..52 once\n");
  EXPECT_TRUE(driver.Data().ForcedDeckOrder.empty());
  EXPECT_EQ(driver.Dump(), before);
  EXPECT_EQ(driver.Execute("  # only a comment"), "");
  EXPECT_EQ(driver.Execute("undercard 167 400   # first card"), "1\n");
}

// `opt Level 2` puts the searching player in the computer's seat: whole games played
// through the text protocol stay consistent and count once each, and the computer's play
// is not that of level 1.
TEST(SimDriverTest, LevelTwoPlaysWholeGames) {
  // The person plays the first card of the hand that is accepted, else presses the button;
  // the answers to every event make up the game's record.
  const auto play = [](int level, int seed, std::string* record) {
    SimDriver driver;
    EXPECT_EQ(driver.Execute("opt Level " + std::to_string(level)), "");
    EXPECT_EQ(driver.Execute("seed " + std::to_string(seed)), "");
    EXPECT_EQ(driver.Execute("new"), "");
    const TdmData& d = driver.Data();
    for (int events = 0; d.GameActive; ++events) {
      ASSERT_LT(events, 2000) << "the game did not end";
      // A refused card changes nothing; an accepted one may end the round and refill the
      // hand, so the whole state tells them apart, not the hand's size.
      const std::string before = driver.Dump();
      const int held = GetCardsCount(d.UserCards);
      for (int k = 1; k <= held && driver.Dump() == before; ++k) {
        ASSERT_EQ(driver.Execute("card " + std::to_string(k)), "");
      }
      if (driver.Dump() == before) {
        ASSERT_EQ(driver.Execute("button"), "") << before;
      }
      *record += driver.Dump();
      ASSERT_EQ(CheckInvariants(d, driver.Window()), "") << driver.Dump();
    }
    const ScoreCounters& s = driver.Score();
    EXPECT_EQ(s.Wins + s.Loses + s.Nones, 1);
  };
  bool differs = false;
  for (int seed : {3, 8, 13}) {
    SCOPED_TRACE(seed);
    std::string two;
    std::string one;
    play(2, seed, &two);
    play(1, seed, &one);
    differs = differs || two != one;
  }
  EXPECT_TRUE(differs);
}

// Counters as a damaged or hand-edited settings file may hold them are taken as they are.
TEST(SimDriverTest, ScoreTakesNegativeCounts) {
  SimDriver driver;
  EXPECT_EQ(driver.Execute("score -1 2 0"), "");
  EXPECT_NE(driver.Dump().find("counts: -1 2 0\nscore: Побед: -1 (-100%), Поражений: 2 (200%), "
                               "Ничьих: 0 (0%), Всего игр: 1\n"),
            std::string::npos);
}

// A new login mid-game keeps the game and renames the texts, including the one shown.
TEST(SimDriverTest, LoginKeepsTheGameAndRenamesTheTexts) {
  SimDriver driver;
  driver.Execute("opt FirstStep 2");
  driver.Execute("new");
  driver.Execute("card 1");
  std::string before = driver.Dump();
  driver.Execute("login Маша");
  std::string after = driver.Dump();
  EXPECT_EQ(driver.Data().MsgCPUTakes, "Маша, я беру, подкидывайте ещё...");
  const auto status = [](const std::string& dump) {
    const auto at = dump.find("status: ");
    return dump.substr(at, dump.find('\n', at) - at);
  };
  EXPECT_EQ(status(before), "status: Ходите, Игрок...");
  EXPECT_EQ(status(after), "status: Ходите, Маша...");
  after.replace(after.find(status(after)), status(after).size(), status(before));
  EXPECT_EQ(after, before);
  EXPECT_EQ(CheckInvariants(driver.Data(), driver.Window()), "");
  driver.Execute("login");
  EXPECT_EQ(driver.Data().PlayerName, "Игрок");
}

// The driver's login takes the real login's rule: from 63 characters on, the name is
// unknown everywhere it shows.
TEST(SimDriverTest, OverlongLoginStandsAsUnknown) {
  SimDriver driver;
  driver.Execute("opt FirstStep 2");
  driver.Execute("new");
  const auto times = [](const std::string& text, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += text;
    return out;
  };
  driver.Execute("login " + times("ж", 62));  // characters count, not bytes
  EXPECT_EQ(driver.Data().PlayerName, "жжжжжжж...");
  EXPECT_EQ(driver.Window().status, "Ходите, жжжжжжж......");
  for (const std::string& name : {times("x", 63), times("x", 61) + " y", times("ж", 63)}) {
    driver.Execute("login " + name);
    EXPECT_EQ(driver.Data().PlayerName, "(Unknown)") << name;
    EXPECT_EQ(driver.Data().MsgCPUTakes, "(Unknown), я беру, подкидывайте ещё...");
    EXPECT_EQ(driver.Window().status, "Ходите, (Unknown)...");
    EXPECT_NE(driver.Dump().find("Ходите, (Unknown)..."), std::string::npos);
  }
}

TEST(SimDriverTest, WilsonIntervalBrackets) {
  const Proportion none = WilsonInterval(0, 10);
  EXPECT_DOUBLE_EQ(none.low, 0.0);
  EXPECT_NEAR(none.high, 0.2775, 1e-4);
  const Proportion half = WilsonInterval(50, 100);
  EXPECT_NEAR(half.low, 0.4038, 1e-4);
  EXPECT_NEAR(half.high, 0.5962, 1e-4);
}

}  // namespace
}  // namespace tarlyk
