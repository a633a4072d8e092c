// The three small interfaces through which the engine reaches the outside world:
// the window it is played in, the options' live values, and the random generator.
#pragma once

#include <string>

namespace tarlyk {

// Modes of the action button under the table.
enum ActionStates : int {
  kActionNewGame = 0,  // "Новая партия"
  kActionTake = 1,     // "Беру"
  kActionDone = 2,     // "Отбой"
  kActionGive = 3,     // "Отдать"
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

// One read-only accessor per option, read at the moment of use. The options dialog
// implements it from its controls, so each option has exactly one live value.
class IGameOptions {
 public:
  virtual ~IGameOptions() = default;
  virtual int CardsCount() const = 0;   // 0 = 36 cards, anything else 52
  virtual int FirstStep() const = 0;    // 0 rules, 1 computer, 2 player, 3 random
  virtual int LastCardsTo() const = 0;  // 0 attacker first, 1 shared equally
  virtual int Level() const = 0;        // 0 normal, otherwise maximum
  virtual bool UseRightMouse() const = 0;
  virtual bool EndAnimation() const = 0;
  virtual bool ShowSuperCard() const = 0;
  virtual int DisabledCardsType() const = 0;  // 0 tint, 1 embossed, 2 none
  virtual bool ShowMedals() const = 0;
};

// The program's one pseudo-random generator.
class IRandom {
 public:
  virtual ~IRandom() = default;
  // Uniform integer in 0 .. range - 1 (range >= 1).
  virtual int Random(int range) = 0;
};

}  // namespace tarlyk
