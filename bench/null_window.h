// A game window that shows nothing, for benchmarks that only need the engine to deal and
// play on a table of the usual size.
#pragma once

#include <string>

#include "game/game_interfaces.h"

namespace tarlyk {

class NullWindow final : public IGameWindow {
 public:
  void SetStatus(const std::string&) override {}
  void SetCounts(const std::string&) override {}
  void SetActionButton(int, const std::string&, bool) override {}
  void RepaintDesk() override {}
  void SetAnimationTimer(bool) override {}
  bool ConfirmAbandonGame(const std::string&) override { return true; }
  int TableWidth() const override { return 710; }
  int TableHeight() const override { return 480; }
  std::string DecimalSeparator() const override { return ","; }
};

}  // namespace tarlyk
