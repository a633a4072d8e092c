// Self-play: a player in the person's seat plays whole games against the computer through
// card clicks and the action button only. The person's seat is played through the same
// interface as the computer's, so any two players can be pitted against each other.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "opponent/computer_player.h"
#include "sim_driver.h"

namespace tarlyk {

enum class BotKind {
  kRandom,  // uniformly among the legal card clicks and the visible button
  kLowest,  // the lowest legal card (trumps last), otherwise the button
  kMirror,  // ranks its cards by the computer's own weights and thresholds, afresh each time
  kLevel0,  // the computer's own players of these levels
  kLevel1,
  kLevel2,
};

struct SelfPlayConfig {
  long games = 1000;
  uint64_t seed = 1;
  int level = 0;
  int deck = 36;
  BotKind bot = BotKind::kRandom;
  bool check = false;
  bool timeDecisions = true;  // time each choice of the computer's seat
};

struct SelfPlayTally {
  long games = 0;
  long wins = 0;  // the person's (the bot's) results
  long losses = 0;
  long draws = 0;
};

// Wilson score interval of a proportion at 95% confidence.
struct Proportion {
  double rate = 0;
  double low = 0;
  double high = 0;
};
Proportion WilsonInterval(long successes, long trials);

// The bot of this kind for the person's seat. `random` is the generator of the random
// bot; `level` is the engine's Level option (the mirror bot weighs by it).
std::unique_ptr<ComputerPlayer> MakeBot(BotKind kind, std::mt19937_64& random, int level,
                                        uint64_t seed);

class SelfPlayer {
 public:
  // Events after which a game that has not ended counts as a failure.
  static constexpr int kMaxEventsPerGame = 20000;

  explicit SelfPlayer(const SelfPlayConfig& config);
  SelfPlayer(const SelfPlayer&) = delete;
  SelfPlayer& operator=(const SelfPlayer&) = delete;

  // Plays one whole game. False when an invariant broke (with --check), the bot chose a
  // card the rules refuse, or the game did not end; Failure() then holds the reason and
  // a replayable event log.
  bool PlayGame();

  const SelfPlayTally& Tally() const { return tally_; }
  const std::string& Failure() const { return failure_; }
  // With `check`, the driver commands that replay the last game.
  const std::vector<std::string>& EventLog() const { return log_; }
  SimDriver& Driver() { return driver_; }
  // Seconds taken by each choice of the computer's seat (lead, throw-in, cover).
  const std::vector<double>& DecisionSeconds() const { return decisionSeconds_; }

 private:
  // One decision of the bot; returns false when it has nothing to do.
  bool Act();
  // The person's seat as the bot sees it, its hand being the first `cards` slots of
  // seatHand_.
  OpponentView PersonSeat(int cards);
  void ClickCard(int k);
  void PressButton();
  // Notes a new round when the table did not grow by the last event.
  void AfterEvent(int deskBefore);
  bool Check(const char* event);

  SelfPlayConfig config_;
  SimDriver driver_;
  std::mt19937_64 botRandom_;
  std::unique_ptr<ComputerPlayer> bot_;
  SelfPlayTally tally_;
  std::string failure_;
  std::vector<std::string> log_;
  std::vector<double> decisionSeconds_;
  // The person's hand with the flags of the moment and the bot's weights of the round.
  std::array<TCardRec, 52> seatHand_{};
  std::array<long double, 52> goKoef_{};
  std::array<long double, 52> bitsaKoef_{};
  int seatCards_ = 0;  // cards in seatHand_
  bool roundStart_ = true;
  int handCount_ = 0;
};

// Median and 99th percentile of a list of times (0 when empty).
struct TimeSummary {
  double median = 0;
  double p99 = 0;
};
TimeSummary SummariseTimes(std::vector<double> seconds);

// Runs the whole self-play and prints its summary; the exit status of the program.
int RunSelfPlay(const SelfPlayConfig& config);

}  // namespace tarlyk
