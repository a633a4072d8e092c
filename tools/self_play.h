// Self-play: a bot in the person's seat plays whole games against the computer through
// card clicks and the action button only.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "sim_driver.h"

namespace tarlyk {

enum class BotKind {
  kRandom,  // uniformly among the legal card clicks and the visible button
  kLowest,  // the lowest legal card (trumps last), otherwise the button
  kMirror,  // ranks its cards by the computer's own weights and thresholds
};

struct SelfPlayConfig {
  long games = 1000;
  uint64_t seed = 1;
  int level = 0;
  int deck = 36;
  BotKind bot = BotKind::kRandom;
  bool check = false;
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

class SelfPlayer {
 public:
  // Events after which a game that has not ended counts as a failure.
  static constexpr int kMaxEventsPerGame = 20000;

  explicit SelfPlayer(const SelfPlayConfig& config);

  // Plays one whole game. False when an invariant broke (with --check) or the game did
  // not end; Failure() then holds the reason and a replayable event log.
  bool PlayGame();

  const SelfPlayTally& Tally() const { return tally_; }
  const std::string& Failure() const { return failure_; }
  SimDriver& Driver() { return driver_; }

 private:
  // One decision of the bot; returns false when it has nothing to do.
  bool Act();
  void ClickCard(int k);
  void PressButton();
  bool Check(const char* event);

  SelfPlayConfig config_;
  SimDriver driver_;
  std::mt19937_64 botRandom_;
  SelfPlayTally tally_;
  std::string failure_;
  std::vector<std::string> log_;
  std::vector<int> legal_;
  int handCount_ = 0;
};

// Runs the whole self-play and prints its summary; the exit status of the program.
int RunSelfPlay(const SelfPlayConfig& config);

}  // namespace tarlyk
