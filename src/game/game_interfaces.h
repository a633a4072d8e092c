// The three small interfaces through which the engine reaches the outside world:
// the window it is played in, the options' live values (with the table of options, in
// game_options.h), and the random generator.
#pragma once

#include <string>

#include "game/game_options.h"

namespace tarlyk {

// Modes of the action button under the table (their captions: game_texts.h).
enum ActionStates : int {
  kActionNewGame = 0,
  kActionTake = 1,
  kActionDone = 2,
  kActionGive = 3,
};

// The window the game is played in. The Qt main window, the headless driver and
// the test fakes implement it.
class IGameWindow {
 public:
  virtual ~IGameWindow() = default;
  // Status line (labStatus).
  virtual void SetStatus(const std::string& text) = 0;
  // Score line (labCounts).
  virtual void SetCounts(const std::string& text) = 0;
  // Action button (btnEvent): mode, caption and visibility.
  virtual void SetActionButton(int actionState, const std::string& caption, bool visible) = 0;
  // Paints the table from the current game state (the engine has already sorted the hand).
  virtual void RepaintDesk() = 0;
  // Switches the end-of-game card rain timer (timAnimate) on or off.
  virtual void SetAnimationTimer(bool on) = 0;
  // The 2-001 question "abandon the running game?"; true = Yes. No is the default.
  virtual bool ConfirmAbandonGame(const std::string& text) = 0;
  // Size of the table picture in pixels (710 x 480 in the real window).
  virtual int TableWidth() const = 0;
  virtual int TableHeight() const = 0;
  // Decimal separator of the user's locale, for the score line's percentages.
  virtual std::string DecimalSeparator() const = 0;
};

// The program's one pseudo-random generator.
class IRandom {
 public:
  virtual ~IRandom() = default;
  // Uniform integer in 0 .. range - 1 (range >= 1).
  virtual int Random(int range) = 0;
};

}  // namespace tarlyk
