#include "self_play.h"

#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <iostream>

#include "invariants.h"
#include "opponent/card_weights.h"

namespace tarlyk {

Proportion WilsonInterval(long successes, long trials) {
  Proportion p;
  if (trials <= 0) return p;
  const double z = 1.959963984540054;
  const double n = static_cast<double>(trials);
  const double phat = static_cast<double>(successes) / n;
  const double denom = 1 + z * z / n;
  const double centre = (phat + z * z / (2 * n)) / denom;
  const double half = z * std::sqrt(phat * (1 - phat) / n + z * z / (4 * n * n)) / denom;
  p.rate = phat;
  p.low = centre - half;
  p.high = centre + half;
  return p;
}

SelfPlayer::SelfPlayer(const SelfPlayConfig& config)
    : config_(config), botRandom_(config.seed ^ 0x9E3779B97F4A7C15ULL) {
  driver_.Random().Seed(config.seed);
  driver_.Options().level = config.level;
  driver_.Options().cardsCount = config.deck == 52 ? 1 : 0;
  legal_.reserve(52);
}

void SelfPlayer::ClickCard(int k) {
  int x = 0;
  int y = 0;
  TdmData& d = driver_.Data();
  HandCardPoint(k, handCount_, driver_.Window().TableWidth(), driver_.Window().TableHeight(), &x,
                &y);
  if (config_.check) {
    log_.push_back("card " + std::to_string(k));
    if (d.UnderCard(x, y) != k) {
      failure_ = "the click point of card " + std::to_string(k) + " (" + std::to_string(x) + ", " +
                 std::to_string(y) + ") hits position " + std::to_string(d.UnderCard(x, y)) + "\n";
    }
  }
  d.imgDeskClick();
  d.imgDeskMouseUp(MouseButton::kLeft, x, y);
}

void SelfPlayer::PressButton() {
  if (config_.check) log_.push_back("button");
  driver_.Data().btnEventClick();
}

bool SelfPlayer::Act() {
  TdmData& d = driver_.Data();
  if (!d.GameActive) return false;
  const bool attacking = d.WhoGoing == 0;
  // The hand is sorted and gap-free after every repaint (checked with --check), so
  // its cards are the slots before the first empty one.
  int n = 0;
  while (n < static_cast<int>(d.UserCards.size()) && IsPresent(d.UserCards[n])) ++n;
  handCount_ = n;
  const TableView table = d.Table();
  legal_.clear();
  for (int k = 1; k <= n; ++k) {
    if (ApplyRules(d.UserCards[k - 1], attacking, table)) legal_.push_back(k);
  }
  const bool button = d.ActionVisible;
  if (legal_.empty() && !button) return false;

  switch (config_.bot) {
    case BotKind::kRandom: {
      const int choices = static_cast<int>(legal_.size()) + (button ? 1 : 0);
      std::uniform_int_distribution<int> pick(0, choices - 1);
      const int c = pick(botRandom_);
      if (c < static_cast<int>(legal_.size())) {
        ClickCard(legal_[c]);
      } else {
        PressButton();
      }
      return true;
    }
    case BotKind::kLowest:
      // The sorted hand puts the lowest face value first and trumps last.
      if (!legal_.empty()) {
        ClickCard(legal_.front());
      } else {
        PressButton();
      }
      return true;
    case BotKind::kMirror: {
      std::array<TCardRec, 52> hand = d.UserCards;
      CalcKoefs(hand, n - 1, d.KozirCard.Suid, d.Options().Level());
      const long double stage =
          CalcGameStage(GetCardsCount(d.ColodaCards), d.Options().CardsCount());
      int best = -1;
      for (int k : legal_) {
        const TCardRec& c = hand[k - 1];
        if (best == -1 || (attacking || d.ThrowInMode ? c.GoKoef < hand[best - 1].GoKoef
                                                      : c.BitsaKoef > hand[best - 1].BitsaKoef)) {
          best = k;
        }
      }
      bool hold = best == -1;
      if (!hold) {
        const TCardRec& c = hand[best - 1];
        if (attacking || d.ThrowInMode) {
          // Like the computer: no high trump thrown in late in the game.
          hold = GetCardsCount(d.DeskCards) > 0 && stage > 0.2L && c.GoKoef > 25;
        } else {
          // Like the computer: take rather than spend a high trump early.
          hold = stage < 0.8L && c.Suid == d.KozirCard.Suid && c.Value >= kQueen;
        }
      }
      if (hold && button) {
        PressButton();
      } else if (best != -1) {
        ClickCard(best);
      } else {
        return false;
      }
      return true;
    }
  }
  return false;
}

bool SelfPlayer::Check(const char* event) {
  if (!config_.check) return true;
  std::string problems = failure_ + CheckInvariants(driver_.Data(), driver_.Window());
  if (problems.empty()) return true;
  failure_ = "invariant broken after " + std::string(event) + ":\n" + problems + "event log:\n";
  for (const std::string& line : log_) failure_ += line + "\n";
  return false;
}

bool SelfPlayer::PlayGame() {
  TdmData& d = driver_.Data();
  const ScoreCounters before = driver_.Score();

  // The deck is drawn here, in the same way the game shuffles, so that the event log
  // can replay the game exactly.
  std::vector<int> rest(52);
  for (int i = 0; i < 52; ++i) rest[i] = i + 1;
  std::vector<int> order;
  order.reserve(52);
  while (!rest.empty()) {
    const int i = driver_.Random().Random(static_cast<int>(rest.size()));
    order.push_back(rest[i]);
    rest.erase(rest.begin() + i);
  }
  if (config_.check) {
    log_.clear();
    std::string deck = "deck";
    for (int n : order) {
      deck += ' ';
      deck += std::to_string(n);
    }
    log_.push_back("opt CardsCount " + std::to_string(d.Options().CardsCount()));
    log_.push_back("opt Level " + std::to_string(d.Options().Level()));
    log_.push_back(deck);
  }
  d.ForcedDeckOrder = std::move(order);

  failure_.clear();
  if (!Check("the previous game")) return false;
  PressButton();  // "Новая партия" on a finished game asks nothing
  if (config_.check) {
    // The first mover follows the last result at random; pin it for the replay.
    log_.insert(log_.end() - 1, std::string("opt FirstStep ") + (d.WhoGoing == 1 ? "1" : "2"));
  }
  if (!Check("new game")) return false;

  int events = 0;
  while (d.GameActive) {
    if (++events > kMaxEventsPerGame || !Act()) {
      failure_ = (events > kMaxEventsPerGame ? "the game did not end\n" : "the bot is stuck\n");
      for (const std::string& line : log_) failure_ += line + "\n";
      return false;
    }
    if (!Check(log_.empty() ? "an event" : log_.back().c_str())) return false;
  }

  const ScoreCounters& after = driver_.Score();
  ++tally_.games;
  tally_.wins += after.Wins - before.Wins;
  tally_.losses += after.Loses - before.Loses;
  tally_.draws += after.Nones - before.Nones;
  return true;
}

int RunSelfPlay(const SelfPlayConfig& config) {
  SelfPlayer player(config);
  const auto start = std::chrono::steady_clock::now();
  const std::clock_t cpuStart = std::clock();
  for (long g = 0; g < config.games; ++g) {
    if (!player.PlayGame()) {
      std::cerr << "game " << g + 1 << ": " << player.Failure();
      return 1;
    }
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  const SelfPlayTally& t = player.Tally();
  const Proportion cpu = WilsonInterval(t.losses, t.games);
  std::printf("games: %ld\n", t.games);
  std::printf("person wins: %ld\nperson losses: %ld\ndraws: %ld\n", t.wins, t.losses, t.draws);
  std::printf("computer win rate: %.4f (95%% Wilson interval %.4f .. %.4f)\n", cpu.rate, cpu.low,
              cpu.high);
  const double games = static_cast<double>(t.games);
  std::printf("games per second: %.0f (by CPU time: %.0f)\n", seconds > 0 ? games / seconds : 0,
              cpuSeconds > 0 ? games / cpuSeconds : 0);
  return 0;
}

}  // namespace tarlyk
