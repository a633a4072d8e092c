// The searching player's (level 2) strength: thousands of whole games against each other
// player, with 95% Wilson intervals. Goals with 36 cards over 10,000 games each: at least
// 70% wins against the lowest-card bot, 99% against the random bot and 60% against
// level 1 (both seats are computer players; level 2 is tried in each seat). Draws count
// as games not won. Long: run by hand, for example
//   nice build/opponent_strength --games 10000 --deck 36 --match lowest
// Matches: lowest, random, level1 (level 2 in the computer's seat), level1-person (level 2
// in the person's seat against level 1 in the computer's), all.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "self_play.h"

namespace {

struct Match {
  const char* name;
  const char* against;
  tarlyk::BotKind bot;  // the person's seat
  int level;            // the computer's seat
};

constexpr Match kMatches[] = {
    {"lowest", "the lowest-card bot", tarlyk::BotKind::kLowest, 2},
    {"random", "the random bot", tarlyk::BotKind::kRandom, 2},
    {"level1", "level 1 in the person's seat", tarlyk::BotKind::kLevel1, 2},
    {"level1-person", "level 1, from the person's seat", tarlyk::BotKind::kLevel2, 1},
};

void Run(const Match& match, long games, int deck, uint64_t seed) {
  tarlyk::SelfPlayConfig config;
  config.games = games;
  config.seed = seed;
  config.bot = match.bot;
  config.level = match.level;
  config.deck = deck;
  tarlyk::SelfPlayer player(config);
  for (long g = 0; g < games; ++g) {
    if (!player.PlayGame()) {
      std::fprintf(stderr, "%s: game %ld: %s", match.name, g + 1, player.Failure().c_str());
      return;
    }
  }
  const tarlyk::SelfPlayTally& t = player.Tally();
  // Level 2's results, from whichever seat it played.
  const bool inComputerSeat = match.level == 2;
  const long wins = inComputerSeat ? t.losses : t.wins;
  const long losses = inComputerSeat ? t.wins : t.losses;
  const tarlyk::Proportion p = tarlyk::WilsonInterval(wins, t.games);
  std::printf(
      "%d cards, level 2 against %s: %ld games, %ld won, %ld lost, %ld drawn; "
      "win rate %.4f (95%% Wilson interval %.4f .. %.4f)",
      deck, match.against, t.games, wins, losses, t.draws, p.rate, p.low, p.high);
  if (inComputerSeat) {
    const tarlyk::TimeSummary times = tarlyk::SummariseTimes(player.DecisionSeconds());
    std::printf("; choice time median %.2f ms, 99th percentile %.2f ms", times.median * 1e3,
                times.p99 * 1e3);
  }
  std::printf("\n");
  std::fflush(stdout);
}

bool ParseLong(const char* text, long* value) {
  const char* end = text + std::strlen(text);
  auto [ptr, ec] = std::from_chars(text, end, *value);
  return ec == std::errc() && ptr == end;
}

}  // namespace

int main(int argc, char** argv) {
  long games = 10000;
  long seed = 1;
  std::vector<int> decks = {36, 52};
  std::string_view only = "all";
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string_view arg = argv[i];
    long deck = 0;
    bool ok = true;
    if (arg == "--games") {
      ok = ParseLong(argv[i + 1], &games) && games > 0;
    } else if (arg == "--seed") {
      ok = ParseLong(argv[i + 1], &seed);
    } else if (arg == "--deck") {
      ok = ParseLong(argv[i + 1], &deck) && (deck == 36 || deck == 52);
      decks = {static_cast<int>(deck)};
    } else if (arg == "--match") {
      only = argv[i + 1];
    } else {
      ok = false;
    }
    if (!ok) {
      std::fprintf(stderr,
                   "usage: opponent_strength [--games N] [--deck 36|52] [--seed S]\n"
                   "                         [--match lowest|random|level1|level1-person|all]\n");
      return 2;
    }
  }
  for (const int deck : decks) {
    for (const Match& match : kMatches) {
      if (only == "all" || only == match.name) {
        Run(match, games, deck, static_cast<uint64_t>(seed));
      }
    }
  }
  return 0;
}
