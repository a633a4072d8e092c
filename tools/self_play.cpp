#include "self_play.h"

#include <algorithm>
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

namespace {

// Positions (index + 1) of the cards whose flag for this decision is set, in slot order.
struct Positions {
  std::array<int, 52> at{};
  int count = 0;
  bool empty() const { return count == 0; }
};

Positions Allowed(const OpponentView& seat, bool go) {
  Positions p;
  const std::size_t n = std::min(seat.hand.size(), p.at.size());
  for (std::size_t i = 0; i < n; ++i) {
    const TCardRec& c = seat.hand[i];
    if (IsPresent(c) && (go ? c.GoFlag : c.BitsaFlag))
      p.at[static_cast<std::size_t>(p.count++)] = static_cast<int>(i) + 1;
  }
  return p;
}

// Uniformly among the allowed cards and, where the button may be pressed, the button.
class RandomBot final : public ComputerPlayer {
 public:
  explicit RandomBot(std::mt19937_64& random) : random_(random) {}
  void PrepareStep(OpponentView& /*seat*/) override {}
  int Lead(const OpponentView& seat) override { return Pick(Allowed(seat, true), false); }
  int ThrowIn(const OpponentView& seat) override { return Pick(Allowed(seat, true), true); }
  int Cover(const OpponentView& seat) override { return Pick(Allowed(seat, false), true); }

 private:
  int Pick(const Positions& allowed, bool mayStop) {
    const int choices = allowed.count + (mayStop ? 1 : 0);
    if (choices == 0) return -1;
    std::uniform_int_distribution<int> pick(0, choices - 1);
    const int c = pick(random_);
    return c < allowed.count ? allowed.at[static_cast<std::size_t>(c)] : -1;
  }
  std::mt19937_64& random_;
};

// The first allowed card of the sorted hand: the lowest face value, trumps last.
class LowestBot final : public ComputerPlayer {
 public:
  void PrepareStep(OpponentView& /*seat*/) override {}
  int Lead(const OpponentView& seat) override { return First(Allowed(seat, true)); }
  int ThrowIn(const OpponentView& seat) override { return First(Allowed(seat, true)); }
  int Cover(const OpponentView& seat) override { return First(Allowed(seat, false)); }

 private:
  static int First(const Positions& allowed) { return allowed.empty() ? -1 : allowed.at[0]; }
};

// The computer's weights and thresholds, worked out afresh for the hand of the moment.
class MirrorBot final : public ComputerPlayer {
 public:
  explicit MirrorBot(int level) : level_(level) {}
  void PrepareStep(OpponentView& /*seat*/) override {}
  int Lead(const OpponentView& seat) override { return Choose(seat, true, false); }
  int ThrowIn(const OpponentView& seat) override { return Choose(seat, true, true); }
  int Cover(const OpponentView& seat) override { return Choose(seat, false, true); }

 private:
  int Choose(const OpponentView& seat, bool go, bool mayHold) const {
    std::array<TCardRec, 52> hand{};
    const std::size_t n = std::min(hand.size(), seat.hand.size());
    for (std::size_t i = 0; i < n; ++i) hand[i] = seat.hand[i];
    CalcKoefs(hand, 51, seat.kozir.Suid, level_);
    int best = -1;
    const Positions allowed = Allowed(seat, go);
    for (int a = 0; a < allowed.count; ++a) {
      const int k = allowed.at[static_cast<std::size_t>(a)];
      const TCardRec& c = hand[static_cast<std::size_t>(k - 1)];
      const TCardRec* b = best == -1 ? nullptr : &hand[static_cast<std::size_t>(best - 1)];
      if (b == nullptr || (go ? c.GoKoef < b->GoKoef : c.BitsaKoef > b->BitsaKoef)) best = k;
    }
    if (best == -1 || !mayHold) return best;
    const TCardRec& c = hand[static_cast<std::size_t>(best - 1)];
    // Like the computer: no high trump thrown in late in the game, and no high trump
    // spent on beating early in the game.
    const bool hold = go ? seat.GameStage > 0.2L && c.GoKoef > 25
                         : seat.GameStage < 0.8L && c.Suid == seat.kozir.Suid && c.Value >= kQueen;
    return hold ? -1 : best;
  }
  int level_;
};

// Times each choice of the player it wraps.
class TimedPlayer final : public ComputerPlayer {
 public:
  TimedPlayer(std::unique_ptr<ComputerPlayer> inner, std::vector<double>& seconds)
      : inner_(std::move(inner)), seconds_(seconds) {}
  void PrepareStep(OpponentView& seat) override { inner_->PrepareStep(seat); }
  int Lead(const OpponentView& seat) override {
    return Timed([&] { return inner_->Lead(seat); });
  }
  int ThrowIn(const OpponentView& seat) override {
    return Timed([&] { return inner_->ThrowIn(seat); });
  }
  int Cover(const OpponentView& seat) override {
    return Timed([&] { return inner_->Cover(seat); });
  }

 private:
  template <typename F>
  int Timed(F choose) {
    const auto start = std::chrono::steady_clock::now();
    const int p = choose();
    seconds_.push_back(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    return p;
  }
  std::unique_ptr<ComputerPlayer> inner_;
  std::vector<double>& seconds_;
};

// The seed of a player in the person's seat, apart from the deal's generator.
uint64_t PersonSeatSeed(uint64_t seed) {
  return seed * 0x9E3779B97F4A7C15ULL + 0x85EBCA77C2B2AE63ULL;
}

}  // namespace

std::unique_ptr<ComputerPlayer> MakeBot(BotKind kind, std::mt19937_64& random, int level,
                                        uint64_t seed) {
  switch (kind) {
    case BotKind::kRandom:
      return std::make_unique<RandomBot>(random);
    case BotKind::kLowest:
      return std::make_unique<LowestBot>();
    case BotKind::kMirror:
      return std::make_unique<MirrorBot>(level);
    case BotKind::kLevel0:
      return MakeComputerPlayer(0, seed);
    case BotKind::kLevel1:
      return MakeComputerPlayer(1, seed);
    case BotKind::kLevel2:
      return MakeComputerPlayer(2, seed);
  }
  return nullptr;
}

SelfPlayer::SelfPlayer(const SelfPlayConfig& config)
    : config_(config), botRandom_(config.seed ^ 0x9E3779B97F4A7C15ULL) {
  driver_.Random().Seed(config.seed);
  driver_.Options().level = config.level;
  driver_.Options().cardsCount = config.deck == 52 ? 1 : 0;
  // The computer's seat gets the game's own players, so that an event log replays exactly.
  driver_.Data().SetPlayerFactory([this](int level) {
    std::unique_ptr<ComputerPlayer> player = MakeComputerPlayer(level);
    if (!config_.timeDecisions) return player;
    return std::unique_ptr<ComputerPlayer>(
        std::make_unique<TimedPlayer>(std::move(player), decisionSeconds_));
  });
  bot_ = MakeBot(config.bot, botRandom_, config.level, PersonSeatSeed(config.seed));
}

OpponentView SelfPlayer::PersonSeat(int cards) {
  const TdmData& d = driver_.Data();
  const int stock = GetCardsCount(d.ColodaCards);
  const int cpuCount = GetCardsCount(d.CPUCards);
  OpponentView seat{Pile(seatHand_.data(), static_cast<std::size_t>(cards)),
                    d.DeskCards,
                    d.KozirCard,
                    stock,
                    cpuCount > 0,
                    d.WhoGoing,
                    d.ThrowInMode,
                    CalcGameStage(stock, d.Options().CardsCount())};
  seat.seat = Seat::kPerson;
  seat.opponentCount = cpuCount;
  seat.discarded = d.Discarded;
  seat.opponentKnown = d.SeenInCPUHand;
  seat.lastCardsTo = d.Options().LastCardsTo();
  return seat;
}

void SelfPlayer::AfterEvent(int deskBefore) {
  // Every event of the person either adds to the table or ends the round.
  if (GetCardsCount(driver_.Data().DeskCards) <= deskBefore) roundStart_ = true;
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
  const int deskBefore = GetCardsCount(d.DeskCards);
  d.imgDeskClick();
  d.imgDeskMouseUp(MouseButton::kLeft, x, y);
  AfterEvent(deskBefore);
}

void SelfPlayer::PressButton() {
  if (config_.check) log_.push_back("button");
  const int deskBefore = GetCardsCount(driver_.Data().DeskCards);
  driver_.Data().btnEventClick();
  AfterEvent(deskBefore);
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
  // Only the slots that held or hold cards need copying; the rest stay empty.
  for (int i = 0; i < std::max(n, seatCards_); ++i) {
    seatHand_[static_cast<std::size_t>(i)] = d.UserCards[static_cast<std::size_t>(i)];
  }
  seatCards_ = n;
  int legal = 0;
  for (int i = 0; i < n; ++i) {
    TCardRec& c = seatHand_[static_cast<std::size_t>(i)];
    const bool ok = ApplyRules(c, attacking, table);
    c.GoFlag = attacking && ok;
    c.BitsaFlag = !attacking && ok;
    legal += ok ? 1 : 0;
  }
  const bool button = d.ActionVisible;
  if (legal == 0 && !button) return false;

  // The bot's weights are those of the round's start, kept by card.
  OpponentView seat = PersonSeat(n);
  if (roundStart_) {
    roundStart_ = false;
    bot_->PrepareStep(seat);
    for (int i = 0; i < n; ++i) {
      const TCardRec& c = seatHand_[static_cast<std::size_t>(i)];
      goKoef_[static_cast<std::size_t>(c.ID)] = c.GoKoef;
      bitsaKoef_[static_cast<std::size_t>(c.ID)] = c.BitsaKoef;
    }
  } else {
    for (int i = 0; i < n; ++i) {
      TCardRec& c = seatHand_[static_cast<std::size_t>(i)];
      c.GoKoef = goKoef_[static_cast<std::size_t>(c.ID)];
      c.BitsaKoef = bitsaKoef_[static_cast<std::size_t>(c.ID)];
    }
  }

  const OpponentView& view = seat;
  int p = -1;
  if (!attacking) {
    p = bot_->Cover(view);
  } else if (GetFirstID(d.DeskCards) == -1) {
    p = bot_->Lead(view);
  } else {
    p = bot_->ThrowIn(view);
  }
  if (p == -1) {
    if (!button) return false;
    PressButton();
    return true;
  }
  const TCardRec* chosen = p >= 1 && p <= n ? &seatHand_[static_cast<std::size_t>(p - 1)] : nullptr;
  if (chosen == nullptr || !(attacking ? chosen->GoFlag : chosen->BitsaFlag)) {
    failure_ = "the bot chose card " + std::to_string(p) + ", which the rules refuse\n";
    return false;
  }
  ClickCard(p);
  return true;
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
  roundStart_ = true;
  if (config_.check) {
    // The first mover follows the last result at random; pin it for the replay.
    log_.insert(log_.end() - 1, std::string("opt FirstStep ") + (d.WhoGoing == 1 ? "1" : "2"));
  }
  if (!Check("new game")) return false;

  int events = 0;
  while (d.GameActive) {
    if (++events > kMaxEventsPerGame || !Act()) {
      if (failure_.empty()) {
        failure_ = events > kMaxEventsPerGame ? "the game did not end\n" : "the bot is stuck\n";
      }
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

TimeSummary SummariseTimes(std::vector<double> seconds) {
  TimeSummary t;
  if (seconds.empty()) return t;
  const auto at = [&](double q) {
    const auto k = static_cast<std::size_t>(q * static_cast<double>(seconds.size() - 1) + 0.5);
    std::nth_element(seconds.begin(), seconds.begin() + static_cast<std::ptrdiff_t>(k),
                     seconds.end());
    return seconds[k];
  };
  t.median = at(0.5);
  t.p99 = at(0.99);
  return t;
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
  const TimeSummary times = SummariseTimes(player.DecisionSeconds());
  std::printf("computer decision time: median %.4f ms, 99th percentile %.4f ms (%zu decisions)\n",
              times.median * 1e3, times.p99 * 1e3, player.DecisionSeconds().size());
  return 0;
}

}  // namespace tarlyk
