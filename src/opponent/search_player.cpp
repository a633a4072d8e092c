#include "opponent/search_player.h"

#include <algorithm>
#include <array>
#include <vector>

#include "opponent/card_weights.h"
#include "opponent/computer_attack.h"
#include "opponent/computer_defence.h"
#include "opponent/ending_solver.h"

namespace tarlyk {

namespace {

// A small, quick generator (splitmix64).
class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // Uniform in 0 .. n - 1.
  int Below(int n) { return static_cast<int>(((Next() >> 32) * static_cast<uint64_t>(n)) >> 32); }

 private:
  uint64_t state_;
};

uint64_t Mix(uint64_t h, uint64_t v) {
  Rng r(h ^ (v + 0x632BE59BD9B4E019ULL + (h << 6) + (h >> 2)));
  return r.Next();
}

constexpr int kMaxPlayoutSteps = 600;

// A move of quick play, or now and then (at the rate `noise`) any allowed move.
int NoisyMove(const PlayState& s, Rng& rng, double noise) {
  if (noise > 0 && static_cast<double>(rng.Next() >> 11) * 0x1.0p-53 < noise) {
    const CardSet legal = s.Legal();
    const int n = CardCount(legal) + (s.MayPass() ? 1 : 0);
    if (n > 0) {
      int pick = rng.Below(n);
      for (CardSet rest = legal; rest != 0; rest &= rest - 1, --pick) {
        if (pick == 0) return LowestCard(rest);
      }
      return -1;
    }
  }
  return QuickMove(s);
}

// Plays for both sides until the game ends.
void PlayOut(PlayState& s, Rng& rng, double noise) {
  for (int step = 0; s.phase != Phase::kOver; ++step) {
    if (step == kMaxPlayoutSteps) {
      s.phase = Phase::kOver;  // a game that cannot end (no refill rule) counts as drawn
      s.winner = 2;
      return;
    }
    const int m = NoisyMove(s, rng, noise);
    if (m >= 0) {
      s.Play(m);
    } else if (s.MayPass()) {
      s.Pass();
    } else {
      s.phase = Phase::kOver;
      s.winner = 2;
    }
  }
}

// What a seat sees, turned into the search's terms.
struct Knowledge {
  const CardOrder* order = nullptr;
  int me = PlayState::kComputer;
  CardSet own = 0;          // by ID
  CardSet known = 0;        // the other hand's known cards, by ID
  CardSet pool = 0;         // the unseen cards, by ID
  int opponentUnknown = 0;  // unseen cards in the other hand
  int stockUnknown = 0;     // unseen cards in the stock (the trump card is known)
  bool trumpInStock = false;
  int trumpId = -1;
};

// False when the view does not add up (every card must be somewhere).
bool Understand(const OpponentView& seat, Knowledge* k) {
  k->order = &CardOrder::For(seat.kozir.Suid);
  k->me = seat.seat == Seat::kComputer ? PlayState::kComputer : PlayState::kPerson;
  k->own = CardsOf(seat.hand);
  for (std::size_t i = 0; i < seat.hand.size(); ++i) {
    const TCardRec& c = seat.hand[i];
    if (IsPresent(c) && (c.ID < 0 || c.ID >= 52 || CardFromNumber(c.ID + 1).Value != c.Value)) {
      return false;
    }
  }
  const CardSet table = CardsOf(seat.desk);
  const CardSet seen = k->own | table | seat.discarded;
  k->known = seat.opponentKnown & ~seen;
  const int total = CardCount(seen) + seat.opponentCount + seat.stockCount;
  CardSet deck = 0;
  for (int n = 1; n <= 52; ++n) {
    const TCardRec c = CardFromNumber(n);
    if (total == 52 || c.Value >= kSix) deck |= CardBit(c);
  }
  if (total != 36 && total != 52) return false;
  if ((k->own & table) != 0 || ((k->own | table) & seat.discarded) != 0) return false;
  k->trumpId = seat.kozir.ID;
  k->trumpInStock = seat.stockCount > 0;
  CardSet pool = deck & ~seen & ~k->known;
  if (k->trumpInStock) {
    if ((pool & CardBit(seat.kozir)) == 0) return false;
    pool &= ~CardBit(seat.kozir);
  }
  k->pool = pool;
  k->opponentUnknown = seat.opponentCount - CardCount(k->known);
  k->stockUnknown = seat.stockCount - (k->trumpInStock ? 1 : 0);
  return k->opponentUnknown >= 0 && CardCount(pool) == k->opponentUnknown + k->stockUnknown;
}

// One possible deal of the unseen cards: the other hand and the stock.
PlayState Deal(const PlayState& base, const Knowledge& k, Rng& rng, std::array<uint8_t, 52>& cards,
               int poolSize) {
  PlayState s = base;
  // A partial shuffle: the first cards go to the other hand, the rest make the stock.
  for (int i = 0; i < poolSize - 1; ++i) {
    const int j = i + rng.Below(poolSize - i);
    std::swap(cards[static_cast<std::size_t>(i)], cards[static_cast<std::size_t>(j)]);
  }
  CardSet other = k.order->FromIds(k.known);
  for (int i = 0; i < k.opponentUnknown; ++i) other |= Bit(cards[static_cast<std::size_t>(i)]);
  s.SetHand(1 - k.me, other);
  s.stockNext = 0;
  s.stockEnd = 0;
  for (int i = k.opponentUnknown; i < poolSize; ++i) {
    s.stock[s.stockEnd++] = cards[static_cast<std::size_t>(i)];
  }
  if (k.trumpInStock) s.stock[s.stockEnd++] = static_cast<uint8_t>(k.order->IndexOf(k.trumpId));
  return s;
}

// The same position always gets the same random numbers: they follow from the seed and
// from what the seat sees, never from anything it does not.
uint64_t PositionSeed(uint64_t seed, const OpponentView& seat, Phase phase) {
  uint64_t h = Mix(seed, CardsOf(seat.hand));
  for (const TCardRec& c : seat.desk) h = Mix(h, IsPresent(c) ? static_cast<uint64_t>(c.ID) : 99);
  h = Mix(h, seat.discarded);
  h = Mix(h, seat.opponentKnown);
  h = Mix(h,
          static_cast<uint64_t>(seat.stockCount) * 64 + static_cast<uint64_t>(seat.opponentCount));
  h = Mix(h, static_cast<uint64_t>(seat.kozir.ID) * 16 + static_cast<uint64_t>(phase) * 2 +
                 (seat.ThrowInMode ? 1 : 0));
  return Mix(h, static_cast<uint64_t>(seat.WhoGoing) + 2 * static_cast<uint64_t>(seat.seat));
}

}  // namespace

int QuickMove(const PlayState& s) {
  const CardOrder& o = *s.order;
  const CardSet legal = s.Legal();
  const int stock = s.StockCount();
  switch (s.phase) {
    case Phase::kLead: {
      const CardSet plain = legal & ~o.Trumps();
      if (plain != 0) return LowestCard(plain);
      return legal != 0 ? LowestCard(legal) : -1;
    }
    case Phase::kCover: {
      if (legal == 0) return -1;
      const int c = LowestCard(legal);
      // A high trump is kept while the stock lasts: take instead.
      if ((o.Trumps() & Bit(c)) != 0 && stock > 0 && o.Rank(c) >= kQueen) return -1;
      return c;
    }
    case Phase::kAdd:
    case Phase::kAddWhileTaking: {
      CardSet add = legal;
      // While the stock lasts, trumps and high cards stay in the hand.
      if (stock > 0) add &= ~o.Trumps() & o.UpToRank(kJack);
      return add != 0 ? LowestCard(add) : -1;
    }
    case Phase::kOver:
      break;
  }
  return -1;
}

void SearchPlayer::PrepareStep(OpponentView& seat) {
  // The maximum level's weights, for the rare view that does not add up.
  CalcKoefs(seat.hand, 51, seat.kozir.Suid, 1);
}

int SearchPlayer::Lead(const OpponentView& seat) {
  return Decide(seat, Phase::kLead);
}

int SearchPlayer::ThrowIn(const OpponentView& seat) {
  // A defender without cards gets nothing more.
  if (seat.seat == Seat::kComputer && !seat.opponentHasCards) return -1;
  return Decide(seat, seat.ThrowInMode ? Phase::kAddWhileTaking : Phase::kAdd);
}

int SearchPlayer::Cover(const OpponentView& seat) {
  return Decide(seat, Phase::kCover);
}

double SearchPlayer::Worth(const PlayState& s, int me) const {
  return s.winner == me ? 1.0 : (s.winner == 2 ? settings_.drawValue : 0.0);
}

int SearchPlayer::Decide(const OpponentView& seat, Phase phase) {
  // The candidates: positions in the hand, and -1 for passing where that is allowed.
  std::vector<int> candidates;
  for (std::size_t i = 0; i < seat.hand.size(); ++i) {
    const TCardRec& c = seat.hand[i];
    if (!IsPresent(c)) continue;
    const bool allowed = phase == Phase::kLead || (phase == Phase::kCover ? c.BitsaFlag : c.GoFlag);
    if (allowed) candidates.push_back(static_cast<int>(i) + 1);
  }
  if (phase != Phase::kLead) candidates.push_back(-1);
  if (candidates.size() <= 1) return candidates.empty() ? -1 : candidates[0];

  // A view that does not add up (it cannot happen in play) gets the maximum level's answer.
  const auto fallback = [&]() {
    if (phase == Phase::kLead) return FindGoingCard(seat);
    return phase == Phase::kCover ? FindGoingCardWhichCanBitsa(seat)
                                  : FindGoingCardWhichCanGo(seat);
  };
  Knowledge k;
  if (!Understand(seat, &k)) return fallback();
  const CardOrder& order = *k.order;
  const PlayState base = PlayState::FromGame(
      order, k.me == PlayState::kPerson ? k.own : 0, k.me == PlayState::kComputer ? k.own : 0, {},
      seat.desk, seat.WhoGoing, seat.ThrowInMode, seat.lastCardsTo);
  if (base.phase != phase || base.Actor() != k.me) return fallback();
  std::array<uint8_t, 52> pool{};
  int poolSize = 0;
  for (CardSet rest = order.FromIds(k.pool); rest != 0; rest &= rest - 1) {
    pool[static_cast<std::size_t>(poolSize++)] = static_cast<uint8_t>(LowestCard(rest));
  }
  Rng rng(PositionSeed(seed_, seat, phase));
  // The game's own rules allow the candidates on any deal; a deal checks that they agree.
  Rng check = rng;
  std::array<uint8_t, 52> checkPool = pool;
  const CardSet legal = Deal(base, k, check, checkPool, poolSize).Legal();
  std::vector<int> moves;  // order indexes, -1 for passing
  for (const int p : candidates) {
    const int move = p < 0 ? -1 : order.IndexOf(seat.hand[static_cast<std::size_t>(p - 1)].ID);
    if (move >= 0 && (legal & Bit(move)) == 0) return fallback();
    moves.push_back(move);
  }
  const int n = static_cast<int>(moves.size());
  // Every candidate is played out from the same deal with the same random numbers, so that
  // they differ only by the move.
  const auto playOut = [&](const PlayState& from, int m, uint64_t noiseSeed) {
    PlayState s = from;
    if (moves[static_cast<std::size_t>(m)] < 0) {
      s.Pass();
    } else {
      s.Play(moves[static_cast<std::size_t>(m)]);
    }
    Rng noise(noiseSeed);
    PlayOut(s, noise, settings_.playoutNoise);
    return Worth(s, k.me);
  };
  const auto bestOf = [&](const std::vector<double>& score) {
    return candidates[static_cast<std::size_t>(std::max_element(score.begin(), score.end()) -
                                               score.begin())];
  };

  if (k.stockUnknown == 0) {
    // Every card is known: the ending is solved exactly if it is small enough. Among the
    // moves of the best outcome against the best defence, the one that does best in quick
    // play is taken, which matters against a side that does not play best.
    const PlayState known = Deal(base, k, rng, pool, poolSize);
    solver_.Start(k.me);
    std::vector<int> outcome(moves.size(), kLoss);
    for (int m = 0; m < n && !solver_.GaveUp(); ++m) {
      PlayState s = known;
      if (moves[static_cast<std::size_t>(m)] < 0) {
        s.Pass();
      } else {
        s.Play(moves[static_cast<std::size_t>(m)]);
      }
      outcome[static_cast<std::size_t>(m)] = solver_.Judge(s);
    }
    if (!solver_.GaveUp()) {
      const int top = *std::max_element(outcome.begin(), outcome.end());
      std::vector<double> quick(moves.size(), -1.0);
      for (int r = 0; r < settings_.endingPlayouts; ++r) {
        const uint64_t noiseSeed = rng.Next();
        for (int m = 0; m < n; ++m) {
          if (outcome[static_cast<std::size_t>(m)] == top) {
            quick[static_cast<std::size_t>(m)] += playOut(known, m, noiseSeed);
          }
        }
      }
      return bestOf(quick);
    }
  }

  const int deals = std::max(settings_.minDeals, settings_.playouts / n);
  std::vector<double> score(moves.size(), 0.0);
  for (int deal = 0; deal < deals; ++deal) {
    const PlayState dealt = Deal(base, k, rng, pool, poolSize);
    const uint64_t noiseSeed = rng.Next();
    for (int m = 0; m < n; ++m) score[static_cast<std::size_t>(m)] += playOut(dealt, m, noiseSeed);
  }
  return bestOf(score);
}

}  // namespace tarlyk
