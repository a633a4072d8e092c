// The text protocol of tarlyk-sim: one command a line in, answers out. Drives the real
// engine through a headless window, a plain set of option values and a seeded generator.
#pragma once

#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "game/options_values.h"
#include "game/random.h"
#include "game/tdm_data.h"
#include "sim_window.h"

namespace tarlyk {

class SimDriver {
 public:
  SimDriver();

  // Runs one command line and returns its answer (empty or whole lines).
  std::string Execute(std::string_view line);
  // Runs every line of the stream, writing the answers as they come.
  void Run(std::istream& in, std::ostream& out);

  // The state as the `dump` command prints it.
  std::string Dump() const;

  // Sets the login name, taken by the program's own rule for the real one (a name too
  // long stands as "(Unknown)"); the display name and the status texts follow it.
  void Login(const std::string& name);

  // The point the `card K` command clicks: the middle of the visible part of the
  // K-th card of the person's hand (1-based). False when there is no such card.
  bool CardPoint(int k, int* x, int* y) const;

  TdmData& Data() { return *data_; }
  const TdmData& Data() const { return *data_; }
  SimWindow& Window() { return window_; }
  const SimWindow& Window() const { return window_; }
  OptionValues& Options() { return options_; }
  SeededRandom& Random() { return random_; }
  ScoreCounters& Score() { return score_; }

 private:
  std::string Call(std::string_view name);

  SimWindow window_;
  OptionValues options_;
  SeededRandom random_{1};
  ScoreCounters score_;
  std::unique_ptr<TdmData> data_;
};

// The point a click on the K-th card (1-based) of a sorted hand of n cards would use.
void HandCardPoint(int k, int n, int tableWidth, int tableHeight, int* x, int* y);

}  // namespace tarlyk
