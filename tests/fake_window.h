// An in-memory game window for engine tests: it records what the engine shows.
#pragma once

#include <string>
#include <vector>

#include "game/game_interfaces.h"

namespace tarlyk {

class FakeWindow final : public IGameWindow {
 public:
  std::string status;
  std::string counts;
  int actionState = kActionNewGame;
  std::string actionCaption = "Новая партия";
  bool actionVisible = true;
  int repaints = 0;
  bool animationOn = false;
  // Answer to the abandon-game question, and the questions asked so far.
  bool confirmAnswer = true;
  std::vector<std::string> questions;
  int width = 710;
  int height = 480;
  std::string separator = ",";

  void SetStatus(const std::string& text) override { status = text; }
  void SetCounts(const std::string& text) override { counts = text; }
  void SetActionButton(int state, const std::string& caption, bool visible) override {
    actionState = state;
    actionCaption = caption;
    actionVisible = visible;
  }
  void RepaintDesk() override { ++repaints; }
  void SetAnimationTimer(bool on) override { animationOn = on; }
  bool ConfirmAbandonGame(const std::string& text) override {
    questions.push_back(text);
    return confirmAnswer;
  }
  int TableWidth() const override { return width; }
  int TableHeight() const override { return height; }
  std::string DecimalSeparator() const override { return separator; }
};

// A generator that hands out queued numbers (each taken modulo the range), then zeros.
class ScriptedRandom final : public IRandom {
 public:
  std::vector<int> values;
  size_t next = 0;
  int Random(int range) override {
    if (next >= values.size()) return 0;
    return values[next++] % range;
  }
};

}  // namespace tarlyk
