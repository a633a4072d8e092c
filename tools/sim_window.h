// The headless window the driver plays in: it keeps what the engine shows (status line,
// score line, action button, card-rain timer) and answers the abandon-game question
// with a preset reply.
#pragma once

#include <string>

#include "game/game_interfaces.h"

namespace tarlyk {

class SimWindow final : public IGameWindow {
 public:
  static constexpr int kWidth = 710;
  static constexpr int kHeight = 480;

  void SetStatus(const std::string& text) override { status = text; }
  void SetCounts(const std::string& text) override { counts = text; }
  void SetActionButton(int state, const std::string& caption, bool visible) override {
    actionState = state;
    actionCaption = caption;
    actionVisible = visible;
  }
  void RepaintDesk() override { ++repaints; }
  void SetAnimationTimer(bool on) override { animation = on; }
  bool ConfirmAbandonGame(const std::string& text) override {
    ++questions;
    lastQuestion = text;
    return abandonAnswer;
  }
  int TableWidth() const override { return kWidth; }
  int TableHeight() const override { return kHeight; }
  std::string DecimalSeparator() const override { return ","; }

  std::string status = "Сыграем?";
  std::string counts;
  int actionState = kActionNewGame;
  std::string actionCaption = "Новая партия";
  bool actionVisible = true;
  bool animation = false;
  long repaints = 0;
  long questions = 0;
  std::string lastQuestion;
  // Reply to the next abandon-game question.
  bool abandonAnswer = true;
};

}  // namespace tarlyk
